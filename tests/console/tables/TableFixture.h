// Shared by the table tests and the writer they kill: a scratch "Proxy\" folder, the key of a
// user, and the rows of one write generation.
#pragma once
#include <afx.h>
#include <string>
#include <vector>
#include "OrderRow.h"
#include "ProxyOrderRecord.h"
#include "StrategyInfo.h"
#include "UserStrategy.h"

namespace tabletest {

// A new empty folder under the temporary folder, ending in "\", with a Chinese part in its path.
CString MakeScratchFolder(const char* name);
void RemoveScratchFolder(const CString& folder);
CString UserKey(const char* userName);

// Rows of generation g: every text names g, so a table that mixes two writes shows it.
const int kRowsPerTable = 40;
std::vector<UserStrategy> UsersOf(int generation);
std::vector<StrategyInfo> StrategiesOf(int generation);
OrderRow OrderOf(int generation, int index);
ProxyOrderRecord ProxyOrderOf(int generation, int index);
// The generation a text of UsersOf / StrategiesOf / OrderOf names, -1 when none.
int GenerationOf(const CString& text);

}  // namespace tabletest
