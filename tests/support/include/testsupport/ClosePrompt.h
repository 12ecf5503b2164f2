// The terminal's main window asks before it closes ("您确定要关闭程序吗？"): tests that end it
// answer the prompt, a visible window owned by the main window.
#pragma once
#include <windows.h>
#include "testsupport/Pump.h"

namespace tolvan {
namespace test {

// The prompt the owner shows now; null when none. Other owned windows (the notice) may be
// open too: the prompt is the message box that asks.
inline HWND FindClosePrompt(HWND owner)
{
    struct Owned
    {
        HWND owner;
        HWND found;
        static BOOL CALLBACK Match(HWND window, LPARAM argument)
        {
            Owned* owned = reinterpret_cast<Owned*>(argument);
            if (::GetWindow(window, GW_OWNER) == owned->owner && ::IsWindowVisible(window)
                && ::FindWindowExA(window, NULL, "Static", "您确定要关闭程序吗？") != NULL)
            {
                owned->found = window;
                return FALSE;
            }
            return TRUE;
        }
    } owned{owner, NULL};
    ::EnumWindows(Owned::Match, reinterpret_cast<LPARAM>(&owned));
    return owned.found;
}

// Waits (pumping) until the owner shows a prompt or the process has ended, and presses OK on
// the prompt. False when no prompt came.
inline bool ConfirmClosePrompt(HWND owner, HANDLE process, DWORD deadlineMs)
{
    HWND prompt = NULL;
    PumpUntil([&] {
        prompt = FindClosePrompt(owner);
        return prompt != NULL || ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    }, deadlineMs);
    if (prompt == NULL)
        return false;
    ::PostMessageA(prompt, WM_COMMAND, IDOK, 0);
    return true;
}

}  // namespace test
}  // namespace tolvan
