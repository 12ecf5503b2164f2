// Watches the paints of one window without changing what it draws: its window procedure is
// wrapped, and after every WM_PAINT the window handled, the callback runs (it may read what
// the window now shows). One probe in the program at a time; the destructor puts the window's
// own procedure back.
#pragma once

#include <windows.h>

#include <functional>

class ListPaintProbe
{
public:
    ListPaintProbe(HWND window, std::function<void()> afterPaint);
    ~ListPaintProbe();
    ListPaintProbe(const ListPaintProbe&) = delete;
    ListPaintProbe& operator=(const ListPaintProbe&) = delete;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window;
    WNDPROC m_original;
    std::function<void()> m_afterPaint;
};
