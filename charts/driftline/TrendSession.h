// The trading session that the time axis spans: open and close minute (the close past
// 1440 for a session over midnight), its width in minutes and the axis labels.
#pragma once

#include <afx.h>

#include <vector>

namespace tolvan::driftline {

class TrendSession {
public:
    TrendSession();

    // Shanghai and Shenzhen shares and Hong Kong stocks have fixed layouts with a midday
    // break; any other pair of "hh:mm:ss" texts spans the time between them without one.
    void SetMarketTime(const CString& open, const CString& close);

    int OpenMinute() const { return m_open; }
    int CloseMinute() const { return m_close; }
    int TradingMinutes() const { return m_tradingMinutes; }
    const std::vector<CString>& Labels() const { return m_labels; }

    // The minute of a bucket on the axis, counted like the open minute: after midnight
    // in an overnight session it lies past 1440, and the midday break is left out.
    int AxisMinute(const CString& bucketTime, const CString& market) const;
    // Minutes since the session's open day began, so that minutes after midnight of an
    // overnight session compare as later.
    int SessionMinute(int minuteOfDay) const;

private:
    void SetFixed(int open, int close, int tradingMinutes, std::vector<CString> labels);
    void SetCustom(int open, int close);

    int m_open = 0;
    int m_close = 480;
    int m_tradingMinutes = 480;
    std::vector<CString> m_labels;
};

}  // namespace tolvan::driftline
