#include "HistoryServices.h"

#include "WebServiceConfig.h"

const char kHistoryServicePath[] = "/services/historyData";

std::vector<CString> HistoryServiceBases()
{
    const WebServiceSettings settings = GetWebServiceSettings();
    std::vector<CString> bases;
    bases.push_back(CString(settings.strWebServiceBase.c_str()) + kHistoryServicePath);
    const CString marketDay = CString(settings.strMarketDayBase.c_str()) + kHistoryServicePath;
    if (marketDay != bases[0])
        bases.push_back(marketDay);
    return bases;
}

int ChooseUntriedService(int count, const std::set<int>& excluded, int randomValue)
{
    int untried = 0;
    for (int index = 0; index < count; ++index)
        untried += excluded.count(index) == 0;
    if (untried == 0)
        return -1;
    // rand() is never negative; a negative value from elsewhere still picks inside the range.
    const int wanted = (randomValue % untried + untried) % untried;
    int seen = 0;
    for (int index = 0; index < count; ++index)
    {
        if (excluded.count(index) != 0)
            continue;
        if (seen++ == wanted)
            return index;
    }
    return -1;
}
