// CWnd construction and the window methods over the Win32 API.
#include "wincore.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

// A pointer the compiler may not assume to be non-NULL: MFC code calls GetSafeHwnd through
// NULL pointers and expects NULL back.
template <class T>
inline const T* Opaque(const T* p)
{
    asm("" : "+r"(p));
    return p;
}

HWND HwndOf(const CWnd* pWnd)
{
    return pWnd != NULL ? pWnd->GetSafeHwnd() : NULL;
}

bool IsSpecialPosition(const CWnd* pWnd)
{
    return pWnd == &CWnd::wndTop || pWnd == &CWnd::wndBottom || pWnd == &CWnd::wndTopMost ||
           pWnd == &CWnd::wndNoTopMost;
}

}  // namespace

CWnd::CWnd()
    : m_hWnd(NULL), m_pModuleState(NULL), m_pfnSuper(NULL), m_hWndOwner(NULL), m_nFlags(0),
      m_nModalResult(0)
{
}

CWnd::CWnd(HWND hWnd)
    : m_hWnd(hWnd), m_pModuleState(NULL), m_pfnSuper(NULL), m_hWndOwner(NULL), m_nFlags(0),
      m_nModalResult(0)
{
}

CWnd::~CWnd()
{
    if (m_hWnd != NULL && !IsSpecialPosition(this)) {
        // Destroying the object destroys its window (without the derived class's handlers,
        // which are gone already).
        if (afxcore::FindPermanent(m_hWnd) == this)
            DestroyWindow();
        m_hWnd = NULL;
    }
}

CWnd::operator HWND() const
{
    return GetSafeHwnd();
}

HWND CWnd::GetSafeHwnd() const
{
    const CWnd* self = Opaque(this);
    return self == NULL ? NULL : self->m_hWnd;
}

// ---------------------------------------------------------------------------------------
// State and geometry

DWORD CWnd::GetStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE); }
DWORD CWnd::GetExStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_EXSTYLE); }

