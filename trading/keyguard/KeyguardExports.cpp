// The export: switches to this library's module state and creates the page under the
// container.
#include "Keyguard.h"

#include "KeyguardResource.h"
#include "PassWordDlg.h"

KEYGUARD_API HWND Dll_ShowPassWordDlg(HWND parent)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CPassWordDlg* page = new CPassWordDlg;
    if (!page->Create(IDD_PASSWORD, CWnd::FromHandle(parent))) {
        delete page;
        return NULL;
    }
    page->ModifyStyle(0xC0000000, WS_CHILD);
    page->SetParent(CWnd::FromHandle(parent));
    page->ShowWindow(SW_SHOWNORMAL);
    return page->GetSafeHwnd();
}
