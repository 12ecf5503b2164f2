// The last thread of the main window's start: it fetches the current notice, hands each
// instrument list to the main window as it becomes ready (all four sharing a 20 s budget)
// and then tells the main window to show itself with the notice.
#pragma once
#include <afx.h>

#include <functional>

#include "NoticeRecord.h"
#include "StartupTasks.h"

// The start is complete: destroy the splash window, show the main window and the notice
// (wParam 0, lParam 0; the notice is GetStartupNotice()).
#ifndef WM_SHOW_NOTICES
#define WM_SHOW_NOTICES 11125
#endif

// Where the lists come from: the market-list handler's four steps in the order A-share list,
// A-share information, Hong Kong list, Hong Kong information.
struct SymbolListSources
{
    std::function<void(NoticeRecord&)> fetchNotice;
    std::function<int()> ready[4];
    const void* lists[4];  // what each step's message carries in lParam
};

// The market-list handler's lists and the notice service.
SymbolListSources DefaultSymbolListSources();

// The notice the thread fetched; read by the handler of WM_SHOW_NOTICES. Lives until the
// process ends (the thread may still write it while the program closes).
NoticeRecord& GetStartupNotice();

// The thread's work on the calling thread. Sends synchronously to mainWindow; ends early, with
// nothing more sent, once mainWindow is gone.
void RunSymbolListWait(HWND mainWindow, const SymbolListSources& sources, NoticeRecord& notice,
                       const StartupClock& clock);

// Starts the thread once mainWindow's initialisation has finished and its message loop runs
// (a one-shot timer of the window), so that it is the last thing the start begins.
void StartSymbolListThread(HWND mainWindow, const SymbolListSources& sources);
void StartSymbolListThread(HWND mainWindow);
