// The client reference of a new order.
#pragma once
#include <afx.h>
#include <bitset>
#include <functional>
#include <mutex>

// The decimal text of a random number below 10000 followed by that of the tick count. No
// reference is handed out twice in one process, whichever thread asks: the C run-time
// generator is per thread (unseeded threads repeat the same numbers) and two calls may share
// a tick.
CString MakeRandomId();

// The maker behind MakeRandomId, with its random numbers and ticks given (tests script them).
// It remembers only the numbers used at the current tick, so its memory stays fixed however
// many references it makes. Uniqueness rests on three rules: the tick it writes never goes
// back (a tick counter that wrapped keeps the last value), a number is used once per tick
// (when all are used it goes on at the next tick value), and once the tick's text is longer
// than at the first reference only four-digit numbers are used, because "12" + "399" would
// repeat the earlier "123" + "99".
class CRandomIdMaker
{
public:
    CRandomIdMaker(std::function<int()> random, std::function<DWORD()> ticks);
    CString Make();

private:
    void MoveToTick(DWORD tick);

    std::function<int()> m_random;
    std::function<DWORD()> m_ticks;
    std::mutex m_lock;
    bool m_started;
    DWORD m_tick;
    int m_firstTickDigits;
    std::bitset<10000> m_usedAtTick;
};
