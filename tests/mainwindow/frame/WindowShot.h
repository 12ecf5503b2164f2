// A picture of a whole window as it is on the screen, its drawn caption and frame included.
#pragma once

#include "testsupport/Screenshot.h"

namespace frametest {

inline tolvan::test::Screenshot CaptureWholeWindow(HWND window)
{
    RECT outer = {};
    ::GetWindowRect(window, &outer);
    POINT origin = {0, 0};
    ::ClientToScreen(window, &origin);
    ::RedrawWindow(window, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // The rectangle in client coordinates reaches out over the caption and the borders.
    const RECT rect = {outer.left - origin.x, outer.top - origin.y, outer.right - origin.x, outer.bottom - origin.y};
    return tolvan::test::Screenshot::CaptureClientRect(window, rect);
}

// How many pixels of `rect` lie within `tolerance` of `color` in every channel.
inline size_t CountNear(const tolvan::test::Screenshot& shot, COLORREF color, const RECT& rect, int tolerance)
{
    size_t count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
        {
            const COLORREF pixel = shot.PixelAt(x, y);
            if (pixel == CLR_INVALID)
                continue;
            if (abs(GetRValue(pixel) - GetRValue(color)) <= tolerance && abs(GetGValue(pixel) - GetGValue(color)) <= tolerance
                && abs(GetBValue(pixel) - GetBValue(color)) <= tolerance)
                ++count;
        }
    return count;
}

}  // namespace frametest
