// The JSON body of a stored strategy: its id, its name and its legs. Every text of it is
// converted to UTF-8 and percent-encoded, so the stored body is plain ASCII whatever a name
// or a hand-edited number holds; plain texts of older bodies read back unchanged.
#pragma once
#include <afx.h>
#include "StrategyInfo.h"

// The body text; empty when the JSON library produced none.
CString StrategyToJson(const StrategyInfo& strategy);
// Fills id, name and legs from the body. An empty or unparsable body leaves the strategy as it
// was, without legs.
void StrategyFromJson(StrategyInfo& strategy, const CString& body);
