#include "DateText.h"

#include <stdlib.h>

namespace {

// Days from 1970-01-01 to the given proleptic Gregorian date; month may lie outside 1-12 and
// day outside the month (they carry over as in mktime).
long long DaysFromCivil(long long year, long long month, long long day)
{
    year += (month - 1) >= 0 ? (month - 1) / 12 : -((12 - month) / 12);
    month = ((month - 1) % 12 + 12) % 12 + 1;
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468 + (day - 1);
}

// Seconds to add to a local standard time to get UTC. Taken from the system's time-zone
// settings rather than the C run-time, which would follow a TZ variable it cannot read.
long long StandardBiasSeconds()
{
    TIME_ZONE_INFORMATION zone;
    if (GetTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID)
        return 0;
    return 60LL * (zone.Bias + zone.StandardBias);
}

int NumberAt(const CString& text, int first, int count)
{
    if (first >= text.GetLength())
        return 0;
    return atoi(text.Mid(first, count));
}

} // namespace

int TextToTime(const CString& text)
{
    CString compact = text;
    compact.Trim();
    compact.Remove('/');
    compact.Remove('-');

    const long long days = DaysFromCivil(NumberAt(compact, 0, 4), NumberAt(compact, 4, 2), NumberAt(compact, 6, 2));
    const long long seconds = days * 86400 + NumberAt(compact, 9, 2) * 3600LL + NumberAt(compact, 12, 2) * 60LL
                              + NumberAt(compact, 15, 2) + StandardBiasSeconds();
    return (int)seconds;
}

void EnumerateDates(const CString& startDate, const CString& endDate, CStringArray& out)
{
    out.RemoveAll();
    int year = NumberAt(startDate, 0, 4), month = NumberAt(startDate, 4, 2), day = NumberAt(startDate, 6, 2);
    const int endYear = NumberAt(endDate, 0, 4), endMonth = NumberAt(endDate, 4, 2), endDay = NumberAt(endDate, 6, 2);
    const long endKey = (long)endYear * 10000 + endMonth * 100 + endDay;

    // Days or months out of range in the start text are brought back into 1-31 and 1-12 by the
    // walk itself, so the loop always ends.
    while ((long)year * 10000 + month * 100 + day <= endKey)
    {
        CString date;
        date.Format("%04d%02d%02d", year, month, day);
        out.Add(date);
        if (++day > 31)
        {
            day = 1;
            if (++month > 12)
            {
                month = 1;
                ++year;
            }
        }
    }
}
