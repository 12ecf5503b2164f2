// Messages between the chart libraries, their hosts and the main window.
#pragma once
#include <afx.h>

// Notifications the chart windows send their host (registered by index).
#define WM_CHART_NOTIFY_DEPTH   1027
#define WM_CHART_NEED_HISTORY   1031
#define WM_CHART_PACKET_TAKEN   1032

// The depth feed of the shown instrument: the charts' "显示一档"/"显示五档", relayed by the
// hosts to the main window unchanged.
#define WM_DEPTH_FEED_OFF       0x405
#define WM_DEPTH_FEED_ON        0x406

// View and period requests of the toolbar and the quote pages.
#define WM_QUOTES_REFRESH       11057
#define WM_TOOLBAR_BUTTON0      11059
#define WM_TOOLBAR_BUTTON4      11065
#define WM_TOOLBAR_BUTTON5      11066
#define WM_TOOLBAR_BUTTON6      11067
#define WM_TOOLBAR_BUTTON7      11068
#define WM_TOOLBAR_BUTTON8      11069
#define WM_VIEW_MIN3            11070
#define WM_TOOLBAR_BUTTON9      11071
#define WM_TOOLBAR_BUTTON10     11072
#define WM_TOOLBAR_BUTTON11     11073
#define WM_TOOLBAR_BUTTON12     11074
#define WM_LIST_OPEN_TREND      11079
#define WM_REQUEST_OLDER_BARS   11107
#define WM_SELECT_CODE          11115

// Private to the hosts' own threads and windows (the main window handles them).
#define WM_HOSTS_STATUS_TEXT    (WM_APP + 3600)  // lParam: new CString, taken by the handler
#define WM_HOSTS_HISTORY_DONE   (WM_APP + 3601)  // lParam: the finished download job
#define WM_HOSTS_RESET_DEPTH    (WM_APP + 3602)  // lParam: const CString* code (sent)
#define WM_HOSTS_CHART_LOADED   (WM_APP + 3603)  // wParam: the period of the packet taken
#define WM_HOSTS_BACK_TO_LIST   (WM_APP + 3604)  // Esc in the candlestick chart: list, day period

// The request of WM_SELECT_CODE, valid during the call.
struct SelectCodeRequest
{
    CString strCode;
    int nView = 0;
    int nPeriod = 0;
};
