#include "VelmoraDlg.h"

#include "HistoryServices.h"
#include "HistoryServiceChoice.h"
#include "WebServiceConfig.h"
#include "DeskParts.h"
#include "TradeDlg.h"
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
#include "StatisticsReport.h"
#include "StartupTasks.h"
#include "TimeHelperLauncher.h"
#include "VelmoraApp.h"
#include "WebRequest.h"
// -- frame includes --
#include "FrameMessages.h"
#include "MessageFilter.h"
// -- end frame includes --

#include <process.h>
#include <shlobj.h>

namespace {

// How long the shutdown waits for the status-bar clock before going on without it.
const DWORD kClockStopWaitMs = 3000;

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
    ON_WM_NCCALCSIZE()
    ON_WM_NCHITTEST()
    ON_WM_NCPAINT()
    ON_WM_NCACTIVATE()
    ON_WM_NCMOUSEMOVE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
    ON_WM_NCMOUSEHOVER()
    ON_WM_NCMOUSELEAVE()
    ON_WM_SYSCOMMAND()
    ON_WM_QUERYDRAGICON()
    ON_WM_PAINT()
    ON_WM_GETMINMAXINFO()
    ON_WM_MOVE()
    ON_WM_MEASUREITEM()
    ON_WM_DRAWITEM()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SPLITTER_CURSOR, &CVelmoraDlg::OnSetDragCursor)
    ON_MESSAGE(WM_PANEL_HIDE, &CVelmoraDlg::OnHideTradePanel)
    ON_MESSAGE(WM_PANEL_FLOAT, &CVelmoraDlg::OnFloatTradePanel)
    ON_MESSAGE(WM_CONNECTION_STATE, &CVelmoraDlg::OnConnectionState)
    ON_MESSAGE(WM_FRAME_STARTUP_FINISHED, &CVelmoraDlg::OnStartupFinished)
    ON_MESSAGE(WM_SHOW_NOTICES, &CVelmoraDlg::OnStartupDone)
    ON_MESSAGE(WM_TOOLBAR_BUTTON0, &CVelmoraDlg::OnToolbarQuoteList)
    ON_MESSAGE(WM_TOOLBAR_BUTTON2, &CVelmoraDlg::OnChartZoomIn)
    ON_MESSAGE(WM_TOOLBAR_BUTTON3, &CVelmoraDlg::OnChartZoomOut)
    ON_MESSAGE(WM_TOOLBAR_BUTTON4, &CVelmoraDlg::OnToolbarTrend)
    ON_MESSAGE(WM_TOOLBAR_BUTTON5, &CVelmoraDlg::OnToolbarDay)
    ON_MESSAGE(WM_TOOLBAR_BUTTON6, &CVelmoraDlg::OnToolbarWeek)
    ON_MESSAGE(WM_TOOLBAR_BUTTON7, &CVelmoraDlg::OnToolbarMonth)
    ON_MESSAGE(WM_TOOLBAR_BUTTON8, &CVelmoraDlg::OnToolbarMinute1)
    ON_MESSAGE(WM_TOOLBAR_BUTTON9, &CVelmoraDlg::OnToolbarMinute5)
    ON_MESSAGE(WM_TOOLBAR_BUTTON10, &CVelmoraDlg::OnToolbarMinute15)
    ON_MESSAGE(WM_TOOLBAR_BUTTON11, &CVelmoraDlg::OnToolbarMinute30)
    ON_MESSAGE(WM_TOOLBAR_BUTTON12, &CVelmoraDlg::OnToolbarMinute60)
    // -- end frame --
    // -- board --
    ON_COMMAND(32793, &CVelmoraDlg::OnAddToMySector)
    ON_COMMAND(32796, &CVelmoraDlg::OnRemoveFromMySector)
    ON_MESSAGE(11108 /* WM_QUOTE_BATCH */, &CVelmoraDlg::OnQuoteBatch)
    ON_MESSAGE(WM_QUOTE_CONNECTION_DATA, &CVelmoraDlg::OnSectorData)
    ON_MESSAGE(11122 /* WM_MARKETLIST_READY */, &CVelmoraDlg::OnMarketListReady)
    ON_MESSAGE(11124 /* WM_MARKETINFO_READY */, &CVelmoraDlg::OnMarketInfoReady)
    ON_MESSAGE(WM_REDISPLAY_QUOTES, &CVelmoraDlg::OnListRefresh)
    ON_NOTIFY(TCN_SELCHANGE, 1000, &CVelmoraDlg::OnTabSelChange)
    // -- end board --
    // -- desk --
    ON_MESSAGE(11081, &CVelmoraDlg::OnNewOrder)
    ON_MESSAGE(11120, &CVelmoraDlg::OnPlaceOrder)
    ON_MESSAGE(1176, &CVelmoraDlg::OnShowOrderDetailSetting)
    ON_MESSAGE(11078, &CVelmoraDlg::OnQueryPositions)
    ON_MESSAGE(11082, &CVelmoraDlg::OnQueryAllOrders)
    ON_MESSAGE(11083, &CVelmoraDlg::OnQueryCancellable)
    ON_MESSAGE(11113, &CVelmoraDlg::OnRefreshFills)
    ON_MESSAGE(11099, &CVelmoraDlg::OnQueryNextPage)
    ON_MESSAGE(11096, &CVelmoraDlg::OnSetQueryPage)
    ON_MESSAGE(11097, &CVelmoraDlg::OnQueryHistory)
    ON_MESSAGE(WM_REPLY_NEW_ORDER, &CVelmoraDlg::OnNewOrderReply)
    ON_MESSAGE(WM_REPLY_CANCEL, &CVelmoraDlg::OnCancelReply)
    ON_MESSAGE(WM_REPLY_CANCEL_ALL, &CVelmoraDlg::OnCancelAllReply)
    ON_MESSAGE(WM_REPLY_ORDER_LIST, &CVelmoraDlg::OnAllOrdersReply)
    ON_MESSAGE(WM_REPLY_CANCELLABLE_LIST, &CVelmoraDlg::OnCancellableReply)
    ON_MESSAGE(WM_REPLY_HISTORY, &CVelmoraDlg::OnHistoryReport)
    ON_MESSAGE(WM_REPLY_FILLS, &CVelmoraDlg::OnFillsReply)
    ON_MESSAGE(WM_RESET_ORDER_TABLES, &CVelmoraDlg::OnResetOrderTables)
    ON_MESSAGE(WM_ORDER_REFUSED, &CVelmoraDlg::OnOrderRefused)
    ON_MESSAGE(WM_REPLY_POSITIONS, &CVelmoraDlg::OnPositionsReply)
    ON_MESSAGE(WM_POSITION_RECORD, &CVelmoraDlg::OnPositionUpdate)
    ON_MESSAGE(WM_USER + 351, &CVelmoraDlg::OnPositionSelected)
    ON_MESSAGE(WM_FUNDS_UPDATE, &CVelmoraDlg::OnFundsUpdate)
    ON_MESSAGE(WM_FUNDS_RECORD, &CVelmoraDlg::OnFundsReply)
    ON_MESSAGE(WM_REPLY_ACCOUNT_SUMMARY, &CVelmoraDlg::OnAccountSummary)
    ON_MESSAGE(11084, &CVelmoraDlg::OnOrderSelected)
    ON_MESSAGE(11085, &CVelmoraDlg::OnCancelOrder)
    ON_MESSAGE(11086, &CVelmoraDlg::OnCancelAllOrders)
    ON_MESSAGE(11118, &CVelmoraDlg::OnClosePosition)
    ON_MESSAGE(11119, &CVelmoraDlg::OnCloseAllPositions)
    ON_MESSAGE(11112, &CVelmoraDlg::OnChangePassword)
    ON_MESSAGE(WM_PASSWORD_RESULT, &CVelmoraDlg::OnPasswordResult)
    ON_MESSAGE(11130, &CVelmoraDlg::OnRiskLineSet)
    ON_COMMAND(5, &CVelmoraDlg::OnRiskButton)
    ON_WM_TIMER()
    ON_WM_COPYDATA()
    ON_MESSAGE(WM_APP + 0x3401, &CVelmoraDlg::OnDeskProbeCommand)
    // -- end desk --
    // -- hosts --
    // The toolbar's view buttons reach the chart views through the frame's requestView hook.
    ON_MESSAGE(WM_LIST_OPEN_TREND, &CVelmoraDlg::OnShowTrend)
    ON_MESSAGE(WM_VIEW_MIN3, &CVelmoraDlg::OnShowMinute3Bars)
    ON_MESSAGE(11075, &CVelmoraDlg::OnKeyOpenView)
    ON_MESSAGE(WM_SELECT_CODE, &CVelmoraDlg::OnSelectInstrument)
    ON_MESSAGE(WM_QUOTES_REFRESH, &CVelmoraDlg::OnQuoteRefresh)
    ON_MESSAGE(WM_REQUEST_OLDER_BARS, &CVelmoraDlg::OnOlderBarsWanted)
    ON_MESSAGE(WM_DEPTH_FEED_OFF, &CVelmoraDlg::OnDepthOff)
    ON_MESSAGE(WM_DEPTH_FEED_ON, &CVelmoraDlg::OnDepthOn)
    ON_MESSAGE(11056, &CVelmoraDlg::OnDepthUpdate)
    ON_MESSAGE(11126, &CVelmoraDlg::OnKLineData)
    ON_MESSAGE(WM_HOSTS_STATUS_TEXT, &CVelmoraDlg::OnHostsStatusText)
    ON_MESSAGE(WM_HOSTS_HISTORY_DONE, &CVelmoraDlg::OnHistoryDone)
    ON_MESSAGE(WM_HOSTS_RESET_DEPTH, &CVelmoraDlg::OnResetDepthWindows)
    ON_MESSAGE(WM_HOSTS_CHART_LOADED, &CVelmoraDlg::OnChartLoaded)
    ON_MESSAGE(WM_HOSTS_BACK_TO_LIST, &CVelmoraDlg::OnChartBackToList)
    ON_MESSAGE(2029 /* WM_SECTOR_CHANGED */, &CVelmoraDlg::OnSectorChanged)
    ON_MESSAGE(11127 /* WM_SORT_OR_SELECT */, &CVelmoraDlg::OnSortOrSelect)
    // -- end hosts --
    // -- panels --
    ON_MESSAGE(WM_PROXY_ORDER_EVENT, &CVelmoraDlg::OnProxyOrderEvent)
    ON_MESSAGE(WM_PROXY_ORDER_UPDATE, &CVelmoraDlg::OnProxyOrderUpdate)
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

    StartStatisticsReport();
    StartServerTimeThread();
    if (!LogIn())
    {
        EndDialog(0);
        return FALSE;
    }
    char appData[MAX_PATH] = {0};
    if (::SHGetSpecialFolderPathA(m_hWnd, appData, CSIDL_APPDATA, TRUE))
        CreateUserFolders(appData, GetSessionData().m_strUserName, m_strDatabaseFolder);
    // The web hosts come from the configuration the board has read.
    LoadWebServiceSettings(theApp.m_strAppDir + "Config.ini");
    m_historyServiceBases = HistoryServiceBases();
    GetHistoryServiceChoice().SetBases(m_historyServiceBases);
    PickRandomServer(std::set<int>());
    StartConnections();
    StartServerClock();
    // -- frame init --
    InitFrame();
    // -- end frame init --
    // -- board init --
    InitBoard();
    // -- end board init --
    // -- desk init --
    InitDesk();
    // -- end desk init --
    // -- hosts init --
    InitHosts();
    AddHostShutdownStops();
    // -- end hosts init --
    // -- panels init --
    CreateTradePanel();
    if (m_pTradeDlg != nullptr)
    {
        // The frame lays the panel out and floats it; the trading handlers fill its windows.
        SetTradePanelWindow(m_pTradeDlg->GetSafeHwnd());
        // The header follows the connection states from now on; until the first report it
        // says the trading server is not connected.
        m_pTradeDlg->SetOrdersButtonState("全部", 1, 1);
        m_pTradeDlg->SetOrdersButtonState("可撤", 1, 0);
        m_pTradeDlg->ShowPlatformStatus("交易服务器已断开！", 0x969696, 0);
        if (m_deskParts)
            m_pTradeDlg->SetOption(m_deskParts->Desk().GetShowOrderDetail() ? 1 : 0);
        // States reported before the panel existed are shown again.
        SendMessage(WM_CONNECTION_STATE, CONNECTION_KIND_ORDER, TradeConnectionState);
        SendMessage(WM_CONNECTION_STATE, CONNECTION_KIND_QUERY, QueryConnectionState);
    }
    // -- end panels init --
    // Every handler exists now: the receivers take what their connections kept meanwhile.
    m_receivers->ReleaseAll();
    EndFrameInit();
    return TRUE;
}

