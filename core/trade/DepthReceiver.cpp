#include "DepthReceiver.h"

#include "DepthStreamParser.h"
#include "Network.h"
#include "ReceiverHost.h"

CDepthReceiver::CDepthReceiver(IReceiverHost& host, CNetwork* connection)
    : CReplyReceiver(host, connection)
{
    ResetDepthBook(m_book);
}

CDepthReceiver::~CDepthReceiver()
{
    StopBeforeDestruction(3000);
}

void CDepthReceiver::SetIndex(int index, const CString& serverName)
{
    SetDepthBookIndex(m_book, index, serverName);
}

void CDepthReceiver::RunCycle()
{
    if (m_connection == NULL)
        return;
    m_connection->TakeMessages(m_work);
    if (!IsConnectionUp())
        ResetDepthBook(m_book);
    if (!m_work.empty())
        ParseDepthBatch(m_book, m_work, m_host.GetMainWindow());
    m_work.clear();
}
