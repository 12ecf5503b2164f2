#include "SectorSort.h"
#include <algorithm>
#include <math.h>
#include <stdlib.h>
#include <string.h>

namespace
{
const int kUnranked = 2147483647;
const char* const kSectorTable[] = {"沪深", "美股", "港股", "原油", "黄金", "白银", "外汇",
                                    "外汇现货"};
const char kMySector[] = "我的板块";

int SectorRank(const CString& name)
{
    for (int i = 0; i < int(sizeof(kSectorTable) / sizeof(kSectorTable[0])); ++i)
        if (strcmp(name, kSectorTable[i]) == 0)
            return i;
    return kUnranked;
}

enum ColumnKind { KIND_LIST_INDEX, KIND_TEXT, KIND_REAL, KIND_INTEGER };

ColumnKind KindOfColumn(int column)
{
    switch (column)
    {
    case SORT_BY_CODE:
    case SORT_BY_INITIALS:
        return KIND_TEXT;
    case SORT_BY_BID1_VOLUME:
    case SORT_BY_ASK1_VOLUME:
    case SORT_BY_VOLUME:
    case SORT_BY_VOLUME_SINCE_LAST:
        return KIND_INTEGER;
    case SORT_BY_LAST_PRICE:
    case SORT_BY_CHANGE:
    case SORT_BY_BID1_PRICE:
    case SORT_BY_ASK1_PRICE:
    case SORT_BY_HIGH:
    case SORT_BY_LOW:
    case SORT_BY_OPEN:
    case SORT_BY_CHANGE_PERCENT:
    case SORT_BY_PREV_CLOSE:
        return KIND_REAL;
    default:
        return KIND_LIST_INDEX;
    }
}

const CString& ColumnText(const SectorRow& row, int column)
{
    const QuoteRow& q = row.quote;
    switch (column)
    {
    case SORT_BY_CODE: return row.strCode;
    case SORT_BY_INITIALS: return q.strInitials;
    case SORT_BY_LAST_PRICE: return q.strLastPrice;
    case SORT_BY_CHANGE: return q.strChange;
    case SORT_BY_BID1_VOLUME: return q.strBid1Volume;
    case SORT_BY_BID1_PRICE: return q.strBid1Price;
    case SORT_BY_ASK1_PRICE: return q.strAsk1Price;
    case SORT_BY_ASK1_VOLUME: return q.strAsk1Volume;
    case SORT_BY_VOLUME: return q.strVolume;
    case SORT_BY_VOLUME_SINCE_LAST: return q.strVolumeSinceLast;
    case SORT_BY_HIGH: return q.strHigh;
    case SORT_BY_LOW: return q.strLow;
    case SORT_BY_OPEN: return q.strOpen;
    case SORT_BY_CHANGE_PERCENT: return q.strChangePercent;
    default: return q.strPrevClose; // SORT_BY_PREV_CLOSE
    }
}

// The value a row sorts by, read once per sort. A text such as "nan" from a server must
// not break the ordering the sort relies on, so a value that is not a number counts as 0.
struct RowKey
{
    size_t index;
    bool halted;
    double real;
    __int64 integer;
    const CString* text;
};

RowKey MakeKey(const SectorRow& row, size_t index, ColumnKind kind, int column)
{
    RowKey key = {index, row.quote.nHalted != 0, 0.0, 0, nullptr};
    switch (kind)
    {
    case KIND_LIST_INDEX:
        key.integer = row.nListIndex;
        break;
    case KIND_TEXT:
        key.text = &ColumnText(row, column);
        break;
    case KIND_REAL:
        key.real = atof(ColumnText(row, column));
        if (isnan(key.real))
            key.real = 0.0;
        break;
    case KIND_INTEGER:
        key.integer = _atoi64(ColumnText(row, column));
        break;
    }
    return key;
}

// a before b; ties are equal (false both ways)
bool KeyBefore(const RowKey& a, const RowKey& b, ColumnKind kind, bool descending)
{
    if (kind == KIND_TEXT)
    {
        int cmp = a.text->CompareNoCase(*b.text);
        return descending ? cmp > 0 : cmp < 0;
    }
    if (kind != KIND_LIST_INDEX && a.halted != b.halted)
        return b.halted;
    if (kind == KIND_REAL)
        return descending ? a.real > b.real : a.real < b.real;
    return descending ? a.integer > b.integer : a.integer < b.integer;
}
} // namespace

bool CompareSectors(const CString& a, const CString& b)
{
    int rankA = SectorRank(a);
    int rankB = SectorRank(b);
    if (rankA != kUnranked || rankB != kUnranked)
        return rankA < rankB;
    rankA = (a == kMySector) ? 0 : kUnranked;
    rankB = (b == kMySector) ? 0 : kUnranked;
    if (rankA == rankB)
        return false;
    return rankA > rankB; // "我的板块" after every other sector
}

bool CompareSectorRows(const SectorRow& a, const SectorRow& b, int nSortColumn,
                       int nSortOrder)
{
    ColumnKind kind = KindOfColumn(nSortColumn);
    return KeyBefore(MakeKey(a, 0, kind, nSortColumn), MakeKey(b, 1, kind, nSortColumn), kind,
                     nSortOrder != 0);
}

void SortSectorRows(std::vector<SectorRow>& rows, int nSortColumn, int nSortOrder)
{
    ColumnKind kind = KindOfColumn(nSortColumn);
    bool descending = nSortOrder != 0;
    std::vector<RowKey> keys;
    keys.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        keys.push_back(MakeKey(rows[i], i, kind, nSortColumn));
    std::sort(keys.begin(), keys.end(), [kind, descending](const RowKey& a, const RowKey& b) {
        return KeyBefore(a, b, kind, descending);
    });

    // Put the rows in place cycle by cycle: each row is moved once, and no second array of
    // a few thousand rows is allocated.
    std::vector<bool> placed(rows.size(), false);
    for (size_t start = 0; start < rows.size(); ++start)
    {
        if (placed[start] || keys[start].index == start)
            continue;
        SectorRow held = std::move(rows[start]);
        size_t target = start;
        while (keys[target].index != start)
        {
            rows[target] = std::move(rows[keys[target].index]);
            placed[target] = true;
            target = keys[target].index;
        }
        rows[target] = std::move(held);
        placed[target] = true;
    }
}

void SortSectors(std::vector<SectorRecord>& sectors)
{
    std::stable_sort(sectors.begin(), sectors.end(),
                     [](const SectorRecord& a, const SectorRecord& b) {
                         return CompareSectors(a.strName, b.strName);
                     });
}
