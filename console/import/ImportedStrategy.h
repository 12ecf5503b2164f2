// One strategy read from a workbook: the strategy and the accounts its text assigns it to.
#pragma once
#include <vector>
#include "StrategyInfo.h"
#include "UserStrategy.h"

struct ImportedStrategy : StrategyInfo
{
    std::vector<UserStrategy> users;
};
