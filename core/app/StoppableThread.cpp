#include "StoppableThread.h"

#include <process.h>

#include "ThreadWait.h"

struct CStoppableThread::Launch
{
    CStoppableThread* owner;
    std::function<void()> work;
};

CStoppableThread::CStoppableThread(const char* name)
    : m_name(name), m_thread(NULL), m_threadId(0), m_wakeEvent(::CreateEvent(NULL, FALSE, FALSE, NULL))
{
}

CStoppableThread::~CStoppableThread()
{
    Join(0);
    if (m_thread != NULL)
        ::CloseHandle(m_thread);
    ::CloseHandle(m_wakeEvent);
}

bool CStoppableThread::IsAlive() const
{
    return m_thread != NULL && ::WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT;
}

bool CStoppableThread::IsCurrentThread() const
{
    return m_thread != NULL && ::GetCurrentThreadId() == m_threadId;
}

void CStoppableThread::CloseEndedThread()
{
    if (m_thread == NULL)
        return;
    ::CloseHandle(m_thread);
    m_thread = NULL;
    m_threadId = 0;
}

bool CStoppableThread::Start(std::function<void()> work)
{
    if (IsAlive())
        return false;
    CloseEndedThread();
    m_stop.Lower();
    ::ResetEvent(m_wakeEvent);
    Launch* launch = new Launch{this, std::move(work)};
    unsigned threadId = 0;
    m_thread = (HANDLE)_beginthreadex(NULL, 0, &CStoppableThread::Entry, launch, 0, &threadId);
    if (m_thread == NULL)
    {
        delete launch;
        return false;
    }
    m_threadId = threadId;
    return true;
}

unsigned __stdcall CStoppableThread::Entry(void* argument)
{
    Launch* launch = static_cast<Launch*>(argument);
    CStopSignal::SetForCurrentThread(&launch->owner->m_stop);
    launch->work();
    CStopSignal::SetForCurrentThread(nullptr);
    delete launch;
    return 0;
}

void CStoppableThread::RequestStop()
{
    m_stop.Raise();
}

bool CStoppableThread::Stop(DWORD timeoutMs)
{
    RequestStop();
    if (m_thread == NULL)
        return true;
    if (IsCurrentThread())
        return false;
    if (!WaitForThread(m_thread, timeoutMs))
    {
        ReportThreadLeftRunning(m_name, timeoutMs);
        return false;
    }
    CloseEndedThread();
    return true;
}

void CStoppableThread::Join(DWORD reportAfterMs)
{
    if (Stop(reportAfterMs) || IsCurrentThread())
        return;
    WaitForThread(m_thread, INFINITE);
    CloseEndedThread();
}

void CStoppableThread::Wake()
{
    ::SetEvent(m_wakeEvent);
}

bool CStoppableThread::WaitForWake(DWORD ms)
{
    if (m_stop.IsRaised())
        return true;
    HANDLE events[2] = {m_stop.GetEvent(), m_wakeEvent};
    ::WaitForMultipleObjects(2, events, FALSE, ms);
    return m_stop.IsRaised();
}
