// Small builders of quote rows and sectors for the market-data tests and benchmark.
#pragma once
#include <initializer_list>
#include <ostream>
#include <vector>
#include "QuoteStore.h"

namespace markettest {

// A row whose quote carries the code, the name and a last price
SectorRow MakeRow(const char* code, int listIndex, const char* lastPrice = "1.00");

// A sector of the given rows, each mapped to marketKey and the sector's own name
SectorRecord MakeSector(const char* name, const char* marketKey,
                        const std::vector<SectorRow>& rows, int sortColumn = 0,
                        int sortOrder = 1);

// Rows "<prefix>0" .. "<prefix>N-1" with list indexes 0 .. N-1
std::vector<SectorRow> MakeRows(const char* prefix, int count);

// The codes of a sector's rows in row order
std::vector<CString> CodesOf(const SectorRecord& sector);
std::vector<CString> Codes(std::initializer_list<const char*> codes);

} // namespace markettest

// Readable failure messages for CString values
inline void PrintTo(const CString& text, std::ostream* os)
{
    *os << '"' << text.GetString() << '"';
}
