// The exports: each switches to this library's module state (its templates and resources).
#include "Tradedeck.h"

#include "TradedeckDlg.h"
#include "TradedeckResource.h"

TRADEDECK_API HWND Dll_ShowTradedeckDlg(HWND parent)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CTradedeckDlg* container = new CTradedeckDlg;
    if (!container->Create(IDD_TRADEDECK, CWnd::FromHandle(parent))) {
        delete container;
        return NULL;
    }
    container->ModifyStyle(0xC0000000, WS_CHILD);
    container->SetParent(CWnd::FromHandle(parent));
    container->ShowWindow(SW_SHOWNORMAL);
    return container->GetSafeHwnd();
}

TRADEDECK_API void Dll_TradedeckPreTranslateMessage(CWnd* platform, MSG* msg)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (platform != nullptr && ::IsWindow(platform->GetSafeHwnd()))
        ::SendMessage(platform->GetSafeHwnd(), WM_PLATFORM_PRETRANSLATE, (WPARAM)msg, 0);
}
