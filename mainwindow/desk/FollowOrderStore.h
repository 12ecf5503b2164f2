// The proxy-order table ("DP" in the user's database folder): the orders the order-supplement
// console sent (the follow orders) are stored as they finish and, when the main window ends,
// every one still listed. The console's history-order window lists them.
#pragma once
#include <afx.h>
#include <vector>
#include "DBProxyOrder.h"
#include "OrderEntry.h"

class CFollowOrderStore
{
public:
    // databaseFolder ends with "\"; key is the user's database key.
    CFollowOrderStore(const CString& databaseFolder, const DatabaseKey& key);

    // The entry as a row of the table; the save mark is the entry's follow-order flag.
    static ProxyOrderRecord RecordOf(const OrderEntry& entry);

    // Stores a follow order (updated by its order number and client reference, or added);
    // other entries are not stored. False when the table refused the row.
    bool Store(const OrderEntry& entry);
    // Every follow order of the list, in list order; false when any was not stored.
    bool StoreAll(const std::vector<OrderEntry>& entries);

    CDBProxyOrder& Table() { return m_table; }

private:
    CDBProxyOrder m_table;
};
