// The intraday trend chart window. Data rules live in TrendModel; the window keeps the
// mouse state, sends its notifications and paints.
#pragma once

#include <ChartDialog.h>
#include <ChartTitleInfo.h>

#include "TrendModel.h"

enum : UINT {
    WM_TREND_LEFT_ARROW = WM_USER + 2,
    WM_TREND_RIGHT_ARROW = WM_USER + 3,
    WM_TREND_FULL_SCREEN = WM_USER + 4,
    WM_TREND_MAXIMISE = WM_USER + 5,
    WM_TREND_ONE_LEVEL = WM_USER + 6,
    WM_TREND_FIVE_LEVELS = WM_USER + 7,
    WM_TREND_SET_PARENT = WM_USER + 8,
    WM_TREND_REGIST_ID = WM_USER + 9,
    WM_TREND_ADD_TICK = WM_USER + 10,
    WM_TREND_ADD_PACKET = WM_USER + 11,
    WM_TREND_MARKET_TIME = WM_USER + 12,
    WM_TREND_TITLE = WM_USER + 13,
    WM_TREND_PRECISION = WM_USER + 14,
};

class CDriftlineDlg : public CChartDialog
{
public:
    CDriftlineDlg();
    ~CDriftlineDlg() override;

    void PaintAll(CDC* pDC) override;

protected:
    BOOL OnInitDialog() override;

    afx_msg LRESULT OnArrow(WPARAM, LPARAM);
    afx_msg LRESULT OnFullScreen(WPARAM, LPARAM);
    afx_msg LRESULT OnMaximise(WPARAM, LPARAM);
    afx_msg LRESULT OnOneLevel(WPARAM, LPARAM);
    afx_msg LRESULT OnFiveLevels(WPARAM, LPARAM);
    afx_msg LRESULT OnSetParentWnd(WPARAM, LPARAM);
    afx_msg LRESULT OnRegistId(WPARAM, LPARAM);
    afx_msg LRESULT OnAddTick(WPARAM, LPARAM);
    afx_msg LRESULT OnAddPacket(WPARAM, LPARAM);
    afx_msg LRESULT OnMarketTime(WPARAM, LPARAM);
    afx_msg LRESULT OnTitle(WPARAM, LPARAM);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    enum Zone { kLeftArrow, kRightArrow, kPanelGlyph, kFourthZone, kOneLevel, kFiveLevels, kZones };
    static CString Today();
    void SendZone(int zone);
    using CChartDialog::Cut;
    CString Cut(double price) const;
    COLORREF PriceColour(const CString& price) const;
    void PaintAxes(CDC& dc, COLORREF frame);
    void PaintTimeGrid(CDC& dc);
    void PaintPriceRows(CDC& dc);
    void PaintVolumeRows(CDC& dc);
    void PaintTitleLine(CDC& dc);
    void PaintLines(CDC& dc);
    void PaintCrossHair(CDC& dc);
    void PaintInfoBox(CDC& dc);
    void PaintButtons(CDC& dc);

    tolvan::driftline::TrendModel m_model;
    int m_crossToggle = -1;
    int m_hoveredPanel = -1;
    bool m_crossShown = false;
    bool m_hover[kZones] = {};
    UINT m_ids[6] = {};
    CWnd* m_pParent = nullptr;
    CPoint m_mouse;
    ChartTitleInfo m_title;
    // The hovered bucket's texts for the info box; empty without one.
    CString m_hoverTime, m_hoverPrice, m_hoverAverage;
};
