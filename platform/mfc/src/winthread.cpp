// CWinThread: worker and user-interface threads, the thread message loop with idle work,
// and AfxBeginThread/AfxEndThread.
#include "wincore.h"

#include <process.h>

using afxcore::State;

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread()
    : m_pMainWnd(NULL), m_pActiveWnd(NULL), m_bAutoDelete(TRUE), m_hThread(NULL),
      m_nThreadID(0), m_pThreadParams(NULL), m_pfnThreadProc(NULL)
{
    memset(&m_msgCur, 0, sizeof(m_msgCur));
}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam) : CWinThread()
{
    m_pfnThreadProc = pfnThreadProc;
    m_pThreadParams = pParam;
}

CWinThread::~CWinThread()
{
    if (m_hThread != NULL)
        ::CloseHandle(m_hThread);
    afxcore::ThreadState& state = State();
    if (state.currentThread == this)
        state.currentThread = NULL;
}

namespace {

struct ThreadStartup
{
    CWinThread* pThread;
    AFX_MODULE_STATE* pModuleState;
    HWND hWndMain;
};

// The thread's view of the creator's main window: its own CWnd holding the handle (the
// creator's object is not the thread's to use, and may go away first).
thread_local CWnd* t_threadMainWnd = nullptr;

void CleanupThread(CWinThread* pThread, BOOL bDelete)
{
    afxcore::ThreadState& state = State();
    state.currentThread = NULL;
    state.moduleStack.clear();
    if (t_threadMainWnd != nullptr) {
        if (pThread != NULL && pThread->m_pMainWnd == t_threadMainWnd)
            pThread->m_pMainWnd = NULL;
        t_threadMainWnd->m_hWnd = NULL;
        delete t_threadMainWnd;
        t_threadMainWnd = nullptr;
    }
    CWnd::DeleteTempMap();
    AfxDeleteTempGdiObjects();
    if (pThread != NULL && bDelete)
        pThread->Delete();
}

unsigned __stdcall ThreadEntry(void* pParam)
{
    ThreadStartup startup = *static_cast<ThreadStartup*>(pParam);
    delete static_cast<ThreadStartup*>(pParam);
    CWinThread* pThread = startup.pThread;

    afxcore::ThreadState& state = State();
    state.currentThread = pThread;
    // The thread works in the module state of the code that started it.
    if (startup.pModuleState != NULL)
        state.moduleStack.push_back(startup.pModuleState);
    if (pThread->m_pMainWnd == NULL && startup.hWndMain != NULL) {
        t_threadMainWnd = new CWnd;
        t_threadMainWnd->m_hWnd = startup.hWndMain;
        pThread->m_pMainWnd = t_threadMainWnd;
    }

    UINT nResult;
    if (pThread->m_pfnThreadProc != NULL) {
        nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
    } else if (!pThread->InitInstance()) {
        nResult = (UINT)pThread->ExitInstance();
    } else {
        nResult = (UINT)pThread->Run();
    }
    CleanupThread(pThread, TRUE);
    return nResult;
}

}  // namespace

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize,
                              LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    ThreadStartup* pStartup = new ThreadStartup;
    pStartup->pThread = this;
    pStartup->pModuleState = AfxGetModuleState();
    CWnd* pMainWnd = AfxGetMainWnd();
    pStartup->hWndMain = pMainWnd != NULL ? pMainWnd->GetSafeHwnd() : NULL;

    // Started suspended so that the handle and id are stored before the thread can run
    // (and perhaps delete this object).
    unsigned threadId = 0;
    uintptr_t handle = _beginthreadex(lpSecurityAttrs, nStackSize, &ThreadEntry, pStartup,
                                      CREATE_SUSPENDED, &threadId);
    if (handle == 0) {
        delete pStartup;
        return FALSE;
    }
    m_hThread = reinterpret_cast<HANDLE>(handle);
    m_nThreadID = threadId;
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        ::ResumeThread(m_hThread);
    return TRUE;
}

int CWinThread::GetThreadPriority() { return ::GetThreadPriority(m_hThread); }
BOOL CWinThread::SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
DWORD CWinThread::SuspendThread() { return ::SuspendThread(m_hThread); }
DWORD CWinThread::ResumeThread() { return ::ResumeThread(m_hThread); }

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostThreadMessageA(m_nThreadID, message, wParam, lParam);
}

BOOL CWinThread::InitInstance()
{
    return FALSE;   // a user-interface thread class says TRUE to run its loop
}

int CWinThread::ExitInstance()
{
    return m_msgCur.message == WM_QUIT ? (int)m_msgCur.wParam : 0;
}

CWnd* CWinThread::GetMainWnd()
{
    if (m_pActiveWnd != NULL)
        return m_pActiveWnd;
    return m_pMainWnd;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    return AfxIsIdleMessage(pMsg);
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0)
        return TRUE;   // one more round
    afxcore::IdleCleanup();
    return FALSE;
}

int CWinThread::Run()
{
    afxcore::LoopScope loop;
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    MSG msg;
    for (;;) {
        while (bIdle && !::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    // Messages to the thread itself go to its message map.
    if (pMsg->hwnd == NULL && DispatchThreadMessageEx(pMsg))
        return TRUE;

    CWnd* pMainWnd = AfxGetMainWnd();
    if (CWnd::WalkPreTranslateTree(pMainWnd != NULL ? pMainWnd->GetSafeHwnd() : NULL, pMsg))
        return TRUE;

    // A window outside the main window (a modeless pop-up) still gets the main window's
    // pre-translation (its accelerators).
    if (pMainWnd != NULL && pMsg->hwnd != NULL) {
        CWnd* pWnd = CWnd::FromHandle(pMsg->hwnd);
        if (pWnd->GetTopLevelParent() != pMainWnd)
            return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL CWinThread::DispatchThreadMessageEx(MSG* pMsg)
{
    if (pMsg->message == 0)
        return FALSE;
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(GetMessageMap(), pMsg->message, 0, 0);
    if (pEntry == NULL)
        return FALSE;
    (this->*reinterpret_cast<void (CCmdTarget::*)(WPARAM, LPARAM)>(pEntry->pfn))(pMsg->wParam,
                                                                                pMsg->lParam);
    return TRUE;
}

// ---------------------------------------------------------------------------------------

namespace {

// Starts the thread of a new CWinThread object at the given priority, suspended only when
// the caller asked for it; a thread that cannot be made takes its object with it.
CWinThread* StartThread(CWinThread* pThread, int nPriority, UINT nStackSize,
                        DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        pThread->Delete();
        return NULL;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        pThread->ResumeThread();
    return pThread;
}

}  // namespace

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority,
                                  UINT nStackSize, DWORD dwCreateFlags,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (pfnThreadProc == NULL)
        return NULL;
    return StartThread(new CWinThread(pfnThreadProc, pParam), nPriority, nStackSize,
                       dwCreateFlags, lpSecurityAttrs);
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (pThreadClass == NULL)
        return NULL;
    CWinThread* pThread = dynamic_cast<CWinThread*>(pThreadClass->CreateObject());
    if (pThread == NULL)
        return NULL;
    return StartThread(pThread, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete)
{
    CWinThread* pThread = State().currentThread;
    if (pThread != NULL && pThread->m_pfnThreadProc == NULL)
        pThread->m_msgCur.wParam = nExitCode;
    CleanupThread(pThread, bDelete);
    _endthreadex(nExitCode);
}
