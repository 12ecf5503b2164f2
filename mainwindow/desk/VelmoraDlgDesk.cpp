// The main window's trading handlers: each message of the trade panel, of the reply receivers
// and of the risk settings window goes to the trading rules; timers 1, 4 and 5 drive the query
// watchdog and the risk-control monitor.
#include "VelmoraDlg.h"
#include "DeskParts.h"
#include "DeskProbe.h"
#include "FillRecord.h"
#include "IniFile.h"
#include "LoginState.h"
#include "MainReceiverHost.h"
#include "OrderDetailDlg.h"
#include "QuoteStore.h"
#include "ReplyMessages.h"
#include "SessionData.h"
#include "UserDatabaseKey.h"
#include <TradingRecords.h>
#include "VelmoraApp.h"

namespace {

template <class T>
const T* Record(WPARAM wParam)
{
    return reinterpret_cast<const T*>(wParam);
}

TicketFields FieldsOf(const OrderTicket& ticket)
{
    TicketFields fields;
    fields.direction = ticket.direction;
    fields.priceKind = ticket.priceType;
    fields.quantity = ticket.quantity;
    fields.code = ticket.code;
    fields.price = ticket.price;
    fields.priceStep = ticket.priceStep;
    return fields;
}

CIniFile ConfigFile()
{
    CIniFile config;
    config.SetPath(theApp.m_strAppDir + "Config.ini");
    return config;
}

bool ShowOrderDetailSetting()
{
    return ConfigFile().GetInt("Settings", "ShowOrderDetail", 0) != 0;
}

bool ConfirmInDetailWindow(const OrderRequest& request, const SummaryRecord& funds)
{
    COrderDetailDlg detail;
    detail.SetOrderRequest(request);
    detail.SetAccountSummary(funds);
    return detail.DoModal() == IDOK;
}

}  // namespace

bool CVelmoraDlg::ConfirmOrderInDetail(const OrderRequest& request, const SummaryRecord& funds)
{
    return ConfirmInDetailWindow(request, funds);
}

void CVelmoraDlg::DeleteDeskParts(CDeskParts* parts)
{
    delete parts;
}

void CVelmoraDlg::InitDesk()
{
    if (!m_receiverHost)
        return;
    m_deskParts.reset(new CDeskParts(m_hWnd, *this, theApp.m_strDataDir, m_receiverHost->GetReplySlots(), m_strDatabaseFolder,
                                     UserDatabaseKey(GetSessionData().m_strUserName, m_strDatabaseFolder)));
    CTradingDesk& desk = m_deskParts->Desk();
    desk.SetShowOrderDetail(ShowOrderDetailSetting());
    CSessionData& session = GetSessionData();
    // The panel's header is titled with the user's nickname; the funds page names both.
    desk.SetAccountTexts(session.m_strNickName, session.m_strUserName, session.m_strNickName);
    desk.SetAccountOpen(!SpecialLoginFlag);
    m_receiverHost->AttachQueryState(m_deskParts.get());
    SetTimer(CQueryGate::kTimerId, CQueryGate::kTimerPeriodMs, NULL);
}

// The frame reports the connection states; the header's figures and the lists are ours.
void CVelmoraDlg::ShowAccountSummary()
{
    if (m_deskParts)
        m_deskParts->Desk().ShowAccountHeader();
}

void CVelmoraDlg::ClearOrdersAndPositions()
{
    if (m_deskParts)
        m_deskParts->Desk().ClearOrdersAndPositions();
}

void CVelmoraDlg::NoteConnectionState(int kind, int state)
{
    if (m_deskParts)
        m_deskParts->Desk().OnConnectionState(kind, state);
}

// The quote board keeps these codes polled whether or not their rows are visible.
void CVelmoraDlg::CollectHeldCodes(std::vector<CString>& ordered, std::vector<CString>& held)
{
    if (m_deskParts)
        m_deskParts->Desk().CollectHeldCodes(ordered, held);
}

void CVelmoraDlg::ResendPositionRows()
{
    if (m_deskParts)
        m_deskParts->Desk().ResendPositionRows();
}

