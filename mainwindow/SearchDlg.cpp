#include "SearchDlg.h"

#include "SearchIndex.h"

#include <commctrl.h>

namespace {

const int kWidth = 200;
const int kHeight = 240;
const int kRowHeight = 14;

}  // namespace

const char CSearchDlg::kTitle[] = "Tolvan证券智能键盘";

BEGIN_MESSAGE_MAP(CSearchDlg, CDialogEx)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_EN_CHANGE(IDC_SEARCH_EDIT, &CSearchDlg::OnSearchTextChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_SEARCH_LIST, &CSearchDlg::OnListDoubleClick)
END_MESSAGE_MAP()

CSearchDlg::CSearchDlg(CWnd* pParent, const SearchIndex* index)
    : CDialogEx(IDD, pParent), m_index(index != nullptr ? index : &SearchIndex::Instance()),
      m_mainRect(0, 0, 0, 0)
{
}

CSearchDlg::~CSearchDlg() = default;

void CSearchDlg::SetSearchParams(const CString& text, const CRect& mainRect)
{
    m_strTypedText = text;
    m_mainRect = mainRect;
}

void CSearchDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SEARCH_LIST, m_list);
}

BOOL CSearchDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    HICON icon = AfxGetApp() != nullptr ? AfxGetApp()->LoadIcon(IDI_SEARCH_ICON) : NULL;
    SetIcon(icon, TRUE);
    SetIcon(icon, FALSE);

    CreateSearchEdit();
    SetWindowText(kTitle);
    SetWindowPos(&CWnd::wndTopMost, m_mainRect.right - 205, m_mainRect.bottom - 265, kWidth,
                 kHeight, SWP_SHOWWINDOW);
    SetUpList();

    // Setting the text runs the first search.
    m_edit.SetWindowText(m_strTypedText);
    m_edit.SetFocus();
    const int end = m_edit.GetWindowTextLength();
    m_edit.SetSel(end, end, FALSE);
    return FALSE;
}

void CSearchDlg::CreateSearchEdit()
{
    m_editFont.CreatePointFont(100, "宋体");
    m_edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | WS_BORDER, CRect(0, 0, 80, 20), this,
                  IDC_SEARCH_EDIT);
    m_edit.SetFont(&m_editFont);
    m_edit.SetBorderColor(0xB99D7F);
}

void CSearchDlg::SetUpList()
{
    ::InitializeFlatSB(m_list.m_hWnd);
    ::FlatSB_EnableScrollBar(m_list.m_hWnd, SB_BOTH, ESB_DISABLE_BOTH);
    m_list.EnableHeaderHeight(FALSE);
    m_list.InsertColumn(0, "合约号", LVCFMT_LEFT, 80);
    m_list.InsertColumn(1, "合约名", LVCFMT_LEFT, 120);
    m_list.SetItemTextFormat(DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    m_list.SetSelectMode(2);
    m_list.SetSelectColor(0x808080);
    m_list.SetBkColor(0xFFFFFF);
    m_list.SetItemHeight(kRowHeight);
    m_list.SetHeaderHeight(0);
    m_listFont.CreatePointFont(90, "宋体");
    m_list.SetItemFont(&m_listFont);
    CRect client;
    GetClientRect(&client);
    PlaceControls(client.Width(), client.Height());
}

void CSearchDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialogEx::OnSize(nType, cx, cy);
    PlaceControls(cx, cy);
}

void CSearchDlg::PlaceControls(int cx, int cy)
{
    if (m_edit.GetSafeHwnd() != NULL)
        m_edit.MoveWindow(0, 0, cx - 2, 20);
    if (m_list.GetSafeHwnd() != NULL)
        m_list.MoveWindow(0, 21, cx - 2, cy - 22);
}

void CSearchDlg::OnSearchTextChanged()
{
    RunSearch();
}

void CSearchDlg::RunSearch()
{
    m_list.DeleteAllItems();
    CString text;
    m_edit.GetWindowText(text);
    if (text.IsEmpty())
        return;
    std::vector<SectorRow> results;
    m_index->Match(SearchIndex::Lower(text), results);
    // A short text hits thousands of instruments: one repaint for all of them.
    m_list.SetRedraw(FALSE);
    for (size_t i = 0; i < results.size(); ++i) {
        const int row = static_cast<int>(i);
        m_list.InsertItem(row, results[i].strCode);
        m_list.SetItemText(row, 1, results[i].strName);
        m_list.SetRowColors(row, { 0, SearchResultNameColor(results[i].strCode, text) });
    }
    m_list.SetRedraw(TRUE);
    if (m_list.GetItemCount() > 0) {
        m_list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_list.SetSelectionMark(0);
    }
    m_list.Invalidate();
}

int CSearchDlg::SelectedRow() const
{
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

void CSearchDlg::ChooseRow(int row)
{
    if (row < 0 || row >= m_list.GetItemCount())
        return;
    m_strSelectedCode = m_list.GetItemText(row, 0);
    EndDialog(IDOK);
}

void CSearchDlg::OnListDoubleClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    const int row = SelectedRow();
    if (row >= 0)
        ChooseRow(row);
}

// step +1 moves down, -1 up; nothing at either end or without a selection.
void CSearchDlg::MoveSelection(int step)
{
    const int count = m_list.GetItemCount();
    const int row = SelectedRow();
    if (count == 0 || row < 0 || row + step < 0 || row + step >= count)
        return;
    m_list.SetItemState(row, 0, LVIS_SELECTED | LVIS_FOCUSED);
    const int rowHeight = m_list.GetItemHeight();
    if (step > 0) {
        CRect client;
        m_list.GetClientRect(&client);
        if ((row + 2) * rowHeight > client.Height())
            m_list.Scroll(CSize(0, rowHeight));
    } else if (row - 1 < m_list.GetTopIndex()) {
        m_list.Scroll(CSize(0, -rowHeight));
    }
    m_list.SetItemState(row + step, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.Invalidate();
}

BOOL CSearchDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        const bool inEdit = pMsg->hwnd == m_edit.GetSafeHwnd();
        const bool inList = pMsg->hwnd == m_list.GetSafeHwnd();
        switch (pMsg->wParam) {
        case VK_RETURN: {
            const int row = SelectedRow();
            if ((!inEdit && !inList) || row < 0)
                EndDialog(IDCANCEL);
            else
                ChooseRow(row);
            return TRUE;
        }
        case VK_DOWN:
        case VK_UP:
            if (inEdit) {
                MoveSelection(pMsg->wParam == VK_DOWN ? 1 : -1);
                return TRUE;
            }
            break;
        default:
            break;
        }
    }
    return CDialogEx::PreTranslateMessage(pMsg);
}

void CSearchDlg::OnDestroy()
{
    m_listFont.DeleteObject();
    CDialogEx::OnDestroy();
}
