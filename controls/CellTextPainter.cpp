#include "CellTextPainter.h"

#include <algorithm>
#include <cstring>

namespace {

const UINT kPlainFormats = DT_LEFT | DT_CENTER | DT_RIGHT | DT_TOP | DT_VCENTER | DT_BOTTOM |
                           DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
const size_t kMaxGlyphs = 64;

bool IsPlain(const char* text, UINT format)
{
    return (format & ~kPlainFormats) == 0 && std::strpbrk(text, "&\r\n\t") == nullptr;
}

}  // namespace

void CellTextPainter::ForgetFont()
{
    m_font = NULL;
}

void CellTextPainter::ForgetDC()
{
    m_font = NULL;
    m_align = TA_LEFT | TA_TOP;
    m_colorKnown = false;
    m_usedRuns = 0;
}

void CellTextPainter::SetAlign(HDC hDC, UINT align)
{
    if (align != m_align) {
        ::SetTextAlign(hDC, align);
        m_align = align;
    }
}

void CellTextPainter::SetColor(HDC hDC, COLORREF color)
{
    if (!m_colorKnown || color != m_color) {
        ::SetTextColor(hDC, color);
        m_color = color;
        m_colorKnown = true;
    }
}

void CellTextPainter::Measure(HDC hDC, HGDIOBJ font)
{
    TEXTMETRICA metrics;
    ::GetTextMetricsA(hDC, &metrics);
    m_font = font;
    m_height = metrics.tmHeight;
    char ascii[kAsciiGlyphs];
    for (int c = 0; c < kAsciiGlyphs; ++c)
        ascii[c] = static_cast<char>(c == 0 ? ' ' : c);
    if (::GetGlyphIndicesA(hDC, ascii, kAsciiGlyphs, m_asciiGlyphs, GGI_MARK_NONEXISTING_GLYPHS) !=
        static_cast<DWORD>(kAsciiGlyphs))
        std::fill(m_asciiGlyphs, m_asciiGlyphs + kAsciiGlyphs, 0xFFFF);
    m_haveWidths = ::GetCharABCWidthsA(hDC, 0, kAsciiGlyphs - 1, m_asciiWidths) != FALSE;
}

int CellTextPainter::TextTop(const RECT& rect, UINT format) const
{
    if ((format & DT_SINGLELINE) != 0 && (format & DT_VCENTER) != 0)
        return rect.top + (rect.bottom - rect.top - m_height) / 2;
    if ((format & DT_SINGLELINE) != 0 && (format & DT_BOTTOM) != 0)
        return rect.bottom - m_height;
    return rect.top;
}

void CellTextPainter::Draw(HDC hDC, HGDIOBJ font, const char* text, RECT& rect, UINT format,
                           COLORREF color)
{
    SetColor(hDC, color);
    size_t length = std::strlen(text);
    if (!IsPlain(text, format)) {
        SetAlign(hDC, TA_LEFT | TA_TOP);
        ::DrawTextA(hDC, text, -1, &rect, format);
        return;
    }
    if (font != m_font)
        Measure(hDC, font);
    int y = TextTop(rect, format);
    UINT align = TA_LEFT;
    int x = rect.left;
    if ((format & DT_CENTER) != 0) {
        align = TA_CENTER;
        x = (rect.left + rect.right) / 2;
    } else if ((format & DT_RIGHT) != 0) {
        align = TA_RIGHT;
        x = rect.right;
    }
    SetAlign(hDC, align | TA_TOP);
    UINT options = (format & DT_NOCLIP) != 0 ? 0 : ETO_CLIPPED;
    // Prices and volumes are ASCII: their glyphs come from the font's table read once,
    // which spares the code-page conversion and glyph lookup of every call.
    WORD glyphs[kMaxGlyphs];
    bool indexed = length <= kMaxGlyphs;
    for (size_t i = 0; indexed && i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        indexed = c < kAsciiGlyphs && c != 0 && m_asciiGlyphs[c] != 0xFFFF;
        if (indexed)
            glyphs[i] = m_asciiGlyphs[c];
    }
    if (indexed)
        ::ExtTextOutW(hDC, x, y, options | ETO_GLYPH_INDEX, &rect, reinterpret_cast<LPCWSTR>(glyphs),
                      static_cast<UINT>(length), NULL);
    else
        ::ExtTextOutA(hDC, x, y, options, &rect, text, static_cast<UINT>(length), NULL);
}

