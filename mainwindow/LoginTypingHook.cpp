#include "LoginTypingHook.h"
#include "LoginWindowIds.h"

#include <afx.h>
#include <stdio.h>
#include <stdlib.h>

namespace {

const UINT kLookMs = 100;
UINT_PTR s_timer = 0;
CString s_user;
CString s_password;
CString s_signal;
bool s_readyWritten = false;

bool FileExists(const CString& path)
{
    return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

HWND FindLoginWindow()
{
    HWND window = ::FindWindowA(NULL, "Tolvan证券客户端登录");
    DWORD process = 0;
    if (window != NULL)
        ::GetWindowThreadProcessId(window, &process);
    return process == ::GetCurrentProcessId() ? window : NULL;
}

void Type(HWND edit, const CString& text)
{
    ::SendMessageA(edit, WM_SETTEXT, 0, (LPARAM)"");
    for (int i = 0; i < text.GetLength(); ++i)
        ::PostMessageA(edit, WM_CHAR, (BYTE)text[i], 0);
}

void CALLBACK Look(HWND, UINT, UINT_PTR, DWORD)
{
    HWND window = FindLoginWindow();
    if (window == NULL || !::IsWindowEnabled(::GetDlgItem(window, IDOK))
        || ::SendDlgItemMessageA(window, IDC_LOGIN_SERVERS, CB_GETCOUNT, 0, 0) <= 0)
        return;
    if (!s_signal.IsEmpty())
    {
        if (!s_readyWritten)
        {
            FILE* ready = fopen(s_signal + ".ready", "wb");
            if (ready != NULL)
                fclose(ready);
            s_readyWritten = true;
        }
        if (!FileExists(s_signal + ".go"))
            return;
    }
    ::KillTimer(NULL, s_timer);
    s_timer = 0;
    HWND password = ::GetDlgItem(window, IDC_LOGIN_PASSWORD);
    Type(::GetDlgItem(window, IDC_LOGIN_USER), s_user);
    Type(password, s_password);
    ::SetFocus(password);
    ::PostMessageA(password, WM_KEYDOWN, VK_RETURN, 0);
    ::PostMessageA(password, WM_KEYUP, VK_RETURN, 0);
}

}  // namespace

void InstallLoginTypingHook()
{
    const char* account = getenv("TOLVAN_AUTOLOGIN");
    if (account == nullptr || strchr(account, ':') == nullptr || s_timer != 0)
        return;
    const CString text = account;
    s_user = text.Left(text.Find(':'));
    s_password = text.Mid(text.Find(':') + 1);
    const char* signal = getenv("TOLVAN_AUTOLOGIN_SIGNAL");
    s_signal = signal != nullptr ? signal : "";
    s_timer = ::SetTimer(NULL, 0, kLookMs, Look);
}
