// CRichEditCtrl: the rich edit control wrapper (version 2 class, "RichEdit20A").
#include "wincore.h"

#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

CRichEditCtrl::CRichEditCtrl() {}
CRichEditCtrl::~CRichEditCtrl() {}

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxInitRichEdit2();
    return CWnd::Create(RICHEDIT_CLASSA, NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CRichEditCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxInitRichEdit2();
    return CWnd::CreateEx(dwExStyle, RICHEDIT_CLASSA, NULL, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

using afxcore::Send;

BOOL CRichEditCtrl::CanUndo() const { return (BOOL)Send(m_hWnd, EM_CANUNDO); }
BOOL CRichEditCtrl::CanRedo() const { return (BOOL)Send(m_hWnd, EM_CANREDO); }
int CRichEditCtrl::GetLineCount() const { return (int)Send(m_hWnd, EM_GETLINECOUNT); }
BOOL CRichEditCtrl::GetModify() const { return (BOOL)Send(m_hWnd, EM_GETMODIFY); }
void CRichEditCtrl::SetModify(BOOL bModified) { Send(m_hWnd, EM_SETMODIFY, bModified); }
void CRichEditCtrl::GetRect(LPRECT lpRect) const { Send(m_hWnd, EM_GETRECT, 0, (LPARAM)lpRect); }
void CRichEditCtrl::SetRect(LPCRECT lpRect) { Send(m_hWnd, EM_SETRECT, 0, (LPARAM)lpRect); }

CPoint CRichEditCtrl::GetCharPos(long lChar) const
{
    POINTL pt = { 0, 0 };
    Send(m_hWnd, EM_POSFROMCHAR, (WPARAM)&pt, lChar);
    return CPoint((int)pt.x, (int)pt.y);
}

void CRichEditCtrl::SetOptions(WORD wOp, DWORD dwFlags) { Send(m_hWnd, EM_SETOPTIONS, wOp, dwFlags); }
UINT CRichEditCtrl::GetOptions() const { return (UINT)Send(m_hWnd, EM_GETOPTIONS); }
int CRichEditCtrl::GetLine(int nIndex, LPTSTR lpszBuffer) const { return (int)Send(m_hWnd, EM_GETLINE, nIndex, (LPARAM)lpszBuffer); }

int CRichEditCtrl::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    if (nMaxLength < (int)sizeof(WORD))
        return 0;
    *reinterpret_cast<WORD*>(lpszBuffer) = (WORD)nMaxLength;
    return (int)Send(m_hWnd, EM_GETLINE, nIndex, (LPARAM)lpszBuffer);
}

BOOL CRichEditCtrl::CanPaste(UINT nFormat) const { return (BOOL)Send(m_hWnd, EM_CANPASTE, nFormat); }

void CRichEditCtrl::GetSel(long& nStartChar, long& nEndChar) const
{
    CHARRANGE cr;
    Send(m_hWnd, EM_EXGETSEL, 0, (LPARAM)&cr);
    nStartChar = cr.cpMin;
    nEndChar = cr.cpMax;
}

void CRichEditCtrl::GetSel(CHARRANGE& cr) const { Send(m_hWnd, EM_EXGETSEL, 0, (LPARAM)&cr); }
void CRichEditCtrl::LimitText(long nChars) { Send(m_hWnd, EM_EXLIMITTEXT, 0, nChars); }
long CRichEditCtrl::LineFromChar(long nIndex) const { return (long)Send(m_hWnd, EM_EXLINEFROMCHAR, 0, nIndex); }

void CRichEditCtrl::SetSel(long nStartChar, long nEndChar)
{
    CHARRANGE cr;
    cr.cpMin = nStartChar;
    cr.cpMax = nEndChar;
    Send(m_hWnd, EM_EXSETSEL, 0, (LPARAM)&cr);
}

void CRichEditCtrl::SetSel(CHARRANGE& cr) { Send(m_hWnd, EM_EXSETSEL, 0, (LPARAM)&cr); }

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT& cf) const
{
    cf.cbSize = sizeof(CHARFORMAT);
    return (DWORD)Send(m_hWnd, EM_GETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cf);
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT& cf) const
{
    cf.cbSize = sizeof(CHARFORMAT);
    return (DWORD)Send(m_hWnd, EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf);
}

