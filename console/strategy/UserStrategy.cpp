#include "UserStrategy.h"

const char NO_STRATEGY_NAME[] = "无策略";
