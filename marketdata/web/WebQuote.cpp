#include "WebQuote.h"
#include <process.h>
#include "QuoteReply.h"
#include "RequestToken.h"
#include "ThreadStop.h"
#include "WebRequest.h"
#include "WebServiceUrls.h"

CWebQuote::CWebQuote()
    : m_running(0), m_stop(0), m_hThread(NULL), m_codesChanged(0), m_abortTransfer(0),
      m_market(0)
{
    m_hWake = CreateEvent(NULL, FALSE, FALSE, NULL);
}

CWebQuote::~CWebQuote()
{
    StopQuotePolling();
    CloseHandle(m_hWake);
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
    if (m_running.load() == 0)
    {
        CurlGlobalInitOnce();
        EndThreadAndClose(m_hThread, STOP_WAIT_MS); // a thread that ended by itself
        m_stop.store(0);
        m_running.store(1);
        m_hThread = (HANDLE)_beginthreadex(nullptr, 0, &CWebQuote::QuotePollThread, this, 0,
                                           nullptr);
        if (m_hThread == NULL)
            m_running.store(0);
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
    SetEvent(m_hWake);
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
    if (m_hThread == NULL)
        return;
    m_stop.store(1);
    SetEvent(m_hWake);
    EndThreadAndClose(m_hThread, STOP_WAIT_MS);
    m_running.store(0);
}

unsigned __stdcall CWebQuote::QuotePollThread(void* pPoller)
{
    static_cast<CWebQuote*>(pPoller)->Poll();
    return 0;
}

bool CWebQuote::WaitOrStop(DWORD ms)
{
    WaitForSingleObject(m_hWake, ms);
    return m_stop.load() != 0;
}

void CWebQuote::Poll()
{
    while (m_stop.load() == 0)
    {
        if (m_codesChanged.load() == 0)
        {
            WaitOrStop(IDLE_POLL_MS);
            continue;
        }
        RunCycle();
    }
    {
        CSingleLock guard(&m_codeLock, TRUE);
        m_inTransfer.clear();
    }
    m_running.store(0);
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
        if (m_stop.load() != 0 || m_abortTransfer.load() != 0)
            break;
        if (attempt + 1 < ATTEMPTS && WaitOrStop(RETRY_PAUSE_MS))
            break;
    }
    CSingleLock guard(&m_codeLock, TRUE);
    m_inTransfer.clear();
}

int CWebQuote::OnTransferProgress(void* pPoller, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    CWebQuote* poller = static_cast<CWebQuote*>(pPoller);
    return (poller->m_stop.load() != 0 || poller->m_abortTransfer.load() != 0) ? 1 : 0;
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
    static CWebQuote poller;
    return poller;
}

CWebQuote& GetHksWebQuote()
{
    static CWebQuote poller;
    return poller;
}
