// Internal state of the window core: per-thread state (module-state stack, message being
// processed, window being created, temporary CWnd objects) and the process-wide map of
// permanent CWnd objects.
#pragma once

#include <afxwin.h>

#include <unordered_map>
#include <vector>

namespace afxcore {

struct ThreadState : AFX_THREAD_STATE
{
    // AFX_MANAGE_STATE and message dispatch push here; empty means the program's state.
    std::vector<AFX_MODULE_STATE*> moduleStack;
    // The CWinThread of a thread started by AfxBeginThread.
    CWinThread* currentThread = nullptr;
    // The message AfxCallWndProc is processing (for Default and reflection).
    MSG lastSentMsg{};
    // The message the current loop fetched last.
    MSG msgCur{};
    // The object to attach to the next window created on this thread is m_pWndInit (CBT hook).
    HHOOK cbtHook = nullptr;
    int hookUsers = 0;
    // Temporary CWnd objects of FromHandle.
    std::unordered_map<HWND, CWnd*> tempWnds;
    // Temporaries replaced in the map (their handle was reused); deleted with the others.
    std::vector<CWnd*> retiredTemps;
    // Nesting depth of message loops (Run, modal loops): temporaries are only deleted when
    // the outermost loop is idle, since an outer handler may still hold one across an
    // inner modal loop.
    int loopDepth = 0;
    // UpdateData suppresses notifications of this window's controls meanwhile.
    HWND lockoutNotifyWindow = nullptr;
    // Last mouse-move position, to skip idle processing for repeated moves.
    POINT lastMousePos{ -1, -1 };
    UINT lastMouseMsg = 0;
    // Popup menus lately opened (WM_INITMENUPOPUP), to find owner-drawn menu items.
    HMENU recentPopups[8] = {};
    int nextPopup = 0;
    // AfxRegisterWndClass result buffer.
    char classNameBuffer[128] = {};
};

ThreadState& State();

// Reports an exception that a handler let out (called inside a catch block) and gives the
// result the message gets instead: a C++ exception must never unwind through the system's
// window or dialog procedure.
LRESULT ProcessHandlerException(HWND hWnd, UINT nMsg);

// Permanent objects of all modules, by handle.
void AddPermanent(HWND hWnd, CWnd* pWnd);
void RemovePermanent(HWND hWnd, CWnd* pWnd);
CWnd* FindPermanent(HWND hWnd);

// Gives a control's notification to the control's own object (OnChildNotify); FALSE when
// it has none or did not handle it.
BOOL ReflectToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                    LRESULT* pResult);

// Arms the CBT hook so the next window created on this thread is attached to pWnd.
void HookWindowCreate(CWnd* pWnd);
// Disarms it; TRUE when the hook attached the object.
bool UnhookWindowCreate();

// Runs message loop bodies with the depth bookkeeping of temporaries.
struct LoopScope
{
    LoopScope() { ++State().loopDepth; }
    ~LoopScope() { --State().loopDepth; }
};

// Idle work of a loop: deletes temporaries when this is the outermost loop.
void IdleCleanup();

// The registered window class used by CWnd::Create without a class name.
LPCTSTR DefaultWndClass();

// Shows or hides nothing, just notes a visibility request made while a dialog initialises.
void NoteShowRequest(CWnd* pWnd, bool hide);

// The dialog template resource named lpszTemplateName and the module it was found in;
// NULL when there is none.
LPCDLGTEMPLATE LoadDialogTemplate(LPCTSTR lpszTemplateName, HINSTANCE& hInst);

// Common controls that the wrappers need.
void EnsureCommonControls(DWORD icc);

// Gives a reflected WM_DRAWITEM to an owner-drawn control's DrawItem and answers TRUE;
// false for any other message, which the caller passes on to its base class.
template <class TControl>
bool ReflectDrawItem(TControl& control, UINT message, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return false;
    control.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != NULL)
        *pResult = TRUE;
    return true;
}

// The control wrappers' one way to talk to their window (ANSI messages, defaults of 0).
inline LRESULT Send(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return ::SendMessageA(hWnd, message, wParam, lParam);
}

}  // namespace afxcore
