#include "ConsoleOrderBook.h"

#include <algorithm>

#include "OrderWords.h"
#include "ServerClock.h"

CConsoleOrderBook::CConsoleOrderBook(Clock clock) : m_clock(std::move(clock)), m_running(false)
{
    if (!m_clock)
        m_clock = [] { return GetServerTime().GetTime(); };
}

CConsoleOrderBook::Outcome CConsoleOrderBook::OnOrderEvent(const OrderRow& incoming,
                                                           const std::vector<UserStrategy>& assignments)
{
    Outcome outcome;
    OrderRow event = incoming;
    const auto assignment = std::find_if(assignments.begin(), assignments.end(),
                                         [&](const UserStrategy& user) { return user.userId == event.clientName; });
    if (assignment == assignments.end() || !assignment->IsActive())
        return outcome;
    TranslateOrderWords(event);

    OrderRow current;
    auto existing = std::find_if(m_rows.begin(), m_rows.end(), [&](const OrderRow& row) {
        return row.clientName == event.clientName && row.oid == event.oid && row.cid == event.cid;
    });
    if (existing != m_rows.end()) {
        CString OrderRow::*const updated[] = {&OrderRow::fnum, &OrderRow::cid, &OrderRow::mg,
                                              &OrderRow::ps,   &OrderRow::st,  &OrderRow::ty,
                                              &OrderRow::an,   &OrderRow::ot,  &OrderRow::qy,
                                              &OrderRow::op};
        for (CString OrderRow::*field : updated) {
            if (!(event.*field).IsEmpty())
                (*existing).*field = event.*field;
        }
        current = *existing;
        outcome.result = EVENT_UPDATED;
    } else {
        if (!m_running || event.cn.IsEmpty() || event.ot.IsEmpty())
            return outcome;
        m_rows.push_back(event);
        std::stable_sort(m_rows.begin(), m_rows.end(), CompareOrderTimeDesc);
        DropOldFinishedRows();
        current = event;
        outcome.result = EVENT_ADDED;
    }

    if (m_running && IsFillOrderState(event.st)) {
        const CString key = MakeFillKey(current);
        if (m_handledFills.find(key) == m_handledFills.end()) {
            m_handledFills[key] = m_clock();
            outcome.followedBefore = m_history && m_history(current);
            if (m_follow && !outcome.followedBefore)
                m_follow(current);
            outcome.followed = !outcome.followedBefore;
        }
    }
    if (IsFinalOrderState(current.st) && m_store)
        outcome.stored = m_store(current);
    return outcome;
}

void CConsoleOrderBook::DropOldFinishedRows()
{
    for (size_t i = m_rows.size(); i > 0 && m_rows.size() > kMaxRows; --i) {
        if (IsFinalOrderState(m_rows[i - 1].st))
            m_rows.erase(m_rows.begin() + (i - 1));
    }
}

void CConsoleOrderBook::ForgetOldFills()
{
    const __time64_t now = m_clock();
    for (auto it = m_handledFills.begin(); it != m_handledFills.end();) {
        if (now - it->second > kFillMemorySeconds)
            it = m_handledFills.erase(it);
        else
            ++it;
    }
}
