// For each instrument code and bar period, the time of the last bar that reached the charts.
// The history download records it after loading a series; the K-line worker delivers only
// later bars and moves it on; the main window asks whether a whole period has passed.
// Date-time texts are those TextToTime reads: "YYYY-MM-DD HH:MM" (or "/" separators).
#pragma once
#include <map>
#include <afx.h>
#include <afxmt.h>

class BarDataStore
{
public:
    BarDataStore();
    ~BarDataStore();

    // nPeriod is the bar length in minutes (0 day, 5040 week, 43200 month).
    void SetLastLoad(LPCTSTR pszCode, int nPeriod, LPCTSTR pszDateTime);
    // False for a series never loaded; else whether the time is after its last load
    bool IsAfterLastLoad(LPCTSTR pszCode, int nPeriod, LPCTSTR pszDateTime) const;
    // False for a series never loaded; else whether a whole period has passed since its
    // last load (for the day series: as soon as the last load is not after now)
    bool IsRefreshDue(LPCTSTR pszCode, int nPeriod, LPCTSTR pszNow) const;
    // A map holding the one entry of the series, empty when it was never loaded
    std::map<CString, int> GetLastLoad(LPCTSTR pszCode, int nPeriod) const;
    void Clear();

private:
    BarDataStore(const BarDataStore&) = delete;
    BarDataStore& operator=(const BarDataStore&) = delete;

    CString MakeKey(LPCTSTR pszCode, int nPeriod) const;

    mutable CCriticalSection m_lock;
    std::map<CString, int> m_lastLoad; // "code_period" -> seconds since 1970
    const CString m_strKeyFormat;
};

// The one store of the process, created on first use
BarDataStore& GetBarDataStore();
