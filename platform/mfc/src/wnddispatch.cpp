// CWnd message dispatch: WindowProc, the message-map cracker, WM_COMMAND/WM_NOTIFY routing
// and reflection of notifications to the control that sent them.
#include "wincore.h"

#include <windowsx.h>

using afxcore::ReflectToChild;
using afxcore::State;

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != NULL)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = State().lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    MSG& msg = State().lastSentMsg;
    msg.time = ::GetMessageTime();
    DWORD pos = ::GetMessagePos();
    msg.pt.x = GET_X_LPARAM(pos);
    msg.pt.y = GET_Y_LPARAM(pos);
    return &msg;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        if (pResult != NULL)
            *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (pNMHDR == NULL || pNMHDR->hwndFrom == NULL)
            return FALSE;
        if (!OnNotify(wParam, lParam, &lResult))
            return FALSE;
        if (pResult != NULL)
            *pResult = lResult;
        return TRUE;
    }

    // All WM_CTLCOLOR* messages share the map entry of the old WM_CTLCOLOR.
    UINT lookup = message;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        lookup = WM_CTLCOLOR;
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(GetMessageMap(), lookup, 0, 0);
    if (pEntry == NULL)
        return FALSE;
    return DispatchMessageEntry(pEntry, message, wParam, lParam, pResult);
}

#define AFX_CALL(type, ...) (this->*reinterpret_cast<type>(pfn))(__VA_ARGS__)

