// The main window's share of the login: the login window with its four callbacks, the server
// list and its speed test, the update check, and the gate that lets the start go on only
// after an accepted login.
#pragma once
#include <afxwin.h>

#include <memory>

#include "LoginWork.h"

class CLoginFlow
{
public:
    CLoginFlow(HWND mainWindow, const LoginFolders& folders);
    CLoginFlow(const CLoginFlow&) = delete;
    CLoginFlow& operator=(const CLoginFlow&) = delete;

    // Shows the login window and returns when it has closed and its workers (the login thread
    // among them) have ended: true after an accepted login.
    bool Run() { return m_work->Run(); }

    // Handlers of the main window's messages.
    LRESULT OnSpeedTestDone(WPARAM wParam) { return m_work->OnSpeedTestDone(wParam); }
    LRESULT OnStartUpdateCheck(WPARAM wParam) { return m_work->OnStartUpdateCheck(wParam); }
    LRESULT OnLoginNotice(LPARAM lParam) { return m_work->OnLoginNotice(lParam); }

    LONG GetLoginGate() const { return m_work->GetLoginGate(); }
    ILogin* GetLoginWindow() const { return m_work->GetLoginWindow(); }
    int CountRunningWorkers() { return m_work->CountRunningWorkers(); }

private:
    // Shared with the workers.
    std::shared_ptr<CLoginWork> m_work;
};
