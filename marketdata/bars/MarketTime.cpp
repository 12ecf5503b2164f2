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

// Eight digits YYYYMMDD (what follows them is not read) with a month of 1-12 and a day of 1-31
bool ParseDateText(const CString& text, CalendarDate& date)
{
    const CString digits = text.Left(8);
    if (!IsEightDigitDate(digits))
        return false;
    date.year = NumberAt(digits, 0, 4);
    date.month = NumberAt(digits, 4, 2);
    date.day = NumberAt(digits, 6, 2);
    return date.month >= 1 && date.month <= 12 && date.day >= 1 && date.day <= 31;
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
    CalendarDate result;
    CivilFromDays(DaysFromCivil(parsed.year, parsed.month, parsed.day) - nDays, result.year,
                  result.month, result.day);
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
