#include <gtest/gtest.h>

#include "ConsoleOrderBook.h"
#include "OrderWords.h"

namespace {

OrderRow Event(const char* account, const char* oid, const char* cid, const char* state,
               const char* time = "2026-12-10 10:00:00")
{
    OrderRow row;
    row.clientName = account;
    row.oid = oid;
    row.cid = cid;
    row.st = state;
    row.ot = time;
    row.cn = "XAUUSD";
    row.an = "BUY";
    row.ty = "LMT";
    row.fnum = "1";
    return row;
}

UserStrategy Assignment(const char* account, const char* strategyId)
{
    UserStrategy user;
    user.userId = account;
    user.strategyId = strategyId;
    user.strategyName = "s";
    return user;
}

class ConsoleOrderBookTest : public ::testing::Test {
protected:
    ConsoleOrderBookTest() : book([this] { return now; })
    {
        book.SetFollow([this](const OrderRow& row) { followed.push_back(row); });
        book.SetStore([this](const OrderRow& row) {
            stored.push_back(row);
            return true;
        });
        book.SetRunning(true);
    }

    CConsoleOrderBook::Outcome Deliver(const OrderRow& event) { return book.OnOrderEvent(event, assignments); }

    __time64_t now = 1000000;
    CConsoleOrderBook book;
    std::vector<UserStrategy> assignments = {Assignment("A", "3"), Assignment("B", "-1")};
    std::vector<OrderRow> followed;
    std::vector<OrderRow> stored;
};

TEST(OrderWordsTest, WordsBecomeTheConsoleTexts)
{
    struct Case
    {
        const char *st, *ty, *an, *shownSt, *shownTy, *shownAn;
        bool final;
    };
    const Case cases[] = {
        {"Received", "MKT", "BUY", "已接收", "市价", "买", false},
        {"PreSubmitted", "LMT", "SELL", "已提交", "限价", "卖", false},
        {"PendingSubmit", "STP", "HOLD", "已提交", "条件止损价", "HOLD", false},
        {"PendingCancel", "", "", "已提交", "", "", false},  // may still fill
        {"Filled", "", "", "已成交", "", "", true},
        {"Inactive", "", "", "已作废", "", "", true},
        {"Cancelled", "", "", "已取消", "", "", true},
        {"Unknown", "", "", "Unknown", "", "", false},
    };
    for (const Case& c : cases) {
        OrderRow row;
        row.st = c.st;
        row.ty = c.ty;
        row.an = c.an;
        TranslateOrderWords(row);
        EXPECT_EQ(CString(c.shownSt), row.st) << c.st;
        EXPECT_EQ(CString(c.shownTy), row.ty) << c.ty;
        EXPECT_EQ(CString(c.shownAn), row.an) << c.an;
        EXPECT_EQ(c.final, IsFinalOrderState(row.st)) << c.st;
    }
    OrderRow forced = Event("A", "1", "-5", "已成交");
    EXPECT_EQ(CString("强平"), ShownOrderState(forced));
    forced.cid = "5";
    EXPECT_EQ(CString("已成交"), ShownOrderState(forced));
    forced.cid = "84675911190";  // a client reference of the program's own, past 2^31
    EXPECT_EQ(CString("已成交"), ShownOrderState(forced));
}

TEST_F(ConsoleOrderBookTest, AFillIsFollowedOnceWhileRemembered)
{
    Deliver(Event("A", "10", "7", "Submitted"));
    EXPECT_TRUE(Deliver(Event("A", "10", "7", "Filled")).followed);
    EXPECT_FALSE(Deliver(Event("A", "10", "7", "Filled")).followed);
    ASSERT_EQ(1u, followed.size());
    EXPECT_EQ(CString("已成交"), followed[0].st);
    EXPECT_EQ(CString("买"), followed[0].an);
    EXPECT_EQ(2u, stored.size());  // each event that leaves the row final is stored

    // Fields joined without a separator would make these two one key.
    EXPECT_TRUE(Deliver(Event("A", "1", "07", "Filled")).followed);
    EXPECT_TRUE(Deliver(Event("A", "10", "-7", "Filled")).followed);

    // "清除" keeps the memory; ten hours later the timer forgets, and without the order
    // table the fill would be followed again.
    book.ClearRows();
    EXPECT_FALSE(Deliver(Event("A", "10", "7", "Filled")).followed);
    now += CConsoleOrderBook::kFillMemorySeconds;
    book.ForgetOldFills();
    EXPECT_FALSE(Deliver(Event("A", "10", "7", "Filled")).followed);
    now += 1;
    book.ForgetOldFills();
    EXPECT_TRUE(Deliver(Event("A", "10", "7", "Filled")).followed);
}

TEST_F(ConsoleOrderBookTest, AFillStoredAsFilledIsNeverFollowedAgain)
{
    // The order table: what was stored, as filled or otherwise.
    const CConsoleOrderBook::FillHistory table = [this](const OrderRow& row) {
        for (const OrderRow& kept : stored) {
            if (kept.clientName == row.clientName && kept.oid == row.oid && kept.cid == row.cid)
                return IsFillOrderState(kept.st);
        }
        return false;
    };
    book.SetFillHistory(table);
    EXPECT_TRUE(Deliver(Event("A", "10", "7", "Filled")).followed);
    ASSERT_EQ(1u, stored.size());

    // Past the memory's ten hours...
    now += CConsoleOrderBook::kFillMemorySeconds + 1;
    book.ForgetOldFills();
    CConsoleOrderBook::Outcome replay = Deliver(Event("A", "10", "7", "Filled"));
    EXPECT_FALSE(replay.followed);
    EXPECT_TRUE(replay.followedBefore);

    // ...and in a console started again on the same table.
    CConsoleOrderBook restarted([this] { return now; });
    restarted.SetFollow([this](const OrderRow& row) { followed.push_back(row); });
    restarted.SetFillHistory(table);
    restarted.SetRunning(true);
    EXPECT_FALSE(restarted.OnOrderEvent(Event("A", "10", "7", "Filled"), assignments).followed);
    EXPECT_EQ(1u, followed.size());

    // A cancelled order stored before is no fill: its key may still be filled later.
    stored.push_back(Event("A", "11", "8", "已取消"));
    EXPECT_TRUE(Deliver(Event("A", "11", "8", "Filled")).followed);
}

TEST_F(ConsoleOrderBookTest, EventsThatAreNotFollowed)
{
    // Accounts without an active strategy, or not assigned at all, are ignored entirely.
    EXPECT_EQ(CConsoleOrderBook::EVENT_IGNORED, Deliver(Event("B", "1", "1", "Filled")).result);
    EXPECT_EQ(CConsoleOrderBook::EVENT_IGNORED, Deliver(Event("C", "1", "1", "Filled")).result);
    // A pending cancel is neither followed nor stored as final.
    const CConsoleOrderBook::Outcome pending = Deliver(Event("A", "2", "2", "PendingCancel"));
    EXPECT_EQ(CConsoleOrderBook::EVENT_ADDED, pending.result);
    EXPECT_FALSE(pending.stored);
    // An update without a state keeps the row's state and follows nothing.
    OrderRow update = Event("A", "2", "2", "");
    update.fnum = "3";
    EXPECT_EQ(CConsoleOrderBook::EVENT_UPDATED, Deliver(update).result);
    EXPECT_EQ(CString("已提交"), book.GetRows()[0].st);
    EXPECT_EQ(CString("3"), book.GetRows()[0].fnum);
    // New orders while stopped are dropped, but a row added while running still follows its
    // fill after a stop and a restart.
    book.SetRunning(false);
    EXPECT_EQ(CConsoleOrderBook::EVENT_IGNORED, Deliver(Event("A", "3", "3", "Submitted")).result);
    EXPECT_FALSE(Deliver(Event("A", "2", "2", "Filled")).followed);
    book.SetRunning(true);
    EXPECT_TRUE(followed.empty());
    OrderRow noCode = Event("A", "4", "4", "Submitted");
    noCode.cn.Empty();
    EXPECT_EQ(CConsoleOrderBook::EVENT_IGNORED, Deliver(noCode).result);
}

TEST_F(ConsoleOrderBookTest, RowsAreNewestFirstAndOnlyFinishedOnesAreDropped)
{
    Deliver(Event("A", "1", "1", "Submitted", "2026-12-10 09:30:01"));
    Deliver(Event("A", "2", "2", "Submitted", "2026-12-10 10:00:00"));
    Deliver(Event("A", "3", "3", "Submitted", "2026-12-09 23:59:59"));
    ASSERT_EQ(3u, book.GetRows().size());
    EXPECT_EQ(CString("2"), book.GetRows()[0].oid);
    EXPECT_EQ(CString("1"), book.GetRows()[1].oid);
    EXPECT_EQ(CString("3"), book.GetRows()[2].oid);

    for (int i = 0; i < 96; ++i) {
        CString oid;
        oid.Format("open%d", i);
        Deliver(Event("A", oid, "9", "Submitted", "2026-12-10 11:00:00"));
    }
    Deliver(Event("A", "3", "3", "Cancelled"));
    Deliver(Event("A", "1", "1", "Filled"));
    Deliver(Event("A", "late", "9", "Submitted", "2026-12-10 12:00:00"));
    EXPECT_EQ(100u, book.GetRows().size());

    // Past 100 rows the oldest finished row goes, one at a time...
    Deliver(Event("A", "new", "9", "Submitted", "2026-12-10 13:00:00"));
    ASSERT_EQ(100u, book.GetRows().size());
    EXPECT_EQ(CString("1"), book.GetRows().back().oid);
    Deliver(Event("A", "new2", "9", "Submitted", "2026-12-10 13:00:01"));
    ASSERT_EQ(100u, book.GetRows().size());
    EXPECT_EQ(CString("2"), book.GetRows().back().oid);
    // ...and open rows are never dropped.
    Deliver(Event("A", "new3", "9", "Submitted", "2026-12-10 13:00:02"));
    EXPECT_EQ(101u, book.GetRows().size());
}

}  // namespace
