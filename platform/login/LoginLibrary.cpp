// The library's entry points.
#include "LoginWindow.h"

#include <commctrl.h>

void ILogin::SetPaintmgr()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
}

ILogin* ILogin::CreatLoginWnd(const char* user, const char* second)
{
    return new CLoginWindow(user, second);
}

// The object stays valid after the window closed (worker threads of the caller may still call
// it; their calls then only change the kept texts) and lives until the process ends.
void ILogin::ShowLoginWnd(ILogin* login, HWND parent, const char* caption, LoginWindowCallback onShown)
{
    CLoginWindow* window = dynamic_cast<CLoginWindow*>(login);
    if (window != nullptr)
        window->RunModal(parent, caption, std::move(onShown));
}
