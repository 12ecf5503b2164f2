// CSliderCtrl: the trackbar wrapper.
#include "wincore.h"

#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

CSliderCtrl::CSliderCtrl() {}
CSliderCtrl::~CSliderCtrl() {}

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    afxcore::EnsureCommonControls(ICC_BAR_CLASSES);
    return CWnd::Create(TRACKBAR_CLASSA, NULL, dwStyle, rect, pParentWnd, nID);
}

using afxcore::Send;

int CSliderCtrl::GetLineSize() const { return (int)Send(m_hWnd, TBM_GETLINESIZE); }
int CSliderCtrl::SetLineSize(int nSize) { return (int)Send(m_hWnd, TBM_SETLINESIZE, 0, nSize); }
int CSliderCtrl::GetPageSize() const { return (int)Send(m_hWnd, TBM_GETPAGESIZE); }
int CSliderCtrl::SetPageSize(int nSize) { return (int)Send(m_hWnd, TBM_SETPAGESIZE, 0, nSize); }
int CSliderCtrl::GetRangeMax() const { return (int)Send(m_hWnd, TBM_GETRANGEMAX); }
int CSliderCtrl::GetRangeMin() const { return (int)Send(m_hWnd, TBM_GETRANGEMIN); }

void CSliderCtrl::GetRange(int& nMin, int& nMax) const
{
    nMin = GetRangeMin();
    nMax = GetRangeMax();
}

void CSliderCtrl::SetRangeMin(int nMin, BOOL bRedraw) { Send(m_hWnd, TBM_SETRANGEMIN, bRedraw, nMin); }
void CSliderCtrl::SetRangeMax(int nMax, BOOL bRedraw) { Send(m_hWnd, TBM_SETRANGEMAX, bRedraw, nMax); }

void CSliderCtrl::SetRange(int nMin, int nMax, BOOL bRedraw)
{
    SetRangeMin(nMin, FALSE);
    SetRangeMax(nMax, bRedraw);
}

void CSliderCtrl::GetSelection(int& nMin, int& nMax) const
{
    nMin = (int)Send(m_hWnd, TBM_GETSELSTART);
    nMax = (int)Send(m_hWnd, TBM_GETSELEND);
}

void CSliderCtrl::SetSelection(int nMin, int nMax)
{
    Send(m_hWnd, TBM_SETSELSTART, FALSE, nMin);
    Send(m_hWnd, TBM_SETSELEND, TRUE, nMax);
}

void CSliderCtrl::GetChannelRect(LPRECT lprc) const { Send(m_hWnd, TBM_GETCHANNELRECT, 0, (LPARAM)lprc); }
void CSliderCtrl::GetThumbRect(LPRECT lprc) const { Send(m_hWnd, TBM_GETTHUMBRECT, 0, (LPARAM)lprc); }
int CSliderCtrl::GetPos() const { return (int)Send(m_hWnd, TBM_GETPOS); }
void CSliderCtrl::SetPos(int nPos) { Send(m_hWnd, TBM_SETPOS, TRUE, nPos); }
UINT CSliderCtrl::GetNumTics() const { return (UINT)Send(m_hWnd, TBM_GETNUMTICS); }
DWORD* CSliderCtrl::GetTicArray() const { return (DWORD*)Send(m_hWnd, TBM_GETPTICS); }
int CSliderCtrl::GetTic(int nTic) const { return (int)Send(m_hWnd, TBM_GETTIC, nTic); }
int CSliderCtrl::GetTicPos(int nTic) const { return (int)Send(m_hWnd, TBM_GETTICPOS, nTic); }
BOOL CSliderCtrl::SetTic(int nTic) { return (BOOL)Send(m_hWnd, TBM_SETTIC, 0, nTic); }
void CSliderCtrl::SetTicFreq(int nFreq) { Send(m_hWnd, TBM_SETTICFREQ, nFreq); }
CWnd* CSliderCtrl::GetBuddy(BOOL fLocation) const { return CWnd::FromHandle((HWND)Send(m_hWnd, TBM_GETBUDDY, fLocation)); }

CWnd* CSliderCtrl::SetBuddy(CWnd* pWndBuddy, BOOL fLocation)
{
    return CWnd::FromHandle((HWND)Send(m_hWnd, TBM_SETBUDDY, fLocation,
                                       (LPARAM)(pWndBuddy != NULL ? pWndBuddy->GetSafeHwnd() : NULL)));
}

void CSliderCtrl::ClearSel(BOOL bRedraw) { Send(m_hWnd, TBM_CLEARSEL, bRedraw); }
void CSliderCtrl::ClearTics(BOOL bRedraw) { Send(m_hWnd, TBM_CLEARTICS, bRedraw); }
