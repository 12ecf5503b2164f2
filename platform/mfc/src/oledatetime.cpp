// COleDateTime and COleDateTimeSpan.
//
// An OLE DATE counts days from 1899-12-30; before that day the integer part is negative but
// the fraction still runs forward through the day (-1.25 is 1899-12-29 06:00). Arithmetic
// therefore works on a "linear" day count and converts back.
#include "afx.h"
#include "timeconv.h"
#include <math.h>
#include <utility>

using namespace afxcore;

namespace {

const double kMinDate = -657434.0;        // 0100-01-01
const double kMaxDate = 2958465.999999;   // 9999-12-31 23:59:59
const double kHalfSecond = 1.0 / (2.0 * 86400.0);
// Day number (since 1970) of the OLE date origin 1899-12-30.
const long long kOleOriginDays = -25569;

double DateToLinear(DATE dt)
{
    double day = dt < 0 ? ceil(dt) : floor(dt);
    return day + fabs(dt - day);
}

DATE LinearToDate(double linear)
{
    double day = floor(linear);
    double fraction = linear - day;
    return day >= 0 ? day + fraction : day - fraction;
}

bool IsValidDate(DATE dt)
{
    return dt >= kMinDate && dt <= kMaxDate;
}

// Seconds since 1899-12-30 00:00, rounded to the nearest second.
long long DateToSeconds(DATE dt)
{
    return (long long)floor(DateToLinear(dt) * 86400.0 + 0.5);
}

bool DateToFields(DATE dt, TimeFields& fields)
{
    if (!IsValidDate(dt))
        return false;
    SecondsToFields(DateToSeconds(dt) + kOleOriginDays * 86400LL, fields);
    fields.isUtc = false;
    return true;
}

bool FieldsInRange(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    return nYear >= 100 && nYear <= 9999 && nMonth >= 1 && nMonth <= 12 && nDay >= 1 &&
           nDay <= DaysInMonth(nYear, nMonth) && nHour >= 0 && nHour <= 23 && nMin >= 0 &&
           nMin <= 59 && nSec >= 0 && nSec <= 59;
}

DATE FieldsToDate(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    long long days = DaysFromCivil(nYear, nMonth, nDay) - kOleOriginDays;
    double linear = (double)days + (nHour * 3600 + nMin * 60 + nSec) / 86400.0;
    return LinearToDate(linear);
}

// ---- parsing ---------------------------------------------------------------------------

struct Cursor
{
    const char* p;

