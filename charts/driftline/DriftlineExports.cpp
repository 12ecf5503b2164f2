// The exports: each switches to this library's module state (its templates and
// resources), checks the window and sends it one message synchronously.
#include "ChartExportCall.h"
#include "Driftline.h"

#include "DriftlineDlg.h"
#include "DriftlineResource.h"

DRIFTLINE_API int dll_ShowDriftlineDlg(CWnd* pHost)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (!IsLiveWindow(pHost))
        return 0;
    CDriftlineDlg* pDlg = new CDriftlineDlg;
    if (!pDlg->Create(IDD_DRIFTLINE, NULL)) {
        delete pDlg;
        return 0;
    }
    pDlg->ModifyStyle(WS_POPUP, WS_CHILD);
    pDlg->SetParent(pHost);
    pDlg->ShowWindow(SW_SHOW);
    return (int)(INT_PTR)pDlg->GetSafeHwnd();
}

DRIFTLINE_API void dll_DriftlineSetParentWnd(CWnd* pChart, CWnd* pParent)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (pParent != nullptr)
        SendToChart(pChart, WM_TREND_SET_PARENT, (WPARAM)pParent);
}

DRIFTLINE_API void dll_DriftlineRegistMsgID(CWnd* pChart, int index, UINT message)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    SendToChart(pChart, WM_TREND_REGIST_ID, (WPARAM)index, (LPARAM)message);
}

DRIFTLINE_API void dll_DriftlineAddTradeRealData(CWnd* pChart, TrendTickNode* pTick)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (pTick != nullptr)
        SendToChart(pChart, WM_TREND_ADD_TICK, (WPARAM)pTick);
}

DRIFTLINE_API void dll_DriftlineAddTradePacket(CWnd* pChart, TrendPacket* pPacket)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (pPacket == nullptr)
        return;
    if (!IsLiveWindow(pChart)) {
        // Ownership passed with the call: without a chart the packet is freed here.
        for (TrendTickNode* node = pPacket->pHead; node != nullptr;) {
            TrendTickNode* next = node->pNext;
            delete node;
            node = next;
        }
        delete pPacket;
        return;
    }
    SendToChart(pChart, WM_TREND_ADD_PACKET, (WPARAM)pPacket);
}

DRIFTLINE_API void dll_DriftlineSetOpeMarketTime(CWnd* pChart, CString strOpen, CString strClose)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    SendToChart(pChart, WM_TREND_MARKET_TIME, (WPARAM)&strOpen, (LPARAM)&strClose);
}

DRIFTLINE_API void dll_DriftlineSetTitleInfo(CWnd* pChart, ChartTitleInfo* pTitle)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (pTitle != nullptr)
        SendToChart(pChart, WM_TREND_TITLE, (WPARAM)pTitle);
}

DRIFTLINE_API void dll_DriftlineSetPrecision(CWnd* pChart, int* pDecimals)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (pDecimals != nullptr)
        SendToChart(pChart, WM_TREND_PRECISION, (WPARAM)*pDecimals);
}
