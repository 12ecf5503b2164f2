#include "MarketTime.h"
#include <atomic>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "ServerClock.h"
#include "TextHelpers.h"

namespace
{
__time64_t ServerClock()
{
    return GetServerTime().GetTime();
}

std::atomic<MarketClockFunc> g_clock{&ServerClock};

struct CalendarDate
{
    int year;
    int month;
    int day;
};

// Eight digits YYYYMMDD with a month of 1-12 and a day of 1-31
bool ParseDateText(const char* text, CalendarDate& date)
{
    if (text == nullptr || strlen(text) < 8)
        return false;
    for (int i = 0; i < 8; ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    auto number = [text](int first, int count) {
        int value = 0;
        for (int i = first; i < first + count; ++i)
            value = value * 10 + (text[i] - '0');
        return value;
    };
    date.year = number(0, 4);
    date.month = number(4, 2);
    date.day = number(6, 2);
    return date.month >= 1 && date.month <= 12 && date.day >= 1 && date.day <= 31;
}

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's civil algorithm)
long long DaysFromCivil(long long y, int m, int d)
{
    y -= m <= 2;
    long long era = (y >= 0 ? y : y - 399) / 400;
    long long yoe = y - era * 400;
    long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CalendarDate CivilFromDays(long long z)
{
    z += 719468;
    long long era = (z >= 0 ? z : z - 146096) / 146097;
    long long doe = z - era * 146097;
    long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long long mp = (5 * doy + 2) / 153;
    CalendarDate date;
    date.day = int(doy - (153 * mp + 2) / 5 + 1);
    date.month = int(mp < 10 ? mp + 3 : mp - 9);
    date.year = int(yoe + era * 400 + (date.month <= 2));
    return date;
}

bool ToLocalTime(__time64_t t, struct tm& local)
{
    return _localtime64_s(&local, &t) == 0;
}
} // namespace

void SetMarketClock(MarketClockFunc pfnClock)
{
    g_clock = pfnClock != nullptr ? pfnClock : &ServerClock;
}

__time64_t GetMarketTime()
{
    return g_clock.load()();
}

int GetHourOfTime(__time64_t t)
{
    struct tm local;
    return ToLocalTime(t, local) ? local.tm_hour : -1;
}

int GetMinuteOfTime(__time64_t t)
{
    struct tm local;
    return ToLocalTime(t, local) ? local.tm_min : -1;
}

CString FormatTime(__time64_t t, LPCTSTR pszFormat)
{
    struct tm local;
    if (pszFormat == nullptr || !ToLocalTime(t, local))
        return CString();
    char buffer[128];
    size_t length = strftime(buffer, sizeof(buffer), pszFormat, &local);
    return length == 0 ? CString() : CString(buffer, int(length));
}

CString GetServerDateText()
{
    return FormatTime(GetMarketTime(), "%Y%m%d");
}

CString SubtractDaysFromDate(LPCTSTR pszDate, int nDays)
{
    CString date(pszDate);
    if (date.IsEmpty())
        date = GetServerDateText();
    CalendarDate parsed;
    if (!ParseDateText(date, parsed))
        return CString();
    CalendarDate result =
        CivilFromDays(DaysFromCivil(parsed.year, parsed.month, parsed.day) - nDays);
    CString text;
    text.Format("%d%02d%02d", result.year, result.month, result.day);
    return text;
}

int CompareTimeHM(LPCTSTR pszA, LPCTSTR pszB)
{
    CString a(pszA), b(pszB);
    int hourA = atoi(a.Left(2)), hourB = atoi(b.Left(2));
    if (hourA != hourB)
        return hourA < hourB ? -1 : 1;
    int minuteA = atoi(a.Mid(3, 2)), minuteB = atoi(b.Mid(3, 2));
    if (minuteA != minuteB)
        return minuteA < minuteB ? -1 : 1;
    return 0;
}

int TimeTextToMinutes(LPCTSTR pszText)
{
    const char* colon = strchr(pszText, ':');
    return atoi(pszText) * 60 + (colon != nullptr ? atoi(colon + 1) : 0);
}

CString FormatTimeOfDay(LPCTSTR pszText)
{
    CStringArray fields;
    SplitString(fields, pszText, ":", true, true);
    if (fields.GetSize() != 2 && fields.GetSize() != 3)
        return CString();
    int second = fields.GetSize() == 3 ? atoi(fields[2]) : 0;
    CString text;
    text.Format("%02d:%02d:%02d", atoi(fields[0]), atoi(fields[1]), second);
    return text;
}
