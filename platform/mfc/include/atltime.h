// CTime and CTimeSpan: seconds since 1970-01-01 UTC (64-bit). Calendar fields are local
// time of the Windows time zone setting (read through the Win32 time-zone API, not the C
// run-time's TZ variable).
#pragma once

#include "afxdefs.h"
#include "afxstr.h"
#include <time.h>

// Windows headers define GetCurrentTime() as a macro for GetTickCount(), which would rename
// CTime::GetCurrentTime and COleDateTime::GetCurrentTime; keep the old name as a function.
#ifdef GetCurrentTime
#undef GetCurrentTime
inline DWORD GetCurrentTime() { return ::GetTickCount(); }
#endif

class AFX_API CTimeSpan
{
public:
    CTimeSpan() noexcept : m_timeSpan(0) {}
    CTimeSpan(__time64_t time) noexcept : m_timeSpan(time) {}
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) noexcept { SetDateTimeSpan(lDays, nHours, nMins, nSecs); }

    void SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) noexcept
    {
        m_timeSpan = nSecs + 60 * (nMins + 60 * (nHours + (__time64_t)24 * lDays));
    }

    LONGLONG GetDays() const noexcept { return m_timeSpan / (24 * 3600); }
    LONGLONG GetTotalHours() const noexcept { return m_timeSpan / 3600; }
    LONG GetHours() const noexcept { return (LONG)(GetTotalHours() - GetDays() * 24); }
    LONGLONG GetTotalMinutes() const noexcept { return m_timeSpan / 60; }
    LONG GetMinutes() const noexcept { return (LONG)(GetTotalMinutes() - GetTotalHours() * 60); }
    LONGLONG GetTotalSeconds() const noexcept { return m_timeSpan; }
    LONG GetSeconds() const noexcept { return (LONG)(GetTotalSeconds() - GetTotalMinutes() * 60); }
    __time64_t GetTimeSpan() const noexcept { return m_timeSpan; }

    CTimeSpan operator+(CTimeSpan span) const noexcept { return CTimeSpan(m_timeSpan + span.m_timeSpan); }
    CTimeSpan operator-(CTimeSpan span) const noexcept { return CTimeSpan(m_timeSpan - span.m_timeSpan); }
    CTimeSpan& operator+=(CTimeSpan span) noexcept { m_timeSpan += span.m_timeSpan; return *this; }
    CTimeSpan& operator-=(CTimeSpan span) noexcept { m_timeSpan -= span.m_timeSpan; return *this; }
    bool operator==(CTimeSpan span) const noexcept { return m_timeSpan == span.m_timeSpan; }
    bool operator!=(CTimeSpan span) const noexcept { return m_timeSpan != span.m_timeSpan; }
    bool operator<(CTimeSpan span) const noexcept { return m_timeSpan < span.m_timeSpan; }
    bool operator>(CTimeSpan span) const noexcept { return m_timeSpan > span.m_timeSpan; }
    bool operator<=(CTimeSpan span) const noexcept { return m_timeSpan <= span.m_timeSpan; }
    bool operator>=(CTimeSpan span) const noexcept { return m_timeSpan >= span.m_timeSpan; }

    // %D days, %H hours (0-23), %M minutes, %S seconds, %% percent sign.
    CString Format(LPCSTR pszFormat) const;
    CString Format(UINT nFormatID) const;

private:
    __time64_t m_timeSpan;
};

class AFX_API CTime
{
public:
    static CTime WINAPI GetCurrentTime();
    static BOOL WINAPI IsValidFILETIME(const FILETIME& ft);

    CTime() noexcept : m_time(0) {}
    CTime(__time64_t time) noexcept : m_time(time) {}
    // Local calendar time; fields out of range roll over (month 13 is January of next year).
    // nDST is accepted for compatibility; daylight saving follows the time-zone rules.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    CTime(WORD wDosDate, WORD wDosTime, int nDST = -1);
    CTime(const SYSTEMTIME& st, int nDST = -1);   // local time
    CTime(const FILETIME& ft, int nDST = -1);     // UTC file time

    CTime& operator=(__time64_t time) noexcept { m_time = time; return *this; }

    CTime& operator+=(CTimeSpan span) noexcept { m_time += span.GetTimeSpan(); return *this; }
    CTime& operator-=(CTimeSpan span) noexcept { m_time -= span.GetTimeSpan(); return *this; }
    CTimeSpan operator-(CTime time) const noexcept { return CTimeSpan(m_time - time.m_time); }
    CTime operator-(CTimeSpan span) const noexcept { return CTime(m_time - span.GetTimeSpan()); }
    CTime operator+(CTimeSpan span) const noexcept { return CTime(m_time + span.GetTimeSpan()); }

    bool operator==(CTime time) const noexcept { return m_time == time.m_time; }
    bool operator!=(CTime time) const noexcept { return m_time != time.m_time; }
    bool operator<(CTime time) const noexcept { return m_time < time.m_time; }
    bool operator>(CTime time) const noexcept { return m_time > time.m_time; }
    bool operator<=(CTime time) const noexcept { return m_time <= time.m_time; }
    bool operator>=(CTime time) const noexcept { return m_time >= time.m_time; }

    struct tm* GetGmtTm(struct tm* ptm) const;
    struct tm* GetLocalTm(struct tm* ptm) const;
    bool GetAsSystemTime(SYSTEMTIME& st) const;   // local time

    __time64_t GetTime() const noexcept { return m_time; }

    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;   // 1 = Sunday

    // strftime-style: %Y %y %m %d %j %H %I %M %S %p %a %A %b %B %w %c %x %X %z %Z %%;
    // a '#' after '%' drops leading zeros. Format uses local time, FormatGmt UTC.
    CString Format(LPCSTR pszFormat) const;
    CString FormatGmt(LPCSTR pszFormat) const;
    CString Format(UINT nFormatID) const;
    CString FormatGmt(UINT nFormatID) const;

private:
    __time64_t m_time;
};
