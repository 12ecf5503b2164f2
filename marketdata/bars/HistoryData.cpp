#include "HistoryData.h"
#include <stdlib.h>
#include <vector>
#include "DateText.h"
#include "MarketTime.h"
#include "TextHelpers.h"
#include "TimeOfDay.h"
#include "TradingSessions.h"
#include "WebRequest.h"
#include "WebServices.h"
#include "WebServiceConfig.h"

const char HISTORY_SERVICE_TOKEN[] = "3c9e0a7b51d24f86e0b7a19c5d3f2e48";

namespace
{
struct CalendarSpan
{
    int period;
    int tradingDays;
};

// How far back each period's window reaches, in trading days.
const CalendarSpan kCalendarSpans[] = {{1, 1},  {5, 5},     {15, 10},   {30, 20},
                                       {60, 40}, {0, 250},  {5040, 1000}, {43200, 3000}};

int TradingDaysBack(int period)
{
    for (const CalendarSpan& span : kCalendarSpans)
        if (span.period == period)
            return span.tradingDays;
    return 1;
}

// A trading day from the calendar, or the same count of calendar days back without one.
CString TradingDayBefore(const CString& date, int tradingDays, const CString& type)
{
    CString day = QueryMarketCalendar(date, tradingDays, type);
    if (day.IsEmpty())
        day = SubtractDaysFromDate(date, tradingDays);
    return day;
}

void SetWindow(HistoryRequest& request, const CString& startDate, const CString& startTime,
               const CString& endDate, const CString& endTime, const CString& extraText)
{
    request.strStartDate = startDate;
    request.strStartTime = startTime;
    request.strStartExtra = extraText;
    request.strEndDate = endDate;
    request.strEndTime = endTime;
    request.strEndExtra = extraText;
}

bool HasSessionBegun(const CString& openTime, __time64_t now)
{
    int openHour = atoi(openTime.Left(2));
    int openMinute = atoi(openTime.Mid(3, 2));
    int hour = GetHourOfTime(now);
    int minute = GetMinuteOfTime(now);
    return openHour < hour || (openHour == hour && openMinute <= minute);
}

void BuildStockIntraday(const CString& date, const CString& market, HistoryRequest& request,
                        const CString& type, const CString& extraText)
{
    CString open = GetSessionOpenTime(market);
    CString close = GetSessionCloseTime(market);
    CString day = date;
    // The flag says the window is a running session that the series refresh may extend: a
    // trading day before its open shows the previous day's closed session.
    const bool currentSession = ValidateMarketDay(date, type) && HasSessionBegun(open, GetMarketTime());
    request.nMarketDay = currentSession ? 1 : 0;
    if (!currentSession)
        day = TradingDayBefore(date, 1, type);
    SetWindow(request, day, open, day, close, extraText);
}

void BuildOtherIntraday(const CString& date, HistoryRequest& request, const CString& startTime,
                        const CString& extraText)
{
    CString start = FormatTimeOfDay(startTime);
    if (start.IsEmpty())
        start = "00:00:00";
    request.nMarketDay = 0;
    if (start == "00:00:00")
    {
        SetWindow(request, date, start, date, "24:00:00", extraText);
        return;
    }
    // A session that begins in the evening runs over midnight into the next day.
    CString now = FormatTime(GetMarketTime(), "%H:%M:%S");
    CString first = date;
    if (now < start)
        first = SubtractDaysFromDate(date, 1);
    SetWindow(request, first, start, SubtractDaysFromDate(first, -1), start, extraText);
}

// Date of a result field as the number YYYYMMDD, or -1.
int DateNumber(const CString& field)
{
    CString digits = field;
    digits.Remove('-');
    digits.Remove('/');
    return IsEightDigitDate(digits) ? atoi(digits) : -1;
}

bool HasOnlyResultCharacters(const CString& line)
{
    for (int i = 0; i < line.GetLength(); ++i)
    {
        char c = line[i];
        if (!(c == ' ' || (c >= '0' && c <= '9') || c == ':' || c == '.' || c == '-' || c == '\n'))
            return false;
    }
    return true;
}

struct ResultLine
{
    int date = -1;
    int minutes = 0;
    CString barTime;       // "YYYYMMDD" or "YYYYMMDD HH:MM:SS"
    CString values[5];     // open, close, high, low, volume
};

// One line "date [time] open close high low volume"; false for a malformed line.
bool ReadResultLine(CString line, ResultLine& out)
{
    line.Remove('\n');
    line.Remove('\r');
    line.Trim(" ");
    if (line.IsEmpty() || !HasOnlyResultCharacters(line))
        return false;
    CStringArray fields;
    SplitString(fields, line, " ", true, true);
    out.date = DateNumber(fields[0]);
    if (out.date < 0)
        return false;
    CString dateText;
    dateText.Format("%08d", out.date);
    bool hasTime = fields.GetSize() > 1 && fields[1].Find(':') >= 0;
    INT_PTR first = hasTime ? 2 : 1;
    if (fields.GetSize() < first + 5)
        return false;
    if (hasTime)
    {
        // A time that names no minute of the day would sort the bar anywhere.
        TimeOfDay time;
        if (!ParseTimeOfDay(fields[1], time))
            return false;
        out.minutes = time.Minutes();
        out.barTime.Format("%s %02d:%02d:%02d", (LPCTSTR)dateText, time.hour, time.minute, time.second);
    }
    else
    {
        out.minutes = 0;
        out.barTime = dateText;
    }
    for (int i = 0; i < 5; ++i)
        out.values[i] = fields[first + i];
    return true;
}

__int64 Moment(int date, int minutes)
{
    return (__int64)date * 10000 + minutes;
}
} // namespace

