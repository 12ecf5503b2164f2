// A panel picture: a 32-bit top-down DIB section drawn into by direct pixel writes (a panel
// of thousands of bars costs thousands of GDI calls otherwise) and copied to the window
// through its memory DC.
#pragma once
#include <afx.h>
#include <stdint.h>

class CPanelCanvas
{
public:
    CPanelCanvas() = default;
    ~CPanelCanvas();
    CPanelCanvas(const CPanelCanvas&) = delete;
    CPanelCanvas& operator=(const CPanelCanvas&) = delete;

    // Makes the picture width by height pixels (reused when the size is unchanged) and
    // fills it black. False when the size is empty or GDI refuses.
    bool Reset(HDC hCompatible, int width, int height);
    void Free();

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    HDC Dc() const { return m_hDC; }
    bool IsEmpty() const { return m_pBits == nullptr; }

    // Colours are COLORREFs; everything is clipped to the picture.
    void FillRect(int left, int top, int right, int bottom, COLORREF colour);
    void FrameRect(int left, int top, int right, int bottom, COLORREF colour);
    void VLine(int x, int y1, int y2, COLORREF colour);   // both ends included
    void HLine(int x1, int x2, int y, COLORREF colour);
    void Line(int x1, int y1, int x2, int y2, COLORREF colour);

private:
    void Plot(int x, int y, uint32_t pixel)
    {
        if ((unsigned)x < (unsigned)m_nWidth && (unsigned)y < (unsigned)m_nHeight)
            m_pBits[(size_t)y * m_nWidth + x] = pixel;
    }
    static uint32_t Pixel(COLORREF colour)
    {
        return ((uint32_t)GetRValue(colour) << 16) | ((uint32_t)GetGValue(colour) << 8) |
               GetBValue(colour);
    }

    HDC m_hDC = NULL;
    HBITMAP m_hBitmap = NULL;
    HGDIOBJ m_hOldBitmap = NULL;
    uint32_t* m_pBits = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
