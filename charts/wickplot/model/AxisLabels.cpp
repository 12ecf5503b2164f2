#include "AxisLabels.h"
#include <stdlib.h>

CString DayAxisLabel(const CString& barTime)
{
    CString digits = barTime;
    digits.Remove('/');
    digits.TrimRight();
    if (digits.GetLength() < 8)
        return CString();
    CString monthDay = digits.Right(4);
    if (monthDay.Right(2) != "01")
        return CString();
    if (monthDay.Left(2) == "01")
        return digits.Left(6);
    return monthDay.Left(2);
}

CString IntradayAxisLabel(const CString& barTime, const CString& previousLabel)
{
    if (barTime.GetLength() <= 7)
        return CString();
    CString day = barTime.Mid(6, 2);
    if (previousLabel.IsEmpty() || previousLabel.Right(2) != day)
        return day;
    return CString();
}

int WeekdayOf(const CString& barTime)
{
    if (barTime.GetLength() < 8)
        return -1;
    for (int i = 0; i < 8; ++i)
        if (barTime[i] < '0' || barTime[i] > '9')
            return -1;
    int year = atoi(barTime.Left(4));
    int month = atoi(barTime.Mid(4, 2));
    int day = atoi(barTime.Mid(6, 2));
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return -1;
    // Sakamoto's rule for the Gregorian calendar.
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3)
        year -= 1;
    return (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
}

CString WeekdayText(const CString& barTime)
{
    static const char* const names[] = {"", "一", "二", "三", "四", "五", "六"};
    int weekday = WeekdayOf(barTime);
    return weekday < 0 ? CString() : CString(names[weekday]);
}
