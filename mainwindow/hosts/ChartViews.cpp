#include "ChartViews.h"
#include "ThreadWait.h"
#include <process.h>
#include <algorithm>
#include "BarDataStore.h"
#include "ConnectionRegistry.h"
#include "DriftlineChartDlg.h"
#include "KLineDlg.h"
#include "MarketTime.h"
#include "Network.h"
#include "QuoteStore.h"
#include "ReRequestBackoff.h"
#include "ServerSession.h"
#include "SessionData.h"
#include "SymbolRules.h"
#include "TradingSessions.h"
#include "Wickplot.h"
#include "Driftline.h"
#include "KLineLoader.h"

namespace {

const char kBusyText[] = "正在请求数据，请稍后再试！";
const char kRequestingText[] = "正在请求数据！";
const char kNoMarketText[] = "请求数据出错！";
const char kNoDataText[] = "未获取到数据！";

HANDLE StartWithBeginThread(unsigned(__stdcall* body)(void*), void* argument)
{
    return reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, body, argument, 0, nullptr));
}

bool IsMinutePeriod(int period)
{
    return period == 1 || period == 3 || period == 5 || period == 15 || period == 30 || period == 60;
}

}  // namespace

CChartViews::CChartViews(IChartViewsOwner& owner)
    : m_owner(owner), m_load(LoadHistoryFromServices), m_startThread(StartWithBeginThread)
{
    m_snapshot.ResetToAbsent();
    m_switchStopEvent = ::CreateEvent(nullptr, TRUE, FALSE, nullptr);
}

// The owner deletes the views only once StopHosts has reported the switch thread ended.
CChartViews::~CChartViews()
{
    StopHosts();
    DestroyHosts();
    if (m_switchThread == NULL && m_switchStopEvent)
        ::CloseHandle(m_switchStopEvent);
}

void CChartViews::Create(CWnd* pMainWnd)
{
    m_pMain = pMainWnd;
    m_hMain = pMainWnd != nullptr ? pMainWnd->GetSafeHwnd() : NULL;
    m_pKLine = new CKLineDlg(pMainWnd);
    m_pKLine->Create(CKLineDlg::IDD, pMainWnd);
    m_pKLine->ShowWindow(SW_HIDE);
    m_pTrend = new DriftlineChartDlg(pMainWnd);
    m_pTrend->Create(DriftlineChartDlg::IDD, pMainWnd);
    m_pTrend->ShowWindow(SW_HIDE);
}

void CChartViews::PlaceCharts(const CRect& area)
{
    if (m_pKLine && m_pKLine->GetSafeHwnd())
        m_pKLine->MoveWindow(area);
    if (m_pTrend && m_pTrend->GetSafeHwnd())
        m_pTrend->MoveWindow(area);
}

bool CChartViews::StopHosts()
{
    bool switchEnded = true;
    if (m_switchThread != NULL)
    {
        ::SetEvent(m_switchStopEvent);
        switchEnded = WaitForThread(m_switchThread, SWITCH_STOP_WAIT_MS);
        if (switchEnded)
        {
            ::CloseHandle(m_switchThread);
            m_switchThread = NULL;
            ::CloseHandle(m_switchStopEvent);
            m_switchStopEvent = NULL;
        }
        else
        {
            // Left running with its event and this object's switch state kept alive.
            ReportThreadLeftRunning("instrument switch", SWITCH_STOP_WAIT_MS);
        }
    }
    StopHistoryDownload();
    return switchEnded;
}

bool CChartViews::StopHistoryDownload(DWORD waitMs)
{
    HANDLE thread = NULL;
    {
        CSingleLock lock(&m_historyLock, TRUE);
        m_historyClosed = true;
        if (m_historyThread == NULL)
            return true;
        if (!::DuplicateHandle(::GetCurrentProcess(), m_historyThread, ::GetCurrentProcess(), &thread, 0, FALSE,
                               DUPLICATE_SAME_ACCESS))
            thread = NULL;
        // Its requests end at once; it then hands its empty job over and returns.
        m_historyStop->Raise();
    }
    const bool ended = thread == NULL || WaitForThread(thread, waitMs);
    if (thread != NULL)
        ::CloseHandle(thread);
    if (!ended)
    {
        // It owns its job and its signal: nothing of this object is needed for it to end.
        ReportThreadLeftRunning("history download", waitMs);
        return false;
    }
    CSingleLock lock(&m_historyLock, TRUE);
    if (m_historyThread != NULL)
    {
        ::CloseHandle(m_historyThread);
        m_historyThread = NULL;
    }
    return true;
}

