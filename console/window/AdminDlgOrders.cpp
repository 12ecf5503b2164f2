// The console's order list: order events of the followed accounts, the rows they make, the
// fills handed to the follow-order workers, and the timer that forgets old fills.
#include "AdminDlg.h"

#include <algorithm>

#include "FollowDispatcher.h"
#include "FollowLog.h"
#include "OrderListText.h"
#include "OrderWords.h"
#include "ServerClock.h"

namespace {

// The console's list has the account's name after the account.
const int kNameColumn = 2;
const int kSideColumn = ORDER_COL_SIDE + 1;
const int kStateColumn = ORDER_COL_STATE + 1;

struct ColumnSpec
{
    const char* heading;
    int width;
};

const ColumnSpec kColumns[] = {
    {"委托时间", 120}, {"账户", 90},     {"姓名", 90},     {"代码", 50},     {"订单类型", 90},
    {"买卖", 40},      {"委托价格", 90}, {"委手", 90},     {"成手", 90},     {"下单状态", 90},
    {"手续费", 90},    {"成交均价", 90}, {"委托号", 90},   {"提交单号", 90},
};

}  // namespace

void CAdminDlg::CreateOrderList()
{
    const COLORREF line = RGB(127, 157, 185);
    const UINT centredLine = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    m_orderList.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDRAWFIXED,
                       CRect(0, 0, 10, 10), this, IDC_ADMIN_ORDER_LIST);
    m_orderList.SetExtendedStyle(m_orderList.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_orderList.SetHeaderHeight(24);
    m_orderList.SetItemHeight(24);
    m_orderList.SetHeaderBkColor(RGB(255, 255, 255));
    m_orderList.SetBkColor(RGB(255, 255, 255));
    m_orderList.SetTextBkColor(RGB(255, 255, 255));
    m_orderList.SetHeaderLineColor(line);
    m_orderList.SetBorderColor(line);
    m_orderList.SetSelectColor(RGB(252, 233, 160));
    m_orderList.SetHeaderTextColor(0);
    m_orderList.SetSelectMode(0);
    m_orderList.SetBorderWidth(1);
    m_orderList.SetItemTextFormat(centredLine);
    m_orderList.SetHeaderTextFormat(centredLine);
    m_orderList.SetItemFont(&m_font);
    m_orderList.SetHeaderFont(&m_font);
    for (int column = 0; column < (int)_countof(kColumns); ++column)
        m_orderList.InsertColumn(column, kColumns[column].heading, LVCFMT_LEFT, kColumns[column].width);
}

LRESULT CAdminDlg::OnOrderStatus(WPARAM wParam, LPARAM)
{
    const OrderRow* event = reinterpret_cast<const OrderRow*>(wParam);
    if (event == nullptr)
        return 0;
    const CConsoleOrderBook::Outcome outcome = m_book.OnOrderEvent(*event, m_accounts.Assignments());
    if (outcome.result != CConsoleOrderBook::EVENT_IGNORED)
        ShowOrderRows();
    return 0;
}

void CAdminDlg::DispatchFollowOrder(const OrderRow& row)
{
    if (!m_dispatcher || m_dispatcher->Dispatch(row, m_accounts.Assignments(), m_accounts.Strategies()))
        return;
    // The fill counts as handled from now on: it must be seen that nothing followed it.
    FollowReport report;
    report.fill = row;
    report.request.code = row.cn;
    m_reports(report);
}

// The workers' reports are written to the log on their threads and listed here.
FollowReportSink CAdminDlg::MakeReportSink()
{
    const HWND console = m_hWnd;
    const std::shared_ptr<CFollowLog> log = m_followLog;
    return [console, log](const FollowReport& report) {
        log->Write(GetServerTime(), report);
        FollowReport* listed = new FollowReport(report);
        if (!::PostMessage(console, WM_FOLLOW_REPORT, 0, reinterpret_cast<LPARAM>(listed)))
            delete listed;
    };
}

LRESULT CAdminDlg::OnFollowReport(WPARAM, LPARAM lParam)
{
    std::unique_ptr<FollowReport> report(reinterpret_cast<FollowReport*>(lParam));
    if (report) {
        m_followRows.insert(m_followRows.begin(), FollowReportRow(*report, GetServerTime()));
        ShowOrderRows();
    }
    return 0;
}

// Reports still queued when the console goes are in the log already; they are freed here.
void CAdminDlg::DropQueuedReports()
{
    MSG message;
    while (m_hWnd != NULL && ::PeekMessage(&message, m_hWnd, WM_FOLLOW_REPORT, WM_FOLLOW_REPORT, PM_REMOVE))
        delete reinterpret_cast<FollowReport*>(message.lParam);
}

CString CAdminDlg::GetFollowLogPath() const
{
    return m_followLog ? m_followLog->GetPath() : CString();
}

// The list shows the order rows and the follow reports as they are now, newest first: one
// item per row.
void CAdminDlg::ShowOrderRows()
{
    std::vector<OrderRow> rows = m_followRows;
    rows.insert(rows.end(), m_book.GetRows().begin(), m_book.GetRows().end());
    std::stable_sort(rows.begin(), rows.end(), CompareOrderTimeDesc);
    m_orderList.SetRedraw(FALSE);
    while (m_orderList.GetItemCount() > (int)rows.size())
        m_orderList.DeleteItem(m_orderList.GetItemCount() - 1);
    while (m_orderList.GetItemCount() < (int)rows.size())
        m_orderList.InsertItem(m_orderList.GetItemCount(), "");
    for (size_t i = 0; i < rows.size(); ++i) {
        std::vector<CString> cells = OrderListCells(rows[i]);
        cells.insert(cells.begin() + kNameColumn, m_accounts.GetUserName(rows[i].clientName));
        for (int column = 0; column < (int)cells.size(); ++column)
            m_orderList.SetItemText((int)i, column, cells[column]);
        m_orderList.SetRowColors((int)i, OrderListColors(cells, kSideColumn, kStateColumn));
    }
    m_orderList.SetRedraw(TRUE);
    m_orderList.Invalidate();
}

void CAdminDlg::OnTimer(UINT_PTR id)
{
    if (id == kFillTimerId)
        m_book.ForgetOldFills();
    CResizeDialog::OnTimer(id);
}

void CAdminDlg::OnClear()
{
    m_book.ClearRows();
    m_followRows.clear();
    m_orderList.DeleteAllItems();
}
