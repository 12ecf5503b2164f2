// Labels of the chart's time axis and the weekday of a bar date.
#pragma once
#include <afx.h>

// Day bars: "YYYYMM" on the first of January, "MM" on the first of any other month, else empty.
CString DayAxisLabel(const CString& barTime);

// Intraday bars: the two day digits at the first bar of a day (previousLabel is the last label
// already placed, empty when none), else empty. Times of 7 characters or fewer get none.
CString IntradayAxisLabel(const CString& barTime, const CString& previousLabel);

// 0 Sunday .. 6 Saturday of the date in the first eight characters "YYYYMMDD"; -1 when unreadable.
int WeekdayOf(const CString& barTime);

// "一" .. "六" for Monday to Saturday, empty for Sunday or an unreadable date.
CString WeekdayText(const CString& barTime);