CString ExtractTagText(const CString& reply, const CString& tag)
{
    CString opening = "<" + tag + ">";
    CString closing = "</" + tag + ">";
    int start = reply.Find(opening);
    if (start < 0)
        return CString();
    start += opening.GetLength();
    int end = reply.Find(closing, start);
    if (end < 0)
        return CString();
    return reply.Mid(start, end - start);
}

CString QueryMarketCalendar(const CString& date, int nDays, const CString& type)
{
    std::vector<CString> dates;
    if (!GetMarketCalendar(date, nDays, type, dates) || dates.empty())
        return CString();
    CString day = dates.front();
    day.Remove('-');
    return day;
}

void BuildHistoryRequest(HistoryDataSource& source, const CString& date, const CString& code,
                         int period, const CString& market, HistoryRequest& request,
                         const CString& type, const CString& startTime,
                         const CString& extraText)
{
    CString serviceType = type;
    if (serviceType.IsEmpty() && market == "CSM")
        serviceType = "ASHARE";
    else if (serviceType.IsEmpty() && market == "HKS")
        serviceType = "HSHARE";
    CString day = date.IsEmpty() ? source.GetDate() : date;
    request.nPeriod = period;
    request.strMarket = market;
    request.strCode = code;
    request.nMarketDay = 0;

    if (period == -100 && (market == "CSM" || market == "HKS"))
        BuildStockIntraday(day, market, request, serviceType, extraText);
    else if (period == -100)
        BuildOtherIntraday(day, request, startTime, extraText);
    else
    {
        CString first = TradingDayBefore(day, TradingDaysBack(period), serviceType);
        SetWindow(request, first, "00:00:00", day, "24:00:00", extraText);
        if (period == 5040 || period == 43200)
            request.nSize = 180;
    }
}

std::string BuildHistoryQuery(const ServerRecord& server, const HistoryRequest& request)
{
    CString periodText = "D";
    if (request.nPeriod > 0)
        periodText.Format("%d", request.nPeriod);
    else if (request.nPeriod < 0)
        periodText = "1";
    return "?type=" + EscapeUrlText(server.GetField(2)) + "@" + EscapeUrlText(server.GetField(7)) +
           "@" + EscapeUrlText(server.GetField(8)) + "@" + EscapeUrlText(periodText) +
           "&sdate=" + EscapeUrlText(request.strStartDate) +
           "&edate=" + EscapeUrlText(request.strEndDate);
}

int ParseHistoryResult(const CString& result, const HistoryRequest& request,
                       HistoryPacket& packet)
{
    const __int64 windowStart =
        Moment(DateNumber(request.strStartDate), TimeTextToMinutes(request.strStartTime));
    const __int64 windowEnd =
        Moment(DateNumber(request.strEndDate), TimeTextToMinutes(request.strEndTime));
    __int64 previous = -1;
    WickplotBar* last = packet.pFirst;
    while (last != nullptr && last->pNext != nullptr)
        last = last->pNext;
    int added = 0;
    CStringArray lines;
    SplitString(lines, result, "\n", true, false);
    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
    {
        ResultLine line;
        if (!ReadResultLine(lines[i], line))
            continue;
        __int64 moment = Moment(line.date, line.minutes);
        if (moment < windowStart || moment > windowEnd || moment <= previous)
            continue;
        previous = moment;
        WickplotBar* bar = new WickplotBar;
        bar->strTime = line.barTime;
        bar->strOpen = line.values[0];
        bar->strClose = line.values[1];
        bar->strHigh = line.values[2];
        bar->strLow = line.values[3];
        bar->strVolume = line.values[4];
        bar->nDirection = BarDirection(bar->strOpen, bar->strClose);
        AppendHistoryBar(packet, bar, last);
        ++added;
    }
    return added;
}

HistoryPacket* RequestHistoryData(const ServerRecord& server, const HistoryRequest& request,
                                  int& nStatus)
{
    std::string url = std::string((LPCTSTR)GetHistoryServiceBase()) +
                      BuildHistoryQuery(server, request);
    CurlGlobalInitOnce();
    std::string reply = PostWebRequest(url, std::string("say=") + HISTORY_SERVICE_TOKEN, true, "");
    CString result = ExtractTagText(CString(reply.c_str()), "result");
    if (result.IsEmpty())
        return nullptr;
    nStatus = 3;
    HistoryPacket* packet = new HistoryPacket;
    packet->strPeriod.Format("%d", request.nPeriod);
    packet->strMarket = request.strMarket;
    ParseHistoryResult(result, request, *packet);
    return packet;
}
