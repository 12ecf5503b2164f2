// The data of the main window's self-drawn menu bar: geometry, sizes, colours, fonts and a
// two-level list of items. The main window draws and hit-tests it; it is never a window.
#pragma once

#include <afxwin.h>

// One menu item (a top item or a sub-item). The owner allocates it with new, fills it with
// CMenuBar::InitItem and hands it to the bar, which frees it with its sub-items.
struct MenuBarItem {
    CString name;
    CString text;
    int reserved1[2] = {};
    COLORREF colors[3] = {};       // normal, hover, pressed
    COLORREF extraColors[3] = {};  // the bar's extra colours once appended to a built bar
    int reserved2[8] = {};
    int height = 0;
    int secondHeight = 0;
    COLORREF bkColor = 0;
    int width = 0;
    int itemHeight = 0;
    UINT textFormat = 0;
    MenuBarItem* prev = nullptr;
    MenuBarItem* next = nullptr;
    CFont* font = nullptr;
    int index = 0;
    int reserved3 = 0;
    MenuBarItem* subItems = nullptr;  // head of this item's own list, linked by next
    int reserved4[4] = {};
};

class CMenuBar : public CWnd
{
public:
    CMenuBar(int left, int top, int right, int bottom, int extra);
    ~CMenuBar() override;
    CMenuBar(const CMenuBar&) = delete;
    CMenuBar& operator=(const CMenuBar&) = delete;

    void InitItem(MenuBarItem* item) const;
    void SetItemColors(COLORREF normal, COLORREF hover, COLORREF pressed);
    void SetExtraColors(COLORREF first, COLORREF second, COLORREF third);
    void SetFont(CFont* font);
    void SetItemHeight(int height);
    void SetItemWidth(int width);
    void SetTextFormat(UINT format);
    // Ignored once the bar is built.
    void SetBkColor(COLORREF color);
    // Links the item at the tail; the bar owns it from now on. Returns 0.
    int AppendItem(MenuBarItem* item);

    MenuBarItem* Head() const { return m_head; }
    int ItemCount() const { return m_itemCount; }
    int ItemWidth() const { return m_itemWidth; }
    int SecondWidth() const { return m_secondWidth; }
    int ItemHeight() const { return m_itemHeight; }
    COLORREF BkColor() const { return m_bkColor; }

    // Set by the owner once the bar is laid out; items appended afterwards take the bar's
    // sizes, font, format and colours.
    int m_built = 0;

private:
    static void FreeList(MenuBarItem* head);

    MenuBarItem* m_head = nullptr;
    MenuBarItem* m_tail = nullptr;
    MenuBarItem* m_cursor = nullptr;
    int m_itemWidth = 50;
    int m_itemHeight = 21;
    int m_secondWidth = 50;
    int m_secondHeight = 21;
    int m_size = 25;
    COLORREF m_colorsA[3] = { 0xEEEEEE, 0xDCDCDC, 0xC8C8C8 };
    COLORREF m_colorsB[3] = { 0xEEEEEE, 0xDCDCDC, 0xC8C8C8 };
    COLORREF m_colorsC[3] = { 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF };
    COLORREF m_bkColor = 0xEBEBEB;
    UINT m_textFormats[2] = {};
    int m_itemCount = 0;
    CFont* m_fonts[2] = {};
    int m_left, m_top, m_right, m_bottom, m_extra;
};