    void SkipSpaces()
    {
        while (*p == ' ' || *p == '\t')
            ++p;
    }
    bool Number(int maxDigits, int& value)
    {
        int digits = 0;
        value = 0;
        while (*p >= '0' && *p <= '9' && digits < maxDigits) {
            value = value * 10 + (*p - '0');
            ++p;
            ++digits;
        }
        return digits > 0;
    }
    bool Accept(const char* text)
    {
        size_t n = strlen(text);
        if (strncmp(p, text, n) != 0)
            return false;
        p += n;
        return true;
    }
};

bool ParseTime(Cursor& c, int& hour, int& minute, int& second)
{
    second = 0;
    if (!c.Number(2, hour))
        return false;
    if (!c.Accept(":") && !c.Accept("时"))
        return false;
    if (!c.Number(2, minute))
        return false;
    if (c.Accept(":") || c.Accept("分")) {
        if (!c.Number(2, second))
            return false;
        c.Accept("秒");
        // Fractions of a second are read and dropped.
        if (*c.p == '.') {
            ++c.p;
            int ignored;
            c.Number(9, ignored);
        }
    }
    return true;
}

// "YYYY-MM-DD", "YYYY/MM/DD", "YYYY.MM.DD", "YYYY年MM月DD日", each optionally followed by a
// time ("HH:MM[:SS]", after spaces or 'T'); or a time alone.
bool ParseIsoLike(LPCSTR text, bool& hasDate, int& year, int& month, int& day, bool& hasTime,
                  int& hour, int& minute, int& second)
{
    Cursor c{text};
    c.SkipSpaces();
    hasDate = hasTime = false;
    const char* start = c.p;
    int first;
    if (!c.Number(4, first))
        return false;
    int firstDigits = (int)(c.p - start);
    if (*c.p == ':' || strncmp(c.p, "时", strlen("时")) == 0) {
        c.p = start;
        if (!ParseTime(c, hour, minute, second))
            return false;
        hasTime = true;
    } else {
        char separator = *c.p;
        bool chinese = c.Accept("年");
        if (!chinese) {
            if (separator != '-' && separator != '/' && separator != '.')
                return false;
            ++c.p;
        }
        year = first;
        if (!c.Number(2, month))
            return false;
        if (chinese ? !c.Accept("月") : *c.p++ != separator)
            return false;
        if (!c.Number(2, day))
            return false;
        if (chinese)
            c.Accept("日");
        hasDate = true;
        if (firstDigits != 4)
            return false;   // other year forms are left to the locale parser
        const char* afterDate = c.p;
        if (*c.p == 'T')
            ++c.p;
        c.SkipSpaces();
        if (*c.p != '\0') {
            if (!ParseTime(c, hour, minute, second))
                return false;
            hasTime = true;
        } else {
            c.p = afterDate;
            c.SkipSpaces();
        }
    }
    c.SkipSpaces();
    return *c.p == '\0';
}

}  // namespace

// ---------------------------------------------------------------------------------------
// COleDateTimeSpan

void COleDateTimeSpan::SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) noexcept
{
    m_span = lDays + ((double)nHours * 3600 + (double)nMins * 60 + nSecs) / 86400.0;
    m_status = valid;
}

namespace {

// Whole seconds of a span, rounded to the nearest second away from zero at the half.
long long SpanSeconds(double span)
{
    double seconds = span * 86400.0;
    return (long long)(seconds < 0 ? ceil(seconds - 0.5) : floor(seconds + 0.5));
}

}  // namespace

double COleDateTimeSpan::GetTotalHours() const noexcept { return (double)(SpanSeconds(m_span) / 3600); }
double COleDateTimeSpan::GetTotalMinutes() const noexcept { return (double)(SpanSeconds(m_span) / 60); }
double COleDateTimeSpan::GetTotalSeconds() const noexcept { return (double)SpanSeconds(m_span); }
LONG COleDateTimeSpan::GetHours() const noexcept { return (LONG)(SpanSeconds(m_span) / 3600 % 24); }
LONG COleDateTimeSpan::GetMinutes() const noexcept { return (LONG)(SpanSeconds(m_span) / 60 % 60); }
LONG COleDateTimeSpan::GetSeconds() const noexcept { return (LONG)(SpanSeconds(m_span) % 60); }

bool COleDateTimeSpan::operator==(const COleDateTimeSpan& span) const noexcept
{
    return m_status == span.m_status && (m_status != valid || m_span == span.m_span);
}

bool COleDateTimeSpan::operator<(const COleDateTimeSpan& span) const noexcept
{
    return m_status == valid && span.m_status == valid && m_span < span.m_span;
}

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& span) const noexcept
{
    COleDateTimeSpan result(m_span + span.m_span);
    if (m_status != valid || span.m_status != valid)
        result.m_status = (m_status == null || span.m_status == null) ? null : invalid;
    return result;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& span) const noexcept
{
    return *this + (-span);
}

COleDateTimeSpan COleDateTimeSpan::operator-() const noexcept
{
    COleDateTimeSpan result(-m_span);
    result.m_status = m_status;
    return result;
}

CString COleDateTimeSpan::Format(LPCSTR pFormat) const
{
    if (m_status != valid)
        return CString();
    return FormatSpanSeconds(pFormat, SpanSeconds(m_span));
}

