// The console's client accounts: the list, its refresh from the proxy query server and the
// strategy the administrator applies to the ticked accounts.
#include "AdminDlg.h"

#include <stdlib.h>

#include "ConnectionRegistry.h"
#include "ConnectionStates.h"
#include "ServerSession.h"

namespace {

const int kAccountColumn = 0;
const int kNameColumn = 1;
const int kStrategyColumn = 2;
const COLORREF kLineColor = RGB(127, 157, 185);

}  // namespace

void CAdminDlg::CreateClientList()
{
    m_clientList.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED,
                        CRect(0, 0, 10, 10), this, IDC_ADMIN_CLIENT_LIST);
    m_clientList.SetExtendedStyle(m_clientList.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_clientList.SetHeaderHeight(24);
    m_clientList.SetRowHeight(24);
    m_clientList.SetHeaderBkColor(RGB(255, 255, 255));
    m_clientList.SetBkColor(RGB(255, 255, 255));
    m_clientList.SetTextBkColor(RGB(255, 255, 255));
    m_clientList.SetHeaderLineColor(kLineColor);
    m_clientList.SetBorderColor(kLineColor);
    m_clientList.SetSelectColor(RGB(252, 233, 160));
    m_clientList.SetHeaderTextFormat(DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    m_clientList.SetFont(&m_font);
    m_clientList.SetHeaderFont(&m_font);
    m_clientList.InsertColumn(kAccountColumn, "账户", LVCFMT_LEFT, 120);
    m_clientList.InsertColumn(kNameColumn, "姓名", LVCFMT_LEFT, 90);
    m_clientList.InsertColumn(kStrategyColumn, "策略", LVCFMT_LEFT, 90);
    m_clientList.GetHeader().SetCheckImage(kAccountColumn, 1);
}

void CAdminDlg::FillStrategyCombo()
{
    m_strategyCombo.ResetContent();
    m_strategyCombo.AddString(NO_STRATEGY_NAME);
    m_strategyCombo.SetItemData(0, (DWORD_PTR)-1);
    const std::vector<StrategyInfo>& strategies = m_accounts.Strategies();
    for (size_t i = 0; i < strategies.size(); ++i) {
        const int item = m_strategyCombo.InsertString((int)i + 1, strategies[i].strStrategyName);
        m_strategyCombo.SetItemData(item, (DWORD_PTR)(INT_PTR)strategies[i].nStragegyId);
    }
    m_strategyCombo.SetCurSel(0);
}

void CAdminDlg::FillClientList()
{
    m_clientList.SetRedraw(FALSE);
    m_clientList.DeleteAllItems();
    const std::vector<UserStrategy>& assignments = m_accounts.Assignments();
    for (size_t i = 0; i < m_accounts.ListedCount(); ++i) {
        const int row = m_clientList.InsertItem((int)i, assignments[i].userId);
        m_clientList.SetCheckbox(row, kAccountColumn, 0);
        m_clientList.SetItemText(row, kNameColumn, assignments[i].userName);
        m_clientList.SetItemText(row, kStrategyColumn, assignments[i].strategyName);
        m_clientList.SetItemData(row, (DWORD_PTR)(INT_PTR)atoi(assignments[i].strategyId));
    }
    m_clientList.SetRedraw(TRUE);
    m_clientList.Invalidate();
}

// Every row shows its account's current strategy (after the strategies changed).
void CAdminDlg::ShowStrategyNames()
{
    for (int row = 0; row < m_clientList.GetItemCount(); ++row) {
        const UserStrategy* user = m_accounts.FindAssignment(m_clientList.GetItemText(row, kAccountColumn));
        if (user == nullptr)
            continue;
        m_clientList.SetItemText(row, kStrategyColumn, user->strategyName);
        m_clientList.SetItemData(row, (DWORD_PTR)(INT_PTR)atoi(user->strategyId));
    }
}

void CAdminDlg::OnRefreshClients()
{
    if (ProxyQueryConnectionState != CONNECTION_LOGGED_IN) {
        ShowMessage("查询服务器已断开！不能进行查询操作！");
        return;
    }
    static const char kRequest[] = "queryallclient@";
    if (CServerSession* session = GetConnectionRegistry().GetProxyQuerySession())
        session->SendRaw(kRequest, (int)sizeof(kRequest) - 1);
}

void CAdminDlg::OnClientList(const CString& text)
{
    if (!m_accounts.TakeClientList(text))
        return;
    if (GetSafeHwnd() != NULL)
        FillClientList();
    SaveAssignments();
}

void CAdminDlg::OnApplyStrategy()
{
    const int selection = m_strategyCombo.GetCurSel();
    if (selection == CB_ERR)
        return;
    CString strategyName;
    m_strategyCombo.GetLBText(selection, strategyName);
    const int strategyId = (int)(INT_PTR)m_strategyCombo.GetItemData(selection);
    bool ticked = false;
    for (int row = 0; row < m_clientList.GetItemCount(); ++row) {
        if (m_clientList.GetCheckbox(row, kAccountColumn) != 1)
            continue;
        ticked = true;
        m_accounts.Assign(m_clientList.GetItemText(row, kAccountColumn), strategyId, strategyName);
        m_clientList.SetItemData(row, (DWORD_PTR)(INT_PTR)strategyId);
        m_clientList.SetItemText(row, kStrategyColumn, strategyId < 0 ? CString(NO_STRATEGY_NAME) : strategyName);
    }
    if (!ticked) {
        ShowMessage("请选择用户！");
        return;
    }
    m_accounts.RefreshAssignmentNames();
    m_accounts.MarkAppliedStrategies();
    SaveAssignments();
}

void CAdminDlg::SaveAssignments()
{
    if (m_store && !m_store->SaveAssignments(m_accounts.Assignments()))
        OutputDebugStringA("Tolvan: the console could not store the strategy assignments\n");
}

void CAdminDlg::SaveStrategies()
{
    if (m_store && !m_store->SaveStrategies(m_accounts.Strategies()))
        OutputDebugStringA("Tolvan: the console could not store the strategies\n");
}

void CAdminDlg::TakeEditedStrategies(const std::vector<StrategyInfo>& strategies)
{
    m_accounts.ReplaceStrategies(strategies);
    FillStrategyCombo();
    ShowStrategyNames();
    SaveStrategies();
    SaveAssignments();
}

void CAdminDlg::TakeImportedStrategies(const std::vector<StrategyInfo>& strategies,
                                       const std::vector<UserStrategy>& assignments)
{
    m_accounts.TakeImported(assignments, strategies);
    FillStrategyCombo();
    ShowStrategyNames();
    SaveStrategies();
    SaveAssignments();
}
