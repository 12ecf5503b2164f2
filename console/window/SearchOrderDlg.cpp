#include "SearchOrderDlg.h"

#include <algorithm>
#include <vector>

#include "DBOrder.h"
#include "FollowOrderRows.h"
#include "OrderListText.h"
#include "OrderWords.h"

namespace {

const COLORREF kFrameColor = 0xB99D7F;

struct ColumnSpec
{
    const char* heading;
    int width;
};

const ColumnSpec kColumns[ORDER_COL_COUNT] = {
    {"委托时间", 120}, {"账户", 90},     {"代码", 50},     {"订单类型", 90}, {"买卖", 40},
    {"委托价格", 90},  {"委手", 90},     {"成手", 90},     {"下单状态", 90}, {"手续费", 90},
    {"总成均价", 90},  {"委托号", 90},   {"提交单号", 90},
};

void Place(CWnd& control, int x, int y, int width, int height)
{
    if (control.GetSafeHwnd() != NULL)
        control.MoveWindow(x, y, width, height);
}

}  // namespace

BEGIN_MESSAGE_MAP(CSearchOrderDlg, CDialogEx)
    ON_WM_SIZE()
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_SEARCH_QUERY, &CSearchOrderDlg::OnQuery)
END_MESSAGE_MAP()

CSearchOrderDlg::CSearchOrderDlg(CWnd* parent) : CDialogEx(IDD, parent)
{
}

CSearchOrderDlg::~CSearchOrderDlg() = default;

BOOL CSearchOrderDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_font.CreatePointFont(90, "宋体");
    CreateControls();
    SetUpList();
    SetDlgItemText(IDC_SEARCH_STATUS, "");
    MoveWindow(0, 0, 800, 600);
    CenterWindow();
    return TRUE;
}

void CSearchOrderDlg::CreateControls()
{
    const DWORD child = WS_CHILD | WS_VISIBLE;
    m_startLabel.Create("起始日期:", child, CRect(), this, IDC_SEARCH_START_LABEL);
    m_endLabel.Create("结束日期:", child, CRect(), this, IDC_SEARCH_END_LABEL);
    m_startDate.Create(child | WS_TABSTOP | DTS_SHORTDATEFORMAT, CRect(), this, IDC_SEARCH_START_DATE);
    m_endDate.Create(child | WS_TABSTOP | DTS_SHORTDATEFORMAT, CRect(), this, IDC_SEARCH_END_DATE);
    m_startDate.SetBorderColor(kFrameColor);
    m_endDate.SetBorderColor(kFrameColor);
    // The start picker opens on yesterday, the end picker on today.
    const CTime today = CTime::GetCurrentTime();
    const CTime yesterday = today - CTimeSpan(1, 0, 0, 0);
    m_startDate.SetTime(&yesterday);
    m_endDate.SetTime(&today);
    m_queryButton.Create("查询", child | WS_TABSTOP | BS_OWNERDRAW, CRect(), this, IDC_SEARCH_QUERY);
    m_queryButton.SetStyle(0);
    m_queryButton.SetTextFormat(DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    m_queryButton.SetBkColor(0xEBF5F5);
    m_queryButton.SetTextColor(0);
    m_list.Create(child | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED, CRect(), this,
                  IDC_SEARCH_RESULT_LIST);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    for (CWnd* control : std::vector<CWnd*>{&m_startLabel, &m_endLabel, &m_startDate, &m_endDate,
                                            GetDlgItem(IDC_SEARCH_STATUS)})
        if (control != nullptr)
            control->SetFont(&m_font);
    m_queryButton.SetFont(&m_font);
}

void CSearchOrderDlg::SetUpList()
{
    const UINT centredLine = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    m_list.SetItemTextFormat(centredLine);
    m_list.SetHeaderTextFormat(centredLine);
    m_list.SetSelectMode(0);
    m_list.SetSelectColor(0xA0E9FC);
    m_list.SetHeaderBkColor(0xFFFFFF);
    m_list.SetHeaderTextColor(0);
    m_list.SetHeaderLineColor(kFrameColor);
    m_list.SetHeaderHeight(24);
    m_list.SetHeaderFont(&m_font);
    m_list.SetItemHeight(24);
    m_list.SetBkColor(0xFFFFFF);
    m_list.SetTextBkColor(0xFFFFFF);
    m_list.SetBorderColor(kFrameColor);
    m_list.SetBorderWidth(1);
    m_list.SetItemFont(&m_font);
    for (int column = 0; column < ORDER_COL_COUNT; ++column)
        m_list.InsertColumn(column, kColumns[column].heading, LVCFMT_LEFT, kColumns[column].width);
}

void CSearchOrderDlg::LayoutControls(int width, int height)
{
    Place(m_startLabel, 5, 8, 60, 20);
    Place(m_startDate, 65, 5, 90, 20);
    Place(m_endLabel, 160, 8, 60, 20);
    Place(m_endDate, 220, 5, 90, 20);
    Place(m_queryButton, 350, 5, 80, 20);
    if (CWnd* status = GetDlgItem(IDC_SEARCH_STATUS))
        Place(*status, 450, 8, 80, 20);
    Place(m_list, 5, 30, width - 10, height - 35);
}

void CSearchOrderDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialogEx::OnSize(nType, cx, cy);
    LayoutControls(cx, cy);
}

void CSearchOrderDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialogEx::OnShowWindow(bShow, nStatus);
    SetDlgItemText(IDC_SEARCH_STATUS, "");
}

void CSearchOrderDlg::OnCancel()
{
    // Closing only hides the window: the console keeps it with its dates and rows.
    ShowWindow(SW_HIDE);
}

void CSearchOrderDlg::OnQuery()
{
    RunQuery();
}

void CSearchOrderDlg::RunQuery()
{
    SetDlgItemText(IDC_SEARCH_STATUS, "正在查询");
    CTime start, end;
    m_startDate.GetTime(start);
    m_endDate.GetTime(end);
    std::vector<OrderRow> rows;
    if (m_orders != nullptr)
        m_orders->QueryOrders(rows, start.Format("%Y-%m-%d 00:00:00"), end.Format("%Y-%m-%d 23:59:59"), "ot",
                              true, -1, 0);
    if (m_followOrders != nullptr) {
        QueryFollowOrderRows(*m_followOrders, start, end, m_account, rows);
        std::stable_sort(rows.begin(), rows.end(),
                         [](const OrderRow& a, const OrderRow& b) { return CompareOrderTimeDesc(b, a); });
    }
    FillList(rows);
    SetDlgItemText(IDC_SEARCH_STATUS, "查询完成");
}

void CSearchOrderDlg::FillList(const std::vector<OrderRow>& rows)
{
    m_list.SetRedraw(FALSE);
    m_list.DeleteAllItems();
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::vector<CString> cells = OrderListCells(rows[i]);
        const int item = m_list.InsertItem((int)i, cells[0]);
        for (int column = 1; column < ORDER_COL_COUNT; ++column)
            m_list.SetItemText(item, column, cells[column]);
        m_list.SetRowColors(item, OrderListColors(cells, ORDER_COL_SIDE, ORDER_COL_STATE));
    }
    m_list.SetRedraw(TRUE);
    m_list.Invalidate();
}
