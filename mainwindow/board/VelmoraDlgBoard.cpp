// The main window's quote board: sector pages, quote batches and instrument lists, the
// visible-row polling, "我的板块", the quick search, the splash and the notice windows, and
// the program-wide message filter, which asks the main window itself.
#include "VelmoraDlg.h"

#include "BoardResource.h"
#include "BoardShownSignal.h"
#include "BoardState.h"
#include "MarketDataMessages.h"
#include "SelectionRequest.h"
#include "MarketListProc.h"
#include "NoticeDlg.h"
#include "QuoteStore.h"
#include "ReplyMessages.h"
#include "SelfListFile.h"
#include "SplashDlg.h"
#include "TabQuoteDlg.h"
#include "VelmoraApp.h"
#include "WebQuote.h"
#include "WebServiceConfig.h"
#include "WebServices.h"

namespace {

const UINT_PTR kListRefreshTimer = 2;
const UINT kListRefreshMs = 2000;

void CALLBACK ListRefreshTimer(HWND hWnd, UINT, UINT_PTR, DWORD)
{
    ::SendMessage(hWnd, WM_REDISPLAY_QUOTES, 1, 0);
}

CString ConfigPath()
{
    return theApp.m_strAppDir + "Config.ini";
}

}  // namespace

CBoardState::CBoardState(CWnd& main, IQuoteBoardOwner& owner, IMessageFilterHost& filterHost)
    : board(main, owner, GetQuoteStore(), ProgramQuoteFetchers(GetCsmWebQuote(), GetHksWebQuote(), stockDown)),
      filter(filterHost),
      listStartup(MarketListSource(), [](NoticeRecord& notice) { return FetchNotices("", notice); })
{
}

CBoardState::~CBoardState() = default;

void CVelmoraDlg::InitBoard()
{
    m_boardState = new CBoardState(*this, *this, *this);
    CBoardState& state = *m_boardState;
    LoadWebServiceSettings(ConfigPath());
    GetMarketListProc().UpdateCsmMarketList(m_hWnd, WM_MARKETLIST_READY);
    state.quoteMenu.LoadMenu(IDR_QUOTE_MENU);

    state.board.Create();
    CreateMySector();
    LoadOwnList(state);
    ShowSector(MY_SECTOR_NAME);
    // The tab strip exists now: lay the window out with it.
    ApplySplit(GetSplit());

    state.splash = new CSplashDlg(CWnd::GetDesktopWindow());
    if (state.splash->Create(CSplashDlg::IDD, CWnd::GetDesktopWindow()))
        state.splash->ShowWindow(SW_SHOW);

    state.timerSet = ::SetTimer(m_hWnd, kListRefreshTimer, kListRefreshMs, ListRefreshTimer) != 0;
    theApp.m_pMessageFilter = &state.filter;
    state.listStarted = state.listStartup.Start(m_hWnd);
    WatchForShownBoard(m_hWnd, [this] {
        return m_boardState != nullptr ? m_boardState->board.CurrentPageList() : NULL;
    });
    AddBoardShutdownStops();
}

// A list that did not load starts empty; the user hears why, and whether the exit will keep
// the file as it is.
void CVelmoraDlg::LoadOwnList(CBoardState& state)
{
    state.selfListLoad = LoadSelfListFile(theApp.m_strDataDir);
    const CString problem = DescribeSelfListLoad(state.selfListLoad, theApp.m_strDataDir);
    if (!problem.IsEmpty())
        AfxShowMessageBox(m_hWnd, problem, "提示", MB_OK | MB_ICONWARNING);
}

void CVelmoraDlg::AddBoardShutdownStops()
{
    // The pollers and the market-list handler are never destroyed: one left running keeps a
    // live object. The board's own workers keep the board state (DestroyBoard).
    AddShutdownStop("A-share quote poller", SHUTDOWN_POLLERS, [](DWORD) {
        GetCsmWebQuote().StopQuotePolling();
        return !GetCsmWebQuote().IsRunning();
    });
    AddShutdownStop("Hong Kong quote poller", SHUTDOWN_POLLERS, [](DWORD) {
        GetHksWebQuote().StopQuotePolling();
        return !GetHksWebQuote().IsRunning();
    });
    AddShutdownStop("instrument lists", SHUTDOWN_DOWNLOADS, [](DWORD) { return GetMarketListProc().StopMarketListTasks(); });
    CBoardState* state = m_boardState;
    AddShutdownStop("stock quote download", SHUTDOWN_DOWNLOADS,
                    [state](DWORD waitMs) { return state->stockDown.Stop(waitMs); });
    AddShutdownStop("instrument-list start-up", SHUTDOWN_DOWNLOADS,
                    [state](DWORD waitMs) { return state->listStartup.Stop(waitMs); });
}