namespace {

BOOL ModifyLong(HWND hWnd, int nStyleOffset, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLongA(hWnd, nStyleOffset);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongA(hWnd, nStyleOffset, (LONG)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

}  // namespace

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyLong(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyLong(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int nID) { return (int)::SetWindowLongPtrA(m_hWnd, GWLP_ID, nID); }

void CWnd::SetWindowText(LPCTSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }

int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
{
    return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLen = ::GetWindowTextLengthA(m_hWnd);
    ::GetWindowTextA(m_hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessageA(m_hWnd, WM_SETFONT, (WPARAM)(pFont != NULL ? pFont->GetSafeHandle() : NULL),
                   bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle((HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                 lpRect->bottom - lpRect->top, bRepaint);
}

void afxcore::NoteShowRequest(CWnd* pWnd, bool hide)
{
    if ((pWnd->m_nFlags & WF_ININIT) == 0)
        return;
    if (hide)
        pWnd->m_nFlags |= WF_HIDDENININIT;
    else
        pWnd->m_nFlags &= ~WF_HIDDENININIT;
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    if (nFlags & SWP_HIDEWINDOW)
        afxcore::NoteShowRequest(this, true);
    else if (nFlags & SWP_SHOWWINDOW)
        afxcore::NoteShowRequest(this, false);
    HWND hWndInsertAfter = pWndInsertAfter != NULL ? pWndInsertAfter->m_hWnd : NULL;
    return ::SetWindowPos(m_hWnd, hWndInsertAfter, x, y, cx, cy, nFlags);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
{
    lpwndpl->length = sizeof(WINDOWPLACEMENT);
    return ::GetWindowPlacement(m_hWnd, lpwndpl);
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl)
{
    afxcore::NoteShowRequest(this, lpwndpl->showCmd == SW_HIDE);
    WINDOWPLACEMENT placement = *lpwndpl;
    placement.length = sizeof(WINDOWPLACEMENT);
    return ::SetWindowPlacement(m_hWnd, &placement);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    afxcore::NoteShowRequest(this, nCmdShow == SW_HIDE);
    return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }
void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
{
    ::MapWindowPoints(m_hWnd, HwndOf(pwndTo), lpPoint, nCount);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, HwndOf(pwndTo), reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    DWORD dwStyle = GetStyle();
    HWND hWndCenter = HwndOf(pAlternateOwner);
    if (hWndCenter == NULL)
        hWndCenter = (dwStyle & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    // An owner that cannot be seen is no reference: centre on the screen instead.
    if (hWndCenter != NULL && !(dwStyle & WS_CHILD) &&
        (!::IsWindowVisible(hWndCenter) || ::IsIconic(hWndCenter)))
        hWndCenter = NULL;

    RECT rcDlg;
    ::GetWindowRect(m_hWnd, &rcDlg);
    RECT rcArea;
    RECT rcCenter;
    if (!(dwStyle & WS_CHILD)) {
        MONITORINFO mi;
        mi.cbSize = sizeof(mi);
        HMONITOR hMonitor = ::MonitorFromWindow(hWndCenter != NULL ? hWndCenter : m_hWnd,
                                                MONITOR_DEFAULTTONEAREST);
        ::GetMonitorInfoA(hMonitor, &mi);
        rcArea = mi.rcWork;
        if (hWndCenter != NULL)
            ::GetWindowRect(hWndCenter, &rcCenter);
        else
            rcCenter = rcArea;
    } else {
        HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        ::GetClientRect(hWndCenter, &rcCenter);
        ::MapWindowPoints(hWndCenter, hWndParent, reinterpret_cast<LPPOINT>(&rcCenter), 2);
    }

    int width = rcDlg.right - rcDlg.left;
    int height = rcDlg.bottom - rcDlg.top;
    int xLeft = (rcCenter.left + rcCenter.right) / 2 - width / 2;
    int yTop = (rcCenter.top + rcCenter.bottom) / 2 - height / 2;
    if (xLeft + width > rcArea.right)
        xLeft = rcArea.right - width;
    if (xLeft < rcArea.left)
        xLeft = rcArea.left;
    if (yTop + height > rcArea.bottom)
        yTop = rcArea.bottom - height;
    if (yTop < rcArea.top)
        yTop = rcArea.top;
    ::SetWindowPos(m_hWnd, NULL, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::SetWindowRgn(HRGN hRgn, BOOL bRedraw) { return ::SetWindowRgn(m_hWnd, hRgn, bRedraw); }
int CWnd::GetWindowRgn(HRGN hRgn) const { return ::GetWindowRgn(m_hWnd, hRgn); }

BOOL CWnd::SetLayeredWindowAttributes(COLORREF crKey, BYTE bAlpha, DWORD dwFlags)
{
    return ::SetLayeredWindowAttributes(m_hWnd, crKey, bAlpha, dwFlags);
}

BOOL CWnd::GetLayeredWindowAttributes(COLORREF* pcrKey, BYTE* pbAlpha, DWORD* pdwFlags) const
{
    return ::GetLayeredWindowAttributes(m_hWnd, pcrKey, pbAlpha, pdwFlags);
}

// ---------------------------------------------------------------------------------------
// Painting

void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, NULL, bErase); }
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase)
{
    ::InvalidateRgn(m_hWnd, pRgn != NULL ? (HRGN)pRgn->GetSafeHandle() : NULL, bErase);
}

void CWnd::ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }

void CWnd::ValidateRgn(CRgn* pRgn)
{
    ::ValidateRgn(m_hWnd, pRgn != NULL ? (HRGN)pRgn->GetSafeHandle() : NULL);
}

void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate,
                          prgnUpdate != NULL ? (HRGN)prgnUpdate->GetSafeHandle() : NULL, flags);
}

BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase) { return ::GetUpdateRect(m_hWnd, lpRect, bErase); }

int CWnd::GetUpdateRgn(CRgn* pRgn, BOOL bErase)
{
    return ::GetUpdateRgn(m_hWnd, (HRGN)pRgn->GetSafeHandle(), bErase);
}

void CWnd::SetRedraw(BOOL bRedraw) { ::SendMessageA(m_hWnd, WM_SETREDRAW, bRedraw, 0); }
BOOL CWnd::LockWindowUpdate() { return ::LockWindowUpdate(m_hWnd); }
void CWnd::UnlockWindowUpdate() { ::LockWindowUpdate(NULL); }
CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }

CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags)
{
    return CDC::FromHandle(
        ::GetDCEx(m_hWnd, prgnClip != NULL ? (HRGN)prgnClip->GetSafeHandle() : NULL, flags));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    if (pDC == NULL)
        return 0;
    return ::ReleaseDC(m_hWnd, pDC->m_hDC);
}

void CWnd::Print(CDC* pDC, DWORD dwFlags) const
{
    ::SendMessageA(m_hWnd, WM_PRINT, (WPARAM)pDC->GetSafeHdc(), dwFlags);
}

void CWnd::PrintClient(CDC* pDC, DWORD dwFlags) const
{
    ::SendMessageA(m_hWnd, WM_PRINTCLIENT, (WPARAM)pDC->GetSafeHdc(), dwFlags);
}

BOOL CWnd::FlashWindow(BOOL bInvert) { return ::FlashWindow(m_hWnd, bInvert); }

BOOL CWnd::FlashWindowEx(DWORD dwFlags, UINT uCount, DWORD dwTimeout)
{
    FLASHWINFO fwi;
    fwi.cbSize = sizeof(fwi);
    fwi.hwnd = m_hWnd;
    fwi.dwFlags = dwFlags;
    fwi.uCount = uCount;
    fwi.dwTimeout = dwTimeout;
    return ::FlashWindowEx(&fwi);
}

// ---------------------------------------------------------------------------------------
// Timers and messages

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, AFX_TIMERPROC lpfnTimer)
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendNotifyMessageA(m_hWnd, message, wParam, lParam);
}

