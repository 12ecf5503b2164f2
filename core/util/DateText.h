// Date texts: converting "YYYY-MM-DD HH:MM:SS"-style texts to time values and listing the
// day texts of a date range.
#pragma once
#include <afx.h>

// Days from 1970-01-01 to a proleptic Gregorian date. A month outside 1-12 and a day outside
// the month carry over as in mktime (month 13 is January of the next year).
long long DaysFromCivil(long long year, long long month, long long day);

// The proleptic Gregorian date of a count of days since 1970-01-01 (month 1-12, day 1-31).
void CivilFromDays(long long days, int& year, int& month, int& day);

// Exactly eight decimal digits, as in "YYYYMMDD"; month and day are not checked.
bool IsEightDigitDate(const CString& text);

// Seconds since 1970-01-01 00:00:00 UTC of a local date-time text: blanks trimmed, every "/"
// and "-" removed, then year = characters 0-3, month 4-5, day 6-7, hour 9-10, minute 12-13,
// second 15-16 (missing positions read as 0), taken as local time without daylight saving.
// "2024-03-01 09:30:00", "2024/03/01 09:30:00" and "20240301 09:30" all work. Fields out of
// range carry over (month 13 is January of the next year). The result is cut to 32 bits.
int TextToTime(const CString& text);

// Empties out, then appends "%04d%02d%02d" for every day from start to end inclusive (both
// "YYYYMMDD"). Every month is walked through day 31, so texts such as "20240230" appear:
// callers only match the list against dates present in their data. Nothing when start is
// after end.
void EnumerateDates(const CString& startDate, const CString& endDate, CStringArray& out);

// The same list under the name the market-data code uses.
inline void EnumerateDateTexts(const CString& startDate, const CString& endDate, CStringArray& out)
{
    EnumerateDates(startDate, endDate, out);
}
