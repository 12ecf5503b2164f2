// The server time text that the time sources yield ("YYYY-MM-DD hh:mm:ss", China Standard
// Time, UTC+8) and the arithmetic of the answer. Everything is computed in UTC, so the
// offset is right in any local time zone and never depends on daylight saving.
#pragma once
#include <afx.h>

class CServerTimeText
{
public:
    // The zone of the texts: UTC+8, without daylight saving.
    static const int kTextZoneSeconds = 8 * 3600;

    // RFC 868 seconds since 1900-01-01 00:00 UTC as the text at UTC+8, "\n" at the end.
    static CString FromTimeProtocolSeconds(DWORD nSecondsSince1900);
    // Years of a server time worth believing. A time server that answers 1 (1900) or a
    // service with a broken clock must not move the program's clock by a century; and the
    // program writes every date with the century "20".
    static const int kFirstPlausibleYear = 2000;
    static const int kLastPlausibleYear = 2099;

    // The instant a text names, in seconds since 1970-01-01 UTC. False when the text does
    // not hold six numbers of a valid date and time of the plausible years.
    static bool ToUtc(LPCSTR lpszText, __time64_t& nUtc);
    // The date of a text as the decimal number YYYYMMDD (its first 10 characters, "-" removed).
    static LONG DateNumber(LPCSTR lpszText);
    // Server time minus local time in seconds, the local clock read at t0 (before asking)
    // and t1 (after the answer): half the round trip is taken as the answer's travel time.
    // 64 bits: a PC clock that is years off still gets its whole offset.
    static LONGLONG Offset(__time64_t nServerUtc, __time64_t nLocalBefore, __time64_t nLocalAfter);
};
