// The quote area's chart side of the main window: the two chart hosts, the switch between the
// quote list, candlesticks and the trend, the history downloads behind them, the live merge
// of quotes and K-line bars, the depth feed of the shown instrument and the instrument-switch
// thread. Everything runs on the user-interface thread except the download and switch
// threads, which only post or send messages to the main window.
#pragma once
#include <afxmt.h>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include "ChartRecords.h"
#include "StopSignal.h"
#include "GetWickplotDataInterfaceXX.h"
#include "HistoryJob.h"
#include "HostMessages.h"

class CKLineDlg;
class DriftlineChartDlg;
struct SectorRow;

// What the main window does around the views: its toolbar, quote pages and status bar.
class IChartViewsOwner
{
public:
    virtual ~IChartViewsOwner() = default;
    // A view was shown (0 list, 1 candlesticks, 2 trend) with the toolbar button to check
    // (-1 for the list).
    virtual void OnChartViewShown(int view, int checkedButton) = 0;
    // A request's state for the status bar.
    virtual void ShowChartStatus(const CString& text) = 0;
};

class CChartViews
{
public:
    enum { SWITCH_STEP_MS = 5, SWITCH_RESEND_MS = 2000, SWITCH_RESEND_CEILING_MS = 16000,
           SWITCH_STOP_WAIT_MS = 1000, HISTORY_STOP_WAIT_MS = 2000 };
    typedef std::function<HANDLE(unsigned(__stdcall*)(void*), void*)> ThreadStarter;

    explicit CChartViews(IChartViewsOwner& owner);
    ~CChartViews();

    // Creates both hosts as hidden children of the main window.
    void Create(CWnd* pMainWnd);
    // The quote area's rectangle in the main window's client coordinates.
    void PlaceCharts(const CRect& area);
    // Ends the history download: no new one starts from now on, the running one's requests
    // end at once and it gets up to waitMs. Any thread; true when it has ended. One that did
    // not is reported and left running; it uses nothing of this object.
    bool StopHistoryDownload(DWORD waitMs = HISTORY_STOP_WAIT_MS);
    // Ends the switch thread (its event, up to SWITCH_STOP_WAIT_MS) and the history download,
    // answering sent messages. True when the switch thread has ended; one that did not is
    // reported and left running, and this object must then be kept for it.
    bool StopHosts();
    // Destroys the hosts (after StopHosts).
    void DestroyHosts();

    // The instrument the charts are asked about (the selected row of the shown quote page).
    void SetSelectedCode(const CString& code) { m_selectedCode = code; }
    void RequestMarketData(int view, int period, const CString& start, const CString& end, int flag);
    void SelectInstrument(const SelectCodeRequest& request);
    void OnEnter();
    void OnOlderBarsWanted();
    void OnHistoryDone(HistoryJob* job);
    void OnChartLoaded(int period);
    void OnQuoteRefresh(const QuoteRow* row);
    // Whether either chart host shows the code (in any view).
    bool ShowsCode(const CString& code) const;
    // A batch's latest row of a shown instrument: the depth record follows it (a stock's five
    // levels, another instrument's best prices while the depth connection does not feed it)
    // and goes to the hosts that show the code.
    void TakeQuoteDepth(const QuoteRow& row);
    void OnDepthUpdate(const DepthBook* book);
    int OnKLineData(const CString* code, const KLineBar* bar);
    void ResetDepthWindows(CString code);
    // Timer 3, for a fresh quote of the shown instrument: asks the K-line worker for the bars
    // that have appeared since the series was loaded.
    void BuildPeriodBars(const CString& code, const CString& quoteTime, const CString& marketKey);
    // Timer 3 in the trend view: in the minute before the instrument's session opens the
    // trend is loaded afresh on the download thread (its request rebuilt for the new
    // session), at most every 10 seconds. True when the tick was the reload's (the bar
    // refresh is then skipped). now is the server time "YYYYMMDD HH:MM:SS".
    bool ReloadTrendBeforeOpen(const CString& code, const CString& now);
    void OnDepthOff(WPARAM keepHosts);
    void OnDepthOn();
    void ShowStatus(const CString& text);

