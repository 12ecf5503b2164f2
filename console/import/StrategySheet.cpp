#include "StrategySheet.h"

#include <stdlib.h>

#include "StrategyText.h"

namespace {

const size_t kValidColumn = 1;
const size_t kTextColumn = 4;

CString CellText(const std::vector<CString>& row, size_t column)
{
    return column < row.size() ? row[column] : CString();
}

}  // namespace

StrategySheetResult ReadStrategySheet(const std::vector<std::vector<CString>>& rows,
                                      std::vector<ImportedStrategy>& entries)
{
    entries.clear();
    for (size_t r = 1; r < rows.size(); ++r) {
        StrategyTextRecord record;
        record.valid = atoi(CellText(rows[r], kValidColumn));
        record.text = CellText(rows[r], kTextColumn);
        ImportedStrategy entry;
        const StrategyParseResult parsed = ParseStrategyText(record, entry, entry.users);
        if (parsed.parsed != 1)
            continue;
        if (parsed.verified != 1) {
            entries.clear();
            return kStrategySheetInvalid;
        }
        entries.push_back(entry);
    }
    return kStrategySheetRead;
}
