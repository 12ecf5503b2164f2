// The main window's menu bar ("系统", "报表", "关于"): the control library's menu-bar records
// drawn in the caption band after the caption's text buttons, with the hot and pressed item
// taken from the mouse.
#pragma once

#include "MenuBar.h"

#include <afxwin.h>
#include <gdiplus.h>

#include <memory>

class FrameMenuBar
{
public:
    enum Item { ITEM_NONE = -1, ITEM_SYSTEM = 0, ITEM_REPORTS = 1, ITEM_ABOUT = 2 };
    static const int kLeft = 256;
    static const int kTop = 8;

    FrameMenuBar();
    ~FrameMenuBar();

    // The bar for a client area `clientWidth` wide, with its font and three items.
    void Create(int clientWidth);
    // Frees the records (the main window's end); drawing and hit tests then find nothing.
    void Destroy();
    bool Exists() const { return m_bar != nullptr; }
    CMenuBar* Bar() const { return m_bar.get(); }

    // The item under a point in window coordinates; ITEM_NONE when none.
    int HitTest(int x, int y) const;
    RECT ItemRect(int item) const;
    // 0 normal, 1 hot, 2 pressed; true when it changed.
    bool SetState(int item, int state);
    int State(int item) const;
    // Every item back to normal; true when one changed.
    bool ClearStates();
    void Draw(HDC dc) const;

private:
    MenuBarItem* ItemAt(int item) const;

    std::unique_ptr<CMenuBar> m_bar;
    CFont m_font;
    int m_states[3] = {};
};
