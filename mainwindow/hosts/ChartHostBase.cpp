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
    m_pDepth = CWnd::FromHandle(reinterpret_cast<HWND>(
        static_cast<INT_PTR>(dll_ShowLadderviewDlg(this, "sssss"))));
    if (m_pDepth == nullptr)
        return;
    m_pDepth->ShowWindow(SW_SHOW);
    m_pDepth->MoveWindow(m_width - DEPTH_WIDTH, 0, DEPTH_WIDTH, m_height);
    dll_LadderviewUpdateSellBuyParam(m_pDepth, EmptyDepthLevels());
    dll_LadderviewSetSellBuyInfoMode(m_pDepth, 0);
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
    if (m_depthHidden)
    {
        if (m_pChart)
        {
            m_pChart->MoveWindow(0, 0, m_width, m_height);
            m_pChart->Invalidate();
        }
        if (m_pDepth)
            m_pDepth->ShowWindow(SW_HIDE);
        return;
    }
    if (m_pChart)
    {
        m_pChart->MoveWindow(0, 0, m_width - DEPTH_WIDTH, m_height);
        m_pChart->Invalidate();
    }
    if (m_pDepth)
    {
        m_pDepth->ShowWindow(SW_SHOW);
        m_pDepth->MoveWindow(m_width - DEPTH_WIDTH, 0, DEPTH_WIDTH, m_height);
        m_pDepth->Invalidate();
    }
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
    if (m_pDepth)
        dll_LadderviewUpdateSellBuyParam(m_pDepth, record);
}

void CChartHostBase::UpdateStockInfo(DepthStockInfo record)
{
    if (m_pDepth)
        dll_LadderviewUpdateStockInfo(m_pDepth, record);
}

void CChartHostBase::AddDepthData(DepthTradeTick record)
{
    if (m_pDepth)
        dll_LadderviewAddDepthData(m_pDepth, record);
}

void CChartHostBase::ClearDepthData()
{
    if (m_pDepth)
        dll_LadderviewClearDepthData(m_pDepth);
}

void CChartHostBase::ClearSelectStatus()
{
    if (m_pDepth)
        dll_LadderviewClearSelectStatus(m_pDepth);
}

void CChartHostBase::SetDepthPrecision(int* pDecimals)
{
    if (m_pDepth)
        dll_LadderviewSetPrecision(m_pDepth, pDecimals);
}

void CChartHostBase::SetSellBuyInfoMode(bool five)
{
    if (m_pDepth == nullptr)
        return;
    dll_LadderviewSetSellBuyInfoMode(m_pDepth, five ? 1 : 0);
    m_pDepth->Invalidate();
}
