// The terminal's main dialog.
#pragma once
#include <afxdialogex.h>
#include <memory>
#include "resource.h"
#include "StoppableThread.h"

class CLoginFlow;
class CMainReceiverHost;
class CReceiverSet;

class CVelmoraDlg : public CDialogEx
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
    // -- end frame --
    // -- board: quote board, batches, pages, polling, search, notice, splash --
    // -- end board --
    // -- desk: trading handlers, order detail, risk settings --
    // -- end desk --
    // -- hosts: chart hosts, quote views, instrument switch, downloads --
public:
    // The quote area's rectangle for the chart hosts (client coordinates); the layout calls it.
    void PlaceCharts(const CRect& area);
    // Ends the hosts' threads; the hosts' windows go with the main window.
    void StopHosts();
    // view 0 list, 1 candlesticks, 2 trend; period in minutes (0 day, 5040 week, 43200 month).
    void RequestMarketData(int view, int period, const CString& start, const CString& end, int flag);
    // The instrument the charts show when a view is asked for (the selected quote row).
    void SetChartInstrument(const CString& code);
    // A position row was clicked: switch the charts and the depth feed on the switch thread.
    void SwitchChartsTo(const CString& code);
    // Timer 3: the series refresh of the shown instrument for a fresh quote.
    void BuildPeriodBars(const CString& code, const CString& quoteTime, const CString& marketKey);
protected:
    void OnOK() override;
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
    // -- end panels --

    DECLARE_MESSAGE_MAP()

private:
    void StartServerTimeThread();
    void StartServerClock();
    void StopServerClock();
    bool LogIn();
    void StartConnections();
    void StopReceivers();

    std::unique_ptr<CLoginFlow> m_loginFlow;
    std::unique_ptr<CMainReceiverHost> m_receiverHost;
    std::unique_ptr<CReceiverSet> m_receivers;
    CString m_strDatabaseFolder;  // the user's "Proxy\" folder
    bool m_newVersionFound = false;

    CStoppableThread m_clockThread;  // the status-bar clock
    CString m_strServerClockText;

    // State by concern (same blocks as the handlers above).
    // -- frame state --
    // -- end frame state --
    // -- board state --
    // -- end board state --
    // -- desk state --
    // -- end desk state --
    // -- hosts state --
    class CChartViews* m_chartViews = nullptr;
    // -- end hosts state --
    // -- panels state --
    // -- end panels state --
};
