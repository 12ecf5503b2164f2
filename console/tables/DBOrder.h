// Table "UserOrder" in file "DO": the client orders the console has seen, keyed by account,
// submission number and order number.
#pragma once
#include <vector>
#include "DBBase.h"
#include "OrderRow.h"

class CDBOrder : public CDBBase
{
public:
    CDBOrder(const CString& path, const DatabaseKey& key);

    bool CreateTable() override;
    bool Insert(const OrderRow& row);
    // Inserts each, all tried; false when any failed (stored keys are refused and stay).
    bool InsertAll(const std::vector<OrderRow>& rows);
    // The stored row with the key (clientName, cid, oid) of `key`; false when there is none
    // or the table cannot be read.
    bool FindOrder(const OrderRow& key, OrderRow& found);
    // Updates the row of the same clientName, cid and oid, or inserts it.
    bool UpsertOrder(const OrderRow& row);
    // Rows whose "ot" lies between the two texts (inclusive, compared as texts).
    bool QueryOrders(std::vector<OrderRow>& rows, const CString& from, const CString& to,
                     const CString& orderColumn, bool ascending, int limit, int offset);

private:
    static int ReadRow(void* list, int columns, char** values, char** names);
    static std::vector<CString> KeyValues(const OrderRow& row);

    CString m_sql;
};
