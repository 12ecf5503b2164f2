// The console's start-up, layout, running state and end.
#include "AdminDlg.h"

#include "DBProxyOrder.h"
#include "FollowDispatcher.h"
#include "FollowLog.h"
#include "ProgramFollowServices.h"
#include "QuoteStore.h"
#include "StrategyLegs.h"

namespace {

const COLORREF kButtonBackground = RGB(245, 245, 235);
const COLORREF kButtonBase = RGB(127, 157, 185);
const COLORREF kGreyText = RGB(160, 160, 160);
const char kNotRunning[] = "未运行";
const char kSetAsideNotice[] = "本地数据文件无法用当前账户打开，已另存为以下文件，并新建了空数据表：";
const char kUnreadableNotice[] = "读取本地策略数据失败！本次运行中对策略和客户策略的修改将不会保存。";
const char kRunning[] = "正在运行";

// How each control follows the console's size (anchor codes of the resizable dialog).
const ResizeControlInfo kAnchors[] = {
    {IDC_ADMIN_REFRESH_CLIENTS, 5}, {IDC_ADMIN_START_STOP, 5},    {IDC_ADMIN_STATUS, 5},
    {IDC_ADMIN_HISTORY, 5},         {IDC_ADMIN_CLEAR, 9},         {IDC_ADMIN_CLIENT_LIST, 7},
    {IDC_ADMIN_IMPORT, 6},          {IDC_ADMIN_MANAGE, 6},        {IDC_ADMIN_STRATEGY_LABEL, 6},
    {IDC_ADMIN_STRATEGY_COMBO, 6},  {IDC_ADMIN_APPLY, 6},         {IDC_ADMIN_ORDER_LIST, 15},
};

}  // namespace

BEGIN_MESSAGE_MAP(CAdminDlg, CResizeDialog)
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_GETMINMAXINFO()
    ON_WM_CTLCOLOR()
    ON_WM_TIMER()
    ON_MESSAGE(WM_PROXY_ORDER_EVENT, &CAdminDlg::OnOrderStatus)
    ON_MESSAGE(WM_CONSOLE_STORE_NOTICE, &CAdminDlg::OnStoreNotice)
    ON_MESSAGE(WM_FOLLOW_REPORT, &CAdminDlg::OnFollowReport)
    ON_BN_CLICKED(IDC_ADMIN_REFRESH_CLIENTS, &CAdminDlg::OnRefreshClients)
    ON_BN_CLICKED(IDC_ADMIN_START_STOP, &CAdminDlg::OnStartStop)
    ON_BN_CLICKED(IDC_ADMIN_APPLY, &CAdminDlg::OnApplyStrategy)
    ON_BN_CLICKED(IDC_ADMIN_MANAGE, &CAdminDlg::OnManageStrategies)
    ON_BN_CLICKED(IDC_ADMIN_IMPORT, &CAdminDlg::OnImportStrategies)
    ON_BN_CLICKED(IDC_ADMIN_HISTORY, &CAdminDlg::OnShowHistory)
    ON_BN_CLICKED(IDC_ADMIN_CLEAR, &CAdminDlg::OnClear)
END_MESSAGE_MAP()

CAdminDlg::CAdminDlg(CWnd* parent, const CString& databaseFolder, const DatabaseKey& databaseKey,
                     std::shared_ptr<IFollowServices> services)
    : CResizeDialog(IDD, parent),
      m_databaseFolder(databaseFolder),
      m_databaseKey(databaseKey),
      m_services(std::move(services)),
      m_history(nullptr)
{
}

CAdminDlg::~CAdminDlg()
{
    StopWorkers();
}

size_t CAdminDlg::GetWorkerCount() const
{
    return m_dispatcher ? m_dispatcher->GetWorkerCount() : 0;
}

