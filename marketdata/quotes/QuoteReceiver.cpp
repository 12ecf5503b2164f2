#include "QuoteReceiver.h"

#include "MarketDataMessages.h"
#include "Network.h"
#include "ReceiverHost.h"
#include "SessionData.h"

CQuoteReceiver::CQuoteReceiver(IReceiverHost& host, CNetwork* connection)
    : CReplyReceiver(host, connection), m_quoteDown(0)
{
}

CQuoteReceiver::~CQuoteReceiver()
{
    StopBeforeDestruction(3000);
}

CReplyReceiver* CQuoteReceiver::Create(IReceiverHost& host, CNetwork* connection)
{
    return new CQuoteReceiver(host, connection);
}

void CQuoteReceiver::RunCycle()
{
    if (m_connection == NULL)
        return;
    if (!IsConnectionUp() && m_quoteDown == 0)
    {
        m_quoteDown = 1;
        m_parser.BuildHaltedBatch(m_batch);
        SendBatch(m_batch);
    }
    ParseQueuedMessages();
    m_parser.BuildBatch(m_batch, m_quoteDown);
    SendBatch(m_batch);
}

void CQuoteReceiver::ParseQueuedMessages()
{
    m_parser.BeginCycle();
    m_connection->TakeMessages(m_work);
    const CString userName = GetSessionData().m_strUserName;
    for (const NetMessage& message : m_work)
    {
        try
        {
            m_parser.ParseMessage(message, m_quoteDown, userName, m_host.GetMainWindow());
        }
        catch (...)
        {
            // A message the parser cannot take costs that message only.
        }
    }
}

void CQuoteReceiver::SendBatch(QuoteBatch& batch)
{
    ::SendMessage(m_host.GetMainWindow(), WM_QUOTE_BATCH, (WPARAM)&batch, 0);
    batch.clear();
}
