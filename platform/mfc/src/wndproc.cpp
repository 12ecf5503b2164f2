// The window procedure of CWnd-owned windows, attaching objects while their window is
// created (a CBT hook, so WM_NCCREATE and WM_CREATE reach the object), window creation and
// destruction, and window-class registration.
#include "wincore.h"

#include <exception>
#include <mutex>

namespace afxcore {
namespace {

bool IsImeClass(LPCSTR lpszClass)
{
    if (lpszClass == NULL || IS_INTRESOURCE(lpszClass))
        return false;
    return lstrcmpiA(lpszClass, "IME") == 0 || lstrcmpiA(lpszClass, "MSCTFIME UI") == 0;
}

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    ThreadState& state = State();
    CWnd* pWndInit = state.m_pWndInit;
    // An object that is attached already is in its PreSubclassWindow, which made a window
    // of its own: that one is not ours to take.
    if (code == HCBT_CREATEWND && pWndInit != NULL && pWndInit->m_hWnd == NULL) {
        LPCREATESTRUCTA lpcs = reinterpret_cast<LPCBT_CREATEWNDA>(lParam)->lpcs;
        if (!IsImeClass(lpcs->lpszClass)) {
            HWND hWnd = reinterpret_cast<HWND>(wParam);
            if (pWndInit->Attach(hWnd)) {
                // Still the object being created while its override runs.
                try {
                    pWndInit->PreSubclassWindow();
                } catch (...) {
                    ProcessHandlerException(hWnd, WM_NULL);
                }
                WNDPROC oldWndProc = (WNDPROC)::SetWindowLongPtrA(
                    hWnd, GWLP_WNDPROC, (LONG_PTR)AfxGetAfxWndProc());
                WNDPROC* pSuper = pWndInit->GetSuperWndProcAddr();
                if (oldWndProc != AfxGetAfxWndProc() && *pSuper == NULL)
                    *pSuper = oldWndProc;
            }
            state.m_pWndInit = NULL;
        }
    }
    return ::CallNextHookEx(state.cbtHook, code, wParam, lParam);
}

}  // namespace

void HookWindowCreate(CWnd* pWnd)
{
    ThreadState& state = State();
    state.m_pWndInit = pWnd;
    if (state.hookUsers++ == 0 && state.cbtHook == NULL)
        state.cbtHook = ::SetWindowsHookExA(WH_CBT, CbtFilterHook, NULL, ::GetCurrentThreadId());
}

bool UnhookWindowCreate()
{
    ThreadState& state = State();
    bool attached = state.m_pWndInit == NULL;
    state.m_pWndInit = NULL;
    if (--state.hookUsers <= 0) {
        state.hookUsers = 0;
        if (state.cbtHook != NULL) {
            ::UnhookWindowsHookEx(state.cbtHook);
            state.cbtHook = NULL;
        }
    }
    return attached;
}

LPCTSTR DefaultWndClass()
{
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSA wc = {};
        wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = AfxGetAppModuleState()->m_hCurrentInstanceHandle;
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        wc.lpszClassName = AFX_WND_CLASS_NAME;
        ::RegisterClassA(&wc);
    });
    return AFX_WND_CLASS_NAME;
}

}  // namespace afxcore

using afxcore::State;

