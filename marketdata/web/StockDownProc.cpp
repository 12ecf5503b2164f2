#include "StockDownProc.h"
#include "QuoteReply.h"
#include "RequestToken.h"
#include "WebServiceUrls.h"

void CStockDownProc::RequestStockInfo(const CString& market, const CString& codes)
{
    WebServiceUrls urls = GetWebServiceUrls();
    if (market == "CSM")
        m_strUrl = urls.strCsmTimely;
    else if (market == "HKS")
        m_strUrl = urls.strHksTimely;
    m_strMarket = market;
    std::string body = "token=" + MakeRequestToken() + "&code=" + (LPCTSTR)codes;
    m_task.StartDownloadTask(this, m_strUrl, body);
}

void CStockDownProc::OnDownLoaded(const std::string&, int nResult, std::string& strBody)
{
    if (nResult != 1)
        return;
    std::vector<WebQuoteRecord> records;
    if (ParseQuoteReply(strBody, records) == 0)
        m_cache.DeliverQuotes(records);
}
