// When a chart that has not loaded its series is asked again: first after the initial wait,
// then at doubling intervals up to a ceiling, so a slow or failing service is not flooded.
#pragma once
#include <windows.h>

class ReRequestBackoff
{
public:
    ReRequestBackoff(DWORD firstMs, DWORD ceilingMs) : m_next(firstMs), m_step(firstMs), m_ceiling(ceilingMs) {}

    // True when a re-request is due at `elapsedMs` since the wait began; then the next one
    // is scheduled.
    bool Due(DWORD elapsedMs)
    {
        if (elapsedMs < m_next)
            return false;
        m_step = m_step * 2 > m_ceiling ? m_ceiling : m_step * 2;
        m_next = elapsedMs + m_step;
        return true;
    }

private:
    DWORD m_next;
    DWORD m_step;
    DWORD m_ceiling;
};
