#include "StoppableThread.h"

#include <process.h>

#include "ThreadWait.h"

CStoppableThread::CStoppableThread(const char* name)
    : m_name(name), m_thread(NULL), m_threadId(0), m_stopEvent(::CreateEvent(NULL, TRUE, FALSE, NULL)),
      m_wakeEvent(::CreateEvent(NULL, FALSE, FALSE, NULL)), m_stopRequest(0)
{
}

CStoppableThread::~CStoppableThread()
{
    Join(0);
    if (m_thread != NULL)
        ::CloseHandle(m_thread);
    ::CloseHandle(m_stopEvent);
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
    InterlockedExchange(&m_stopRequest, 0);
    ::ResetEvent(m_stopEvent);
    ::ResetEvent(m_wakeEvent);
    std::function<void()>* handedOver = new std::function<void()>(std::move(work));
    unsigned threadId = 0;
    m_thread = (HANDLE)_beginthreadex(NULL, 0, &CStoppableThread::Entry, handedOver, 0, &threadId);
    if (m_thread == NULL)
    {
        delete handedOver;
        return false;
    }
    m_threadId = threadId;
    return true;
}

unsigned __stdcall CStoppableThread::Entry(void* work)
{
    std::function<void()>* handedOver = static_cast<std::function<void()>*>(work);
    (*handedOver)();
    delete handedOver;
    return 0;
}

void CStoppableThread::RequestStop()
{
    InterlockedExchange(&m_stopRequest, 1);
    ::SetEvent(m_stopEvent);
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
    if (m_stopRequest != 0)
        return true;
    HANDLE events[2] = {m_stopEvent, m_wakeEvent};
    ::WaitForMultipleObjects(2, events, FALSE, ms);
    return m_stopRequest != 0;
}
