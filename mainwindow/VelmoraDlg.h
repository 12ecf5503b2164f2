// The terminal's main dialog.
#pragma once
#include <afxdialogex.h>
#include <deque>
#include <memory>
#include <set>
#include <vector>
#include "resource.h"
#include "StatisticsReport.h"
#include "StoppableThread.h"
// -- frame includes --
#include "CaptionFrame.h"
#include "FrameParts.h"
#include "ShutdownPlan.h"
#include "ToolbarButtons.h"
#include <afxext.h>
// -- end frame includes --
#include "ChartViews.h"
#include "MessageFilter.h"
#include "QuoteBoard.h"
#include "QuotePageMessages.h"
#include "TradePanelOwner.h"

#include <vector>

class CLoginFlow;
class CMainReceiverHost;
class CReceiverSet;
struct CBoardState;
class CQuoteBoard;

// The main window's parts ask each other through the interfaces it implements: the frame
// (IFrameParts), the message filter (IMessageFilterHost), the quote board (IQuoteBoardOwner),
// the chart views (IChartViewsOwner) and the trade panel's windows (ITradePanelOwner). Each part defines its share in its own folder.
class CVelmoraDlg : public CDialogEx,
                    public IQuotePageOwner,
                    public IFrameParts,
                    public IMessageFilterHost,
                    public IQuoteBoardOwner,
                    public IChartViewsOwner,
                    public ITradePanelOwner
{
public:
    explicit CVelmoraDlg(CWnd* pParent = nullptr);
    ~CVelmoraDlg();

    enum { IDD = IDD_VELMORA_DIALOG };

    // The last server-clock text, shown in pane 5 of the status bar.
    const CString& GetServerClockText() const { return m_strServerClockText; }

protected:
    BOOL OnInitDialog() override;

    afx_msg void OnDestroy();
    afx_msg LRESULT OnServerTimeOffset(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnServerClockText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSpeedTestDone(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCheckUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLoginNotice(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNewVersion(WPARAM wParam, LPARAM lParam);

    // Handlers by concern; each concern defines its members in its own folder's
    // VelmoraDlg<Concern>.cpp and adds its message-map entries in its own block.
    // -- frame: frame, caption, layout, toolbar, status bar, shutdown --
public:
    // Places every child for a client size and split.
    void LayoutChildren(int width, int height, int split);
    const LayoutArea& QuoteArea() const { return m_quoteArea; }
    const LayoutArea& TradePanelArea() const { return m_tradePanelArea; }
    int GetSplit() const { return m_nSplit; }
    // The split a splitter drag gives (clamped by the message filter); lays out again.
    void ApplySplit(int split) override;
    int GetTradePanelState() const { return m_nTradePanelState; }
    bool IsTradePanelDocked() const override { return m_nTradePanelState == TRADE_PANEL_DOCKED; }
    // The trade panel's window (panels sets it when the trade dialog exists).
    void SetTradePanelWindow(HWND hPanel) { m_hTradePanel = hPanel; }
    void ToggleTradePanel() override;
    int HitTestCaptionButton(int x, int y) const override { return m_captionFrame.HitTestCaptionButton(x, y, nullptr); }
    void CheckToolbarButton(int button) { m_toolbar.Check(button); }
    // Enables the period buttons for the shown sector and, in "我的板块", the selected row's
    // market key (board calls it when the shown sector or row changes).
    void ApplyPeriodButtons(const CString& sector, bool hasSelectedRow, const CString& marketKey);
    HWND GetToolbarWindow() const { return m_toolbar.GetSafeHwnd(); }
    CStatusBar& GetStatusBar() { return m_statusBar; }
    // False while the end's stops still run on their own thread (the pump ran out first).
    bool AreWorkerStopsDone() const { return m_bWorkerStopsDone; }
    // A worker to stop at the end, in its stage: with the receivers and the clock (one shared
    // 3000 ms bound), else after them with 2000 ms of its own. Never kills the worker; the
    // stop returns whether it ended, and its owner keeps what a worker left running uses.
    void AddShutdownStop(const char* name, ShutdownStage stage, CShutdownPlan::StopFunction stop);
protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    void OnCancel() override;
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcPaint();
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcMouseHover(UINT nHitTest, CPoint point);
    afx_msg void OnNcMouseLeave();
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnPaint();
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetDragCursor(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHideTradePanel(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFloatTradePanel(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTradeButton();
    afx_msg LRESULT OnConnectionState(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnStartupFinished(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnStartupDone(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarQuoteList(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnChartZoomIn(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnChartZoomOut(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarTrend(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarDay(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarWeek(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarMonth(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarMinute1(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarMinute5(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarMinute15(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarMinute30(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarMinute60(WPARAM wParam, LPARAM lParam);
    void InitFrame();
    void EndFrameInit();
    void CreateFrameButtons();
    void CreateStatusBar();
    void ShowServerClockText();
    void MenuBarCommand(int item);
    void SetTradePanelDocked();
    // The end: every worker stopped while the window answers, then the rest of the frame.
    void StopWorkers();
    void ShutDownFrame();
    // For the test hook, when it is on: how the worker stops went (see CShutdownReport).
    void ReportTheEnd();
    // -- end frame --
    // -- board: quote board, batches, pages, polling, search, notice, splash --
public:
    // Places the sector tabs and their quote pages in the quote area (client coordinates).
    void PlaceBoard(const CRect& quoteArea) override;
    // Ends the board's timer and its message filter (its threads end in the end's plan);
    // harmless when called again.
    void StopBoard();
    CQuoteBoard* GetQuoteBoard();
    CString GetCurrentPageKey() const override;
    CMenu* GetQuoteContextMenu() override;
    void ShowSector(const CString& name);
    void CreateMySector();
    void CollectVisibleCodes(std::vector<CString>& codes);
    void UpdateTabRows(const std::vector<CString>& codes);
    bool OpenSmartKeyboard(const MSG& key) override;
    // The message filter's questions about the board.
    HWND TabStrip() const override;
    HWND CurrentPageList() const override;
    bool IsQuotePageList(HWND hWnd) const override;
    bool IsSmartKeyboardOpen() const override;
    bool IsNoticeShown() const override;
    void SwitchToInstrument(const CString& code) override;
    bool IsSymbolListStarted() const override;
protected:
    void InitBoard();
    // The pollers, the instrument lists, the stock quote downloader and the start-up thread,
    // stopped in the end's plan.
    void AddBoardShutdownStops();
    void LoadOwnList(CBoardState& state);
    void DestroyBoard();
    afx_msg void OnAddToMySector();
    afx_msg void OnRemoveFromMySector();
    afx_msg LRESULT OnQuoteBatch(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSectorData(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMarketListReady(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMarketInfoReady(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnListRefresh(WPARAM wParam, LPARAM lParam);
    void DestroyBoardSplash() override;
    bool BoardNoticeId(CString& noticeId) override;
    void ShowBoardNotice() override;
    afx_msg void OnTabSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    // -- end board --
    // -- desk: trading handlers, order detail, risk settings --
    // Trading: order placement, queries, replies, cancel and close, timers and risk control
    // (mainwindow/desk/VelmoraDlgDesk.cpp).
    afx_msg LRESULT OnNewOrder(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPlaceOrder(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnShowOrderDetailSetting(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnQueryPositions(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnQueryAllOrders(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnQueryCancellable(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRefreshFills(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnQueryNextPage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetQueryPage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnQueryHistory(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNewOrderReply(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCancelReply(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCancelAllReply(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAllOrdersReply(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCancellableReply(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHistoryReport(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFillsReply(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnResetOrderTables(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPositionsReply(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPositionUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPositionSelected(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFundsUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFundsReply(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAccountSummary(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOrderSelected(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCancelOrder(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCancelAllOrders(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnClosePosition(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCloseAllPositions(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnChangePassword(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPasswordResult(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRiskLineSet(WPARAM wParam, LPARAM lParam);
    afx_msg void OnRiskButton();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* data);
    afx_msg LRESULT OnDeskProbeCommand(WPARAM wParam, LPARAM lParam);
    void InitDesk();
    void DestroyDesk();
    void ShowAccountSummary() override;
    void ClearOrdersAndPositions() override;
    void NoteConnectionState(int kind, int state) override;
    afx_msg LRESULT OnOrderRefused(WPARAM wParam, LPARAM lParam);
    void CollectHeldCodes(std::vector<CString>& ordered, std::vector<CString>& held) override;
    static void DeleteDeskParts(class CDeskParts* parts);
    bool ConfirmOrderInDetail(const OrderRequest& request, const SummaryRecord& funds) override;
    // -- end desk --
    // -- hosts: chart hosts, quote views, instrument switch, downloads --
public:
    // The quote area's rectangle for the chart hosts (client coordinates); the layout calls it.
    void PlaceCharts(const CRect& area) override;
    // Ends the instrument-switch thread (the end's plan has stopped the downloads); true when
    // nothing of the chart views runs any more, so they may go.
    bool StopHosts();
    // view 0 list, 1 candlesticks, 2 trend; period in minutes (0 day, 5040 week, 43200 month).
    void RequestMarketData(int view, int period, const CString& start, const CString& end, int flag);
    // The instrument the charts show when a view is asked for (the selected quote row).
    void SetChartInstrument(const CString& code);
    // A position row was clicked: switch the charts and the depth feed on the switch thread.
    void SwitchChartsTo(const CString& code);
    // Timer 3: the series refresh of the shown instrument for a fresh quote.
    void BuildPeriodBars(const CString& code, const CString& quoteTime, const CString& marketKey);
    // Timer 3's tick: the selected instrument's bars brought up to date.
    void OnBarsTimer();
    void ShowChartHost(bool show) override;
    void RequestChartView(int view, int period, bool reload) override;
    void ZoomChart(int direction) override;
    CString ShownChartCode() override;
    void OnBoardQuote(const QuoteUpdate& update, bool hasSelectedRow) override;
    void ResendPositionRows() override;
    void OnChartViewShown(int view, int checkedButton) override;
    void ShowChartStatus(const CString& text) override;
    bool IsQuoteListShown() const override;
protected:
    void OnOK() override;
    void InitHosts();
    // The K-line loaders and the history download, stopped in the end's plan.
    void AddHostShutdownStops();
    bool SelectRowOfCode(int pageIndex, const CString& code);
    afx_msg LRESULT OnSectorChanged(WPARAM, LPARAM);
    afx_msg LRESULT OnSortOrSelect(WPARAM, LPARAM);
    afx_msg LRESULT OnShowQuoteList(WPARAM, LPARAM);
    afx_msg LRESULT OnShowTrend(WPARAM, LPARAM);
    afx_msg LRESULT OnShowDayBars(WPARAM, LPARAM);
    afx_msg LRESULT OnShowWeekBars(WPARAM, LPARAM);
    afx_msg LRESULT OnShowMonthBars(WPARAM, LPARAM);
    afx_msg LRESULT OnShowMinute1Bars(WPARAM, LPARAM);
    afx_msg LRESULT OnShowMinute3Bars(WPARAM, LPARAM);
    afx_msg LRESULT OnShowMinute5Bars(WPARAM, LPARAM);
    afx_msg LRESULT OnShowMinute15Bars(WPARAM, LPARAM);
    afx_msg LRESULT OnShowMinute30Bars(WPARAM, LPARAM);
    afx_msg LRESULT OnShowMinute60Bars(WPARAM, LPARAM);
    afx_msg LRESULT OnKeyOpenView(WPARAM, LPARAM);
    afx_msg LRESULT OnSelectInstrument(WPARAM, LPARAM);
    afx_msg LRESULT OnQuoteRefresh(WPARAM, LPARAM);
    afx_msg LRESULT OnOlderBarsWanted(WPARAM, LPARAM);
    afx_msg LRESULT OnDepthOff(WPARAM, LPARAM);
    afx_msg LRESULT OnDepthOn(WPARAM, LPARAM);
    afx_msg LRESULT OnDepthUpdate(WPARAM, LPARAM);
    afx_msg LRESULT OnKLineData(WPARAM, LPARAM);
    afx_msg LRESULT OnHostsStatusText(WPARAM, LPARAM);
    afx_msg LRESULT OnHistoryDone(WPARAM, LPARAM);
    afx_msg LRESULT OnResetDepthWindows(WPARAM, LPARAM);
    afx_msg LRESULT OnChartLoaded(WPARAM, LPARAM);
    afx_msg LRESULT OnChartBackToList(WPARAM, LPARAM);
    // -- end hosts --
    // -- panels: trade dialog, console, history-order query --
public:
    // The trading windows as the trading rules see them (served by the trade panel).
    class ITradingWindows& TradingWindows();
    ITradingWindows* PanelWindows() override;
    class CTradeDlg* GetTradeDlg() const { return m_pTradeDlg; }
    void ShowPlatformStatus(const CString& text, COLORREF background, int link) override;
    void SetTradePanelFloating(bool floating) override;
    bool IsTradePanelWindow(HWND hWnd) const override;
    BOOL PreTranslateInTradePanel(MSG* pMsg) override;
protected:
    void CreateTradePanel();
    void DestroyTradePanel();
    // The order-supplement console (mainwindow/panels/VelmoraDlgConsole.cpp).
    void ToggleConsole() override;
    void StopConsoleRunning() override;
    // The console's lists for the program's test hook.
    CString ConsoleProbeLines();
    void DestroyConsole();
    afx_msg LRESULT OnProxyOrderEvent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnProxyOrderUpdate(WPARAM wParam, LPARAM lParam);
    // -- end panels --
    // -- the main window as the message filter sees it (mainwindow/VelmoraDlgFilter.cpp) --
public:
    HWND MainWindow() const override { return m_hWnd; }
    bool IsOwnView(HWND hWnd) const override;
protected:
    // -- end filter --

    DECLARE_MESSAGE_MAP()

private:
    void StartServerTimeThread();
    void StartServerClock();
    void StopServerClock();
    void StartStatisticsReport();
    void EndStatisticsReport();
    bool LogIn();
    void StartConnections();

public:
    // Makes one of the history services not in excluded the current one; 0 when every one
    // has been tried (the current one is then left as it was).
    int PickRandomServer(const std::set<int>& excluded);

private:
    std::vector<CString> m_historyServiceBases;
    int m_historyServiceIndex = -1;

    std::unique_ptr<CLoginFlow> m_loginFlow;
    std::unique_ptr<CMainReceiverHost> m_receiverHost;
    std::unique_ptr<CReceiverSet> m_receivers;
    CString m_strDatabaseFolder;  // the user's "Proxy\" folder
    bool m_newVersionFound = false;

    CStoppableThread m_clockThread;  // the status-bar clock
    std::unique_ptr<CStatisticsReport> m_statistics{new CStatisticsReport};
    CString m_strServerClockText;

    // State by concern (same blocks as the handlers above).
    // -- frame state --
    CCaptionFrame m_captionFrame{*this};
    CMainToolbar m_toolbar;
    CStatusBar m_statusBar;
    HICON m_hIcon = NULL;
    LayoutArea m_quoteArea;
    LayoutArea m_tradePanelArea;
    CPoint m_windowPosition;
    int m_nSplit = 420;
    int m_nTradePanelState = TRADE_PANEL_DOCKED;
    HWND m_hTradePanel = NULL;
    int m_bFrameReady = 0;
    bool m_bStartupShown = false;
    // OnInitDialog has run to its end. A box shown during it runs a message loop of its own;
    // a start-up report that loop delivers waits (m_bStartupDeferred) until then.
    bool m_bInitialised = false;
    bool m_bStartupDeferred = false;
    bool m_bShuttingDown = false;
    RECT m_workArea = {};
    std::unique_ptr<CShutdownPlan> m_shutdownPlan;
    // Set by the stop of the receivers (which may outlive the end) once they have all ended.
    std::shared_ptr<volatile LONG> m_receiversEnded = std::make_shared<volatile LONG>(0);
    // Every stop of the end has run (each worker ended or was left running); until then the
    // objects the stops reach must stay.
    bool m_bWorkerStopsDone = false;
    // -- end frame state --
    // -- board state --
    CBoardState* m_boardState = nullptr;  // made by InitBoard, freed by DestroyBoard
    // -- end board state --
    // -- desk state --
    // The trading rules and their windows; made once the window exists.
    std::unique_ptr<class CDeskParts, void (*)(CDeskParts*)> m_deskParts{nullptr, &CVelmoraDlg::DeleteDeskParts};
    // Commands of the test hook, in the order they came, each run by one kCommandMessage.
    std::deque<CString> m_probeCommands;
    // -- end desk state --
    // -- hosts state --
    class CChartViews* m_chartViews = nullptr;
    // -- end hosts state --
    // -- panels state --
    class CTradeDlg* m_pTradeDlg = nullptr;
    class CTradeWindows* m_pTradeWindows = nullptr;
    class CAdminDlg* m_pAdminDlg = nullptr;  // made on first use, kept until the window goes
    // The code the order form shows, so a new choice knows whether to keep its quantity.
    CString m_orderFormCode;
    // -- end panels state --
};
