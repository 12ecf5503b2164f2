// The self-painted header of the editable grid: a fixed height of 25 pixels, and a check
// box image on columns of check boxes (image 1 some rows clear, 2 all rows checked).
#pragma once

#include <afxcmn.h>

class CGridHeaderCtrl : public CHeaderCtrl
{
public:
    CGridHeaderCtrl();
    ~CGridHeaderCtrl() override;

    // Words stored for the owner; the layout stays at 25 pixels and the header paints with
    // its window font.
    void SetHeightWord(int height) { m_heightWord = height; }
    void SetBkColor(COLORREF color) { m_bkColor = color; }
    void SetLineColor(COLORREF color) { m_lineColor = color; }
    void SetTextColor(COLORREF color) { m_textColor = color; }
    void SetFontWord(CFont* font) { m_font = font; }
    void SetTextFormatWord(UINT format) { m_textFormat = format; }

    int GetSpacing() const { return m_spacing; }
    // The column's check image (0 none, 1 not all checked, 2 all checked).
    int GetCheckImage(int column) const;
    void SetCheckImage(int column, int image);

    virtual void DrawItem(CDC* pDC, CRect rect, HDITEMA* item);
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    static const int kHeight = 25;

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnSysColorChange();
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg LRESULT OnSetImageList(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLayout(WPARAM wParam, LPARAM lParam);

private:
    void ReadSystemColors();
    static int DrawItemBitmap(CDC& dc, const CRect& rect, HBITMAP bitmap);

    COLORREF m_highlight = 0, m_shadow = 0, m_face = 0, m_buttonText = 0;
    int m_spacing = 6;
    int m_imageWidth = 0;
    int m_imageHeight = 0;
    int m_heightWord = 25;
    COLORREF m_bkColor = 0;
    COLORREF m_lineColor = 0x646464;
    COLORREF m_textColor = 0x00FFFF;
    CFont* m_font = nullptr;
    UINT m_textFormat = 0;

    DECLARE_MESSAGE_MAP()
};

// Draws the grid's check box at `box` (13 x 13): a frame and, when checked, a check mark.
void DrawGridCheckbox(CDC& dc, const CRect& box, bool checked, COLORREF background);
