// The server clock: the time every part of the program stamps and checks with. It is a
// base pair (a tick count and a calendar time) plus the ticks elapsed since the base. The
// base starts on the PC clock and is moved once the companion program Horavane reports
// how far the server's clock is from ours.
#pragma once
#include <afx.h>
#include <functional>

// Message of the offset exchange with Horavane: the main window posts it to Horavane's
// window (wParam = requesting window) and Horavane sends it back (wParam = server date as
// the decimal YYYYMMDD, lParam = server time minus local time in seconds, signed, as wide as
// LPARAM).
#define WM_SERVER_TIME (WM_USER + 888)

class CServerClock
{
public:
    typedef std::function<DWORD()> TickSource;        // milliseconds, wraps at 2^32
    typedef std::function<__time64_t()> TimeSource;   // seconds since 1970-01-01 UTC

    // Elapsed milliseconds after which the base is moved forward, so that the sub-second
    // drift of a long run never accumulates and the tick counter never wraps unseen.
    static const DWORD kRebaseAfterMs = 100000000;

    CServerClock();
    CServerClock(TickSource tickSource, TimeSource timeSource);
    ~CServerClock();
    CServerClock(const CServerClock&) = delete;
    CServerClock& operator=(const CServerClock&) = delete;

    // Takes the base from the PC clock (program start).
    void ResetToLocalClock();
    // Server times worth believing: 2000-01-01 00:00:00 UTC up to the end of 2099. The
    // program writes every date with the century "20".
    static const __time64_t kFirstPlausibleTime = 946684800;
    static const __time64_t kEndOfPlausibleTimes = 4102444800;
    static bool IsPlausibleTime(__time64_t nTime);

    // Takes the base from the PC clock shifted by the server's offset in seconds. An offset
    // that would put the clock outside the plausible times is refused (false): the clock
    // keeps its base.
    bool ApplyServerOffset(__int64 nOffsetSeconds);
    // The current server time in seconds; rebases after a tick-counter wrap or a long run.
    __time64_t Now();
    // The current base pair (for diagnostics and tests).
    void GetBase(DWORD& nBaseTick, __time64_t& nBaseTime);

private:
    void SetBase(DWORD nTick, __time64_t nTime);

    TickSource m_tickSource;
    TimeSource m_timeSource;
    CRITICAL_SECTION m_lock;   // the clock lock; held only for the computation
    DWORD m_nBaseTick;
    __time64_t m_nBaseTime;
};

// The process-wide clock, created on first use.
CServerClock& GetServerClock();

// The current server time; callable from any thread.
CTime GetServerTime();
