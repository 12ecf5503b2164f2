#include "TradeReplyReceiver.h"

#include "Network.h"
#include "ReceiverHost.h"
#include "ReplyMessages.h"

namespace
{
const DWORD kStopWaitMs = 3000;
}

CTradeReplyReceiver::CTradeReplyReceiver(IReceiverHost& host, CConnectionRegistry& registry,
                                         CNetwork* connection, ConnectionKind kind)
    : CReplyReceiver(host, connection), m_kind(kind), m_parser(host, registry)
{
}

CTradeReplyReceiver::~CTradeReplyReceiver()
{
    // The parser's initial load waits for its own thread when it is destroyed.
    StopBeforeDestruction(kStopWaitMs);
}

bool CTradeReplyReceiver::IsRunning() const
{
    return CReplyReceiver::IsRunning() || m_parser.GetInitialQuery().IsRunning();
}

void CTradeReplyReceiver::RequestStop()
{
    CReplyReceiver::RequestStop();
    m_parser.GetInitialQuery().RequestStop();
}

void CTradeReplyReceiver::OnThreadEnd()
{
    // The receiver's thread is the only one that starts initial loads, so it also ends the
    // last one; the shutdown then needs to wait for the receivers only.
    m_parser.GetInitialQuery().Stop(kStopWaitMs);
}

void CTradeReplyReceiver::RunCycle()
{
    if (m_connection == NULL)
        return;
    if (!IsConnectionUp())
    {
        ReportLoss();
        return;
    }
    m_connection->TakeMessages(m_work);
    for (const NetMessage& message : m_work)
        ParseMessage(message.strText);
}

void CTradeReplyReceiver::ParseMessage(const CString& message)
{
    try
    {
        switch (m_kind)
        {
        case CONNECTION_KIND_ORDER:
            m_parser.ParseOrderMessage(message);
            break;
        case CONNECTION_KIND_QUERY:
            m_parser.ParseQueryMessage(message);
            break;
        case CONNECTION_KIND_OWN_TRADE:
            m_parser.ParseOwnTradeMessage(message);
            break;
        case CONNECTION_KIND_PROXY_QUERY:
            m_parser.ParseProxyQueryMessage(message);
            break;
        }
    }
    catch (...)
    {
        // A reply the parser cannot take costs that message only, never the receiver.
    }
}

void CTradeReplyReceiver::ReportLoss()
{
    // Once per loss: only a logged-in state falls to -1; a displaced connection (2) stays.
    volatile LONG* state = ConnectionStateOf(m_kind);
    if (InterlockedCompareExchange(state, CONNECTION_LOST, CONNECTION_LOGGED_IN) != CONNECTION_LOGGED_IN)
        return;
    if (m_kind != CONNECTION_KIND_PROXY_QUERY)
        ::SendMessage(m_host.GetMainWindow(), WM_CONNECTION_STATE, (WPARAM)m_kind, (LPARAM)CONNECTION_LOST);
}
