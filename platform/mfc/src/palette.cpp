// CPalette: a GDI colour palette.
#include "gdihandlemaps.h"

IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

CPalette* PASCAL CPalette::FromHandle(HPALETTE hPalette)
{
    return afxcore::GdiWrapperFor<CPalette>(hPalette);
}

CPalette::CPalette()
{
}

BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette)
{
    if (lpLogPalette == NULL)
        return FALSE;
    return Attach(::CreatePalette(lpLogPalette));
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    return Attach(::CreateHalftonePalette(pDC != NULL ? pDC->m_hDC : NULL));
}

int CPalette::GetEntryCount()
{
    WORD entries = 0;
    if (::GetObject(m_hObject, sizeof(entries), &entries) == 0)
        return 0;
    return entries;
}

UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries,
                                 LPPALETTEENTRY lpPaletteColors) const
{
    return ::GetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::SetPaletteEntries(UINT nStartIndex, UINT nNumEntries,
                                 LPPALETTEENTRY lpPaletteColors)
{
    return ::SetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

void CPalette::AnimatePalette(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
{
    ::AnimatePalette((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::GetNearestPaletteIndex(COLORREF crColor) const
{
    return ::GetNearestPaletteIndex((HPALETTE)m_hObject, crColor);
}

BOOL CPalette::ResizePalette(UINT nNumEntries)
{
    return ::ResizePalette((HPALETTE)m_hObject, nNumEntries);
}
