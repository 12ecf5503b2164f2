#include "VelmoraDlg.h"
#include "ConnectionRegistry.h"
#include "ConnectionStates.h"
#include "LoginFlow.h"
#include "LoginState.h"
#include "LoginTypingHook.h"
#include "MainReceiverHost.h"
#include "QuoteReceiver.h"
#include "ReceiverSet.h"
#include "ReplyMessages.h"
#include "ServerClock.h"
#include "ServerClockTicker.h"
#include "SessionData.h"
#include "StartupTasks.h"
#include "TimeHelperLauncher.h"
#include "VelmoraApp.h"
#include "WebRequest.h"

#include <process.h>
#include <shlobj.h>

namespace {

// How long the shutdown waits for the status-bar clock before going on without it.
const DWORD kClockStopWaitMs = 3000;
// How long the shutdown waits for the reply receivers.
const DWORD kReceiverStopWaitMs = 3000;

// Reports this machine to the operator's statistics service once per start.
unsigned __stdcall StatisticsThread(void*)
{
    CString mark;
    if (!GetMacAddress(mark))
        return 0;
    char base[260] = {0};
    ::GetPrivateProfileStringA("system", "StatisticsUrl", "http://127.0.0.1:5180", base, sizeof(base),
                               theApp.m_strAppDir + "Config.ini");
    PostWebRequest((LPCSTR)BuildStatisticsAddress(base, mark), std::string(), false, std::string());
    return 0;
}

unsigned __stdcall StopReceiversThread(void* receivers)
{
    if (!static_cast<CReceiverSet*>(receivers)->StopAll(kReceiverStopWaitMs))
        ::OutputDebugStringA("Tolvan: a reply receiver did not end in time\n");
    return 0;
}

// Waits for a thread while this thread keeps dispatching its messages (the thread may send to
// our windows meanwhile).
void WaitPumping(HANDLE thread)
{
    for (;;)
    {
        if (::MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0)
            return;
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
}

}  // namespace

BEGIN_MESSAGE_MAP(CVelmoraDlg, CDialogEx)
    ON_WM_DESTROY()
    ON_MESSAGE(WM_SERVER_TIME, &CVelmoraDlg::OnServerTimeOffset)
    ON_MESSAGE(WM_SERVER_CLOCK_TEXT, &CVelmoraDlg::OnServerClockText)
    ON_MESSAGE(WM_SPEEDTEST_DONE, &CVelmoraDlg::OnSpeedTestDone)
    ON_MESSAGE(WM_START_UPDATE_CHECK, &CVelmoraDlg::OnCheckUpdate)
    ON_MESSAGE(WM_LOGIN_NOTICE, &CVelmoraDlg::OnLoginNotice)
    ON_MESSAGE(WM_NEW_VERSION_FOUND, &CVelmoraDlg::OnNewVersion)
    // -- frame --
    // -- end frame --
    // -- board --
    ON_COMMAND(32793, &CVelmoraDlg::OnAddToMySector)
    ON_COMMAND(32796, &CVelmoraDlg::OnRemoveFromMySector)
    ON_MESSAGE(11108 /* WM_QUOTE_BATCH */, &CVelmoraDlg::OnQuoteBatch)
    ON_MESSAGE(WM_QUOTE_CONNECTION_DATA, &CVelmoraDlg::OnSectorData)
    ON_MESSAGE(11122 /* WM_MARKETLIST_READY */, &CVelmoraDlg::OnMarketListReady)
    ON_MESSAGE(11124 /* WM_MARKETINFO_READY */, &CVelmoraDlg::OnMarketInfoReady)
    ON_MESSAGE(WM_REDISPLAY_QUOTES, &CVelmoraDlg::OnListRefresh)
    ON_MESSAGE(11125 /* WM_SHOW_NOTICES */, &CVelmoraDlg::OnShowNotices)
    ON_NOTIFY(TCN_SELCHANGE, 1000, &CVelmoraDlg::OnTabSelChange)
    // -- end board --
    // -- desk --
    // -- end desk --
    // -- hosts --
    // -- end hosts --
    // -- panels --
    // -- end panels --
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

