#include "DriftlineDlg.h"

#include "DriftlineResource.h"

#include <afxwin.h>

CDriftlineDlg::CDriftlineDlg() : CChartDialog(IDD_DRIFTLINE) {}

CDriftlineDlg::~CDriftlineDlg() = default;

BEGIN_MESSAGE_MAP(CDriftlineDlg, CChartDialog)
    ON_MESSAGE(WM_TREND_LEFT_ARROW, &CDriftlineDlg::OnArrow)
    ON_MESSAGE(WM_TREND_RIGHT_ARROW, &CDriftlineDlg::OnArrow)
    ON_MESSAGE(WM_TREND_FULL_SCREEN, &CDriftlineDlg::OnFullScreen)
    ON_MESSAGE(WM_TREND_MAXIMISE, &CDriftlineDlg::OnMaximise)
    ON_MESSAGE(WM_TREND_ONE_LEVEL, &CDriftlineDlg::OnOneLevel)
    ON_MESSAGE(WM_TREND_FIVE_LEVELS, &CDriftlineDlg::OnFiveLevels)
    ON_MESSAGE(WM_TREND_SET_PARENT, &CDriftlineDlg::OnSetParentWnd)
    ON_MESSAGE(WM_TREND_REGIST_ID, &CDriftlineDlg::OnRegistId)
    ON_MESSAGE(WM_TREND_ADD_TICK, &CDriftlineDlg::OnAddTick)
    ON_MESSAGE(WM_TREND_ADD_PACKET, &CDriftlineDlg::OnAddPacket)
    ON_MESSAGE(WM_TREND_MARKET_TIME, &CDriftlineDlg::OnMarketTime)
    ON_MESSAGE(WM_TREND_TITLE, &CDriftlineDlg::OnTitle)
    ON_MESSAGE(WM_TREND_PRECISION, &CDriftlineDlg::OnPrecision)
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CDriftlineDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    MoveWindow(0, 0, 800, 600);
    CRect client;
    GetClientRect(&client);
    m_model.SetClientSize(client.Width(), client.Height());
    m_pParent = nullptr;
    return TRUE;
}

CString CDriftlineDlg::Today()
{
    return CTime::GetCurrentTime().Format("%Y%m%d");
}

LRESULT CDriftlineDlg::OnArrow(WPARAM, LPARAM)
{
    return 0;
}

LRESULT CDriftlineDlg::OnFullScreen(WPARAM, LPARAM)
{
    AfxMessageBox("FullScreen 按下!");
    return 0;
}

LRESULT CDriftlineDlg::OnMaximise(WPARAM, LPARAM)
{
    AfxMessageBox("Max 按下!");
    return 0;
}

LRESULT CDriftlineDlg::OnOneLevel(WPARAM, LPARAM)
{
    AfxMessageBox("买卖1档");
    return 0;
}

LRESULT CDriftlineDlg::OnFiveLevels(WPARAM, LPARAM)
{
    AfxMessageBox("买卖5档");
    return 0;
}

LRESULT CDriftlineDlg::OnSetParentWnd(WPARAM wParam, LPARAM)
{
    if (wParam != 0)
        m_pParent = reinterpret_cast<CWnd*>(wParam);
    return 0;
}

LRESULT CDriftlineDlg::OnRegistId(WPARAM wParam, LPARAM lParam)
{
    // An index outside the table would write past it.
    int index = (int)wParam;
    if (index >= 0 && index < 6)
        m_ids[index] = (UINT)lParam;
    return 0;
}

LRESULT CDriftlineDlg::OnAddTick(WPARAM wParam, LPARAM)
{
    m_model.AddTick(reinterpret_cast<const TrendTickNode*>(wParam), Today());
    Invalidate(FALSE);
    return 0;
}

LRESULT CDriftlineDlg::OnAddPacket(WPARAM wParam, LPARAM)
{
    m_crossToggle = -1;
    m_crossShown = false;
    m_model.LoadPacket(reinterpret_cast<TrendPacket*>(wParam), Today());
    Invalidate(FALSE);
    return 0;
}

LRESULT CDriftlineDlg::OnMarketTime(WPARAM wParam, LPARAM lParam)
{
    m_model.Session().SetMarketTime(*reinterpret_cast<const CString*>(wParam),
                                    *reinterpret_cast<const CString*>(lParam));
    Invalidate(FALSE);
    return 0;
}

LRESULT CDriftlineDlg::OnTitle(WPARAM wParam, LPARAM)
{
    const ChartTitleInfo* title = reinterpret_cast<const ChartTitleInfo*>(wParam);
    if (title == nullptr)
        return 0;
    m_title = *title;
    m_model.SetTitle(title->strLatest, title->strOpen, title->strHigh, title->strLow,
                     title->strPreClose);
    Invalidate(FALSE);
    return 0;
}

void CDriftlineDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialogEx::OnSize(nType, cx, cy);
    m_model.SetClientSize(cx, cy);
    Invalidate(FALSE);
}

void CDriftlineDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    const int W = m_model.Scale().Width(), H = m_model.Scale().Height();
    const int B = m_model.Scale().PriceBottom();
    m_mouse = point;
    bool inPlotX = point.x > 80 && point.x < W - 60;
    if (inPlotX && point.y >= 40 && point.y < B)
        m_hoveredPanel = 0;
    else if (inPlotX && point.y >= B && point.y < H - 20)
        m_hoveredPanel = 1;
    else
        m_hoveredPanel = -1;

    static const int zoneLeft[kZones] = {92, 68, 44, 20, 260, 180};
    static const int zoneRight[kZones] = {78, 54, 30, 6, 180, 100};
    bool inBand = point.y >= 2 && point.y <= 14;
    for (int zone = 0; zone < kZones; ++zone)
        m_hover[zone] = inBand && point.x >= W - zoneLeft[zone] && point.x <= W - zoneRight[zone];
    Invalidate(TRUE);
    CDialogEx::OnMouseMove(nFlags, point);
}

void CDriftlineDlg::SendZone(int zone)
{
    static const UINT ownMessage[kZones] = {WM_TREND_LEFT_ARROW, WM_TREND_RIGHT_ARROW,
                                            WM_TREND_FULL_SCREEN, WM_TREND_MAXIMISE,
                                            WM_TREND_ONE_LEVEL, WM_TREND_FIVE_LEVELS};
    bool arrow = zone == kLeftArrow || zone == kRightArrow;
    if (m_pParent == nullptr || arrow)
        SendMessage(ownMessage[zone]);
    if (m_pParent != nullptr && m_ids[zone] != 0 && ::IsWindow(m_pParent->GetSafeHwnd()))
        m_pParent->SendMessage(m_ids[zone], 0, 0);
}

void CDriftlineDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    static const int order[kZones] = {kOneLevel, kFiveLevels, kLeftArrow, kRightArrow,
                                      kPanelGlyph, kFourthZone};
    for (int zone : order)
        if (m_hover[zone])
            SendZone(zone);
    Invalidate(FALSE);
    CDialogEx::OnLButtonDown(nFlags, point);
}

void CDriftlineDlg::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const int W = m_model.Scale().Width(), H = m_model.Scale().Height();
    if (point.x > 80 && point.x < W - 60 && point.y > 40 && point.y < H - 20) {
        m_crossToggle = -m_crossToggle;
        m_crossShown = m_crossToggle == 1;
        Invalidate(FALSE);
    }
    CDialogEx::OnLButtonDblClk(nFlags, point);
}

void CDriftlineDlg::OnDestroy()
{
    CDialogEx::OnDestroy();
    if (m_model.Count() > 0)
        m_model.ClearTicks();
}