void CChartViews::DestroyHosts()
{
    if (m_pKLine)
    {
        if (m_pKLine->GetSafeHwnd())
            m_pKLine->DestroyWindow();
        delete m_pKLine;
        m_pKLine = nullptr;
    }
    if (m_pTrend)
    {
        if (m_pTrend->GetSafeHwnd())
            m_pTrend->DestroyWindow();
        delete m_pTrend;
        m_pTrend = nullptr;
    }
}

void CChartViews::SendToMain(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A destroyed window takes nothing: a switch thread left running at the end sends in vain.
    if (m_hMain != NULL)
        ::SendMessage(m_hMain, message, wParam, lParam);
}

void CChartViews::ShowStatus(const CString& text)
{
    m_statusText = text;
    m_owner.ShowChartStatus(text);
}

void CChartViews::SetStatusFromThread(const CString& text)
{
    CString* posted = new CString(text);
    if (m_hMain == NULL || !::PostMessage(m_hMain, WM_HOSTS_STATUS_TEXT, 0, reinterpret_cast<LPARAM>(posted)))
        delete posted;
}

void CChartViews::ShowViewHost()
{
    const int view = m_view.load();
    if (m_pKLine && m_pKLine->GetSafeHwnd())
        m_pKLine->ShowWindow(view == VIEW_CANDLES ? SW_SHOW : SW_HIDE);
    if (m_pTrend && m_pTrend->GetSafeHwnd())
        m_pTrend->ShowWindow(view == VIEW_TREND ? SW_SHOW : SW_HIDE);
    // The host stands in the quote pages' place: above them, whatever was created last.
    CWnd* shown = view == VIEW_CANDLES ? static_cast<CWnd*>(m_pKLine)
                  : view == VIEW_TREND ? static_cast<CWnd*>(m_pTrend) : nullptr;
    if (shown && shown->GetSafeHwnd())
        shown->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_owner.OnChartViewShown(view, m_checkedButton);
}