    const uintptr_t statistics = _beginthreadex(nullptr, 0, StatisticsThread, nullptr, 0, nullptr);
    if (statistics != 0)
        ::CloseHandle(reinterpret_cast<HANDLE>(statistics));
    StartServerTimeThread();
    if (!LogIn())
    {
        EndDialog(0);
        return FALSE;
    }
    char appData[MAX_PATH] = {0};
    if (::SHGetSpecialFolderPathA(m_hWnd, appData, CSIDL_APPDATA, TRUE))
        CreateUserFolders(appData, GetSessionData().m_strUserName, m_strDatabaseFolder);
    StartConnections();
    StartServerClock();
    // -- login init --
    // -- end login init --
    // -- frame init --
    // -- end frame init --
    // -- board init --
    InitBoard();
    // -- end board init --
    // -- desk init --
    // -- end desk init --
    // -- hosts init --
    // -- end hosts init --
    // -- panels init --
    // -- end panels init --
    return TRUE;
}

// Runs the login window; false when it closed without an accepted login.
bool CVelmoraDlg::LogIn()
{
    LoginFolders folders;
    folders.appDir = theApp.m_strAppDir;
    folders.rootDir = theApp.m_strRootDir;
    folders.testDir = theApp.m_strTestDir;
    folders.updateDir = theApp.m_strUpdateDir;
    folders.usrDir = theApp.m_strUsrDir;
    m_loginFlow.reset(new CLoginFlow(m_hWnd, folders));
    InstallLoginTypingHook();
    return m_loginFlow->Run();
}

// The user's sessions and one reply receiver per session.
void CVelmoraDlg::StartConnections()
{
    CConnectionRegistry& registry = GetConnectionRegistry();
    registry.CreateSessions(DefaultServerUsed);
    if (SpecialLoginFlag)
    {
        TradeConnectionState = CONNECTION_NO_ACCOUNT;
        QueryConnectionState = CONNECTION_NO_ACCOUNT;
        ProxyTradeConnectionState = CONNECTION_NO_ACCOUNT;
        ProxyQueryConnectionState = CONNECTION_NO_ACCOUNT;
    }
    m_receiverHost.reset(new CMainReceiverHost(m_hWnd));
    m_receivers.reset(new CReceiverSet(*m_receiverHost, registry));
    m_receivers->StartAll(GetSessionData(), DefaultServerUsed, CQuoteReceiver::Create);
}

void CVelmoraDlg::StopReceivers()
{
    if (!m_receivers)
        return;
    // The receivers deliver by SendMessage to this window: stop them from another thread while
    // this one keeps answering.
    const uintptr_t stopper = _beginthreadex(nullptr, 0, StopReceiversThread, m_receivers.get(), 0, nullptr);
    if (stopper != 0)
    {
        WaitPumping(reinterpret_cast<HANDLE>(stopper));
        ::CloseHandle(reinterpret_cast<HANDLE>(stopper));
    }
    GetConnectionRegistry().DisconnectAll();
    m_receivers.reset();
}

void CVelmoraDlg::OnDestroy()
{
    // -- panels destroy --
    // -- end panels destroy --
    // -- hosts destroy --
    // -- end hosts destroy --
    // -- desk destroy --
    // -- end desk destroy --
    // -- board destroy --
    StopBoard();
    DestroyBoard();
    // -- end board destroy --
    // -- frame destroy --
    // -- end frame destroy --
    StopReceivers();
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

LRESULT CVelmoraDlg::OnSpeedTestDone(WPARAM wParam, LPARAM)
{
    return m_loginFlow ? m_loginFlow->OnSpeedTestDone(wParam) : 0;
}

LRESULT CVelmoraDlg::OnCheckUpdate(WPARAM wParam, LPARAM)
{
    return m_loginFlow ? m_loginFlow->OnStartUpdateCheck(wParam) : 0;
}

LRESULT CVelmoraDlg::OnLoginNotice(WPARAM, LPARAM lParam)
{
    return m_loginFlow ? m_loginFlow->OnLoginNotice(lParam) : 0;
}

// A server or the instrument-list check says the program is outdated: once, stop the refresh,
// drop every connection and tell the user.
LRESULT CVelmoraDlg::OnNewVersion(WPARAM, LPARAM)
{
    if (m_newVersionFound)
        return 0;
    m_newVersionFound = true;
    KillTimer(2);
    KillTimer(3);
    GetConnectionRegistry().DisconnectAll();
    MessageBox("发现新版本，请重新运行程序！", "Tolvan证券", MB_OK);
    return 0;
}
