// The library-wide locks of the chart windows: the chart lock (bars, views, panels of every
// chart) and the title lock. They are made once for the library and live as long as it:
// a window must never initialise or delete a lock that another window may be holding.
#pragma once
#include <afx.h>

CRITICAL_SECTION& ChartLock();
CRITICAL_SECTION& TitleLock();

class CLockGuard
{
public:
    explicit CLockGuard(CRITICAL_SECTION& lock) : m_lock(lock) { EnterCriticalSection(&m_lock); }
    ~CLockGuard() { LeaveCriticalSection(&m_lock); }
    CLockGuard(const CLockGuard&) = delete;
    CLockGuard& operator=(const CLockGuard&) = delete;

private:
    CRITICAL_SECTION& m_lock;
};
