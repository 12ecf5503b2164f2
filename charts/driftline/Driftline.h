// The intraday trend chart library. Every export takes the chart window first, does
// nothing without a live window and runs synchronously on the caller's interface thread.
#pragma once

#include <afxwin.h>

#include <ChartTitleInfo.h>

#include "DriftlineRecords.h"

#ifdef DRIFTLINE_BUILD
#define DRIFTLINE_API extern "C" __declspec(dllexport)
#else
#define DRIFTLINE_API extern "C" __declspec(dllimport)
#endif

// Creates the chart as a child of pHost; returns its window handle (0 without a host).
DRIFTLINE_API int dll_ShowDriftlineDlg(CWnd* pHost);
// The window that receives the notifications (a null parent changes nothing).
DRIFTLINE_API void dll_DriftlineSetParentWnd(CWnd* pChart, CWnd* pParent);
// The message number of notification `index` (0 to 5; others are ignored).
DRIFTLINE_API void dll_DriftlineRegistMsgID(CWnd* pChart, int index, UINT message);
// The chart copies the tick; the caller frees it.
DRIFTLINE_API void dll_DriftlineAddTradeRealData(CWnd* pChart, TrendTickNode* pTick);
// The chart takes the packet and frees it (also when there is no chart to take it).
DRIFTLINE_API void dll_DriftlineAddTradePacket(CWnd* pChart, TrendPacket* pPacket);
// Session bounds "hh:mm:ss".
DRIFTLINE_API void dll_DriftlineSetOpeMarketTime(CWnd* pChart, CString strOpen, CString strClose);
DRIFTLINE_API void dll_DriftlineSetTitleInfo(CWnd* pChart, ChartTitleInfo* pTitle);
DRIFTLINE_API void dll_DriftlineSetPrecision(CWnd* pChart, int* pDecimals);