long CRichEditCtrl::GetEventMask() const { return (long)Send(m_hWnd, EM_GETEVENTMASK); }
long CRichEditCtrl::GetLimitText() const { return (long)Send(m_hWnd, EM_GETLIMITTEXT); }

DWORD CRichEditCtrl::GetParaFormat(PARAFORMAT& pf) const
{
    pf.cbSize = sizeof(PARAFORMAT);
    return (DWORD)Send(m_hWnd, EM_GETPARAFORMAT, 0, (LPARAM)&pf);
}

long CRichEditCtrl::GetSelText(LPSTR lpBuf) const { return (long)Send(m_hWnd, EM_GETSELTEXT, 0, (LPARAM)lpBuf); }

CString CRichEditCtrl::GetSelText() const
{
    CHARRANGE cr;
    Send(m_hWnd, EM_EXGETSEL, 0, (LPARAM)&cr);
    // Up to two bytes per character in a multi-byte code page.
    int nBytes = (int)(cr.cpMax - cr.cpMin) * 2 + 1;
    CString str;
    if (nBytes <= 1)
        return str;
    Send(m_hWnd, EM_GETSELTEXT, 0, (LPARAM)str.GetBufferSetLength(nBytes));
    str.ReleaseBuffer();
    return str;
}

WORD CRichEditCtrl::GetSelectionType() const { return (WORD)Send(m_hWnd, EM_SELECTIONTYPE); }
COLORREF CRichEditCtrl::SetBackgroundColor(BOOL bSysColor, COLORREF cr) { return (COLORREF)Send(m_hWnd, EM_SETBKGNDCOLOR, bSysColor, cr); }

BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT& cf)
{
    cf.cbSize = sizeof(CHARFORMAT);
    return (BOOL)Send(m_hWnd, EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cf);
}

BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT& cf)
{
    cf.cbSize = sizeof(CHARFORMAT);
    return (BOOL)Send(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf);
}

BOOL CRichEditCtrl::SetWordCharFormat(CHARFORMAT& cf)
{
    cf.cbSize = sizeof(CHARFORMAT);
    return (BOOL)Send(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, (LPARAM)&cf);
}

DWORD CRichEditCtrl::SetEventMask(DWORD dwEventMask) { return (DWORD)Send(m_hWnd, EM_SETEVENTMASK, 0, dwEventMask); }

BOOL CRichEditCtrl::SetParaFormat(PARAFORMAT& pf)
{
    pf.cbSize = sizeof(PARAFORMAT);
    return (BOOL)Send(m_hWnd, EM_SETPARAFORMAT, 0, (LPARAM)&pf);
}

BOOL CRichEditCtrl::SetTargetDevice(HDC hDC, long lLineWidth) { return (BOOL)Send(m_hWnd, EM_SETTARGETDEVICE, (WPARAM)hDC, lLineWidth); }
long CRichEditCtrl::GetTextLength() const { return (long)Send(m_hWnd, WM_GETTEXTLENGTH); }

long CRichEditCtrl::GetTextLengthEx(DWORD dwFlags, UINT uCodePage) const
{
    GETTEXTLENGTHEX gtl;
    gtl.flags = dwFlags;
    gtl.codepage = uCodePage == (UINT)-1 ? CP_ACP : uCodePage;
    return (long)Send(m_hWnd, EM_GETTEXTLENGTHEX, (WPARAM)&gtl, 0);
}

int CRichEditCtrl::GetTextRange(int nFirst, int nLast, CString& refString) const
{
    TEXTRANGEA tr;
    tr.chrg.cpMin = nFirst;
    tr.chrg.cpMax = nLast;
    int nLength = nLast - nFirst;
    if (nLast == -1 || nLength < 0)
        nLength = (int)GetTextLength() - nFirst;
    if (nLength <= 0) {
        refString.Empty();
        return 0;
    }
    tr.lpstrText = refString.GetBufferSetLength(nLength * 2 + 1);
    int nResult = (int)Send(m_hWnd, EM_GETTEXTRANGE, 0, (LPARAM)&tr);
    refString.ReleaseBuffer();
    return nResult;
}

