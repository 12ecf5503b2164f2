#include "BarDataStore.h"
#include "DateText.h"

namespace
{
// Bar times are stored in 32 bits, as TextToTime gives them.
int BarTime(LPCTSTR pszDateTime)
{
    return int(TextToTime(pszDateTime));
}
} // namespace

BarDataStore& GetBarDataStore()
{
    static BarDataStore store;
    return store;
}

BarDataStore::BarDataStore() : m_strKeyFormat("%s_%d")
{
}

BarDataStore::~BarDataStore()
{
}

CString BarDataStore::MakeKey(LPCTSTR pszCode, int nPeriod) const
{
    // The period is written in full, so "_1" and "_15" never collide.
    CString key;
    key.Format(m_strKeyFormat, pszCode, nPeriod);
    return key;
}

void BarDataStore::SetLastLoad(LPCTSTR pszCode, int nPeriod, LPCTSTR pszDateTime)
{
    CString key = MakeKey(pszCode, nPeriod);
    CSingleLock lock(&m_lock, TRUE);
    m_lastLoad[key] = BarTime(pszDateTime);
}

bool BarDataStore::IsAfterLastLoad(LPCTSTR pszCode, int nPeriod, LPCTSTR pszDateTime) const
{
    CString key = MakeKey(pszCode, nPeriod);
    CSingleLock lock(&m_lock, TRUE);
    auto it = m_lastLoad.find(key);
    return it != m_lastLoad.end() && it->second < BarTime(pszDateTime);
}

bool BarDataStore::IsRefreshDue(LPCTSTR pszCode, int nPeriod, LPCTSTR pszNow) const
{
    CString key = MakeKey(pszCode, nPeriod);
    CSingleLock lock(&m_lock, TRUE);
    auto it = m_lastLoad.find(key);
    if (it == m_lastLoad.end())
        return false;
    // 64 bits: a month's period added to a time near 2038 must not wrap.
    return static_cast<__int64>(it->second) + static_cast<__int64>(nPeriod) * 60 <=
           static_cast<__int64>(BarTime(pszNow));
}

std::map<CString, int> BarDataStore::GetLastLoad(LPCTSTR pszCode, int nPeriod) const
{
    CString key = MakeKey(pszCode, nPeriod);
    std::map<CString, int> entry;
    CSingleLock lock(&m_lock, TRUE);
    auto it = m_lastLoad.find(key);
    if (it != m_lastLoad.end())
        entry.insert(*it);
    return entry;
}

void BarDataStore::Clear()
{
    CSingleLock lock(&m_lock, TRUE);
    m_lastLoad.clear();
}