void PASCAL CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam,
                                           LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        if (bOnlyPerm) {
            CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
            if (pWnd != NULL)
                AfxCallWndProc(pWnd, hWndChild, message, wParam, lParam);
        } else {
            ::SendMessageA(hWndChild, message, wParam, lParam);
        }
        if (bDeep && ::GetTopWindow(hWndChild) != NULL)
            SendMessageToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm)
{
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    if (lpszCaption == NULL)
        lpszCaption = AfxGetAppName();
    return AfxShowMessageBox(GetSafeHwnd(), lpszText, lpszCaption, nType);
}

// ---------------------------------------------------------------------------------------
// Relatives

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    return FromHandle(::SetParent(m_hWnd, HwndOf(pWndNewParent)));
}

CWnd* CWnd::GetOwner() const
{
    return m_hWndOwner != NULL ? FromHandle(m_hWndOwner) : GetParent();
}

void CWnd::SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = HwndOf(pOwnerWnd); }

namespace {

// The parent of a child window, the owner of a pop-up.
HWND ParentOrOwner(HWND hWnd)
{
    if (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD)
        return ::GetParent(hWnd);
    return ::GetWindow(hWnd, GW_OWNER);
}

}  // namespace

CWnd* CWnd::GetTopLevelParent() const
{
    if (m_hWnd == NULL)
        return NULL;
    HWND hWndParent = m_hWnd;
    HWND hWndT;
    while ((hWndT = ParentOrOwner(hWndParent)) != NULL)
        hWndParent = hWndT;
    return FromHandle(hWndParent);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    if (m_hWnd == NULL)
        return NULL;
    HWND hWndOwner = m_hWnd;
    HWND hWndT;
    while ((hWndT = ::GetWindow(hWndOwner, GW_OWNER)) != NULL)
        hWndOwner = hWndT;
    return FromHandle(hWndOwner);
}

CWnd* CWnd::GetParentOwner() const
{
    if (m_hWnd == NULL)
        return NULL;
    HWND hWndParent = m_hWnd;
    HWND hWndT;
    while ((::GetWindowLongA(hWndParent, GWL_STYLE) & WS_CHILD) &&
           (hWndT = ::GetParent(hWndParent)) != NULL)
        hWndParent = hWndT;
    return FromHandle(hWndParent);
}

CWnd* CWnd::GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
CWnd* CWnd::GetNextWindow(UINT nFlag) const { return FromHandle(::GetWindow(m_hWnd, nFlag)); }
CWnd* CWnd::GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
CWnd* CWnd::GetLastActivePopup() const { return FromHandle(::GetLastActivePopup(m_hWnd)); }

namespace {

CWnd* DescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm)
{
    // The direct child first, then each child's descendants.
    HWND hWndChild = ::GetDlgItem(hWnd, nID);
    if (hWndChild != NULL) {
        if (::GetTopWindow(hWndChild) != NULL) {
            if (CWnd* pWnd = DescendantWindow(hWndChild, nID, bOnlyPerm))
                return pWnd;
        }
        if (!bOnlyPerm)
            return CWnd::FromHandle(hWndChild);
        if (CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild))
            return pWnd;
    }
    for (hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        if (CWnd* pWnd = DescendantWindow(hWndChild, nID, bOnlyPerm))
            return pWnd;
    }
    return NULL;
}

}  // namespace

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    return DescendantWindow(m_hWnd, nID, bOnlyPerm);
}