void CVelmoraDlg::DestroyDesk()
{
    // Receivers still deliver while they stop: the query state goes back to the host, and
    // the handlers keep working on the parts until the window object goes.
    if (m_receiverHost)
        m_receiverHost->AttachQueryState(nullptr);
    KillTimer(CQueryGate::kTimerId);
    // Every follow order still listed goes to the proxy-order table, before the workers stop.
    if (m_deskParts)
        m_deskParts->StoreFollowOrders();
    if (m_deskParts)
        m_deskParts->DestroyRiskWindow();
}

// ---------------------------------------------------------------- order placement

LRESULT CVelmoraDlg::OnNewOrder(WPARAM wParam, LPARAM)
{
    const OrderTicket* ticket = Record<OrderTicket>(wParam);
    if (m_deskParts && ticket != nullptr)
        m_deskParts->Desk().OnNewOrder(FieldsOf(*ticket));
    return 0;
}

LRESULT CVelmoraDlg::OnPlaceOrder(WPARAM wParam, LPARAM)
{
    const OrderRequest* request = Record<OrderRequest>(wParam);
    if (!m_deskParts || request == nullptr)
        return -3;
    return m_deskParts->Desk().OnPlaceOrder(*request);
}

// The order form's option "show the order detail": kept for later orders and in Config.ini.
LRESULT CVelmoraDlg::OnShowOrderDetailSetting(WPARAM wParam, LPARAM)
{
    const int show = (int)wParam;
    if (m_deskParts)
        m_deskParts->Desk().SetShowOrderDetail(show != 0);
    CString value;
    value.Format("%d", show);
    ConfigFile().WriteString("Settings", "ShowOrderDetail", value);
    return 0;
}

// ---------------------------------------------------------------- query requests

LRESULT CVelmoraDlg::OnQueryPositions(WPARAM, LPARAM)
{
    if (m_deskParts)
        m_deskParts->Desk().OnQueryPositions();
    return 0;
}

LRESULT CVelmoraDlg::OnQueryAllOrders(WPARAM, LPARAM)
{
    if (m_deskParts)
        m_deskParts->Desk().OnQueryAllOrders();
    return 0;
}

LRESULT CVelmoraDlg::OnQueryCancellable(WPARAM, LPARAM)
{
    if (m_deskParts)
        m_deskParts->Desk().OnQueryCancellable();
    return 0;
}

LRESULT CVelmoraDlg::OnRefreshFills(WPARAM, LPARAM)
{
    if (m_deskParts)
        m_deskParts->Desk().OnRefreshFills();
    return 0;
}

LRESULT CVelmoraDlg::OnQueryNextPage(WPARAM, LPARAM)
{
    if (m_deskParts)
        m_deskParts->Desk().OnQueryNextPage();
    return 0;
}

LRESULT CVelmoraDlg::OnSetQueryPage(WPARAM wParam, LPARAM)
{
    if (m_deskParts)
        m_deskParts->Desk().OnSetQueryPage((int)wParam);
    return 0;
}

LRESULT CVelmoraDlg::OnQueryHistory(WPARAM wParam, LPARAM)
{
    const QueryRequest* request = Record<QueryRequest>(wParam);
    if (m_deskParts)
        m_deskParts->Desk().OnQueryHistory(request ? request->startDate : CString(),
                                           request ? request->endDate : CString());
    return 0;
}

// ---------------------------------------------------------------- replies

LRESULT CVelmoraDlg::OnNewOrderReply(WPARAM wParam, LPARAM)
{
    if (m_deskParts && wParam != 0)
        m_deskParts->Desk().OnNewOrderReply(*Record<OrderInfo>(wParam));
    return 0;
}

LRESULT CVelmoraDlg::OnOrderRefused(WPARAM, LPARAM)
{
    if (m_deskParts)
        m_deskParts->Desk().OnRequestRefused();
    return 0;
}

LRESULT CVelmoraDlg::OnCancelReply(WPARAM wParam, LPARAM)
{
    if (m_deskParts && wParam != 0)
        m_deskParts->Desk().OnCancelReply(*Record<OrderInfo>(wParam));
    return 0;
}

LRESULT CVelmoraDlg::OnCancelAllReply(WPARAM wParam, LPARAM)
{
    if (m_deskParts && wParam != 0)
        m_deskParts->Desk().OnCancelAllReply(*Record<OrderInfo>(wParam));
    return 0;
}

