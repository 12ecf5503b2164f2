// Reading bar times ("YYYYMMDD HH:MM:SS") and deciding which bar a real-time record belongs to.
#pragma once
#include <afx.h>

// A value that orders bar times by date, hours and minutes (seconds are not read). Times that
// are equal to the minute give equal values.
long long BarTimeValue(const CString& time);

// Start minute of the market-hour bucket of a 60-minute bar, 0 outside the market hours.
int HourBucketStart(const CString& time);

// True when the record opens a new bar; bucketTime then holds that bar's time. False when
// the record belongs to the last bar (bucketTime is left alone).
bool NextBarBucket(const CString& market, int period, const CString& lastTime,
                   const CString& recordTime, CString& bucketTime);

// Every character a decimal digit or a point (an empty text passes).
bool IsNumericText(const CString& text);

// The record time's date, blank and hours, with the minutes cut down to a multiple of step
// and the seconds 0: the time of the bar that the record opens.
CString PeriodStartTime(const CString& recordTime, int step);

// Whether the market text begins with one of the two markets whose bars follow market hours.
bool IsExchangeMarket(const CString& market);
