// The candlestick chart library. Every export but the first takes the chart window (the
// CWnd of the handle that dll_ShowWickplotDlg returned), does nothing without a live window
// and sends that window one message synchronously on the caller's interface thread.
// Records handed over with new (packets, real-time bars) become the library's and are freed
// by it on the shared heap; the title record and the decimals stay the caller's.
#pragma once

#include <afxwin.h>

#include <ChartTitleInfo.h>
#include <HistoryPacket.h>

#ifdef WICKPLOT_BUILD
#define WICKPLOT_API extern "C" __declspec(dllexport)
#else
#define WICKPLOT_API extern "C" __declspec(dllimport)
#endif

// Notification indexes for dll_WickplotRegistMsgID.
enum WickplotNotice {
    kWickplotPageOlderButton = 0,  // left title triangle clicked
    kWickplotPageNewerButton = 1,  // right title triangle clicked
    kWickplotPanelButton = 2,      // the depth-panel toggle
    kWickplotFourthZone = 3,       // the unpainted zone at the right edge
    kWickplotOneLevel = 4,         // "显示一档"
    kWickplotFiveLevels = 5,       // "显示五档"
    kWickplotOlderHistory = 6,     // older bars wanted (posted)
    kWickplotHistoryLoaded = 7,    // a packet was loaded; wParam its period in minutes
    kWickplotNoticeCount = 8
};

// Creates the chart as a child of pHost and shows it; returns its window handle (0 without
// a live host).
WICKPLOT_API int dll_ShowWickplotDlg(CWnd* pHost);
// Ownership of the packet and its chain passes to the chart; the newest packet wins. Without
// a live chart the packet stays the caller's.
WICKPLOT_API void dll_WickplotAddPacket(CWnd* pChart, HistoryPacket* pPacket);
// The window that receives the notifications (a null parent changes nothing).
WICKPLOT_API void dll_WickplotSetParentWnd(CWnd* pChart, CWnd* pParent);
// The message number of notification `index` (0 to 7; other indexes are ignored).
WICKPLOT_API void dll_WickplotRegistMsgID(CWnd* pChart, int index, UINT message);
// The chart copies the eight texts; text 0 is replaced by its own "name(code)".
WICKPLOT_API void dll_WickplotSetTitleInfo(CWnd* pChart, ChartTitleInfo* pTitle);
// A real-time bar; ownership passes (also when there is no chart: the export frees it).
WICKPLOT_API void dll_WickplotAddData(CWnd* pChart, WickplotBar* pBar);
// Renders the three panels again.
WICKPLOT_API void dll_WickplotUpdateDraw(CWnd* pChart);
// Price decimals = *pDecimals (5 until set).
WICKPLOT_API void dll_WickplotSetPrecision(CWnd* pChart, int* pDecimals);
// op 1: type 1 zooms in, type 2 zooms out (only while the chart is visible).
WICKPLOT_API void dll_WickplotOperate(CWnd* pChart, int op, int type);
// Esc and the four arrow keys of a WM_KEYDOWN; acts on the chart it is given.
WICKPLOT_API void dll_WickplotSetKeyDownValue(CWnd* pChart, MSG* pMsg);
