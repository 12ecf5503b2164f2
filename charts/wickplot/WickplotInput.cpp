// Navigation of the candlestick chart: keys and zoom commands from the host, the title
// bar's buttons and hot texts, the cross-hair, dragging along the time axis, interval zoom,
// line selection and the double-click layouts.
#include "WickplotDlg.h"

#include "ChartLocks.h"
#include "WickplotResource.h"

namespace
{
const UINT kWestEastCursor = 32644;   // IDC_SIZEWE
}

void CWickplotDlg::SyncSeriesView()
{
    m_series.SetView(m_view.nFirst, m_view.nEnd);
    m_view.nFirst = m_series.First();
    m_view.nEnd = m_series.End();
    m_bPanelsChanged = true;
}

// Applies the pending action under the chart lock and asks for a redraw when the view moved.
void CWickplotDlg::RunMoveView()
{
    NavigationResult result = MoveView(m_view, Pitch());
    if (result.bOlderWanted)
    {
        Notify(kWickplotOlderHistory);
        return;
    }
    if (!result.bRedraw)
        return;
    SyncSeriesView();
    if (result.bCursorMoved)
        MovePointerToCursor();
    else if (result.bZoomed)
        NudgePointer();
    PostMessage(WM_WICKPLOT_UPDATE_DRAW, kRedrawNow);
}

void CWickplotDlg::MovePointerToCursor()
{
    int bar = m_view.nCursor;
    if (bar < 0 || bar >= m_series.Count())
        return;
    const PriceExtremes& extremes = m_series.Extremes();
    double pitch = Pitch();
    CPoint point((int)(pitch * (bar - m_view.nFirst) + pitch / 2) + ChartLayout::kPlotLeft,
                 CrossPointY(extremes.dTop, extremes.dBottom, m_series.Macds()[bar]->dClose,
                             m_layout.price.top, m_layout.price.bottom - m_layout.price.top));
    m_mouse = point;
    ClientToScreen(&point);
    ::SetCursorPos(point.x, point.y);
}

// Sets the pointer where it is, so that the window sees a mouse move over the new view.
void CWickplotDlg::NudgePointer()
{
    POINT point;
    if (::GetCursorPos(&point))
        ::SetCursorPos(point.x, point.y);
}

LRESULT CWickplotDlg::OnPageOlder(WPARAM, LPARAM)
{
    CLockGuard lock(ChartLock());
    m_view.nAction = kActionPageOlder;
    RunMoveView();
    return 0;
}

LRESULT CWickplotDlg::OnPageNewer(WPARAM, LPARAM)
{
    CLockGuard lock(ChartLock());
    m_view.nAction = kActionPageNewer;
    RunMoveView();
    return 0;
}

LRESULT CWickplotDlg::OnOperate(WPARAM wParam, LPARAM lParam)
{
    if (wParam != 1 || (lParam != 1 && lParam != 2))
        return 0;
    CLockGuard lock(ChartLock());
    m_bCrossShown = false;
    if (IsWindowVisible())
    {
        m_view.nAction = lParam == 1 ? kActionZoomIn : kActionZoomOut;
        RunMoveView();
    }
    Invalidate(FALSE);
    return 0;
}

// The key acts on this window, the one the host addressed.
LRESULT CWickplotDlg::OnKeyDownValue(WPARAM wParam, LPARAM)
{
    const MSG* pMsg = reinterpret_cast<const MSG*>(wParam);
    if (pMsg == nullptr || pMsg->message != WM_KEYDOWN)
        return 0;
    CLockGuard lock(ChartLock());
    int action = kActionNone;
    switch (pMsg->wParam)
    {
    case VK_ESCAPE:
        if (m_bCrossShown)
        {
            m_bCrossShown = false;
            Invalidate(FALSE);
        }
        return 0;
    case VK_LEFT:
    case VK_RIGHT:
        if (!m_bCrossShown && m_view.nEnd > 0)
        {
            m_bCrossShown = true;
            m_view.nCursor = m_view.nEnd - 1;
        }
        action = pMsg->wParam == VK_LEFT ? kActionCursorLeft : kActionCursorRight;
        break;
    case VK_UP:
    case VK_DOWN:
        m_bCrossShown = false;
        action = pMsg->wParam == VK_UP ? kActionZoomIn : kActionZoomOut;
        break;
    default:
        return 0;
    }
    if (IsWindowVisible())
    {
        m_view.nAction = action;
        RunMoveView();
    }
    Invalidate(FALSE);
    return 0;
}

void CWickplotDlg::Relayout(int width, int height)
{
    m_layout = ChartLayout::Compute(width, height, m_layout.nMode);
    m_bPanelsChanged = true;
}

void CWickplotDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialogEx::OnSize(nType, cx, cy);
    if (cx <= 0 || cy <= 0)
        return;
    CLockGuard lock(ChartLock());
    Relayout(cx, cy);
    if (m_series.Count() > 0 && m_view.nAction != kActionNone)
    {
        ApplyPendingOnResize(m_view);
        SyncSeriesView();
    }
    PostMessage(WM_WICKPLOT_UPDATE_DRAW, kRedrawNow);
}

void CWickplotDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    bool sizingCursor;
    {
        CLockGuard lock(ChartLock());
        m_mouse = point;
        int bar = m_view.BarAt(point.x, m_layout.PlotWidth());
        if (bar >= 0)
            m_view.nCursor = bar;
        m_nHoverArea = m_layout.AreaAt(point.x, point.y);
        if (m_bSelecting)
        {
            int bottom = m_layout.ShowsMacd() ? m_layout.macd.bottom : m_layout.volume.bottom;
            m_selectionEnd.x = point.x < ChartLayout::kPlotLeft ? (int)ChartLayout::kPlotLeft : point.x;
            m_selectionEnd.y = point.y < m_layout.price.top ? m_layout.price.top
                               : point.y > bottom ? bottom : point.y;
        }
        sizingCursor = point.x > ChartLayout::kAxisX && (m_nHoverArea == 3 || m_bDragging);
        int zone = TitleZoneAt(point.x, point.y, m_layout.nWidth);
        for (int i = 0; i < kZoneCount; ++i)
            m_hover[i] = i == zone;
    }
    if (sizingCursor)
        SendMessage(WM_WICKPLOT_SET_CURSOR, kWestEastCursor);
    Invalidate(FALSE);
    CDialogEx::OnMouseMove(nFlags, point);
}

// The pixel under the mouse tells which lines were clicked: each line has a colour of its own.
void CWickplotDlg::SelectLinesAt(CPoint point)
{
    CClientDC dc(this);
    COLORREF pixel = dc.GetPixel(point) & 0xFFFFFF;
    bool* selected = nullptr;
    bool hit = false;
    switch (m_nHoverArea)
    {
    case 0:
        selected = &m_selected.bPrice;
        for (COLORREF colour : wickplot::kPriceAverageColours)
            hit |= pixel == colour;
        break;
    case 1:
        selected = &m_selected.bVolume;
        hit = pixel == wickplot::kVolumeAverageColours[0] || pixel == wickplot::kVolumeAverageColours[1];
        break;
    case 2:
        selected = &m_selected.bMacd;
        hit = pixel == wickplot::kDiffColour || pixel == wickplot::kDeaColour;
        break;
    default:
        return;
    }
    if (*selected != hit)
    {
        *selected = hit;
        m_bPanelsChanged = true;
    }
}

void CWickplotDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    {
        CLockGuard lock(ChartLock());
        m_nHoverArea = m_layout.AreaAt(point.x, point.y);
        if (m_series.Count() > 0)
        {
            SelectLinesAt(point);
            if (m_nHoverArea == 3 && !(m_view.nFirst == 0 && m_view.nEnd == m_view.nCount))
            {
                m_bDragging = true;
                m_nDragStartX = point.x;
                m_nSavedFirst = m_view.nFirst;
                m_nSavedEnd = m_view.nEnd;
            }
            if (m_nHoverArea >= 0 && m_nHoverArea <= 2 && point.x > ChartLayout::kAxisX)
            {
                m_bSelecting = true;
                m_selectionStart = m_selectionEnd = point;
            }
        }
    }
    switch (TitleZoneAt(point.x, point.y, m_layout.nWidth))
    {
    case kZonePageOlder:
        SendMessage(WM_WICKPLOT_PAGE_OLDER);
        Notify(kWickplotPageOlderButton);
        break;
    case kZonePageNewer:
        SendMessage(WM_WICKPLOT_PAGE_NEWER);
        Notify(kWickplotPageNewerButton);
        break;
    case kZoneOneLevel:
        Notify(kWickplotOneLevel);
        break;
    case kZoneFiveLevels:
        Notify(kWickplotFiveLevels);
        break;
    case kZonePanel:
        Notify(kWickplotPanelButton);
        break;
    case kZoneFourth:
        Notify(kWickplotFourthZone);
        break;
    default:
        break;
    }
    Invalidate(FALSE);
    CDialogEx::OnLButtonDown(nFlags, point);
}

void CWickplotDlg::OnLButtonUp(UINT nFlags, CPoint point)
{
    bool popup = false;
    {
        CLockGuard lock(ChartLock());
        if (m_bSelecting)
        {
            m_bSelecting = false;
            popup = abs(m_selectionEnd.x - m_selectionStart.x) > 5;
        }
        if (m_bDragging)
        {
            m_bDragging = false;
            DragView(m_view, m_nSavedFirst, m_nSavedEnd, m_nDragStartX, point.x, Pitch());
            RunMoveView();
        }
    }
    Invalidate(FALSE);
    if (popup)
    {
        // The menu runs its own loop: it is opened without the chart lock.
        CMenu menu;
        if (menu.LoadMenu(IDR_WICKPLOT_MENU))
        {
            CPoint screen = point;
            ClientToScreen(&screen);
            menu.GetSubMenu(0)->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, this);
        }
    }
    CDialogEx::OnLButtonUp(nFlags, point);
}

void CWickplotDlg::OnZoomInterval()
{
    CLockGuard lock(ChartLock());
    if (ZoomToInterval(m_view, m_selectionStart.x, m_selectionEnd.x, Pitch()))
        RunMoveView();
}

void CWickplotDlg::OnIntervalStats()
{
}

void CWickplotDlg::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    {
        CLockGuard lock(ChartLock());
        int H = m_layout.nHeight;
        if (!m_bSelecting && point.y >= ChartLayout::kTitleHeight && point.x >= ChartLayout::kAxisX)
        {
            int mode = m_layout.nMode;
            if (point.y < m_layout.nPriceEnd)
                m_bCrossShown = !m_bCrossShown;
            else if (point.y < H - ChartLayout::kTimeStrip)
            {
                if (mode != kLayoutAllPanels)
                    mode = kLayoutAllPanels;
                else
                    mode = point.y < m_layout.nVolumeEnd ? kLayoutVolumeOnly : kLayoutMacdOnly;
            }
            if (mode != m_layout.nMode)
            {
                m_layout = ChartLayout::Compute(m_layout.nWidth, m_layout.nHeight, mode);
                m_bPanelsChanged = true;
            }
        }
    }
    Invalidate(FALSE);
    CDialogEx::OnLButtonDblClk(nFlags, point);
}

void CWickplotDlg::OnRButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    CDialogEx::OnRButtonDown(nFlags, point);
}
