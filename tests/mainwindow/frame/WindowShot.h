// A picture of a whole window as it is on the screen, its drawn caption and frame included.
#pragma once

#include "FrameResource.h"
#include "testsupport/Screenshot.h"

#include <vector>

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

// The part of a window that lies on the screen, as a picture of the whole screen (pixels
// of other windows around it); window coordinates x, y are at x + left, y + top of it.
inline tolvan::test::Screenshot CaptureScreenOf(HWND window)
{
    POINT origin = {0, 0};
    ::ClientToScreen(window, &origin);
    ::RedrawWindow(window, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const RECT rect = {-origin.x, -origin.y, ::GetSystemMetrics(SM_CXSCREEN) - origin.x,
                       ::GetSystemMetrics(SM_CYSCREEN) - origin.y};
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

// The pixels of `rect`, row by row.
inline std::vector<uint32_t> Region(const tolvan::test::Screenshot& shot, const RECT& rect)
{
    std::vector<uint32_t> pixels;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            pixels.push_back(shot.PixelAt(x, y));
    return pixels;
}

// The skin as the program carries it, to compare the drawn frame with.
class SkinPixels
{
public:
    explicit SkinPixels(HMODULE module = ::GetModuleHandleA(NULL))
    {
        m_bitmap = static_cast<HBITMAP>(::LoadImageA(module, MAKEINTRESOURCEA(IDB_FRAME_SKIN),
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        m_dc = ::CreateCompatibleDC(NULL);
        m_old = ::SelectObject(m_dc, m_bitmap);
        BITMAP info = {};
        ::GetObject(m_bitmap, sizeof(info), &info);
        width = info.bmWidth;
        height = info.bmHeight;
    }
    ~SkinPixels()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteDC(m_dc);
        ::DeleteObject(m_bitmap);
    }
    COLORREF At(int x, int y) const { return ::GetPixel(m_dc, x, y); }
    int width = 0;
    int height = 0;

private:
    HBITMAP m_bitmap = NULL;
    HDC m_dc = NULL;
    HGDIOBJ m_old = NULL;
};

}  // namespace frametest