void CChartViews::RequestMarketData(int view, int period, const CString& start, const CString& end, int)
{
    QuoteStore& store = GetQuoteStore();
    SectorRow row;
    if (m_selectedCode.IsEmpty() || !store.GetQuoteRow(m_selectedCode, row))
        return;
    const CString code = row.strCode;
    CString marketKey, sectorName, extra;
    store.FindInstrument(code, marketKey, sectorName, extra);
    if (view == VIEW_CANDLES)
        period = ChartPeriodFor(sectorName, period, IsStockSymbol(code));

    SectorRecord sector;
    store.GetSector(sectorName, sector);
    CString open = FormatTimeOfDay(row.quote.strStartTime);
    if (open.IsEmpty())
        open = GetSectorOpenTime(sector, code);
    CString close = FormatTimeOfDay(row.quote.strStopTime);
    if (close.IsEmpty())
        close = GetSectorCloseTime(sector, code);
    close = CutToHour(close);

    if (view == VIEW_QUOTE_LIST)
    {
        m_checkedButton = -1;
        SendToMain(WM_DEPTH_FEED_OFF, 0, 0);
        m_view = VIEW_QUOTE_LIST;
        ShowViewHost();
        return;
    }
    if (m_busy.load() != 0)
    {
        ShowStatus(kBusyText);
        return;
    }
    m_busy = 1;
    m_view = view;
    m_period = period;

    m_hasHistoryServer = false;
    if (ServerRecord* server = GetSessionData().FindServer("1", marketKey))
    {
        m_historyServer = *server;
        m_historyServer.m_strFields[7] = extra;
        m_historyServer.m_strFields[8] = row.strExtra;
        if (m_historyServer.m_strFields[2] == "ASM" || m_historyServer.m_strFields[2] == "FEC")
            m_historyServer.m_strFields[2] = code;
        m_hasHistoryServer = true;
    }
    const bool changed = m_firstRequest || code != m_lastCode || period != m_lastPeriod || view != m_lastView;
    m_firstRequest = false;
    if (changed)
        m_source.ResetDate();
    m_lastCode = code;
    m_lastPeriod = period;
    m_lastView = view;
    m_currentCode = code;
    m_currentName = row.strName;
    m_openTime = open;
    m_closeTime = close;
    m_decimals = GetPriceDecimals(code);
    m_title = BuildChartTitle(row.quote, m_title.strPeriod, BuildDepthStockInfo(row.quote));
    m_title.strTitle = row.strName;

    if (view == VIEW_CANDLES)
    {
        if (changed && m_pKLine)
            m_pKLine->SetLive(false);
        if (m_pKLine)
        {
            m_pKLine->SetSymbol(code);
            m_pKLine->SetPrecision(&m_decimals);
        }
        m_checkedButton = ToolbarButtonOfPeriod(period);
    }
    else
    {
        m_checkedButton = 4;
        if (m_pTrend)
        {
            m_pTrend->SetSymbolText(code);
            m_pTrend->SetOpenMarketTime(open, close);
            m_pTrend->SetPrecision(&m_decimals);
            // The empty series of a new instrument: a load that fails or brings nothing
            // must not leave the old line and name under its figures.
            if (changed)
                m_pTrend->AddTradePacket(BuildTrendPacket(nullptr, code, row.strName, MarketOfKey(marketKey),
                                                          row.quote.strPrevClose));
        }
    }
    ShowViewHost();
    ShowStatus(kRequestingText);
    if (changed)
        SendToMain(WM_HOSTS_RESET_DEPTH, 0, reinterpret_cast<LPARAM>(&code));

    m_currentMarket = MarketOfKey(marketKey);
    if (m_currentMarket.IsEmpty())
    {
        ShowStatus(kNoMarketText);
        m_busy = 0;
        return;
    }

    HistoryJob* job = new HistoryJob;
    job->nView = view;
    job->nPeriod = period;
    job->strCode = code;
    job->strName = row.strName;
    job->strMarket = m_currentMarket;
    job->bRebuildRequest = view == VIEW_TREND || changed;
    job->strStartDate = start;
    job->strEndDate = end;
    job->source = m_source;
    job->request = m_request;
    job->server = m_historyServer;
    job->bHasServer = m_hasHistoryServer;
    job->hTarget = m_hMain;
    StartHistoryJob(job);
}

struct HistoryThreadArgs
{
    HistoryJob* job;
    HistoryLoadFunc load;
    std::shared_ptr<CStopSignal> stop;  // the thread's own: it may outlive the views
};

unsigned __stdcall CChartViews::HistoryThread(void* argument)
{
    HistoryThreadArgs* args = static_cast<HistoryThreadArgs*>(argument);
    CStopSignal::SetForCurrentThread(args->stop.get());
    RunHistoryJob(args->job, args->load);
    CStopSignal::SetForCurrentThread(nullptr);
    delete args;
    return 0;
}

void CChartViews::StartHistoryJob(HistoryJob* job)
{
    CSingleLock lock(&m_historyLock, TRUE);
    if (m_historyThread != NULL)
    {
        ::CloseHandle(m_historyThread);
        m_historyThread = NULL;
    }
    HistoryThreadArgs* args = nullptr;
    if (!m_historyClosed)
    {
        m_historyStop = std::make_shared<CStopSignal>();
        args = new HistoryThreadArgs{job, m_load, m_historyStop};
        m_historyThread = m_startThread(HistoryThread, args);
    }
    if (m_historyThread == NULL)
    {
        lock.Unlock();
        delete args;
        FreeHistoryJob(job);
        ShowStatus(kNoDataText);
        m_busy = 0;
    }
}

