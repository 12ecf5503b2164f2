#include "TrendTimeText.h"

#include <cstdlib>
#include <ctime>

namespace tolvan::driftline {

int MinuteOfDay(const CString& text)
{
    int colon = text.Find(':');
    if (colon < 0)
        return atoi(text) * 60;
    return atoi(text.Left(colon)) * 60 + atoi(text.Mid(colon + 1));
}

CString FormatMinuteText(int minutes)
{
    CString text;
    text.Format("%02d:%02d", (minutes / 60) % 24, minutes % 60);
    return text;
}

CString ShiftDateText(const CString& date, int days, const CString& today)
{
    CString source = date.IsEmpty() ? today : date;
    struct tm parts = {};
    parts.tm_year = atoi(source.Left(4)) - 1900;
    parts.tm_mon = atoi(source.Mid(4, 2)) - 1;
    parts.tm_mday = atoi(source.Mid(6, 2)) - days;
    parts.tm_hour = 12;  // away from any daylight-saving edge
    mktime(&parts);
    CString text;
    text.Format("%d%02d%02d", parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday);
    return text;
}

CString NormaliseBucketTime(const CString& time, const CString& date)
{
    CString text = time;
    if (text.GetLength() != 17)
        text = date + " " + text;
    text.Trim();
    if (text.GetLength() >= 2)
        text = text.Left(text.GetLength() - 2) + "00";
    return text;
}

int BucketMinuteOfDay(const CString& bucketTime)
{
    CString clock = bucketTime.Mid(9);
    clock.Trim();
    return MinuteOfDay(clock.Left(5));
}

}  // namespace tolvan::driftline
