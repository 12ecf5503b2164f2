// CButton: the button control wrapper (push buttons, check boxes, radio buttons, owner-drawn
// buttons through DrawItem).
#include "wincore.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)

CButton::CButton() {}
CButton::~CButton() {}

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

UINT CButton::GetState() const { return (UINT)::SendMessageA(m_hWnd, BM_GETSTATE, 0, 0); }
void CButton::SetState(BOOL bHighlight) { ::SendMessageA(m_hWnd, BM_SETSTATE, bHighlight, 0); }
int CButton::GetCheck() const { return (int)::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0); }
void CButton::SetCheck(int nCheck) { ::SendMessageA(m_hWnd, BM_SETCHECK, nCheck, 0); }
UINT CButton::GetButtonStyle() const { return (UINT)::GetWindowLongA(m_hWnd, GWL_STYLE) & 0xFFFF; }
void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) { ::SendMessageA(m_hWnd, BM_SETSTYLE, nStyle, bRedraw); }
HICON CButton::SetIcon(HICON hIcon) { return (HICON)::SendMessageA(m_hWnd, BM_SETIMAGE, IMAGE_ICON, (LPARAM)hIcon); }
HICON CButton::GetIcon() const { return (HICON)::SendMessageA(m_hWnd, BM_GETIMAGE, IMAGE_ICON, 0); }

HBITMAP CButton::SetBitmap(HBITMAP hBitmap)
{
    return (HBITMAP)::SendMessageA(m_hWnd, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap);
}

HBITMAP CButton::GetBitmap() const { return (HBITMAP)::SendMessageA(m_hWnd, BM_GETIMAGE, IMAGE_BITMAP, 0); }

HCURSOR CButton::SetCursor(HCURSOR hCursor)
{
    return (HCURSOR)::SendMessageA(m_hWnd, BM_SETIMAGE, IMAGE_CURSOR, (LPARAM)hCursor);
}

HCURSOR CButton::GetCursor() { return (HCURSOR)::SendMessageA(m_hWnd, BM_GETIMAGE, IMAGE_CURSOR, 0); }
BOOL CButton::GetIdealSize(SIZE* psize) const { return (BOOL)::SendMessageA(m_hWnd, BCM_GETIDEALSIZE, 0, (LPARAM)psize); }

BOOL CButton::SetImageList(PBUTTON_IMAGELIST pbuttonImagelist)
{
    return (BOOL)::SendMessageA(m_hWnd, BCM_SETIMAGELIST, 0, (LPARAM)pbuttonImagelist);
}

BOOL CButton::GetImageList(PBUTTON_IMAGELIST pbuttonImagelist) const
{
    return (BOOL)::SendMessageA(m_hWnd, BCM_GETIMAGELIST, 0, (LPARAM)pbuttonImagelist);
}

BOOL CButton::SetTextMargin(RECT* pmargin) { return (BOOL)::SendMessageA(m_hWnd, BCM_SETTEXTMARGIN, 0, (LPARAM)pmargin); }

BOOL CButton::GetTextMargin(RECT* pmargin) const
{
    return (BOOL)::SendMessageA(m_hWnd, BCM_GETTEXTMARGIN, 0, (LPARAM)pmargin);
}

void CButton::Click() { ::SendMessageA(m_hWnd, BM_CLICK, 0, 0); }

void CButton::DrawItem(LPDRAWITEMSTRUCT)
{
    // Owner-drawn buttons override this.
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (afxcore::ReflectDrawItem(*this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
