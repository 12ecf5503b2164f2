// CBitmapButton: an owner-drawn push button showing one of four bitmaps.
#include "wincore.h"

#include <afxext.h>

IMPLEMENT_DYNAMIC(CBitmapButton, CButton)

CBitmapButton::CBitmapButton() {}
CBitmapButton::~CBitmapButton() {}

BOOL CBitmapButton::LoadBitmaps(LPCTSTR lpszBitmapResource, LPCTSTR lpszBitmapResourceSel,
                                LPCTSTR lpszBitmapResourceFocus, LPCTSTR lpszBitmapResourceDisabled)
{
    m_bitmap.DeleteObject();
    m_bitmapSel.DeleteObject();
    m_bitmapFocus.DeleteObject();
    m_bitmapDisabled.DeleteObject();
    if (!m_bitmap.LoadBitmap(lpszBitmapResource))
        return FALSE;
    BOOL bAllLoaded = TRUE;
    if (lpszBitmapResourceSel != NULL && !m_bitmapSel.LoadBitmap(lpszBitmapResourceSel))
        bAllLoaded = FALSE;
    if (lpszBitmapResourceFocus != NULL && !m_bitmapFocus.LoadBitmap(lpszBitmapResourceFocus))
        bAllLoaded = FALSE;
    if (lpszBitmapResourceDisabled != NULL && !m_bitmapDisabled.LoadBitmap(lpszBitmapResourceDisabled))
        bAllLoaded = FALSE;
    return bAllLoaded;
}

BOOL CBitmapButton::LoadBitmaps(UINT nIDBitmapResource, UINT nIDBitmapResourceSel,
                                UINT nIDBitmapResourceFocus, UINT nIDBitmapResourceDisabled)
{
    return LoadBitmaps(MAKEINTRESOURCEA(nIDBitmapResource),
                       nIDBitmapResourceSel != 0 ? MAKEINTRESOURCEA(nIDBitmapResourceSel) : NULL,
                       nIDBitmapResourceFocus != 0 ? MAKEINTRESOURCEA(nIDBitmapResourceFocus) : NULL,
                       nIDBitmapResourceDisabled != 0 ? MAKEINTRESOURCEA(nIDBitmapResourceDisabled) : NULL);
}

BOOL CBitmapButton::AutoLoad(UINT nID, CWnd* pParent)
{
    if (!SubclassDlgItem(nID, pParent))
        return FALSE;
    CString caption;
    GetWindowText(caption);
    if (!LoadBitmaps(caption + "U", caption + "D", caption + "F", caption + "X") &&
        m_bitmap.GetSafeHandle() == NULL)
        return FALSE;
    SizeToContent();
    return TRUE;
}

void CBitmapButton::SizeToContent()
{
    BITMAP bm;
    if (m_bitmap.GetSafeHandle() == NULL || !m_bitmap.GetObject(sizeof(bm), &bm))
        return;
    SetWindowPos(NULL, -1, -1, bm.bmWidth, bm.bmHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CBitmap* pBitmap = &m_bitmap;
    UINT state = lpDIS->itemState;
    if ((state & ODS_SELECTED) && m_bitmapSel.GetSafeHandle() != NULL)
        pBitmap = &m_bitmapSel;
    else if ((state & ODS_FOCUS) && m_bitmapFocus.GetSafeHandle() != NULL)
        pBitmap = &m_bitmapFocus;
    else if ((state & ODS_DISABLED) && m_bitmapDisabled.GetSafeHandle() != NULL)
        pBitmap = &m_bitmapDisabled;
    if (pBitmap->GetSafeHandle() == NULL)
        return;

    HDC hMemDC = ::CreateCompatibleDC(lpDIS->hDC);
    HGDIOBJ hOld = ::SelectObject(hMemDC, pBitmap->GetSafeHandle());
    const RECT& rect = lpDIS->rcItem;
    ::BitBlt(lpDIS->hDC, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
             hMemDC, 0, 0, SRCCOPY);
    ::SelectObject(hMemDC, hOld);
    ::DeleteDC(hMemDC);
}
