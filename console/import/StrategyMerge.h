// Merges imported strategies one by one into the local strategy list and the local
// assignments. A name clash and an account whose strategy would change are questions for the
// user, asked through `ask` (true: Yes). Plain code: the import dialog runs it on its worker
// and asks through its window.
#pragma once
#include <afx.h>
#include <functional>
#include <vector>
#include "ImportedStrategy.h"

class StrategyMerge
{
public:
    typedef std::function<bool(const CString& question)> Ask;

    StrategyMerge(std::vector<StrategyInfo>& strategies, std::vector<UserStrategy>& assignments,
                  Ask ask);

    // Same name as a local strategy: Yes overwrites it (the local id stays), No adds the
    // strategy under "name_n". A new name is added with the next free id. Then the accounts
    // the entry names are resolved.
    void ImportOne(const ImportedStrategy& entry);

    // "name_1", "name_2" ... the first that no local strategy bears.
    CString UniqueStrategyName(const CString& name) const;

    // For every local assignment of an account the entry names: one already on `id` stays, one
    // without a strategy takes it, one on another strategy is a question (Yes: take it).
    // Accounts without a local assignment are not added.
    void ResolveUserConflicts(const std::vector<UserStrategy>& users, int id, const CString& name);

    static CString SameNameQuestion(const CString& name);
    static CString UserConflictQuestion(const CString& userId, const CString& importedName,
                                        const CString& localName);

private:
    int AddStrategy(const ImportedStrategy& entry, const CString& name);

    std::vector<StrategyInfo>& m_strategies;
    std::vector<UserStrategy>& m_assignments;
    Ask m_ask;
};
