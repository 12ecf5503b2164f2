#include "StockDownProc.h"
#include "QuoteReply.h"
#include "RequestToken.h"
#include "WebServiceUrls.h"

void CStockDownProc::RequestStockInfo(const CString& market, const CString& codes)
{
    WebServiceUrls urls = GetWebServiceUrls();
    std::string url = m_strUrl;
    if (market == "CSM")
        url = urls.strCsmTimely;
    else if (market == "HKS")
        url = urls.strHksTimely;
    {
        // The refresh asks every two seconds; a service slower than that would otherwise
        // never answer, each request abandoned by the next identical one.
        CSingleLock guard(&m_lock, TRUE);
        if (m_awaitingAnswer && m_task.IsRunning() && url == m_strUrl && codes == m_inFlightCodes)
            return;
        m_awaitingAnswer = true;
        m_inFlightCodes = codes;
    }
    m_strUrl = url;
    m_strMarket = market;
    std::string body = "token=" + MakeRequestToken() + "&code=" + (LPCTSTR)codes;
    m_task.StartDownloadTask(this, m_strUrl, body);
}

void CStockDownProc::OnDownLoaded(const std::string&, int nResult, std::string& strBody)
{
    {
        CSingleLock guard(&m_lock, TRUE);
        m_awaitingAnswer = false;
    }
    if (nResult != 1)
        return;
    std::vector<WebQuoteRecord> records;
    if (ParseQuoteReply(strBody, records) == 0)
        m_cache.DeliverQuotes(records);
}
