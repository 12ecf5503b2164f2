// How a strategy follows the fills of one contract type (one sector of the quote store).
#pragma once
#include <afx.h>

struct StrategyLeg
{
    int bEnable = 0;                 // 1: fills of this contract type are followed
    CString strContractType;         // a sector name, matched exactly
    CString strMultiple = "1";       // follow quantity = multiple x filled quantity
    CString strDirection = "同向";   // "同向" same side, "反向" opposite side
    CString strPriceType = "市价";   // "市价" market, "限价" limit
    CString strPoint = "1";          // limit legs: steps past the limit that trigger a market re-send
    CString strSlipPoint = "0";      // limit legs: steps of price improvement
};
