#include "KLineLoader.h"
#include "BarDataStore.h"
#include "KLineReply.h"
#include "MarketDataMessages.h"
#include "RequestToken.h"
#include "TradingSessions.h"
#include "WebRequest.h"
#include "WebServiceUrls.h"

namespace
{
bool IsLongPeriod(int period)
{
    return period == 0 || period == KLINE_PERIOD_WEEK || period == KLINE_PERIOD_MONTH;
}

bool IsInPacketSession(const CString& market, const CString& time)
{
    if (market == "CSM")
        return IsCsmSessionTime(time, FALSE, 5);
    if (market == "HKS")
        return IsHksSessionTime(time, FALSE);
    return false;
}

CString PacketBarTime(const KLineBar& bar, bool longPeriod)
{
    CString date = bar.strDate;
    date.Remove('-');
    date.Remove('/');
    if (longPeriod)
        return date;
    CString time;
    if (bar.strTime.GetLength() == 5)
        time.Format("%s %s:00", (LPCTSTR)date, (LPCTSTR)bar.strTime);
    else if (bar.strTime.GetLength() == 8)
        time.Format("%s %s", (LPCTSTR)date, (LPCTSTR)bar.strTime);
    else
        time = date;
    return time;
}
} // namespace

KLineLoader::KLineLoader() : m_worker("K-line loader"), m_finished(0), m_newRequest(0)
{
}

KLineLoader::~KLineLoader()
{
    m_worker.Join(STOP_WAIT_MS);
}

int KLineLoader::RequestBars(const CString& code, const CString& strCheck, int period,
                             const CString& size, const CString& startDate,
                             const CString& endDate, const CString& market)
{
    if (code.IsEmpty() || strCheck.IsEmpty() || size.IsEmpty())
        return -1;
    Start();
    KLineRequest request;
    request.strCode = code;
    request.strSize = size;
    request.strStartDate = startDate;
    request.strEndDate = endDate;
    request.strMarket = market;
    request.nPeriod = period;
    SubmitRequest(request);
    return 0;
}

void KLineLoader::Start()
{
    if (m_worker.IsAlive())
        return;
    CurlGlobalInitOnce();
    m_worker.Start([this] { KLineFetchThread(); });
}

int KLineLoader::Stop()
{
    m_worker.Stop(STOP_WAIT_MS);
    return 0;
}

void KLineLoader::SubmitRequest(const KLineRequest& request)
{
    {
        CSingleLock guard(&m_lock, TRUE);
        m_pending = request;
        m_newRequest.store(1);
    }
    m_worker.Wake();
}

bool KLineLoader::TakeRequest(KLineRequest& request)
{
    CSingleLock guard(&m_lock, TRUE);
    if (m_newRequest.load() == 0)
        return false;
    request = m_pending;
    m_newRequest.store(0);
    return true;
}

void KLineLoader::KLineFetchThread()
{
    while (!m_worker.IsStopRequested())
    {
        KLineRequest request;
        if (!TakeRequest(request))
        {
            m_worker.WaitForWake(IDLE_POLL_MS);
            continue;
        }
        ServeRequest(request);
        InterlockedIncrement(&m_finished);
    }
}

void KLineLoader::ServeRequest(KLineRequest& request)
{
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt)
    {
        std::vector<KLineBar> bars;
        if (FetchKLine(request, bars, false))
        {
            DeliverNewBars(request, bars);
            return;
        }
        // A newer request makes this one worthless; the stop ends everything.
        if (m_worker.IsStopRequested() || m_newRequest.load() != 0)
            return;
        if (attempt + 1 < ATTEMPTS)
        {
            m_worker.WaitForWake(RETRY_PAUSE_MS);
            if (m_worker.IsStopRequested() || m_newRequest.load() != 0)
                return;
        }
    }
}

void KLineLoader::DeliverNewBars(const KLineRequest& request, const std::vector<KLineBar>& bars)
{
    BarDataStore& store = GetBarDataStore();
    for (const KLineBar& bar : bars)
    {
        if (m_worker.IsStopRequested())
            return;
        CString dateTime = bar.strDate + " " + bar.strTime;
        if (!store.IsAfterLastLoad(request.strCode, request.nPeriod, dateTime))
            continue;
        store.SetLastLoad(request.strCode, request.nPeriod, dateTime);
        HWND hWnd = GetMarketDataWindow();
        if (hWnd != NULL)
        {
            KLineBar copy = bar;
            ::SendMessage(hWnd, WM_KLINE_LOADED, (WPARAM)(LPCTSTR)request.strCode,
                          (LPARAM)&copy);
        }
    }
}

