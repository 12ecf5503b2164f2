// What the frame asks of the main window's other parts: the frame lays the client area out,
// keeps the trade panel's state, shows connection states and brings the window on screen, and
// calls these to move, show or fill what those parts own. The main window implements every
// one; each answers harmlessly while its part does not exist yet.
#pragma once

#include <afxwin.h>

class IFrameParts
{
public:
    virtual ~IFrameParts() = default;

    // The quote area for the sector tab strip and its pages (board).
    virtual void PlaceBoard(const CRect& quoteArea) = 0;
    // The quote area for the chart hosts (hosts).
    virtual void PlaceCharts(const CRect& quoteArea) = 0;
    // Shows or hides the chart host of the current view; nothing in the list view (hosts).
    virtual void ShowChartHost(bool show) = 0;
    // The toolbar's view and period buttons: view 0 list, 1 candlestick, 2 trend; period in
    // minutes (0 day, 5040 week, 43200 month), -1 the current one (hosts).
    virtual void RequestChartView(int view, int period, bool reload) = 0;
    // Zooms the candlestick chart in (1) or out (2) when it is shown (hosts).
    virtual void ZoomChart(int direction) = 0;

    // The trade panel's header in its status form (panels).
    virtual void ShowPlatformStatus(const CString& text, COLORREF background, int link) = 0;
    // Switches the trade dialog's floating mode (panels).
    virtual void SetTradePanelFloating(bool floating) = 0;
    // The trade panel's header with the account summary (desk).
    virtual void ShowAccountSummary() = 0;
    // Empties the today's-orders and positions lists and their books (desk).
    virtual void ClearOrdersAndPositions() = 0;
    // A connection's new state, for what the trading handlers owe or are owed (desk).
    virtual void NoteConnectionState(int kind, int state) = 0;

    // Whether the instrument-list thread runs, which reports WM_SHOW_NOTICES when the lists
    // are ready (board).
    virtual bool IsSymbolListStarted() const = 0;
    // Destroys the splash window (board).
    virtual void DestroyBoardSplash() = 0;
    // The notice of the day: false when there is none to show (board).
    virtual bool BoardNoticeId(CString& noticeId) = 0;
    // Shows the notice window (board).
    virtual void ShowBoardNotice() = 0;
};
