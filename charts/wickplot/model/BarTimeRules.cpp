#include "BarTimeRules.h"
#include <string.h>

namespace
{
// Reads count digits at position; a missing or non-digit character reads as 0, so a short
// text never reads past its end.
int ReadNumber(const CString& text, int position, int count)
{
    int value = 0;
    for (int i = position; i < position + count; ++i)
    {
        char ch = i < text.GetLength() ? text[i] : '0';
        value = value * 10 + ((ch >= '0' && ch <= '9') ? ch - '0' : 0);
    }
    return value;
}

int MinuteOfDay(const CString& time)
{
    return ReadNumber(time, 9, 2) * 60 + ReadNumber(time, 12, 2);
}

bool BeginsWith(const CString& text, const char* prefix)
{
    return strncmp(text.GetString(), prefix, strlen(prefix)) == 0;
}

bool IsHourBarStart(int minute)
{
    return minute == 570 || minute == 630 || minute == 780 || minute == 840;
}

CString BucketText(const CString& recordTime, int bucket)
{
    CString text;
    text.Format("%s %02d:%02d:00", recordTime.Left(8).GetString(), bucket / 60, bucket % 60);
    return text;
}

// 60-minute bars of the exchange markets follow the sessions: 09:30, 10:30, (11:30 for Hong
// Kong's short bar), 13:00 and 14:00.
bool NextMarketHourBucket(const CString& market, const CString& lastTime, const CString& recordTime,
                          CString& bucketTime)
{
    int lastDate = ReadNumber(lastTime, 0, 8);
    int recordDate = ReadNumber(recordTime, 0, 8);
    int last = MinuteOfDay(lastTime);
    int now = MinuteOfDay(recordTime);
    int bucket = 0;
    if (recordDate > lastDate)
        bucket = HourBucketStart(recordTime);
    else if (now <= last)
        return false;
    else if (IsHourBarStart(last))
    {
        if (now < last + 60)
            return false;
        bucket = (now >= 780 && now < 840) ? 780 : last + 60;
    }
    else if (last == 690 && BeginsWith(market, "HKS"))
        bucket = (now >= 780 && now < 840) ? 780 : 0;
    if (bucket == 0)
        return false;
    bucketTime = BucketText(recordTime, bucket);
    return true;
}
}

long long BarTimeValue(const CString& time)
{
    long long year = ReadNumber(time, 0, 4);
    long long month = ReadNumber(time, 4, 2);
    long long day = ReadNumber(time, 6, 2);
    int blank = time.Find(' ');
    int minutes = 0;
    if (blank >= 0)
        minutes = ReadNumber(time, blank + 1, 2) * 60 + ReadNumber(time, blank + 4, 2);
    return ((year * 13 + month) * 32 + day) * 1440 + minutes;
}

int HourBucketStart(const CString& time)
{
    int minute = MinuteOfDay(time);
    static const int starts[] = {570, 630, 690, 780, 840, 900};
    static const int ends[] = {630, 690, 720, 840, 900, 960};
    for (int i = 0; i < 6; ++i)
        if (minute >= starts[i] && minute < ends[i])
            return starts[i];
    return 0;
}

bool NextBarBucket(const CString& market, int period, const CString& lastTime,
                   const CString& recordTime, CString& bucketTime)
{
    if (period != 1 && period != 5 && period != 15 && period != 30 && period != 60)
        return false;
    if (lastTime.GetLength() < 15 || recordTime.GetLength() < 15)
        return false;
    if (ReadNumber(recordTime, 0, 8) < ReadNumber(lastTime, 0, 8))
        return false;
    if (period == 60 && IsExchangeMarket(market))
        return NextMarketHourBucket(market, lastTime, recordTime, bucketTime);
    // A later day never folds into the last bar, whatever its time of day (a chart left
    // open overnight).
    if (ReadNumber(recordTime, 0, 8) > ReadNumber(lastTime, 0, 8))
    {
        bucketTime = PeriodStartTime(recordTime, period);
        return true;
    }

    int last = MinuteOfDay(lastTime);
    int now = MinuteOfDay(recordTime);
    if (last >= now)
        return false;
    int lastHour = last / 60, lastMinute = last % 60;
    int hour = now / 60, minute = now % 60;
    bool opens = false;
    if (hour == lastHour)
        opens = minute - lastMinute >= period;
    else if (hour > lastHour)
        opens = minute - lastMinute + 60 >= period;
    if (!opens)
        return false;
    bucketTime = PeriodStartTime(recordTime, period);
    return true;
}

bool IsNumericText(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i)
    {
        char ch = text[i];
        if (ch != '.' && (ch < '0' || ch > '9'))
            return false;
    }
    return true;
}

CString PeriodStartTime(const CString& recordTime, int step)
{
    int minute = ReadNumber(recordTime, 12, 2);
    if (step > 0)
        minute -= minute % step;
    CString text;
    text.Format("%s%02d:00", recordTime.Left(12).GetString(), minute);
    return text;
}

bool IsExchangeMarket(const CString& market)
{
    return BeginsWith(market, "CSM") || BeginsWith(market, "HKS");
}
