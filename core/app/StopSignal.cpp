#include "StopSignal.h"

namespace
{
thread_local CStopSignal* t_currentSignal = nullptr;
}

CStopSignal::CStopSignal() : m_raised(0), m_event(::CreateEvent(NULL, TRUE, FALSE, NULL)), m_nextWaker(1)
{
    ::InitializeCriticalSection(&m_lock);
}

CStopSignal::~CStopSignal()
{
    ::DeleteCriticalSection(&m_lock);
    if (m_event != NULL)
        ::CloseHandle(m_event);
}

void CStopSignal::Raise()
{
    ::EnterCriticalSection(&m_lock);
    ::InterlockedExchange(&m_raised, 1);
    ::SetEvent(m_event);
    for (auto& waker : m_wakers)
        waker.second();
    ::LeaveCriticalSection(&m_lock);
}

void CStopSignal::Lower()
{
    ::EnterCriticalSection(&m_lock);
    ::InterlockedExchange(&m_raised, 0);
    ::ResetEvent(m_event);
    ::LeaveCriticalSection(&m_lock);
}

int CStopSignal::AddWaker(std::function<void()> wake)
{
    ::EnterCriticalSection(&m_lock);
    int id = 0;
    if (m_raised == 0)
    {
        id = m_nextWaker++;
        m_wakers[id] = std::move(wake);
    }
    ::LeaveCriticalSection(&m_lock);
    return id;
}

void CStopSignal::RemoveWaker(int id)
{
    if (id == 0)
        return;
    ::EnterCriticalSection(&m_lock);
    m_wakers.erase(id);
    ::LeaveCriticalSection(&m_lock);
}

CStopSignal* CStopSignal::OfCurrentThread()
{
    return t_currentSignal;
}

void CStopSignal::SetForCurrentThread(CStopSignal* signal)
{
    t_currentSignal = signal;
}

bool CStopSignal::IsCurrentThreadStopped()
{
    return t_currentSignal != nullptr && t_currentSignal->IsRaised();
}
