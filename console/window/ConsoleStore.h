// The console's three tables in the user's database folder ("DU" assignments, "DS"
// strategies, "DO" orders). Assignments and strategies are written whenever they change, each
// list in one transaction, so that a crash or a killed program keeps the last change and never
// half of it.
//
// When either list cannot be read, neither list is written again while this store lives: the
// console then works with lists that are not what the files hold, and writing them would
// replace what is stored (every account's strategy, every strategy).
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
    CConsoleStore(const CString& folder, const DatabaseKey& key);

    struct LoadResult
    {
        bool assignmentsRead = false;
        bool strategiesRead = false;
        bool AllRead() const { return assignmentsRead && strategiesRead; }
    };
    // Reads both lists; a list that cannot be read comes back empty.
    LoadResult Load(std::vector<UserStrategy>& assignments, std::vector<StrategyInfo>& strategies);
    // False after a load that could not read both lists.
    bool CanWriteLists() const { return m_listsReadable; }

    // False, writing nothing, while CanWriteLists is false.
    bool SaveAssignments(const std::vector<UserStrategy>& assignments);
    bool SaveStrategies(const std::vector<StrategyInfo>& strategies);
    // A row whose state became final: updated in place or added.
    bool StoreOrder(const OrderRow& row);
    // Every row still listed (stored keys are kept as stored).
    bool StoreOrders(const std::vector<OrderRow>& rows);
    // True when the fill of the row (same account, submission and order number) is stored as
    // filled: it was handled when it came, by this run or an earlier one.
    bool IsFillStored(const OrderRow& row);

    // The files that no key of the user opened: set aside, the tables started empty.
    std::vector<CString> SetAsideFiles() const;

    CDBOrder& Orders() { return *m_orders; }

private:
    std::unique_ptr<CDBUser> m_users;
    std::unique_ptr<CDBStrategy> m_strategies;
    std::unique_ptr<CDBOrder> m_orders;
    bool m_listsReadable = true;
};
