// The leg template and the alignment of every strategy's legs to it: one leg per sector of the
// quote store, in the store's order, except the own list and the two stock markets.
#pragma once
#include <vector>
#include "QuoteStore.h"
#include "StrategyInfo.h"

// "我的板块", "沪深" and "港股": strategies never follow these.
bool IsSkippedContractType(const CString& contractType);

// A default leg per sector name, in the given order, the skipped ones left out.
std::vector<StrategyLeg> BuildLegTemplate(const std::vector<CString>& sectorNames);
std::vector<StrategyLeg> BuildLegTemplate(const QuoteStore& store);

// Rewrites each strategy's legs in template order: a template leg takes all fields of the
// strategy's first leg of its contract type; legs of other types are dropped.
void AlignStrategyLegs(std::vector<StrategyInfo>& strategies,
                       const std::vector<StrategyLeg>& legTemplate);
void AlignStrategyLegs(std::vector<StrategyInfo>& strategies);
