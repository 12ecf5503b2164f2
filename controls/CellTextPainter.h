// Draws a one-line text into a rectangle exactly as DrawText does with the given format,
// going straight to ExtTextOut where the format allows: DrawText measures every text first,
// and the quote board puts hundreds of cells on the screen per repaint. It remembers what it
// set in its DC (text alignment and colour, the measured font and its ASCII glyphs), so one
// painter serves one DC: ForgetDC() when the DC is replaced, ForgetFont() when a font handle
// may have been deleted and made again.
#pragma once

#include <windows.h>

#include <vector>

class CellTextPainter
{
public:
    // `font` is the font selected in `hDC` (the painter does not ask the DC).
    void Draw(HDC hDC, HGDIOBJ font, const char* text, RECT& rect, UINT format, COLORREF color);
    // Texts that lie wholly inside their rectangles are gathered and go out in one
    // ExtTextOut per colour (under Wine a call costs far more than its glyphs). False when
    // the text has to be drawn on its own with Draw(); the font must stay selected until
    // Flush().
    bool Queue(HDC hDC, HGDIOBJ font, const char* text, const RECT& rect, UINT format, COLORREF color);
    void Flush(HDC hDC);
    void ForgetFont();
    void ForgetDC();

private:
    struct Run {
        COLORREF color = 0;
        int y = 0;
        RECT clip = {};
        int start = 0;
        int lastGlyphX = 0;
        int end = 0;
        std::vector<WORD> glyphs;
        std::vector<INT> advances;
    };
    void Measure(HDC hDC, HGDIOBJ font);
    void SetAlign(HDC hDC, UINT align);
    void SetColor(HDC hDC, COLORREF color);
    int TextTop(const RECT& rect, UINT format) const;

    static const int kAsciiGlyphs = 128;
    HGDIOBJ m_font = NULL;
    int m_height = 0;
    UINT m_align = TA_LEFT | TA_TOP;
    bool m_colorKnown = false;
    COLORREF m_color = 0;
    WORD m_asciiGlyphs[kAsciiGlyphs] = {};
    // Bearings and advances of the ASCII glyphs; absent for fonts that do not give them.
    bool m_haveWidths = false;
    ABC m_asciiWidths[kAsciiGlyphs] = {};
    std::vector<Run> m_runs;
    size_t m_usedRuns = 0;
};
