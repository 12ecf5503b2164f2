#include "TabQuoteDlg.h"

#include "QuoteListRow.h"

#include <commctrl.h>

namespace {

const UINT_PTR kFlashTimer = 1000;
const UINT kFlashPeriodMs = 500;
const UINT kAddToMySector = 32793;
const UINT kRemoveFromMySector = 32796;
// The item state that leaves a row neither selected nor focused.
const UINT kClearedState = 0x10;

struct Column {
    const char* caption;
    int width;
};
const Column kColumns[QUOTE_LIST_COLUMNS] = {
    { "序号", 70 },   { "代码", 80 },   { "名称", 135 },   { "最新价", 90 },
    { "涨跌", 90 },   { "买量", 90 },   { "买价", 90 },    { "卖价", 90 },
    { "卖量", 90 },   { "成交量", 90 }, { "现手", 90 },    { "最高价", 90 },
    { "最低价", 90 }, { "开盘", 70 },   { "幅度", 70 },    { "昨收盘价", 90 },
};

}  // namespace

BEGIN_MESSAGE_MAP(CTabQuoteDlg, CDialog)
    ON_NOTIFY(NM_CLICK, IDC_QUOTE_LIST, &CTabQuoteDlg::OnListClick)
    ON_NOTIFY(NM_DBLCLK, IDC_QUOTE_LIST, &CTabQuoteDlg::OnListDoubleClick)
    ON_NOTIFY(NM_RCLICK, IDC_QUOTE_LIST, &CTabQuoteDlg::OnListRightClick)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_QUOTE_LIST, &CTabQuoteDlg::OnListItemChanged)
    ON_MESSAGE(WM_QUOTETAB_LAYOUT, &CTabQuoteDlg::OnLayoutList)
    ON_MESSAGE(WM_LISTEX_RCLICK, &CTabQuoteDlg::OnListRightClickMenu)
    ON_MESSAGE(WM_LISTEX_VISIBLE_CHANGED, &CTabQuoteDlg::OnVisibleRowsChanged)
    ON_WM_SIZE()
    ON_WM_SHOWWINDOW()
    ON_WM_TIMER()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CTabQuoteDlg::CTabQuoteDlg() = default;
CTabQuoteDlg::~CTabQuoteDlg() = default;

void CTabQuoteDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_QUOTE_LIST, m_list);
}

BOOL CTabQuoteDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (int column = 0; column < QUOTE_LIST_COLUMNS; ++column)
        m_sortMarks[column] = 1;
    SetUpList();
    SetTimer(kFlashTimer, kFlashPeriodMs, nullptr);
    return TRUE;
}

void CTabQuoteDlg::SetUpList()
{
    for (int column = 0; column < QUOTE_LIST_COLUMNS; ++column)
        m_list.InsertColumn(column, kColumns[column].caption, LVCFMT_RIGHT, kColumns[column].width);
    m_headerFont.CreatePointFont(105, "宋体");
    m_itemFont.CreatePointFont(120, "System");
    m_columnFont.CreatePointFont(120, "宋体");
    m_list.SetItemTextFormat(DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    m_list.SetSelectMode(0);
    m_list.SetSelectColor(0x969696);
    m_list.SetBkColor(0);
    m_list.SetHeaderBkColor(0);
    m_list.SetHeaderTextColor(0xFFFF00);
    m_list.SetHeaderLineColor(0);
    m_list.SetHeaderHeight(22);
    m_list.SetHeaderTextFormat(DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    m_list.SetItemHeight(22);
    m_list.SetFlashTextColor(0xFFFFFF);
    m_list.SetFlashBkColor(0xFF6000);
    m_list.SetColumnFont(&m_columnFont, 2);
    m_list.SetHeaderFont(&m_headerFont);
    m_list.SetItemFont(&m_itemFont);
}

BOOL CTabQuoteDlg::DestroyWindow()
{
    m_headerFont.DeleteObject();
    m_itemFont.DeleteObject();
    return CDialog::DestroyWindow();
}

HWND CTabQuoteDlg::MainWindow() const
{
    HWND tabStrip = ::GetParent(m_hWnd);
    return tabStrip != NULL ? ::GetParent(tabStrip) : NULL;
}

LRESULT CTabQuoteDlg::SendToMain(UINT message, WPARAM wParam, LPARAM lParam) const
{
    HWND main = MainWindow();
    return main != NULL ? ::SendMessage(main, message, wParam, lParam) : 0;
}

int CTabQuoteDlg::FirstSelectedRow() const
{
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

void CTabQuoteDlg::ClearKeptSelection()
{
    if (m_notice.nRow >= 0)
        m_list.SetItemState(m_notice.nRow, kClearedState,
                            LVIS_SELECTED | LVIS_FOCUSED | kClearedState);
    m_notice.nRow = -1;
}

void CTabQuoteDlg::SelectRow(int mode, int row)
{
    if (mode == -1) {
        ClearKeptSelection();
        SendToMain(WM_SECTOR_CHANGED, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&m_notice));
    } else if (mode == 0) {
        m_notice.nRow = row;
        if (row >= 0 && row < m_list.GetItemCount())
            m_notice.strText = m_list.GetItemText(row, 2);
        SendToMain(WM_SECTOR_CHANGED, 0, reinterpret_cast<LPARAM>(&m_notice));
    }
}

void CTabQuoteDlg::OnListClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (FirstSelectedRow() < 0)
        SelectRow(-1, -1);
}

void CTabQuoteDlg::OnListDoubleClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (FirstSelectedRow() >= 0) {
        *pResult = 0;
        SendToMain(WM_LIST_OPEN_TREND, 0, 0);
    } else {
        OnListClick(pNMHDR, pResult);
    }
}

