// Candlestick bars of one instrument from the K-line service, two ways: a worker thread that
// always serves the newest request and sends each bar later than the series' last load to the
// main window (WM_KLINE_LOADED), and a synchronous load of a whole history packet on the
// caller's thread. There is no queue: a new request replaces the pending one and aborts a
// transfer of an older one.
#pragma once
#include <afx.h>
#include <afxmt.h>
#include <atomic>
#include <string>
#include <vector>
#include <curl/curl.h>
#include "HistoryPacket.h"
#include "KLineBar.h"
#include "StoppableThread.h"

class KLineLoader
{
public:
    enum { STOP_WAIT_MS = 2000, ATTEMPTS = 3, RETRY_PAUSE_MS = 50, IDLE_POLL_MS = 50 };

    KLineLoader();
    // Stops the worker and waits for it: it works on this object.
    ~KLineLoader();

    // -1 when the code, strCheck (any non-empty text) or the size is empty; otherwise starts
    // the worker when needed, submits the request and returns 0.
    int RequestBars(const CString& code, const CString& strCheck, int period,
                    const CString& size, const CString& startDate, const CString& endDate,
                    const CString& market);
    // Synchronous: -1 when code, size, start or end is empty or the fetch fails, else 0.
    int FetchBarsNow(const CString& code, int period, const CString& size,
                     const CString& startDate, const CString& endDate, const CString& market,
                     std::vector<KLineBar>& bars);
    // A new packet that the caller owns (also when the fetch failed: then without bars);
    // nStatus receives FetchBarsNow's result. size 0 or less asks for "all" bars.
    HistoryPacket* LoadHistoryPacket(const CString& code, int period, int size,
                                     const CString& startDate, const CString& endDate,
                                     int& nStatus, const CString& market);

    // Starts the worker unless it is alive (also when a stopped one has not ended yet).
    void Start();
    // Ends the worker: a transfer aborts at its next progress call and the wait lasts up to
    // STOP_WAIT_MS, answering sent messages; a worker still running then is reported and
    // left alone. Returns 0.
    int Stop();
    bool IsRunning() const { return m_worker.IsAlive(); }
    // Requests the worker has finished with (served, failed or given up for a newer one).
    LONG GetFinishedCount() const { return m_finished; }

    // The pending request and its flag change together under the loader lock, so a request
    // submitted while the worker takes the previous one is never lost.
    void SubmitRequest(const KLineRequest& request);
    // False when no new request was pending.
    bool TakeRequest(KLineRequest& request);
    bool HasPendingRequest() const { return m_newRequest.load() != 0; }

    // One POST for the request (its URL is set here); true when an accepted reply was parsed.
    // Bars come sorted by time, one per time. Asynchronous fetches abort when the loader
    // stops or a newer request is pending.
    bool FetchKLine(KLineRequest& request, std::vector<KLineBar>& bars, bool bSynchronous);

    // The body of a request: day and minute periods "code=&token=&size=&startDate=&endDate=",
    // week and month "code=&token=&requestDate=&size=" (dates "YYYY-MM-DD").
    static std::string BuildRequestBody(const KLineRequest& request, const std::string& token);

private:
    KLineLoader(const KLineLoader&) = delete;
    KLineLoader& operator=(const KLineLoader&) = delete;

    void KLineFetchThread();
    void ServeRequest(KLineRequest& request);
    void DeliverNewBars(const KLineRequest& request, const std::vector<KLineBar>& bars);
    static int KLineProgressCallback(void* pLoader, curl_off_t, curl_off_t, curl_off_t,
                                     curl_off_t);

    CStoppableThread m_worker;       // woken by a submit
    volatile LONG m_finished;
    mutable CCriticalSection m_lock; // the pending request and its flag
    KLineRequest m_pending;
    std::atomic<int> m_newRequest;
};

// The two loaders of the process: the first serves synchronous "CSM" loads, the second
// synchronous "HKS" loads and the worker that refreshes the shown series. They are never
// destroyed: a worker that would not stop at shutdown keeps a live object until the process
// ends.
KLineLoader& GetFirstKLineLoader();
KLineLoader& GetSecondKLineLoader();
