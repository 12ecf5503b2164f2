// CToolTipCtrl: the tool tip control wrapper.
#include "wincore.h"

#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

CToolTipCtrl::CToolTipCtrl() {}
CToolTipCtrl::~CToolTipCtrl() {}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    return CreateEx(pParentWnd, dwStyle, 0);
}

BOOL CToolTipCtrl::CreateEx(CWnd* pParentWnd, DWORD dwStyle, DWORD dwStyleEx)
{
    afxcore::EnsureCommonControls(ICC_WIN95_CLASSES);
    BOOL bResult = CWnd::CreateEx(dwStyleEx, TOOLTIPS_CLASSA, NULL, WS_POPUP | dwStyle,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  pParentWnd != NULL ? pParentWnd->GetSafeHwnd() : NULL, NULL, NULL);
    if (bResult)
        SetOwner(pParentWnd);
    return bResult;
}

using afxcore::Send;

void CToolTipCtrl::FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    memset(&ti, 0, sizeof(ti));
    ti.cbSize = sizeof(ti);
    HWND hWnd = pWnd != NULL ? pWnd->GetSafeHwnd() : NULL;
    if (nIDTool == 0) {
        // The whole window is the tool.
        ti.hwnd = ::GetParent(hWnd);
        ti.uFlags = TTF_IDISHWND;
        ti.uId = (UINT_PTR)hWnd;
    } else {
        ti.hwnd = hWnd;
        ti.uFlags = 0;
        ti.uId = nIDTool;
    }
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    char buffer[1024] = "";
    ti.lpszText = buffer;
    Send(m_hWnd, TTM_GETTEXTA, 0, (LPARAM)&ti);
    str = buffer;
}

BOOL CToolTipCtrl::GetToolInfo(CToolInfo& ToolInfo, CWnd* pWnd, UINT_PTR nIDTool) const
{
    FillInToolInfo(ToolInfo, pWnd, nIDTool);
    ToolInfo.lpszText = ToolInfo.szText;
    return (BOOL)Send(m_hWnd, TTM_GETTOOLINFOA, 0, (LPARAM)&ToolInfo);
}

void CToolTipCtrl::SetToolInfo(LPTOOLINFO lpToolInfo) { Send(m_hWnd, TTM_SETTOOLINFOA, 0, (LPARAM)lpToolInfo); }

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    Send(m_hWnd, TTM_NEWTOOLRECTA, 0, (LPARAM)&ti);
}

int CToolTipCtrl::GetToolCount() const { return (int)Send(m_hWnd, TTM_GETTOOLCOUNT); }
int CToolTipCtrl::GetDelayTime(DWORD dwDuration) const { return (int)Send(m_hWnd, TTM_GETDELAYTIME, dwDuration); }
void CToolTipCtrl::SetDelayTime(UINT nDelay) { Send(m_hWnd, TTM_SETDELAYTIME, TTDT_AUTOMATIC, nDelay); }
void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime) { Send(m_hWnd, TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0)); }
void CToolTipCtrl::GetMargin(LPRECT lprc) const { Send(m_hWnd, TTM_GETMARGIN, 0, (LPARAM)lprc); }
void CToolTipCtrl::SetMargin(LPRECT lprc) { Send(m_hWnd, TTM_SETMARGIN, 0, (LPARAM)lprc); }
int CToolTipCtrl::GetMaxTipWidth() const { return (int)Send(m_hWnd, TTM_GETMAXTIPWIDTH); }
int CToolTipCtrl::SetMaxTipWidth(int iWidth) { return (int)Send(m_hWnd, TTM_SETMAXTIPWIDTH, 0, iWidth); }
COLORREF CToolTipCtrl::GetTipBkColor() const { return (COLORREF)Send(m_hWnd, TTM_GETTIPBKCOLOR); }
void CToolTipCtrl::SetTipBkColor(COLORREF clr) { Send(m_hWnd, TTM_SETTIPBKCOLOR, clr); }
COLORREF CToolTipCtrl::GetTipTextColor() const { return (COLORREF)Send(m_hWnd, TTM_GETTIPTEXTCOLOR); }
void CToolTipCtrl::SetTipTextColor(COLORREF clr) { Send(m_hWnd, TTM_SETTIPTEXTCOLOR, clr); }
void CToolTipCtrl::Activate(BOOL bActivate) { Send(m_hWnd, TTM_ACTIVATE, bActivate); }

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    CString text;
    text.LoadString(nIDText);
    return AddTool(pWnd, text.GetString(), lpRectTool, nIDTool);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    if (pWnd == NULL)
        return FALSE;
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != NULL)
        ti.rect = *lpRectTool;
    ti.uFlags |= TTF_SUBCLASS;
    ti.hinst = AfxGetResourceHandle();
    ti.lpszText = (LPSTR)lpszText;
    return (BOOL)Send(m_hWnd, TTM_ADDTOOLA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    Send(m_hWnd, TTM_DELTOOLA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::RelayEvent(LPMSG lpMsg) { Send(m_hWnd, TTM_RELAYEVENT, 0, (LPARAM)lpMsg); }

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = (LPSTR)lpszText;
    Send(m_hWnd, TTM_UPDATETIPTEXTA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool)
{
    CString text;
    text.LoadString(nIDText);
    UpdateTipText(text.GetString(), pWnd, nIDTool);
}

void CToolTipCtrl::Update() { Send(m_hWnd, TTM_UPDATE); }
void CToolTipCtrl::Pop() { Send(m_hWnd, TTM_POP); }
void CToolTipCtrl::Popup() { Send(m_hWnd, TTM_POPUP); }
