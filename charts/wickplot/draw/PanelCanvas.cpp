#include "PanelCanvas.h"
#include <stdlib.h>
#include <string.h>

CPanelCanvas::~CPanelCanvas()
{
    Free();
}

void CPanelCanvas::Free()
{
    if (m_hDC != NULL)
    {
        SelectObject(m_hDC, m_hOldBitmap);
        DeleteDC(m_hDC);
    }
    if (m_hBitmap != NULL)
        DeleteObject(m_hBitmap);
    m_hDC = NULL;
    m_hBitmap = NULL;
    m_hOldBitmap = NULL;
    m_pBits = nullptr;
    m_nWidth = m_nHeight = 0;
}

bool CPanelCanvas::Reset(HDC hCompatible, int width, int height)
{
    if (width <= 0 || height <= 0)
    {
        Free();
        return false;
    }
    if (m_pBits == nullptr || width != m_nWidth || height != m_nHeight)
    {
        Free();
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;   // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_hBitmap = CreateDIBSection(hCompatible, &info, DIB_RGB_COLORS, &bits, NULL, 0);
        if (m_hBitmap == NULL)
            return false;
        m_hDC = CreateCompatibleDC(hCompatible);
        if (m_hDC == NULL)
        {
            DeleteObject(m_hBitmap);
            m_hBitmap = NULL;
            return false;
        }
        m_hOldBitmap = SelectObject(m_hDC, m_hBitmap);
        m_pBits = static_cast<uint32_t*>(bits);
        m_nWidth = width;
        m_nHeight = height;
    }
    GdiFlush();   // GDI may still be reading the bits from the previous composition
    memset(m_pBits, 0, (size_t)m_nWidth * m_nHeight * sizeof(uint32_t));
    return true;
}

void CPanelCanvas::FillRect(int left, int top, int right, int bottom, COLORREF colour)
{
    if (left < 0)
        left = 0;
    if (top < 0)
        top = 0;
    if (right > m_nWidth)
        right = m_nWidth;
    if (bottom > m_nHeight)
        bottom = m_nHeight;
    uint32_t pixel = Pixel(colour);
    for (int y = top; y < bottom; ++y)
    {
        uint32_t* row = m_pBits + (size_t)y * m_nWidth;
        for (int x = left; x < right; ++x)
            row[x] = pixel;
    }
}

void CPanelCanvas::FrameRect(int left, int top, int right, int bottom, COLORREF colour)
{
    if (right <= left || bottom <= top)
        return;
    HLine(left, right - 1, top, colour);
    HLine(left, right - 1, bottom - 1, colour);
    VLine(left, top, bottom - 1, colour);
    VLine(right - 1, top, bottom - 1, colour);
}

void CPanelCanvas::VLine(int x, int y1, int y2, COLORREF colour)
{
    if ((unsigned)x >= (unsigned)m_nWidth)
        return;
    if (y1 > y2)
    {
        int t = y1;
        y1 = y2;
        y2 = t;
    }
    if (y1 < 0)
        y1 = 0;
    if (y2 >= m_nHeight)
        y2 = m_nHeight - 1;
    uint32_t pixel = Pixel(colour);
    for (int y = y1; y <= y2; ++y)
        m_pBits[(size_t)y * m_nWidth + x] = pixel;
}

void CPanelCanvas::HLine(int x1, int x2, int y, COLORREF colour)
{
    if (x1 > x2)
    {
        int t = x1;
        x1 = x2;
        x2 = t;
    }
    FillRect(x1, y, x2 + 1, y + 1, colour);
}

void CPanelCanvas::Line(int x1, int y1, int x2, int y2, COLORREF colour)
{
    uint32_t pixel = Pixel(colour);
    int dx = abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    int dy = -abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    for (;;)
    {
        Plot(x1, y1, pixel);
        if (x1 == x2 && y1 == y2)
            break;
        int twice = 2 * error;
        if (twice >= dy)
        {
            error += dy;
            x1 += sx;
        }
        if (twice <= dx)
        {
            error += dx;
            y1 += sy;
        }
    }
}
