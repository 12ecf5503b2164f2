#include "ServerClock.h"

namespace {

__time64_t CurrentTime64()
{
    return _time64(nullptr);
}

DWORD CurrentTick()
{
    return ::GetTickCount();
}

}  // namespace

CServerClock::CServerClock()
    : CServerClock(CurrentTick, CurrentTime64)
{
}

CServerClock::CServerClock(TickSource tickSource, TimeSource timeSource)
    : m_tickSource(std::move(tickSource)),
      m_timeSource(std::move(timeSource)),
      m_nBaseTick(0),
      m_nBaseTime(0)
{
    ::InitializeCriticalSection(&m_lock);
    ResetToLocalClock();
}

CServerClock::~CServerClock()
{
    ::DeleteCriticalSection(&m_lock);
}

void CServerClock::SetBase(DWORD nTick, __time64_t nTime)
{
    ::EnterCriticalSection(&m_lock);
    m_nBaseTick = nTick;
    m_nBaseTime = nTime;
    ::LeaveCriticalSection(&m_lock);
}

void CServerClock::ResetToLocalClock()
{
    SetBase(m_tickSource(), m_timeSource());
}

bool CServerClock::IsPlausibleTime(__time64_t nTime)
{
    return nTime >= kFirstPlausibleTime && nTime < kEndOfPlausibleTimes;
}

bool CServerClock::ApplyServerOffset(__int64 nOffsetSeconds)
{
    const DWORD nTick = m_tickSource();
    const __time64_t nLocal = m_timeSource();
    // Compared before adding: a wild offset must not overflow the sum either.
    if (nOffsetSeconds < kFirstPlausibleTime - nLocal || nOffsetSeconds >= kEndOfPlausibleTimes - nLocal)
        return false;
    SetBase(nTick, nLocal + nOffsetSeconds);
    return true;
}

__time64_t CServerClock::Now()
{
    ::EnterCriticalSection(&m_lock);
    const DWORD nNow = m_tickSource();
    // Unsigned subtraction also covers a counter that wrapped since the base: it yields
    // 2^32 + now - base, the real elapsed milliseconds.
    const DWORD nElapsedMs = nNow - m_nBaseTick;
    const __time64_t nResult = m_nBaseTime + static_cast<__time64_t>(nElapsedMs / 1000);
    const bool bWrapped = nNow < m_nBaseTick;
    if (bWrapped || nElapsedMs > kRebaseAfterMs)
    {
        m_nBaseTick = nNow;
        m_nBaseTime = nResult;
    }
    ::LeaveCriticalSection(&m_lock);
    return nResult;
}

void CServerClock::GetBase(DWORD& nBaseTick, __time64_t& nBaseTime)
{
    ::EnterCriticalSection(&m_lock);
    nBaseTick = m_nBaseTick;
    nBaseTime = m_nBaseTime;
    ::LeaveCriticalSection(&m_lock);
}

CServerClock& GetServerClock()
{
    static CServerClock clock;
    return clock;
}

CTime GetServerTime()
{
    return CTime(GetServerClock().Now());
}
