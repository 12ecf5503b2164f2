#include "StrategyMerge.h"

#include <stdlib.h>

#include "StrategyIds.h"

StrategyMerge::StrategyMerge(std::vector<StrategyInfo>& strategies,
                             std::vector<UserStrategy>& assignments, Ask ask)
    : m_strategies(strategies), m_assignments(assignments), m_ask(ask)
{
}

CString StrategyMerge::SameNameQuestion(const CString& name)
{
    CString question;
    question.Format("导入策略 \"%s\" 同名，请选择！\n  是：覆盖策略\n  否：新增策略",
                    static_cast<const char*>(name));
    return question;
}

CString StrategyMerge::UserConflictQuestion(const CString& userId, const CString& importedName,
                                            const CString& localName)
{
    CString question;
    question.Format("用户\"%s\"使用策略冲突，请选择策略！\n  是：导入策略\"%s\"\n  否：本地策略\"%s\"",
                    static_cast<const char*>(userId), static_cast<const char*>(importedName),
                    static_cast<const char*>(localName));
    return question;
}

void StrategyMerge::ImportOne(const ImportedStrategy& entry)
{
    int id = -1;
    CString name = entry.strStrategyName;
    for (StrategyInfo& local : m_strategies) {
        if (local.strStrategyName != entry.strStrategyName)
            continue;
        if (m_ask(SameNameQuestion(entry.strStrategyName))) {
            local.strStrategyName = entry.strStrategyName;
            local.vecStrategy = entry.vecStrategy;
            local.applied = entry.applied;
            id = local.nStragegyId;
        } else {
            name = UniqueStrategyName(entry.strStrategyName);
            id = AddStrategy(entry, name);
        }
        break;
    }
    if (id < 0)
        id = AddStrategy(entry, name);
    ResolveUserConflicts(entry.users, id, name);
}

int StrategyMerge::AddStrategy(const ImportedStrategy& entry, const CString& name)
{
    StrategyInfo added;
    added.nStragegyId = NextFreeStrategyId(m_strategies, FollowedStrategyIds(m_assignments));
    added.strStrategyName = name;
    added.vecStrategy = entry.vecStrategy;
    added.applied = entry.applied;
    m_strategies.push_back(added);
    return added.nStragegyId;
}

CString StrategyMerge::UniqueStrategyName(const CString& name) const
{
    for (int n = 1;; ++n) {
        CString candidate;
        candidate.Format("%s_%d", static_cast<const char*>(name), n);
        bool taken = false;
        for (const StrategyInfo& local : m_strategies)
            taken = taken || local.strStrategyName == candidate;
        if (!taken)
            return candidate;
    }
}

void StrategyMerge::ResolveUserConflicts(const std::vector<UserStrategy>& users, int id,
                                         const CString& name)
{
    CString idText;
    idText.Format("%d", id);
    for (const UserStrategy& user : users) {
        for (UserStrategy& assignment : m_assignments) {
            if (assignment.userId != user.userId)
                continue;
            const int current = atoi(assignment.strategyId);
            if (current == id)
                continue;
            if (current == -1
                || m_ask(UserConflictQuestion(user.userId, name, assignment.strategyName))) {
                assignment.strategyId = idText;
                assignment.strategyName = name;
            }
        }
    }
}
