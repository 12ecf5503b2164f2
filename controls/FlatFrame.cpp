#include "FlatFrame.h"

namespace tolvan::controls {

void PaintFlatFrame(HWND hWnd, int width, COLORREF color, bool onlyWithBorder)
{
    if (onlyWithBorder && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_BORDER) == 0)
        return;
    HDC hDC = ::GetWindowDC(hWnd);
    if (hDC == NULL)
        return;
    RECT window;
    ::GetWindowRect(hWnd, &window);
    ::OffsetRect(&window, -window.left, -window.top);
    HBRUSH brush = ::CreateSolidBrush(color);
    const RECT strips[4] = {
        { window.left, window.top, window.right, window.top + width },
        { window.left, window.bottom - width, window.right, window.bottom },
        { window.left, window.top, window.left + width, window.bottom },
        { window.right - width, window.top, window.right, window.bottom },
    };
    for (const RECT& strip : strips)
        ::FillRect(hDC, &strip, brush);
    ::DeleteObject(brush);
    ::ReleaseDC(hWnd, hDC);
}

void FitClientToFlatFrame(HWND hWnd, int width, RECT* proposed)
{
    if ((::GetWindowLongA(hWnd, GWL_STYLE) & WS_BORDER) == 0)
        return;
    ::InflateRect(proposed, ::GetSystemMetrics(SM_CXBORDER) - width,
                  ::GetSystemMetrics(SM_CYBORDER) - width);
}

}  // namespace tolvan::controls
