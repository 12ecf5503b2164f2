#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <vector>

#include "FakeFollowServices.h"
#include "OrderWorker.h"
#include "testsupport/Pump.h"

namespace {

using tolvan::test::PumpUntil;

OrderRow Fill(const char* side, const char* filled, const char* amount)
{
    OrderRow row;
    row.clientName = "1001";
    row.cn = "XAUUSD";
    row.an = side;
    row.fnum = filled;
    row.ps = amount;
    row.st = "已成交";
    return row;
}

StrategyInfo Strategy(const char* priceType, const char* multiple = "1", const char* direction = "同向",
                      int enable = 1, const char* type = "外汇现货")
{
    StrategyLeg other;
    other.strContractType = "期货";
    other.bEnable = 1;
    StrategyLeg leg;
    leg.strContractType = type;
    leg.bEnable = enable;
    leg.strMultiple = multiple;
    leg.strDirection = direction;
    leg.strPriceType = priceType;
    leg.strPoint = "2";
    leg.strSlipPoint = "0";
    StrategyInfo strategy;
    strategy.nStragegyId = 3;
    strategy.vecStrategy = {other, leg};
    return strategy;
}

// What the workers reported, from their threads.
struct ReportLog
{
    std::mutex lock;
    std::vector<FollowReport> reports;

    FollowReportSink Sink()
    {
        return [this](const FollowReport& report) {
            std::lock_guard<std::mutex> hold(lock);
            reports.push_back(report);
        };
    }
    std::vector<FollowReport> Taken()
    {
        std::lock_guard<std::mutex> hold(lock);
        std::vector<FollowReport> taken;
        taken.swap(reports);
        return taken;
    }
};

class OrderWorkerTest : public ::testing::Test {
protected:
    OrderWorkerTest() : services(std::make_shared<FakeFollowServices>()), worker(services, log.Sink())
    {
        services->lastPrices["XAUUSD"] = "10.0";
    }

    // Runs one job to its end.
    void Follow(const OrderRow& row, const StrategyInfo& strategy)
    {
        ASSERT_TRUE(worker.Start());
        ASSERT_EQ(1, worker.PostJob(row, strategy));
        ASSERT_TRUE(PumpUntil([&] { return worker.IsIdle(); }, 60000));
    }

    // The follow order was a limit buy at 10.0 ("100" over 10, tick 0.5): confirm a cancel with
    // 2 of 5 done.
    void ConfirmCancels(const char* state = "已取消")
    {
        services->onCancel = [state](FakeFollowServices& fake, const CString& key) {
            fake.states[key].strState = state;
            fake.states[key].strDoneQuantity = "2";
        };
    }

