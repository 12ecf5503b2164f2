#include "ReplyReceiver.h"

#include "Network.h"
#include "WorkerThread.h"

CReplyReceiver::CReplyReceiver(IReceiverHost& host, CNetwork* connection)
    : m_host(host), m_connection(connection), m_thread(NULL), m_running(0), m_stopRequest(0),
      m_paused(0), m_cycles(0), m_cycleMs(100)
{
}

CReplyReceiver::~CReplyReceiver()
{
    // Derived parts are gone by now, so the thread must have been stopped by the derived
    // destructor or the owner; this only catches a forgotten handle.
    if (m_thread != NULL)
    {
        CloseHandle(m_thread);
        m_thread = NULL;
    }
}

bool CReplyReceiver::Start()
{
    if (m_thread != NULL)
        return false;
    InterlockedExchange(&m_stopRequest, 0);
    InterlockedExchange(&m_paused, 0);
    m_thread = StartWorkerThread(ThreadEntry, this, m_running);
    return m_thread != NULL;
}

void CReplyReceiver::RequestStop()
{
    InterlockedExchange(&m_stopRequest, 1);
}

void CReplyReceiver::Stop(DWORD timeoutMs)
{
    if (m_thread == NULL)
        return;
    RequestStop();
    EndWorkerThread(m_thread, timeoutMs, m_running);
}

void CReplyReceiver::SetPaused(bool paused)
{
    InterlockedExchange(&m_paused, paused ? 1 : 0);
}

bool CReplyReceiver::IsConnectionUp() const
{
    return m_connection != NULL && m_connection->GetClientState() == ClientState::Started;
}

unsigned __stdcall CReplyReceiver::ThreadEntry(void* self)
{
    static_cast<CReplyReceiver*>(self)->Loop();
    return 0;
}

void CReplyReceiver::Loop()
{
    while (m_stopRequest == 0)
    {
        if (m_paused == 0)
            RunCycle();
        InterlockedIncrement(&m_cycles);
        Sleep(m_cycleMs);
    }
    OnThreadEnd();
    InterlockedExchange(&m_running, 0);
}