BOOL CRichEditCtrl::SetReadOnly(BOOL bReadOnly) { return (BOOL)Send(m_hWnd, EM_SETREADONLY, bReadOnly); }
int CRichEditCtrl::GetFirstVisibleLine() const { return (int)Send(m_hWnd, EM_GETFIRSTVISIBLELINE); }
BOOL CRichEditCtrl::SetAutoURLDetect(BOOL bEnable) { return (BOOL)Send(m_hWnd, EM_AUTOURLDETECT, bEnable) == 0; }
UINT CRichEditCtrl::SetTextMode(UINT fMode) { return (UINT)Send(m_hWnd, EM_SETTEXTMODE, fMode); }
UINT CRichEditCtrl::GetTextMode() const { return (UINT)Send(m_hWnd, EM_GETTEXTMODE); }
void CRichEditCtrl::EmptyUndoBuffer() { Send(m_hWnd, EM_EMPTYUNDOBUFFER); }
int CRichEditCtrl::LineIndex(int nLine) const { return (int)Send(m_hWnd, EM_LINEINDEX, nLine); }
int CRichEditCtrl::LineLength(int nLine) const { return (int)Send(m_hWnd, EM_LINELENGTH, nLine); }
void CRichEditCtrl::LineScroll(int nLines, int nChars) { Send(m_hWnd, EM_LINESCROLL, nChars, nLines); }
void CRichEditCtrl::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) { Send(m_hWnd, EM_REPLACESEL, bCanUndo, (LPARAM)lpszNewText); }
BOOL CRichEditCtrl::DisplayBand(LPRECT pDisplayRect) { return (BOOL)Send(m_hWnd, EM_DISPLAYBAND, 0, (LPARAM)pDisplayRect); }
long CRichEditCtrl::FindText(DWORD dwFlags, FINDTEXTEX* pFindText) const { return (long)Send(m_hWnd, EM_FINDTEXTEX, dwFlags, (LPARAM)pFindText); }
long CRichEditCtrl::FormatRange(FORMATRANGE* pfr, BOOL bDisplay) { return (long)Send(m_hWnd, EM_FORMATRANGE, bDisplay, (LPARAM)pfr); }
void CRichEditCtrl::HideSelection(BOOL bHide, BOOL bPerm) { Send(m_hWnd, EM_HIDESELECTION, bHide, bPerm); }

void CRichEditCtrl::PasteSpecial(UINT nClipFormat, DWORD dvAspect, HMETAFILE hMF)
{
    REPASTESPECIAL reps;
    reps.dwAspect = dvAspect;
    reps.dwParam = (DWORD_PTR)hMF;
    Send(m_hWnd, EM_PASTESPECIAL, nClipFormat, (LPARAM)&reps);
}

void CRichEditCtrl::RequestResize() { Send(m_hWnd, EM_REQUESTRESIZE); }
long CRichEditCtrl::StreamIn(int nFormat, EDITSTREAM& es) { return (long)Send(m_hWnd, EM_STREAMIN, nFormat, (LPARAM)&es); }
long CRichEditCtrl::StreamOut(int nFormat, EDITSTREAM& es) { return (long)Send(m_hWnd, EM_STREAMOUT, nFormat, (LPARAM)&es); }
BOOL CRichEditCtrl::Undo() { return (BOOL)Send(m_hWnd, EM_UNDO); }
BOOL CRichEditCtrl::Redo() { return (BOOL)Send(m_hWnd, EM_REDO); }
void CRichEditCtrl::Clear() { Send(m_hWnd, WM_CLEAR); }
void CRichEditCtrl::Copy() { Send(m_hWnd, WM_COPY); }
void CRichEditCtrl::Cut() { Send(m_hWnd, WM_CUT); }
void CRichEditCtrl::Paste() { Send(m_hWnd, WM_PASTE); }