BOOL CWnd::DispatchMessageEntry(const AFX_MSGMAP_ENTRY* pEntry, UINT message, WPARAM wParam,
                                LPARAM lParam, LRESULT* pResult)
{
    // Nothing here may touch the object after the handler ran: it may have deleted itself.
    AFX_PMSGW pfn = pEntry->pfn;
    UINT_PTR nSig = pEntry->nMessage == 0xC000 ? (UINT_PTR)AfxSig_l_w_l : pEntry->nSig;
    CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    LRESULT lResult = 0;

    switch (nSig) {
    case AfxSig_l_w_l:
        lResult = AFX_CALL(LRESULT (CWnd::*)(WPARAM, LPARAM), wParam, lParam);
        break;
    case AfxSig_v_w_l:
        AFX_CALL(void (CWnd::*)(WPARAM, LPARAM), wParam, lParam);
        break;
    case AfxSig_v_v:
        AFX_CALL(void (CWnd::*)());
        break;
    case AfxSig_b_v:
        lResult = AFX_CALL(BOOL (CWnd::*)());
        break;
    case AfxSig_u_v:
        lResult = AFX_CALL(UINT (CWnd::*)());
        break;
    case AfxSig_h_v:
        lResult = (LRESULT)AFX_CALL(HCURSOR (CWnd::*)());
        break;
    case AfxSig_l_v:
        lResult = AFX_CALL(LRESULT (CWnd::*)());
        break;
    case AfxSig_i_CREATE:
        lResult = AFX_CALL(int (CWnd::*)(LPCREATESTRUCT), reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig_b_CREATE:
        lResult = AFX_CALL(BOOL (CWnd::*)(LPCREATESTRUCT), reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig_b_D:
        lResult = AFX_CALL(BOOL (CWnd::*)(CDC*), CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        break;
    case AfxSig_v_u_size:
        AFX_CALL(void (CWnd::*)(UINT, int, int), (UINT)wParam, (int)LOWORD(lParam),
                 (int)HIWORD(lParam));
        break;
    case AfxSig_v_u_pr:
        AFX_CALL(void (CWnd::*)(UINT, LPRECT), (UINT)wParam, reinterpret_cast<LPRECT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_v_i_i:
        AFX_CALL(void (CWnd::*)(int, int), (int)point.x, (int)point.y);
        break;
    case AfxSig_v_TIMER:
        AFX_CALL(void (CWnd::*)(UINT_PTR), (UINT_PTR)wParam);
        break;
    case AfxSig_v_u_p:
    case AfxSig_v_u_p_screen:
        AFX_CALL(void (CWnd::*)(UINT, CPoint), (UINT)wParam, point);
        break;
    case AfxSig_b_u_s_p:
        lResult = AFX_CALL(BOOL (CWnd::*)(UINT, short, CPoint), (UINT)LOWORD(wParam),
                           (short)HIWORD(wParam), point);
        break;
    case AfxSig_v_u_s_p:
        AFX_CALL(void (CWnd::*)(UINT, short, CPoint), (UINT)LOWORD(wParam), (short)HIWORD(wParam),
                 point);
        break;
    case AfxSig_b_W_u_u:
        lResult = AFX_CALL(BOOL (CWnd::*)(CWnd*, UINT, UINT),
                           CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), (UINT)LOWORD(lParam),
                           (UINT)HIWORD(lParam));
        break;
    case AfxSig_i_W_u_u:
        lResult = AFX_CALL(int (CWnd::*)(CWnd*, UINT, UINT),
                           CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), (UINT)LOWORD(lParam),
                           (UINT)HIWORD(lParam));
        break;
    case AfxSig_v_u_u_u:
        AFX_CALL(void (CWnd::*)(UINT, UINT, UINT), (UINT)wParam, (UINT)LOWORD(lParam),
                 (UINT)HIWORD(lParam));
        break;
    case AfxSig_v_u_l:
        AFX_CALL(void (CWnd::*)(UINT, LPARAM), (UINT)wParam, lParam);
        break;
    case AfxSig_v_W_w:
        AFX_CALL(void (CWnd::*)(CWnd*), CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
        break;
    case AfxSig_v_W_l:
        AFX_CALL(void (CWnd::*)(CWnd*), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)));
        break;
    case AfxSig_v_u_u_SB:
        AFX_CALL(void (CWnd::*)(UINT, UINT, CScrollBar*), (UINT)LOWORD(wParam),
                 (UINT)HIWORD(wParam),
                 reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(lParam))));
        break;
    case AfxSig_v_u_u:
        AFX_CALL(void (CWnd::*)(UINT, UINT), (UINT)LOWORD(wParam), (UINT)HIWORD(wParam));
        break;
    case AfxSig_l_p:
        lResult = AFX_CALL(LRESULT (CWnd::*)(CPoint), point);
        break;
    case AfxSig_b_b:
        lResult = AFX_CALL(BOOL (CWnd::*)(BOOL), (BOOL)wParam);
        break;
    case AfxSig_v_b_NCCALC:
        AFX_CALL(void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), (BOOL)wParam,
                 reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        break;
    case AfxSig_v_u_W_b:
        AFX_CALL(void (CWnd::*)(UINT, CWnd*, BOOL), (UINT)LOWORD(wParam),
                 CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), (BOOL)HIWORD(wParam));
        break;
    case AfxSig_v_b_h:
        AFX_CALL(void (CWnd::*)(BOOL, DWORD), (BOOL)wParam, (DWORD)lParam);
        break;
    case AfxSig_v_b_u:
        AFX_CALL(void (CWnd::*)(BOOL, UINT), (BOOL)wParam, (UINT)lParam);
        break;
    case AfxSig_v_b:
        AFX_CALL(void (CWnd::*)(BOOL), (BOOL)wParam);
        break;
    case AfxSig_v_MMI:
        AFX_CALL(void (CWnd::*)(MINMAXINFO*), reinterpret_cast<MINMAXINFO*>(lParam));
        break;
    case AfxSig_v_POS:
        AFX_CALL(void (CWnd::*)(WINDOWPOS*), reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case AfxSig_b_W_COPYDATA:
        lResult = AFX_CALL(BOOL (CWnd::*)(CWnd*, COPYDATASTRUCT*),
                           CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),
                           reinterpret_cast<COPYDATASTRUCT*>(lParam));
        break;
    case AfxSig_v_DROP:
        AFX_CALL(void (CWnd::*)(HDROP), reinterpret_cast<HDROP>(wParam));
        break;
    case AfxSig_v_W_p:
        AFX_CALL(void (CWnd::*)(CWnd*, CPoint), CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),
                 point);
        break;
    case AfxSig_v_M_u_b:
        AFX_CALL(void (CWnd::*)(CMenu*, UINT, BOOL), CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)),
                 (UINT)LOWORD(lParam), (BOOL)HIWORD(lParam));
        break;
    case AfxSig_v_M:
        AFX_CALL(void (CWnd::*)(CMenu*), CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)));
        break;
    case AfxSig_v_u_u_M:
        AFX_CALL(void (CWnd::*)(UINT, UINT, HMENU), (UINT)LOWORD(wParam), (UINT)HIWORD(wParam),
                 reinterpret_cast<HMENU>(lParam));
        break;
    case AfxSig_v_u_s:
        AFX_CALL(void (CWnd::*)(UINT, LPCTSTR), (UINT)wParam, reinterpret_cast<LPCTSTR>(lParam));
        break;
    case AfxSig_h_D_W_u: {
        UINT nCtlType = (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
                            ? message - WM_CTLCOLORMSGBOX
                            : CTLCOLOR_DLG;
        lResult = (LRESULT)AFX_CALL(HBRUSH (CWnd::*)(CDC*, CWnd*, UINT),
                                    CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                                    CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), nCtlType);
        break;
    }
    case AfxSig_h_D_u: {
        // Reflected: a NULL brush leaves the message to the parent.
        const AFX_CTLCOLOR* pCtl = reinterpret_cast<const AFX_CTLCOLOR*>(lParam);
        HBRUSH hbr = AFX_CALL(HBRUSH (CWnd::*)(CDC*, UINT), CDC::FromHandle(pCtl->hDC),
                              pCtl->nCtlType);
        if (hbr == NULL)
            return FALSE;
        lResult = (LRESULT)hbr;
        break;
    }
    case AfxSig_v_i_DRAW:
        AFX_CALL(void (CWnd::*)(int, LPDRAWITEMSTRUCT), (int)wParam,
                 reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_v_i_MEASURE:
        AFX_CALL(void (CWnd::*)(int, LPMEASUREITEMSTRUCT), (int)wParam,
                 reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_i_i_COMPARE:
        lResult = AFX_CALL(int (CWnd::*)(int, LPCOMPAREITEMSTRUCT), (int)wParam,
                           reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        break;
    case AfxSig_v_i_DELETE:
        AFX_CALL(void (CWnd::*)(int, LPDELETEITEMSTRUCT), (int)wParam,
                 reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_v_DRAW:
        AFX_CALL(void (CWnd::*)(LPDRAWITEMSTRUCT), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_v_MEASURE:
        AFX_CALL(void (CWnd::*)(LPMEASUREITEMSTRUCT), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_i_COMPARE:
        lResult = AFX_CALL(int (CWnd::*)(LPCOMPAREITEMSTRUCT),
                           reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        break;
    case AfxSig_v_DELETE:
        AFX_CALL(void (CWnd::*)(LPDELETEITEMSTRUCT), reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_b_HELPINFO:
        lResult = AFX_CALL(BOOL (CWnd::*)(HELPINFO*), reinterpret_cast<HELPINFO*>(lParam));
        break;
    case AfxSig_v_i_STYLE:
        AFX_CALL(void (CWnd::*)(int, LPSTYLESTRUCT), (int)wParam, reinterpret_cast<LPSTYLESTRUCT>(lParam));
        break;
    case AfxSig_v_u_W:
        AFX_CALL(void (CWnd::*)(UINT, CWnd*), (UINT)wParam, CWnd::FromHandle(reinterpret_cast<HWND>(lParam)));
        break;
    default:
        return FALSE;
    }
    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}

#undef AFX_CALL

// ---------------------------------------------------------------------------------------
// Commands, notifications and reflection

// Offers a notification to the permanent object of the control that sent it, whichever
// module attached it, in that control's module state (as its own messages are handled).
BOOL afxcore::ReflectToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                             LRESULT* pResult)
{
    CWnd* pChild = FindPermanent(hWndChild);
    if (pChild == NULL || pChild->m_hWnd != hWndChild)
        return FALSE;
    AFX_MAINTAIN_STATE2 childState(pChild->m_pModuleState);
    return pChild->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);

    if (hWndCtrl == NULL) {
        // A menu item (code 0) or an accelerator (code 1): both are commands.
        if (nID == 0)
            return FALSE;
        nCode = CN_COMMAND;
    } else {
        if (State().lockoutNotifyWindow == m_hWnd)
            return TRUE;   // notifications caused by UpdateData itself are ignored
        if (ReflectToChild(hWndCtrl, WM_COMMAND, wParam, lParam, NULL))
            return TRUE;   // the control handled its own notification
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    HWND hWndCtrl = pNMHDR->hwndFrom;
    UINT nID = (UINT)::GetDlgCtrlID(hWndCtrl);
    int nCode = (int)pNMHDR->code;

    if (State().lockoutNotifyWindow == m_hWnd)
        return TRUE;
    if (ReflectToChild(hWndCtrl, WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;

    AFX_NOTIFY notify;
    notify.pResult = pResult;
    notify.pNMHDR = pNMHDR;
    return OnCmdMsg(nID, (int)MAKELONG(nCode, WM_NOTIFY), &notify, NULL);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);

    case WM_COMMAND: {
        int nCode = HIWORD(wParam);
        if (CCmdTarget::OnCmdMsg(0, (int)MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), NULL,
                                 NULL)) {
            if (pResult != NULL)
                *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }

    case WM_NOTIFY: {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        LRESULT dummy = 0;
        AFX_NOTIFY notify;
        notify.pResult = pResult != NULL ? pResult : &dummy;
        notify.pNMHDR = pNMHDR;
        return CCmdTarget::OnCmdMsg(0, (int)MAKELONG((int)pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY),
                                    &notify, NULL);
    }

    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
            AFX_CTLCOLOR ctl;
            ctl.hWnd = reinterpret_cast<HWND>(lParam);
            ctl.hDC = reinterpret_cast<HDC>(wParam);
            ctl.nCtlType = message - WM_CTLCOLORMSGBOX;
            return CWnd::OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, (LPARAM)&ctl, pResult);
        }
        return FALSE;
    }
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    const MSG& msg = State().lastSentMsg;
    return ReflectToChild(hWndChild, msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = State().lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}
