// Message loops: pumping with pre-translation, idle detection and the modal loop of
// CWnd::RunModalLoop (used by CDialog::DoModal).
#include "wincore.h"

#include <windowsx.h>

using afxcore::State;

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    // From the target window up its parents (a pop-up's parent is its owner). Windows of
    // every module take part, each in its own module state: a library's control inside a
    // library's dialog is fed by the program's loop.
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = afxcore::FindPermanent(hWnd);
        if (pWnd != NULL && pWnd->m_hWnd == hWnd) {
            AFX_MAINTAIN_STATE2 windowState(pWnd->m_pModuleState);
            if (pWnd->PreTranslateMessage(pMsg))
                return TRUE;
        }
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
        return pThread->PreTranslateMessage(pMsg);
    // A thread without a CWinThread (a test's own main, a plain thread): the windows only.
    return CWnd::WalkPreTranslateTree(NULL, pMsg);
}

namespace {

// Gets one message into msg and gives it to pre-translation and its window. FALSE for
// WM_QUIT (left in msg).
BOOL PumpWith(MSG& msg)
{
    BOOL bGot = ::GetMessageA(&msg, NULL, 0, 0) > 0;
    State().msgCur = msg;
    if (CWinThread* pThread = AfxGetThread())
        pThread->m_msgCur = msg;
    if (!bGot)
        return FALSE;
    if (msg.message != WM_KICKIDLE && !AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}

}  // namespace

BOOL AFXAPI AfxPumpMessage()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL) {
        BOOL bResult = pThread->PumpMessage();
        State().msgCur = pThread->m_msgCur;
        return bResult;
    }
    MSG msg;
    return PumpWith(msg);
}

BOOL CWinThread::PumpMessage()
{
    BOOL bGot = ::GetMessageA(&m_msgCur, NULL, 0, 0) > 0;
    State().msgCur = m_msgCur;
    if (!bGot)
        return FALSE;
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg)
{
    afxcore::ThreadState& state = State();
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        // The same position again (a synthetic move) is no reason to run idle work.
        if (state.lastMouseMsg == pMsg->message && state.lastMousePos.x == pMsg->pt.x &&
            state.lastMousePos.y == pMsg->pt.y)
            return FALSE;
        state.lastMousePos = pMsg->pt;
        state.lastMouseMsg = pMsg->message;
        return TRUE;
    }
    // WM_PAINT and the caret's system timer come all the time.
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

BOOL CWnd::ContinueModal()
{
    // A window destroyed under a running loop ends it instead of leaving it spinning.
    return (m_nFlags & WF_CONTINUEMODAL) != 0 && m_hWnd != NULL && ::IsWindow(m_hWnd);
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        // Wake the loop up in case it is waiting for a message.
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    }
}

namespace {

// A window that brought itself on screen meanwhile (maximised, say) keeps the placement it
// chose; only a window still hidden is shown in its normal size.
void ShowUnlessShown(CWnd* pWnd)
{
    if (pWnd->GetStyle() & WS_VISIBLE)
        return;
    pWnd->ShowWindow(SW_SHOWNORMAL);
    pWnd->UpdateWindow();
}

}  // namespace

int CWnd::RunModalLoop(DWORD dwFlags)
{
    afxcore::LoopScope loop;
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    // Shown when the loop first goes idle, unless the window hid itself while initialising.
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE) &&
                     !(m_nFlags & WF_HIDDENININIT);
    HWND hWndParent = ::GetParent(m_hWnd);
    m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
    MSG msg;

    for (;;) {
        // Idle: nothing queued.
        while (bIdle && !::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            if (bShowIdle) {
                ShowUnlessShown(this);
                bShowIdle = FALSE;
            }
            if (!ContinueModal())
                goto ExitModal;
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != NULL && lIdleCount == 0)
                ::SendMessageA(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)m_hWnd);
            if (lIdleCount == 0)
                afxcore::IdleCleanup();
            if ((dwFlags & MLF_NOKICKIDLE) ||
                !::SendMessageA(m_hWnd, WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = FALSE;
            if (!ContinueModal())
                goto ExitModal;
        }

        // Pump until the queue is empty again.
        do {
            if (!ContinueModal())
                goto ExitModal;
            if (!PumpWith(msg)) {
                // WM_QUIT ends this loop and is passed on to the loops outside it.
                ::PostQuitMessage((int)msg.wParam);
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            if (bShowIdle && (msg.message == 0x0118 || msg.message == WM_SYSKEYDOWN)) {
                ShowUnlessShown(this);
                bShowIdle = FALSE;
            }
            if (!ContinueModal())
                goto ExitModal;
            if (AfxIsIdleMessage(&msg)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE));
    }

ExitModal:
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}