    ReportLog log;
    std::shared_ptr<FakeFollowServices> services;
    COrderWorker worker;
};

TEST(FollowOrderPriceTest, AveragePriceCutToWholeStepsThenSlipped)
{
    struct Case
    {
        const char* amount;
        int filled;
        double tick;
        int decimals;
        const char* side;
        int slip;
        const char* price;
    };
    const Case cases[] = {
        {"1035", 100, 0.2, 1, "B", 1, "10.000000"},
        {"1035", 100, 0.2, 1, "S", 1, "10.400000"},
        {"102", 10, 0.2, 1, "B", 0, "10.200000"},   // 10.2 / 0.2 is 50.999... in binary
        {"33", 10, 0.01, 2, "S", 0, "3.300000"},    // 3.3 / 0.01 is 329.999... in binary
        {"115", 100, 0.01, 2, "B", 0, "1.150000"},  // 1.15 x 100 is 114.999... in binary
        {"105", 10, 0.0, 1, "B", 0, "10.000000"},   // a zero tick counts as 1
        {"1234", 1, 0.001, 1, "B", 0, "1234.000000"},  // a tick finer than the decimals
        {"100", 0, 0.5, 1, "B", 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CString(c.price), FollowOrderPrice(c.amount, c.filled, c.tick, c.decimals, c.side, c.slip))
            << c.amount << " " << c.filled << " " << c.tick;
}

TEST_F(OrderWorkerTest, MarketLegSendsOneOrderOrNoneWhenTheJobCannotBeFollowed)
{
    struct Case
    {
        const char* what;
        OrderRow row;
        StrategyInfo strategy;
        const char* side;  // nullptr: no order
        const char* quantity;
    };
    OrderRow unknown = Fill("卖", "2", "20");
    unknown.cn = "UNKNOWN";
    const Case cases[] = {
        {"same side", Fill("卖", "2", "20"), Strategy("市价", "3"), "S", "6"},
        {"opposite side", Fill("买", "2", "20"), Strategy("市价", "1", "反向"), "S", "2"},
        {"nothing filled", Fill("买", "0", "0"), Strategy("市价", "3"), nullptr, ""},
        {"negative multiple", Fill("买", "2", "20"), Strategy("市价", "-1"), nullptr, ""},
        {"empty multiple", Fill("买", "2", "20"), Strategy("市价", ""), nullptr, ""},
        {"leg off", Fill("买", "2", "20"), Strategy("市价", "1", "同向", 0), nullptr, ""},
        {"no leg of the sector", Fill("买", "2", "20"), Strategy("市价", "1", "同向", 1, "股指"), nullptr, ""},
        {"unknown direction", Fill("买", "2", "20"), Strategy("市价", "1", "横向"), nullptr, ""},
        {"unknown price type", Fill("买", "2", "20"), Strategy("对价"), nullptr, ""},
        {"unknown side", Fill("BUY", "2", "20"), Strategy("市价"), nullptr, ""},
        {"unknown instrument", unknown, Strategy("市价"), nullptr, ""},
    };
    for (const Case& c : cases) {
        services->orders.clear();
        Follow(c.row, c.strategy);
        const auto orders = services->Orders();
        if (c.side == nullptr) {
            EXPECT_TRUE(orders.empty()) << c.what;
            continue;
        }
        ASSERT_EQ(1u, orders.size()) << c.what;
        const OrderRequest& request = orders[0].request;
        EXPECT_EQ(CString("XAUUSD"), request.code) << c.what;
        EXPECT_EQ(CString(c.side), request.side) << c.what;
        EXPECT_EQ(CString("M"), request.orderType) << c.what;
        EXPECT_EQ(CString(c.quantity), request.quantity) << c.what;
        EXPECT_EQ(CString("10.000000"), request.price) << c.what;
        EXPECT_FALSE(request.clientRef.IsEmpty()) << c.what;
        EXPECT_TRUE(request.isFollowOrder) << c.what;
    }
    EXPECT_EQ(0u, services->CancelCount());
}

TEST_F(OrderWorkerTest, LimitOrderThatThePriceRunsAwayFromIsReplacedAtMarketAfterTheCancel)
{
    // Limit 10.0 with two steps of 0.5: the trigger lies at 11.0 for a buy and 9.0 for a sell;
    // a price at the trigger is still within reach.
    struct Case
    {
        const char* fillSide;
        const char* side;
        const char* atTrigger;
        const char* pastTrigger;
    };
    for (const Case& c : {Case{"买", "B", "11.0", "11.5"}, Case{"卖", "S", "9.0", "8.5"}}) {
        std::shared_ptr<FakeFollowServices> fake = std::make_shared<FakeFollowServices>();
        services = fake;
        COrderWorker limitWorker(fake);
        fake->lastPrices["XAUUSD"] = c.atTrigger;
        const CString past = c.pastTrigger;
        fake->onWait = [past](FakeFollowServices& f) {
            if (f.Now() >= 1000)
                f.lastPrices["XAUUSD"] = past;
        };
        ConfirmCancels();
        ASSERT_TRUE(limitWorker.Start());
        ASSERT_EQ(1, limitWorker.PostJob(Fill(c.fillSide, "5", "50"), Strategy("限价")));
        ASSERT_TRUE(PumpUntil([&] { return limitWorker.IsIdle(); }, 60000));

        const auto orders = fake->Orders();
        ASSERT_EQ(2u, orders.size()) << c.side;
        EXPECT_EQ(CString("L"), orders[0].request.orderType);
        EXPECT_EQ(CString(c.side), orders[0].request.side);
        EXPECT_EQ(CString("10.000000"), orders[0].request.price);
        EXPECT_EQ(CString("5"), orders[0].request.quantity);
        ASSERT_EQ(1u, fake->CancelCount()) << c.side;
        EXPECT_GE(fake->cancelTimes[0], 1000u) << "cancelled at the trigger";
        // The rest, 5 - 2, at market under a new reference, after the cancel.
        EXPECT_EQ(CString("M"), orders[1].request.orderType);
        EXPECT_EQ(CString(c.side), orders[1].request.side);
        EXPECT_EQ(CString("3"), orders[1].request.quantity);
        EXPECT_NE(orders[0].request.clientRef, orders[1].request.clientRef);
        EXPECT_GT(orders[1].atMs, fake->cancelTimes[0]);
    }
}

TEST_F(OrderWorkerTest, ACancelAnsweredByAFillSendsNothingMore)
{
    services->lastPrices["XAUUSD"] = "12.0";
    ConfirmCancels("已成交");
    Follow(Fill("买", "5", "50"), Strategy("限价"));
    EXPECT_EQ(1u, services->Orders().size());
    EXPECT_EQ(1u, services->CancelCount());
}

TEST_F(OrderWorkerTest, AnUnconfirmedCancelIsRetriedForABoundedTimeAndNothingIsSentAtMarket)
{
    for (bool session : {true, false}) {
        std::shared_ptr<FakeFollowServices> fake = std::make_shared<FakeFollowServices>();
        COrderWorker limitWorker(fake);
        fake->lastPrices["XAUUSD"] = "12.0";
        fake->hasOrderSession = session;
        ASSERT_TRUE(limitWorker.Start());
        ASSERT_EQ(1, limitWorker.PostJob(Fill("买", "5", "50"), Strategy("限价")));
        ASSERT_TRUE(PumpUntil([&] { return limitWorker.IsIdle(); }, 60000)) << session;
        EXPECT_EQ(1u, fake->Orders().size()) << session;
        // A cancel every six polls of 200 ms for 30 s.
        if (session) {
            EXPECT_GE(fake->CancelCount(), 24u);
            EXPECT_LE(fake->CancelCount(), 27u);
        }
        EXPECT_LE(fake->Now(), 32000u) << session;
    }
}

TEST_F(OrderWorkerTest, RefusedOrdersAreSentAgainForABoundedTime)
{
    services->refuseAnswer = -4;
    services->refusalsLeft = 2;
    Follow(Fill("买", "1", "10"), Strategy("市价"));
    ASSERT_EQ(1u, services->Orders().size());
    EXPECT_EQ(3, services->sendAttempts);
    EXPECT_EQ(1000u, services->Orders()[0].atMs);  // two retries 500 ms apart

    services->refusalsLeft = -1;  // never accepted
    services->sendAttempts = 0;
    Follow(Fill("买", "1", "10"), Strategy("市价"));
    EXPECT_EQ(1u, services->Orders().size());
    EXPECT_GE(services->sendAttempts, 60);
    EXPECT_LE(services->sendAttempts, 62);
}

TEST_F(OrderWorkerTest, LimitOrderIsReplacedWhenTheSessionEndsWithinFiveMinutes)
{
    struct Case
    {
        CTime serverTime;
        bool replaced;
    };
    const Case cases[] = {
        {CTime(2026, 12, 10, 14, 57, 0), true},    // 3 min left
        {CTime(2026, 12, 10, 13, 57, 0), false},   // 1 h 3 min left: not the minutes part
        {CTime(2026, 12, 10, 14, 59, 1), true},    // 59 s left
        {CTime(2026, 12, 10, 14, 54, 50), false},  // over 5 min while the order is watched
        {CTime(2026, 12, 10, 15, 0, 0), false},    // ended
        {CTime(2026, 12, 10, 15, 2, 0), false},
    };
    for (const Case& c : cases) {
        std::shared_ptr<FakeFollowServices> fake = std::make_shared<FakeFollowServices>();
        COrderWorker limitWorker(fake);
        fake->lastPrices["XAUUSD"] = "10.0";
        fake->sessionEnd = "15:00:00";
        fake->serverStart = c.serverTime;
        fake->onCancel = [](FakeFollowServices& f, const CString& key) { f.states[key].strState = "已取消"; };
        // A watch that is not replaced ends when the order fills.
        fake->onWait = [](FakeFollowServices& f) {
            if (f.Now() >= 3000 && f.CancelCount() == 0) {
                for (auto& state : f.states)
                    state.second.strState = "已成交";
            }
        };
        ASSERT_TRUE(limitWorker.Start());
        ASSERT_EQ(1, limitWorker.PostJob(Fill("买", "5", "50"), Strategy("限价")));
        ASSERT_TRUE(PumpUntil([&] { return limitWorker.IsIdle(); }, 60000));
        const CString when = c.serverTime.Format("%H:%M:%S");
        EXPECT_EQ(c.replaced ? 1u : 0u, fake->CancelCount()) << when;
        EXPECT_EQ(c.replaced ? 2u : 1u, fake->Orders().size()) << when;
    }
}

TEST_F(OrderWorkerTest, StopEndsAWaitAtOnce)
{
    services->realWaits = true;
    services->refuseAnswer = -4;
    services->refusalsLeft = -1;
    ASSERT_TRUE(worker.Start());
    ASSERT_EQ(1, worker.PostJob(Fill("买", "1", "10"), Strategy("市价")));
    ASSERT_TRUE(PumpUntil([&] {
        std::lock_guard<std::recursive_mutex> hold(services->lock);
        return services->sendAttempts >= 2;
    }));
    EXPECT_EQ(0, worker.PostJob(Fill("买", "1", "10"), Strategy("市价")));  // busy
    EXPECT_TRUE(worker.Stop(2000));
    EXPECT_TRUE(worker.IsIdle());
    EXPECT_EQ(0, worker.PostJob(Fill("买", "1", "10"), Strategy("市价")));  // no thread
}

// Every end that leaves a handled fill unfollowed or a follow order in doubt is reported once,
// with the order as it was made; ends by the strategy's own rules and orders that end well are
// not.
TEST_F(OrderWorkerTest, FollowOrdersThatDoNotEndWellAreReported)
{
    struct Case
    {
        const char* what;
        int refuseAnswer;                                // every send answered so (0: taken)
        const char* priceType;
        const char* lastPrice;                           // a buy limit at 10.0 is cancelled past 11.0
        std::function<void(FakeFollowServices&)> onWait;
        bool reported;
        FollowReport::Outcome outcome;
        const char* orderType;                           // of the reported order
        bool keyed;                                      // the report names the order key
    };
    const auto quoteGoes = [](FakeFollowServices& f) {
        if (f.Now() >= 1000)
            f.lastPrices.clear();
    };
    const auto fills = [](FakeFollowServices& f) {
        for (auto& state : f.states)
            state.second.strState = "已成交";
    };
    const Case cases[] = {
        {"kept refusing", -4, "市价", "10.0", nullptr, true, FollowReport::REFUSED, "M", false},
        {"no answer", IFollowServices::SEND_TIMED_OUT, "限价", "10.0", nullptr, true, FollowReport::UNANSWERED, "L", false},
        {"quote gone", 0, "限价", "10.0", quoteGoes, true, FollowReport::LEFT_OPEN, "L", true},
        {"cancel unconfirmed", 0, "限价", "12.0", nullptr, true, FollowReport::CANCEL_UNCONFIRMED, "L", true},
        {"market order sent", 0, "市价", "10.0", nullptr, false, FollowReport::NOT_SENT, "", false},
        {"limit order filled", 0, "限价", "10.0", fills, false, FollowReport::NOT_SENT, "", false},
        {"leg switched off", 0, "对价", "10.0", nullptr, false, FollowReport::NOT_SENT, "", false},
    };
    for (const Case& c : cases) {
        std::shared_ptr<FakeFollowServices> fake = std::make_shared<FakeFollowServices>();
        ReportLog reports;
        COrderWorker one(fake, reports.Sink());
        fake->refuseAnswer = c.refuseAnswer;
        fake->refusalsLeft = -1;
        fake->lastPrices["XAUUSD"] = c.lastPrice;
        fake->onWait = c.onWait;
        ASSERT_TRUE(one.Start());
        ASSERT_EQ(1, one.PostJob(Fill("买", "5", "50"), Strategy(c.priceType)));
        ASSERT_TRUE(PumpUntil([&] { return one.IsIdle(); }, 60000)) << c.what;
        const std::vector<FollowReport> taken = reports.Taken();
        if (!c.reported) {
            EXPECT_TRUE(taken.empty()) << c.what;
            continue;
        }
        ASSERT_EQ(1u, taken.size()) << c.what;
        EXPECT_EQ(c.outcome, taken[0].outcome) << c.what;
        EXPECT_EQ(CString("1001"), taken[0].fill.clientName) << c.what;
        EXPECT_EQ(CString(c.orderType), taken[0].request.orderType) << c.what;
        EXPECT_EQ(CString("5"), taken[0].request.quantity) << c.what;
        EXPECT_FALSE(taken[0].request.clientRef.IsEmpty()) << c.what;
        EXPECT_EQ(c.keyed, taken[0].orderKey == "K1") << c.what;
    }
}

// A stop ends the job at once, sends nothing more, and says what it leaves behind.
TEST_F(OrderWorkerTest, AStopSaysWhatItLeavesBehind)
{
    struct Case
    {
        const char* what;
        bool refusing;
        const char* lastPrice;
        std::function<bool(FakeFollowServices&)> busy;  // the job is in the step to interrupt
        FollowReport::Outcome outcome;
        size_t orders;
    };
    const Case cases[] = {
        {"retrying a refused order", true, "10.0", [](FakeFollowServices& f) { return f.sendAttempts >= 2; },
         FollowReport::NOT_SENT, 0},
        {"watching a limit order", false, "10.0",
         [](FakeFollowServices& f) { return !f.states.empty(); }, FollowReport::LEFT_OPEN, 1},
        {"waiting for its cancel", false, "12.0", [](FakeFollowServices& f) { return f.CancelCount() >= 1; },
         FollowReport::CANCEL_UNCONFIRMED, 1},
    };
    for (const Case& c : cases) {
        std::shared_ptr<FakeFollowServices> fake = std::make_shared<FakeFollowServices>();
        ReportLog reports;
        COrderWorker one(fake, reports.Sink());
        fake->realWaits = true;
        fake->refuseAnswer = c.refusing ? -4 : 0;
        fake->refusalsLeft = -1;
        fake->lastPrices["XAUUSD"] = c.lastPrice;
        ASSERT_TRUE(one.Start());
        ASSERT_EQ(1, one.PostJob(Fill("买", "5", "50"), Strategy("限价")));
        ASSERT_TRUE(PumpUntil([&] {
            std::lock_guard<std::recursive_mutex> hold(fake->lock);
            return c.busy(*fake);
        })) << c.what;
        ASSERT_TRUE(one.Stop(2000)) << c.what;
        const int attempts = fake->sendAttempts;
        const std::vector<FollowReport> taken = reports.Taken();
        ASSERT_EQ(1u, taken.size()) << c.what;
        EXPECT_EQ(c.outcome, taken[0].outcome) << c.what;
        EXPECT_EQ(c.orders, fake->OrderCount()) << c.what;
        EXPECT_EQ(attempts, fake->sendAttempts) << c.what;
        if (c.outcome != FollowReport::NOT_SENT)
            EXPECT_EQ(CString("K1"), taken[0].orderKey) << c.what;
    }
}

}  // namespace
