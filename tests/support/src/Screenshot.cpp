#include "testsupport/Screenshot.h"

#include "testsupport/PngWriter.h"

#include <cstring>

namespace tolvan::test {

Screenshot::Screenshot(int width, int height, std::vector<uint32_t> pixels)
    : m_width(width), m_height(height), m_pixels(std::move(pixels))
{
    if (m_width <= 0 || m_height <= 0 ||
        m_pixels.size() != static_cast<size_t>(m_width) * static_cast<size_t>(m_height)) {
        m_width = m_height = 0;
        m_pixels.clear();
    }
}

Screenshot Screenshot::CaptureClient(HWND hWnd)
{
    RECT client = {};
    if (!GetClientRect(hWnd, &client))
        return Screenshot();
    return CaptureClientRect(hWnd, client);
}

Screenshot Screenshot::CaptureClientRect(HWND hWnd, const RECT& rect)
{
    if (!IsWindow(hWnd) || !IsWindowVisible(hWnd))
        return Screenshot();
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return Screenshot();
    // What is invalid is painted now, so the screen shows the current state.
    RedrawWindow(hWnd, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();

    POINT origin = {rect.left, rect.top};
    ClientToScreen(hWnd, &origin);

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    Screenshot shot;
    if (memory != NULL && bitmap != NULL && bits != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        if (BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY)) {
            GdiFlush();
            std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
            std::memcpy(pixels.data(), bits, pixels.size() * sizeof(uint32_t));
            for (uint32_t& pixel : pixels)
                pixel &= 0x00FFFFFF;
            shot = Screenshot(width, height, std::move(pixels));
        }
        SelectObject(memory, previous);
    }
    if (bitmap != NULL)
        DeleteObject(bitmap);
    if (memory != NULL)
        DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return shot;
}

COLORREF Screenshot::PixelAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    const uint32_t pixel = m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_width) +
                                    static_cast<size_t>(x)];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

size_t Screenshot::CountColor(COLORREF color, const RECT* rect) const
{
    RECT area = {0, 0, m_width, m_height};
    if (rect != nullptr)
        IntersectRect(&area, &area, rect);
    size_t count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (PixelAt(x, y) == color)
                ++count;
        }
    }
    return count;
}

bool Screenshot::SavePng(const std::string& path) const
{
    if (IsEmpty())
        return false;
    return PngWriter::Save(path, m_width, m_height, m_pixels.data());
}

}  // namespace tolvan::test
