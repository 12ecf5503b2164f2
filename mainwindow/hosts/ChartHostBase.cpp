#include "ChartHostBase.h"
#include "ChartRecords.h"
#include "HostMessages.h"
#include "Ladderview.h"

BEGIN_MESSAGE_MAP(CChartHostBase, CDialogEx)
    ON_WM_SIZE()
    ON_MESSAGE(WM_CHART_NOTIFY_DEPTH, &CChartHostBase::OnNotifyDepth)
    ON_MESSAGE(WM_DEPTH_FEED_OFF, &CChartHostBase::OnRelayToParent)
    ON_MESSAGE(WM_DEPTH_FEED_ON, &CChartHostBase::OnRelayToParent)
    ON_MESSAGE(1025, &CChartHostBase::OnIgnored)
    ON_MESSAGE(1026, &CChartHostBase::OnIgnored)
    ON_MESSAGE(1028, &CChartHostBase::OnIgnored)
END_MESSAGE_MAP()

CChartHostBase::CChartHostBase(UINT templateId, CWnd* pParent) : CDialogEx(templateId, pParent)
{
}

void CChartHostBase::CreateDepthWindow()
{
    CRect client;
    GetClientRect(&client);
    m_width = client.Width();
    m_height = client.Height();
    m_hDepth = reinterpret_cast<HWND>(static_cast<INT_PTR>(dll_ShowLadderviewDlg(this, "sssss")));
    CWnd* depth = DepthWnd();
    if (depth == nullptr)
        return;
    depth->ShowWindow(SW_SHOW);
    depth->MoveWindow(m_width - DEPTH_WIDTH, 0, DEPTH_WIDTH, m_height);
    dll_LadderviewUpdateSellBuyParam(depth, EmptyDepthLevels());
    dll_LadderviewSetSellBuyInfoMode(depth, 0);
}

void CChartHostBase::OnSize(UINT nType, int cx, int cy)
{
    CDialogEx::OnSize(nType, cx, cy);
    m_width = cx;
    m_height = cy;
    LayOut();
}

void CChartHostBase::LayOut()
{
    CWnd* chart = ChartWnd();
    CWnd* depth = DepthWnd();
    const int chartWidth = m_depthHidden ? m_width : m_width - DEPTH_WIDTH;
    if (chart)
    {
        chart->MoveWindow(0, 0, chartWidth, m_height);
        chart->Invalidate();
    }
    if (depth == nullptr)
        return;
    if (m_depthHidden)
    {
        depth->ShowWindow(SW_HIDE);
        return;
    }
    depth->ShowWindow(SW_SHOW);
    depth->MoveWindow(m_width - DEPTH_WIDTH, 0, DEPTH_WIDTH, m_height);
    depth->Invalidate();
}

void CChartHostBase::ShowDepthPanel(bool show)
{
    m_depthHidden = !show;
    LayOut();
}

LRESULT CChartHostBase::OnNotifyDepth(WPARAM, LPARAM)
{
    ToggleDepthPanel();
    return 0;
}

LRESULT CChartHostBase::OnRelayToParent(WPARAM wParam, LPARAM lParam)
{
    const MSG* current = GetCurrentMessage();
    CWnd* parent = GetParent();
    if (parent && current)
        parent->SendMessage(current->message, wParam, lParam);
    return 0;
}

LRESULT CChartHostBase::OnIgnored(WPARAM, LPARAM)
{
    return 0;
}

void CChartHostBase::ShowSelfListMenu()
{
    CWnd* target = GetParent();
    if (target == nullptr)
        return;
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuA(menu, MF_STRING, 32793, "加入我的板块");
    ::AppendMenuA(menu, MF_STRING | MF_GRAYED, 32796, "删除");
    POINT cursor;
    ::GetCursorPos(&cursor);
    ::TrackPopupMenu(menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, target->GetSafeHwnd(), nullptr);
    ::DestroyMenu(menu);
}

void CChartHostBase::UpdateSellBuyParam(DepthLevelsRecord record)
{
    dll_LadderviewUpdateSellBuyParam(DepthWnd(), record);
}

void CChartHostBase::UpdateStockInfo(DepthStockInfo record)
{
    dll_LadderviewUpdateStockInfo(DepthWnd(), record);
}

void CChartHostBase::AddDepthData(DepthTradeTick record)
{
    dll_LadderviewAddDepthData(DepthWnd(), record);
}

void CChartHostBase::ClearDepthData()
{
    dll_LadderviewClearDepthData(DepthWnd());
}

void CChartHostBase::ClearSelectStatus()
{
    dll_LadderviewClearSelectStatus(DepthWnd());
}

void CChartHostBase::SetDepthPrecision(int* pDecimals)
{
    dll_LadderviewSetPrecision(DepthWnd(), pDecimals);
}

void CChartHostBase::SetSellBuyInfoMode(bool five)
{
    CWnd* depth = DepthWnd();
    if (depth == nullptr)
        return;
    dll_LadderviewSetSellBuyInfoMode(depth, five ? 1 : 0);
    depth->Invalidate();
}
