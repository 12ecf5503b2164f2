#include "DBStrategy.h"

#include <stdlib.h>

#include "StrategyJson.h"
#include "TableSql.h"

CDBStrategy::CDBStrategy(const CString& path, const DatabaseKey& key) : CDBBase(path, key)
{
    m_table = "Strategy_3";
    CreateTable();
}

bool CDBStrategy::CreateTable()
{
    m_sql = "create table " + m_table
            + "(nStragegyId varchar(32) not null, strStrategyName varchar(256), "
              "strStrategyBody varchar(1024), primary key(nStragegyId))";
    return ExecSql(m_sql, nullptr, nullptr);
}

namespace {

// The leg texts go into the JSON body, whose conversion would cut one at a NUL byte.
bool LegTextsAreWhole(const StrategyInfo& strategy)
{
    for (const StrategyLeg& leg : strategy.vecStrategy) {
        for (const CString* text : {&leg.strContractType, &leg.strDirection, &leg.strMultiple, &leg.strPoint,
                                    &leg.strSlipPoint, &leg.strPriceType}) {
            if (HoldsNulByte(*text))
                return false;
        }
    }
    return true;
}

}  // namespace

bool CDBStrategy::Insert(const StrategyInfo& strategy)
{
    if (!LegTextsAreWhole(strategy))
        return RefuseRow();
    CString id;
    id.Format("%d", strategy.nStragegyId);
    m_sql = "insert into " + m_table + " (nStragegyId, strStrategyName, strStrategyBody) values(" + Placeholders(3)
            + ")";
    return ExecBound(m_sql, {id, strategy.strStrategyName, StrategyToJson(strategy)}, nullptr, nullptr);
}

bool CDBStrategy::InsertAll(const std::vector<StrategyInfo>& strategies)
{
    bool allStored = true;
    for (const StrategyInfo& strategy : strategies)
        allStored = Insert(strategy) && allStored;
    return allStored;
}

int CDBStrategy::ReadRow(void* list, int columns, char** values, char** names)
{
    return GuardedRow([&] {
        StrategyInfo strategy;
        ReadRowColumns(columns, values, names, [&](const char* name, const CString& value) {
            const CString column(name);
            if (column == "nStragegyId")
                strategy.nStragegyId = atoi(value);
            else if (column == "strStrategyName")
                strategy.strStrategyName = value;
            else if (column == "strStrategyBody")
                StrategyFromJson(strategy, value);
        });
        static_cast<std::vector<StrategyInfo>*>(list)->push_back(strategy);
    });
}

bool CDBStrategy::LoadAll(std::vector<StrategyInfo>& strategies, const CString& orderColumn,
                          bool ascending, int limit, int offset)
{
    m_sql = "select * from " + m_table + SelectTail(orderColumn, ascending, limit, offset);
    return ExecSql(m_sql, &CDBStrategy::ReadRow, &strategies);
}

bool CDBStrategy::ReplaceAll(const std::vector<StrategyInfo>& strategies)
{
    return ReplaceRows(strategies.size(), [&](size_t i) { return Insert(strategies[i]); });
}
