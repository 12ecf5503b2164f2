// The depth window: figures of one instrument, its order book and the latest trades,
// painted off-screen in one picture. The trade list's rules live in TradeTape.
#pragma once

#include <ChartDialog.h>

#include "LadderviewRecords.h"
#include "TradeTape.h"

// Private messages of the depth window (sent by the exports and to itself).
enum : UINT {
    WM_LADDER_CORNER = WM_USER + 1,
    WM_LADDER_REPAINT = WM_USER + 2,
    WM_LADDER_MODE_REPAINT = WM_USER + 3,
    WM_LADDER_SET_MODE = WM_USER + 4,
    WM_LADDER_LEVELS = WM_USER + 5,
    WM_LADDER_STOCK = WM_USER + 6,
    WM_LADDER_REGIST_ID = WM_USER + 7,
    WM_LADDER_ADD_TRADE = WM_USER + 8,
    WM_LADDER_CLEAR_TRADES = WM_USER + 9,
    WM_LADDER_CLEAR_SELECT = WM_USER + 10,
    WM_LADDER_PRECISION = WM_USER + 11,
    WM_LADDER_KEY = WM_USER + 12,
};

class CRealTradeChartDlg : public CChartDialog
{
public:
    CRealTradeChartDlg();
    ~CRealTradeChartDlg() override;

    LRESULT OnKeyDownValue(const MSG* pMsg);
    void AddTradeTick(const DepthTradeTick& tick);
    void PaintAll(CDC* pDC) override;

protected:
    BOOL OnInitDialog() override;

    afx_msg LRESULT OnCorner(WPARAM, LPARAM);
    afx_msg LRESULT OnRepaintMessage(WPARAM, LPARAM);
    afx_msg LRESULT OnModeRepaint(WPARAM, LPARAM);
    afx_msg LRESULT OnSetMode(WPARAM, LPARAM);
    afx_msg LRESULT OnLevels(WPARAM, LPARAM);
    afx_msg LRESULT OnStock(WPARAM, LPARAM);
    afx_msg LRESULT OnRegistId(WPARAM, LPARAM);
    afx_msg LRESULT OnAddTrade(WPARAM, LPARAM);
    afx_msg LRESULT OnClearTrades(WPARAM, LPARAM);
    afx_msg LRESULT OnClearSelect(WPARAM, LPARAM);
    afx_msg LRESULT OnKeyMessage(WPARAM, LPARAM);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

private:
    void SetMode(BYTE mode);
    void RecomputeVisibleRows();
    void Repaint();
    COLORREF ColorAgainstReference(const CString& price) const;
    void PaintFiveLevels(CDC& dc);
    void PaintOneLevel(CDC& dc);
    void PaintLevelRow(CDC& dc, const CString& price, const CString& volume, int top, int bottom,
                       int fontHeight);
    void PaintFigures(CDC& dc);
    void PaintTradeList(CDC& dc);
    void PaintBottomStrip(CDC& dc);

    CString m_currentCode;
    tolvan::ladderview::TradeTape m_tape;
    int m_keyState = -1;
    DepthStockInfo m_stock;
    DepthLevelsRecord m_levels;
    BYTE m_shown = 0;
    BYTE m_cornerHover = 0;
    CWnd* m_pParent = nullptr;
    UINT m_notifyId = 0;
    BYTE m_cornerState = 1;
    int m_headerHeight = 160;
    int m_ladderBottom = 290;
    BYTE m_mode = 1;
    int m_width = 256;
    int m_height = 600;
};
