#include "WebQuote.h"
#include "QuoteReply.h"
#include "RequestToken.h"
#include "WebRequest.h"
#include "WebServiceUrls.h"

CWebQuote::CWebQuote() : m_worker("web quote poller"), m_codesChanged(0), m_abortTransfer(0), m_market(0)
{
}

CWebQuote::~CWebQuote()
{
    m_worker.Join(STOP_WAIT_MS);
}

int CWebQuote::StartQuotePolling(const std::string& market, const std::vector<std::string>& codes)
{
    if (codes.empty())
        return -1;
    if (market == "CSM")
        m_market.store(0);
    else if (market == "HKS")
        m_market.store(1);
    SetCodes(codes);
    if (!m_worker.IsAlive())
    {
        CurlGlobalInitOnce();
        m_worker.Start([this] { QuotePollThread(); });
    }
    return 0;
}

void CWebQuote::SetCodes(std::vector<std::string> codes)
{
    {
        CSingleLock guard(&m_codeLock, TRUE);
        // Only a different list makes the running transfer worthless.
        if (codes != m_inTransfer)
            m_abortTransfer.store(1);
        m_codes.swap(codes);
        m_codesChanged.store(1);
    }
    m_worker.Wake();
}

void CWebQuote::GetCodes(std::vector<std::string>& codes)
{
    CSingleLock guard(&m_codeLock, TRUE);
    codes = m_codes;
    m_inTransfer = m_codes;
    m_codesChanged.store(0);
    m_abortTransfer.store(0);
}

void CWebQuote::StopQuotePolling()
{
    m_worker.Stop(STOP_WAIT_MS);
}

void CWebQuote::QuotePollThread()
{
    while (!m_worker.IsStopRequested())
    {
        if (m_codesChanged.load() == 0)
        {
            m_worker.WaitForWake(IDLE_POLL_MS);
            continue;
        }
        RunCycle();
    }
    CSingleLock guard(&m_codeLock, TRUE);
    m_inTransfer.clear();
}

void CWebQuote::RunCycle()
{
    std::vector<std::string> codes;
    GetCodes(codes);
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt)
    {
        std::vector<WebQuoteRecord> records;
        if (RequestQuotes(codes, records))
        {
            DeliverQuotes(records);
            break;
        }
        // A newer list, or the stop, ends this cycle: the next one serves the new list.
        if (m_worker.IsStopRequested() || m_abortTransfer.load() != 0)
            break;
        if (attempt + 1 < ATTEMPTS && m_worker.WaitForWake(RETRY_PAUSE_MS))
            break;
    }
    CSingleLock guard(&m_codeLock, TRUE);
    m_inTransfer.clear();
}

int CWebQuote::OnTransferProgress(void* pPoller, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    CWebQuote* poller = static_cast<CWebQuote*>(pPoller);
    return (poller->m_worker.IsStopRequested() || poller->m_abortTransfer.load() != 0) ? 1 : 0;
}

bool CWebQuote::RequestQuotes(const std::vector<std::string>& codes,
                              std::vector<WebQuoteRecord>& records)
{
    int market = m_market.load();
    if (market != 0 && market != 1)
        return false;
    WebServiceUrls urls = GetWebServiceUrls();
    const std::string& url = market == 0 ? urls.strCsmListTimely : urls.strHksListTimely;
    std::string joined;
    for (size_t i = 0; i < codes.size(); ++i)
    {
        if (i > 0)
            joined += ",";
        joined += codes[i];
    }
    CurlGlobalInitOnce();
    std::string body = "token=" + MakeRequestToken() + "&codes=" + joined;

    std::string reply;
    CURLcode code = PostWithProgress(url, body, reply, &CWebQuote::OnTransferProgress, this);
    return code == CURLE_OK && ParseQuoteReply(reply, records) == 0;
}

CWebQuote& GetCsmWebQuote()
{
    static CWebQuote* poller = new CWebQuote;
    return *poller;
}

CWebQuote& GetHksWebQuote()
{
    static CWebQuote* poller = new CWebQuote;
    return *poller;
}
