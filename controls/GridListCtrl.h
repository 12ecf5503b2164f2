// The report list for tables with check boxes: every row carries one record per cell
// (colours, check box state, bold flag, the caller's value), check boxes toggle with a
// click, a click on a check-box column's header checks or clears the whole column, and the
// parent hears of every change by window messages. Painted by custom draw, or owner draw
// when the list has LVS_OWNERDRAWFIXED.
#pragma once

#include "GridHeaderCtrl.h"

#include <afxcmn.h>

#include <vector>

// Sent to the parent (wParam row, lParam column) after a click toggled a check box.
extern const UINT WM_GRIDLIST_CHECKBOX_CLICKED;
extern const UINT WM_GRIDLIST_COMBO_SELECTION;
extern const UINT WM_GRIDLIST_EDIT_END;

struct GridCell {
    int enabled = 1;  // in column 0: the row takes clicks and draws in normal colours
    int bold = 0;
    int modified = 0;
    int imageIndex = -1;
    int words[3] = {};
    int count = 10;
    int value = -1;
    int word = 0;
    COLORREF textColor = 0;
    COLORREF bkColor = 0;
    int words2[2] = {};
    CString text;
    int flag = 1;
    int check = -1;  // -1 no check box, 0 clear, 1 checked
    DWORD_PTR itemData = 0;
};

class CGridListCtrl : public CListCtrl
{
public:
    CGridListCtrl();
    ~CGridListCtrl() override;

    int InsertItem(int row, LPCTSTR text, COLORREF textColor, COLORREF bkColor);
    int InsertItem(int row, LPCTSTR text);
    BOOL DeleteAllItems();
    BOOL SetItemText(int row, int column, LPCTSTR text);
    int GetCheckbox(int row, int column) const;
    BOOL SetCheckbox(int row, int column, int state);
    DWORD_PTR GetItemData(int row) const;
    BOOL SetItemData(int row, DWORD_PTR value);
    // Row `row` enabled (clicks, keyboard) or disabled (grey text, skipped).
    BOOL SetRowEnabled(int row, BOOL enabled);
    void UpdateSubItem(int row, int column);
    void SetCellMessage(UINT message) { m_cellMessage = message; }
    BOOL GetSubItemRect(int row, int column, int area, CRect& rect);
    int InsertColumn(int column, const LVCOLUMNA* lvColumn);
    int InsertColumn(int column, LPCTSTR heading, int format = LVCFMT_LEFT, int width = -1);
    // The text colour one cell is painted in; it repaints nothing and tells nobody, so an
    // owner recolours a row inside its own cell-message handler and redraws once.
    BOOL SetCellTextColor(int row, int column, COLORREF color);
    void SetRowColors(int row, const std::vector<COLORREF>& colors);
    void GetRowColors(int row, std::vector<COLORREF>& colors) const;
    void SetRowHeight(int height) { m_rowHeight = height; }
    void SetHeaderHeight(int height) { m_header.SetHeightWord(height); }
    void SetHeaderBkColor(COLORREF color) { m_header.SetBkColor(color); }
    void SetHeaderFont(CFont* font) { m_header.SetFontWord(font); }
    void SetHeaderLineColor(COLORREF color) { m_header.SetLineColor(color); }
    void SetHeaderTextFormat(UINT format) { m_header.SetTextFormatWord(format); }
    void SetBorderColor(COLORREF color) { m_borderColor = color; }
    void SetOddRowColor(COLORREF color) { m_oddRowColor = color; }
    void SetSelectColor(COLORREF color) { m_selectColor = color; }
    virtual BOOL SetColumnWidth(int column, int width);
    // Rows deleted here take their colour vector with them, so later rows keep theirs.
    BOOL DeleteItem(int row);

    // Owner-draw painting (LVS_OWNERDRAWFIXED). Plain setters: none repaints, the owner
    // invalidates. Fonts and the background array stay the caller's.
    void SetItemFont(CFont* font) { m_itemFont = font; }
    void SetColumnFont(CFont* font, int column)
    {
        m_columnFont = font;
        m_columnFontIndex = column;
    }
    // Backgrounds of unselected rows by row index.
    void SetRowBackgrounds(const COLORREF* colors) { m_rowBackgrounds = colors; }
    // A selected row: -1 in the list background, 0 in the blend of select colour and list
    // background, 1 framed in the select colour; any other mode leaves it unpainted.
    void SetSelectMode(int mode) { m_selectMode = mode; }
    void SetBlendPercent(int percent) { m_blendPercent = percent; }
    void SetItemTextFormat(UINT format) { m_itemTextFormat = format; }
    void SetDefaultTextColor(COLORREF color) { m_defaultTextColor = color; }

    CGridHeaderCtrl& GetHeader() { return m_header; }
    bool IsModified() const { return m_modified; }
    const GridCell* CellAt(int row, int column) const;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnNcPaint();
    afx_msg void OnSysColorChange();

private:
    using Cells = std::vector<GridCell>;
    Cells* RowCells(int row) const;
    GridCell* Cell(int row, int column) const;
    bool IsRowEnabled(int row) const;
    int ColumnCount() const;
    void AttachHeader();
    void ReadSystemColors();
    void UpdateHeaderCheck(int column);
    void DrawCell(CDC& dc, int row, int column, const CRect& cell, bool selected);
    int TotalColumnWidth() const;
    void PrepareRowPicture(int width, int height);
    bool PaintRowBackground(int row, bool selected, int width, int height);
    void SelectCellFont(int column);
    void SelectRow(int row);

    CFont* m_itemFont = nullptr;
    CFont* m_columnFont = nullptr;
    int m_columnFontIndex = -1;
    const COLORREF* m_rowBackgrounds = nullptr;
    std::vector<std::vector<COLORREF>> m_rowColors;
    COLORREF m_defaultTextColor = 0;
    UINT m_itemTextFormat = DT_CENTER;
    int m_rowHeight = 20;
    int m_selectMode = 0;
    COLORREF m_selectColor = 0xFF0000;
    int m_blendPercent = 50;
    int m_borderWidth = 1;
    COLORREF m_borderColor = 0;
    UINT m_cellMessage = (UINT)-1;
    CGridHeaderCtrl m_header;
    bool m_headerSubclassed = false;
    int m_endEllipsis = 1;
    bool m_modified = false;
    int m_padding = 5;
    // The row picture every owner-drawn row is painted into before it is copied out.
    CDC m_pictureDC;
    CBitmap m_pictureBitmap;
    CBitmap* m_oldPictureBitmap = nullptr;
    HGDIOBJ m_pictureOriginalFont = NULL;
    CRect m_pictureRect;
    COLORREF m_oddRowColor = 0;
    COLORREF m_colors[14] = {};

    DECLARE_MESSAGE_MAP()
};
