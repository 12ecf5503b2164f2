// A client's strategy assignment as the import tests write them.
#pragma once
#include "UserStrategy.h"

inline UserStrategy Assignment(const char* userId, const char* strategyId, const char* strategyName)
{
    UserStrategy user;
    user.userId = userId;
    user.userName = "客户";
    user.strategyId = strategyId;
    user.strategyName = strategyName;
    return user;
}
