// CProgressCtrl: the progress bar wrapper.
#include "wincore.h"

#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)

CProgressCtrl::CProgressCtrl() {}
CProgressCtrl::~CProgressCtrl() {}

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    afxcore::EnsureCommonControls(ICC_PROGRESS_CLASS);
    return CWnd::Create(PROGRESS_CLASSA, NULL, dwStyle, rect, pParentWnd, nID);
}

using afxcore::Send;

void CProgressCtrl::SetRange(short nLower, short nUpper) { Send(m_hWnd, PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
void CProgressCtrl::SetRange32(int nLower, int nUpper) { Send(m_hWnd, PBM_SETRANGE32, nLower, nUpper); }

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    PBRANGE range;
    Send(m_hWnd, PBM_GETRANGE, FALSE, (LPARAM)&range);
    nLower = range.iLow;
    nUpper = range.iHigh;
}

int CProgressCtrl::GetPos() const { return (int)Send(m_hWnd, PBM_GETPOS); }
int CProgressCtrl::SetPos(int nPos) { return (int)Send(m_hWnd, PBM_SETPOS, nPos); }
int CProgressCtrl::OffsetPos(int nPos) { return (int)Send(m_hWnd, PBM_DELTAPOS, nPos); }
int CProgressCtrl::SetStep(int nStep) { return (int)Send(m_hWnd, PBM_SETSTEP, nStep); }
int CProgressCtrl::StepIt() { return (int)Send(m_hWnd, PBM_STEPIT); }
COLORREF CProgressCtrl::SetBarColor(COLORREF clrBar) { return (COLORREF)Send(m_hWnd, PBM_SETBARCOLOR, 0, clrBar); }
COLORREF CProgressCtrl::SetBkColor(COLORREF clrNew) { return (COLORREF)Send(m_hWnd, PBM_SETBKCOLOR, 0, clrNew); }
BOOL CProgressCtrl::SetMarquee(BOOL fMarqueeMode, int nInterval) { return (BOOL)Send(m_hWnd, PBM_SETMARQUEE, fMarqueeMode, nInterval); }
