#include "ConsoleAccounts.h"

#include <stdlib.h>

#include <algorithm>

#include "TextHelpers.h"

namespace {

void ClearStrategy(UserStrategy& user)
{
    user.strategyId = "-1";
    user.strategyName = NO_STRATEGY_NAME;
}

}  // namespace

bool CConsoleAccounts::TakeClientList(const CString& text)
{
    CStringArray items;
    ExtractBracketed(text, items, "[", "]");
    if (items.GetSize() == 0)
        return false;
    std::vector<UserStrategy> accounts;
    for (INT_PTR i = 0; i < items.GetSize(); ++i) {
        CStringArray fields;
        SplitString(fields, items[i], "#", true, false);
        UserStrategy user;
        user.userId = fields.GetSize() > 0 ? fields[0] : CString();
        user.userName = fields.GetSize() > 1 ? fields[1] : CString();
        if (const UserStrategy* known = FindAssignment(user.userId)) {
            user.strategyId = known->strategyId;
            user.strategyName = known->strategyName;
        }
        accounts.push_back(user);
    }
    const size_t listed = accounts.size();
    for (const UserStrategy& known : m_assignments) {
        const bool inReply = std::any_of(accounts.begin(), accounts.begin() + listed,
                                         [&](const UserStrategy& user) { return user.userId == known.userId; });
        if (!inReply)
            accounts.push_back(known);
    }
    m_assignments.swap(accounts);
    m_listed = listed;
    return true;
}

void CConsoleAccounts::Load(const std::vector<UserStrategy>& assignments,
                            const std::vector<StrategyInfo>& strategies, bool strategiesRead)
{
    m_strategies = strategies;
    m_assignments.clear();
    for (UserStrategy user : assignments) {
        if (strategiesRead && FindStrategyById(atoi(user.strategyId)) == nullptr)
            ClearStrategy(user);
        m_assignments.push_back(user);
    }
    m_listed = m_assignments.size();
    MarkAppliedStrategies();
}

void CConsoleAccounts::TakeImported(const std::vector<UserStrategy>& assignments,
                                    const std::vector<StrategyInfo>& strategies)
{
    const size_t listed = m_listed;
    Load(assignments, strategies);
    m_listed = std::min(listed, m_assignments.size());
}

bool CConsoleAccounts::Assign(const CString& account, int strategyId, const CString& strategyName)
{
    bool found = false;
    for (UserStrategy& user : m_assignments) {
        if (user.userId != account)
            continue;
        user.strategyId.Format("%d", strategyId);
        user.strategyName = strategyId < 0 ? CString(NO_STRATEGY_NAME) : strategyName;
        found = true;
    }
    return found;
}

void CConsoleAccounts::ReplaceStrategies(const std::vector<StrategyInfo>& strategies)
{
    m_strategies = strategies;
    RefreshAssignmentNames();
    MarkAppliedStrategies();
}

void CConsoleAccounts::MarkAppliedStrategies()
{
    for (StrategyInfo& strategy : m_strategies)
        strategy.applied = false;
    for (const UserStrategy& user : m_assignments) {
        const int id = atoi(user.strategyId);
        for (StrategyInfo& strategy : m_strategies) {
            if (strategy.nStragegyId == id) {
                strategy.applied = true;
                break;
            }
        }
    }
}

void CConsoleAccounts::RefreshAssignmentNames()
{
    for (UserStrategy& user : m_assignments) {
        if (atoi(user.strategyId) == -1)
            continue;
        if (const StrategyInfo* strategy = FindStrategyById(atoi(user.strategyId)))
            user.strategyName = strategy->strStrategyName;
        else
            ClearStrategy(user);
    }
}

const StrategyInfo* CConsoleAccounts::FindStrategyById(int id) const
{
    for (const StrategyInfo& strategy : m_strategies)
        if (strategy.nStragegyId == id)
            return &strategy;
    return nullptr;
}

const UserStrategy* CConsoleAccounts::FindAssignment(const CString& account) const
{
    for (const UserStrategy& user : m_assignments)
        if (user.userId == account)
            return &user;
    return nullptr;
}

CString CConsoleAccounts::GetUserName(const CString& account) const
{
    const UserStrategy* user = FindAssignment(account);
    return user != nullptr ? user->userName : CString();
}
