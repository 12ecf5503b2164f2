// The open positions of the account, one entry per instrument in the order they arrived, with
// their floating profit, and the market orders that close them.
#pragma once
#include <afx.h>
#include <vector>
#include "OrderRequest.h"
#include "PositionRecord.h"
#include "QuoteStore.h"

struct PositionEntry
{
    enum { kTextCount = 8 };
    // 0 record field 1, 1 code, 2 side ("0" long, "1" short), 3 quantity, 4 cost price,
    // 5 floating profit ("---" without a quote row), 6 multiplier, 7 record field 7
    CString texts[kTextCount];
    bool closing = false;
    CString closeRef;   // client reference of the close order under way

    const CString& Code() const { return texts[1]; }
};

class CPositionBook
{
public:
    explicit CPositionBook(QuoteStore& store = GetQuoteStore());

    // (last - cost) x quantity x multiplier for side 0, (cost - last) x ... for side 1, "%f";
    // the last price cut to the code's decimals and the cost to one more. "---" for another side.
    static CString FloatingProfit(const CString& code, const CString& lastPrice, const CString& costPrice,
                                  const CString& quantity, const CString& multiplier, const CString& side,
                                  const QuoteStore& store = GetQuoteStore());
    // The market order that closes the position; false when it cannot be sent (empty code,
    // quantity not above 0).
    static bool BuildCloseOrder(const PositionEntry& position, OrderRequest& request);

    PositionEntry BuildEntry(const PositionRecord& record) const;

    // A fresh last price of the code: the floating profit of its first entry is computed
    // again. True when that entry's profit text changed.
    bool Revalue(const CString& code, const CString& lastPrice);

    // Index of the code's entry, -1 when none.
    int Find(const CString& code) const;
    void Add(const PositionEntry& entry) { m_positions.push_back(entry); }
    void Replace(int index, const PositionEntry& entry) { m_positions[index] = entry; }
    void RemoveAt(int index) { m_positions.erase(m_positions.begin() + index); }
    void Clear() { m_positions.clear(); }
    size_t Count() const { return m_positions.size(); }
    PositionEntry& At(int index) { return m_positions[index]; }
    const std::vector<PositionEntry>& Entries() const { return m_positions; }
    std::vector<PositionEntry>& Entries() { return m_positions; }

    // Index of the position whose close order has this client reference, -1 when none.
    int FindClosing(const CString& clientRef) const;
    // Clears the closing mark of positions whose close order reached a final state; true when
    // any mark was cleared.
    bool ReleaseClosing(const CString& clientRef);

private:
    QuoteStore& m_store;
    std::vector<PositionEntry> m_positions;
};
