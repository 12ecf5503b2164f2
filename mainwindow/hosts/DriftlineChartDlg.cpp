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
    m_pChart = CWnd::FromHandle(reinterpret_cast<HWND>(static_cast<INT_PTR>(dll_ShowDriftlineDlg(this))));
    if (m_pChart)
    {
        dll_DriftlineSetParentWnd(m_pChart, this);
        dll_DriftlineRegistMsgID(m_pChart, 2, WM_CHART_NOTIFY_DEPTH);
        dll_DriftlineRegistMsgID(m_pChart, 4, WM_DEPTH_FEED_OFF);
        dll_DriftlineRegistMsgID(m_pChart, 5, WM_DEPTH_FEED_ON);
        m_pChart->MoveWindow(0, 0, client.Width() - DEPTH_WIDTH, client.Height());
        m_pChart->ShowWindow(SW_SHOW);
    }
    CreateDepthWindow();
    return TRUE;
}

BOOL DriftlineChartDlg::PreTranslateMessage(MSG* pMsg)
{
    if (m_pDepth && ::IsWindow(m_pDepth->GetSafeHwnd()) && CWnd::GetFocus() == m_pDepth)
        Dll_LadderviewPreTranslateMessage(m_pDepth, pMsg);
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
    if (m_pChart)
        dll_DriftlineAddTradeRealData(m_pChart, pNode);
}

void DriftlineChartDlg::AddTradePacket(TrendPacket* pPacket)
{
    if (pPacket == nullptr)
        return;
    m_packetTimes[pPacket->strText[0]] = static_cast<int>(GetServerTime().GetTime());
    dll_DriftlineAddTradePacket(m_pChart, pPacket);
}

void DriftlineChartDlg::SetOpenMarketTime(CString open, CString close)
{
    if (m_pChart)
        dll_DriftlineSetOpeMarketTime(m_pChart, open, close);
}

void DriftlineChartDlg::SetTitleInfo(ChartTitleInfo* pTitle)
{
    if (m_pChart)
        dll_DriftlineSetTitleInfo(m_pChart, pTitle);
}

void DriftlineChartDlg::SetPrecision(int* pDecimals)
{
    if (m_pChart)
        dll_DriftlineSetPrecision(m_pChart, pDecimals);
}

int DriftlineChartDlg::GetPacketTime(const CString& code) const
{
    auto found = m_packetTimes.find(code);
    return found == m_packetTimes.end() ? 0 : found->second;
}