void CVelmoraDlg::PlaceBoard(const CRect& quoteArea)
{
    if (m_boardState != nullptr)
        m_boardState->board.Place(quoteArea);
}

void CVelmoraDlg::StopBoard()
{
    if (m_boardState == nullptr)
        return;
    StopWatchingBoard();
    CBoardState& state = *m_boardState;
    if (theApp.m_pMessageFilter == &state.filter)
        theApp.m_pMessageFilter = nullptr;
    if (state.timerSet)
        ::KillTimer(m_hWnd, kListRefreshTimer);
    state.timerSet = false;
}

void CVelmoraDlg::DestroyBoard()
{
    if (m_boardState == nullptr)
        return;
    StopBoard();
    CBoardState* state = m_boardState;
    m_boardState = nullptr;
    // The data folder may not exist yet in a fresh installation.
    ::CreateDirectoryA(theApp.m_strDataDir, NULL);
    if (MaySaveSelfList(state->selfListLoad))
        SaveSelfList(theApp.m_strDataDir);
    if (state->notice != nullptr) {
        if (state->notice->GetSafeHwnd() != NULL)
            state->notice->DestroyWindow();
        delete state->notice;
    }
    if (state->splash != nullptr) {
        if (state->splash->GetSafeHwnd() != NULL)
            state->splash->DestroyWindow();
        delete state->splash;
    }
    state->board.Destroy();
    // A worker of the board that did not end at its stop still works on the state, and stops
    // still to run reach it.
    if (!AreWorkerStopsDone() || state->listStartup.IsRunning() || state->stockDown.IsRunning())
        return;
    delete state;
}

CQuoteBoard* CVelmoraDlg::GetQuoteBoard()
{
    return m_boardState != nullptr ? &m_boardState->board : nullptr;
}

CString CVelmoraDlg::GetCurrentPageKey() const
{
    return m_boardState != nullptr ? m_boardState->board.CurrentPageKey() : CString();
}

CMenu* CVelmoraDlg::GetQuoteContextMenu()
{
    return m_boardState != nullptr && m_boardState->quoteMenu.GetSafeHmenu() != NULL
               ? &m_boardState->quoteMenu : nullptr;
}

void CVelmoraDlg::ShowSector(const CString& name)
{
    if (m_boardState != nullptr)
        m_boardState->board.ShowSector(name);
}

void CVelmoraDlg::CreateMySector()
{
    if (m_boardState != nullptr)
        m_boardState->board.CreateMySector();
}

void CVelmoraDlg::CollectVisibleCodes(std::vector<CString>& codes)
{
    codes.clear();
    if (m_boardState != nullptr)
        m_boardState->board.CollectVisibleCodes(codes);
}

void CVelmoraDlg::UpdateTabRows(const std::vector<CString>& codes)
{
    if (m_boardState != nullptr)
        m_boardState->board.UpdateTabRows(codes);
}

bool CVelmoraDlg::OpenSmartKeyboard(const MSG& key)
{
    return m_boardState != nullptr && m_boardState->board.OpenSmartKeyboard(key);
}

HWND CVelmoraDlg::TabStrip() const
{
    return m_boardState != nullptr ? m_boardState->board.TabStrip() : NULL;
}

HWND CVelmoraDlg::CurrentPageList() const
{
    return m_boardState != nullptr ? m_boardState->board.CurrentPageList() : NULL;
}

bool CVelmoraDlg::IsQuotePageList(HWND hWnd) const
{
    return m_boardState != nullptr && m_boardState->board.IsPageList(hWnd);
}

bool CVelmoraDlg::IsSmartKeyboardOpen() const
{
    return m_boardState != nullptr && m_boardState->board.IsSearchOpen();
}

