// CWnd's own message map and its default handlers: they pass the message on (Default),
// except that owner-draw, colour and scroll messages are first offered to the control they
// concern (reflection), and WM_NCDESTROY detaches the object and calls PostNcDestroy.
#include "wincore.h"

using afxcore::ReflectToChild;
using afxcore::State;

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_COMPAREITEM()
    ON_WM_DELETEITEM()
    ON_WM_CTLCOLOR()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_PARENTNOTIFY()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

namespace {

// The permanent menu object holding item nID: the window's menu bar or a popup menu opened
// lately on this thread.
CMenu* FindMenuOfItem(HWND hWnd, UINT nID)
{
    afxcore::ThreadState& state = State();
    HMENU candidates[10];
    int count = 0;
    for (HMENU hMenu : state.recentPopups) {
        if (hMenu != NULL)
            candidates[count++] = hMenu;
    }
    candidates[count++] = ::GetMenu(hWnd);
    for (int i = 0; i < count; ++i) {
        HMENU hMenu = candidates[i];
        if (hMenu == NULL || !::IsMenu(hMenu))
            continue;
        if (::GetMenuState(hMenu, nID, MF_BYCOMMAND) == (UINT)-1)
            continue;
        if (CMenu* pMenu = CMenu::FromHandlePermanent(hMenu))
            return pMenu;
    }
    return NULL;
}

}  // namespace

int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return (BOOL)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnMoving(UINT, LPRECT) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
void CWnd::OnMouseHWheel(UINT, short, CPoint) { Default(); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnMouseHover(UINT, CPoint) { Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnHotKey(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return (BOOL)Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseHover(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseLeave() { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
UINT CWnd::OnGetDlgCode() { return (UINT)Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
BOOL CWnd::OnCopyData(CWnd*, COPYDATASTRUCT*) { return (BOOL)Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnInitMenu(CMenu*) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
void CWnd::OnEnterMenuLoop(BOOL) { Default(); }
void CWnd::OnExitMenuLoop(BOOL) { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return (HCURSOR)Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnSettingChange(UINT, LPCTSTR) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnTimeChange() { Default(); }
void CWnd::OnEnterSizeMove() { Default(); }
void CWnd::OnExitSizeMove() { Default(); }
BOOL CWnd::OnQueryEndSession() { return (BOOL)Default(); }
void CWnd::OnEndSession(BOOL) { Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return (BOOL)Default(); }
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnStyleChanging(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnEnterIdle(UINT, CWnd*) { Default(); }
LRESULT CWnd::OnThemeChanged() { return Default(); }

HBRUSH CWnd::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (pWnd != NULL && pDC != NULL) {
        LRESULT lResult = 0;
        if (ReflectToChild(pWnd->m_hWnd, WM_CTLCOLORMSGBOX + nCtlColor, (WPARAM)pDC->m_hDC,
                      (LPARAM)pWnd->m_hWnd, &lResult))
            return (HBRUSH)lResult;
    }
    return (HBRUSH)Default();
}

void CWnd::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU) {
        CMenu* pMenu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lpDrawItemStruct->hwndItem));
        if (pMenu != NULL) {
            pMenu->DrawItem(lpDrawItemStruct);
            return;
        }
    } else if (ReflectToChild(lpDrawItemStruct->hwndItem, WM_DRAWITEM, (WPARAM)nIDCtl,
                         (LPARAM)lpDrawItemStruct, NULL)) {
        return;
    }
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType == ODT_MENU) {
        CMenu* pMenu = FindMenuOfItem(m_hWnd, lpMeasureItemStruct->itemID);
        if (pMenu != NULL) {
            pMenu->MeasureItem(lpMeasureItemStruct);
            return;
        }
    } else {
        // The control may still be in its creation (owner-draw lists measure from WM_CREATE)
        // and is found by its id.
        CWnd* pChild = GetDescendantWindow((int)lpMeasureItemStruct->CtlID, TRUE);
        if (pChild != NULL &&
            pChild->OnChildNotify(WM_MEASUREITEM, (WPARAM)nIDCtl, (LPARAM)lpMeasureItemStruct, NULL))
            return;
    }
    Default();
}

int CWnd::OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    LRESULT lResult = 0;
    if (ReflectToChild(lpCompareItemStruct->hwndItem, WM_COMPAREITEM, (WPARAM)nIDCtl,
                  (LPARAM)lpCompareItemStruct, &lResult))
        return (int)lResult;
    return (int)Default();
}

void CWnd::OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    if (ReflectToChild(lpDeleteItemStruct->hwndItem, WM_DELETEITEM, (WPARAM)nIDCtl,
                  (LPARAM)lpDeleteItemStruct, NULL))
        return;
    Default();
}

void CWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL &&
        ReflectToChild(pScrollBar->m_hWnd, WM_HSCROLL, MAKEWPARAM(nSBCode, nPos),
                  (LPARAM)pScrollBar->m_hWnd, NULL))
        return;
    Default();
}

void CWnd::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL &&
        ReflectToChild(pScrollBar->m_hWnd, WM_VSCROLL, MAKEWPARAM(nSBCode, nPos),
                  (LPARAM)pScrollBar->m_hWnd, NULL))
        return;
    Default();
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY) &&
        ReflectToChild(reinterpret_cast<HWND>(lParam), WM_PARENTNOTIFY, message, lParam, NULL))
        return;
    Default();
}

void CWnd::OnNcDestroy()
{
    // The main window of a thread going away ends the thread's message loop (the
    // program's, for the application); a library's windows never end the program.
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL) {
        if (pThread->m_pMainWnd == this) {
            if (m_pModuleState == NULL || !m_pModuleState->m_bDLL)
                AfxPostQuitMessage(0);
            pThread->m_pMainWnd = NULL;
        }
        if (pThread->m_pActiveWnd == this)
            pThread->m_pActiveWnd = NULL;
    }

    HWND hWnd = m_hWnd;
    WNDPROC pfnWndProc = (WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
    Default();
    // Give the window its own procedure back unless someone subclassed it after us.
    if ((WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == pfnWndProc && m_pfnSuper != NULL)
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    Detach();
    // May delete this object.
    PostNcDestroy();
}
