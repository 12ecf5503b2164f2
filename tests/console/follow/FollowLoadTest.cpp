// Five minutes of fills at 1,000 a minute, driven by the injected clocks: every fill is
// followed exactly once, no worker is left running and the memory stays flat.
#include <winsock2.h>
#include <windows.h>

#include <testsupport/ProcessFigures.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "ConsoleOrderBook.h"
#include "FakeFollowServices.h"
#include "FollowDispatcher.h"
#include "testsupport/Pump.h"

namespace {

size_t ThreadsOfThisProcess()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    size_t count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
    CloseHandle(snapshot);
    return count;
}

TEST(FollowLoadTest, FiveMinutesOfFillsAreEachFollowedOnce)
{
    const size_t threadsBefore = ThreadsOfThisProcess();
    const int kFillsPerMinute = 1000;
    const int kMinutes = 5;

    std::shared_ptr<FakeFollowServices> services = std::make_shared<FakeFollowServices>();
    services->lastPrices["XAUUSD"] = "10.0";
    StrategyLeg leg;
    leg.strContractType = services->sector;
    leg.bEnable = 1;
    StrategyInfo strategy;
    strategy.nStragegyId = 1;
    strategy.vecStrategy = {leg};
    const std::vector<StrategyInfo> strategies = {strategy};
    UserStrategy account;
    account.userId = "1001";
    account.strategyId = "1";
    const std::vector<UserStrategy> assignments = {account};

    __time64_t now = CTime(2026, 12, 10, 10, 0, 0).GetTime();
    CConsoleOrderBook book([&] { return now; });
    std::unique_ptr<CFollowDispatcher> dispatcher(new CFollowDispatcher(services));
    book.SetFollow([&](const OrderRow& row) { dispatcher->Dispatch(row, assignments, strategies); });
    book.SetRunning(true);

    auto allDone = [&](size_t expected) {
        return tolvan::test::PumpUntil([&] {
            return services->OrderCount() >= expected && dispatcher->GetIdleCount() == dispatcher->GetWorkerCount();
        }, 60000);
    };

    size_t afterFirstMinute = 0;
    int fill = 0;
    for (int minute = 0; minute < kMinutes; ++minute) {
        for (int i = 0; i < kFillsPerMinute; ++i, ++fill) {
            OrderRow event;
            event.clientName = "1001";
            event.oid.Format("%d", fill);
            event.cid.Format("%d", 900000 + fill);
            event.cn = "XAUUSD";
            event.an = "SELL";
            event.fnum = "1";
            event.ps = "10";
            event.ot = CTime(now).Format("%Y-%m-%d %H:%M:%S");
            event.st = "Submitted";
            book.OnOrderEvent(event, assignments);
            event.st = "Filled";
            event.fnum.Format("%d", 1 + fill % 7);  // the quantity tells the fills apart below
            event.ps.Format("%d", 10 * (1 + fill % 7));
            book.OnOrderEvent(event, assignments);
            book.OnOrderEvent(event, assignments);  // the same fill reported twice
            if (i % 16 == 15) {  // one second of fills
                ++now;
                ASSERT_TRUE(allDone(fill + 1)) << "fill " << fill;
            }
        }
        now = CTime(2026, 12, 10, 10, minute + 1, 0).GetTime();
        ASSERT_TRUE(allDone(fill));
        book.ForgetOldFills();
        if (minute == 0)
            afterFirstMinute = tolvan::test::PrivateBytes();
    }

    const auto orders = services->Orders();
    ASSERT_EQ(size_t(kFillsPerMinute * kMinutes), orders.size());
    std::map<CString, int> byQuantity;
    for (const auto& order : orders) {
        EXPECT_EQ(CString("S"), order.request.side);
        ++byQuantity[order.request.quantity];
    }
    for (int q = 1; q <= 7; ++q) {
        CString quantity;
        quantity.Format("%d", q);
        const int expected = kFillsPerMinute * kMinutes / 7 + (q <= (kFillsPerMinute * kMinutes) % 7 ? 1 : 0);
        EXPECT_EQ(expected, byQuantity[quantity]) << quantity;
    }
    EXPECT_EQ(size_t(kFillsPerMinute * kMinutes), book.GetRememberedFillCount());
    EXPECT_LE(book.GetRows().size(), CConsoleOrderBook::kMaxRows);
    EXPECT_LE(dispatcher->GetWorkerCount(), 16u);

    const size_t afterLastMinute = tolvan::test::PrivateBytes();
    EXPECT_LT(afterLastMinute, afterFirstMinute + 4 * 1024 * 1024)
        << afterFirstMinute << " -> " << afterLastMinute;

    EXPECT_EQ(0, dispatcher->StopAll());
    dispatcher.reset();
    EXPECT_TRUE(tolvan::test::PumpUntil([&] { return ThreadsOfThisProcess() <= threadsBefore; }, 30000))
        << ThreadsOfThisProcess() << " threads, " << threadsBefore << " before";
}

}  // namespace
