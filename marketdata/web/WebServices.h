// The small web services beside the market data: whether a day is a trading day, the
// trading-day calendar and the operator's notices.
#pragma once
#include <afx.h>
#include <string>
#include <vector>
#include "NoticeRecord.h"

// True when the market-day service confirms that date (YYYYMMDD) is a trading day of the
// market type ("ASHARE", "HSHARE"): "returnCode" is the string "200" and "status" the string
// "Y". Empty arguments, no reply or any other reply give false.
bool ValidateMarketDay(const CString& date, const CString& type);

// Fills dates with the calendar of the market type around date (day: the service's count of
// days). True only when the calendar was read; *pParseResult, when given, receives the
// reader's result (ParseMarketCalendar, or -4 when the transfer failed).
bool GetMarketCalendar(const CString& date, int day, const CString& type,
                       std::vector<CString>& dates, int* pParseResult = nullptr);

// The calendar reply: 0 and the "date" texts of the array that the "code" string holds;
// -1 "returnCode" is an integer other than 200; -2 "code" begins with "false"; -3 a reply
// that is not JSON or not of that shape.
int ParseMarketCalendar(const std::string& reply, std::vector<CString>& dates);

// The notice with id (the current one for an empty id). True when a notice with content was
// read; its texts are converted from UTF-8. A reply that is not JSON is reported on the
// standard error stream.
bool FetchNotices(const CString& id, NoticeRecord& notice);
// The notice reply as FetchNotices reads it.
bool ParseNoticeReply(const std::string& reply, NoticeRecord& notice);

// The escaped, encrypted form of a request object's JSON text ("code=" of the market-day and
// calendar services); empty when it cannot be built.
std::string MakeMarketDayCode(const CString& date, const CString& type);
std::string MakeCalendarCode(const CString& date, int day, const CString& type);
