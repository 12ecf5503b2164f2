#include "MarketTestData.h"

namespace markettest {

SectorRow MakeRow(const char* code, int listIndex, const char* lastPrice)
{
    SectorRow row;
    row.strCode = code;
    row.strName = CString("name-") + code;
    row.strInitials = CString("ini-") + code;
    row.nListIndex = listIndex;
    row.quote.strCode = row.strCode;
    row.quote.strName = row.strName;
    row.quote.strInitials = row.strInitials;
    row.quote.strLastPrice = lastPrice;
    return row;
}

SectorRecord MakeSector(const char* name, const char* marketKey,
                        const std::vector<SectorRow>& rows, int sortColumn, int sortOrder)
{
    SectorRecord sector;
    sector.strName = name;
    sector.nSortColumn = sortColumn;
    sector.nSortOrder = sortOrder;
    sector.vecRows = rows;
    for (const SectorRow& row : rows)
    {
        InstrumentRef ref;
        ref.strMarketKey = marketKey;
        ref.strSectorName = name;
        sector.mapInstruments[row.strCode] = ref;
    }
    return sector;
}

std::vector<SectorRow> MakeRows(const char* prefix, int count)
{
    std::vector<SectorRow> rows;
    for (int i = 0; i < count; ++i)
    {
        CString code;
        code.Format("%s%d", prefix, i);
        rows.push_back(MakeRow(code, i));
    }
    return rows;
}

std::vector<CString> CodesOf(const SectorRecord& sector)
{
    std::vector<CString> codes;
    for (const SectorRow& row : sector.vecRows)
        codes.push_back(row.strCode);
    return codes;
}

std::vector<CString> Codes(std::initializer_list<const char*> codes)
{
    return std::vector<CString>(codes.begin(), codes.end());
}

} // namespace markettest
