#include "DriftlineChartDlg.h"
#include "Driftline.h"
#include "HostMessages.h"
#include "Ladderview.h"
#include "ServerClock.h"

DriftlineChartDlg::DriftlineChartDlg(CWnd* pParent) : CChartHostBase(IDD, pParent)
{
}

BOOL DriftlineChartDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    CRect client;
    GetClientRect(&client);
    m_hChart = reinterpret_cast<HWND>(static_cast<INT_PTR>(dll_ShowDriftlineDlg(this)));
    if (CWnd* chart = ChartWnd())
    {
        dll_DriftlineSetParentWnd(chart, this);
        dll_DriftlineRegistMsgID(chart, 2, WM_CHART_NOTIFY_DEPTH);
        dll_DriftlineRegistMsgID(chart, 4, WM_DEPTH_FEED_OFF);
        dll_DriftlineRegistMsgID(chart, 5, WM_DEPTH_FEED_ON);
        chart->MoveWindow(0, 0, client.Width() - DEPTH_WIDTH, client.Height());
        chart->ShowWindow(SW_SHOW);
    }
    CreateDepthWindow();
    return TRUE;
}

BOOL DriftlineChartDlg::PreTranslateMessage(MSG* pMsg)
{
    const HWND focus = ::GetFocus();
    if (focus != NULL && focus == m_hDepth)
        Dll_LadderviewPreTranslateMessage(DepthWnd(), pMsg);
    if (pMsg->message == WM_KEYDOWN)
    {
        switch (pMsg->wParam)
        {
        case VK_ESCAPE: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
            return TRUE;
        }
    }
    if (pMsg->message == WM_RBUTTONUP)
        ShowSelfListMenu();
    return CDialogEx::PreTranslateMessage(pMsg);
}

void DriftlineChartDlg::AddTradeRealData(TrendTickNode* pNode)
{
    // The chart takes the node; without one the node is freed here.
    if (::IsWindow(m_hChart))
        dll_DriftlineAddTradeRealData(ChartWnd(), pNode);
    else
        delete pNode;
}

void DriftlineChartDlg::AddTradePacket(TrendPacket* pPacket)
{
    if (pPacket == nullptr)
        return;
    // The empty series handed over when a load starts is no load of the instrument.
    if (pPacket->pHead != nullptr)
        m_packetTimes[pPacket->strText[0]] = static_cast<int>(GetServerTime().GetTime());
    dll_DriftlineAddTradePacket(ChartWnd(), pPacket);
}

void DriftlineChartDlg::SetOpenMarketTime(CString open, CString close)
{
    dll_DriftlineSetOpeMarketTime(ChartWnd(), open, close);
}

void DriftlineChartDlg::SetTitleInfo(ChartTitleInfo* pTitle)
{
    dll_DriftlineSetTitleInfo(ChartWnd(), pTitle);
}

void DriftlineChartDlg::SetPrecision(int* pDecimals)
{
    dll_DriftlineSetPrecision(ChartWnd(), pDecimals);
}

int DriftlineChartDlg::GetPacketTime(const CString& code) const
{
    auto found = m_packetTimes.find(code);
    return found == m_packetTimes.end() ? 0 : found->second;
}
