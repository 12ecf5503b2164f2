// The receiver of a trading connection: the order connection, the query connection, the own
// trading connection beside a proxy connection, or the proxy query connection. Each cycle it
// takes the connection's messages and parses them in arrival order; while the connection is
// down it reports the loss once (the login state falls from 1 to -1).
#pragma once
#include <afx.h>
#include <vector>

#include "ConnectionStates.h"
#include "NetMessage.h"
#include "ReplyReceiver.h"
#include "TradeReplyParser.h"

class CConnectionRegistry;

class CTradeReplyReceiver : public CReplyReceiver
{
public:
    // kind: CONNECTION_KIND_ORDER, _QUERY, _OWN_TRADE or _PROXY_QUERY.
    CTradeReplyReceiver(IReceiverHost& host, CConnectionRegistry& registry, CNetwork* connection,
                        ConnectionKind kind);
    ~CTradeReplyReceiver() override;

    ConnectionKind GetKind() const { return m_kind; }
    CTradeReplyParser& GetParser() { return m_parser; }

    // Also asks a running initial load to end.
    void RequestStop() override;
    // Also while an initial load it started runs.
    bool IsRunning() const override;
    void RunCycle() override;

    // Parses one message with the parser of this connection kind.
    void ParseMessage(const CString& message);

protected:
    void OnThreadEnd() override;

private:
    void ReportLoss();

    ConnectionKind m_kind;
    CTradeReplyParser m_parser;
    std::vector<NetMessage> m_work;
};
