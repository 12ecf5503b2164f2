// Ids of new strategies: the smallest id from 0 upwards that no strategy of the list bears.
#pragma once
#include <vector>
#include "StrategyInfo.h"

// Ids 0, 1, 2 give 3; ids 1, 2 give 0; ids 0, 2 give 1.
int NextFreeStrategyId(const std::vector<StrategyInfo>& strategies);
