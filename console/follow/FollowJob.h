// One fill to follow and a copy of the strategy of its account.
#pragma once
#include <vector>
#include "OrderRow.h"
#include "StrategyInfo.h"

struct FollowJob
{
    OrderRow row;
    int strategyId = 0;
    CString strategyName;
    std::vector<StrategyLeg> legs;
    bool applied = false;
};
