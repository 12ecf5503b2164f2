// A white 32-bit bitmap selected into a memory DC, for drawing tests that read pixels back.
#pragma once

#include <afxwin.h>

#include <algorithm>

const COLORREF kWhite = RGB(255, 255, 255);

class MemoryCanvas
{
public:
    MemoryCanvas(int width, int height) : width_(width), height_(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = NULL;
        bitmap.Attach(::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0));
        dc.CreateCompatibleDC(NULL);
        originalBitmap_ = dc.SelectObject(&bitmap)->m_hObject;
        dc.FillSolidRect(0, 0, width, height, kWhite);
    }

    ~MemoryCanvas()
    {
        // Deselect so that the bitmap can be deleted.
        dc.SelectObject(originalBitmap_);
    }

    // Pixels inside rect (clipped to the canvas) whose colour is not `colour`.
    int CountPixelsNot(COLORREF colour, const CRect& rect) const
    {
        int count = 0;
        for (int y = std::max(0L, rect.top); y < std::min<LONG>(height_, rect.bottom); ++y)
            for (int x = std::max(0L, rect.left); x < std::min<LONG>(width_, rect.right); ++x)
                if (dc.GetPixel(x, y) != colour)
                    ++count;
        return count;
    }

    int CountPixelsNot(COLORREF colour) const
    {
        return CountPixelsNot(colour, CRect(0, 0, width_, height_));
    }

    CBitmap bitmap;
    CDC dc;

private:
    int width_;
    int height_;
    HGDIOBJ originalBitmap_;
};