bool CellTextPainter::Queue(HDC hDC, HGDIOBJ font, const char* text, const RECT& rect, UINT format,
                            COLORREF color)
{
    // Centred texts and unclipped ones keep their own call: the rounding of a centre and
    // text spilling over a neighbour are DrawText's to decide.
    if ((format & (DT_CENTER | DT_NOCLIP)) != 0 || !IsPlain(text, format))
        return false;
    size_t length = std::strlen(text);
    if (length > kMaxGlyphs)
        return false;
    if (font != m_font) {
        if (m_usedRuns > 0)
            return false;
        Measure(hDC, font);
    }
    if (!m_haveWidths)
        return false;
    int width = 0;
    for (size_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= kAsciiGlyphs || c == 0 || m_asciiGlyphs[c] == 0xFFFF)
            return false;
        const ABC& abc = m_asciiWidths[c];
        width += abc.abcA + static_cast<int>(abc.abcB) + abc.abcC;
    }
    int x = (format & DT_RIGHT) != 0 ? rect.right - width : rect.left;
    // Every glyph's ink must lie inside the rectangle: then clipping to it cuts nothing
    // sideways, and one clip rectangle can serve the whole run.
    int pen = x;
    for (size_t i = 0; i < length; ++i) {
        const ABC& abc = m_asciiWidths[static_cast<unsigned char>(text[i])];
        if (abc.abcB > 0 && (pen + abc.abcA < rect.left ||
                             pen + abc.abcA + static_cast<int>(abc.abcB) > rect.right))
            return false;
        pen += abc.abcA + static_cast<int>(abc.abcB) + abc.abcC;
    }
    int y = TextTop(rect, format);
    Run* run = nullptr;
    for (size_t r = 0; r < m_usedRuns && run == nullptr; ++r) {
        if (m_runs[r].color == color)
            run = &m_runs[r];
    }
    if (run != nullptr && (run->y != y || run->clip.top != rect.top || run->clip.bottom != rect.bottom ||
                           x < run->end || run->glyphs.size() + length > 1024))
        return false;
    if (length == 0)
        return true;
    if (run == nullptr) {
        if (m_usedRuns == m_runs.size())
            m_runs.emplace_back();
        run = &m_runs[m_usedRuns++];
        run->color = color;
        run->y = y;
        run->clip = rect;
        run->start = x;
        run->glyphs.clear();
        run->advances.clear();
    } else {
        run->advances.back() = x - run->lastGlyphX;
        run->clip.left = std::min(run->clip.left, rect.left);
        run->clip.right = std::max(run->clip.right, rect.right);
    }
    pen = x;
    for (size_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        const ABC& abc = m_asciiWidths[c];
        int advance = abc.abcA + static_cast<int>(abc.abcB) + abc.abcC;
        run->glyphs.push_back(m_asciiGlyphs[c]);
        run->advances.push_back(advance);
        run->lastGlyphX = pen;
        pen += advance;
    }
    run->end = pen;
    return true;
}

void CellTextPainter::Flush(HDC hDC)
{
    for (size_t r = 0; r < m_usedRuns; ++r) {
        Run& run = m_runs[r];
        SetColor(hDC, run.color);
        SetAlign(hDC, TA_LEFT | TA_TOP);
        ::ExtTextOutW(hDC, run.start, run.y, ETO_CLIPPED | ETO_GLYPH_INDEX, &run.clip,
                      reinterpret_cast<LPCWSTR>(run.glyphs.data()), static_cast<UINT>(run.glyphs.size()),
                      run.advances.data());
    }
    m_usedRuns = 0;
}
