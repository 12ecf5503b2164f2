// The exported functions of the toolbar library.
#include "Ribbonet.h"
#include "RibbonBar.h"

RIBBONET_API HWND dll_ShowToolBar(HWND hParent)
{
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
    if (CRibbonBar* bar = CRibbonBar::FromToolBar(hToolBar))
        bar->SetTarget(hParent);
}

RIBBONET_API void dll_ToolBarRegistMsgID(HWND hToolBar, int nIndex, UINT nMessage)
{
    if (CRibbonBar* bar = CRibbonBar::FromToolBar(hToolBar))
        bar->RegisterMessage(nIndex, nMessage);
}

RIBBONET_API void dll_SetButtonChecked(HWND hToolBar, int nIndex, BOOL bChecked)
{
    if (CRibbonBar* bar = CRibbonBar::FromToolBar(hToolBar))
        bar->SetChecked(nIndex, bChecked != FALSE);
}

RIBBONET_API void dll_SetButtonEnable(HWND hToolBar, int nIndex, BOOL bEnable)
{
    if (CRibbonBar* bar = CRibbonBar::FromToolBar(hToolBar))
        bar->SetEnabled(nIndex, bEnable != FALSE);
}
