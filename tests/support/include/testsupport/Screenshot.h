// The client area of a visible window as it is on the screen, copied from the screen DC
// (PrintWindow does not paint child controls under Wine), for pixel checks at chosen
// points and PNG files for a person to look at.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tolvan::test {

class Screenshot {
public:
    Screenshot() = default;
    // Top-down rows of 0x00RRGGBB.
    Screenshot(int width, int height, std::vector<uint32_t> pixels);

    // Paints what is pending (the window and its children) and copies its client area.
    // An empty picture when the window is not visible or the copy fails.
    static Screenshot CaptureClient(HWND hWnd);
    // A rectangle of the client area (client coordinates).
    static Screenshot CaptureClientRect(HWND hWnd, const RECT& rect);

    bool IsEmpty() const { return m_width <= 0 || m_height <= 0; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The pixel as a COLORREF, comparable with RGB(r, g, b); CLR_INVALID outside.
    COLORREF PixelAt(int x, int y) const;
    const std::vector<uint32_t>& Pixels() const { return m_pixels; }
    // How many pixels of `rect` (all of the picture when null) have exactly `color`.
    size_t CountColor(COLORREF color, const RECT* rect = nullptr) const;

    bool SavePng(const std::string& path) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<uint32_t> m_pixels;
};

}  // namespace tolvan::test
