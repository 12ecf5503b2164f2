#include "KLineDlg.h"
#include "HostMessages.h"
#include "Ladderview.h"
#include "Wickplot.h"

BEGIN_MESSAGE_MAP(CKLineDlg, CChartHostBase)
    ON_WM_CTLCOLOR()
    ON_MESSAGE(WM_CHART_NEED_HISTORY, &CKLineDlg::OnNeedHistory)
    ON_MESSAGE(WM_CHART_PACKET_TAKEN, &CKLineDlg::OnPacketTaken)
END_MESSAGE_MAP()

CKLineDlg::CKLineDlg(CWnd* pParent) : CChartHostBase(IDD, pParent)
{
}

CKLineDlg::~CKLineDlg()
{
}

BOOL CKLineDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_background.CreateSolidBrush(RGB(0, 0, 0));
    CRect client;
    GetClientRect(&client);
    m_hChart = reinterpret_cast<HWND>(static_cast<INT_PTR>(dll_ShowWickplotDlg(this)));
    if (CWnd* chart = ChartWnd())
    {
        dll_WickplotSetParentWnd(chart, this);
        dll_WickplotRegistMsgID(chart, kWickplotPanelButton, WM_CHART_NOTIFY_DEPTH);
        dll_WickplotRegistMsgID(chart, kWickplotOneLevel, WM_DEPTH_FEED_OFF);
        dll_WickplotRegistMsgID(chart, kWickplotFiveLevels, WM_DEPTH_FEED_ON);
        dll_WickplotRegistMsgID(chart, kWickplotOlderHistory, WM_CHART_NEED_HISTORY);
        dll_WickplotRegistMsgID(chart, kWickplotHistoryLoaded, WM_CHART_PACKET_TAKEN);
        chart->MoveWindow(0, 0, client.Width() - DEPTH_WIDTH, client.Height());
        chart->ShowWindow(SW_SHOW);
    }
    CreateDepthWindow();
    DepthStockInfo info;
    for (CString& text : info.strInfo)
        text = "---";
    info.strInfo[7] = info.strInfo[10] = info.strInfo[15] = "";
    dll_LadderviewUpdateStockInfo(DepthWnd(), info);
    return TRUE;
}

BOOL CKLineDlg::PreTranslateMessage(MSG* pMsg)
{
    const HWND focus = ::GetFocus();
    if (focus != NULL && focus == m_hDepth && ::IsWindowVisible(m_hDepth))
        Dll_LadderviewPreTranslateMessage(DepthWnd(), pMsg);
    if (focus != NULL && focus == m_hChart && ::IsWindowVisible(m_hChart))
        dll_WickplotSetKeyDownValue(ChartWnd(), pMsg);
    if (pMsg->message == WM_KEYDOWN)
    {
        switch (pMsg->wParam)
        {
        case VK_RETURN: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
            return TRUE;
        case VK_ESCAPE:
            if (GetParent())
                GetParent()->SendMessage(WM_HOSTS_BACK_TO_LIST, 0, 0);
            return TRUE;
        }
    }
    if (pMsg->message == WM_RBUTTONUP)
        ShowSelfListMenu();
    return CDialogEx::PreTranslateMessage(pMsg);
}

HBRUSH CKLineDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_DLG && m_background.GetSafeHandle())
        return static_cast<HBRUSH>(m_background.GetSafeHandle());
    return CDialogEx::OnCtlColor(pDC, pWnd, nCtlColor);
}

LRESULT CKLineDlg::OnNeedHistory(WPARAM, LPARAM)
{
    if (GetParent())
        GetParent()->SendMessage(WM_REQUEST_OLDER_BARS, 0, 0);
    return 0;
}

// The main window decides whether the chart goes live: only in the candlestick view.
LRESULT CKLineDlg::OnPacketTaken(WPARAM wParam, LPARAM)
{
    if (GetParent())
        GetParent()->SendMessage(WM_HOSTS_CHART_LOADED, wParam, 0);
    return 0;
}

void CKLineDlg::AddPacket(HistoryPacket* pPacket)
{
    // The chart takes the packet; without one the packet is freed here.
    if (::IsWindow(m_hChart))
        dll_WickplotAddPacket(ChartWnd(), pPacket);
    else
        DeleteHistoryPacket(pPacket);
}

void CKLineDlg::AddData(WickplotBar* pBar)
{
    dll_WickplotAddData(ChartWnd(), pBar);
}

void CKLineDlg::SetTitleInfo(ChartTitleInfo title)
{
    dll_WickplotSetTitleInfo(ChartWnd(), &title);
}

void CKLineDlg::SetPrecision(int* pDecimals)
{
    dll_WickplotSetPrecision(ChartWnd(), pDecimals);
}

void CKLineDlg::Operate(int op, int type)
{
    dll_WickplotOperate(ChartWnd(), op, type);
}

CString CKLineDlg::GetSymbol()
{
    CSingleLock lock(&m_symbolLock, TRUE);
    return m_symbol;
}

void CKLineDlg::SetSymbol(const CString& symbol)
{
    CSingleLock lock(&m_symbolLock, TRUE);
    m_symbol = symbol;
}