void CTabQuoteDlg::OnListRightClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (FirstSelectedRow() >= 0) {
        *pResult = 0;
        m_list.PostMessage(WM_RBUTTONUP);
    } else {
        OnListClick(pNMHDR, pResult);
    }
}

void CTabQuoteDlg::OnListItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMLISTVIEW* change = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
    if ((change->uNewState & both) != both)
        return;
    const int row = FirstSelectedRow();
    if (row >= 0)
        m_notice.strText = m_list.GetItemText(row, 2);
    m_notice.nRow = row;
    SendToMain(WM_SECTOR_CHANGED, 0, reinterpret_cast<LPARAM>(&m_notice));
}

BOOL CTabQuoteDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    if (header != nullptr && (header->code == HDN_ITEMCLICKA || header->code == HDN_ITEMCLICKW)) {
        SortByHeader(reinterpret_cast<const NMHEADERA*>(lParam)->iItem);
        *pResult = 0;
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

void CTabQuoteDlg::SortByHeader(int column)
{
    // Setting the header's sort mark notifies a click again; that echo is not a new sort.
    if (m_sorting)
        return;
    CHeaderCtrlEx& header = m_list.GetHeader();
    if (m_list.GetSafeHwnd() == NULL || header.GetSafeHwnd() == NULL || column < 0 ||
        column >= header.GetItemCount())
        return;
    HDITEM item = {};
    item.mask = HDI_FORMAT;
    if (!header.GetItem(column, &item))
        return;

    int direction = 0;
    auto mark = m_sortMarks.find(column);
    if (mark != m_sortMarks.end()) {
        mark->second = -mark->second;
        direction = mark->second;
    }
    m_sorting = true;
    if (m_sortColumn != -1 && m_sortColumn != column) {
        HDITEM previous = {};
        previous.mask = HDI_FORMAT;
        previous.fmt = HDF_STRING;
        header.SetItem(m_sortColumn, &previous);
    }
    item.mask = HDI_FORMAT;
    item.fmt = HDF_STRING | HDF_BITMAP | HDF_BITMAP_ON_RIGHT;
    header.SetItem(column, &item);
    m_sortColumn = column;

    SortRequest request;
    request.nColumn = column;
    if (direction == -1) {
        header.SetSortDescending(column);
        request.nOrder = 1;
    } else if (direction == 1) {
        header.SetSortAscending(column);
        request.nOrder = 0;
    }
    header.Invalidate();
    m_sorting = false;
    if (direction != 0)
        SendToMain(WM_SORT_OR_SELECT, 1, reinterpret_cast<LPARAM>(&request));
}

void CTabQuoteDlg::ClearSortMark()
{
    if (m_sortColumn == -1)
        return;
    CHeaderCtrlEx& header = m_list.GetHeader();
    HDITEM item = {};
    item.mask = HDI_FORMAT | HDI_BITMAP;
    item.fmt = HDF_STRING | HDF_BITMAP | HDF_BITMAP_ON_RIGHT;
    item.hbm = NULL;
    m_sorting = true;
    header.SetItem(m_sortColumn, &item);
    header.ClickColumn(m_sortColumn);
    m_sorting = false;
    header.Invalidate();
    m_sortColumn = -1;
}

void CTabQuoteDlg::ContextMenuStates(bool rowSelected, const CString& currentSector,
                                     UINT& addFlags, UINT& removeFlags)
{
    const bool mySector = currentSector == MY_SECTOR_NAME;
    addFlags = rowSelected && !mySector ? MF_ENABLED : MF_GRAYED;
    removeFlags = rowSelected && mySector ? MF_ENABLED : MF_GRAYED;
}

LRESULT CTabQuoteDlg::OnListRightClickMenu(WPARAM, LPARAM)
{
    HWND main = MainWindow();
    auto* owner = dynamic_cast<IQuotePageOwner*>(CWnd::FromHandlePermanent(main));
    CMenu* menu = owner != nullptr ? owner->GetQuoteContextMenu() : nullptr;
    CMenu* popup = menu != nullptr ? menu->GetSubMenu(0) : nullptr;
    if (popup == nullptr)
        return 0;
    UINT addFlags = MF_GRAYED, removeFlags = MF_GRAYED;
    ContextMenuStates(FirstSelectedRow() >= 0, owner->GetCurrentPageKey(), addFlags, removeFlags);
    popup->EnableMenuItem(kAddToMySector, MF_BYCOMMAND | addFlags);
    popup->EnableMenuItem(kRemoveFromMySector, MF_BYCOMMAND | removeFlags);
    CPoint cursor;
    ::GetCursorPos(&cursor);
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, cursor.x, cursor.y, CWnd::FromHandle(main));
    return 0;
}

