#include "StrategyLegs.h"


bool IsSkippedContractType(const CString& contractType)
{
    return contractType == MY_SECTOR_NAME || contractType == "沪深" || contractType == "港股";
}

std::vector<StrategyLeg> BuildLegTemplate(const std::vector<CString>& sectorNames)
{
    std::vector<StrategyLeg> legs;
    for (const CString& name : sectorNames) {
        if (IsSkippedContractType(name))
            continue;
        StrategyLeg leg;
        leg.strContractType = name;
        legs.push_back(leg);
    }
    return legs;
}

std::vector<StrategyLeg> BuildLegTemplate(const QuoteStore& store)
{
    std::vector<SectorRecord> sectors;
    store.GetSectors(sectors);
    std::vector<CString> names;
    for (const SectorRecord& sector : sectors)
        names.push_back(sector.strName);
    return BuildLegTemplate(names);
}

void AlignStrategyLegs(std::vector<StrategyInfo>& strategies,
                       const std::vector<StrategyLeg>& legTemplate)
{
    for (StrategyInfo& strategy : strategies) {
        std::vector<StrategyLeg> aligned = legTemplate;
        for (StrategyLeg& leg : aligned) {
            for (const StrategyLeg& own : strategy.vecStrategy) {
                if (own.strContractType == leg.strContractType) {
                    leg = own;
                    break;
                }
            }
        }
        strategy.vecStrategy.swap(aligned);
    }
}

void AlignStrategyLegs(std::vector<StrategyInfo>& strategies)
{
    AlignStrategyLegs(strategies, BuildLegTemplate(GetQuoteStore()));
}
