#include "QuoteStore.h"
#include <algorithm>
#include <string>
#include <string.h>
#include <unordered_map>
#include "SectorSort.h"

const char MY_SECTOR_NAME[] = "我的板块";

namespace
{
bool IsFinalOrderState(const CString& state)
{
    return state == "已成交" || state == "已作废" || state == "已取消";
}

// Position of the first row of each code; the store's sectors hold a few thousand rows, and
// merging a whole instrument list row by row must not scan them once per row.
std::unordered_map<std::string, size_t> IndexRowsByCode(const std::vector<SectorRow>& rows)
{
    std::unordered_map<std::string, size_t> index;
    index.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        index.emplace(std::string(rows[i].strCode), i);
    return index;
}

void CopyQuote(SectorRow& row, const QuoteRow& quote)
{
    row.quote = quote;
    row.quote.strName = row.strName;
    row.quote.strInitials = row.strInitials;
}

// A row taken out of the batch is never read again: move it instead of copying 46 texts.
void MoveQuote(SectorRow& row, QuoteRow&& quote)
{
    row.quote = std::move(quote);
    row.quote.strName = row.strName;
    row.quote.strInitials = row.strInitials;
}

// The rows of a batch by code, each code's rows in batch order; a row once taken is gone.
// Keys are copies of the codes, so a taken row may be moved away.
class BatchByCode
{
public:
    explicit BatchByCode(std::vector<QuoteRow>& batch)
        : m_batch(batch), m_next(batch.size(), kNone), m_remaining(batch.size())
    {
        std::unordered_map<std::string, size_t> last;
        m_first.reserve(batch.size());
        last.reserve(batch.size());
        for (size_t i = 0; i < batch.size(); ++i)
        {
            std::string code(batch[i].strCode, batch[i].strCode.GetLength());
            auto inserted = m_first.emplace(code, i);
            if (!inserted.second)
                m_next[last[code]] = i;
            last[code] = i;
        }
    }

    bool IsEmpty() const { return m_remaining == 0; }

    // The first remaining row of the code, left in the batch; null when none
    const QuoteRow* Peek(const CString& code) const
    {
        auto it = m_first.find(std::string(code, code.GetLength()));
        return (it == m_first.end() || it->second == kNone) ? nullptr : &m_batch[it->second];
    }

    // The first remaining row of the code, taken out of the batch; null when none
    QuoteRow* Take(const CString& code)
    {
        auto it = m_first.find(std::string(code, code.GetLength()));
        if (it == m_first.end() || it->second == kNone)
            return nullptr;
        size_t taken = it->second;
        it->second = m_next[taken];
        --m_remaining;
        return &m_batch[taken];
    }

private:
    static const size_t kNone = size_t(-1);

    std::vector<QuoteRow>& m_batch;
    std::unordered_map<std::string, size_t> m_first; // code -> first remaining row
    std::vector<size_t> m_next;                      // next row of the same code
    size_t m_remaining;
};
} // namespace

QuoteStore& GetQuoteStore()
{
    static QuoteStore store;
    return store;
}

QuoteStore::QuoteStore() : m_nNextSelfIndex(0)
{
}

QuoteStore::~QuoteStore()
{
}

void QuoteStore::GetSectors(std::vector<SectorRecord>& sectors) const
{
    CSingleLock lock(&m_sectorLock, TRUE);
    sectors = m_sectors;
}

BOOL QuoteStore::GetSector(LPCTSTR pszName, SectorRecord& sector) const
{
    CSingleLock lock(&m_sectorLock, TRUE);
    const SectorRecord* found = const_cast<QuoteStore*>(this)->FindSectorLocked(pszName);
    if (found == nullptr)
        return FALSE;
    sector = *found;
    return TRUE;
}

