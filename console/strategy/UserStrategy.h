// A client account and the strategy assigned to it ("-1" and "无策略" when none).
#pragma once
#include <afx.h>
#include <stdlib.h>

extern const char NO_STRATEGY_NAME[];  // "无策略"

struct UserStrategy
{
    CString userId;
    CString userName;
    CString strategyId = "-1";
    CString strategyName = NO_STRATEGY_NAME;

    bool IsActive() const { return atoi(strategyId) >= 0; }
};
