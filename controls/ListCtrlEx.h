// The owner-drawn report list of the quote pages and the program's tables: rows painted
// cell by cell into an off-screen row picture with per-cell text colours, four selection
// looks, a column with its own font and change marking of column 3 that fades after two
// ticks. The parent is told by posted messages of right clicks (11055) and of changes of
// the visible row range (11056), so it can refresh only the rows it shows.
#pragma once

#include "CellTextPainter.h"
#include "HeaderCtrlEx.h"

#include <afxcmn.h>

#include <map>
#include <string>
#include <vector>

#define WM_LISTEX_RCLICK 11055
#define WM_LISTEX_VISIBLE_CHANGED 11056

class CListCtrlEx : public CListCtrl
{
public:
    CListCtrlEx();
    ~CListCtrlEx() override;

    CHeaderCtrlEx& GetHeader() { return m_header; }

    void SetHeaderHeight(int height) { m_header.SetHeight(height); }
    void SetHeaderBkColor(COLORREF color) { m_header.SetBkColor(color); }
    void SetHeaderFont(CFont* font) { m_header.SetFont(font); }
    void SetHeaderTextColor(COLORREF color) { m_header.SetTextColor(color); }
    void SetHeaderLineColor(COLORREF color) { m_header.SetLineColor(color); }
    void SetHeaderTextFormat(UINT format) { m_header.SetTextFormat(format); }
    void EnableHeaderHeight(BOOL enable) { m_header.EnableCustomHeight(enable); }

    // Plain setters: none repaints, the owner invalidates.
    void SetItemFont(CFont* font);
    void SetColumnFont(CFont* font, int column);
    void SetItemTextFormat(UINT format) { m_itemTextFormat = format; }
    void SetSelectColor(COLORREF color) { m_selectColor = color; }
    void SetBorderWidth(int width) { m_borderWidth = width; }
    void SetBorderColor(COLORREF color) { m_borderColor = color; }
    void SetFlashTextColor(COLORREF color) { m_flashTextColor = color; }
    void SetFlashBkColor(COLORREF color) { m_flashBkColor = color; }
    void EnableFlash(BOOL enable) { m_flash = enable ? 1 : 0; }
    // Backgrounds of unselected rows by row index; the array stays the caller's.
    void SetRowBackgrounds(const COLORREF* colors) { m_rowBackgrounds = colors; }
    void SetBlendPercent(int percent) { m_blendPercent = percent; }
    void SetDefaultTextColor(COLORREF color) { m_defaultTextColor = color; }

    // -1 list background, 0 blend of select colour and background, 1 frame in the select
    // colour, 2 grey with yellow text. Another value is reported once and 0 is used.
    void SetSelectMode(int mode);
    int GetSelectMode() const { return m_selectMode; }
    void SetItemHeight(int height);
    int GetItemHeight() const { return m_rowHeight; }
    void SetRowColors(int row, const std::vector<COLORREF>& colors);

    int InsertColumn(int nCol, LPCTSTR heading, int format = LVCFMT_LEFT, int width = -1,
                     int subItem = -1);
    int InsertItem(int nItem, LPCTSTR text);
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR text);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    void TickFlash();
    bool UpdateVisibleRange();
    int GetVisibleEnd() const;

    // What the vectors hold (tests and owners that read back).
    bool IsCellChanged(int row, int column) const;
    size_t ColorRowCount() const { return m_rowColors.size(); }
    size_t CounterRowCount() const { return m_counters.size(); }
    std::vector<COLORREF> GetRowColors(int row) const;
    // The row picture's size (0 x 0 before the first paint).
    CSize GetRowPictureSize() const { return m_pictureRect.Size(); }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;
    // Every change of the list view's texts or rows passes here: the texts the rows are
    // painted from follow it.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();

private:
    // What every row of one paint shares: the cells' horizontal extents, the row count and
    // the list background. Read once per WM_PAINT (the quote board repaints 40 rows of 16
    // cells many times a second) and for every row drawn outside one.
    struct RowLayout {
        std::vector<std::pair<int, int>> cells;  // left, right per column; left > right: none
        int totalWidth = 0;
        int rowCount = 0;
        COLORREF background = 0;
        // Every cell starts at or after the end of the one before it.
        bool sideBySide = true;
    };
    void RefreshLayout(int row);
    // The list view's own procedure, without a trip through the message dispatch (the row
    // painter asks for every cell's text).
    LRESULT CallListView(UINT message, WPARAM wParam, LPARAM lParam);
    // Draws the rows of the update region itself (WM_PAINT of a list with rows).
    void PaintRows(int count);
    // The texts of a row as the list view holds them (what LVM_GETITEMTEXT gives in a
    // 256-byte buffer), kept between paints: a repaint of the board would otherwise ask the
    // list view for all of its cells each time.
    const std::vector<std::string>& RowTexts(int row, size_t columns);
    bool CanKeepTexts() const;
    void ForgetTexts();
    void ForgetRowTexts(INT_PTR row);
    void NoteTextArgument(LPCSTR text);
    LRESULT SetItemTextMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void SelectPictureFont(HGDIOBJ font);
    void ReleasePictureFont();
    void AttachHeader();
    int TotalWidth() const;
    void PrepareRowPicture(int width, int height);
    void RestorePictureBitmap();
    COLORREF RowBackground(int row, bool selected, COLORREF listBk) const;
    void PostNotification(int index, WPARAM wParam);
    void ResetVisibleRangeAfterDelete();

    CHeaderCtrlEx m_header;
    CFont* m_itemFont = nullptr;
    CFont* m_columnFont = nullptr;
    int m_columnFontIndex = -1;
    const COLORREF* m_rowBackgrounds = nullptr;
    std::vector<std::vector<COLORREF>> m_rowColors;
    COLORREF m_defaultTextColor = 0;
    std::vector<std::vector<int>> m_counters;
    int m_flash = 0;
    COLORREF m_flashTextColor = 0;
    COLORREF m_flashBkColor = 0;
    CDC m_pictureDC;
    CBitmap m_pictureBitmap;
    // The bitmap the row picture's DC came with, selected back before the row bitmap goes.
    HGDIOBJ m_pictureOriginalBitmap = NULL;
    CRect m_pictureRect;
    UINT m_itemTextFormat = DT_CENTER;
    int m_rowHeight = 20;
    int m_selectMode = 0;
    COLORREF m_selectColor = 0xFF0000;
    int m_totalWidth = 0;
    int m_totalHeight = 0;
    CPoint m_lastLeftClick;
    int m_blendPercent = 50;
    int m_borderWidth = 1;
    COLORREF m_borderColor = 0;
    int m_topIndex = -1;
    int m_lastVisibleIndex = -1;
    BYTE m_scrolling = 0;
    std::map<int, UINT> m_notifications;
    RowLayout m_layout;
    unsigned m_paintGeneration = 0;
    unsigned m_layoutGeneration = 0;
    bool m_inPaint = false;
    int m_countAtListViewPaint = -1;
    CellTextPainter m_textPainter;
    // The font the row picture has selected now and the one it came with.
    HGDIOBJ m_pictureFont = NULL;
    HGDIOBJ m_pictureOriginalFont = NULL;
    struct RowTextCache {
        bool known = false;
        std::vector<std::string> cells;
    };
    std::vector<RowTextCache> m_rowTexts;
    std::vector<std::string> m_scratchTexts;
    // A text that the list view asks the parent for (LPSTR_TEXTCALLBACK) can change
    // without a message: such a list reads its texts at every paint.
    bool m_textCallbacks = false;

    DECLARE_MESSAGE_MAP()
};