BOOL CAdminDlg::OnInitDialog()
{
    CResizeDialog::OnInitDialog();
    HICON icon = AfxGetApp() != nullptr ? AfxGetApp()->LoadIcon(128) : NULL;
    SetIcon(icon, TRUE);
    SetIcon(icon, FALSE);
    m_font.CreatePointFont(90, "宋体");
    GetDlgItem(IDC_ADMIN_IMPORT)->ShowWindow(SW_HIDE);  // the sheet import is not offered
    SetUpButtons();
    if (m_history.Create(CSearchOrderDlg::IDD, this))
        m_history.ShowWindow(SW_HIDE);
    SetUpCombo();
    SetWindowText(CString("Tolvan证券") + "补单系统");
    CreateClientList();
    CreateOrderList();
    m_stop.EnableWindow(FALSE);
    ShowRunning(false);

    CRect client;
    GetClientRect(&client);
    LayoutControls(client.Width(), client.Height());
    SetControlInfo(kAnchors, _countof(kAnchors));
    CenterWindow();

    if (!m_services)
        m_services = std::make_shared<CProgramFollowServices>(GetParent() != nullptr ? GetParent()->GetSafeHwnd() : NULL);
    m_followLog = std::make_shared<CFollowLog>(m_databaseFolder + "FollowOrders.log");
    m_reports = MakeReportSink();
    m_dispatcher.reset(new CFollowDispatcher(m_services, m_reports));
    m_book.SetFollow([this](const OrderRow& row) { DispatchFollowOrder(row); });
    m_book.SetStore([this](const OrderRow& row) { return m_store->StoreOrder(row); });
    m_book.SetFillHistory([this](const OrderRow& row) { return m_store->IsFillStored(row); });
    LoadTables();
    m_history.SetOrderTable(&m_store->Orders());
    m_history.SetFollowOrderTable(m_followOrders, m_account);
    m_timer = SetTimer(kFillTimerId, kFillTimerMs, NULL);
    return TRUE;
}

void CAdminDlg::SetUpButtons()
{
    m_startStop.SubclassDlgItem(IDC_ADMIN_START_STOP, this);
    m_stop.SubclassDlgItem(IDC_ADMIN_STOP, this);
    m_refreshClients.SubclassDlgItem(IDC_ADMIN_REFRESH_CLIENTS, this);
    m_manage.SubclassDlgItem(IDC_ADMIN_MANAGE, this);
    m_import.SubclassDlgItem(IDC_ADMIN_IMPORT, this);
    m_apply.SubclassDlgItem(IDC_ADMIN_APPLY, this);
    m_showHistory.SubclassDlgItem(IDC_ADMIN_HISTORY, this);
    m_clear.SubclassDlgItem(IDC_ADMIN_CLEAR, this);
    for (CLayerButton* button : {&m_startStop, &m_refreshClients, &m_manage, &m_import, &m_apply,
                                 &m_showHistory, &m_clear}) {
        button->SetStyle(0);
        button->SetBkColor(kButtonBackground);
        button->SetTextColor(0);
        button->SetBaseColor(kButtonBase);
        button->SetFont(&m_font);
    }
    GetDlgItem(IDC_ADMIN_STATUS)->SetFont(&m_font);
    GetDlgItem(IDC_ADMIN_STRATEGY_LABEL)->SetFont(&m_font);
}

void CAdminDlg::SetUpCombo()
{
    m_strategyCombo.SubclassDlgItem(IDC_ADMIN_STRATEGY_COMBO, this);
    m_strategyCombo.SetItemHeight(-1, 16);
    m_strategyCombo.SetFont(12, 0, 400, "宋体");
    m_strategyCombo.SetImages(195, 196, 197, 195);
    m_strategyCombo.SetColors(RGB(183, 207, 251), RGB(221, 239, 253), RGB(138, 165, 244), RGB(192, 192, 192));
}

void CAdminDlg::LayoutControls(int w, int h)
{
    auto place = [this](int id, int x, int y, int width, int height) {
        if (CWnd* control = GetDlgItem(id))
            control->MoveWindow(x, y, width, height);
    };
    auto rightEdge = [this](int id) {
        CRect rect;
        GetDlgItem(id)->GetWindowRect(&rect);
        ScreenToClient(&rect);
        return rect.right;
    };
    place(IDC_ADMIN_REFRESH_CLIENTS, 20, 20, 80, 25);
    place(IDC_ADMIN_START_STOP, 110, 20, 60, 25);
    place(IDC_ADMIN_STATUS, 180, 25, 60, 25);
    place(IDC_ADMIN_HISTORY, 240, 20, 80, 25);
    place(IDC_ADMIN_CLIENT_LIST, 5, 60, 330, h - 150);
    place(IDC_ADMIN_IMPORT, 25, h - 80, 60, 25);
    place(IDC_ADMIN_MANAGE, 25, h - 50, 60, 25);
    place(IDC_ADMIN_STRATEGY_LABEL, 90, h - 45, 60, 25);
    place(IDC_ADMIN_STRATEGY_COMBO, rightEdge(IDC_ADMIN_STRATEGY_LABEL) + 2, h - 48, 120, 250);
    place(IDC_ADMIN_APPLY, rightEdge(IDC_ADMIN_STRATEGY_COMBO) + 2, h - 50, 60, 25);
    place(IDC_ADMIN_ORDER_LIST, 345, 60, w - 350, h - 150);
    place(IDC_ADMIN_CLEAR, w - 80, 20, 80, 25);
}

