// Table "Strategy_3" in file "DS": one row per strategy, its legs in a JSON body.
#pragma once
#include <vector>
#include "DBBase.h"
#include "StrategyInfo.h"

class CDBStrategy : public CDBBase
{
public:
    CDBStrategy(const CString& path, const DatabaseKey& key);

    bool CreateTable() override;
    bool Insert(const StrategyInfo& strategy);
    // Inserts each in list order, all tried; false when any failed.
    bool InsertAll(const std::vector<StrategyInfo>& strategies);
    bool LoadAll(std::vector<StrategyInfo>& strategies, const CString& orderColumn,
                 bool ascending, int limit, int offset);
    // Deletes every row and inserts the list in one transaction. Strategies the table refuses
    // (a second one of the same id) are left out and make the result false.
    bool ReplaceAll(const std::vector<StrategyInfo>& strategies);

private:
    static int ReadRow(void* list, int columns, char** values, char** names);

    CString m_sql;
};
