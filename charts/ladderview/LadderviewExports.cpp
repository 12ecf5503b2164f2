// The exports: each switches to this library's module state (its templates and
// resources), checks the window and sends it one message synchronously.
#include "ChartExportCall.h"
#include "Ladderview.h"

#include "LadderviewResource.h"
#include "RealTradeChartDlg.h"

LADDERVIEW_API int dll_ShowLadderviewDlg(CWnd* pHost, CString strCaption)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (!IsLiveWindow(pHost))
        return 0;
    CRealTradeChartDlg* pDlg = new CRealTradeChartDlg;
    if (!pDlg->Create(IDD_LADDERVIEW, NULL)) {
        delete pDlg;
        return 0;
    }
    pDlg->SetWindowText(strCaption);
    pDlg->ModifyStyle(WS_POPUP, WS_CHILD);
    pDlg->SetParent(pHost);
    pDlg->ShowWindow(SW_SHOW);
    return (int)(INT_PTR)pDlg->GetSafeHwnd();
}

LADDERVIEW_API void dll_LadderviewSetSellBuyInfoMode(CWnd* pDepth, BYTE mode)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    SendToChart(pDepth, WM_LADDER_SET_MODE, mode);
}

LADDERVIEW_API void dll_LadderviewUpdateSellBuyParam(CWnd* pDepth, DepthLevelsRecord record)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    SendToChart(pDepth, WM_LADDER_LEVELS, (WPARAM)&record);
}

LADDERVIEW_API void dll_LadderviewUpdateStockInfo(CWnd* pDepth, DepthStockInfo record)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    SendToChart(pDepth, WM_LADDER_STOCK, (WPARAM)&record);
}

LADDERVIEW_API void dll_LadderviewRegistMsgID(CWnd* pDepth, UINT message)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    SendToChart(pDepth, WM_LADDER_REGIST_ID, message);
}

LADDERVIEW_API void dll_LadderviewAddDepthData(CWnd* pDepth, DepthTradeTick record)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    SendToChart(pDepth, WM_LADDER_ADD_TRADE, (WPARAM)&record);
}

LADDERVIEW_API void dll_LadderviewClearDepthData(CWnd* pDepth)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    SendToChart(pDepth, WM_LADDER_CLEAR_TRADES);
}

LADDERVIEW_API void dll_LadderviewClearSelectStatus(CWnd* pDepth)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    SendToChart(pDepth, WM_LADDER_CLEAR_SELECT);
}

LADDERVIEW_API void dll_LadderviewSetPrecision(CWnd* pDepth, int* pDecimals)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (pDecimals != nullptr)
        SendToChart(pDepth, WM_LADDER_PRECISION, (WPARAM)*pDecimals);
}

LADDERVIEW_API void Dll_LadderviewPreTranslateMessage(CWnd* pDepth, MSG* pMsg)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (pMsg != nullptr)
        SendToChart(pDepth, WM_LADDER_KEY, (WPARAM)pMsg);
}
