// The export: switches to this library's module state (its templates and resources) and
// creates the order window as a child of the container.
#include "Slipdesk.h"

#include "OrderDlg.h"
#include "SlipdeskResource.h"

#include <gdiplus.h>

namespace {

// Started on the first window rather than at load time: GDI+ must not be started from
// DllMain, and a process that never shows the window never needs it. It stays up for the
// life of the process, as the images of the windows may outlive any one of them.
void EnsureGdiplus()
{
    static ULONG_PTR token = 0;
    if (token != 0)
        return;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, NULL);
}

}  // namespace

SLIPDESK_API HWND Dll_ShowOrderDlg(HWND parent)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    EnsureGdiplus();
    COrderDlg* dialog = new COrderDlg;
    if (!dialog->Create(IDD_ORDER, CWnd::FromHandle(parent))) {
        delete dialog;
        return NULL;
    }
    dialog->ModifyStyle(0xC0000000, WS_CHILD);
    dialog->SetParent(CWnd::FromHandle(parent));
    dialog->ShowWindow(SW_SHOWNORMAL);
    return dialog->GetSafeHwnd();
}
