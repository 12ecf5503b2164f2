// The history-data service: bars of instruments that the K-line service does not serve, and
// the choice of the window of bars a chart asks for.
//
// The service answers "<result>...</result>" around one bar per line, oldest first:
//   minute bars  "YYYYMMDD HH:MM[:SS] open close high low volume"
//   day bars     "YYYYMMDD open close high low volume"
// (dates may also be written "YYYY-MM-DD"; fields separated by single blanks).
#pragma once
#include <afx.h>
#include <string>
#include "HistoryDataSource.h"
#include "HistoryPacket.h"
#include "HistoryRequest.h"
#include "ServerRecord.h"

// The access token of the history service's form field "say=".
extern const char HISTORY_SERVICE_TOKEN[];

// Fills request for a chart of code and period in market. An empty type becomes "ASHARE"
// for "CSM" and "HSHARE" for "HKS" (the market-day and calendar services' names), an empty
// date the source's date.
//   intraday (-100) of "CSM"/"HKS": the session of date when the market-day service confirms
//     it and the session has begun (then, and only then, market-day flag 1), else the
//     session of the previous trading day of the calendar;
//   intraday of other markets: the 24 hours from startTime (default "00:00:00") on date, or
//     on the day before when the clock has not reached startTime yet;
//   other periods: from the calendar's trading day a period-dependent number of trading days
//     back, "00:00:00", to date, "24:00:00"; week and month ask for 180 bars.
// Without a calendar answer the start falls back to the same number of calendar days back.
void BuildHistoryRequest(HistoryDataSource& source, const CString& date, const CString& code,
                         int period, const CString& market, HistoryRequest& request,
                         const CString& type, const CString& startTime,
                         const CString& extraText);

// Posts the query for request to the history service (GetHistoryServiceBase) with the type
// fields 2, 7 and 8 of the server record. Returns a new packet that the caller owns and sets
// nStatus to 3, or returns null (nStatus unchanged) when the reply holds no result.
HistoryPacket* RequestHistoryData(const ServerRecord& server, const HistoryRequest& request,
                                  int& nStatus);

// The query that RequestHistoryData appends to the service address (values URL-escaped).
std::string BuildHistoryQuery(const ServerRecord& server, const HistoryRequest& request);

// The bars of a result text inside the request's window, in time order, appended to packet;
// a line that is not later than the one before it, malformed or outside the window is
// skipped. Returns the number of bars appended.
int ParseHistoryResult(const CString& result, const HistoryRequest& request,
                       HistoryPacket& packet);

// The text between "<tag>" and the next "</tag>"; empty when either is missing.
CString ExtractTagText(const CString& reply, const CString& tag);

// The first trading day of the calendar of the market type ending at date (nDays trading
// days back), "YYYYMMDD"; empty when the calendar cannot be read.
CString QueryMarketCalendar(const CString& date, int nDays, const CString& type);
