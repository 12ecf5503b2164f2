// The owner-drawn push button of every window: painted over a copy of the parent's pixels
// (so rounded corners show the parent's background) with a frame by variant and state, the
// caption vertically centred, and an orange outline while the mouse is over it. Style 0 is
// the flat button, style 1 a two-part button with an upper and a lower text.
#pragma once

#include <afxwin.h>

class CLayerButton : public CButton
{
public:
    CLayerButton();
    ~CLayerButton() override;

    // Resets every colour to its default, so colours are set after the style. A style
    // outside 0..4 is reported once and style 0 is used.
    void SetStyle(int style);
    void InitStyle(int style);
    void SetBaseColor(COLORREF color);
    void SetBkColor(COLORREF color);
    // Style 0 only; each repaints.
    void SetTextColor(COLORREF color);
    // The button draws with its own copy of the font, so the caller's font stays the
    // caller's and may be shared with other controls.
    void SetFont(CFont* font);
    void SetTextFormat(UINT format);

    int GetStyle() const { return m_style; }
    bool IsHover() const { return m_hover != 0; }
    CFont* GetCaptionFont() { return m_font.GetSafeHandle() != NULL ? &m_font : nullptr; }

    BOOL DestroyWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // Frame variant: 1 rectangular three-dimensional frame, 2 rounded, other: none. No
    // setter; the owner writes it.
    int m_frameVariant = 1;
    int m_penWidth = 1;

    // Style 1 (two-part) settings, written by the owner after SetStyle(1).
    COLORREF m_upperTextColor = 0;
    COLORREF m_lowerTextColor = 0;
    CString m_upperText;
    CString m_lowerText;
    CFont* m_upperFont = nullptr;
    CFont* m_lowerFont = nullptr;
    UINT m_upperFormat = 37;
    UINT m_lowerFormat = 37;
    int m_requestedUpperHeight = 20;
    int m_upperHeight = 20;
    int m_margin = 2;
    int m_separatorWidth = 1;
    int m_separatorLength = 0;
    COLORREF m_separatorColor = 0;
    CRect m_upperTextRect;
    CRect m_lowerTextRect;

protected:
    void PreSubclassWindow() override;
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    virtual afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseHover(UINT nFlags, CPoint point);
    virtual afx_msg void OnMouseLeave();

private:
    void CopyParentBackground(CDC& dc, const CRect& item);
    void DrawFrame(CDC& dc, const CRect& item, bool pressed, bool focused);
    void DrawVariant1(CDC& dc, const CRect& item, bool pressed, bool focused);
    void DrawVariant2(CDC& dc, const CRect& item, bool pressed, bool focused);
    void DrawFlat(CDC& dc, const CRect& item, bool pressed, bool focused);
    void DrawTwoPart(CDC& dc, const CRect& item, bool pressed, bool focused);
    void DrawHover(CDC& dc, const CRect& item);
    static void Line(CDC& dc, COLORREF color, int x1, int y1, int x2, int y2);

    int m_style = 0;
    COLORREF m_bkColor = 0xF0F0F0;
    UINT m_textFormat = 21;
    COLORREF m_textColor = 0;
    CFont m_font;
    COLORREF m_darkColor = 0x743C00;
    COLORREF m_lightLineColor = 0xA0A0A0;
    COLORREF m_midLineColor = 0xA0A0A0;
    COLORREF m_highlightColor = 0xE3E3E3;
    COLORREF m_shadowColor = 0x7F7F7F;
    COLORREF m_normalOuter = 0, m_normalInner = 0xFCFCFC;
    COLORREF m_pressedOuter = 0, m_pressedInner = 0xA0A0A0;
    COLORREF m_focusedOuter = 0, m_focusedThird = 0, m_focusedHalf = 0;
    int m_tracking = 0;
    int m_hover = 0;

    DECLARE_MESSAGE_MAP()
};
