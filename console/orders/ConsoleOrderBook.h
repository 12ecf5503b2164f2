// The console's order rows of the followed accounts and the rule that follows every fill
// once, ever: the fills of this run are remembered here, those of earlier runs (and of this
// one, past the ten hours the memory keeps them) are asked of the order table, where every
// fill is stored as it comes. The console window shows the rows; the follow dispatcher and
// the order table are reached through callbacks.
#pragma once
#include <atltime.h>
#include <functional>
#include <map>
#include <vector>
#include "OrderRow.h"
#include "UserStrategy.h"

class CConsoleOrderBook
{
public:
    // Finished rows beyond this many are dropped, oldest first.
    static constexpr size_t kMaxRows = 100;
    // A followed fill is remembered this long (seconds of server time).
    static constexpr __time64_t kFillMemorySeconds = 36000;

    typedef std::function<__time64_t()> Clock;            // server time in seconds
    typedef std::function<void(const OrderRow&)> FillSink;
    typedef std::function<bool(const OrderRow&)> FinalRowSink;
    typedef std::function<bool(const OrderRow&)> FillHistory;

    explicit CConsoleOrderBook(Clock clock = Clock());

    // Called with each fill to follow (at most once per fill key while remembered).
    void SetFollow(FillSink follow) { m_follow = std::move(follow); }
    // Called with each row that reached a final state (the console stores it).
    void SetStore(FinalRowSink store) { m_store = std::move(store); }
    // Asked before a fill not remembered here is followed: true when it was stored as filled
    // before, by this run or an earlier one (it is then not followed again).
    void SetFillHistory(FillHistory history) { m_history = std::move(history); }

    void SetRunning(bool running) { m_running = running; }
    bool IsRunning() const { return m_running; }

    enum EventResult { EVENT_IGNORED, EVENT_UPDATED, EVENT_ADDED };
    struct Outcome
    {
        EventResult result = EVENT_IGNORED;
        bool followed = false;        // handed to the follow sink
        bool followedBefore = false;  // a fill the history says was handled before
        bool stored = false;    // handed to the store sink
    };
    // One order event of a client account; assignments are the console's.
    Outcome OnOrderEvent(const OrderRow& event, const std::vector<UserStrategy>& assignments);

    // Timer: forgets followed fills older than kFillMemorySeconds.
    void ForgetOldFills();
    // "清除": the rows go, the followed fills are still remembered.
    void ClearRows() { m_rows.clear(); }

    const std::vector<OrderRow>& GetRows() const { return m_rows; }  // newest first
    size_t GetRememberedFillCount() const { return m_handledFills.size(); }

private:
    void DropOldFinishedRows();

    Clock m_clock;
    FillSink m_follow;
    FinalRowSink m_store;
    FillHistory m_history;
    bool m_running;
    std::vector<OrderRow> m_rows;
    std::map<CString, __time64_t> m_handledFills;  // fill key -> server time followed
};
