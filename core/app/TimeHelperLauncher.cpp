#include "TimeHelperLauncher.h"
#include "ServerClock.h"

CTimeHelperLauncher::CTimeHelperLauncher(HWND hRequester)
    : m_hRequester(hRequester),
      m_strCommandLine("Horavane.exe"),
      m_runner([](LPCSTR lpszCommandLine, UINT nShow) { return ::WinExec(lpszCommandLine, nShow); }),
      m_finder([](LPCSTR lpszTitle) { return ::FindWindowA(nullptr, lpszTitle); }),
      m_ticks([] { return ::GetTickCount(); })
{
}

CTimeHelperLauncher::Result CTimeHelperLauncher::Run()
{
    // WinExec reports success with any value above 31; smaller values are error codes.
    if (m_runner(m_strCommandLine, SW_HIDE) <= 31)
        return NotStarted;

    const HWND hHelper = FindHelperWindow();
    if (hHelper == NULL)
        return WindowNotFound;

    ::PostMessage(hHelper, WM_SERVER_TIME, reinterpret_cast<WPARAM>(m_hRequester), 0);
    return RequestPosted;
}

HWND CTimeHelperLauncher::FindHelperWindow()
{
    const DWORD nStart = m_ticks();
    for (;;)
    {
        const HWND hWnd = m_finder(WindowTitle());
        if (hWnd != NULL)
            return hWnd;
        if (m_ticks() - nStart > kFindWindowLimitMs)
            return NULL;
        ::Sleep(kFindWindowPauseMs);   // the program needs a moment to create its window
    }
}

unsigned __stdcall StartTimeHelper(void* pMainWnd)
{
    CTimeHelperLauncher launcher(static_cast<HWND>(pMainWnd));
    launcher.Run();
    return 0;
}
