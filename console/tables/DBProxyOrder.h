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
    // Appends the rows whose DateTime lies between the two texts (inclusive, compared as
    // texts), in ascending order of DateTime.
    bool QueryByTime(std::vector<ProxyOrderRecord>& records, const CString& from, const CString& to);

private:
    static int ReadRow(void* list, int columns, char** values, char** names);
    static std::vector<CString> ColumnValues(const ProxyOrderRecord& record);

    CString m_sql;
};