void CChartViews::OnHistoryDone(HistoryJob* job)
{
    if (job == nullptr)
        return;
    m_busy = job->nStatus;
    m_request = job->request;
    m_requestedCodes[job->strCode] = job->nView == VIEW_TREND ? job->request.nMarketDay : 1;
    if (job->nView == VIEW_TREND)
        m_trendDate = job->request.strStartDate;
    // A packet for an instrument no longer asked about is stale: the newest request wins.
    const bool current = job->strCode == m_currentCode && job->nView == m_lastView;
    const bool empty = job->pPacket == nullptr || job->pPacket->pFirst == nullptr;
    if (!current || (m_dropEmptyPacket && empty))
    {
        if (current && job->nStatus == 2)
            ShowStatus(kNoDataText);
    }
    else if (job->nView == VIEW_CANDLES)
    {
        DeliverCandles(*job);
    }
    else if (job->nView == VIEW_TREND)
    {
        DeliverTrend(*job);
    }
    FreeHistoryJob(job);
    m_busy = 0;
}

void CChartViews::DeliverCandles(HistoryJob& job)
{
    if (m_pKLine == nullptr)
        return;
    HistoryPacket* packet = job.pPacket;
    if (packet == nullptr)
        packet = new HistoryPacket;
    job.pPacket = nullptr;
    packet->strCode = job.strCode;
    packet->strName = job.strName;
    packet->strPeriod.Format("%d", job.nPeriod);
    packet->strMarket = job.strMarket;
    m_pKLine->SetSymbol(job.strCode);
    m_pKLine->SetPrecision(&m_decimals);
    m_pKLine->AddPacket(packet);
    ShowStatus(CString());
}

void CChartViews::DeliverTrend(HistoryJob& job)
{
    if (m_pTrend == nullptr)
        return;
    SectorRow row;
    GetQuoteStore().GetQuoteRow(job.strCode, row);
    // The trend is scaled around the previous close; without a quote yet, the day's first
    // price stands in for it rather than a scale around zero.
    CString reference = row.quote.strPrevClose;
    if (reference.IsEmpty() && job.pPacket && job.pPacket->pFirst)
        reference = job.pPacket->pFirst->strOpen;
    TrendPacket* packet = BuildTrendPacket(job.pPacket, job.strCode, job.strName, job.strMarket,
                                           reference);
    m_pTrend->SetOpenMarketTime(m_openTime, m_closeTime);
    m_pTrend->SetPrecision(&m_decimals);
    m_pTrend->SetDepthPrecision(&m_decimals);
    m_pTrend->AddTradePacket(packet);
    ShowStatus(CString());
}

void CChartViews::OnChartLoaded(int period)
{
    if (m_view.load() != VIEW_CANDLES)
        return;
    m_period = period;
    m_title.strPeriod.Format("%d", period);
    if (m_pKLine)
    {
        m_pKLine->SetTitleInfo(m_title);
        m_pKLine->SetLive(true);
    }
}

void CChartViews::SelectInstrument(const SelectCodeRequest& request)
{
    SectorRow row;
    if (!GetQuoteStore().GetQuoteRow(request.strCode, row))
        return;
    m_selectedCode = request.strCode;
    if (m_pKLine)
        m_pKLine->SetSymbol(request.strCode);
    if (m_pTrend)
        m_pTrend->SetSymbolText(request.strCode);
    RequestMarketData(request.nView, request.nPeriod, CString(), CString(), 1);
}

void CChartViews::OnEnter()
{
    RequestMarketData(NextViewOnEnter(m_view.load()), m_period, CString(), CString(), 1);
}

void CChartViews::OnOlderBarsWanted()
{
    if (m_busy.load() != 0)
        return;
    // A page reaches back from the oldest date loaded so far and keeps everything up to
    // today: starting from the trading date would load a shorter window than the first load
    // and page the history away instead of extending it.
    CString start = m_request.strStartDate;
    if (start.IsEmpty())
        start = m_source.GetDate();
    const CString earlier = OlderBarsStart(start, m_period);
    if (!earlier.IsEmpty())
        start = earlier;
    m_historyStartDate = start;
    RequestMarketData(m_view.load(), m_period, start, GetServerDateText(), 1);
    m_olderBarsRequested = true;
}

