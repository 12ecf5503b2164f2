#include "FindDlg.h"

#include "QueryPages.h"
#include "SeekwellResource.h"

#include <ListExport.h>
#include <TradingMessages.h>

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

CFindDlg::CFindDlg() : CTabPagesDlg(IDD_FIND) {}

CFindDlg::~CFindDlg() {}

BOOL CFindDlg::OnInitDialog()
{
    CTabPagesDlg::OnInitDialog();
    CreateTabs(IDC_QUERY_TABS, {"资金状况", "交易历史"});

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
    CRect client;
    GetClientRect(&client);
    LayOut(client.Width(), client.Height());
    return TRUE;
}

void CFindDlg::LayOut(int cx, int cy)
{
    if (!PlaceTabs(cx, cy))
        return;
    for (CQueryPage* page : m_pages)
        PlacePage(page);
    if (m_export.GetSafeHwnd() != NULL) {
        CRect lastTab(0, 0, 0, 0);
        if (m_tabs.GetItemCount() > 0)
            m_tabs.GetItemRect(m_tabs.GetItemCount() - 1, &lastTab);
        const int x = lastTab.right + 60 < cx ? cx - 55 : lastTab.right + 5;
        m_export.MoveWindow(x, 2, 50, 18);
    }
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
    return CTabPagesDlg::WindowProc(message, wParam, lParam);
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
    return CTabPagesDlg::OnNotify(wParam, lParam, pResult);
}

BOOL CFindDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_QUERY_EXPORT && HIWORD(wParam) == BN_CLICKED) {
        OnExport();
        return TRUE;
    }
    return CTabPagesDlg::OnCommand(wParam, lParam);
}
