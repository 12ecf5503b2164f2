// "补单系统", the administrator's order-supplement console: the client accounts of the proxy
// connection with the strategy each follows, the orders of the followed accounts, and the
// switch that makes every new fill of such an account followed by an order of the console's
// own. Modeless; closing it only hides it. Assignments and strategies are stored as soon as
// they change; finished orders as they finish.
#pragma once
#include <memory>
#include <vector>
#include "ConsoleAccounts.h"
#include "ConsoleOrderBook.h"
#include "ConsoleStore.h"
#include "ConsoleWindowResource.h"
#include "FollowReport.h"
#include "FlatComboBox.h"
#include "GridListCtrl.h"
#include "LayerButton.h"
#include "ListCtrlEx.h"
#include "ResizeDialog.h"
#include "SearchOrderDlg.h"

class CFollowDispatcher;
class CFollowLog;
class CDBProxyOrder;
class IFollowServices;

// Posted to itself: tell what went wrong with the tables once the console is on screen.
#define WM_CONSOLE_STORE_NOTICE (WM_APP + 0x2C1)
// Posted by the follow-order workers: lParam a new FollowReport, which the console frees.
#define WM_FOLLOW_REPORT (WM_APP + 0x2C2)

#ifndef WM_PROXY_ORDER_EVENT
#define WM_PROXY_ORDER_EVENT 11116  // wParam OrderRow*, valid during the call
#endif

class CAdminDlg : public CResizeDialog
{
public:
    enum { IDD = IDD_ADMIN_DIALOG };
    // The console's own timer: forgets followed fills older than ten hours.
    static const UINT_PTR kFillTimerId = 1;
    static const UINT kFillTimerMs = 1200000;

    // databaseFolder ends with "\"; services null: the program's (orders go to the parent).
    CAdminDlg(CWnd* parent, const CString& databaseFolder, const DatabaseKey& databaseKey,
              std::shared_ptr<IFollowServices> services = nullptr);
    ~CAdminDlg() override;

    // The main window's proxy-order table, where the console's follow orders are stored as
    // they finish, and the account they go out on: the history window lists them. Before
    // Create; the table must outlive the console.
    void SetFollowOrderTable(CDBProxyOrder* followOrders, const CString& account)
    {
        m_followOrders = followOrders;
        m_account = account;
    }

    // A client-list reply text ("[account#name]..."): replaces the client list.
    void OnClientList(const CString& text);
    // Leaves the running state: the follow-order workers stop, then the order states go.
    void StopRunning();
    bool IsRunning() const { return m_book.IsRunning(); }

    // The strategy editor ended with OK: its list replaces the strategies.
    void TakeEditedStrategies(const std::vector<StrategyInfo>& strategies);
    // The import dialog was accepted: its strategies and assignments replace the console's.
    void TakeImportedStrategies(const std::vector<StrategyInfo>& strategies,
                                const std::vector<UserStrategy>& assignments);

    const CConsoleAccounts& Accounts() const { return m_accounts; }
    const std::vector<OrderRow>& OrderRows() const { return m_book.GetRows(); }
    // Follow orders that did not end as they should, newest first (listed with the orders).
    const std::vector<OrderRow>& FollowReportRows() const { return m_followRows; }
    // The log of those follow orders: "FollowOrders.log" in the database folder.
    CString GetFollowLogPath() const;
    CGridListCtrl& ClientList() { return m_clientList; }
    CListCtrlEx& OrderList() { return m_orderList; }
    CSearchOrderDlg& HistoryWindow() { return m_history; }
    size_t GetWorkerCount() const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* info);
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT type);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg LRESULT OnOrderStatus(WPARAM wParam, LPARAM lParam);
    afx_msg void OnRefreshClients();
    afx_msg void OnStartStop();
    afx_msg void OnApplyStrategy();
    afx_msg void OnManageStrategies();
    afx_msg void OnImportStrategies();
    afx_msg void OnShowHistory();
    afx_msg void OnClear();
    afx_msg LRESULT OnStoreNotice(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFollowReport(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void SetUpButtons();
    void SetUpCombo();
    void CreateClientList();
    void CreateOrderList();
    void LayoutControls(int width, int height);
    void LoadTables();
    // The table files no key of the account opened (set aside, started empty).
    std::vector<CString> SetAsideFiles() const;
    void FillStrategyCombo();
    void FillClientList();
    void ShowStrategyNames();
    void ShowOrderRows();
    void ShowRunning(bool running);
    void SaveAssignments();
    void SaveStrategies();
    void DispatchFollowOrder(const OrderRow& row);
    FollowReportSink MakeReportSink();
    void DropQueuedReports();
    void StopWorkers();
    int ShowMessage(const char* text, UINT type = MB_OK);
    bool ChooseExcelFile(CString& fileName);

    CLayerButton m_startStop;
    CLayerButton m_stop;
    CConsoleAccounts m_accounts;
    CConsoleOrderBook m_book;
    CGridListCtrl m_clientList;
    CListCtrlEx m_orderList;
    CFlatComboBox m_strategyCombo;
    CLayerButton m_refreshClients, m_manage, m_import, m_apply, m_showHistory, m_clear;
    CFont m_font;
    CBrush m_statusBrush;
    CString m_databaseFolder;
    DatabaseKey m_databaseKey;
    std::shared_ptr<IFollowServices> m_services;
    std::unique_ptr<CFollowDispatcher> m_dispatcher;
    std::shared_ptr<CFollowLog> m_followLog;
    FollowReportSink m_reports;
    std::vector<OrderRow> m_followRows;  // newest first
    CSearchOrderDlg m_history;
    UINT_PTR m_timer = 0;
    std::unique_ptr<CConsoleStore> m_store;
    CDBProxyOrder* m_followOrders = nullptr;
    CString m_account;
};
