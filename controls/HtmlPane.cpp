#include "HtmlPane.h"

#include <afxshell.h>

#include <cstring>

namespace {

const char kAppPrefix[] = "app:";

bool IsDocumentWindow(HWND hWnd)
{
    char className[64] = "";
    ::GetClassNameA(hWnd, className, sizeof(className));
    return strcmp(className, AFX_HTML_DOCUMENT_CLASS) == 0;
}

bool IsWebAddress(const CString& address)
{
    return _strnicmp(address.GetString(), "http://", 7) == 0 ||
           _strnicmp(address.GetString(), "https://", 8) == 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CHtmlPane, CHtmlView)
    ON_WM_DESTROY()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CHtmlPane::CHtmlPane() : m_pCommandTable(NULL), m_bHideContextMenu(FALSE) {}

BOOL CHtmlPane::CreateFromStatic(UINT nID, CWnd* pParent)
{
    if (pParent == NULL || !::IsWindow(pParent->m_hWnd))
        return FALSE;
    HWND hPlaceholder = ::GetDlgItem(pParent->m_hWnd, (int)nID);
    if (hPlaceholder == NULL)
        return FALSE;
    CRect rect;
    ::GetWindowRect(hPlaceholder, &rect);
    pParent->ScreenToClient(&rect);
    ::DestroyWindow(hPlaceholder);
    return Create(NULL, NULL, WS_CHILD | WS_VISIBLE, rect, pParent, nID);
}

BOOL CHtmlPane::SetHtml(LPCTSTR lpszHtml)
{
    CHtmlDocument* pDocument = GetHtmlDocument();
    if (pDocument == NULL)
        return FALSE;
    pDocument->Open();
    pDocument->Write(lpszHtml);
    pDocument->Close();
    return TRUE;
}

void CHtmlPane::OnBeforeNavigate2(LPCTSTR lpszURL, DWORD, LPCTSTR, CByteArray&, LPCTSTR,
                                  BOOL* pbCancel)
{
    if (lpszURL != NULL && _strnicmp(lpszURL, kAppPrefix, 4) == 0) {
        *pbCancel = TRUE;
        OnAppCmd(lpszURL + 4);
    }
}

void CHtmlPane::OnAppCmd(LPCTSTR lpszName)
{
    if (m_pCommandTable == NULL || lpszName == NULL)
        return;
    CWnd* pParent = GetParent();
    if (pParent == NULL)
        return;
    for (const HtmlPaneCommand* pEntry = m_pCommandTable; pEntry->pszName != NULL; ++pEntry) {
        if (_stricmp(pEntry->pszName, lpszName) == 0)
            pParent->PostMessage(WM_COMMAND, pEntry->nID, 0);
    }
}

void CHtmlPane::OnStatusTextChange(LPCTSTR lpszText)
{
    m_strStatusText = lpszText != NULL ? lpszText : "";
}

void CHtmlPane::OnNewWindow2(LPDISPATCH*, BOOL* pbCancel)
{
    *pbCancel = TRUE;
    // The link's own address: the status text may be stale or not an address at all.
    const CString& address = GetNewWindowURL();
    if (IsWebAddress(address))
        AfxShellExecute(m_hWnd, "open", address, NULL, NULL, SW_SHOWNORMAL);
}

BOOL CHtmlPane::PreTranslateMessage(MSG* pMsg)
{
    if (m_bHideContextMenu && IsDocumentWindow(pMsg->hwnd)) {
        switch (pMsg->message) {
        case WM_RBUTTONUP: {
            // The dialog hears of the click as a context-menu request from this control, at
            // the click's place on the screen.
            POINT point = { (short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam) };
            ::ClientToScreen(pMsg->hwnd, &point);
            CWnd* pParent = GetParent();
            if (pParent != NULL)
                pParent->SendMessage(WM_CONTEXTMENU, (WPARAM)m_hWnd, MAKELPARAM(point.x, point.y));
            return TRUE;
        }
        case WM_CONTEXTMENU:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            return TRUE;
        default:
            break;
        }
    }
    return CHtmlView::PreTranslateMessage(pMsg);
}

void CHtmlPane::OnDestroy()
{
    ReleaseDocument();
    CWnd::OnDestroy();
}

int CHtmlPane::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}
