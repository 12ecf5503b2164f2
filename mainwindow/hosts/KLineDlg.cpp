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
    if (ChartWnd())
    {
        dll_WickplotSetParentWnd(ChartWnd(), this);
        dll_WickplotRegistMsgID(ChartWnd(), kWickplotPanelButton, WM_CHART_NOTIFY_DEPTH);
        dll_WickplotRegistMsgID(ChartWnd(), kWickplotOneLevel, WM_DEPTH_FEED_OFF);
        dll_WickplotRegistMsgID(ChartWnd(), kWickplotFiveLevels, WM_DEPTH_FEED_ON);
        dll_WickplotRegistMsgID(ChartWnd(), kWickplotOlderHistory, WM_CHART_NEED_HISTORY);
        dll_WickplotRegistMsgID(ChartWnd(), kWickplotHistoryLoaded, WM_CHART_PACKET_TAKEN);
        ChartWnd()->MoveWindow(0, 0, client.Width() - DEPTH_WIDTH, client.Height());
        ChartWnd()->ShowWindow(SW_SHOW);
    }
    CreateDepthWindow();
    if (DepthWnd())
    {
        DepthStockInfo info;
        for (CString& text : info.strInfo)
            text = "---";
        info.strInfo[7] = info.strInfo[10] = info.strInfo[15] = "";
        dll_LadderviewUpdateStockInfo(DepthWnd(), info);
    }
    return TRUE;
}

BOOL CKLineDlg::PreTranslateMessage(MSG* pMsg)
{
    CWnd* focus = CWnd::GetFocus();
    if (DepthWnd() && DepthWnd()->IsWindowVisible() && focus == DepthWnd())
        Dll_LadderviewPreTranslateMessage(DepthWnd(), pMsg);
    if (ChartWnd() && ChartWnd()->IsWindowVisible() && focus == ChartWnd())
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

LRESULT CKLineDlg::OnPacketTaken(WPARAM wParam, LPARAM)
{
    SetLive(true);
    if (GetParent())
        GetParent()->SendMessage(WM_HOSTS_CHART_LOADED, wParam, 0);
    return 0;
}

void CKLineDlg::AddPacket(HistoryPacket* pPacket)
{
    if (ChartWnd())
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
    if (ChartWnd())
        dll_WickplotSetTitleInfo(ChartWnd(), &title);
}

void CKLineDlg::SetPrecision(int* pDecimals)
{
    if (ChartWnd())
        dll_WickplotSetPrecision(ChartWnd(), pDecimals);
}

void CKLineDlg::Operate(int op, int type)
{
    if (ChartWnd())
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
