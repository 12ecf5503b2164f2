#include "ServerTimeText.h"

#include <stdio.h>
#include <stdlib.h>

namespace {

const LONGLONG kSecondsFrom1900To1970 = 2208988800LL;

// Days from 1970-01-01 to the given date of the proleptic Gregorian calendar.
LONGLONG DaysFromCivil(LONGLONG nYear, unsigned nMonth, unsigned nDay)
{
    nYear -= nMonth <= 2 ? 1 : 0;
    const LONGLONG nEra = (nYear >= 0 ? nYear : nYear - 399) / 400;
    const unsigned nYearOfEra = static_cast<unsigned>(nYear - nEra * 400);
    const unsigned nDayOfYear = (153 * (nMonth + (nMonth > 2 ? -3 : 9)) + 2) / 5 + nDay - 1;
    const unsigned nDayOfEra = nYearOfEra * 365 + nYearOfEra / 4 - nYearOfEra / 100 + nDayOfYear;
    return nEra * 146097 + static_cast<LONGLONG>(nDayOfEra) - 719468;
}

bool IsLeapYear(int nYear)
{
    return (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
}

int DaysInMonth(int nYear, int nMonth)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return nMonth == 2 && IsLeapYear(nYear) ? 29 : kDays[nMonth - 1];
}

}  // namespace

CString CServerTimeText::FromTimeProtocolSeconds(DWORD nSecondsSince1900)
{
    const __time64_t nZoned = static_cast<LONGLONG>(nSecondsSince1900) - kSecondsFrom1900To1970
                              + kTextZoneSeconds;
    // Calendar fields of the zoned instant, taken as if it were UTC (no local zone involved).
    LONGLONG nDays = nZoned / 86400;
    LONGLONG nSecondOfDay = nZoned % 86400;
    if (nSecondOfDay < 0)
    {
        nSecondOfDay += 86400;
        --nDays;
    }
    // Inverse of DaysFromCivil.
    const LONGLONG z = nDays + 719468;
    const LONGLONG nEra = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned nDayOfEra = static_cast<unsigned>(z - nEra * 146097);
    const unsigned nYearOfEra = (nDayOfEra - nDayOfEra / 1460 + nDayOfEra / 36524 - nDayOfEra / 146096) / 365;
    const unsigned nDayOfYear = nDayOfEra - (365 * nYearOfEra + nYearOfEra / 4 - nYearOfEra / 100);
    const unsigned nMonthIndex = (5 * nDayOfYear + 2) / 153;
    const unsigned nDay = nDayOfYear - (153 * nMonthIndex + 2) / 5 + 1;
    const unsigned nMonth = nMonthIndex < 10 ? nMonthIndex + 3 : nMonthIndex - 9;
    const LONGLONG nYear = static_cast<LONGLONG>(nYearOfEra) + nEra * 400 + (nMonth <= 2 ? 1 : 0);

    CString strText;
    strText.Format("%04d-%02d-%02d %02d:%02d:%02d\n", static_cast<int>(nYear), nMonth, nDay,
                   static_cast<int>(nSecondOfDay / 3600), static_cast<int>(nSecondOfDay / 60 % 60),
                   static_cast<int>(nSecondOfDay % 60));
    return strText;
}

bool CServerTimeText::ToUtc(LPCSTR lpszText, __time64_t& nUtc)
{
    if (lpszText == nullptr)
        return false;
    int nYear = 0, nMonth = 0, nDay = 0, nHour = 0, nMinute = 0, nSecond = 0;
    if (sscanf(lpszText, "%d-%d-%d %d:%d:%d", &nYear, &nMonth, &nDay, &nHour, &nMinute, &nSecond) != 6)
        return false;
    if (nYear < kFirstPlausibleYear || nYear > kLastPlausibleYear || nMonth < 1 || nMonth > 12 || nDay < 1
        || nDay > DaysInMonth(nYear, nMonth) || nHour < 0 || nHour > 23 || nMinute < 0
        || nMinute > 59 || nSecond < 0 || nSecond > 60)
        return false;
    nUtc = DaysFromCivil(nYear, nMonth, nDay) * 86400 + nHour * 3600 + nMinute * 60 + nSecond
           - kTextZoneSeconds;
    return true;
}

LONG CServerTimeText::DateNumber(LPCSTR lpszText)
{
    CString strDate = CString(lpszText != nullptr ? lpszText : "").Left(10);
    strDate.Remove('-');
    return atol(strDate);
}

LONGLONG CServerTimeText::Offset(__time64_t nServerUtc, __time64_t nLocalBefore, __time64_t nLocalAfter)
{
    const __time64_t nHalfRoundTrip = (nLocalAfter - nLocalBefore) / 2;
    return nServerUtc - nHalfRoundTrip - nLocalBefore;
}
