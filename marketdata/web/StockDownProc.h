// The main window's fetcher of the chart instrument's quote: one "stockTimely" request per
// call on its own download task; the rows go to the main window as a quote batch, computed
// against the rows this fetcher delivered before.
#pragma once
#include <afx.h>
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
    // the previous URL); body "token=" + token + "&code=" + codes; starts the task (stopping
    // the request still running).
    void RequestStockInfo(const CString& market, const CString& codes);
    // Erases the code's delivered row, so that its next quote counts as a first one.
    void RemoveCode(const CString& code) { m_cache.RemoveCode(code); }
    int GetQuote(const CString& code, QuoteRow& row) const { return m_cache.GetQuote(code, row); }
    void Stop() { m_task.StopDownloadTask(); }

    void OnDownLoaded(const std::string& strUrl, int nResult, std::string& strBody) override;

private:
    DownloadTask m_task;
    CString m_strMarket;
    std::string m_strUrl;
    QuoteRowCache m_cache;
};
