#include "StrategyIds.h"

#include <set>

#include <stdlib.h>

int NextFreeStrategyId(const std::vector<StrategyInfo>& strategies, const std::set<int>& followedIds)
{
    // Counting up through a set rather than comparing sorted positions: a list that holds an
    // id twice must not be given that id a third time.
    std::set<int> taken = followedIds;
    for (const StrategyInfo& strategy : strategies)
        taken.insert(strategy.nStragegyId);
    int id = 0;
    while (taken.count(id) != 0)
        ++id;
    return id;
}

std::set<int> FollowedStrategyIds(const std::vector<UserStrategy>& assignments)
{
    std::set<int> ids;
    for (const UserStrategy& user : assignments) {
        if (user.IsActive())
            ids.insert(atoi(user.strategyId));
    }
    return ids;
}
