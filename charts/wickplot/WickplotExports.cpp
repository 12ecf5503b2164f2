// The exports: each switches to this library's module state (its templates and resources),
// checks the window and sends it one message synchronously.
#include "ChartExportCall.h"
#include "Wickplot.h"

#include "WickplotDlg.h"
#include "WickplotResource.h"

#include <ChartPacket.h>

WICKPLOT_API int dll_ShowWickplotDlg(CWnd* pHost)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (!IsLiveWindow(pHost))
        return 0;
    CWickplotDlg* pDlg = new CWickplotDlg;
    if (!pDlg->Create(IDD_WICKPLOT, NULL)) {
        delete pDlg;
        return 0;
    }
    pDlg->ModifyStyle(WS_POPUP, WS_CHILD);
    pDlg->SetParent(pHost);
    pDlg->ShowWindow(SW_SHOWNORMAL);
    return (int)(INT_PTR)pDlg->GetSafeHwnd();
}

WICKPLOT_API void dll_WickplotAddPacket(CWnd* pChart, HistoryPacket* pPacket)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    // Without a chart the packet stays the caller's.
    if (pPacket != nullptr)
        SendToChart(pChart, WM_WICKPLOT_ADD_PACKET, (WPARAM)pPacket);
}

WICKPLOT_API void dll_WickplotSetParentWnd(CWnd* pChart, CWnd* pParent)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (pParent != nullptr)
        SendToChart(pChart, WM_WICKPLOT_SET_PARENT, (WPARAM)pParent);
}

WICKPLOT_API void dll_WickplotRegistMsgID(CWnd* pChart, int index, UINT message)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    SendToChart(pChart, WM_WICKPLOT_REGIST_ID, (WPARAM)index, (LPARAM)message);
}

WICKPLOT_API void dll_WickplotSetTitleInfo(CWnd* pChart, ChartTitleInfo* pTitle)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (pTitle != nullptr)
        SendToChart(pChart, WM_WICKPLOT_TITLE, (WPARAM)pTitle);
}

WICKPLOT_API void dll_WickplotAddData(CWnd* pChart, WickplotBar* pBar)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (pBar == nullptr)
        return;
    if (!IsLiveWindow(pChart)) {
        // Ownership passed with the call: without a chart the record is freed here.
        DestroyWickplotBar(pBar);
        return;
    }
    SendToChart(pChart, WM_WICKPLOT_ADD_DATA, (WPARAM)pBar);
}

WICKPLOT_API void dll_WickplotUpdateDraw(CWnd* pChart)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    SendToChart(pChart, WM_WICKPLOT_UPDATE_DRAW, kRedrawNow);
}

WICKPLOT_API void dll_WickplotSetPrecision(CWnd* pChart, int* pDecimals)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (pDecimals != nullptr)
        SendToChart(pChart, WM_WICKPLOT_PRECISION, (WPARAM)*pDecimals);
}

WICKPLOT_API void dll_WickplotOperate(CWnd* pChart, int op, int type)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    SendToChart(pChart, WM_WICKPLOT_OPERATE, (WPARAM)op, (LPARAM)type);
}

WICKPLOT_API void dll_WickplotSetKeyDownValue(CWnd* pChart, MSG* pMsg)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (pMsg != nullptr)
        SendToChart(pChart, WM_WICKPLOT_KEY_DOWN, (WPARAM)pMsg);
}