void CAdminDlg::LoadTables()
{
    m_store.reset(new CConsoleStore(m_databaseFolder, m_databaseKey));
    std::vector<UserStrategy> assignments;
    std::vector<StrategyInfo> strategies;
    const CConsoleStore::LoadResult loaded = m_store->Load(assignments, strategies);
    AlignStrategyLegs(strategies);
    m_accounts.Load(assignments, strategies, loaded.strategiesRead);
    FillStrategyCombo();
    FillClientList();
    if (!loaded.AllRead() || !SetAsideFiles().empty())
        PostMessage(WM_CONSOLE_STORE_NOTICE);
}

std::vector<CString> CAdminDlg::SetAsideFiles() const
{
    std::vector<CString> files = m_store->SetAsideFiles();
    if (m_followOrders != nullptr && m_followOrders->StartedEmptyAfterSetAside())
        files.push_back(m_followOrders->GetSetAsidePath());
    return files;
}

// Told once the console is on screen: tables set aside (no key of the account opened them)
// and lists that could not be read (nothing the console changes is stored then).
LRESULT CAdminDlg::OnStoreNotice(WPARAM, LPARAM)
{
    if (!m_store)
        return 0;
    const std::vector<CString> setAside = SetAsideFiles();
    if (!setAside.empty()) {
        CString text = kSetAsideNotice;
        for (const CString& path : setAside)
            text += "\n" + path;
        ShowMessage(text, MB_OK | MB_ICONWARNING);
    }
    if (!m_store->CanWriteLists())
        ShowMessage(kUnreadableNotice, MB_OK | MB_ICONERROR);
    return 0;
}

void CAdminDlg::OnGetMinMaxInfo(MINMAXINFO* info)
{
    CResizeDialog::OnGetMinMaxInfo(info);
    info->ptMinTrackSize.x = 630;
    info->ptMinTrackSize.y = 420;
}

HBRUSH CAdminDlg::OnCtlColor(CDC* dc, CWnd* control, UINT type)
{
    HBRUSH brush = CResizeDialog::OnCtlColor(dc, control, type);
    if (control != nullptr && control->GetDlgCtrlID() == IDC_ADMIN_STATUS) {
        CString status;
        control->GetWindowText(status);
        if (status == kNotRunning)
            dc->SetTextColor(RGB(255, 0, 0));
        else if (status == kRunning)
            dc->SetTextColor(RGB(0, 100, 0));
    }
    return brush;
}

void CAdminDlg::OnClose()
{
    ShowWindow(SW_HIDE);
}

void CAdminDlg::OnCancel()
{
    // Escape hides the console as its close box does; it lives as long as the main window.
    ShowWindow(SW_HIDE);
}

void CAdminDlg::OnStartStop()
{
    if (IsRunning()) {
        StopRunning();
        return;
    }
    ShowRunning(true);
    m_book.SetRunning(true);
}

void CAdminDlg::StopRunning()
{
    if (!IsRunning())
        return;
    // A worker watching a limit order reads its state from the store: stop the workers before
    // the states go, so that none acts on a vanished order.
    StopWorkers();
    GetQuoteStore().ClearOrderStates();
    m_book.SetRunning(false);
    if (GetSafeHwnd() != NULL)
        ShowRunning(false);
}

void CAdminDlg::StopWorkers()
{
    if (m_dispatcher)
        m_dispatcher->StopAll();
}

void CAdminDlg::ShowRunning(bool running)
{
    for (CLayerButton* button : {&m_import, &m_manage, &m_apply, &m_clear}) {
        button->EnableWindow(running ? FALSE : TRUE);
        button->SetTextColor(running ? kGreyText : 0);
    }
    SetDlgItemText(IDC_ADMIN_STATUS, running ? kRunning : kNotRunning);
    m_startStop.SetWindowText(running ? "停止运行" : "开始运行");
    GetDlgItem(IDC_ADMIN_STATUS)->Invalidate();
}

void CAdminDlg::OnShowHistory()
{
    if (m_history.GetSafeHwnd() == NULL)
        return;
    m_history.ShowWindow(SW_SHOW);
    m_history.SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    m_history.SetForegroundWindow();
}

void CAdminDlg::OnDestroy()
{
    CResizeDialog::OnDestroy();
    StopRunning();
    StopWorkers();
    DropQueuedReports();
    if (m_timer != 0)
        KillTimer(m_timer);
    // Assignments and strategies were stored as they changed; the listed orders that never
    // finished are kept too (finished ones are stored already and stay as they are).
    if (m_store)
        m_store->StoreOrders(m_book.GetRows());
    if (m_history.GetSafeHwnd() != NULL)
        m_history.DestroyWindow();
}

int CAdminDlg::ShowMessage(const char* text, UINT type)
{
    return MessageBox(text, "Tolvan证券", type);
}
