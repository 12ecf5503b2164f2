// CStatusBarCtrl: the status bar control wrapper.
#include "wincore.h"

#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CStatusBarCtrl, CWnd)

CStatusBarCtrl::CStatusBarCtrl() {}
CStatusBarCtrl::~CStatusBarCtrl() {}

BOOL CStatusBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    afxcore::EnsureCommonControls(ICC_BAR_CLASSES);
    return CWnd::Create(STATUSCLASSNAMEA, NULL, dwStyle, rect, pParentWnd, nID);
}

using afxcore::Send;

BOOL CStatusBarCtrl::SetText(LPCTSTR lpszText, int nPane, int nType)
{
    return (BOOL)Send(m_hWnd, SB_SETTEXTA, (nPane | nType), (LPARAM)lpszText);
}

CString CStatusBarCtrl::GetText(int nPane, int* pType) const
{
    CString str;
    // The length comes in characters; the text is written in bytes, up to two each.
    int nLength = LOWORD(Send(m_hWnd, SB_GETTEXTLENGTHA, nPane));
    LRESULT result = Send(m_hWnd, SB_GETTEXTA, nPane, (LPARAM)str.GetBufferSetLength(nLength * 2 + 1));
    str.ReleaseBuffer();
    if (pType != NULL)
        *pType = HIWORD(result);
    return str;
}

int CStatusBarCtrl::GetText(LPTSTR lpszText, int nPane, int* pType) const
{
    LRESULT result = Send(m_hWnd, SB_GETTEXTA, nPane, (LPARAM)lpszText);
    if (pType != NULL)
        *pType = HIWORD(result);
    return LOWORD(result);
}

int CStatusBarCtrl::GetTextLength(int nPane, int* pType) const
{
    LRESULT result = Send(m_hWnd, SB_GETTEXTLENGTHA, nPane);
    if (pType != NULL)
        *pType = HIWORD(result);
    return LOWORD(result);
}

BOOL CStatusBarCtrl::SetParts(int nParts, int* pWidths) { return (BOOL)Send(m_hWnd, SB_SETPARTS, nParts, (LPARAM)pWidths); }
int CStatusBarCtrl::GetParts(int nParts, int* pParts) const { return (int)Send(m_hWnd, SB_GETPARTS, nParts, (LPARAM)pParts); }
BOOL CStatusBarCtrl::GetBorders(int* pBorders) const { return (BOOL)Send(m_hWnd, SB_GETBORDERS, 0, (LPARAM)pBorders); }

BOOL CStatusBarCtrl::GetBorders(int& nHorz, int& nVert, int& nSpacing) const
{
    int borders[3] = { 0, 0, 0 };
    BOOL bResult = GetBorders(borders);
    nHorz = borders[0];
    nVert = borders[1];
    nSpacing = borders[2];
    return bResult;
}

void CStatusBarCtrl::SetMinHeight(int nMin) { Send(m_hWnd, SB_SETMINHEIGHT, nMin); }
BOOL CStatusBarCtrl::SetSimple(BOOL bSimple) { return (BOOL)Send(m_hWnd, SB_SIMPLE, bSimple); }
BOOL CStatusBarCtrl::IsSimple() const { return (BOOL)Send(m_hWnd, SB_ISSIMPLE); }
BOOL CStatusBarCtrl::GetRect(int nPane, LPRECT lpRect) const { return (BOOL)Send(m_hWnd, SB_GETRECT, nPane, (LPARAM)lpRect); }
BOOL CStatusBarCtrl::SetIcon(int nPane, HICON hIcon) { return (BOOL)Send(m_hWnd, SB_SETICON, nPane, (LPARAM)hIcon); }
HICON CStatusBarCtrl::GetIcon(int nPane) const { return (HICON)Send(m_hWnd, SB_GETICON, nPane); }
void CStatusBarCtrl::SetTipText(int nPane, LPCTSTR pszTipText) { Send(m_hWnd, SB_SETTIPTEXTA, nPane, (LPARAM)pszTipText); }

CString CStatusBarCtrl::GetTipText(int nPane) const
{
    char buffer[256] = "";
    Send(m_hWnd, SB_GETTIPTEXTA, MAKEWPARAM(nPane, sizeof(buffer)), (LPARAM)buffer);
    return CString(buffer);
}

COLORREF CStatusBarCtrl::SetBkColor(COLORREF cr) { return (COLORREF)Send(m_hWnd, SB_SETBKCOLOR, 0, cr); }

void CStatusBarCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatusBarCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (afxcore::ReflectDrawItem(*this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
