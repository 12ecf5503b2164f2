// What the other concerns of the main window plug into its frame: the frame lays the client
// area out, keeps the trade panel's state and shows connection states, and calls these to
// move, show or fill what those concerns own. Each stays empty until its concern sets it in
// its initialisation; an empty hook does nothing (the toolbar's view requests are logged).
#pragma once

#include <afxwin.h>

#include <functional>
#include <vector>

struct FrameHooks
{
    // The quote area for the sector tab strip and its pages (board).
    std::function<void(const CRect& quoteArea)> placeQuoteArea;
    // The quote area for the chart hosts (hosts).
    std::function<void(const CRect& quoteArea)> placeChartHosts;
    // Shows or hides the chart host of the current view, if a chart view is shown (hosts).
    std::function<void(bool show)> showChartHost;
    // The toolbar's view and period buttons: view 0 list, 1 candlestick, 2 trend; period in
    // minutes (0 day, 5040 week, 43200 month), -1 the current one (hosts).
    std::function<void(int view, int period, bool reload)> requestView;
    // Zooms the candlestick chart in (1) or out (2) when it is shown (hosts).
    std::function<void(int direction)> zoomChart;
    // The code of the instrument in the open chart view; false outside the chart views (hosts).
    std::function<bool(CString& code)> chartCode;

    // The trade panel's header in its status form, or with the account summary (panels).
    std::function<void(const CString& text, COLORREF background, int link)> showPlatformStatus;
    std::function<void()> showAccountSummary;
    // Empties the today's-orders and positions lists and their books (desk).
    std::function<void()> clearOrdersAndPositions;
    // Switches the trade dialog's floating mode (panels).
    std::function<void(bool floating)> setTradePanelFloating;

    // Starts the instrument-list thread, which reports WM_SHOW_NOTICES when the lists are
    // ready; false when none was started (board).
    std::function<bool()> startSymbolList;
    // Destroys the splash window (board).
    std::function<void()> destroySplash;
    // The notice of the day: false when there is none (board).
    std::function<bool(CString& noticeId)> currentNotice;
    // Runs the notice window modally (board).
    std::function<void()> runNotice;

    // What each concern frees once every child window is gone (the window's last message),
    // in the order added. Workers to stop at the end go to CVelmoraDlg::AddShutdownStop.
    std::vector<std::function<void()>> afterChildWindowsGone;
};