// Whether a live tick of a stock may reach the charts now (outside the session, or before a
// whole period has passed since the series was loaded, it may not).
bool CChartViews::StockTickDue(const CString& code, const CString& time) const
{
    QuoteStore& store = GetQuoteStore();
    if (store.SectorContains("沪深", code))
        return IsCsmSessionTime(time, TRUE, 5) && GetBarDataStore().IsRefreshDue(code, m_period, time);
    if (store.SectorContains("港股", code))
        return IsHksSessionTime(time, TRUE) && GetBarDataStore().IsRefreshDue(code, m_period, time);
    return true;
}

void CChartViews::OnQuoteRefresh(const QuoteRow* row)
{
    const int view = m_view.load();
    if (row == nullptr || (view != VIEW_CANDLES && view != VIEW_TREND))
        return;
    const DepthStockInfo info = BuildDepthStockInfo(*row);
    const ChartTitleInfo title = BuildChartTitle(*row, m_title.strPeriod, info);
    int decimals = GetPriceDecimals(row->strCode);
    if (m_pKLine)
    {
        m_pKLine->SetPrecision(&decimals);
        m_pKLine->SetDepthPrecision(&decimals);
    }
    if (m_pTrend)
    {
        m_pTrend->SetPrecision(&decimals);
        m_pTrend->SetDepthPrecision(&decimals);
    }
    m_tradeTick = BuildTradeTick(*row, info);

    CString marketKey, sector, extra;
    if (GetQuoteStore().FindInstrument(row->strCode, marketKey, sector, extra))
    {
        const CString market = MarketOfKey(marketKey);
        const bool sendTick = market == "FEC" ? (row->nChangeFlags & QUOTE_PRICE_MOVED) != 0
                                              : !market.IsEmpty() && (row->nChangeFlags & QUOTE_VOLUME_MOVED) != 0;
        if (!market.IsEmpty())
        {
            if (sendTick)
            {
                if (m_pKLine) m_pKLine->AddDepthData(m_tradeTick);
                if (m_pTrend) m_pTrend->AddDepthData(m_tradeTick);
            }
            if (m_pKLine) m_pKLine->UpdateStockInfo(info);
            if (m_pTrend) m_pTrend->UpdateStockInfo(info);
        }
    }
    MergeQuoteIntoChart(*row, info, title);
}

bool CChartViews::ShowsCode(const CString& code) const
{
    return (m_pKLine && m_pKLine->GetSymbol() == code) || (m_pTrend && m_pTrend->GetSymbolText() == code);
}

void CChartViews::TakeQuoteDepth(const QuoteRow& row)
{
    const bool stock = IsStockSymbol(row.strCode);
    if (stock || m_depthMode.load() != 1)
        FillSnapshotFromQuote(row, stock, m_snapshot);
    if (m_pKLine && m_pKLine->GetSymbol() == row.strCode)
        m_pKLine->UpdateSellBuyParam(SnapshotToLevels(m_snapshot));
    if (m_pTrend && m_pTrend->GetSymbolText() == row.strCode)
        m_pTrend->UpdateSellBuyParam(SnapshotToLevels(m_snapshot));
}

