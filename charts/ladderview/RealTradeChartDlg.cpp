#include "RealTradeChartDlg.h"

#include "LadderviewResource.h"

namespace {

const int kFiveLevelHeader = 160;
const int kFiveLevelBottom = 290;
const int kOneLevelHeader = 60;
const int kOneLevelBottom = 90;

}  // namespace

CRealTradeChartDlg::CRealTradeChartDlg() : CChartDialog(IDD_LADDERVIEW) {}

CRealTradeChartDlg::~CRealTradeChartDlg() = default;

BEGIN_MESSAGE_MAP(CRealTradeChartDlg, CChartDialog)
    ON_MESSAGE(WM_LADDER_CORNER, &CRealTradeChartDlg::OnCorner)
    ON_MESSAGE(WM_LADDER_REPAINT, &CRealTradeChartDlg::OnRepaintMessage)
    ON_MESSAGE(WM_LADDER_MODE_REPAINT, &CRealTradeChartDlg::OnModeRepaint)
    ON_MESSAGE(WM_LADDER_SET_MODE, &CRealTradeChartDlg::OnSetMode)
    ON_MESSAGE(WM_LADDER_LEVELS, &CRealTradeChartDlg::OnLevels)
    ON_MESSAGE(WM_LADDER_STOCK, &CRealTradeChartDlg::OnStock)
    ON_MESSAGE(WM_LADDER_REGIST_ID, &CRealTradeChartDlg::OnRegistId)
    ON_MESSAGE(WM_LADDER_ADD_TRADE, &CRealTradeChartDlg::OnAddTrade)
    ON_MESSAGE(WM_LADDER_CLEAR_TRADES, &CRealTradeChartDlg::OnClearTrades)
    ON_MESSAGE(WM_LADDER_CLEAR_SELECT, &CRealTradeChartDlg::OnClearSelect)
    ON_MESSAGE(WM_LADDER_PRECISION, &CRealTradeChartDlg::OnPrecision)
    ON_MESSAGE(WM_LADDER_KEY, &CRealTradeChartDlg::OnKeyMessage)
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

BOOL CRealTradeChartDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    MoveWindow(0, 0, 256, 600);
    m_width = 256;
    m_height = 600;
    m_headerHeight = kFiveLevelHeader;
    m_ladderBottom = kFiveLevelBottom;
    m_mode = 1;
    m_tape.SetVisibleRows((m_height - 500) / 20);
    return TRUE;
}

void CRealTradeChartDlg::Repaint()
{
    Invalidate(FALSE);
}

void CRealTradeChartDlg::RecomputeVisibleRows()
{
    m_tape.SetVisibleRows((m_height - m_ladderBottom - 210) / 20);
}

void CRealTradeChartDlg::SetMode(BYTE mode)
{
    m_mode = mode ? 1 : 0;
    m_headerHeight = m_mode ? kFiveLevelHeader : kOneLevelHeader;
    m_ladderBottom = m_mode ? kFiveLevelBottom : kOneLevelBottom;
    RecomputeVisibleRows();
    m_tape.PinShownEnd();
}

LRESULT CRealTradeChartDlg::OnCorner(WPARAM, LPARAM)
{
    return 0;
}

LRESULT CRealTradeChartDlg::OnRepaintMessage(WPARAM, LPARAM)
{
    Repaint();
    return 0;
}

LRESULT CRealTradeChartDlg::OnModeRepaint(WPARAM wParam, LPARAM)
{
    SetMode((BYTE)wParam);
    Repaint();
    return 0;
}

LRESULT CRealTradeChartDlg::OnSetMode(WPARAM wParam, LPARAM)
{
    SetMode((BYTE)wParam);
    return 0;
}

LRESULT CRealTradeChartDlg::OnLevels(WPARAM wParam, LPARAM)
{
    m_levels = *reinterpret_cast<const DepthLevelsRecord*>(wParam);
    Repaint();
    return 0;
}

LRESULT CRealTradeChartDlg::OnStock(WPARAM wParam, LPARAM)
{
    m_stock = *reinterpret_cast<const DepthStockInfo*>(wParam);
    if (m_stock.strInfo[0] != m_currentCode) {
        m_currentCode = m_stock.strInfo[0];
        m_tape.ResetForCode(m_stock.strInfo[2]);
    }
    Repaint();
    return 0;
}

LRESULT CRealTradeChartDlg::OnRegistId(WPARAM wParam, LPARAM)
{
    m_notifyId = (UINT)wParam;
    return 0;
}

LRESULT CRealTradeChartDlg::OnAddTrade(WPARAM wParam, LPARAM)
{
    AddTradeTick(*reinterpret_cast<const DepthTradeTick*>(wParam));
    return 0;
}

void CRealTradeChartDlg::AddTradeTick(const DepthTradeTick& tick)
{
    m_tape.Add(tick, m_stock.strInfo[11], m_decimals);
    Repaint();
}

LRESULT CRealTradeChartDlg::OnClearTrades(WPARAM, LPARAM)
{
    m_tape.Clear();
    return 0;
}

LRESULT CRealTradeChartDlg::OnClearSelect(WPARAM, LPARAM)
{
    m_tape.EndSelection();
    return 0;
}

LRESULT CRealTradeChartDlg::OnKeyMessage(WPARAM wParam, LPARAM)
{
    return OnKeyDownValue(reinterpret_cast<const MSG*>(wParam));
}

LRESULT CRealTradeChartDlg::OnKeyDownValue(const MSG* pMsg)
{
    if (pMsg == nullptr || pMsg->message != WM_KEYDOWN)
        return 0;
    if (pMsg->wParam == VK_UP)
        m_keyState = 1;
    else if (pMsg->wParam == VK_DOWN)
        m_keyState = 2;
    else
        return 0;
    SendMessage(WM_LADDER_REPAINT);
    return 0;
}

void CRealTradeChartDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialogEx::OnSize(nType, cx, cy);
    m_width = cx;
    m_height = cy;
    RecomputeVisibleRows();
    Repaint();
}

void CRealTradeChartDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    m_cornerHover = point.x >= m_width - 23 && point.x <= m_width - 5 && point.y >= 2 &&
                    point.y <= 18;
    Repaint();
    CDialogEx::OnMouseMove(nFlags, point);
}

void CRealTradeChartDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    int listTop = m_ladderBottom + 185;
    if (point.y > listTop && point.y < m_height - 20 && m_tape.SelectionOn()) {
        m_tape.SelectRow((point.y - listTop) / 20);
        Repaint();
    }
    if (m_cornerHover) {
        if (m_pParent != nullptr && m_notifyId != 0)
            m_pParent->SendMessage(m_notifyId);
        else
            SendMessage(WM_LADDER_CORNER);
        m_cornerState = !m_cornerState;
    }
    CDialogEx::OnLButtonDown(nFlags, point);
}

void CRealTradeChartDlg::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    int listTop = m_ladderBottom + 185;
    if (point.y >= 30 && point.y >= m_headerHeight && point.y >= m_ladderBottom + 165 &&
        point.y < m_height - 20) {
        int row = point.y < listTop ? m_tape.VisibleRows() - 1 : (point.y - listTop) / 20;
        m_tape.ToggleSelection(row);
    }
    Repaint();
    CDialogEx::OnLButtonDblClk(nFlags, point);
}

void CRealTradeChartDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialogEx::OnShowWindow(bShow, nStatus);
    m_shown = bShow ? 1 : 0;
}
