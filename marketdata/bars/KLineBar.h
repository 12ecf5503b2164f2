// One candlestick bar of the K-line service, as texts in the service's own words, and the
// request for a series of them.
#pragma once
#include <afx.h>

struct KLineBar
{
    CString strClosePrice;
    CString strTime;        // HH:MM (longer texts are cut to their first 5 characters)
    CString strPrice;
    CString strMaxVolume;
    CString strVolume;
    CString strPreClose;
    CString strOpenPrice;
    CString strHigh;
    CString strLow;
    CString strDate;        // YYYY-MM-DD as the service sends it
    CString strCode;        // the requested instrument code
};

struct KLineRequest
{
    CString strUrl;         // filled by the fetch
    CString strCode;
    CString strSize;        // number of bars, or "all"
    CString strStartDate;   // YYYYMMDD
    CString strEndDate;     // YYYYMMDD
    CString strMarket;      // "CSM" or "HKS"
    int nPeriod = 0;        // minutes: 0 day, 1, 5, 15, 30, 60, 5040 week, 43200 month,
                            // -100 the intraday series (served by the one-minute service)
};

enum { KLINE_PERIOD_INTRADAY = -100, KLINE_PERIOD_WEEK = 5040, KLINE_PERIOD_MONTH = 43200 };
