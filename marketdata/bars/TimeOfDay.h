// A time of day as the market-data services write it in bar records: "H:M" or "H:M:S", each
// field one or two digits. Texts that name no real time ("99:99", "-5:00", "24:01", an hour
// of many digits) are refused, so such a record never becomes a bar at a made-up time.
// "24:00" and "24:00:00" are the end of the day, which the services use as a window's end.
#pragma once
#include <afx.h>

struct TimeOfDay
{
    int hour = 0;
    int minute = 0;
    int second = 0;

    int Minutes() const { return hour * 60 + minute; }
};

// False, with time unchanged, for any text that is not a time of day of 00:00:00 to 24:00:00.
bool ParseTimeOfDay(const CString& text, TimeOfDay& time);
