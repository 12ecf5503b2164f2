// The console's three tables in the user's database folder ("DU" assignments, "DS"
// strategies, "DO" orders). Assignments and strategies are written whenever they change, each
// list in one transaction, so that a crash or a killed program keeps the last change and never
// half of it.
#pragma once
#include <afx.h>
#include <memory>
#include <vector>
#include "DBOrder.h"
#include "DBStrategy.h"
#include "DBUser.h"

class CConsoleStore
{
public:
    // folder ends with "\"; key is the user's database key.
    CConsoleStore(const CString& folder, const CString& key);

    // Table errors leave the lists empty.
    void Load(std::vector<UserStrategy>& assignments, std::vector<StrategyInfo>& strategies);

    bool SaveAssignments(const std::vector<UserStrategy>& assignments);
    bool SaveStrategies(const std::vector<StrategyInfo>& strategies);
    // A row whose state became final: updated in place or added.
    bool StoreOrder(const OrderRow& row);
    // Every row still listed (stored keys are kept as stored).
    bool StoreOrders(const std::vector<OrderRow>& rows);

    CDBOrder& Orders() { return *m_orders; }

private:
    std::unique_ptr<CDBUser> m_users;
    std::unique_ptr<CDBStrategy> m_strategies;
    std::unique_ptr<CDBOrder> m_orders;
};
