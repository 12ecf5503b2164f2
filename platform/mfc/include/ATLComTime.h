// COleDateTime and COleDateTimeSpan: OLE automation dates (days since 1899-12-30 as a double;
// the fraction is the time of day). Values carry a status: valid, invalid or null.
#pragma once

#include "afxdefs.h"
#include "afxstr.h"
#include "atltime.h"
#include <oleauto.h>

class AFX_API COleDateTimeSpan
{
public:
    enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTimeSpan() noexcept : m_span(0), m_status(valid) {}
    COleDateTimeSpan(double dblSpanSrc) noexcept : m_span(dblSpanSrc), m_status(valid) {}
    COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) noexcept
    {
        SetDateTimeSpan(lDays, nHours, nMins, nSecs);
    }

    void SetStatus(DateTimeSpanStatus status) noexcept { m_status = status; }
    DateTimeSpanStatus GetStatus() const noexcept { return m_status; }
    void SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) noexcept;

    double GetTotalDays() const noexcept { return m_span; }
    double GetTotalHours() const noexcept;
    double GetTotalMinutes() const noexcept;
    double GetTotalSeconds() const noexcept;
    LONG GetDays() const noexcept { return (LONG)GetTotalDays(); }
    LONG GetHours() const noexcept;
    LONG GetMinutes() const noexcept;
    LONG GetSeconds() const noexcept;

    COleDateTimeSpan& operator=(double dblSpanSrc) noexcept { m_span = dblSpanSrc; m_status = valid; return *this; }
    bool operator==(const COleDateTimeSpan& span) const noexcept;
    bool operator!=(const COleDateTimeSpan& span) const noexcept { return !(*this == span); }
    bool operator<(const COleDateTimeSpan& span) const noexcept;
    bool operator>(const COleDateTimeSpan& span) const noexcept { return span < *this; }
    bool operator<=(const COleDateTimeSpan& span) const noexcept { return !(span < *this); }
    bool operator>=(const COleDateTimeSpan& span) const noexcept { return !(*this < span); }

    COleDateTimeSpan operator+(const COleDateTimeSpan& span) const noexcept;
    COleDateTimeSpan operator-(const COleDateTimeSpan& span) const noexcept;
    COleDateTimeSpan& operator+=(const COleDateTimeSpan span) noexcept { return *this = *this + span; }
    COleDateTimeSpan& operator-=(const COleDateTimeSpan span) noexcept { return *this = *this - span; }
    COleDateTimeSpan operator-() const noexcept;
    operator double() const noexcept { return m_span; }

    // %D days, %H hours, %M minutes, %S seconds, %% percent sign.
    CString Format(LPCSTR pFormat) const;
    CString Format(UINT nID) const;

    double m_span;
    DateTimeSpanStatus m_status;
};

class AFX_API COleDateTime
{
public:
    enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

    static COleDateTime WINAPI GetCurrentTime();   // local time

    COleDateTime() noexcept : m_dt(0), m_status(valid) {}
    COleDateTime(DATE dtSrc) noexcept : m_dt(dtSrc), m_status(valid) {}
    COleDateTime(__time64_t timeSrc);                 // converted to local time
    COleDateTime(const SYSTEMTIME& systimeSrc);
    COleDateTime(const FILETIME& filetimeSrc);        // taken as is (no zone change)
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    COleDateTime(WORD wDosDate, WORD wDosTime);

    COleDateTime& operator=(DATE dtSrc) noexcept { m_dt = dtSrc; m_status = valid; return *this; }
    COleDateTime& operator=(const __time64_t& timeSrc);
    COleDateTime& operator=(const SYSTEMTIME& systimeSrc);
    COleDateTime& operator=(const FILETIME& filetimeSrc);

    bool operator==(const COleDateTime& date) const noexcept;
    bool operator!=(const COleDateTime& date) const noexcept { return !(*this == date); }
    bool operator<(const COleDateTime& date) const noexcept;
    bool operator>(const COleDateTime& date) const noexcept { return date < *this; }
    bool operator<=(const COleDateTime& date) const noexcept { return !(date < *this); }
    bool operator>=(const COleDateTime& date) const noexcept { return !(*this < date); }

    COleDateTime operator+(COleDateTimeSpan dateSpan) const;
    COleDateTime operator-(COleDateTimeSpan dateSpan) const;
    COleDateTime& operator+=(COleDateTimeSpan dateSpan) { return *this = *this + dateSpan; }
    COleDateTime& operator-=(COleDateTimeSpan dateSpan) { return *this = *this - dateSpan; }
    COleDateTimeSpan operator-(const COleDateTime& date) const;

    operator DATE() const noexcept { return m_dt; }

    DateTimeStatus GetStatus() const noexcept { return m_status; }
    void SetStatus(DateTimeStatus status) noexcept { m_status = status; }

    bool GetAsSystemTime(SYSTEMTIME& sysTime) const;
    bool GetAsUDATE(UDATE& udate) const;

    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;   // 1 = Sunday
    int GetDayOfYear() const;   // 1 = January 1st

    // 0 on success; on a field out of range the value becomes invalid and 1 is returned.
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    int SetDate(int nYear, int nMonth, int nDay);
    int SetTime(int nHour, int nMin, int nSec);

    // Reads "YYYY-MM-DD[ HH:MM[:SS]]" (also with '/' or '.'), "HH:MM[:SS]" and, failing
    // those, whatever the system's locale parser accepts. On failure the value becomes
    // invalid and false is returned. dwFlags: VAR_TIMEVALUEONLY / VAR_DATEVALUEONLY.
    bool ParseDateTime(LPCSTR lpszDate, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT);

    // The locale's form (as VarBstrFromDate writes it); an invalid value gives an empty string.
    CString Format(DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) const;
    // strftime-style codes as CTime::Format.
    CString Format(LPCSTR lpszFormat) const;
    CString Format(UINT nFormatID) const;

    DATE m_dt;
    DateTimeStatus m_status;
};
