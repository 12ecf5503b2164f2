#include "ConsoleStore.h"

CConsoleStore::CConsoleStore(const CString& folder, const CString& key)
    : m_users(new CDBUser(folder + "DU", key)),
      m_strategies(new CDBStrategy(folder + "DS", key)),
      m_orders(new CDBOrder(folder + "DO", key))
{
}

void CConsoleStore::Load(std::vector<UserStrategy>& assignments, std::vector<StrategyInfo>& strategies)
{
    assignments.clear();
    strategies.clear();
    if (!m_strategies->LoadAll(strategies, "", true, -1, 0))
        strategies.clear();
    if (!m_users->LoadAll(assignments, "", true, -1, 0))
        assignments.clear();
}

bool CConsoleStore::SaveAssignments(const std::vector<UserStrategy>& assignments)
{
    return m_users->ReplaceAll(assignments);
}

bool CConsoleStore::SaveStrategies(const std::vector<StrategyInfo>& strategies)
{
    return m_strategies->ReplaceAll(strategies);
}

bool CConsoleStore::StoreOrder(const OrderRow& row)
{
    return m_orders->UpsertOrder(row);
}

bool CConsoleStore::StoreOrders(const std::vector<OrderRow>& rows)
{
    return m_orders->InsertAll(rows);
}