void CChartViews::MergeQuoteIntoChart(const QuoteRow& row, const DepthStockInfo& info, const ChartTitleInfo& title)
{
    ChartTitleInfo copy = title;
    if (m_view.load() == VIEW_CANDLES)
    {
        if (m_pKLine == nullptr)
            return;
        m_pKLine->SetTitleInfo(copy);
        if (!m_pKLine->IsLive())
            return;
        WickplotBar* bar = nullptr;
        if (m_period == 0 && row.strQuoteTime.GetLength() >= 8)
        {
            bar = new WickplotBar;
            bar->strTime = row.strQuoteTime.Left(8);
            bar->strOpen = info.strInfo[12];
            bar->strHigh = info.strInfo[13];
            bar->strLow = info.strInfo[14];
            bar->strClose = info.strInfo[2];
            bar->strVolume = info.strInfo[5];
        }
        else if (IsMinutePeriod(m_period) && StockTickDue(row.strCode, row.strQuoteTime)
                 && row.strQuoteTime.Find(':') >= 0)
        {
            bar = new WickplotBar;
            bar->strTime = row.strQuoteTime;
            bar->strTime.Remove('-');
            bar->strTime.Remove('/');
            bar->strOpen = bar->strHigh = bar->strLow = bar->strClose = info.strInfo[2];
            bar->strVolume = info.strInfo[6];
        }
        if (bar != nullptr)
        {
            bar->strCode = row.strCode;
            m_pKLine->AddData(bar);
        }
        return;
    }
    if (m_pTrend == nullptr)
        return;
    m_pTrend->SetTitleInfo(&copy);
    TrendTickNode node;
    node.strCode = row.strCode;
    node.strPrice = info.strInfo[2];
    node.strVolume = info.strInfo[6];
    node.strTime = row.strQuoteTime;
    node.strRefPrice = info.strInfo[11];
    if (node.strPrice.IsEmpty() || node.strVolume.IsEmpty() || node.strTime.IsEmpty())
        return;
    const CString timeOfDay = LastChars(node.strTime, 8);
    if (atoi(GetServerDateText()) == atoi(m_trendDate) && IsPastSessionClose(timeOfDay, m_openTime, m_closeTime))
    {
        // The session is over: the series is asked for once more instead of drawing past its
        // end. Once: a reply whose bars end before the quote's time is no reason to ask again.
        const CString reload = row.strCode + "|" + m_trendDate;
        if (reload != m_trendCloseReload && m_busy.load() == 0)
        {
            m_trendCloseReload = reload;
            RequestMarketData(VIEW_TREND, m_period, CString(), CString(), 1);
        }
        return;
    }
    if (node.strTime.Find(':') >= 0 && StockTickDue(row.strCode, node.strTime))
        m_pTrend->AddTradeRealData(&node);
}

void CChartViews::OnDepthUpdate(const DepthBook* book)
{
    if (book == nullptr)
        return;
    CopyDepthBook(*book, m_snapshot);
    if (m_depthMode.load() != 1)
        return;
    if (m_pKLine && m_pKLine->GetSymbol() == book->strServerName)
        m_pKLine->UpdateSellBuyParam(SnapshotToLevels(m_snapshot));
    if (m_pTrend && m_pTrend->GetSymbolText() == book->strServerName)
        m_pTrend->UpdateSellBuyParam(SnapshotToLevels(m_snapshot));
}

int CChartViews::OnKLineData(const CString* code, const KLineBar* bar)
{
    if (bar == nullptr || code == nullptr || *code != m_currentCode)
        return -1;
    QuoteStore& store = GetQuoteStore();
    if (store.SectorContains("沪深", *code))
    {
        if (!IsCsmSessionTime(bar->strTime, FALSE, 5))
            return -1;
    }
    else if (store.SectorContains("港股", *code) && !IsHksSessionTime(bar->strTime, FALSE))
    {
        return -1;
    }
    const int view = m_view.load();
    if (view == VIEW_CANDLES)
    {
        if (m_period == 0 || m_period == KLINE_PERIOD_WEEK || m_period == KLINE_PERIOD_MONTH)
            return 0;
        WickplotBar* node = MakeBarFromKLine(*code, *bar);
        if (m_pKLine)
            m_pKLine->AddData(node);
        else
            delete node;
    }
    else if (view == VIEW_TREND && m_pTrend)
    {
        SectorRow row;
        store.GetQuoteRow(*code, row);
        TrendTickNode node;
        node.strCode = *code;
        node.strPrice = bar->strClosePrice;
        node.strVolume = bar->strVolume;
        node.strTime = KLineBarTimeText(*bar);
        node.strRefPrice = row.quote.strPrevClose;
        node.bClosed = 1;
        m_pTrend->AddTradeRealData(&node);
    }
    return 0;
}

