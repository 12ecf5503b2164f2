// The application object of the window-core tests: a console program with gtest's main
// still has one CWinApp (a global object registers itself when constructed). Tests watch
// its message pre-translation through the observer.
#pragma once

#include <afxwin.h>

#include <functional>

class CWindowsTestApp : public CWinApp
{
public:
    CWindowsTestApp();

    BOOL InitInstance() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    int initInstanceCalls = 0;
    std::function<void(const MSG&)> preTranslateObserver;
};

extern CWindowsTestApp theApp;

// Ends a modal dialog after a generous time, so a broken loop fails a test instead of
// hanging it; the dialog returns kTimedOut then.
const int kTimedOut = -99;
const UINT_PTR kSafetyTimer = 0xBAD;
inline void ArmSafetyTimer(CWnd& wnd)
{
    wnd.SetTimer(kSafetyTimer, 30000, NULL);
}