BOOL QuoteStore::GetSectorRowRange(LPCTSTR pszName, int nFirst, int nCount,
                                   std::vector<SectorRow>& rows) const
{
    rows.clear();
    CSingleLock lock(&m_sectorLock, TRUE);
    const SectorRecord* found = const_cast<QuoteStore*>(this)->FindSectorLocked(pszName);
    if (found == nullptr)
        return FALSE;
    const int size = static_cast<int>(found->vecRows.size());
    const int first = std::max(0, nFirst);
    const int end = nCount > 0 ? std::min(size, first + nCount) : first;
    if (first < end)
        rows.assign(found->vecRows.begin() + first, found->vecRows.begin() + end);
    return TRUE;
}

BOOL QuoteStore::GetSectorRows(int nPosition, SectorRecord& sector) const
{
    CSingleLock lock(&m_sectorLock, TRUE);
    if (nPosition < 0 || size_t(nPosition) >= m_sectors.size())
        return FALSE;
    sector = m_sectors[nPosition];
    return TRUE;
}

BOOL QuoteStore::GetQuoteRow(LPCTSTR pszCode, SectorRow& row) const
{
    CSingleLock lock(&m_sectorLock, TRUE);
    const SectorRow* found = FindRowLocked(pszCode);
    if (found == nullptr)
        return FALSE;
    row = *found;
    return TRUE;
}

BOOL QuoteStore::GetInstrumentName(LPCTSTR pszCode, CString& strName) const
{
    CSingleLock lock(&m_sectorLock, TRUE);
    const SectorRow* found = FindRowLocked(pszCode);
    if (found == nullptr)
        return FALSE;
    strName = found->strName;
    return TRUE;
}

BOOL QuoteStore::SectorContains(LPCTSTR pszSector, LPCTSTR pszCode) const
{
    CSingleLock lock(&m_sectorLock, TRUE);
    const SectorRecord* sector = const_cast<QuoteStore*>(this)->FindSectorLocked(pszSector);
    if (sector == nullptr)
        return FALSE;
    for (const SectorRow& row : sector->vecRows)
        if (row.strCode == pszCode)
            return TRUE;
    return FALSE;
}

BOOL QuoteStore::FindInstrument(LPCTSTR pszCode, CString& strMarketKey,
                                CString& strSectorName, CString& strExtra) const
{
    CSingleLock lock(&m_sectorLock, TRUE);
    const InstrumentRef* ref = FindInstrumentLocked(pszCode);
    if (ref == nullptr)
        return FALSE;
    strMarketKey = ref->strMarketKey;
    strSectorName = ref->strSectorName;
    strExtra = ref->strExtra;
    return TRUE;
}

void QuoteStore::AddSector(SectorRecord record)
{
    CSingleLock lock(&m_sectorLock, TRUE);
    MergeSectorLocked(record);
    if (record.strName != MY_SECTOR_NAME && FindSectorLocked(MY_SECTOR_NAME) != nullptr)
        MirrorIntoMySectorLocked(record);
}

void QuoteStore::AddToMySector(LPCTSTR pszCode)
{
    CSingleLock lock(&m_sectorLock, TRUE);
    const InstrumentRef* ref = FindInstrumentLocked(pszCode);
    const SectorRow* row = FindRowLocked(pszCode);
    if (ref == nullptr || row == nullptr)
        return;

    SectorRecord mine;
    mine.strName = MY_SECTOR_NAME;
    mine.nSortColumn = SORT_BY_LIST_INDEX;
    mine.nSortOrder = 1;
    CString code(pszCode);
    mine.mapInstruments[code] = *ref;
    mine.vecRows.push_back(*row);
    mine.vecRows.back().nListIndex = m_nNextSelfIndex;
    --m_nNextSelfIndex;

    // The self list follows the sector, so that the next mirror keeps the code in place.
    m_selfList.erase(std::remove(m_selfList.begin(), m_selfList.end(), code), m_selfList.end());
    m_selfList.push_back(code);

    MergeSectorLocked(mine);
}

