// CEdit: the edit control wrapper.
#include "wincore.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)

CEdit::CEdit() {}
CEdit::~CEdit() {}

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("EDIT", NULL, dwStyle, rect, pParentWnd, nID);
}

using afxcore::Send;

BOOL CEdit::CanUndo() const { return (BOOL)Send(m_hWnd, EM_CANUNDO); }
int CEdit::GetLineCount() const { return (int)Send(m_hWnd, EM_GETLINECOUNT); }
BOOL CEdit::GetModify() const { return (BOOL)Send(m_hWnd, EM_GETMODIFY); }
void CEdit::SetModify(BOOL bModified) { Send(m_hWnd, EM_SETMODIFY, bModified); }
void CEdit::GetRect(LPRECT lpRect) const { Send(m_hWnd, EM_GETRECT, 0, (LPARAM)lpRect); }
DWORD CEdit::GetSel() const { return (DWORD)Send(m_hWnd, EM_GETSEL); }

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD start = 0;
    DWORD end = 0;
    Send(m_hWnd, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    nStartChar = (int)start;
    nEndChar = (int)end;
}

HLOCAL CEdit::GetHandle() const { return (HLOCAL)Send(m_hWnd, EM_GETHANDLE); }
void CEdit::SetHandle(HLOCAL hBuffer) { Send(m_hWnd, EM_SETHANDLE, (WPARAM)hBuffer); }

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer) const
{
    return (int)Send(m_hWnd, EM_GETLINE, nIndex, (LPARAM)lpszBuffer);
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    // EM_GETLINE takes the buffer size in its first WORD.
    if (nMaxLength < (int)sizeof(WORD))
        return 0;
    *reinterpret_cast<WORD*>(lpszBuffer) = (WORD)nMaxLength;
    return (int)Send(m_hWnd, EM_GETLINE, nIndex, (LPARAM)lpszBuffer);
}

void CEdit::SetMargins(UINT nLeft, UINT nRight) { Send(m_hWnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(nLeft, nRight)); }
DWORD CEdit::GetMargins() const { return (DWORD)Send(m_hWnd, EM_GETMARGINS); }
void CEdit::SetLimitText(UINT nMax) { Send(m_hWnd, EM_SETLIMITTEXT, nMax); }
UINT CEdit::GetLimitText() const { return (UINT)Send(m_hWnd, EM_GETLIMITTEXT); }

CPoint CEdit::PosFromChar(UINT nChar) const
{
    LRESULT pos = Send(m_hWnd, EM_POSFROMCHAR, nChar);
    return CPoint((short)LOWORD(pos), (short)HIWORD(pos));
}

int CEdit::CharFromPos(CPoint pt) const { return (int)Send(m_hWnd, EM_CHARFROMPOS, 0, MAKELPARAM(pt.x, pt.y)); }
BOOL CEdit::SetCueBanner(LPCWSTR lpszText, BOOL fDrawWhenFocused) { return (BOOL)Send(m_hWnd, EM_SETCUEBANNER, fDrawWhenFocused, (LPARAM)lpszText); }
void CEdit::EmptyUndoBuffer() { Send(m_hWnd, EM_EMPTYUNDOBUFFER); }
BOOL CEdit::FmtLines(BOOL bAddEOL) { return (BOOL)Send(m_hWnd, EM_FMTLINES, bAddEOL); }
void CEdit::LimitText(int nChars) { Send(m_hWnd, EM_LIMITTEXT, nChars); }
int CEdit::LineFromChar(int nIndex) const { return (int)Send(m_hWnd, EM_LINEFROMCHAR, nIndex); }
int CEdit::LineIndex(int nLine) const { return (int)Send(m_hWnd, EM_LINEINDEX, nLine); }
int CEdit::LineLength(int nLine) const { return (int)Send(m_hWnd, EM_LINELENGTH, nLine); }
void CEdit::LineScroll(int nLines, int nChars) { Send(m_hWnd, EM_LINESCROLL, nChars, nLines); }
void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) { Send(m_hWnd, EM_REPLACESEL, bCanUndo, (LPARAM)lpszNewText); }
void CEdit::SetPasswordChar(TCHAR ch) { Send(m_hWnd, EM_SETPASSWORDCHAR, (BYTE)ch); }
void CEdit::SetRect(LPCRECT lpRect) { Send(m_hWnd, EM_SETRECT, 0, (LPARAM)lpRect); }
void CEdit::SetRectNP(LPCRECT lpRect) { Send(m_hWnd, EM_SETRECTNP, 0, (LPARAM)lpRect); }
void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
    Send(m_hWnd, EM_SETSEL, LOWORD(dwSelection), HIWORD(dwSelection));
    if (!bNoScroll)
        Send(m_hWnd, EM_SCROLLCARET);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    Send(m_hWnd, EM_SETSEL, nStartChar, nEndChar);
    if (!bNoScroll)
        Send(m_hWnd, EM_SCROLLCARET);
}

BOOL CEdit::SetTabStops(int nTabStops, LPINT rgTabStops) { return (BOOL)Send(m_hWnd, EM_SETTABSTOPS, nTabStops, (LPARAM)rgTabStops); }
void CEdit::SetTabStops() { Send(m_hWnd, EM_SETTABSTOPS, 0, 0); }
BOOL CEdit::SetTabStops(const int& cxEachStop) { return (BOOL)Send(m_hWnd, EM_SETTABSTOPS, 1, (LPARAM)&cxEachStop); }
BOOL CEdit::Undo() { return (BOOL)Send(m_hWnd, EM_UNDO); }
void CEdit::Clear() { Send(m_hWnd, WM_CLEAR); }
void CEdit::Copy() { Send(m_hWnd, WM_COPY); }
void CEdit::Cut() { Send(m_hWnd, WM_CUT); }
void CEdit::Paste() { Send(m_hWnd, WM_PASTE); }
BOOL CEdit::SetReadOnly(BOOL bReadOnly) { return (BOOL)Send(m_hWnd, EM_SETREADONLY, bReadOnly); }
int CEdit::GetFirstVisibleLine() const { return (int)Send(m_hWnd, EM_GETFIRSTVISIBLELINE); }
TCHAR CEdit::GetPasswordChar() const { return (TCHAR)Send(m_hWnd, EM_GETPASSWORDCHAR); }