void CChartViews::ResetDepthWindows(CString code)
{
    SectorRow row;
    GetQuoteStore().GetQuoteRow(code, row);
    QuoteRow quote = row.quote;
    const DepthStockInfo info = BuildDepthStockInfo(quote);
    FillSnapshotFromQuote(quote, IsStockSymbol(code), m_snapshot);
    int decimals = GetPriceDecimals(code);
    CChartHostBase* hosts[] = {m_pKLine, m_pTrend};
    for (CChartHostBase* host : hosts)
    {
        if (host == nullptr)
            continue;
        host->SetDepthPrecision(&decimals);
        host->ClearDepthData();
        host->ClearSelectStatus();
        host->UpdateStockInfo(info);
        host->UpdateSellBuyParam(SnapshotToLevels(m_snapshot));
    }
}

void CChartViews::OnDepthOff(WPARAM keepHosts)
{
    if (m_pKLine)
        if (CServerSession* session = GetConnectionRegistry().GetDepthSession(m_pKLine->GetSymbol()))
            if (CNetwork* connection = session->GetConnection())
                connection->Disconnect();
    m_depthMode = 0;
    if (keepHosts == 0)
    {
        if (m_pKLine) m_pKLine->ShowDepthPanel(false);
        if (m_pTrend) m_pTrend->ShowDepthPanel(false);
    }
}

void CChartViews::OnDepthOn()
{
    if (m_pKLine)
        if (CServerSession* session = GetConnectionRegistry().GetDepthSession(m_pKLine->GetSymbol()))
            if (CNetwork* connection = session->GetConnection())
                connection->Connect();
    m_depthMode = 1;
    if (m_pKLine) m_pKLine->ShowDepthPanel(true);
    if (m_pTrend) m_pTrend->ShowDepthPanel(true);
}

void CChartViews::BuildPeriodBars(const CString& code, const CString& quoteTime, const CString& marketKey)
{
    const int view = m_view.load();
    if (m_selectedCode.IsEmpty() || view == VIEW_QUOTE_LIST)
        return;
    if (view == VIEW_CANDLES && (m_period == 0 || m_period == KLINE_PERIOD_WEEK || m_period == KLINE_PERIOD_MONTH))
        return;
    const CString market = MarketOfKey(marketKey);
    if (quoteTime.GetLength() != 17 || !IsMarketSessionTime(market, quoteTime, FALSE, 5))
        return;
    auto requested = m_requestedCodes.find(code);
    if (requested == m_requestedCodes.end() || requested->second != 1)
        return;
    const bool shown = view == VIEW_CANDLES ? (m_pKLine && m_pKLine->GetSymbol() == code)
                                            : (m_pTrend && m_pTrend->GetSymbolText() == code);
    if (!shown || (market != "CSM" && market != "HKS"))
        return;
    const int period = view == VIEW_TREND ? 1 : m_period;
    if (PeriodServiceName(period).IsEmpty())
        return;
    __int64 lastLoad = -1;
    const std::map<CString, int> last = GetBarDataStore().GetLastLoad(code, period);
    if (!last.empty())
        lastLoad = last.begin()->second;
    GetSecondKLineLoader().RequestBars(code, "1", period, RefreshSize(lastLoad, quoteTime, period),
                                       m_request.strStartDate, m_request.strEndDate, market);
}

bool CChartViews::ReloadTrendBeforeOpen(const CString& code, const CString& now)
{
    if (m_view.load() != VIEW_TREND || m_pTrend == nullptr || code != m_selectedCode)
        return false;
    QuoteStore& store = GetQuoteStore();
    SectorRow row;
    CString marketKey, sectorName, extra;
    if (!store.GetQuoteRow(code, row) || !store.FindInstrument(code, marketKey, sectorName, extra))
        return false;
    CString open = FormatTimeOfDay(row.quote.strStartTime);
    if (open.IsEmpty())
    {
        SectorRecord sector;
        store.GetSector(sectorName, sector);
        open = GetSectorOpenTime(sector, code);
    }
    const __int64 serverTime = QuoteTimeValue(now);
    const __int64 opening = QuoteTimeValue(now.Left(8) + " " + open);
    if (serverTime == -1 || opening == -1)
        return false;
    const auto started = m_trendReloadStarts.find(code);
    const __int64 lastStart = started != m_trendReloadStarts.end() ? started->second : 0;
    const __int64 lastLoad = std::max<__int64>(m_pTrend->GetPacketTime(code), lastStart);
    if (!IsTrendReloadDue(serverTime, opening, lastLoad))
        return false;
    if (m_busy.load() == 0)
    {
        // The bars of the closing session are stale once the new one opens.
        GetBarDataStore().Clear();
        m_trendReloadStarts[code] = serverTime;
        RequestMarketData(VIEW_TREND, m_period, CString(), CString(), 1);
    }
    return true;
}

