// Ids of new strategies: the smallest id from 0 upwards that no strategy of the list bears and
// no account follows. An account follows its strategy by id: handing a deleted strategy's id
// to a new one would move that strategy's accounts onto the new legs.
#pragma once
#include <set>
#include <vector>
#include "StrategyInfo.h"
#include "UserStrategy.h"

// Ids 0, 1, 2 give 3; ids 1, 2 give 0; ids 0, 2 give 1; ids 0, 2 with 1 followed give 3.
int NextFreeStrategyId(const std::vector<StrategyInfo>& strategies, const std::set<int>& followedIds = {});

// The strategy ids the assignments name (those of 0 or more).
std::set<int> FollowedStrategyIds(const std::vector<UserStrategy>& assignments);
