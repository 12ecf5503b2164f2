// Strategies and client accounts as the console's window tests write them.
#pragma once
#include "StrategyInfo.h"
#include "UserStrategy.h"

inline StrategyInfo Strategy(int id, const char* name)
{
    StrategyInfo strategy;
    strategy.nStragegyId = id;
    strategy.strStrategyName = name;
    return strategy;
}

inline UserStrategy Assignment(const char* account, const char* name, const char* strategyId,
                               const char* strategyName)
{
    UserStrategy user;
    user.userId = account;
    user.userName = name;
    user.strategyId = strategyId;
    user.strategyName = strategyName;
    return user;
}
