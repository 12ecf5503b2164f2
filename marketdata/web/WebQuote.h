// The web quote poller of one market ("CSM" or "HKS"): the main window hands it the codes of
// its visible rows every 2000 ms; its thread fetches each stored list once from the market's
// "stockListTimely" service (three attempts, 100 ms apart), sends the rows to the main window
// as a quote batch and keeps the latest row of every code it fetched.
#pragma once
#include <afx.h>
#include <afxmt.h>
#include <atomic>
#include <string>
#include <vector>
#include <curl/curl.h>
#include "QuoteRowCache.h"
#include "StoppableThread.h"

class CWebQuote
{
public:
    enum { STOP_WAIT_MS = 2000, ATTEMPTS = 3, RETRY_PAUSE_MS = 100, IDLE_POLL_MS = 100 };

    CWebQuote();
    // Stops the thread and waits for it: it works on this object.
    ~CWebQuote();

    // -1 for an empty list (nothing changes). Otherwise starts the thread when it is not
    // running, sets the market ("CSM" 0, "HKS" 1; another text keeps it), stores the codes
    // and returns 0.
    int StartQuotePolling(const std::string& market, const std::vector<std::string>& codes);
    // Stores the codes of the next request. A list that differs from the one being fetched
    // aborts that transfer; the same list lets it finish and is fetched again afterwards.
    void SetCodes(std::vector<std::string> codes);
    // Takes the stored codes (clears the changed flag) and marks them as the list in transfer.
    void GetCodes(std::vector<std::string>& codes);

    int GetQuote(const CString& code, QuoteRow& row) const { return m_cache.GetQuote(code, row); }
    void RemoveCodes(const std::vector<CString>& codes) { m_cache.RemoveCodes(codes); }

    // Ends the thread: aborts a transfer at its next progress call and waits up to
    // STOP_WAIT_MS, answering sent messages; a thread still running then is reported and
    // left alone.
    void StopQuotePolling();

    bool IsRunning() const { return m_worker.IsAlive(); }
    int GetMarket() const { return m_market.load(); }

    // One request for the codes; true when the reply parsed with code 200.
    bool RequestQuotes(const std::vector<std::string>& codes,
                       std::vector<WebQuoteRecord>& records);
    void DeliverQuotes(const std::vector<WebQuoteRecord>& records)
    {
        m_cache.DeliverQuotes(records);
    }

private:
    CWebQuote(const CWebQuote&) = delete;
    CWebQuote& operator=(const CWebQuote&) = delete;

    void QuotePollThread();
    void RunCycle();
    static int OnTransferProgress(void* pPoller, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

    CStoppableThread m_worker;               // woken by a new list
    mutable CCriticalSection m_codeLock;     // the two lists and the changed flag
    std::vector<std::string> m_codes;        // the next request's codes
    std::vector<std::string> m_inTransfer;   // the codes of the request now running
    std::atomic<int> m_codesChanged;
    std::atomic<int> m_abortTransfer;        // a different list waits: drop the transfer
    QuoteRowCache m_cache;
    std::atomic<int> m_market;
};

// The two pollers of the process. They are never destroyed: a poll thread that would not
// stop at shutdown keeps a live object until the process ends.
CWebQuote& GetCsmWebQuote();
CWebQuote& GetHksWebQuote();