CString COleDateTimeSpan::Format(UINT nID) const
{
    return Format(LoadFormat(nID));
}

// ---------------------------------------------------------------------------------------
// COleDateTime

COleDateTime WINAPI COleDateTime::GetCurrentTime()
{
    SYSTEMTIME st;
    ::GetLocalTime(&st);
    return COleDateTime(st);
}

COleDateTime::COleDateTime(__time64_t timeSrc) : m_dt(0), m_status(valid)
{
    *this = timeSrc;
}

COleDateTime::COleDateTime(const SYSTEMTIME& systimeSrc) : m_dt(0), m_status(valid)
{
    *this = systimeSrc;
}

COleDateTime::COleDateTime(const FILETIME& filetimeSrc) : m_dt(0), m_status(valid)
{
    *this = filetimeSrc;
}

COleDateTime::COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
}

COleDateTime::COleDateTime(WORD wDosDate, WORD wDosTime)
{
    SetDateTime((wDosDate >> 9) + 1980, (wDosDate >> 5) & 0x0F, wDosDate & 0x1F, wDosTime >> 11,
                (wDosTime >> 5) & 0x3F, (wDosTime & 0x1F) * 2);
}

COleDateTime& COleDateTime::operator=(const __time64_t& timeSrc)
{
    TimeFields fields;
    if (!UtcToLocalFields(timeSrc, fields)) {
        m_dt = 0;
        m_status = invalid;
        return *this;
    }
    return *this = fields.st;
}

COleDateTime& COleDateTime::operator=(const SYSTEMTIME& systimeSrc)
{
    SetDateTime(systimeSrc.wYear, systimeSrc.wMonth, systimeSrc.wDay, systimeSrc.wHour,
                systimeSrc.wMinute, systimeSrc.wSecond);
    return *this;
}

COleDateTime& COleDateTime::operator=(const FILETIME& filetimeSrc)
{
    SYSTEMTIME st;
    if (!::FileTimeToSystemTime(&filetimeSrc, &st)) {
        m_dt = 0;
        m_status = invalid;
        return *this;
    }
    return *this = st;
}

bool COleDateTime::operator==(const COleDateTime& date) const noexcept
{
    return m_status == date.m_status && (m_status != valid || m_dt == date.m_dt);
}

bool COleDateTime::operator<(const COleDateTime& date) const noexcept
{
    return m_status == valid && date.m_status == valid &&
           DateToLinear(m_dt) < DateToLinear(date.m_dt);
}

COleDateTime COleDateTime::operator+(COleDateTimeSpan dateSpan) const
{
    COleDateTime result;
    if (m_status != valid || dateSpan.GetStatus() != COleDateTimeSpan::valid) {
        result.m_status = (m_status == null || dateSpan.GetStatus() == COleDateTimeSpan::null) ? null : invalid;
        return result;
    }
    result.m_dt = LinearToDate(DateToLinear(m_dt) + dateSpan.m_span);
    if (!IsValidDate(result.m_dt))
        result.m_status = invalid;
    return result;
}

COleDateTime COleDateTime::operator-(COleDateTimeSpan dateSpan) const
{
    return *this + (-dateSpan);
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& date) const
{
    COleDateTimeSpan span;
    if (m_status != valid || date.m_status != valid) {
        span.SetStatus((m_status == null || date.m_status == null) ? COleDateTimeSpan::null
                                                                   : COleDateTimeSpan::invalid);
        return span;
    }
    span.m_span = DateToLinear(m_dt) - DateToLinear(date.m_dt);
    return span;
}

bool COleDateTime::GetAsSystemTime(SYSTEMTIME& sysTime) const
{
    TimeFields fields;
    if (m_status != valid || !DateToFields(m_dt, fields))
        return false;
    sysTime = fields.st;
    return true;
}

