// The reply side of the trade protocol: turns one framed message of the order, query, own
// trade or proxy query connection into records and hands each to the main window with a
// synchronous message. A message holds one reply or several records separated by "#@"; a
// record is a type word, "@" and fields ("key:value" pieces separated by "#", or list items
// "[v0#v1#...]" whose first value may itself be "|"-separated). Status replies ("status:1"
// with "#name:", "status:-1", "status:-2", "SameLogin") are recognised anywhere in a message.
// Malformed records are skipped; nothing here reports to the user.
#pragma once
#include <afx.h>

#include "InitialQuery.h"

class CConnectionRegistry;
class IReceiverHost;
struct PositionRecord;

class CTradeReplyParser
{
public:
    CTradeReplyParser(IReceiverHost& host, CConnectionRegistry& registry);
    CTradeReplyParser(const CTradeReplyParser&) = delete;
    CTradeReplyParser& operator=(const CTradeReplyParser&) = delete;

    // The order connection: order reports (the order slot), pre-order information (to the
    // order-detail window), pushed positions and funds.
    void ParseOrderMessage(const CString& message);
    // The query connection: positions, order lists, fills, funds, the password result and the
    // client list; an accepted login starts the initial load.
    void ParseQueryMessage(const CString& message);
    // The own trading connection beside a proxy connection: order events of client accounts.
    void ParseOwnTradeMessage(const CString& message);
    // The proxy query connection: the client list.
    void ParseProxyQueryMessage(const CString& message);

    // The initial load of the query connection (started by its accepted login).
    CInitialQuery& GetInitialQuery() { return m_initialQuery; }
    const CInitialQuery& GetInitialQuery() const { return m_initialQuery; }

    // A position item's values (at least six) as a PositionRecord: code (without "SMART "),
    // name (the code when empty), third part of value 0, values 1 to 3, then "1" when value 4
    // reads below 1 (else value 4), then value 5.
    static void BuildPositionRecord(const CStringArray& values, PositionRecord& record);

private:
    bool HandleLoginAccepted(const CString& message, int kind);
    bool HandleStatusRecord(const CString& message);
    void SendToMain(UINT message, WPARAM wParam, LPARAM lParam);
    void SendThroughSlot(int slot, WPARAM wParam, LPARAM lParam);

    void HandleOrderInfo(const CString& record);
    void HandlePreOrderInfo(const CString& record);
    void HandlePushedPosition(const CString& record);
    void HandlePushedSummary(const CString& record);

    void HandlePositionList(const CString& message);
    void HandleOrderList(const CString& message);
    void HandleFills(const CString& message);
    void HandleQuerySummary(const CString& message);
    void HandlePasswordResult(const CString& message);
    void HandleClientResult(const CString& message);
    void HandleProxyClientList(const CString& record);

    IReceiverHost& m_host;
    CConnectionRegistry& m_registry;
    CInitialQuery m_initialQuery;
};
