#include "FollowOrderStore.h"

CFollowOrderStore::CFollowOrderStore(const CString& databaseFolder, const DatabaseKey& key)
    : m_table(databaseFolder + "DP", key)
{
}

ProxyOrderRecord CFollowOrderStore::RecordOf(const OrderEntry& entry)
{
    ProxyOrderRecord record;
    CString* const columns[] = {&record.DateTime, &record.ContractName, &record.Contract, &record.OrderType,
                                &record.Bid,      &record.OrderPrice,   &record.OrderCount, &record.TradedCount,
                                &record.Status,   &record.mg,           &record.AvePrice, &record.OrderNo,
                                &record.ps,       &record.cid,          &record.strExtra1, &record.strExtra2,
                                &record.strExtra3};
    static_assert(sizeof(columns) / sizeof(columns[0]) == OrderEntry::TEXT_COUNT, "one text per column");
    for (int i = 0; i < OrderEntry::TEXT_COUNT; ++i)
        *columns[i] = entry[i];
    record.bSaveMark = entry.isFollowOrder ? 1 : 0;
    return record;
}

bool CFollowOrderStore::Store(const OrderEntry& entry)
{
    return !entry.isFollowOrder || m_table.UpsertProxyOrder(RecordOf(entry));
}

bool CFollowOrderStore::StoreAll(const std::vector<OrderEntry>& entries)
{
    bool allStored = true;
    for (const OrderEntry& entry : entries)
        allStored = Store(entry) && allStored;
    return allStored;
}
