// One strategy: its id, its name and its legs (in the order of the leg template once aligned).
#pragma once
#include <afx.h>
#include <vector>
#include "StrategyLeg.h"

struct StrategyInfo
{
    int nStragegyId = 0;
    CString strStrategyName;
    std::vector<StrategyLeg> vecStrategy;
    bool applied = false;  // some assignment names it; recomputed by the console, never stored
};
