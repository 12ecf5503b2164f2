// The rows of a strategy workbook's first sheet turned into strategies to import. Row 0 is the
// header; in every further row column B holds the validity flag given to the text reader (rows
// whose flag is not 1 are skipped), column E the strategy text. Columns C ("开启"/"关闭") and D
// (the name shown in the sheet) do not count: the text carries the strategy.
#pragma once
#include <afx.h>
#include <vector>
#include "ImportedStrategy.h"

enum StrategySheetResult
{
    kStrategySheetRead = 0,
    kStrategySheetInvalid = 1,  // a text failed its checksum: nothing of the sheet counts
};

// Fills `entries` (emptied first) from the rows; on a checksum failure `entries` is left empty.
StrategySheetResult ReadStrategySheet(const std::vector<std::vector<CString>>& rows,
                                      std::vector<ImportedStrategy>& entries);