BOOL CWnd::IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, HwndOf(pWnd)); }
CWnd* CWnd::ChildWindowFromPoint(POINT point) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }

CWnd* CWnd::ChildWindowFromPoint(POINT point, UINT nFlags) const
{
    return FromHandle(::ChildWindowFromPointEx(m_hWnd, point, nFlags));
}

CWnd* PASCAL CWnd::WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }

CWnd* PASCAL CWnd::FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName)
{
    return FromHandle(::FindWindowA(lpszClassName, lpszWindowName));
}

CWnd* PASCAL CWnd::FindWindowEx(HWND hwndParent, HWND hwndChildAfter, LPCTSTR lpszClass,
                                LPCTSTR lpszWindow)
{
    return FromHandle(::FindWindowExA(hwndParent, hwndChildAfter, lpszClass, lpszWindow));
}

CWnd* PASCAL CWnd::GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }

HWND PASCAL CWnd::GetSafeOwner_(HWND hParent, HWND* pWndTop)
{
    HWND hWnd = hParent;
    if (hWnd == NULL) {
        CWnd* pMainWnd = AfxGetMainWnd();
        hWnd = pMainWnd != NULL ? pMainWnd->GetSafeHwnd() : NULL;
    }
    // A pop-up cannot be owned by a child window.
    while (hWnd != NULL && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);

    HWND hWndTop = hWnd;
    for (HWND hWndTemp = hWnd; hWndTemp != NULL; hWndTemp = ::GetParent(hWndTemp))
        hWndTop = hWndTemp;

    if (hParent == NULL && hWnd != NULL)
        hWnd = ::GetLastActivePopup(hWnd);

    if (pWndTop != NULL) {
        // The top-level window is disabled as well while a modal window runs.
        if (hWndTop != NULL && ::IsWindowEnabled(hWndTop) && hWndTop != hWnd) {
            *pWndTop = hWndTop;
            ::EnableWindow(hWndTop, FALSE);
        } else {
            *pWndTop = NULL;
        }
    }
    return hWnd;
}

CWnd* PASCAL CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    return FromHandle(GetSafeOwner_(HwndOf(pParent), pWndTop));
}

// ---------------------------------------------------------------------------------------
// Focus, activation, capture

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* PASCAL CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
CWnd* PASCAL CWnd::GetCapture() { return FromHandle(::GetCapture()); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
CWnd* PASCAL CWnd::GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
CWnd* PASCAL CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }

// ---------------------------------------------------------------------------------------
// Dialog items

CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
void CWnd::GetDlgItem(int nID, HWND* phWnd) const { *phWnd = ::GetDlgItem(m_hWnd, nID); }
void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemTextA(m_hWnd, nID, lpszString); }

int CWnd::GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const
{
    return (int)::GetDlgItemTextA(m_hWnd, nID, lpStr, nMaxCount);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hWndItem = ::GetDlgItem(m_hWnd, nID);
    if (hWndItem == NULL)
        return 0;
    int nLen = ::GetWindowTextLengthA(hWndItem);
    ::GetWindowTextA(hWndItem, rString.GetBufferSetLength(nLen), nLen + 1);
    rString.ReleaseBuffer();
    return rString.GetLength();
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
UINT CWnd::IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton)
{
    for (int nID = nIDFirstButton; nID <= nIDLastButton; ++nID) {
        if (::IsDlgButtonChecked(m_hWnd, nID))
            return nID;
    }
    return 0;
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandle(::GetNextDlgTabItem(m_hWnd, HwndOf(pWndCtl), bPrevious));
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandle(::GetNextDlgGroupItem(m_hWnd, HwndOf(pWndCtl), bPrevious));
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendDlgItemMessageA(m_hWnd, nID, message, wParam, lParam);
}

BOOL CWnd::IsDialogMessage(LPMSG lpMsg) { return ::IsDialogMessageA(m_hWnd, lpMsg); }

