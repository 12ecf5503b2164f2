#include "StrategyChecks.h"

#include <stdlib.h>

#include <set>
#include <string>

#include "StrategyText.h"

namespace {

bool CheckName(StrategyInfo& strategy, std::set<std::string>& seen, CString& message)
{
    strategy.strStrategyName.Trim();
    const CString& name = strategy.strStrategyName;
    if (name.IsEmpty()) {
        message = "策略名称不能为空！";
        return false;
    }
    if (!seen.insert(static_cast<const char*>(name)).second) {
        message.Format("策略名称：%s \n出现同名，请修改！", static_cast<const char*>(name));
        return false;
    }
    if (!IsStrategyTextValue(name)) {
        message = CString("您输入的策略名称含有非法字符 “") + ":" + "” 或 “" + "@" + "” 或 “" + "#"
                  + "”，请修改！";
        return false;
    }
    return true;
}

bool CheckLeg(const CString& strategyName, StrategyLeg& leg, CString& message)
{
    const char* name = strategyName;
    const char* type = leg.strContractType;
    leg.strMultiple.Trim();
    if (leg.strMultiple.IsEmpty()) {
        message.Format("策略名称：%s\n合约类型：%s\n倍数不能为空！", name, type);
        return false;
    }
    if (atoi(leg.strMultiple) == 0) {
        message.Format("策略名称：%s\n合约类型：%s\n倍数不能为零！", name, type);
        return false;
    }
    if (leg.strPriceType == "限价") {
        leg.strPoint.Trim();
        if (leg.strPoint.IsEmpty()) {
            message.Format("策略名称：%s\n合约类型：%s\n限价时，点数不能为空！", name, type);
            return false;
        }
    }
    return true;
}

}  // namespace

CString ProposeStrategyName(const std::vector<StrategyInfo>& strategies)
{
    for (int n = 1;; ++n) {
        CString name;
        name.Format("策略%d", n);
        bool taken = false;
        for (const StrategyInfo& strategy : strategies)
            taken = taken || strategy.strStrategyName == name;
        if (!taken)
            return name;
    }
}

CString NormalizeLegNumber(const CString& typed)
{
    CString number;
    number.Format("%d", atoi(typed));
    return number;
}

bool CheckStrategies(std::vector<StrategyInfo>& strategies, CString& message)
{
    message.Empty();
    std::set<std::string> seen;
    for (StrategyInfo& strategy : strategies) {
        if (!CheckName(strategy, seen, message))
            return false;
    }
    for (StrategyInfo& strategy : strategies) {
        for (StrategyLeg& leg : strategy.vecStrategy) {
            if (leg.bEnable != 0 && !CheckLeg(strategy.strStrategyName, leg, message))
                return false;
        }
    }
    return true;
}
