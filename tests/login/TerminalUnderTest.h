// Tolvan.exe of this build run against the simulator: the files an installation has beside the
// program, starting, logging in and ending the program, finding its windows and keeping their
// pictures, and what the simulator's accounts hold.
#pragma once
#include <afx.h>

#include "testsupport/Screenshot.h"

#include <functional>
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

// A number after "key": in the simulator's JSON answer, from position `from`; -1 when the key
// is missing.
double JsonNumber(const std::string& json, const std::string& key, size_t from = 0);
// How much of `code` the user's account at the simulator holds; 0 when none.
double HeldInSimulator(tolvan::test::SimulatorProcess& sim, const char* user, const char* code);
// The simulator's state of the user's order of this number ("Filled", "Cancelled"...); empty
// when it has no such order.
std::string OrderStateInSimulator(tolvan::test::SimulatorProcess& sim, const char* user, const std::string& orderNo);

// A visible top-level window of process for which `match` holds; null when none.
HWND FindMatchingWindow(DWORD process, const std::function<bool(HWND)>& match);
// A visible top-level window of process with exactly this title; null when none. Without
// `except`, a window owned by another one never stands for the main window's title; with it,
// any window of that title but `except` does (a message box over the main window).
HWND FindProcessWindow(DWORD process, const char* title, HWND except = NULL);
std::string ControlText(HWND window, int id);
// The first control `id` anywhere under `root`; with `shownOnly`, the first one on show (a
// window may hold several of one id, e.g. the query pages); null when none.
HWND Descendant(HWND root, int id, bool shownOnly = false);

// The quote list on show: a visible list view on a page of the main window's sector tabs;
// null when none.
HWND ShownQuoteList(HWND main);

// The docked trade panel: the main window's child that holds the trading container's tree;
// null when there is none.
HWND DockedTradePanel(HWND main);
// The chart host on show: a visible dialog child of the main window other than the trade
// panel; null while the quote list is shown.
HWND ShownChartHost(HWND main);

// A status-bar pane's text, read from the memory of the process that owns the status bar.
std::wstring StatusPaneText(HANDLE process, HWND statusBar, int pane);

// Clicks a row of the list's first page as the user does (header and rows 22 pixels); a click
// that lands during a layout is clicked again. False when the row did not become selected.
bool ClickListRow(HWND list, int row, DWORD timeoutMs);
// The toolbar button of this index (0 list, 2 zoom in, 3 zoom out, 4 trend, 5 day candles,
// ...); null when there is no toolbar.
HWND ToolbarButton(HWND main, int index);
// Presses the toolbar button of this index.
bool PressToolbarButton(HWND main, int index);

// The window's client area once `painted` holds for the picture (the program may not have
// painted its latest state yet; 10 s at most), saved as <build>\test-artifacts\<name>. The
// picture is empty when the window could not be captured.
tolvan::test::Screenshot KeepPicture(HWND window, const char* name,
                                     const std::function<bool(const tolvan::test::Screenshot&)>& painted = nullptr);

class CTerminal
{
public:
    ~CTerminal() { Stop(); }
    bool Start();
    // Asks the program to close (the main window, else the login window) and waits for it.
    // False when it had to be ended by force. `exitCode`, when given, receives the process's
    // exit code (left alone when no program was running).
    bool Stop(DWORD* exitCode = nullptr);
    // Takes over a terminal that another program started.
    bool Adopt(DWORD processId);
    HWND Find(const char* title, HWND except = NULL) const
    {
        return FindProcessWindow(m_process.dwProcessId, title, except);
    }
    HWND FindWhere(const std::function<bool(HWND)>& match) const
    {
        return FindMatchingWindow(m_process.dwProcessId, match);
    }
    // The login window once it offers its servers and takes input; null at the deadline.
    HWND WaitForLoginWindow(DWORD timeoutMs) const;
    // As the user types both fields and presses Enter.
    static void Submit(HWND login, const char* user, const char* password);
    // The main window once it stands in place of the login window and `ready` holds for it;
    // null at the deadline.
    HWND WaitForMainWindow(DWORD timeoutMs, const std::function<bool(HWND main)>& ready = nullptr) const;
    // Waits for the login window, logs in as the user would and waits for the main window as
    // WaitForMainWindow does (each wait up to `timeoutMs`); null when either did not come.
    HWND LogIn(const char* user, const char* password, DWORD timeoutMs,
               const std::function<bool(HWND main)>& ready = nullptr) const;
    DWORD Id() const { return m_process.dwProcessId; }
    HANDLE Handle() const { return m_process.hProcess; }
    // Forgets the process without ending it (it has ended).
    void Release();

private:
    PROCESS_INFORMATION m_process = PROCESS_INFORMATION();
};

}  // namespace login_test