bool CVelmoraDlg::IsNoticeShown() const
{
    const CNoticeDlg* notice = m_boardState != nullptr ? m_boardState->notice : nullptr;
    return notice != nullptr && notice->GetSafeHwnd() != NULL && notice->IsWindowVisible();
}

// The quick search chose a code: the page that holds it shows it, and the charts follow.
void CVelmoraDlg::SwitchToInstrument(const CString& code)
{
    SelectionRequest request;
    request.strCode = code;
    SendMessage(WM_SELECT_CODE, reinterpret_cast<WPARAM>(&request), 0);
}

bool CVelmoraDlg::IsSymbolListStarted() const
{
    return m_boardState != nullptr && m_boardState->listStarted;
}

void CVelmoraDlg::OnAddToMySector()
{
    if (m_boardState != nullptr)
        m_boardState->board.AddSelectedToMySector();
}

void CVelmoraDlg::OnRemoveFromMySector()
{
    if (m_boardState != nullptr)
        m_boardState->board.RemoveSelectedFromMySector();
}

LRESULT CVelmoraDlg::OnQuoteBatch(WPARAM wParam, LPARAM)
{
    if (m_boardState != nullptr && wParam != 0)
        m_boardState->board.ApplyQuoteBatch(*reinterpret_cast<const QuoteBatch*>(wParam));
    return 0;
}

LRESULT CVelmoraDlg::OnSectorData(WPARAM wParam, LPARAM lParam)
{
    if (m_boardState != nullptr)
        m_boardState->board.ApplySectorData(
            reinterpret_cast<const CString*>(wParam),
            reinterpret_cast<const std::map<CString, ContractRecord>*>(lParam));
    return 0;
}

LRESULT CVelmoraDlg::OnMarketListReady(WPARAM wParam, LPARAM lParam)
{
    if (m_boardState != nullptr && lParam != 0)
        m_boardState->board.ApplyMarketList(static_cast<int>(wParam),
                                            *reinterpret_cast<const std::vector<MarketListItem>*>(lParam));
    return 0;
}

LRESULT CVelmoraDlg::OnMarketInfoReady(WPARAM wParam, LPARAM lParam)
{
    if (m_boardState != nullptr && lParam != 0)
        m_boardState->board.ApplyMarketInfo(static_cast<int>(wParam),
                                            *reinterpret_cast<const std::vector<QuoteRow>*>(lParam));
    return 0;
}

LRESULT CVelmoraDlg::OnListRefresh(WPARAM wParam, LPARAM)
{
    if (m_boardState != nullptr && !m_newVersionFound)
        m_boardState->board.RefreshPolling(wParam);
    return 0;
}

void CVelmoraDlg::OnTabSelChange(NMHDR*, LRESULT* pResult)
{
    if (m_boardState != nullptr)
        m_boardState->board.OnTabSelChange();
    *pResult = 0;
}

// The start is complete (the frame runs the order): the splash goes and the notice shows
// unless the user hid it.
void CVelmoraDlg::DestroyBoardSplash()
{
    if (m_boardState == nullptr || m_boardState->splash == nullptr)
        return;
    m_boardState->splash->DestroyWindow();
    delete m_boardState->splash;
    m_boardState->splash = nullptr;
}

bool CVelmoraDlg::BoardNoticeId(CString& noticeId)
{
    if (m_boardState == nullptr)
        return false;
    const NoticeRecord& notice = m_boardState->listStartup.GetNotice();
    if (!ShouldShowNotice(notice, ConfigPath()))
        return false;
    noticeId = notice.strId.c_str();
    return true;
}

void CVelmoraDlg::ShowBoardNotice()
{
    if (m_boardState == nullptr)
        return;
    CBoardState& state = *m_boardState;
    const NoticeRecord& notice = state.listStartup.GetNotice();
    if (state.notice == nullptr && ShouldShowNotice(notice, ConfigPath())) {
        state.notice = new CNoticeDlg(this, ConfigPath());
        state.notice->SetNotice(notice);
        if (state.notice->Create(CNoticeDlg::IDD, this))
            state.notice->ShowWindow(SW_SHOW);
    }
}
