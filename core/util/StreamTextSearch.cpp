#include "StreamTextSearch.h"

#include <string.h>

CStreamTextSearch::CStreamTextSearch(LPCSTR marker)
    : m_marker(marker), m_found(false)
{
}

void CStreamTextSearch::Reset()
{
    m_pending.clear();
    m_found = false;
}

bool CStreamTextSearch::Add(const char* bytes, size_t length)
{
    if (m_found || m_marker.empty())
        return m_found = true;
    m_pending.append(bytes, length);
    const char* const begin = m_pending.data();
    const char* const end = begin + m_pending.size();
    const size_t markerLength = m_marker.size();
    const char* p = begin;
    while ((size_t)(end - p) >= markerLength)
    {
        if (*p == m_marker[0] && memcmp(p, m_marker.data(), markerLength) == 0)
        {
            m_pending.clear();
            return m_found = true;
        }
        if (AfxIsDBCSLeadByte((BYTE)*p))
        {
            if (p + 1 == end)
                break;  // how far this character reaches depends on the next piece
            p += 2;
        }
        else
        {
            ++p;
        }
    }
    m_pending.erase(0, (size_t)(p - begin));
    return false;
}
