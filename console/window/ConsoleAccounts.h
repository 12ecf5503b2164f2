// The console's client accounts with the strategy each follows, and its strategies: the rules
// behind the client list and the strategy combo, kept apart from the window.
#pragma once
#include <afx.h>
#include <vector>
#include "StrategyInfo.h"
#include "UserStrategy.h"

class CConsoleAccounts
{
public:
    // Replaces the accounts by the items of a client-list text ("[account#name]..."), in
    // reply order; an account known before keeps its strategy. False (nothing changes) when
    // the text holds no bracketed item.
    bool TakeClientList(const CString& text);

    // Loaded tables: each assignment whose strategy exists is kept as it is, any other one
    // loses its strategy; then the applied flags are recomputed.
    void Load(const std::vector<UserStrategy>& assignments, const std::vector<StrategyInfo>& strategies);

    // Gives the account (compared as text) the strategy id and name; false for an unknown account.
    bool Assign(const CString& account, int strategyId, const CString& strategyName);

    // The strategies become `strategies`; accounts whose strategy no longer exists lose it,
    // the others take its current name.
    void ReplaceStrategies(const std::vector<StrategyInfo>& strategies);

    // Sets each strategy's applied flag when some assignment names it.
    void MarkAppliedStrategies();
    // Every assignment with a strategy takes that strategy's current name, or loses the
    // strategy when it is gone.
    void RefreshAssignmentNames();

    const StrategyInfo* FindStrategyById(int id) const;
    const UserStrategy* FindAssignment(const CString& account) const;
    // The account's name, "" for an account not in the list.
    CString GetUserName(const CString& account) const;

    const std::vector<UserStrategy>& Assignments() const { return m_assignments; }
    const std::vector<StrategyInfo>& Strategies() const { return m_strategies; }

private:
    std::vector<UserStrategy> m_assignments;  // in client-list order
    std::vector<StrategyInfo> m_strategies;   // in table order
};
