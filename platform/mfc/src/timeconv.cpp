// Calendar arithmetic, local-time conversion and strftime-style formatting.
// Local time comes from the Windows time-zone API rather than the C run-time, whose TZ
// handling does not understand zone names such as "Asia/Shanghai".
#include "timeconv.h"

#include "afx.h"

namespace afxcore {

namespace {

const long long kSecondsPerDay = 86400;
// FILETIME counts 100 ns units since 1601-01-01.
const long long kFileTimeEpochOffset = 11644473600LL;
const long long kFileTimeUnits = 10000000LL;

long long FloorDiv(long long a, long long b)
{
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

bool SecondsToSystemTime(long long seconds, SYSTEMTIME& st)
{
    if (seconds + kFileTimeEpochOffset < 0)
        return false;
    long long ticks = (seconds + kFileTimeEpochOffset) * kFileTimeUnits;
    FILETIME ft;
    ft.dwLowDateTime = (DWORD)(ticks & 0xFFFFFFFF);
    ft.dwHighDateTime = (DWORD)(ticks >> 32);
    return ::FileTimeToSystemTime(&ft, &st) != FALSE;
}

bool SystemTimeToSeconds(const SYSTEMTIME& st, long long& seconds)
{
    FILETIME ft;
    if (!::SystemTimeToFileTime(&st, &ft))
        return false;
    long long ticks = ((long long)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
    seconds = ticks / kFileTimeUnits - kFileTimeEpochOffset;
    return true;
}

const char* const kShortDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kLongDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday",
                                 "Friday", "Saturday"};
const char* const kShortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kLongMonths[] = {"January", "February", "March", "April", "May", "June",
                                   "July", "August", "September", "October", "November",
                                   "December"};

CString ZoneName(const TimeFields& fields)
{
    if (fields.isUtc)
        return CString("UTC");
    TIME_ZONE_INFORMATION tzi;
    if (::GetTimeZoneInformation(&tzi) == TIME_ZONE_ID_INVALID)
        return CString();
    return CString(fields.isDst ? tzi.DaylightName : tzi.StandardName);
}

void AppendNumber(CString& out, int value, int width, bool noPad)
{
    if (noPad)
        out.AppendFormat("%d", value);
    else
        out.AppendFormat("%0*d", width, value);
}

}  // namespace

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

long long DaysFromCivil(long long year, int month, int day)
{
    year -= month <= 2;
    long long era = FloorDiv(year, 400);
    long long yoe = year - era * 400;
    long long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long days, int& year, int& month, int& day)
{
    days += 719468;
    long long era = FloorDiv(days, 146097);
    long long doe = days - era * 146097;
    long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long long mp = (5 * doy + 2) / 153;
    day = (int)(doy - (153 * mp + 2) / 5 + 1);
    month = (int)(mp < 10 ? mp + 3 : mp - 9);
    year = (int)(yoe + era * 400 + (month <= 2));
}

int WeekdayFromDays(long long days)
{
    // 1970-01-01 was a Thursday.
    long long w = (days + 4) % 7;
    return (int)(w < 0 ? w + 7 : w);
}

long long FieldsToSeconds(long long year, long long month, long long day,
                          long long hour, long long minute, long long second)
{
    long long monthIndex = month - 1;
    year += FloorDiv(monthIndex, 12);
    monthIndex -= FloorDiv(monthIndex, 12) * 12;
    long long days = DaysFromCivil(year, (int)monthIndex + 1, 1) + day - 1;
    return days * kSecondsPerDay + hour * 3600 + minute * 60 + second;
}

void SecondsToFields(long long seconds, TimeFields& fields)
{
    long long days = FloorDiv(seconds, kSecondsPerDay);
    long long secondOfDay = seconds - days * kSecondsPerDay;
    int year, month, day;
    CivilFromDays(days, year, month, day);
    SYSTEMTIME& st = fields.st;
    st.wYear = (WORD)year;
    st.wMonth = (WORD)month;
    st.wDay = (WORD)day;
    st.wDayOfWeek = (WORD)WeekdayFromDays(days);
    st.wHour = (WORD)(secondOfDay / 3600);
    st.wMinute = (WORD)(secondOfDay / 60 % 60);
    st.wSecond = (WORD)(secondOfDay % 60);
    st.wMilliseconds = 0;
    fields.dayOfYear = (int)(days - DaysFromCivil(year, 1, 1)) + 1;
    fields.utcOffsetMinutes = 0;
    fields.isDst = false;
    fields.isUtc = true;
}

bool UtcToLocalFields(long long utcSeconds, TimeFields& fields)
{
    SYSTEMTIME utc, local;
    if (!SecondsToSystemTime(utcSeconds, utc))
        return false;
    if (!::SystemTimeToTzSpecificLocalTime(NULL, &utc, &local))
        return false;
    long long localSeconds;
    if (!SystemTimeToSeconds(local, localSeconds))
        return false;
    SecondsToFields(localSeconds, fields);
    fields.isUtc = false;
    fields.utcOffsetMinutes = (int)((localSeconds - utcSeconds) / 60);
    TIME_ZONE_INFORMATION tzi;
    DWORD zone = ::GetTimeZoneInformation(&tzi);
    fields.isDst = zone != TIME_ZONE_ID_INVALID && tzi.DaylightDate.wMonth != 0 &&
                   fields.utcOffsetMinutes == -(int)(tzi.Bias + tzi.DaylightBias) &&
                   tzi.DaylightBias != tzi.StandardBias;
    return true;
}

bool LocalSecondsToUtc(long long localSeconds, long long& utcSeconds)
{
    SYSTEMTIME local, utc;
    if (!SecondsToSystemTime(localSeconds, local))
        return false;
    if (!::TzSpecificLocalTimeToSystemTime(NULL, &local, &utc))
        return false;
    return SystemTimeToSeconds(utc, utcSeconds);
}

CString FormatTimeFields(LPCSTR pszFormat, const TimeFields& fields)
{
    CString out;
    if (pszFormat == NULL)
        return out;
    const SYSTEMTIME& st = fields.st;
    int hour12 = st.wHour % 12 == 0 ? 12 : st.wHour % 12;
    for (const char* p = pszFormat; *p != '\0'; ++p) {
        if (*p != '%') {
            out.AppendChar(*p);   // '%' is never a trail byte, so multi-byte text passes whole
            continue;
        }
        ++p;
        bool noPad = false;
        if (*p == '#') {
            noPad = true;
            ++p;
        }
        switch (*p) {
        case 'a': out += kShortDays[st.wDayOfWeek]; break;
        case 'A': out += kLongDays[st.wDayOfWeek]; break;
        case 'b': out += kShortMonths[st.wMonth - 1]; break;
        case 'B': out += kLongMonths[st.wMonth - 1]; break;
        case 'c':
            AppendNumber(out, st.wMonth, 2, noPad); out += '/';
            AppendNumber(out, st.wDay, 2, noPad); out += '/';
            AppendNumber(out, st.wYear % 100, 2, noPad); out += ' ';
            AppendNumber(out, st.wHour, 2, noPad); out += ':';
            AppendNumber(out, st.wMinute, 2, noPad); out += ':';
            AppendNumber(out, st.wSecond, 2, noPad);
            break;
        case 'd': AppendNumber(out, st.wDay, 2, noPad); break;
        case 'H': AppendNumber(out, st.wHour, 2, noPad); break;
        case 'I': AppendNumber(out, hour12, 2, noPad); break;
        case 'j': AppendNumber(out, fields.dayOfYear, 3, noPad); break;
        case 'm': AppendNumber(out, st.wMonth, 2, noPad); break;
        case 'M': AppendNumber(out, st.wMinute, 2, noPad); break;
        case 'p': out += st.wHour < 12 ? "AM" : "PM"; break;
        case 'S': AppendNumber(out, st.wSecond, 2, noPad); break;
        case 'U':   // week of the year, weeks starting on Sunday
            AppendNumber(out, (fields.dayOfYear + 6 - st.wDayOfWeek) / 7, 2, noPad);
            break;
        case 'W':   // week of the year, weeks starting on Monday
            AppendNumber(out, (fields.dayOfYear + 6 - (st.wDayOfWeek + 6) % 7) / 7, 2, noPad);
            break;
        case 'w': AppendNumber(out, st.wDayOfWeek, 1, noPad); break;
        case 'x':
            AppendNumber(out, st.wMonth, 2, noPad); out += '/';
            AppendNumber(out, st.wDay, 2, noPad); out += '/';
            AppendNumber(out, st.wYear % 100, 2, noPad);
            break;
        case 'X':
            AppendNumber(out, st.wHour, 2, noPad); out += ':';
            AppendNumber(out, st.wMinute, 2, noPad); out += ':';
            AppendNumber(out, st.wSecond, 2, noPad);
            break;
        case 'y': AppendNumber(out, st.wYear % 100, 2, noPad); break;
        case 'Y': AppendNumber(out, st.wYear, 4, noPad); break;
        case 'z': {
            int offset = fields.utcOffsetMinutes;
            out += offset < 0 ? '-' : '+';
            if (offset < 0)
                offset = -offset;
            out.AppendFormat("%02d%02d", offset / 60, offset % 60);
            break;
        }
        case 'Z': out += ZoneName(fields); break;
        case '%': out += '%'; break;
        case '\0':
            return out;   // a lone '%' at the end
        default:          // unknown code: kept as written
            out += '%';
            out += *p;
            break;
        }
    }
    return out;
}

CString FormatSpanSeconds(LPCSTR pszFormat, long long seconds)
{
    CString out;
    for (const char* p = pszFormat ? pszFormat : ""; *p != '\0'; ++p) {
        if (*p != '%') {
            out.AppendChar(*p);
            continue;
        }
        ++p;
        switch (*p) {
        case 'D': out.AppendFormat("%I64d", seconds / kSecondsPerDay); break;
        case 'H': out.AppendFormat("%02d", (int)(seconds / 3600 % 24)); break;
        case 'M': out.AppendFormat("%02d", (int)(seconds / 60 % 60)); break;
        case 'S': out.AppendFormat("%02d", (int)(seconds % 60)); break;
        case '%': out.AppendChar('%'); break;
        case '\0': return out;
        default:
            out.AppendChar('%');
            out.AppendChar(*p);
            break;
        }
    }
    return out;
}

CString LoadFormat(UINT nFormatID)
{
    CString format;
    if (!format.LoadString(nFormatID))
        AfxThrowInvalidArgException();
    return format;
}

}  // namespace afxcore
