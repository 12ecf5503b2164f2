// The order detail window's rules without a window: which pre-check reply belongs to the order
// shown, how later replies add to the held one, the verdict, and the texts of the rows.
#pragma once
#include <afx.h>
#include <vector>
#include "OrderInfo.h"
#include "OrderRequest.h"
#include "QuoteStore.h"
#include "SummaryRecord.h"

class CPreOrderCheck
{
public:
    enum State
    {
        WAITING = 0,
        ALLOWED = 1,    // "ablesubmit"
        REFUSED = 2,    // "unablesubmit": the user may still force the order
    };
    // Texts of the "PreOrderInfo" reply as the parser delivers them, by position.
    enum Field
    {
        OID = 0,
        ST,
        MG,   // fee
        IM,   // initial margin after the order
        CID,
        FIELD_COUNT = 12
    };
    struct Row
    {
        CString label;
        CString value;
        COLORREF colour;
    };

    void SetOrder(const OrderRequest& request) { m_request = request; }
    void SetFunds(const SummaryRecord& funds) { m_funds = funds; }
    const OrderRequest& Order() const { return m_request; }

    // Takes a reply when it is this order's; true when the state or texts changed.
    bool Accept(const OrderInfo& reply);
    State GetState() const { return m_state; }
    const CString& Held(Field field) const { return m_held[field]; }

    // Name, direction, order type, price (not for market orders) and quantity.
    std::vector<Row> OrderRows(const QuoteStore& store = GetQuoteStore()) const;
    // Margin increase and fee once allowed; empty otherwise.
    std::vector<Row> VerdictRows() const;

    static void ReplyTexts(const OrderInfo& reply, CString texts[FIELD_COUNT]);

private:
    OrderRequest m_request;
    SummaryRecord m_funds;
    CString m_held[FIELD_COUNT];
    State m_state = WAITING;
};
