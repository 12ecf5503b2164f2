// Starts the companion program Horavane and asks it for the server clock's offset. The
// answer does not come back here: Horavane sends WM_SERVER_TIME to the requesting window,
// whose handler moves the server clock (CServerClock::ApplyServerOffset).
#pragma once
#include <afx.h>
#include <functional>

class CTimeHelperLauncher
{
public:
    enum Result
    {
        NotStarted,       // the program could not be run
        WindowNotFound,   // its window did not appear in time
        RequestPosted,    // the request went to its window
    };

    typedef std::function<UINT(LPCSTR lpszCommandLine, UINT nShow)> ProgramRunner;  // WinExec
    typedef std::function<HWND(LPCSTR lpszTitle)> WindowFinder;
    typedef std::function<DWORD()> TickSource;

    static const DWORD kFindWindowLimitMs = 3000;
    static const DWORD kFindWindowPauseMs = 50;

    explicit CTimeHelperLauncher(HWND hRequester);

    // The command that starts the program; "Horavane.exe" (found through the program
    // search path, normally the directory of the running program) unless changed.
    void SetCommandLine(const CString& strCommandLine) { m_strCommandLine = strCommandLine; }
    void SetProgramRunner(ProgramRunner runner) { m_runner = std::move(runner); }
    void SetWindowFinder(WindowFinder finder) { m_finder = std::move(finder); }
    void SetTickSource(TickSource ticks) { m_ticks = std::move(ticks); }

    Result Run();

    static const char* WindowTitle() { return "GetHoravane"; }

private:
    HWND FindHelperWindow();

    HWND m_hRequester;
    CString m_strCommandLine;
    ProgramRunner m_runner;
    WindowFinder m_finder;
    TickSource m_ticks;
};

// Thread procedure started once by the main window (argument: the main window's HWND).
unsigned __stdcall StartTimeHelper(void* pMainWnd);
