// The exported functions of the toolbar library.
#include "Ribbonet.h"
#include "RibbonBar.h"

// Every export runs in this library's module state, whatever state its caller is in: the bar
// is created in it and found by it, so a call made while another module's state is current
// (a library's window calling, or the host inside one) reaches the same bar.

RIBBONET_API HWND dll_ShowToolBar(HWND hParent)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CRibbonBar* bar = new CRibbonBar;
    if (!bar->CreateBar(CWnd::FromHandle(hParent))) {
        if (bar->m_hWnd != NULL)
            bar->DestroyWindow();  // deletes the object
        else
            delete bar;
        return NULL;
    }
    return bar->m_hWnd;
}

RIBBONET_API void dll_SetToolBarParent(HWND hToolBar, HWND hParent)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (CRibbonBar* bar = CRibbonBar::FromToolBar(hToolBar))
        bar->SetTarget(hParent);
}

RIBBONET_API void dll_ToolBarRegistMsgID(HWND hToolBar, int nIndex, UINT nMessage)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (CRibbonBar* bar = CRibbonBar::FromToolBar(hToolBar))
        bar->RegisterMessage(nIndex, nMessage);
}

RIBBONET_API void dll_SetButtonChecked(HWND hToolBar, int nIndex, BOOL bChecked)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (CRibbonBar* bar = CRibbonBar::FromToolBar(hToolBar))
        bar->SetChecked(nIndex, bChecked != FALSE);
}

RIBBONET_API void dll_SetButtonEnable(HWND hToolBar, int nIndex, BOOL bEnable)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (CRibbonBar* bar = CRibbonBar::FromToolBar(hToolBar))
        bar->SetEnabled(nIndex, bEnable != FALSE);
}
