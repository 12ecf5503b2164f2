// The addresses of every market-data service: the configured server bases (WebServiceConfig)
// followed by the services' fixed paths.
#pragma once
#include <map>
#include <string>

struct WebServiceUrls
{
    // Bar period in minutes (0 day, 1, 5, 15, 30, 60, 5040 week, 43200 month) -> K-line URL
    std::map<int, std::string> mapCsmKLine;
    std::map<int, std::string> mapHksKLine;
    std::string strCsmVersion;
    std::string strCsmList;
    std::string strCsmSnapshot;
    std::string strCsmTimely;
    std::string strCsmListTimely;
    std::string strHksVersion;
    std::string strHksList;
    std::string strHksSnapshot;
    std::string strHksTimely;
    std::string strHksListTimely;
    // Not market-bound
    std::string strNotice;
    std::string strMarketDay;
    std::string strMarketCalendar;

    // The K-line URL of a market ("CSM" or "HKS" exactly) and period; empty for any other
    // market or a period without a service.
    std::string GetKLineUrl(const std::string& market, int period) const;
};

// A copy of the current addresses, built on first use from the configured bases.
WebServiceUrls GetWebServiceUrls();
// Builds the addresses again from the current settings (after the settings changed).
void RebuildWebServiceUrls();