namespace {

// After WM_NCDESTROY: an object whose OnNcDestroy override skipped the base class is
// detached here, so the map never names a destroyed window.
void CleanupAfterNcDestroy(CWnd* pWnd, HWND hWnd)
{
    if (afxcore::FindPermanent(hWnd) != pWnd)
        return;   // CWnd::OnNcDestroy did it (and the object may be gone)
    WNDPROC pfnSuper = *pWnd->GetSuperWndProcAddr();
    if (pfnSuper != NULL &&
        (WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == AfxGetAfxWndProc())
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnSuper);
    *pWnd->GetSuperWndProcAddr() = NULL;
    pWnd->Detach();
    pWnd->PostNcDestroy();
}

// Puts back the message that an outer AfxCallWndProc is processing, however this one ends.
class LastMessageScope
{
public:
    LastMessageScope(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
        : m_old(State().lastSentMsg)
    {
        MSG& msg = State().lastSentMsg;
        msg.hwnd = hWnd;
        msg.message = nMsg;
        msg.wParam = wParam;
        msg.lParam = lParam;
    }
    ~LastMessageScope() { State().lastSentMsg = m_old; }
    LastMessageScope(const LastMessageScope&) = delete;
    LastMessageScope& operator=(const LastMessageScope&) = delete;

private:
    MSG m_old;
};

void ReportToUser(LPCSTR lpszText)
{
    try {
        AfxMessageBox(lpszText, MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
    } catch (...) {
        // Nothing more can be done about it here.
    }
}

}  // namespace

LRESULT afxcore::ProcessHandlerException(HWND hWnd, UINT nMsg)
{
    try {
        throw;
    } catch (CException* e) {
        if (dynamic_cast<CUserException*>(e) == NULL) {
            try {
                e->ReportError(MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
            } catch (...) {
            }
        }
        e->Delete();
    } catch (const std::exception& e) {
        ReportToUser(e.what()[0] != '\0' ? e.what() : "发生了未知错误。");
    } catch (...) {
        ReportToUser("发生了未知错误。");
    }
    if (nMsg == WM_CREATE)
        return -1;   // the creation fails (0 does that for WM_NCCREATE)
    if (nMsg == WM_PAINT)
        ::ValidateRect(hWnd, NULL);   // or WM_PAINT comes again at once
    return 0;
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    afxcore::ThreadState& state = State();
    if (nMsg == WM_INITMENUPOPUP) {
        state.recentPopups[state.nextPopup] = reinterpret_cast<HMENU>(wParam);
        state.nextPopup = (state.nextPopup + 1) % 8;
    }
    LastMessageScope lastMessage(hWnd, nMsg, wParam, lParam);

    // The window's own module state while its handlers run: a library's window loads
    // the library's resources even when the program's loop dispatched the message.
    AFX_MAINTAIN_STATE2 moduleState(pWnd->m_pModuleState);
    LRESULT lResult;
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (...) {
        lResult = afxcore::ProcessHandlerException(hWnd, nMsg);
    }
    if (nMsg == WM_NCDESTROY) {
        try {
            CleanupAfterNcDestroy(pWnd, hWnd);
        } catch (...) {
            afxcore::ProcessHandlerException(hWnd, nMsg);
        }
    }
    return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = afxcore::FindPermanent(hWnd);
    if (pWnd == NULL || pWnd->m_hWnd != hWnd)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

WNDPROC AFXAPI AfxGetAfxWndProc()
{
    return &AfxWndProc;
}

// ---------------------------------------------------------------------------------------
// Creation and destruction

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd != NULL ? pParentWnd->GetSafeHwnd() : NULL,
                    (HMENU)(UINT_PTR)nID, (LPVOID)pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                    DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                    LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd != NULL ? pParentWnd->GetSafeHwnd() : NULL,
                    (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                    DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                    HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd != NULL)
        return FALSE;   // already has a window

    CREATESTRUCTA cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;

    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    afxcore::HookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y,
                                  cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance,
                                  cs.lpCreateParams);
    if (!afxcore::UnhookWindowCreate()) {
        // Failed before the window existed: nothing was attached.
        PostNcDestroy();
        return FALSE;
    }
    return hWnd != NULL;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = afxcore::DefaultWndClass();
    return TRUE;
}

void CWnd::PreSubclassWindow()
{
}

void CWnd::PostNcDestroy()
{
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    HWND hWnd = m_hWnd;
    bool permanent = afxcore::FindPermanent(hWnd) == this;
    BOOL bResult = ::DestroyWindow(hWnd);
    if (permanent) {
        // A subclassed window was detached by WM_NCDESTROY, and the object may have deleted
        // itself: look at the map, not at the object. An attached, not subclassed window is
        // detached here.
        if (afxcore::FindPermanent(hWnd) == this && !::IsWindow(hWnd))
            Detach();
    } else if (bResult) {
        m_hWnd = NULL;
    }
    return bResult;
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == 0)
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

// ---------------------------------------------------------------------------------------
// Window classes

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground,
                                   HICON hIcon)
{
    afxcore::ThreadState& state = State();
    char* name = state.classNameBuffer;
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (hCursor == NULL && hbrBackground == NULL && hIcon == NULL)
        wsprintfA(name, "Afx:%p:%x", (void*)hInst, nClassStyle);
    else
        wsprintfA(name, "Afx:%p:%x:%p:%p:%p", (void*)hInst, nClassStyle, (void*)hCursor,
                  (void*)hbrBackground, (void*)hIcon);

    // Registered as a global class of the process so that windows made under any module
    // state find it; the name encodes every attribute, so equal names mean equal classes.
    WNDCLASSA existing;
    if (::GetClassInfoA(hInst, name, &existing))
        return name;
    WNDCLASSA wc = {};
    wc.style = nClassStyle | CS_GLOBALCLASS;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = hInst;
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = name;
    if (!::RegisterClassA(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        AfxThrowNotSupportedException();
    return name;
}

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass)
{
    WNDCLASSA existing;
    if (::GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    if (::RegisterClassA(lpWndClass))
        return TRUE;
    return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
