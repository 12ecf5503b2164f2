#include "TradingSessions.h"
#include <stdio.h>
#include <string.h>
#include "SymbolRules.h"
#include "TextHelpers.h"

namespace
{
// Minute of the day of a time text, false when it cannot be read
bool ReadMinuteOfDay(LPCTSTR pszTime, int& minute)
{
    size_t length = strlen(pszTime);
    int hour = -1, minutes = -1, seconds = -1;
    if (length == 8)
        sscanf(pszTime, "%d:%d:%d", &hour, &minutes, &seconds);
    else if (length == 5)
        sscanf(pszTime, "%d:%d", &hour, &minutes);
    else if (length > 8) // a date, a blank and HH:MM:SS
        sscanf(pszTime + length - 8, "%d:%d:%d", &hour, &minutes, &seconds);
    if (hour < 0 || minutes < 0)
        return false;
    minute = hour * 60 + minutes;
    return true;
}

// [first, last) when strict, else [first, last + grace]
bool InWindow(int minute, int first, int last, bool strict, int grace)
{
    if (minute < first)
        return false;
    return strict ? minute < last : minute <= last + grace;
}

void AppendSession(std::vector<SessionRange>& sessions, const char* start, const char* end)
{
    SessionRange range;
    range.strStart = start;
    range.strEnd = end;
    sessions.push_back(range);
}
} // namespace

CString GetSessionOpenTime(LPCTSTR pszMarketKey)
{
    if (BeginsWith(pszMarketKey, "CSM") || BeginsWith(pszMarketKey, "HKS"))
        return "09:30:00";
    return "00:00:00";
}

CString GetSessionCloseTime(LPCTSTR pszMarketKey)
{
    if (BeginsWith(pszMarketKey, "CSM"))
        return "15:00:00";
    if (BeginsWith(pszMarketKey, "HKS"))
        return "16:00:00";
    return "24:00:00";
}

CString GetSectorOpenTime(const SectorRecord& sector, LPCTSTR pszCode, const QuoteStore& store)
{
    if (IsStockSymbol(pszCode, store))
        return "09:30:00";
    for (const SectorRow& row : sector.vecRows)
        if (!row.quote.strStartTime.IsEmpty())
            return row.quote.strStartTime;
    return "06:00:00";
}

CString GetSectorCloseTime(const SectorRecord& sector, LPCTSTR pszCode,
                           const QuoteStore& store)
{
    if (store.SectorContains("港股", pszCode))
        return "16:00:00";
    if (store.SectorContains("沪深", pszCode))
        return "15:00:00";
    for (const SectorRow& row : sector.vecRows)
        if (!row.quote.strStopTime.IsEmpty())
            return row.quote.strStopTime.Left(2) + ":00:00";
    return "05:00:00";
}

void GetTradingSessions(LPCTSTR pszCode, std::vector<SessionRange>& sessions,
                        const QuoteStore& store)
{
    if (store.SectorContains("沪深", pszCode))
    {
        AppendSession(sessions, "09:30:00", "11:30:00");
        AppendSession(sessions, "13:00:00", "15:00:00");
        return;
    }
    if (store.SectorContains("港股", pszCode))
    {
        AppendSession(sessions, "09:30:00", "12:00:00");
        AppendSession(sessions, "13:00:00", "16:00:00");
        return;
    }
    SectorRow row;
    if (!store.GetQuoteRow(pszCode, row))
        return;
    // A contract's day ends at its stop time rounded down to the half hour.
    SessionRange range;
    range.strStart = row.quote.strStartTime;
    const CString& stop = row.quote.strStopTime;
    if (!stop.IsEmpty())
        range.strEnd = stop.Left(2) + (atoi(stop.Mid(3, 2)) >= 30 ? ":30:00" : ":00:00");
    sessions.push_back(range);
}

bool IsCsmSessionTime(LPCTSTR pszTime, BOOL bStrictClose, int nGraceMinutes)
{
    int minute;
    if (!ReadMinuteOfDay(pszTime, minute))
        return false;
    bool strict = bStrictClose != FALSE;
    return InWindow(minute, 570, 690, strict, nGraceMinutes) ||  // 09:30 - 11:30
           InWindow(minute, 780, 900, strict, nGraceMinutes);    // 13:00 - 15:00
}

bool IsHksSessionTime(LPCTSTR pszTime, BOOL bStrictClose)
{
    int minute;
    if (!ReadMinuteOfDay(pszTime, minute))
        return false;
    bool strict = bStrictClose != FALSE;
    return InWindow(minute, 570, 720, strict, 5) ||  // 09:30 - 12:00
           InWindow(minute, 780, 960, strict, 5);    // 13:00 - 16:00
}

bool IsMarketSessionTime(LPCTSTR pszMarket, LPCTSTR pszTime, BOOL bStrictClose,
                         int nGraceMinutes)
{
    if (strcmp(pszMarket, "CSM") == 0)
        return IsCsmSessionTime(pszTime, bStrictClose, nGraceMinutes);
    if (strcmp(pszMarket, "HKS") == 0)
        return IsHksSessionTime(pszTime, bStrictClose);
    return false;
}
