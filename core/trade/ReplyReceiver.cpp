#include "ReplyReceiver.h"

#include "Network.h"

CReplyReceiver::CReplyReceiver(IReceiverHost& host, CNetwork* connection)
    : m_host(host), m_connection(connection), m_worker("reply receiver"), m_paused(0), m_cycles(0), m_cycleMs(100)
{
}

CReplyReceiver::~CReplyReceiver()
{
}

bool CReplyReceiver::Start(bool paused)
{
    if (m_worker.GetHandle() != NULL)
        return false;
    InterlockedExchange(&m_paused, paused ? 1 : 0);
    return m_worker.Start([this] { Loop(); });
}

void CReplyReceiver::RequestStop()
{
    m_worker.RequestStop();
}

bool CReplyReceiver::Stop(DWORD timeoutMs)
{
    RequestStop();
    return m_worker.Stop(timeoutMs);
}

void CReplyReceiver::SetPaused(bool paused)
{
    InterlockedExchange(&m_paused, paused ? 1 : 0);
}

bool CReplyReceiver::IsConnectionUp() const
{
    return m_connection != NULL && m_connection->GetClientState() == ClientState::Started;
}

void CReplyReceiver::Loop()
{
    // Cycles begin a cycle length apart, however long their work took (a busy quote stream
    // must not stretch the time a tick waits for its batch); one that overran is followed at
    // once. The pause between cycles ends early for a stop, so the shutdown need not wait it out.
    DWORD pause = 0;
    do
    {
        const ULONGLONG began = ::GetTickCount64();
        if (m_paused == 0 && !m_worker.IsStopRequested())
            RunCycle();
        InterlockedIncrement(&m_cycles);
        const ULONGLONG spent = ::GetTickCount64() - began;
        pause = spent < m_cycleMs ? static_cast<DWORD>(m_cycleMs - spent) : 0;
    } while (!m_worker.WaitForWake(pause));
    OnThreadEnd();
}
