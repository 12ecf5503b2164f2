// AfxShellExecute and its hook.
#include "wincore.h"

#include <afxshell.h>

#include <atomic>

namespace {

std::atomic<AFX_SHELLEXECUTE_HOOK> g_shellExecuteHook{ nullptr };

}  // namespace

AFX_SHELLEXECUTE_HOOK AFXAPI AfxSetShellExecuteHook(AFX_SHELLEXECUTE_HOOK hook)
{
    return g_shellExecuteHook.exchange(hook);
}

HINSTANCE AFXAPI AfxShellExecute(HWND hWnd, LPCSTR lpszVerb, LPCSTR lpszFile,
                                 LPCSTR lpszParameters, LPCSTR lpszDirectory, INT nShowCmd)
{
    AFX_SHELLEXECUTE_HOOK hook = g_shellExecuteHook.load();
    if (hook != NULL)
        return hook(hWnd, lpszVerb, lpszFile, lpszParameters, lpszDirectory, nShowCmd);
    return ::ShellExecuteA(hWnd, lpszVerb, lpszFile, lpszParameters, lpszDirectory, nShowCmd);
}