// --- instrument switch ------------------------------------------------------------------

void CChartViews::RequestSwitch(const CString& code)
{
    {
        CSingleLock lock(&m_switchLock, TRUE);
        m_switchCode = code;
        m_switchView = m_view.load();
        m_switchPeriod = m_period;
    }
    if (m_switchThread == NULL && m_switchStopEvent != NULL)
        m_switchThread = m_startThread(SwitchThread, this);
}

bool CChartViews::IsSwitchThreadRunning() const
{
    return m_switchThread != NULL && ::WaitForSingleObject(m_switchThread, 0) == WAIT_TIMEOUT;
}

unsigned __stdcall CChartViews::SwitchThread(void* self)
{
    static_cast<CChartViews*>(self)->SwitchLoop();
    return 0;
}

void CChartViews::SelectFromSwitch(const CString& code, int view, int period)
{
    SelectCodeRequest request;
    request.strCode = code;
    request.nView = view;
    request.nPeriod = period;
    SendToMain(WM_SELECT_CODE, reinterpret_cast<WPARAM>(&request), 0);
}

// Waits in 5 ms steps until the candlestick host has taken the new series; false when the
// stop event ends the wait. A chart that stays empty is asked again, with growing pauses.
bool CChartViews::WaitForChart()
{
    const DWORD begin = ::GetTickCount();
    ReRequestBackoff backoff(SWITCH_RESEND_MS, SWITCH_RESEND_CEILING_MS);
    CString code;
    int period = 0;
    {
        CSingleLock lock(&m_switchLock, TRUE);
        code = m_switchCode;
        period = m_switchPeriod;
    }
    while (m_pKLine == nullptr || !m_pKLine->IsLive())
    {
        if (::WaitForSingleObject(m_switchStopEvent, SWITCH_STEP_MS) == WAIT_OBJECT_0)
            return false;
        if (m_view.load() != VIEW_CANDLES)
            break;
        if (m_busy.load() == 0 && backoff.Due(::GetTickCount() - begin))
            SelectFromSwitch(code, VIEW_CANDLES, period);
    }
    return true;
}

void CChartViews::SwitchLoop()
{
    CString lastCode;
    int lastView = -1;
    int lastPeriod = -1;
    for (;;)
    {
        CString code;
        int view = 0;
        int period = 0;
        {
            CSingleLock lock(&m_switchLock, TRUE);
            code = m_switchCode;
            view = m_switchView;
            period = m_switchPeriod;
        }
        if (m_busy.load() == 0 && !code.IsEmpty())
        {
            if (code == lastCode && view == lastView && period == lastPeriod)
            {
                CSingleLock lock(&m_switchLock, TRUE);
                if (m_switchCode == code)
                    m_switchCode.Empty();
            }
            else
            {
                bool depthWasOn = false;
                if (view == VIEW_CANDLES || view == VIEW_TREND)
                {
                    // The depth snapshot is written on the interface thread only.
                    SendToMain(WM_HOSTS_RESET_DEPTH, 0, reinterpret_cast<LPARAM>(&code));
                    if (m_depthMode.load() == 1)
                    {
                        depthWasOn = true;
                        SendToMain(WM_DEPTH_FEED_OFF, 1, 0);
                    }
                }
                SelectFromSwitch(code, view, period);
                if (view == VIEW_CANDLES && !WaitForChart())
                    return;
                if (depthWasOn)
                    SendToMain(WM_DEPTH_FEED_ON, 0, 0);
                lastCode = code;
                lastView = view;
                lastPeriod = period;
            }
        }
        if (::WaitForSingleObject(m_switchStopEvent, SWITCH_STEP_MS) == WAIT_OBJECT_0)
            return;
    }
}