LRESULT CTabQuoteDlg::OnLayoutList(WPARAM, LPARAM)
{
    if (m_list.GetSafeHwnd() != NULL) {
        CRect client;
        GetClientRect(&client);
        m_list.MoveWindow(&client);
    }
    return 0;
}

LRESULT CTabQuoteDlg::OnVisibleRowsChanged(WPARAM wParam, LPARAM)
{
    if (wParam == 0 || m_list.IsWindowVisible())
        SendToMain(WM_REDISPLAY_QUOTES, 0, 0);
    return 0;
}

void CTabQuoteDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (m_list.GetSafeHwnd() != NULL)
        m_list.MoveWindow(0, 0, cx, cy);
}

void CTabQuoteDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    if (bShow)
        SendToMain(WM_REDISPLAY_QUOTES, 0, 0);
}

void CTabQuoteDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kFlashTimer)
        m_list.TickFlash();
    CDialog::OnTimer(nIDEvent);
}

void CTabQuoteDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, 0);
}

BOOL CTabQuoteDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        if (pMsg->wParam == VK_RETURN)
            return TRUE;
        if (pMsg->wParam >= VK_F1 && pMsg->wParam <= VK_F7) {
            SendToMain(WM_QUOTETAB_KEY_F1 + static_cast<UINT>(pMsg->wParam - VK_F1), 0, 0);
            pMsg->message = 0;
        }
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CTabQuoteDlg::RefreshQuoteRows(int row, const QuoteRow& quote)
{
    if (m_list.GetSafeHwnd() == NULL || row < 0 || row >= m_list.GetItemCount())
        return;
    m_list.EnableFlash(IsInTradingSession(quote));
    std::vector<CString> shown(QUOTE_LIST_COLUMNS);
    for (int column = 0; column < QUOTE_LIST_COLUMNS; ++column)
        shown[column] = m_list.GetItemText(row, column);
    const QuoteListRow view = BuildQuoteListRow(row, quote, shown);
    // Under a full quote stream most cells of a row keep their text and colour: writing them
    // again would cost a list update and a redraw each for nothing.
    const std::vector<COLORREF> shownColors = m_list.GetRowColors(row);
    for (int column = 0; column < QUOTE_LIST_COLUMNS; ++column) {
        const bool recoloured = column >= static_cast<int>(shownColors.size())
                                || shownColors[column] != view.colors[column];
        if (recoloured || view.texts[column] != shown[column])
            m_list.SetItemText(row, column, view.texts[column]);
    }
    m_list.SetRowColors(row, view.colors);
}
