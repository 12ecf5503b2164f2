// Draws a one-line text into a rectangle exactly as DrawText does with the given format,
// going straight to ExtTextOut where the format allows: DrawText measures every text first,
// and the quote board puts hundreds of cells on the screen per repaint. It remembers what it
// set in its DC (text alignment, the measured font and its ASCII glyphs), so one painter
// serves one DC; Forget() when the DC is replaced.
#pragma once

#include <windows.h>

class CellTextPainter
{
public:
    // `font` is the font selected in `hDC` (the painter does not ask the DC).
    void Draw(HDC hDC, HGDIOBJ font, const char* text, RECT& rect, UINT format);
    void Forget();

private:
    void Measure(HDC hDC, HGDIOBJ font);
    void SetAlign(HDC hDC, UINT align);

    static const int kAsciiGlyphs = 128;
    HGDIOBJ m_font = NULL;
    int m_height = 0;
    UINT m_align = TA_LEFT | TA_TOP;
    WORD m_asciiGlyphs[kAsciiGlyphs] = {};
};
