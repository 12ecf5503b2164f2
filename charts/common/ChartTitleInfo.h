// The title record of the chart windows: eight texts, passed by address; the caller keeps it.
#pragma once

#include <afx.h>

struct ChartTitleInfo {
    CString strTitle;
    CString strPeriod;
    CString strExtra;
    CString strLatest;
    CString strOpen;
    CString strHigh;
    CString strLow;
    CString strPreClose;
};
