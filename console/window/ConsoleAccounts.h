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
    // The accounts of a client-list text ("[account#name]...") become the listed ones, in
    // reply order; an account known before keeps its strategy. Accounts the reply leaves out
    // keep their assignment (a reply that misses an account must not cost it its strategy);
    // they are followed as before but not listed. False (nothing changes) when the text holds
    // no bracketed item.
    bool TakeClientList(const CString& text);

    // Loaded tables: each assignment whose strategy exists is kept as it is, any other one
    // loses its strategy (unless the strategies could not be read: then every assignment
    // stays as stored); then the applied flags are recomputed. Every account is listed.
    void Load(const std::vector<UserStrategy>& assignments, const std::vector<StrategyInfo>& strategies,
              bool strategiesRead = true);
    // The lists an import gives back (the same accounts in the same order): as Load, but the
    // accounts listed stay those listed before.
    void TakeImported(const std::vector<UserStrategy>& assignments, const std::vector<StrategyInfo>& strategies);

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

    // Every known account, the listed ones first.
    const std::vector<UserStrategy>& Assignments() const { return m_assignments; }
    // How many of Assignments() the client list shows.
    size_t ListedCount() const { return m_listed; }
    const std::vector<StrategyInfo>& Strategies() const { return m_strategies; }

private:
    std::vector<UserStrategy> m_assignments;  // in client-list order, then the accounts not listed
    size_t m_listed = 0;
    std::vector<StrategyInfo> m_strategies;   // in table order
};
