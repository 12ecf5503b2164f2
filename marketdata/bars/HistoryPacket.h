// The records in which bars travel to the candlestick chart library: one bar (WickplotBar)
// and a whole history (HistoryPacket, a chain of bars). Both are made with new by the
// program; handing them to the chart passes their ownership (program and libraries share one
// run-time heap). The layout is the chart library's interface: fields stay in this order.
#pragma once
#include <afx.h>

struct WickplotBar
{
    CString strCode;
    CString strTime;        // "YYYYMMDD" for day, week and month bars, else "YYYYMMDD HH:MM:SS"
    CString strOpen;
    CString strHigh;
    CString strLow;
    CString strClose;
    CString strVolume;
    CString strExtra;
    int nIndex = 0;         // position in its packet, from 0
    int nDirection = 0;     // 1 close above open, 2 close below open, 0 equal
    BYTE bPlaceByTime = 0;  // real-time bars: placed among the bars by their time
    WickplotBar* pNext = nullptr;
};

struct HistoryPacket
{
    CString strCode;
    CString strName;
    CString strPeriod;      // minutes in decimal: "0" day, "5040" week, "43200" month
    CString strMarket;      // "CSM", "HKS", ...: the chart's real-time merger reads it
    WickplotBar* pFirst = nullptr;
    WickplotBar* pCursor = nullptr;
    int nCount = 0;
};

// 1 when the open text's number is below the close's, 2 when above, 0 when equal.
int BarDirection(const CString& open, const CString& close);

// Appends a bar at the end of the chain: its index becomes the count before the append.
// pLast is the caller's pointer to the last bar (null for an empty packet); it is advanced.
void AppendHistoryBar(HistoryPacket& packet, WickplotBar* pBar, WickplotBar*& pLast);

// Deletes the packet and every bar of its chain (for packets that never reach a chart).
// Inline, so that a chart library frees a packet with its own copy of this code on the one
// shared heap without linking the market-data library.
inline void DeleteHistoryPacket(HistoryPacket* pPacket)
{
    if (pPacket == nullptr)
        return;
    WickplotBar* pBar = pPacket->pFirst;
    while (pBar != nullptr)
    {
        WickplotBar* pNext = pBar->pNext;
        delete pBar;
        pBar = pNext;
    }
    delete pPacket;
}