int KLineLoader::KLineProgressCallback(void* pLoader, curl_off_t, curl_off_t, curl_off_t,
                                       curl_off_t)
{
    KLineLoader* loader = static_cast<KLineLoader*>(pLoader);
    return (loader->m_worker.IsStopRequested() || loader->m_newRequest.load() != 0) ? 1 : 0;
}

std::string KLineLoader::BuildRequestBody(const KLineRequest& request, const std::string& token)
{
    std::string body = "code=" + EscapeUrlText(request.strCode) + "&token=" + token;
    if (request.nPeriod == KLINE_PERIOD_WEEK || request.nPeriod == KLINE_PERIOD_MONTH)
    {
        body += "&requestDate=" + std::string(ToDashedDate(request.strEndDate));
        body += "&size=" + EscapeUrlText(request.strSize);
    }
    else
    {
        body += "&size=" + EscapeUrlText(request.strSize);
        body += "&startDate=" + std::string(ToDashedDate(request.strStartDate));
        body += "&endDate=" + std::string(ToDashedDate(request.strEndDate));
    }
    return body;
}

bool KLineLoader::FetchKLine(KLineRequest& request, std::vector<KLineBar>& bars,
                             bool bSynchronous)
{
    int keyPeriod = request.nPeriod == KLINE_PERIOD_INTRADAY ? 1 : request.nPeriod;
    std::string url = GetWebServiceUrls().GetKLineUrl((LPCTSTR)request.strMarket, keyPeriod);
    request.strUrl = url.c_str();
    if (url.empty())
        return false;
    CurlGlobalInitOnce();
    std::string body = BuildRequestBody(request, MakeRequestToken());

    std::string reply;
    CURLcode code = PostWithProgress(url, body, reply,
                                     bSynchronous ? nullptr : &KLineLoader::KLineProgressCallback, this);
    if (code != CURLE_OK ||
        ParseKLineReply(request.strMarket, request.strCode, request.nPeriod, reply, bars) != 0)
        return false;
    SortAndDeduplicateBars(bars);
    return true;
}

int KLineLoader::FetchBarsNow(const CString& code, int period, const CString& size,
                              const CString& startDate, const CString& endDate,
                              const CString& market, std::vector<KLineBar>& bars)
{
    if (code.IsEmpty() || size.IsEmpty() || startDate.IsEmpty() || endDate.IsEmpty())
        return -1;
    KLineRequest request;
    request.strCode = code;
    request.strSize = size;
    request.strStartDate = startDate;
    request.strEndDate = endDate;
    request.strMarket = market;
    request.nPeriod = period;
    return FetchKLine(request, bars, true) ? 0 : -1;
}

HistoryPacket* KLineLoader::LoadHistoryPacket(const CString& code, int period, int size,
                                              const CString& startDate, const CString& endDate,
                                              int& nStatus, const CString& market)
{
    CString sizeText = "all";
    if (size > 0)
        sizeText.Format("%d", size);
    std::vector<KLineBar> bars;
    nStatus = FetchBarsNow(code, period, sizeText, startDate, endDate, market, bars);

    HistoryPacket* packet = new HistoryPacket;
    packet->strPeriod.Format("%d", period);
    packet->strMarket = market; // the chart's real-time merger decides by it
    bool longPeriod = IsLongPeriod(period);
    WickplotBar* last = nullptr;
    for (const KLineBar& bar : bars)
    {
        if (!longPeriod && !IsInPacketSession(market, bar.strTime))
            continue;
        WickplotBar* node = new WickplotBar;
        node->strTime = PacketBarTime(bar, longPeriod);
        node->strOpen = bar.strOpenPrice;
        node->strHigh = bar.strHigh;
        node->strLow = bar.strLow;
        node->strClose = bar.strClosePrice;
        node->strVolume = bar.strVolume;
        node->nDirection = BarDirection(node->strOpen, node->strClose);
        AppendHistoryBar(*packet, node, last);
    }
    return packet;
}

KLineLoader& GetFirstKLineLoader()
{
    static KLineLoader* loader = new KLineLoader;
    return *loader;
}

KLineLoader& GetSecondKLineLoader()
{
    static KLineLoader* loader = new KLineLoader;
    return *loader;
}
