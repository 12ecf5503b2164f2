// The window of bars that a chart asks the history services for.
#pragma once
#include <afx.h>

struct HistoryRequest
{
    int nKind = 0;
    int nPeriod = 0;           // minutes; -100 the intraday series
    CString strMarket;         // market key ("CSM", "HKS", "CL", ...)
    CString strStartDate;      // YYYYMMDD
    CString strStartTime;      // HH:MM:SS
    CString strStartExtra;
    CString strEndDate;        // YYYYMMDD
    CString strEndTime;        // HH:MM:SS ("24:00:00" for the end of the day)
    CString strEndExtra;
    int nSize = 0;             // 180 for week and month requests
    int nMarketDay = 0;        // 1: the window is the running session of a trading day
    CString strCode;           // the instrument the window was built for
};