// Reports this machine to the operator's statistics service once per start; the end stops it
// with the other downloads, whether or not the login is accepted.
void CVelmoraDlg::StartStatisticsReport()
{
    char base[260] = {0};
    ::GetPrivateProfileStringA("system", "StatisticsUrl", "http://127.0.0.1:5180", base, sizeof(base),
                               theApp.m_strAppDir + "Config.ini");
    m_statistics->Start(base);
    CStatisticsReport* report = m_statistics.get();
    AddShutdownStop("statistics report", SHUTDOWN_DOWNLOADS, [report](DWORD waitMs) { return report->Stop(waitMs); });
}

// A report still running (or stops still to run) keeps its object: the worker uses it.
void CVelmoraDlg::EndStatisticsReport()
{
    if (AreWorkerStopsDone() && !m_statistics->IsRunning())
        m_statistics.reset();
    else
        m_statistics.release();
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

// The user's sessions and one reply receiver per session, held until the window can take
// what they deliver.
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


void CVelmoraDlg::OnDestroy()
{
    // Every worker ends first, stage by stage, while this window answers what they send and
    // everything they deliver to still exists.
    StopWorkers();
    // -- panels destroy --
    DestroyConsole();
    SetTradePanelWindow(NULL);
    DestroyTradePanel();
    // -- end panels destroy --
    // -- hosts destroy --
    // A switch thread that did not end, or stops still to run, keep the views.
    if (StopHosts() && AreWorkerStopsDone())
        delete m_chartViews;
    m_chartViews = nullptr;
    // -- end hosts destroy --
    // -- desk destroy --
    DestroyDesk();
    // -- end desk destroy --
    // -- board destroy --
    DestroyBoard();
    // -- end board destroy --
    // -- frame destroy --
    ShutDownFrame();
    // -- end frame destroy --
    StopServerClock();
    EndStatisticsReport();
    ReportTheEnd();
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
    ShowServerClockText();
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

int CVelmoraDlg::PickRandomServer(const std::set<int>& excluded)
{
    // The download thread picks again through the same choice when a query fails.
    CHistoryServiceChoice& choice = GetHistoryServiceChoice();
    if (!choice.Pick(excluded))
        return 0;
    m_historyServiceIndex = choice.Current();
    return 1;
}
