// CFont: a GDI font, also made from a point size for a given device.
#include "gdihandlemaps.h"

#include <stdlib.h>

IMPLEMENT_DYNAMIC(CFont, CGdiObject)

CFont* PASCAL CFont::FromHandle(HFONT hFont)
{
    return afxcore::GdiWrapperFor<CFont>(hFont);
}

CFont::CFont()
{
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    if (lpLogFont == NULL)
        return FALSE;
    return Attach(::CreateFontIndirect(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                       BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
    return Attach(::CreateFont(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                               bUnderline, cStrikeOut, nCharSet, nOutPrecision, nClipPrecision,
                               nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT logFont;
    memset(&logFont, 0, sizeof(logFont));
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    if (lpszFaceName != NULL)
        lstrcpyn(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
    if (lpLogFont == NULL)
        return FALSE;
    HDC hDC = pDC != NULL ? pDC->m_hAttribDC : ::GetDC(NULL);
    if (hDC == NULL)
        return FALSE;

    // Tenths of a point to device pixels, then to the DC's logical units; a negative
    // height asks for the character height (not the cell height), as point sizes mean.
    LOGFONT logFont = *lpLogFont;
    POINT height = { 0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), logFont.lfHeight, 720) };
    POINT origin = { 0, 0 };
    ::DPtoLP(hDC, &height, 1);
    ::DPtoLP(hDC, &origin, 1);
    logFont.lfHeight = -abs(height.y - origin.y);

    if (pDC == NULL)
        ::ReleaseDC(NULL, hDC);
    return CreateFontIndirect(&logFont);
}

int CFont::GetLogFont(LOGFONT* pLogFont)
{
    return ::GetObject(m_hObject, sizeof(LOGFONT), pLogFont);
}
