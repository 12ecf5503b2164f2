#include "KLineReply.h"
#include <stdlib.h>
#include <algorithm>
#include <set>
#include "DateText.h"
#include "JsonText.h"
#include "TextHelpers.h"
#include "TimeOfDay.h"
#include "TradingSessions.h"

namespace
{
bool IsIntradayPeriod(int period)
{
    return period == KLINE_PERIOD_INTRADAY || (period >= 1 && period <= 59);
}

// A real time of day written "HH:MM", so that the same minute sent as "9:30" and "09:30" is
// one bar; any other text is only cut to 5 characters.
CString NormalBarTime(const CString& text)
{
    TimeOfDay time;
    if (!ParseTimeOfDay(text, time))
        return text.GetLength() > 5 ? text.Left(5) : text;
    CString normal;
    normal.Format("%02d:%02d", time.hour, time.minute);
    return normal;
}

CString DateAndTime(const KLineBar& bar)
{
    return bar.strDate + " " + bar.strTime;
}
} // namespace

CString ToDashedDate(const CString& date)
{
    if (!IsEightDigitDate(date))
        return CString();
    CString dashed;
    dashed.Format("%04d-%02d-%02d", atoi(date.Left(4)), atoi(date.Mid(4, 2)),
                  atoi(date.Mid(6, 2)));
    return dashed;
}

void ParseKLineBar(const json_t* object, KLineBar& bar)
{
    bar.strClosePrice = JsonMemberText(object, "closePrice");
    bar.strTime = JsonMemberText(object, "time");
    bar.strPrice = JsonMemberText(object, "price");
    bar.strMaxVolume = JsonMemberText(object, "maxVolume");
    bar.strVolume = JsonMemberText(object, "volume");
    bar.strPreClose = JsonMemberText(object, "pre_close");
    bar.strOpenPrice = JsonMemberText(object, "openPrice");
    bar.strHigh = JsonMemberText(object, "high");
    bar.strLow = JsonMemberText(object, "low");
    bar.strDate = JsonMemberText(object, "date");
    bar.strTime = NormalBarTime(bar.strTime);
}

void ParseKLineList(const json_t* list, const CString& market, const CString& code, int period,
                    std::vector<KLineBar>& bars)
{
    if (list == nullptr || !json_is_array(list))
        return;
    std::set<CString> seen;
    for (size_t i = 0; i < json_array_size(list); ++i)
    {
        json_t* element = json_array_get(list, i);
        json_t* parsed = nullptr;
        if (json_is_string(element))
        {
            parsed = ParseJsonText(json_string_value(element));
            element = parsed;
        }
        if (element != nullptr && json_is_object(element))
        {
            KLineBar bar;
            ParseKLineBar(element, bar);
            bar.strCode = code;
            bool fresh = seen.insert(bar.strDate + bar.strTime).second;
            bool inSession = !IsIntradayPeriod(period) ||
                             IsMarketSessionTime(market, bar.strTime, FALSE, 0);
            if (fresh && inSession)
                bars.push_back(bar);
        }
        if (parsed != nullptr)
            json_decref(parsed);
    }
}

int ParseKLineReply(const CString& market, const CString& code, int period,
                    const std::string& body, std::vector<KLineBar>& bars)
{
    if (body.empty())
        return -1;
    json_t* root = ParseJsonText(body);
    if (root == nullptr)
        return -1;
    int result = -1;
    json_t* returnCode = json_object_get(root, "returnCode");
    if (json_is_integer(returnCode) && json_integer_value(returnCode) == 200)
    {
        result = 0;
        ParseKLineList(json_object_get(root, "list"), market, code, period, bars);
        ParseKLineList(json_object_get(root, "listDate"), market, code, period, bars);
    }
    json_decref(root);
    return result;
}

__int64 BarTimeKey(const KLineBar& bar)
{
    int year = NumberAt(bar.strDate, 0, 4);
    int month = NumberAt(bar.strDate, 5, 2);
    int day = NumberAt(bar.strDate, 8, 2);
    int colon = bar.strTime.Find(':');
    int hour = colon >= 0 ? atoi(bar.strTime.Left(colon)) : atoi(bar.strTime);
    int minute = colon >= 0 ? atoi(bar.strTime.Mid(colon + 1)) : 0;
    return ((((__int64)year * 100 + month) * 100 + day) * 100 + hour) * 100 + minute;
}

bool CompareBarTime(const KLineBar& a, const KLineBar& b)
{
    return BarTimeKey(a) < BarTimeKey(b);
}

bool IsSameBarTime(const KLineBar& a, const KLineBar& b)
{
    return DateAndTime(a) == DateAndTime(b);
}

void SortAndDeduplicateBars(std::vector<KLineBar>& bars)
{
    // Stable: of two bars of the same time the one that came first stays.
    std::stable_sort(bars.begin(), bars.end(), CompareBarTime);
    bars.erase(std::unique(bars.begin(), bars.end(), IsSameBarTime), bars.end());
}