LRESULT CVelmoraDlg::OnAllOrdersReply(WPARAM wParam, LPARAM lParam)
{
    if (m_deskParts)
        m_deskParts->Desk().OnAllOrdersReply(Record<HistoryOrderRecord>(wParam), (int)lParam);
    return 0;
}

LRESULT CVelmoraDlg::OnCancellableReply(WPARAM wParam, LPARAM lParam)
{
    if (m_deskParts)
        m_deskParts->Desk().OnCancellableReply(Record<HistoryOrderRecord>(wParam), (int)lParam);
    return 0;
}

LRESULT CVelmoraDlg::OnHistoryReport(WPARAM wParam, LPARAM lParam)
{
    if (m_deskParts)
        m_deskParts->Desk().OnHistoryReport(Record<HistoryOrderRecord>(wParam), (int)lParam);
    return 0;
}

// 11114 has two senders: the fills slot delivers one FillRecord (lParam 0), the order-list slot
// of a fills refresh delivers list rows (wParam the first row or 0, lParam their count). Only
// the list answers the refresh; a single fill record carries nothing the lists show.
LRESULT CVelmoraDlg::OnFillsReply(WPARAM wParam, LPARAM lParam)
{
    if (!m_deskParts || (wParam != 0 && lParam == 0))
        return 0;
    m_deskParts->Desk().OnFillsReply(Record<HistoryOrderRecord>(wParam), (int)lParam);
    return 0;
}

LRESULT CVelmoraDlg::OnResetOrderTables(WPARAM, LPARAM)
{
    if (m_deskParts)
        m_deskParts->Desk().ResetOrderTables();
    return 0;
}

// ---------------------------------------------------------------- positions and funds

LRESULT CVelmoraDlg::OnPositionsReply(WPARAM wParam, LPARAM)
{
    if (m_deskParts)
        m_deskParts->Desk().OnPositionsReply(Record<PositionRecord>(wParam));
    return 0;
}

LRESULT CVelmoraDlg::OnPositionUpdate(WPARAM wParam, LPARAM)
{
    if (m_deskParts && wParam != 0)
        m_deskParts->Desk().OnPositionUpdate(*Record<PositionRecord>(wParam));
    return 0;
}

LRESULT CVelmoraDlg::OnPositionSelected(WPARAM wParam, LPARAM)
{
    if (m_deskParts && wParam != 0)
    {
        m_deskParts->Desk().OnPositionSelected(*Record<CString>(wParam));
        // The charts follow the clicked position when the store knows its instrument.
        SectorRow row;
        const CString code = m_deskParts->Desk().GetSelectedPositionCode();
        if (!code.IsEmpty() && GetQuoteStore().GetQuoteRow(code, row))
            SwitchChartsTo(code);
    }
    return 0;
}

LRESULT CVelmoraDlg::OnFundsUpdate(WPARAM wParam, LPARAM)
{
    if (m_deskParts && wParam != 0)
        m_deskParts->Desk().OnFundsUpdate(*Record<SummaryRecord>(wParam));
    return 0;
}

LRESULT CVelmoraDlg::OnFundsReply(WPARAM wParam, LPARAM)
{
    if (m_deskParts && wParam != 0)
        m_deskParts->Desk().OnFundsReply(*Record<SummaryRecord>(wParam));
    return 0;
}

LRESULT CVelmoraDlg::OnAccountSummary(WPARAM wParam, LPARAM)
{
    if (m_deskParts && wParam != 0)
        m_deskParts->Desk().OnAccountSummary(*Record<SummaryRecord>(wParam));
    return 0;
}

// ---------------------------------------------------------------- cancel, close, password

// wParam: the chosen row as an order entry (its first twelve texts are the row's cells).
LRESULT CVelmoraDlg::OnOrderSelected(WPARAM wParam, LPARAM)
{
    const OrderEntry* entry = Record<OrderEntry>(wParam);
    if (m_deskParts && entry != nullptr)
        m_deskParts->Desk().OnOrderSelected(std::vector<CString>(entry->texts, entry->texts + OrderEntry::kShownColumns));
    return 0;
}

