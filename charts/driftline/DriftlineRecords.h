// Records the main program hands to the trend chart.
#pragma once

#include <afx.h>

// One tick from the host, and one minute bucket of the chart (the same layout). Times are
// "YYYYMMDD HH:MM:SS" or a time of day without the date. Of a host's tick only code, price,
// volume, time, reference price and the closed flag are read.
struct TrendTickNode {
    CString strCode;
    CString strPrice;
    CString strAvgPrice;
    CString strVolume;
    CString strTime;
    int nX = 0;
    int nPriceY = 0;
    int nSpare = 0;
    int nAvgY = 0;
    int nIndex = 0;
    BYTE bClosed = 0;
    CString strRefPrice;  // the previous close
    TrendTickNode* pPrev = nullptr;
    TrendTickNode* pNext = nullptr;
};

// A history packet, made by the host with new; the chart takes it and frees it and its
// chain. Texts: [0] code, [1] name, [2] kept only, [3] market ("CSM..." or "HKS..."),
// [4] session date YYYYMMDD, [5] reference price, [6] open, [7] high, [8] low, [9] latest.
struct TrendPacket {
    CString strText[10];
    TrendTickNode* pHead = nullptr;
    int nReserved1 = 0;
    int nReserved2 = 0;
    int nHasBuckets = 0;  // 0: header only
};
