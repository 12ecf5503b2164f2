// The main window's fetcher of the chart instrument's quote: one "stockTimely" request per
// call on its own download task; the rows go to the main window as a quote batch, computed
// against the rows this fetcher delivered before. A request never waits for the one before
// it (a different request wins), so the caller's thread never waits for the network.
#pragma once
#include <afx.h>
#include <afxmt.h>
#include <string>
#include "DownloadTask.h"
#include "QuoteRowCache.h"

class CStockDownProc : public CDownLoadTaskCallBack
{
public:
    CStockDownProc() {}
    // The request still running ends before the cache it writes goes away.
    ~CStockDownProc() { m_task.StopDownloadTask(); }

    // URL = the market's "stockTimely" service ("CSM" or "HKS" exactly; another market keeps
    // the previous URL); body "token=" + token + "&code=" + codes; hands it to the task, which
    // abandons the request still running. The same request while it is still unanswered is
    // left to finish instead.
    void RequestStockInfo(const CString& market, const CString& codes);
    // Erases the code's delivered row, so that its next quote counts as a first one.
    void RemoveCode(const CString& code) { m_cache.RemoveCode(code); }
    int GetQuote(const CString& code, QuoteRow& row) const { return m_cache.GetQuote(code, row); }
    // Ends the request in progress; true when the task's thread has ended within waitMs.
    bool Stop(DWORD waitMs = DownloadTask::STOP_WAIT_MS) { return m_task.StopDownloadTask(waitMs); }
    bool IsRunning() const { return m_task.IsRunning(); }

    void OnDownLoaded(const std::string& strUrl, int nResult, std::string& strBody) override;

private:
    DownloadTask m_task;
    CCriticalSection m_lock;        // the unanswered request, shared with the task's thread
    bool m_awaitingAnswer = false;
    CString m_inFlightCodes;
    CString m_strMarket;
    std::string m_strUrl;
    QuoteRowCache m_cache;
};
