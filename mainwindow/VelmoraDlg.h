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
    // Trading: order placement, queries, replies, cancel and close, timers and risk control
    // (mainwindow/desk/VelmoraDlgDesk.cpp).
    afx_msg LRESULT OnNewOrder(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPlaceOrder(WPARAM wParam, LPARAM lParam);
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
    static void DeleteDeskParts(class CDeskParts* parts);
    // -- end desk --
    // -- hosts: chart hosts, quote views, instrument switch, downloads --
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
    // The trading rules and their windows; made once the window exists.
    std::unique_ptr<class CDeskParts, void (*)(CDeskParts*)> m_deskParts{nullptr, &CVelmoraDlg::DeleteDeskParts};
    // -- end desk state --
    // -- hosts state --
    // -- end hosts state --
    // -- panels state --
    // -- end panels state --
};
