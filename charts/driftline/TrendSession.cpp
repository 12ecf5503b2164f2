#include "TrendSession.h"

#include "TrendTimeText.h"

namespace tolvan::driftline {

TrendSession::TrendSession()
{
    // Until the host sets a session: eight hours from midnight, a label every hour.
    std::vector<CString> labels;
    for (int minute = 0; minute <= 480; minute += 60)
        labels.push_back(FormatMinuteText(minute));
    SetFixed(0, 480, 480, labels);
}

void TrendSession::SetFixed(int open, int close, int tradingMinutes, std::vector<CString> labels)
{
    m_open = open;
    m_close = close;
    m_tradingMinutes = tradingMinutes;
    m_labels = std::move(labels);
}

void TrendSession::SetMarketTime(const CString& open, const CString& close)
{
    if (open == "09:30:00" && close == "15:00:00") {
        SetFixed(570, 900, 240, {"09:30", "10:00", "10:30", "11:00", "11:30", "13:30", "14:00",
                                 "14:30", "15:00"});
    } else if (open == "09:30:00" && close == "16:00:00") {
        SetFixed(570, 960, 330, {"09:30", "10:00", "10:30", "11:00", "11:30", "12:00", "13:30",
                                 "14:00", "14:30", "15:00", "15:30", "16:00"});
    } else {
        SetCustom(MinuteOfDay(open.Left(5)), MinuteOfDay(close.Left(5)));
    }
}

void TrendSession::SetCustom(int open, int close)
{
    if (open >= close)
        close += 1440;
    std::vector<CString> labels{FormatMinuteText(open)};
    int firstMark = open % 30 == 0 ? open + 30 : open / 30 * 30 + 60;
    int mark = firstMark;
    for (; mark <= close; mark += 30)
        labels.push_back(FormatMinuteText(mark));
    if ((close - firstMark) % 30 != 0)
        labels.push_back(FormatMinuteText(close));
    SetFixed(open, close, close - open, labels);
}

int TrendSession::SessionMinute(int minuteOfDay) const
{
    return minuteOfDay < m_open ? minuteOfDay + 1440 : minuteOfDay;
}

int TrendSession::AxisMinute(const CString& bucketTime, const CString& market) const
{
    int minute = SessionMinute(BucketMinuteOfDay(bucketTime));
    if (market.Left(3) == "CSM" && minute > 779)
        minute -= 90;  // 13:00 lands on 11:30
    else if (market.Left(3) == "HKS" && minute > 779)
        minute -= 60;  // 13:00 lands on 12:00
    return minute;
}

}  // namespace tolvan::driftline
