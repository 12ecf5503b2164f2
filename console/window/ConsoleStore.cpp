#include "ConsoleStore.h"

#include "OrderWords.h"

CConsoleStore::CConsoleStore(const CString& folder, const DatabaseKey& key)
    : m_users(new CDBUser(folder + "DU", key)),
      m_strategies(new CDBStrategy(folder + "DS", key)),
      m_orders(new CDBOrder(folder + "DO", key))
{
}

CConsoleStore::LoadResult CConsoleStore::Load(std::vector<UserStrategy>& assignments,
                                              std::vector<StrategyInfo>& strategies)
{
    LoadResult result;
    assignments.clear();
    strategies.clear();
    result.strategiesRead = m_strategies->LoadAll(strategies, "", true, -1, 0);
    if (!result.strategiesRead)
        strategies.clear();
    result.assignmentsRead = m_users->LoadAll(assignments, "", true, -1, 0);
    if (!result.assignmentsRead)
        assignments.clear();
    m_listsReadable = result.AllRead();
    return result;
}

bool CConsoleStore::SaveAssignments(const std::vector<UserStrategy>& assignments)
{
    return m_listsReadable && m_users->ReplaceAll(assignments);
}

bool CConsoleStore::SaveStrategies(const std::vector<StrategyInfo>& strategies)
{
    return m_listsReadable && m_strategies->ReplaceAll(strategies);
}

bool CConsoleStore::StoreOrder(const OrderRow& row)
{
    return m_orders->UpsertOrder(row);
}

bool CConsoleStore::StoreOrders(const std::vector<OrderRow>& rows)
{
    return m_orders->InsertAll(rows);
}

bool CConsoleStore::IsFillStored(const OrderRow& row)
{
    OrderRow stored;
    return m_orders->FindOrder(row, stored) && IsFillOrderState(stored.st);
}

std::vector<CString> CConsoleStore::SetAsideFiles() const
{
    std::vector<CString> files;
    for (const CDBBase* table : {static_cast<const CDBBase*>(m_users.get()),
                                 static_cast<const CDBBase*>(m_strategies.get()),
                                 static_cast<const CDBBase*>(m_orders.get())}) {
        if (table->StartedEmptyAfterSetAside())
            files.push_back(table->GetSetAsidePath());
    }
    return files;
}
