#include "WebServiceUrls.h"
#include <mutex>
#include "WebServiceConfig.h"

namespace
{
struct PeriodPath
{
    int period;
    const char* name;
};

const PeriodPath kPeriodPaths[] = {{0, "day"},     {1, "minute1"},   {5, "minute5"},
                                   {15, "minute15"}, {30, "minute30"}, {60, "hour1"},
                                   {5040, "week"},   {43200, "month"}};

std::mutex g_urlsLock;
bool g_built = false;

WebServiceUrls& Urls()
{
    static WebServiceUrls urls;
    return urls;
}

WebServiceUrls BuildUrls(const WebServiceSettings& settings)
{
    const std::string& base = settings.strWebServiceBase;
    WebServiceUrls urls;
    for (const PeriodPath& entry : kPeriodPaths)
    {
        urls.mapCsmKLine[entry.period] = base + "/services/stock/csm/stockKline/" + entry.name;
        urls.mapHksKLine[entry.period] = base + "/services/stock/hks/stockKline/" + entry.name;
    }
    urls.strCsmVersion = base + "/services/stock/csm/version";
    urls.strCsmList = base + "/html/stock/stockList";
    urls.strCsmSnapshot = base + "/html/stock/stockInfo";
    urls.strCsmTimely = base + "/services/stock/csm/stockTimely";
    urls.strCsmListTimely = base + "/services/stock/csm/stockListTimely";
    urls.strHksVersion = base + "/services/stock/hks/version";
    urls.strHksList = base + "/html/stock/stockList_hks";
    urls.strHksSnapshot = base + "/html/stock/stockInfo_hks";
    urls.strHksTimely = base + "/services/stock/hks/stockTimely";
    urls.strHksListTimely = base + "/services/stock/hks/stockListTimely";
    urls.strNotice = base + "/services/stock/notice";
    urls.strMarketDay = settings.strMarketDayBase + "/services/validateMarketDay";
    urls.strMarketCalendar = settings.strMarketDayBase + "/services/marketCalendar";
    return urls;
}
} // namespace

std::string WebServiceUrls::GetKLineUrl(const std::string& market, int period) const
{
    const std::map<int, std::string>* periods = nullptr;
    if (market == "CSM")
        periods = &mapCsmKLine;
    else if (market == "HKS")
        periods = &mapHksKLine;
    if (periods == nullptr)
        return std::string();
    std::map<int, std::string>::const_iterator found = periods->find(period);
    return found == periods->end() ? std::string() : found->second;
}

WebServiceUrls GetWebServiceUrls()
{
    WebServiceSettings settings = GetWebServiceSettings();
    std::lock_guard<std::mutex> guard(g_urlsLock);
    if (!g_built)
    {
        Urls() = BuildUrls(settings);
        g_built = true;
    }
    return Urls();
}

void RebuildWebServiceUrls()
{
    WebServiceSettings settings = GetWebServiceSettings();
    std::lock_guard<std::mutex> guard(g_urlsLock);
    Urls() = BuildUrls(settings);
    g_built = true;
}
