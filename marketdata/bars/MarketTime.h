// Time and date texts of the market-data code, and the clock that says "now" to it.
// Time-of-day texts are HH:MM:SS, bar times HH:MM, dates YYYYMMDD.
#pragma once
#include <afx.h>
#include <time.h>

// Where "now" comes from: the server clock of the program. Tests and tools install their own.
typedef __time64_t (*MarketClockFunc)();
// Installs the clock; null restores the default (the program's server clock).
void SetMarketClock(MarketClockFunc pfnClock);
__time64_t GetMarketTime();

// Hour (0-23) or minute (0-59) of a time in local time; -1 when it cannot be converted
int GetHourOfTime(__time64_t t);
int GetMinuteOfTime(__time64_t t);

// strftime of the local time into 128 bytes; empty when the format is absent, the time cannot
// be converted or the result does not fit
CString FormatTime(__time64_t t, LPCTSTR pszFormat);

// Today's date on the server clock, "%Y%m%d"
CString GetServerDateText();

// The date nDays before a YYYYMMDD date (after it for a negative count), "%d%02d%02d".
// An empty date counts from the server date. Calendar arithmetic: daylight-saving changes
// cannot shift the result by a day. A date that is not eight digits with a month of 1-12 and
// a day of 1-31 gives an empty text; a day past the month's end counts on into the next.
CString SubtractDaysFromDate(LPCTSTR pszDate, int nDays);

// -1, 0 or 1 of two HH:MM texts, hours first
int CompareTimeHM(LPCTSTR pszA, LPCTSTR pszB);

// "H:M" as minutes of the day
int TimeTextToMinutes(LPCTSTR pszText);

// "H:M" or "H:M:S" written "%02d:%02d:%02d"; empty for any other number of fields
CString FormatTimeOfDay(LPCTSTR pszText);

// EnumerateDateTexts (every date text of a range) is the program-wide one:
#include "DateText.h"
