// Tolvan.exe of this build run against the simulator: the files an installation has beside the
// program, starting and ending the program, and finding its windows.
#pragma once
#include <afx.h>

#include <string>

namespace tolvan::test {
class SimulatorProcess;
}

namespace login_test {

// <build>\bin\ and <build>\ (both with their closing backslash).
CString BinFolder();
CString RootFolder();

// "Config.ini" (update list and statistics addresses), both server lists with the simulator's
// login server, the local update list at version 1, and no "usrcfg.ini".
bool WriteInstallation(tolvan::test::SimulatorProcess& sim);

// Every connection of the user logged in at the simulator: the trading and the query server
// and the four quote servers.
bool AllConnectionsLoggedIn(tolvan::test::SimulatorProcess& sim, const char* user);

// A visible top-level window of process with exactly this title; null when none. Without
// `except`, a window owned by another one never stands for the main window's title; with it,
// any window of that title but `except` does (a message box over the main window).
HWND FindProcessWindow(DWORD process, const char* title, HWND except = NULL);
std::string ControlText(HWND window, int id);

class CTerminal
{
public:
    ~CTerminal() { Stop(); }
    bool Start();
    // Asks the program to close (the main window, else the login window) and waits for it.
    // False when it had to be ended by force.
    bool Stop();
    // Takes over a terminal that another program started.
    bool Adopt(DWORD processId);
    HWND Find(const char* title) const { return FindProcessWindow(m_process.dwProcessId, title); }
    // The login window once it offers its servers and takes input; null at the deadline.
    HWND WaitForLoginWindow(DWORD timeoutMs) const;
    // As the user types both fields and presses Enter.
    static void Submit(HWND login, const char* user, const char* password);
    DWORD Id() const { return m_process.dwProcessId; }
    HANDLE Handle() const { return m_process.hProcess; }
    // Forgets the process without ending it (it has ended).
    void Release();

private:
    PROCESS_INFORMATION m_process = PROCESS_INFORMATION();
};

}  // namespace login_test
