// The rules of the strategy editor that need no window: the name proposed for a new strategy,
// the numbers typed into the leg table and the check of the whole list before it is saved.
#pragma once
#include <afx.h>
#include <vector>
#include "StrategyInfo.h"

// "策略%d" with the smallest n from 1 upwards that no strategy bears exactly.
CString ProposeStrategyName(const std::vector<StrategyInfo>& strategies);

// A typed multiple, point or slippage as it is stored: "%d" of its value, so an empty text
// becomes "0" and leading zeros go.
CString NormalizeLegNumber(const CString& typed);

// Checks the list in order and stops at the first fault, whose message it gives. Names and the
// numbers of enabled legs are trimmed in place on the way (trimming done stays even when a
// later check fails). Names are compared after trimming, so two names that differ only by
// blanks are the same name. Disabled legs are not checked.
bool CheckStrategies(std::vector<StrategyInfo>& strategies, CString& message);
