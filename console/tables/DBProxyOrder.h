// Table "ProxyOrder" in file "DP": the main window's proxy orders, keyed by order number and
// submission number.
#pragma once
#include <vector>
#include "DBBase.h"
#include "ProxyOrderRecord.h"

class CDBProxyOrder : public CDBBase
{
public:
    CDBProxyOrder(const CString& path, const DatabaseKey& key);

    bool CreateTable() override;
    bool Insert(const ProxyOrderRecord& record);
    // Updates all fourteen columns of the row with the same OrderNo and cid, or inserts it.
    bool UpsertProxyOrder(const ProxyOrderRecord& record);

private:
    static int ReadRow(void* list, int columns, char** values, char** names);
    static std::vector<CString> ColumnValues(const ProxyOrderRecord& record);

    CString m_sql;
};
