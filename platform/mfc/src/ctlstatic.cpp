// CStatic: the static control wrapper.
#include "wincore.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)

CStatic::CStatic() {}
CStatic::~CStatic() {}

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

HICON CStatic::SetIcon(HICON hIcon) { return (HICON)::SendMessageA(m_hWnd, STM_SETICON, (WPARAM)hIcon, 0); }
HICON CStatic::GetIcon() const { return (HICON)::SendMessageA(m_hWnd, STM_GETICON, 0, 0); }

HBITMAP CStatic::SetBitmap(HBITMAP hBitmap)
{
    return (HBITMAP)::SendMessageA(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap);
}

HBITMAP CStatic::GetBitmap() const { return (HBITMAP)::SendMessageA(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0); }

HCURSOR CStatic::SetCursor(HCURSOR hCursor)
{
    return (HCURSOR)::SendMessageA(m_hWnd, STM_SETIMAGE, IMAGE_CURSOR, (LPARAM)hCursor);
}

HCURSOR CStatic::GetCursor() { return (HCURSOR)::SendMessageA(m_hWnd, STM_GETIMAGE, IMAGE_CURSOR, 0); }

HENHMETAFILE CStatic::SetEnhMetaFile(HENHMETAFILE hMetaFile)
{
    return (HENHMETAFILE)::SendMessageA(m_hWnd, STM_SETIMAGE, IMAGE_ENHMETAFILE, (LPARAM)hMetaFile);
}

HENHMETAFILE CStatic::GetEnhMetaFile() const
{
    return (HENHMETAFILE)::SendMessageA(m_hWnd, STM_GETIMAGE, IMAGE_ENHMETAFILE, 0);
}

void CStatic::DrawItem(LPDRAWITEMSTRUCT)
{
    // Owner-drawn statics override this.
}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (afxcore::ReflectDrawItem(*this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
