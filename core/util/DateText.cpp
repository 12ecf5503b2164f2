#include "DateText.h"

#include "TextHelpers.h"

// Days and dates by the civil-calendar algorithms of H. Hinnant: exact for every year, with no
// time zone or daylight saving in the way.
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

void CivilFromDays(long long days, int& year, int& month, int& day)
{
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
    day = int(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    month = int(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    year = int(yearOfEra + era * 400 + (month <= 2));
}

bool IsEightDigitDate(const CString& text)
{
    if (text.GetLength() != 8)
        return false;
    for (int i = 0; i < 8; ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

namespace {

// Seconds to add to a local standard time to get UTC. Taken from the system's time-zone
// settings rather than the C run-time, which would follow a TZ variable it cannot read.
long long StandardBiasSeconds()
{
    TIME_ZONE_INFORMATION zone;
    if (GetTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID)
        return 0;
    return 60LL * (zone.Bias + zone.StandardBias);
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
