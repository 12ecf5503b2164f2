// The self-painted column header of the report list: its own height, colours, font and a
// sort arrow on one column.
#pragma once

#include "CellTextPainter.h"

#include <afxcmn.h>

class CHeaderCtrlEx : public CHeaderCtrl
{
public:
    CHeaderCtrlEx();
    ~CHeaderCtrlEx() override;

    // None of the setters repaints; the owner invalidates.
    void SetHeight(int height) { m_height = height; }
    void SetBkColor(COLORREF color) { m_bkColor = color; }
    void SetLineColor(COLORREF color) { m_lineColor = color; }
    void SetTextColor(COLORREF color) { m_textColor = color; }
    // DrawText flags of every header text; columns inserted afterwards through the list
    // take their horizontal alignment from their own format again.
    void SetTextFormat(UINT format);
    void SetFont(CFont* font) { m_font = font; }
    void EnableCustomHeight(BOOL enable) { m_customHeight = enable ? 1 : 0; }
    // Each column's text is aligned by its own format (left, centre, right); the other
    // flags come from the header's text format.
    void UseColumnAlignment() { m_columnAlignment = true; }

    void SetSortAscending(int column);
    void SetSortDescending(int column);
    void ClickColumn(int column);
    // Runs the owner's column-click handling as if the user had clicked `column`. A click
    // synthesised while one is being delivered is dropped, so a handler that sorts again
    // cannot recurse.
    void NotifyColumnClick(int column);

    int GetHeight() const { return m_height; }
    UINT GetTextFormat() const { return m_textFormat; }
    int GetSortColumn() const { return m_sortColumn; }
    BOOL IsSortAscending() const { return m_sortAscending; }

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnLayout(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();

private:
    UINT FormatOfItem(UINT itemFormat) const;
    void DrawSortArrow(CDC& dc, const CRect& item);
    LRESULT CallHeader(UINT message, WPARAM wParam, LPARAM lParam);
    // The off-screen picture of the whole header, kept from paint to paint (the board's
    // header repaints with every full repaint of the list).
    void PreparePicture(CDC& target, int width, int height);
    void ReleasePicture();

    CString m_text;
    BYTE m_customHeight = 1;
    int m_height = 25;
    UINT m_textFormat = DT_CENTER;
    COLORREF m_bkColor = 0;
    COLORREF m_lineColor = 0x646464;
    COLORREF m_textColor = 0x00FFFF;
    CFont* m_font = nullptr;
    COLORREF m_sortTextColor = 0x00FFFF;
    BOOL m_sortAscending = 0;
    int m_sortColumn = -1;
    bool m_columnAlignment = false;
    bool m_notifying = false;
    CDC m_pictureDC;
    CBitmap m_pictureBitmap;
    HGDIOBJ m_oldPictureBitmap = NULL;
    CSize m_pictureSize;
    CPen m_linePen;
    COLORREF m_linePenColor = 0;
    CellTextPainter m_textPainter;

    DECLARE_MESSAGE_MAP()
};
