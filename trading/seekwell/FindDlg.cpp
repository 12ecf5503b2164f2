#include "FindDlg.h"

#include "QueryPages.h"
#include "SeekwellResource.h"

#include <ListExport.h>
#include <TradingMessages.h>

BEGIN_MESSAGE_MAP(CFindDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

// The box's whole text in the program's code page. Its text length counts characters, so a
// buffer of that size would cut a text with double-byte characters short.
CString WholeText(CRichEditCtrl& box)
{
    GETTEXTLENGTHEX length = {GTL_NUMBYTES | GTL_PRECISE, CP_ACP};
    const int bytes = (int)box.SendMessage(EM_GETTEXTLENGTHEX, (WPARAM)&length, 0);
    if (bytes <= 0)
        return CString();
    CString text;
    GETTEXTEX request = {};
    request.cb = bytes + 1;
    request.flags = GT_DEFAULT;
    request.codepage = CP_ACP;
    const int copied = (int)box.SendMessage(EM_GETTEXTEX, (WPARAM)&request, (LPARAM)text.GetBuffer(bytes + 1));
    text.ReleaseBuffer(copied > 0 ? copied : 0);
    return text;
}

}  // namespace

CFindDlg::CFindDlg() : CDialog(IDD_FIND, NULL) {}

CFindDlg::~CFindDlg() {}

BOOL CFindDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_font.CreatePointFont(90, "宋体");
    CRect client;
    GetClientRect(&client);
    m_tabs.Create(WS_CHILD | WS_VISIBLE, client, this, IDC_QUERY_TABS);
    m_tabs.InsertItem(0, "资金状况");
    m_tabs.InsertItem(1, "交易历史");
    m_tabs.SetTextColor(0x646464);
    m_tabs.SetSelTextColor(0x000000);
    m_tabs.SetSelTabColor(0x3CC7FF);
    m_tabs.SetTabBkColor(0xE6E6E6);
    // The hover fill and the background.
    m_tabs.SetSelTabColor2(0xFFFFFF);
    m_tabs.SetBkColor(0xFFFFFF);
    m_tabs.SetBorderColor(0xB99D7F);
    m_tabs.SetFont(&m_font);
    m_tabs.SetTextFormat(0x25);
    m_tabs.SetDrawStyle(2);

    m_pages[kFunds] = new CPageFinancialSituationDlg;
    m_pages[kSettlement] = new CPageSettleSheetDlg;
    m_pages[kPositionDetail] = new CPagePositionDetailDlg;
    m_pages[kHistory] = new CPageHistoryTransactionDlg;
    m_pages[kAccess] = new CPageAccessGoldDlg;
    for (CQueryPage*& page : m_pages) {
        if (!page->Create(IDD_QUERY_PAGE, &m_tabs)) {
            delete page;
            page = nullptr;
        }
    }
    if (m_pages[kFunds] != nullptr)
        m_pages[kFunds]->ShowWindow(SW_SHOW);
    m_tabs.SetCurSel(0);

    m_export.Create("导出", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, IDC_QUERY_EXPORT);
    m_export.SetStyle(0);
    m_export.SetTextFormat(DT_CENTER);
    m_export.SetBkColor(0xEBF5F5);
    m_export.SetTextColor(0x000000);
    m_export.SetFont(&m_font);
    LayOut(client.Width(), client.Height());
    return TRUE;
}

void CFindDlg::LayOut(int cx, int cy)
{
    if (m_tabs.GetSafeHwnd() == NULL)
        return;
    m_tabs.MoveWindow(0, 0, cx, cy);
    CRect page;
    m_tabs.GetClientRect(&page);
    for (CQueryPage* p : m_pages)
        if (p != nullptr && p->GetSafeHwnd() != NULL)
            p->MoveWindow(1, 24, page.Width() - 2, page.Height() - 25);
    if (m_export.GetSafeHwnd() != NULL) {
        CRect lastTab(0, 0, 0, 0);
        if (m_tabs.GetItemCount() > 0)
            m_tabs.GetItemRect(m_tabs.GetItemCount() - 1, &lastTab);
        const int x = lastTab.right + 60 < cx ? cx - 55 : lastTab.right + 5;
        m_export.MoveWindow(x, 2, 50, 18);
    }
}

void CFindDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    LayOut(cx, cy);
}

CQueryPage* CFindDlg::PageOfMessage(UINT message) const
{
    switch (message) {
    case WM_QUERY_PAGE_0:
    case WM_QUERY_PAGE_1:
        return m_pages[kFunds];
    case WM_QUERY_PAGE_2:
    case WM_QUERY_PAGE_3:
        return m_pages[kPositionDetail];
    case WM_QUERY_PAGE_4:
    case WM_QUERY_PAGE_5:
    case WM_QUERY_PAGE_6:
        return m_pages[kHistory];
    default:
        return nullptr;
    }
}

LRESULT CFindDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_QUERY_PAGE_0 && message <= WM_QUERY_PAGE_6) {
        CQueryPage* page = PageOfMessage(message);
        if (page != nullptr && page->GetSafeHwnd() != NULL)
            page->SendMessage(message, wParam, lParam);
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CFindDlg::OnTabChanged()
{
    m_status.text = "";
    m_status.colour = 0xFF0000;
    const int tab = m_tabs.GetCurSel();
    CQueryPage* funds = m_pages[kFunds];
    CQueryPage* history = m_pages[kHistory];
    if (tab == 0 || tab == 1) {
        CQueryPage* shown = tab == 0 ? funds : history;
        CQueryPage* hidden = tab == 0 ? history : funds;
        if (hidden != nullptr)
            hidden->ShowWindow(SW_HIDE);
        if (shown != nullptr) {
            shown->ShowWindow(SW_SHOW);
            shown->SendMessage(tab == 0 ? WM_QUERY_PAGE_1 : WM_QUERY_PAGE_5, (WPARAM)&m_status, 0);
        }
    }
    char text[51] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text) - 1;
    m_tabs.SendMessage(TCM_GETITEMA, tab, (LPARAM)&item);
    m_tabText = text;
    HWND parent = ::GetParent(m_hWnd);
    HWND grandparent = parent != NULL ? ::GetParent(parent) : NULL;
    if (grandparent != NULL)
        ::SendMessage(grandparent, WM_QUERY_TAB, (WPARAM)&m_tabText, 0);
}

void CFindDlg::OnExport()
{
    const int tab = m_tabs.GetCurSel();
    if (tab != 0 && tab != 1)
        return;
    CQueryPage* page = m_pages[tab == 0 ? kFunds : kHistory];
    if (page == nullptr || page->TextBox() == nullptr)
        return;
    const CString text = WholeText(*page->TextBox());
    // SaveTextToFile turns every line end, CR LF or a lone CR, into one CR LF.
    if (tab == 0)
        SaveTextToFile(this, "FinancialSituationFile", "txt",
                       "Financial situation files(*.txt)|*.txt|All files(*.*)|*.*||", text);
    else
        SaveTextToFile(this, "HistoryTransactionFile", "txt",
                       "History transaction files(*.txt)|*.txt|All files(*.*)|*.*||", text);
}

BOOL CFindDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom == IDC_QUERY_TABS && header->code == TCN_SELCHANGE) {
        OnTabChanged();
        *pResult = 0;
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

BOOL CFindDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_QUERY_EXPORT && HIWORD(wParam) == BN_CLICKED) {
        OnExport();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CFindDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, 0xFFFFFF);
}

BOOL CFindDlg::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CFindDlg::OnCancel()
{
    DestroyWindow();
}

void CFindDlg::PostNcDestroy()
{
    delete this;
}
