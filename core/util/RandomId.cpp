#include "RandomId.h"

#include <stdlib.h>

namespace
{
const int kNumbers = 10000;

int DecimalDigits(DWORD value)
{
    int digits = 1;
    while (value >= 10)
    {
        value /= 10;
        ++digits;
    }
    return digits;
}
}

CRandomIdMaker::CRandomIdMaker(std::function<int()> random, std::function<DWORD()> ticks)
    : m_random(std::move(random)), m_ticks(std::move(ticks)), m_started(false), m_tick(0), m_firstTickDigits(0)
{
}

void CRandomIdMaker::MoveToTick(DWORD tick)
{
    m_tick = tick;
    m_usedAtTick.reset();
}

CString CRandomIdMaker::Make()
{
    std::lock_guard<std::mutex> guard(m_lock);
    const DWORD now = m_ticks();
    if (!m_started)
    {
        m_started = true;
        m_firstTickDigits = DecimalDigits(now);
        MoveToTick(now);
    }
    else if (now > m_tick)
    {
        MoveToTick(now);
    }

    int number = m_random() % kNumbers;
    if (number < 0)
        number += kNumbers;
    for (;;)
    {
        const int lowest = DecimalDigits(m_tick) > m_firstTickDigits ? 1000 : 0;
        for (int tries = 0; tries < kNumbers; ++tries, number = (number + 1) % kNumbers)
        {
            if (number < lowest || m_usedAtTick[number])
                continue;
            m_usedAtTick[number] = true;
            CString id;
            // Unsigned: after 24.8 days of uptime a signed tick count would put a "-" in the
            // middle.
            id.Format("%d%lu", number, (unsigned long)m_tick);
            return id;
        }
        MoveToTick(m_tick + 1);
    }
}

CString MakeRandomId()
{
    static CRandomIdMaker maker([] { return rand(); }, [] { return ::GetTickCount(); });
    return maker.Make();
}
