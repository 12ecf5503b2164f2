// Time texts of the trend chart: minutes of the day and bucket times "YYYYMMDD HH:MM:00".
#pragma once

#include <afx.h>

namespace tolvan::driftline {

// "HH:MM" (or longer) to hours x 60 + minutes.
int MinuteOfDay(const CString& text);
// Minutes to "HH:MM", hours taken modulo 24.
CString FormatMinuteText(int minutes);
// YYYYMMDD minus `days` days; an empty text stands for `today`.
CString ShiftDateText(const CString& date, int days, const CString& today);
// A tick or bucket time as the bucket list keeps it: a text without its date gets `date`
// in front, and the seconds become "00".
CString NormaliseBucketTime(const CString& time, const CString& date);
// The HH:MM minute of a normalised bucket time.
int BucketMinuteOfDay(const CString& bucketTime);

}  // namespace tolvan::driftline