void QuoteStore::RemoveFromMySector(LPCTSTR pszSector, LPCTSTR pszCode)
{
    CSingleLock lock(&m_sectorLock, TRUE);
    CString code(pszCode);
    if (strcmp(pszSector, MY_SECTOR_NAME) == 0)
        m_selfList.erase(std::remove(m_selfList.begin(), m_selfList.end(), code),
                         m_selfList.end());

    SectorRecord* sector = FindSectorLocked(pszSector);
    if (sector == nullptr)
        return;
    std::vector<SectorRow>& rows = sector->vecRows;
    for (auto it = rows.begin(); it != rows.end(); ++it)
        if (it->strCode == code)
        {
            rows.erase(it);
            break;
        }
    sector->mapInstruments.erase(code);
}

void QuoteStore::SetSelfList(std::vector<CString> codes)
{
    CSingleLock lock(&m_sectorLock, TRUE);
    m_selfList.swap(codes);
    m_nNextSelfIndex = -int(m_selfList.size());
}

void QuoteStore::GetSelfList(std::vector<CString>& codes) const
{
    CSingleLock lock(&m_sectorLock, TRUE);
    codes = m_selfList;
}

int QuoteStore::GetNextSelfIndex() const
{
    CSingleLock lock(&m_sectorLock, TRUE);
    return m_nNextSelfIndex;
}

BOOL QuoteStore::SortSector(int nPosition, int nSortColumn, int nSortOrder)
{
    CSingleLock lock(&m_sectorLock, TRUE);
    if (nPosition < 0 || size_t(nPosition) >= m_sectors.size())
        return FALSE;
    SectorRecord& sector = m_sectors[nPosition];
    if (sector.nSortColumn == nSortColumn && sector.nSortOrder == nSortOrder)
        return FALSE;
    sector.nSortColumn = nSortColumn;
    sector.nSortOrder = nSortOrder;
    SortSectorRows(sector.vecRows, nSortColumn, nSortOrder);
    return TRUE;
}

void QuoteStore::UpdateQuotes(std::vector<QuoteRow> batch)
{
    CSingleLock lock(&m_sectorLock, TRUE);
    BatchByCode byCode(batch);
    if (byCode.IsEmpty())
        return;

    // "我的板块" stands last in store order, after the sectors that take the rows out of the
    // batch, so it is served first from the whole batch.
    if (SectorRecord* mine = FindSectorLocked(MY_SECTOR_NAME))
        for (SectorRow& row : mine->vecRows)
            if (const QuoteRow* quote = byCode.Peek(row.strCode))
                CopyQuote(row, *quote);

    for (SectorRecord& sector : m_sectors)
        for (SectorRow& row : sector.vecRows)
        {
            if (QuoteRow* quote = byCode.Take(row.strCode))
                MoveQuote(row, std::move(*quote));
            if (byCode.IsEmpty())
                return;
        }
}

void QuoteStore::UpdateOrderState(OrderStateRecord record)
{
    CSingleLock lock(&m_orderStateLock, TRUE);
    size_t countBefore = m_orderStates.size();
    auto same = std::find_if(m_orderStates.begin(), m_orderStates.end(),
                             [&record](const OrderStateRecord& r) {
                                 return r.strOrderKey == record.strOrderKey;
                             });
    if (same != m_orderStates.end())
        *same = record;
    else
        m_orderStates.push_back(record);

    // Keep the list bounded over a long day, but never forget an order that is still open.
    if (countBefore > ORDER_STATE_CAP)
    {
        auto firstFinal = std::find_if(m_orderStates.begin(), m_orderStates.end(),
                                  [](const OrderStateRecord& r) {
                                      return IsFinalOrderState(r.strState);
                                  });
        if (firstFinal != m_orderStates.end())
            m_orderStates.erase(firstFinal);
    }
}

BOOL QuoteStore::FindOrderState(LPCTSTR pszOrderKey, OrderStateRecord& record) const
{
    return FindOrderStateBy(&OrderStateRecord::strOrderKey, pszOrderKey, record);
}

