// CSpinButtonCtrl: the up-down control wrapper.
#include "wincore.h"

#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

CSpinButtonCtrl::CSpinButtonCtrl() {}
CSpinButtonCtrl::~CSpinButtonCtrl() {}

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    afxcore::EnsureCommonControls(ICC_UPDOWN_CLASS);
    return CWnd::Create(UPDOWN_CLASSA, NULL, dwStyle, rect, pParentWnd, nID);
}

using afxcore::Send;

BOOL CSpinButtonCtrl::SetAccel(int nAccel, UDACCEL* pAccel) { return (BOOL)Send(m_hWnd, UDM_SETACCEL, nAccel, (LPARAM)pAccel); }
UINT CSpinButtonCtrl::GetAccel(int nAccel, UDACCEL* pAccel) const { return (UINT)Send(m_hWnd, UDM_GETACCEL, nAccel, (LPARAM)pAccel); }
int CSpinButtonCtrl::SetBase(int nBase) { return (int)Send(m_hWnd, UDM_SETBASE, nBase); }
UINT CSpinButtonCtrl::GetBase() const { return (UINT)Send(m_hWnd, UDM_GETBASE); }
CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy) { return CWnd::FromHandle((HWND)Send(m_hWnd, UDM_SETBUDDY, (WPARAM)(pWndBuddy != NULL ? pWndBuddy->GetSafeHwnd() : NULL))); }
CWnd* CSpinButtonCtrl::GetBuddy() const { return CWnd::FromHandle((HWND)Send(m_hWnd, UDM_GETBUDDY)); }
int CSpinButtonCtrl::SetPos(int nPos) { return (short)LOWORD(Send(m_hWnd, UDM_SETPOS, 0, MAKELPARAM(nPos, 0))); }
int CSpinButtonCtrl::GetPos() const { return (int)Send(m_hWnd, UDM_GETPOS); }
void CSpinButtonCtrl::SetRange(short nLower, short nUpper) { Send(m_hWnd, UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower)); }
void CSpinButtonCtrl::SetRange32(int nLower, int nUpper) { Send(m_hWnd, UDM_SETRANGE32, nLower, nUpper); }
DWORD CSpinButtonCtrl::GetRange() const { return (DWORD)Send(m_hWnd, UDM_GETRANGE); }
void CSpinButtonCtrl::GetRange(int& lower, int& upper) const
{
    DWORD dw = GetRange();
    lower = (short)HIWORD(dw);
    upper = (short)LOWORD(dw);
}
void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const { Send(m_hWnd, UDM_GETRANGE32, (WPARAM)&lower, (LPARAM)&upper); }
int CSpinButtonCtrl::SetPos32(int nPos) { return (int)Send(m_hWnd, UDM_SETPOS32, 0, nPos); }
int CSpinButtonCtrl::GetPos32(LPBOOL lpbError) const { return (int)Send(m_hWnd, UDM_GETPOS32, 0, (LPARAM)lpbError); }