// ---------------------------------------------------------------------------------------
// Menus, icons, clipboard, drag and drop

BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu != NULL ? pMenu->GetSafeHmenu() : NULL); }
CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }
void CWnd::DrawMenuBar() { ::DrawMenuBar(m_hWnd); }

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return (HICON)::SendMessageA(m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, (LPARAM)hIcon);
}

HICON CWnd::GetIcon(BOOL bBigIcon) const
{
    return (HICON)::SendMessageA(m_hWnd, WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0);
}

BOOL CWnd::OpenClipboard() { return ::OpenClipboard(m_hWnd); }
void CWnd::DragAcceptFiles(BOOL bAccept) { ::DragAcceptFiles(m_hWnd, bAccept); }

// ---------------------------------------------------------------------------------------
// Scrolling

void CWnd::ShowScrollBar(UINT nBar, BOOL bShow) { ::ShowScrollBar(m_hWnd, nBar, bShow); }

BOOL CWnd::EnableScrollBar(int nSBFlags, UINT nArrowFlags)
{
    return ::EnableScrollBar(m_hWnd, nSBFlags, nArrowFlags);
}

void CWnd::EnableScrollBarCtrl(int nBar, BOOL bEnable)
{
    ::ShowScrollBar(m_hWnd, nBar, bEnable);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
int CWnd::GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }

void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
}

void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
{
    ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos);
}

int CWnd::GetScrollLimit(int nBar)
{
    int nMin = 0;
    int nMax = 0;
    ::GetScrollRange(m_hWnd, nBar, &nMin, &nMax);
    SCROLLINFO info;
    if (GetScrollInfo(nBar, &info, SIF_PAGE) && info.nPage > 1)
        nMax -= (int)info.nPage - 1;
    return nMax;
}

void CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect, LPCRECT lpClipRect)
{
    ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
}

int CWnd::ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip,
                         CRgn* prgnUpdate, LPRECT lpRectUpdate, UINT flags)
{
    return ::ScrollWindowEx(m_hWnd, dx, dy, lpRectScroll, lpRectClip,
                            prgnUpdate != NULL ? (HRGN)prgnUpdate->GetSafeHandle() : NULL,
                            lpRectUpdate, flags);
}

CScrollBar* CWnd::GetScrollBarCtrl(int) const { return NULL; }

// ---------------------------------------------------------------------------------------
// Caret

void CWnd::CreateSolidCaret(int nWidth, int nHeight) { ::CreateCaret(m_hWnd, NULL, nWidth, nHeight); }
void CWnd::HideCaret() { ::HideCaret(m_hWnd); }
void CWnd::ShowCaret() { ::ShowCaret(m_hWnd); }
void PASCAL CWnd::SetCaretPos(POINT point) { ::SetCaretPos(point.x, point.y); }

CPoint PASCAL CWnd::GetCaretPos()
{
    CPoint point;
    ::GetCaretPos(&point);
    return point;
}

// ---------------------------------------------------------------------------------------
// Control bars

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags,
                          LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout;
    layout.bStretch = bStretch;
    layout.sizeTotal.cx = layout.sizeTotal.cy = 0;
    if (lpRectClient != NULL)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    bool query = (nFlags & 0xFF) == reposQuery;
    layout.hDWP = query ? NULL : ::BeginDeferWindowPos(8);

    HWND hWndLeftOver = NULL;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        UINT nIDC = (UINT)::GetDlgCtrlID(hWndChild);
        if (nIDC == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nIDC >= nIDFirst && nIDC <= nIDLast)
            ::SendMessageA(hWndChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }

    if (query) {
        if (lpRectParam != NULL)
            *lpRectParam = layout.rect;
        return;
    }
    if (lpRectParam != NULL && (nFlags & 0xFF) == reposExtra) {
        layout.rect.left += lpRectParam->left;
        layout.rect.top += lpRectParam->top;
        layout.rect.right -= lpRectParam->right;
        layout.rect.bottom -= lpRectParam->bottom;
    }
    if (hWndLeftOver != NULL && !(nFlags & reposNoPosLeftOver) && layout.hDWP != NULL) {
        RECT rect = layout.rect;
        layout.hDWP = ::DeferWindowPos(layout.hDWP, hWndLeftOver, NULL, rect.left, rect.top,
                                       rect.right - rect.left, rect.bottom - rect.top,
                                       SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
}
