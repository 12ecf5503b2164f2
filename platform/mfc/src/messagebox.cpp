// The one message-box function behind AfxMessageBox and CWnd::MessageBox, with the hook
// that replaces real boxes (tests answer and count them through it).
#include "wincore.h"

#include <atomic>

namespace {

std::atomic<AFX_MESSAGEBOX_HOOK> g_messageBoxHook{ nullptr };

}  // namespace

AFX_MESSAGEBOX_HOOK AFXAPI AfxSetMessageBoxHook(AFX_MESSAGEBOX_HOOK hook)
{
    return g_messageBoxHook.exchange(hook);
}

int AFXAPI AfxShowMessageBox(HWND hOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    if (lpszText == NULL)
        lpszText = "";
    if (lpszCaption == NULL)
        lpszCaption = AfxGetAppName();
    AFX_MESSAGEBOX_HOOK hook = g_messageBoxHook.load();
    if (hook != NULL)
        return hook(hOwner, lpszText, lpszCaption, nType);
    return ::MessageBoxA(hOwner, lpszText, lpszCaption, nType);
}

namespace {

// The box itself, through the hook when one is set. A box without an icon gets the one its
// buttons suggest.
int ShowOwnedBox(HWND hOwner, LPCTSTR lpszPrompt, LPCTSTR lpszCaption, UINT nType)
{
    AFX_MESSAGEBOX_HOOK hook = g_messageBoxHook.load();
    if (hook != NULL)
        return hook(hOwner, lpszPrompt, lpszCaption, nType);
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        default:
            break;
        }
    }
    return AfxShowMessageBox(hOwner, lpszPrompt, lpszCaption, nType);
}

}  // namespace

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    // Owned by the main window's last active pop-up. The box disables only its owner; the
    // top-level window above that pop-up (disabled here) stays disabled while the box shows,
    // so the user cannot act on the main window under it, and is enabled again afterwards.
    HWND hWndTop = NULL;
    HWND hWnd = CWnd::GetSafeOwner_(NULL, &hWndTop);
    if (hWnd == NULL)
        hWnd = ::GetActiveWindow();
    LPCTSTR lpszCaption = m_pszAppName != NULL ? m_pszAppName : AfxGetAppName();
    const int nResult = ShowOwnedBox(hWnd, lpszPrompt, lpszCaption, nType);
    if (hWndTop != NULL && ::IsWindow(hWndTop))
        ::EnableWindow(hWndTop, TRUE);
    return nResult;
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    // No application object: the same box, captioned with the program's name.
    HWND hWnd = ::GetActiveWindow();
    return AfxShowMessageBox(hWnd, lpszText, AfxGetAppName(), nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    if (!text.LoadString(nIDPrompt))
        text.Format("%u", nIDPrompt);
    if (nIDHelp == (UINT)-1)
        nIDHelp = nIDPrompt;
    return AfxMessageBox(text.GetString(), nType, nIDHelp);
}