bool COleDateTime::GetAsUDATE(UDATE& udate) const
{
    TimeFields fields;
    if (m_status != valid || !DateToFields(m_dt, fields))
        return false;
    udate.st = fields.st;
    udate.wDayOfYear = (USHORT)fields.dayOfYear;
    return true;
}

namespace {

// AFX_OLE_DATETIME_ERROR for an invalid or null value.
const int kFieldError = -1;

}  // namespace

#define TOLVAN_DATE_FIELD(name, expression) \
    int COleDateTime::name() const \
    { \
        TimeFields fields; \
        if (m_status != valid || !DateToFields(m_dt, fields)) \
            return kFieldError; \
        return expression; \
    }

TOLVAN_DATE_FIELD(GetYear, fields.st.wYear)
TOLVAN_DATE_FIELD(GetMonth, fields.st.wMonth)
TOLVAN_DATE_FIELD(GetDay, fields.st.wDay)
TOLVAN_DATE_FIELD(GetHour, fields.st.wHour)
TOLVAN_DATE_FIELD(GetMinute, fields.st.wMinute)
TOLVAN_DATE_FIELD(GetSecond, fields.st.wSecond)
TOLVAN_DATE_FIELD(GetDayOfWeek, fields.st.wDayOfWeek + 1)
TOLVAN_DATE_FIELD(GetDayOfYear, fields.dayOfYear)

#undef TOLVAN_DATE_FIELD

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    if (!FieldsInRange(nYear, nMonth, nDay, nHour, nMin, nSec)) {
        m_dt = 0;
        m_status = invalid;
        return 1;
    }
    m_dt = FieldsToDate(nYear, nMonth, nDay, nHour, nMin, nSec);
    m_status = valid;
    return 0;
}

int COleDateTime::SetDate(int nYear, int nMonth, int nDay)
{
    return SetDateTime(nYear, nMonth, nDay, 0, 0, 0);
}

// The time of day alone: the date part is the origin, 1899-12-30.
int COleDateTime::SetTime(int nHour, int nMin, int nSec)
{
    return SetDateTime(1899, 12, 30, nHour, nMin, nSec);
}

bool COleDateTime::ParseDateTime(LPCSTR lpszDate, DWORD dwFlags, LCID lcid)
{
    m_dt = 0;
    m_status = invalid;
    if (lpszDate == NULL || *lpszDate == '\0')
        return false;

    bool hasDate, hasTime;
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
    if (ParseIsoLike(lpszDate, hasDate, year, month, day, hasTime, hour, minute, second)) {
        if (!hasDate || (dwFlags & VAR_TIMEVALUEONLY)) {
            year = 1899;
            month = 12;
            day = 30;
        }
        if (!hasTime || (dwFlags & VAR_DATEVALUEONLY))
            hour = minute = second = 0;
        return SetDateTime(year, month, day, hour, minute, second) == 0;
    }

    // Anything else goes to the system's parser in the given locale.
    CString text(lpszDate);
    BSTR wide = text.AllocSysString();
    DATE parsed = 0;
    HRESULT hr = ::VarDateFromStr(wide, lcid, dwFlags, &parsed);
    ::SysFreeString(wide);
    if (FAILED(hr) || !IsValidDate(parsed))
        return false;
    m_dt = parsed;
    m_status = valid;
    return true;
}

CString COleDateTime::Format(DWORD dwFlags, LCID lcid) const
{
    if (m_status != valid)
        return CString();
    BSTR text = NULL;
    if (FAILED(::VarBstrFromDate(m_dt, lcid, dwFlags, &text)) || text == NULL)
        return CString();
    CString result(text);
    ::SysFreeString(text);
    return result;
}

CString COleDateTime::Format(LPCSTR lpszFormat) const
{
    TimeFields fields;
    if (m_status != valid || !DateToFields(m_dt, fields))
        return CString();
    return FormatTimeFields(lpszFormat, fields);
}

CString COleDateTime::Format(UINT nFormatID) const
{
    return Format((LPCSTR)LoadFormat(nFormatID));
}
