// The self-painted tab strip of the main window and the trading windows: the standard tab
// control keeps the tabs, texts and selection; this class paints them in one of three draw
// styles, highlights the tab under the mouse like the selected one and paints the page
// area black.
#pragma once

#include <afxcmn.h>

class CTabCtrlEx : public CTabCtrl
{
public:
    CTabCtrlEx();
    ~CTabCtrlEx() override;

    // No setter repaints; the owner invalidates.
    void SetTextColor(COLORREF color) { m_textColor = color; }
    void SetSelTextColor(COLORREF color) { m_selTextColor = color; }
    void SetSelTabColor(COLORREF color) { m_selFill = color; }
    void SetTabBkColor(COLORREF color) { m_tabFill = color; }
    void SetSelTabColor2(COLORREF color) { m_selFill2 = color; }
    void SetBkColor(COLORREF color) { m_bkColor = color; }
    void SetBorderColor(COLORREF color) { m_borderColor = color; }
    void SetFont(CFont* font) { m_font = font; }
    void SetTextFormat(UINT format) { m_textFormat = format; }
    // 0 rounded, 1 flat, 2 rounded and filled whole; any other value paints nothing.
    void SetDrawStyle(int style) { m_drawStyle = style; }

    int GetHoverTab() const { return m_hoverTab; }
    const CRect& GetTabBand() const { return m_tabBand; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();

private:
    bool IsHighlighted(int tab) const;
    void ComputeTabBand();
    CRect PageFrame(const CRect& client, int beyond) const;
    void DrawTabText(CDC& dc, int tab, CRect rect, bool liftHighlighted);
    void PaintRounded(CDC& dc, const CRect& client, bool fillWhole);
    void PaintFlat(CDC& dc, const CRect& client);

    COLORREF m_textColor = 0;
    COLORREF m_selTextColor = 0;
    COLORREF m_selFill = 0x969696;
    COLORREF m_tabFill = 0xD7D7D7;
    COLORREF m_selFill2 = 0x969696;
    COLORREF m_bkColor = 0xD7D7D7;
    COLORREF m_borderColor = 0xC0C0C0;
    CFont* m_font = nullptr;
    UINT m_textFormat = 0;
    int m_drawStyle = 1;
    int m_tracking = 0;
    int m_hoverTab = -1;
    CRect m_tabBand;

    DECLARE_MESSAGE_MAP()
};
