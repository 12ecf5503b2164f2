#include "HistoryServiceChoice.h"

#include <stdlib.h>
#include <time.h>

#include "HistoryServices.h"
#include "WebServiceConfig.h"

CHistoryServiceChoice::CHistoryServiceChoice(std::function<int()> randomValue)
    : m_randomValue(std::move(randomValue))
{
}

void CHistoryServiceChoice::SetBases(std::vector<CString> bases)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_bases = std::move(bases);
    m_current = -1;
}

bool CHistoryServiceChoice::Pick(const std::set<int>& excluded)
{
    std::lock_guard<std::mutex> guard(m_lock);
    const int chosen = ChooseUntriedService(static_cast<int>(m_bases.size()), excluded, m_randomValue());
    if (chosen < 0)
        return false;
    m_current = chosen;
    SetHistoryServiceBase(m_bases[chosen]);
    return true;
}

int CHistoryServiceChoice::Current() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_current;
}

CHistoryServiceChoice& GetHistoryServiceChoice()
{
    static CHistoryServiceChoice choice([] {
        srand(static_cast<unsigned>(_time64(NULL)));
        return rand();
    });
    return choice;
}
