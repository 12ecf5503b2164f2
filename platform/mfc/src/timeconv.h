// Private calendar and time-zone helpers shared by CTime and COleDateTime.
#pragma once

#include "afxstr.h"

namespace afxcore {

// Days since 1970-01-01 of a proleptic Gregorian date (month 1..12, any day number).
long long DaysFromCivil(long long year, int month, int day);
// The date of a day number since 1970-01-01.
void CivilFromDays(long long days, int& year, int& month, int& day);
// 0 = Sunday.
int WeekdayFromDays(long long days);
int DaysInMonth(int year, int month);
bool IsLeapYear(int year);

// Seconds since 1970 of calendar fields taken as UTC; fields may be out of range and roll
// over (month 13 is January of the next year, second 60 the next minute).
long long FieldsToSeconds(long long year, long long month, long long day,
                          long long hour, long long minute, long long second);

// Broken-down time: SYSTEMTIME fields plus the day of the year (1..366).
struct TimeFields
{
    SYSTEMTIME st;
    int dayOfYear;
    int utcOffsetMinutes;   // local minus UTC; 0 for UTC fields
    bool isDst;
    bool isUtc;
};

void SecondsToFields(long long seconds, TimeFields& fields);   // as UTC
// UTC seconds to local calendar fields through the Windows time-zone setting.
bool UtcToLocalFields(long long utcSeconds, TimeFields& fields);
// Local calendar seconds (FieldsToSeconds of local fields) to UTC seconds.
bool LocalSecondsToUtc(long long localSeconds, long long& utcSeconds);

// strftime-like formatting (see CTime::Format).
CString FormatTimeFields(LPCSTR pszFormat, const TimeFields& fields);
// A span of whole seconds by %D (days), %H, %M, %S (two digits each) and %%; other text is
// kept as written.
CString FormatSpanSeconds(LPCSTR pszFormat, long long seconds);
// A format string from the resources; throws for a missing one.
CString LoadFormat(UINT nFormatID);

}  // namespace afxcore