LRESULT CVelmoraDlg::OnCancelOrder(WPARAM, LPARAM)
{
    if (m_deskParts)
        m_deskParts->Desk().OnCancelOrder();
    return 0;
}

LRESULT CVelmoraDlg::OnCancelAllOrders(WPARAM, LPARAM)
{
    if (m_deskParts)
        m_deskParts->Desk().OnCancelAllOrders();
    return 0;
}

LRESULT CVelmoraDlg::OnClosePosition(WPARAM, LPARAM)
{
    if (m_deskParts)
        m_deskParts->Desk().OnClosePosition();
    return 0;
}

LRESULT CVelmoraDlg::OnCloseAllPositions(WPARAM, LPARAM)
{
    if (m_deskParts)
        m_deskParts->Desk().OnCloseAllPositions();
    return 0;
}

LRESULT CVelmoraDlg::OnChangePassword(WPARAM wParam, LPARAM)
{
    const PasswordRequest* request = Record<PasswordRequest>(wParam);
    if (m_deskParts && request != nullptr)
        m_deskParts->Desk().OnChangePassword(request->current, request->newPassword, request->newAgain);
    return 0;
}

LRESULT CVelmoraDlg::OnPasswordResult(WPARAM wParam, LPARAM)
{
    if (m_deskParts && wParam != 0)
        m_deskParts->Desk().OnPasswordResult(*Record<CString>(wParam));
    return 0;
}

// ---------------------------------------------------------------- timers and risk control

void CVelmoraDlg::OnTimer(UINT_PTR id)
{
    if (m_deskParts)
    {
        CTradingDesk& desk = m_deskParts->Desk();
        if (id == CQueryGate::kTimerId)
            desk.OnQueryTimer();
        else if (id == CRiskMonitor::kMonitorTimerId)
            desk.Risk().OnMonitorTimer();
        else if (id == CRiskMonitor::kAlarmTimerId)
            desk.Risk().OnAlarmTimer();
    }
    CDialogEx::OnTimer(id);
}

void CVelmoraDlg::OnRiskButton()
{
    if (!m_deskParts)
        return;
    CRiskSetDlg* risk = m_deskParts->RiskWindow();
    if (risk != nullptr && risk->GetSafeHwnd() != NULL)
    {
        if (!risk->IsWindowVisible())
            risk->ShowWindow(SW_SHOW);
        return;
    }
    CRiskSetDlg& created = m_deskParts->CreateRiskWindow(this);
    created.SetLine(m_deskParts->Desk().Risk().GetLine());
    created.SendMessage(WM_RISK_ASSETS, (WPARAM)&m_deskParts->Desk().GetFunds(), 0);
    created.ShowWindow(SW_SHOW);
}

LRESULT CVelmoraDlg::OnRiskLineSet(WPARAM, LPARAM)
{
    if (m_deskParts && m_deskParts->RiskWindow() != nullptr)
        m_deskParts->Desk().Risk().SetLine(m_deskParts->RiskWindow()->GetLine());
    return 0;
}

// ---------------------------------------------------------------- test hook

BOOL CVelmoraDlg::OnCopyData(CWnd*, COPYDATASTRUCT* data)
{
    if (data == nullptr || data->dwData != CDeskProbe::kCopyDataTag || CDeskProbe::StatePath().IsEmpty())
        return FALSE;
    // Run later: a command may open a modal window while the sender waits for this answer.
    // The command waits here; the message only says that one waits, so nothing is ever taken
    // from a message that any process can post.
    m_probeCommands.emplace_back(static_cast<const char*>(data->lpData), (int)data->cbData);
    if (!PostMessage(CDeskProbe::kCommandMessage, 0, 0))
    {
        m_probeCommands.pop_back();
        return FALSE;
    }
    return TRUE;
}

LRESULT CVelmoraDlg::OnDeskProbeCommand(WPARAM, LPARAM)
{
    // Without the hook the message means nothing, whoever posted it.
    if (CDeskProbe::StatePath().IsEmpty() || m_probeCommands.empty())
        return 0;
    const CString text = m_probeCommands.front();
    m_probeCommands.pop_front();
    if (m_deskParts)
        CDeskProbe::Run(m_hWnd, *m_deskParts, text, [this] { return ConsoleProbeLines(); });
    return 0;
}