    // The instrument switch of a position row: runs on the switch thread (started on first use).
    void RequestSwitch(const CString& code);

    // For tests and tools: the loader of the download thread and the thread starter.
    void SetHistoryLoader(const HistoryLoadFunc& load) { m_load = load; }
    void SetThreadStarter(const ThreadStarter& start) { m_startThread = start; }

    int GetView() const { return m_view.load(); }
    int GetPeriod() const { return m_period; }
    int GetBusy() const { return m_busy.load(); }
    int GetCheckedButton() const { return m_checkedButton; }
    int GetDepthMode() const { return m_depthMode.load(); }
    const CString& GetStatusText() const { return m_statusText; }
    const CString& GetCurrentCode() const { return m_currentCode; }
    const DepthSnapshot& GetDepthSnapshot() const { return m_snapshot; }
    const HistoryRequest& GetHistoryRequest() const { return m_request; }
    CKLineDlg* GetKLineHost() const { return m_pKLine; }
    DriftlineChartDlg* GetTrendHost() const { return m_pTrend; }
    bool IsSwitchThreadRunning() const;
    void SetStatusFromThread(const CString& text);

private:
    CChartViews(const CChartViews&) = delete;
    CChartViews& operator=(const CChartViews&) = delete;

    void ShowViewHost();
    void StartHistoryJob(HistoryJob* job);
    void DeliverCandles(HistoryJob& job);
    void DeliverTrend(HistoryJob& job);
    void MergeQuoteIntoChart(const QuoteRow& row, const DepthStockInfo& info, const ChartTitleInfo& title);
    bool StockTickDue(const CString& code, const CString& time) const;
    void SendToMain(UINT message, WPARAM wParam, LPARAM lParam);
    static unsigned __stdcall HistoryThread(void* job);
    static unsigned __stdcall SwitchThread(void* self);
    void SwitchLoop();
    bool WaitForChart();
    void SelectFromSwitch(const CString& code, int view, int period);

    IChartViewsOwner& m_owner;
    CWnd* m_pMain = nullptr;
    HWND m_hMain = NULL;  // the threads reach the main window by its handle only
    CKLineDlg* m_pKLine = nullptr;
    DriftlineChartDlg* m_pTrend = nullptr;
    GetWickplotDataInterfaceXX m_dataInterface;

    std::atomic<int> m_view{VIEW_QUOTE_LIST};
    int m_period = 0;
    std::atomic<int> m_busy{0};
    bool m_firstRequest = true;
    CString m_lastCode;
    int m_lastPeriod = 0;
    int m_lastView = 0;
    CString m_selectedCode;
    CString m_currentCode;
    CString m_currentName;
    CString m_currentMarket;
    CString m_openTime;
    CString m_closeTime;
    int m_decimals = 2;
    int m_checkedButton = -1;
    CString m_statusText;
    bool m_dropEmptyPacket = true;
    bool m_olderBarsRequested = false;
    CString m_historyStartDate;
    HistoryDataSource m_source;
    HistoryRequest m_request;
    ServerRecord m_historyServer;
    bool m_hasHistoryServer = false;
    std::map<CString, int> m_requestedCodes;
    ChartTitleInfo m_title;
    DepthTradeTick m_tradeTick;
    CString m_trendDate;
    // "code|trading date" of the trend asked for again after its session closed.
    CString m_trendCloseReload;
    // When the pre-open reload of a code was last started (an empty answer is not handed
    // over, and must not be asked again on every tick).
    std::map<CString, __int64> m_trendReloadStarts;

    DepthSnapshot m_snapshot;
    std::atomic<int> m_depthMode{0};

    HistoryLoadFunc m_load;
    ThreadStarter m_startThread;
    // The download thread, its stop signal and whether downloads are over for good; the
    // end stops the download from another thread.
    CCriticalSection m_historyLock;
    HANDLE m_historyThread = NULL;
    std::shared_ptr<CStopSignal> m_historyStop;
    bool m_historyClosed = false;

    CCriticalSection m_switchLock;
    CString m_switchCode;
    int m_switchView = 0;
    int m_switchPeriod = 0;
    HANDLE m_switchThread = NULL;
    HANDLE m_switchStopEvent = NULL;
};
