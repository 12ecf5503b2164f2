// CTime and CTimeSpan.
#include "afx.h"
#include "timeconv.h"

using namespace afxcore;

namespace {

// Local calendar fields of a CTime; throws for a time the system cannot convert.
TimeFields LocalFields(__time64_t time)
{
    TimeFields fields;
    if (!UtcToLocalFields(time, fields))
        AfxThrowInvalidArgException();
    return fields;
}

__time64_t LocalToTime(long long year, long long month, long long day, long long hour,
                       long long minute, long long second)
{
    long long utc;
    if (!LocalSecondsToUtc(FieldsToSeconds(year, month, day, hour, minute, second), utc))
        AfxThrowInvalidArgException();
    return utc;
}

// The C run-time's broken-down form of calendar fields (UTC fields are never summer time).
struct tm* FieldsToTm(const TimeFields& fields, struct tm* ptm)
{
    memset(ptm, 0, sizeof(*ptm));
    ptm->tm_year = fields.st.wYear - 1900;
    ptm->tm_mon = fields.st.wMonth - 1;
    ptm->tm_mday = fields.st.wDay;
    ptm->tm_hour = fields.st.wHour;
    ptm->tm_min = fields.st.wMinute;
    ptm->tm_sec = fields.st.wSecond;
    ptm->tm_wday = fields.st.wDayOfWeek;
    ptm->tm_yday = fields.dayOfYear - 1;
    ptm->tm_isdst = fields.isDst ? 1 : 0;
    return ptm;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// CTimeSpan

CString CTimeSpan::Format(LPCSTR pszFormat) const
{
    return FormatSpanSeconds(pszFormat, GetTimeSpan());
}

CString CTimeSpan::Format(UINT nFormatID) const
{
    return Format(LoadFormat(nFormatID));
}

// ---------------------------------------------------------------------------------------
// CTime

CTime WINAPI CTime::GetCurrentTime()
{
    FILETIME ft;
    ::GetSystemTimeAsFileTime(&ft);
    return CTime(ft);
}

BOOL WINAPI CTime::IsValidFILETIME(const FILETIME& ft)
{
    SYSTEMTIME st;
    return ::FileTimeToSystemTime(&ft, &st);
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    (void)nDST;
    m_time = LocalToTime(nYear, nMonth, nDay, nHour, nMin, nSec);
}

CTime::CTime(WORD wDosDate, WORD wDosTime, int nDST)
{
    (void)nDST;
    m_time = LocalToTime((wDosDate >> 9) + 1980, (wDosDate >> 5) & 0x0F, wDosDate & 0x1F,
                         wDosTime >> 11, (wDosTime >> 5) & 0x3F, (wDosTime & 0x1F) * 2);
}

CTime::CTime(const SYSTEMTIME& st, int nDST)
{
    (void)nDST;
    m_time = LocalToTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
}

CTime::CTime(const FILETIME& ft, int nDST)
{
    (void)nDST;
    long long ticks = ((long long)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
    m_time = ticks / 10000000LL - 11644473600LL;
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    if (ptm == NULL)
        return NULL;
    TimeFields fields;
    SecondsToFields(m_time, fields);
    return FieldsToTm(fields, ptm);
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    if (ptm == NULL)
        return NULL;
    TimeFields fields;
    if (!UtcToLocalFields(m_time, fields))
        return NULL;
    return FieldsToTm(fields, ptm);
}

bool CTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    TimeFields fields;
    if (!UtcToLocalFields(m_time, fields))
        return false;
    st = fields.st;
    return true;
}

int CTime::GetYear() const { return LocalFields(m_time).st.wYear; }
int CTime::GetMonth() const { return LocalFields(m_time).st.wMonth; }
int CTime::GetDay() const { return LocalFields(m_time).st.wDay; }
int CTime::GetHour() const { return LocalFields(m_time).st.wHour; }
int CTime::GetMinute() const { return LocalFields(m_time).st.wMinute; }
int CTime::GetSecond() const { return LocalFields(m_time).st.wSecond; }
int CTime::GetDayOfWeek() const { return LocalFields(m_time).st.wDayOfWeek + 1; }

CString CTime::Format(LPCSTR pszFormat) const
{
    return FormatTimeFields(pszFormat, LocalFields(m_time));
}

CString CTime::FormatGmt(LPCSTR pszFormat) const
{
    TimeFields fields;
    SecondsToFields(m_time, fields);
    return FormatTimeFields(pszFormat, fields);
}

CString CTime::Format(UINT nFormatID) const
{
    return Format(LoadFormat(nFormatID));
}

CString CTime::FormatGmt(UINT nFormatID) const
{
    return FormatGmt(LoadFormat(nFormatID));
}
