#include "CellTextPainter.h"

#include <algorithm>
#include <cstring>

void CellTextPainter::Forget()
{
    m_font = NULL;
    m_align = TA_LEFT | TA_TOP;
}

void CellTextPainter::SetAlign(HDC hDC, UINT align)
{
    if (align != m_align) {
        ::SetTextAlign(hDC, align);
        m_align = align;
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
}

void CellTextPainter::Draw(HDC hDC, HGDIOBJ font, const char* text, RECT& rect, UINT format)
{
    const UINT simple = DT_LEFT | DT_CENTER | DT_RIGHT | DT_TOP | DT_VCENTER | DT_BOTTOM |
                        DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
    size_t length = std::strlen(text);
    bool plain = (format & ~simple) == 0 && std::strpbrk(text, "&\r\n\t") == nullptr;
    if (!plain) {
        SetAlign(hDC, TA_LEFT | TA_TOP);
        ::DrawTextA(hDC, text, -1, &rect, format);
        return;
    }
    if (font != m_font)
        Measure(hDC, font);
    int y = rect.top;
    if ((format & DT_SINGLELINE) != 0 && (format & (DT_VCENTER | DT_BOTTOM)) != 0) {
        if ((format & DT_VCENTER) != 0)
            y = rect.top + (rect.bottom - rect.top - m_height) / 2;
        else
            y = rect.bottom - m_height;
    }
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
    WORD glyphs[64];
    bool indexed = length <= sizeof(glyphs) / sizeof(glyphs[0]);
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
