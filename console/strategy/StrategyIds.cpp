#include "StrategyIds.h"

#include <set>

int NextFreeStrategyId(const std::vector<StrategyInfo>& strategies)
{
    // Counting up through a set rather than comparing sorted positions: a list that holds an
    // id twice must not be given that id a third time.
    std::set<int> taken;
    for (const StrategyInfo& strategy : strategies)
        taken.insert(strategy.nStragegyId);
    int id = 0;
    while (taken.count(id) != 0)
        ++id;
    return id;
}