BOOL QuoteStore::FindOrderStateByFirstKey(LPCTSTR pszClientRef, OrderStateRecord& record) const
{
    return FindOrderStateBy(&OrderStateRecord::strClientRef, pszClientRef, record);
}

// Copies out the first order state whose field equals the key.
BOOL QuoteStore::FindOrderStateBy(CString OrderStateRecord::*field, LPCTSTR pszKey,
                                  OrderStateRecord& record) const
{
    CSingleLock lock(&m_orderStateLock, TRUE);
    for (const OrderStateRecord& r : m_orderStates)
        if (r.*field == pszKey)
        {
            record = r;
            return TRUE;
        }
    return FALSE;
}

void QuoteStore::ClearOrderStates()
{
    CSingleLock lock(&m_orderStateLock, TRUE);
    m_orderStates.clear();
}

int QuoteStore::GetOrderStateCount() const
{
    CSingleLock lock(&m_orderStateLock, TRUE);
    return int(m_orderStates.size());
}

SectorRecord* QuoteStore::FindSectorLocked(LPCTSTR pszName)
{
    for (SectorRecord& sector : m_sectors)
        if (sector.strName == pszName)
            return &sector;
    return nullptr;
}

const SectorRow* QuoteStore::FindRowLocked(LPCTSTR pszCode) const
{
    for (const SectorRecord& sector : m_sectors)
        for (const SectorRow& row : sector.vecRows)
            if (row.strCode == pszCode)
                return &row;
    return nullptr;
}

const InstrumentRef* QuoteStore::FindInstrumentLocked(LPCTSTR pszCode) const
{
    CString code(pszCode);
    for (const SectorRecord& sector : m_sectors)
    {
        auto it = sector.mapInstruments.find(code);
        if (it != sector.mapInstruments.end())
            return &it->second;
    }
    return nullptr;
}

void QuoteStore::MergeSectorLocked(const SectorRecord& record)
{
    SectorRecord* stored = FindSectorLocked(record.strName);
    if (stored == nullptr)
    {
        m_sectors.push_back(record);
        SectorRecord& added = m_sectors.back();
        SortSectorRows(added.vecRows, added.nSortColumn, added.nSortOrder);
        SortSectors(m_sectors);
        return;
    }

    for (const auto& entry : record.mapInstruments)
        stored->mapInstruments[entry.first] = entry.second;

    std::unordered_map<std::string, size_t> index = IndexRowsByCode(stored->vecRows);
    for (const SectorRow& row : record.vecRows)
    {
        auto it = index.find(std::string(row.strCode));
        if (it != index.end())
            stored->vecRows[it->second] = row;
        else
        {
            index.emplace(std::string(row.strCode), stored->vecRows.size());
            stored->vecRows.push_back(row);
        }
    }
    // A merge keeps the order the user chose for the stored sector.
    SortSectorRows(stored->vecRows, stored->nSortColumn, stored->nSortOrder);
}

void QuoteStore::MirrorIntoMySectorLocked(const SectorRecord& record)
{
    std::unordered_map<std::string, std::vector<size_t>> rowsByCode;
    for (size_t i = 0; i < record.vecRows.size(); ++i)
        rowsByCode[std::string(record.vecRows[i].strCode)].push_back(i);

    SectorRecord mine;
    mine.strName = MY_SECTOR_NAME;
    mine.nSortColumn = SORT_BY_LIST_INDEX;
    mine.nSortOrder = 1;
    for (size_t position = 0; position < m_selfList.size(); ++position)
    {
        const CString& code = m_selfList[position];
        auto rows = rowsByCode.find(std::string(code));
        if (rows == rowsByCode.end())
            continue;
        for (size_t i : rows->second)
        {
            mine.vecRows.push_back(record.vecRows[i]);
            mine.vecRows.back().nListIndex = -int(position);
        }
        auto ref = record.mapInstruments.find(code);
        if (ref != record.mapInstruments.end())
            mine.mapInstruments[code] = ref->second;
    }
    if (!mine.vecRows.empty())
        MergeSectorLocked(mine);
}
