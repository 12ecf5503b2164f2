#include "VelmoraDlg.h"
#include "ServerClock.h"
#include "ServerClockTicker.h"
#include "TimeHelperLauncher.h"

#include <process.h>

namespace {

// How long the shutdown waits for the status-bar clock before going on without it.
const DWORD kClockStopWaitMs = 3000;

}  // namespace

BEGIN_MESSAGE_MAP(CVelmoraDlg, CDialogEx)
    ON_WM_DESTROY()
    ON_MESSAGE(WM_SERVER_TIME, &CVelmoraDlg::OnServerTimeOffset)
    ON_MESSAGE(WM_SERVER_CLOCK_TEXT, &CVelmoraDlg::OnServerClockText)
END_MESSAGE_MAP()

CVelmoraDlg::CVelmoraDlg(CWnd* pParent)
    : CDialogEx(IDD, pParent), m_clockThread("status-bar clock")
{
}

CVelmoraDlg::~CVelmoraDlg()
{
    StopServerClock();
}

BOOL CVelmoraDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();

    StartServerTimeThread();
    StartServerClock();
    return TRUE;
}

void CVelmoraDlg::OnDestroy()
{
    StopServerClock();
    CDialogEx::OnDestroy();
}

// Asks the companion program for the server clock; its answer arrives as WM_SERVER_TIME.
void CVelmoraDlg::StartServerTimeThread()
{
    const uintptr_t hThread = _beginthreadex(nullptr, 0, StartTimeHelper, m_hWnd, 0, nullptr);
    if (hThread != 0)
        ::CloseHandle(reinterpret_cast<HANDLE>(hThread));
}

void CVelmoraDlg::StartServerClock()
{
    StartServerClockThread(m_clockThread, m_hWnd);
}

void CVelmoraDlg::StopServerClock()
{
    // A clock that does not end in time is left running (reported); it only posts.
    m_clockThread.Stop(kClockStopWaitMs);
    // Texts still queued would be lost with the window; free them.
    MSG msg;
    while (m_hWnd != NULL
           && ::PeekMessage(&msg, m_hWnd, WM_SERVER_CLOCK_TEXT, WM_SERVER_CLOCK_TEXT, PM_REMOVE))
        CServerClockTicker::TakeText(msg.lParam);
}

LRESULT CVelmoraDlg::OnServerTimeOffset(WPARAM /*wParam: server date, unused*/, LPARAM lParam)
{
    // The offset is signed and as wide as LPARAM; an implausible one leaves the clock alone.
    GetServerClock().ApplyServerOffset(static_cast<__int64>(lParam));
    return 0;
}

LRESULT CVelmoraDlg::OnServerClockText(WPARAM /*wParam: pane*/, LPARAM lParam)
{
    m_strServerClockText = CServerClockTicker::TakeText(lParam);
    return 0;
}
