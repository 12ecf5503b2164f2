#include "ServerClock.h"
#include "ServerClockTicker.h"
#include "StoppableThread.h"
#include "TimeHelperLauncher.h"

#include "testsupport/Pump.h"
#include "testsupport/RecordingWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

using tolvan::test::PumpUntil;
using tolvan::test::RecordingWindow;

namespace {

const __time64_t kLocalTime = 1765000000;   // 2025-12-06, any instant serves

// A clock whose tick counter and calendar the test moves by hand.
struct ManualClock
{
    DWORD tick = 1000;
    __time64_t time = kLocalTime;

    std::unique_ptr<CServerClock> Make()
    {
        return std::make_unique<CServerClock>([this] { return tick; }, [this] { return time; });
    }
};

TEST(ServerClock, CountsElapsedTicksFromTheBase)
{
    ManualClock manual;
    auto clock = manual.Make();
    EXPECT_EQ(kLocalTime, clock->Now());
    manual.tick += 5999;   // the calendar is not read again, only the ticks
    manual.time += 1000;
    EXPECT_EQ(kLocalTime + 5, clock->Now());
}

TEST(ServerClock, ServerOffsetShiftsTheTimeAtOnce)
{
    for (LONG offset : {-3600L, 0L, 45L, 86400L * 400})
    {
        ManualClock manual;
        auto clock = manual.Make();
        manual.tick += 2500;
        manual.time += 2;
        clock->ApplyServerOffset(offset);
        EXPECT_EQ(kLocalTime + 2 + offset, clock->Now()) << "offset " << offset;
        manual.tick += 1000;
        EXPECT_EQ(kLocalTime + 3 + offset, clock->Now()) << "offset " << offset;
    }
}

// Only an offset that leaves the clock between 2000 and 2099 is taken; it is 64-bit, so a PC
// clock that stands in 1970 still reaches the server's year.
TEST(ServerClock, OnlyOffsetsToPlausibleTimesAreTaken)
{
    const __int64 kMax = 0x7FFFFFFFFFFFFFFFLL;
    struct Case { __time64_t local; __int64 offset; bool taken; };
    const Case cases[] = {
        {kLocalTime, 946684800 - kLocalTime, true},         // 2000-01-01 00:00:00 UTC
        {kLocalTime, 946684800 - kLocalTime - 1, false},
        {kLocalTime, 4102444799 - kLocalTime, true},        // the last second of 2099
        {kLocalTime, 4102444800 - kLocalTime, false},
        {0, 3786883200LL, true},                            // a PC in 1970, the server in 2090
        {kLocalTime, -2208988800LL, false},                 // what an answer of 1 (1900) gives
        {kLocalTime, kMax, false},                          // no overflow of the sum
        {kLocalTime, -kMax - 1, false},
    };
    for (const Case& c : cases)
    {
        ManualClock manual;
        manual.time = c.local;
        auto clock = manual.Make();
        EXPECT_EQ(c.taken, clock->ApplyServerOffset(c.offset)) << c.local << " " << c.offset;
        EXPECT_EQ(c.taken ? c.local + c.offset : c.local, clock->Now()) << c.local << " " << c.offset;
    }
}

TEST(ServerClock, WrappedTickCounterAdvancesByTheRealTimeAndRebases)
{
    ManualClock manual;
    manual.tick = 0xFFFFF000u;   // 4096 ms before the counter wraps
    auto clock = manual.Make();

    manual.tick = 0x00001000u;   // 8192 ms later
    EXPECT_EQ(kLocalTime + 8, clock->Now());
    DWORD baseTick = 0;
    __time64_t baseTime = 0;
    clock->GetBase(baseTick, baseTime);
    EXPECT_EQ(0x00001000u, baseTick);
    EXPECT_EQ(kLocalTime + 8, baseTime);

    // The 192 ms beyond the whole seconds were dropped with the rebase.
    manual.tick += 999;
    EXPECT_EQ(kLocalTime + 8, clock->Now());
}

TEST(ServerClock, RebasesOnlyAfterMoreThanTheLimit)
{
    ManualClock manual;
    auto clock = manual.Make();
    const DWORD start = manual.tick;
    DWORD baseTick = 0;
    __time64_t baseTime = 0;

    manual.tick = start + CServerClock::kRebaseAfterMs;
    EXPECT_EQ(kLocalTime + 100000, clock->Now());
    clock->GetBase(baseTick, baseTime);
    EXPECT_EQ(start, baseTick);
    EXPECT_EQ(kLocalTime, baseTime);

    manual.tick = start + CServerClock::kRebaseAfterMs + 1;
    EXPECT_EQ(kLocalTime + 100000, clock->Now());
    clock->GetBase(baseTick, baseTime);
    EXPECT_EQ(start + CServerClock::kRebaseAfterMs + 1, baseTick);
    EXPECT_EQ(kLocalTime + 100000, baseTime);
}

TEST(ServerClock, ProcessClockFollowsThePcClock)
{
    GetServerClock().ResetToLocalClock();
    const __time64_t before = _time64(nullptr);
    const __time64_t now = GetServerTime().GetTime();
    const __time64_t after = _time64(nullptr);
    EXPECT_GE(now, before - 1);
    EXPECT_LE(now, after);
}

// --- status-bar clock -------------------------------------------------------------

class ClockTextWindow
{
public:
    ClockTextWindow()
    {
        window.CopyString(WM_SERVER_CLOCK_TEXT);
        // The receiver owns each text: free it the way the main window does.
        window.SetHandler(WM_SERVER_CLOCK_TEXT, [](HWND, WPARAM, LPARAM lParam) {
            CServerClockTicker::TakeText(lParam);
            return LRESULT(0);
        });
    }
    RecordingWindow window;
};

TEST(ServerClockTicker, FormatsTheLocalTimeWithTheCenturyWrittenAsTwenty)
{
    const CTime time(2026, 12, 9, 8, 5, 3);
    EXPECT_STREQ("服务器时间:  2026-12-09 08:05:03", CServerClockTicker::FormatClockText(time));
}

TEST(ServerClockTicker, PostsACopyOnlyWhenTheShownSecondChanges)
{
    ClockTextWindow target;
    __time64_t now = CTime(2026, 12, 9, 8, 5, 3).GetTime();
    CServerClockTicker ticker(target.window, WM_SERVER_CLOCK_TEXT, [&now] { return CTime(now); });

    EXPECT_TRUE(ticker.Tick());
    EXPECT_FALSE(ticker.Tick());   // same second: nothing new to show
    now += 1;
    EXPECT_TRUE(ticker.Tick());
    EXPECT_FALSE(ticker.Tick());

    ASSERT_TRUE(target.window.WaitFor(WM_SERVER_CLOCK_TEXT, 2));
    const auto texts = target.window.MessagesOf(WM_SERVER_CLOCK_TEXT);
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ(5u, texts[0].wParam);
    EXPECT_EQ("服务器时间:  2026-12-09 08:05:03", texts[0].payload);
    EXPECT_EQ("服务器时间:  2026-12-09 08:05:04", texts[1].payload);
    // Each text is a buffer of its own, never one the thread rewrites.
    EXPECT_NE(texts[0].lParam, texts[1].lParam);
}

TEST(ServerClockTicker, ThreadShowsTheServerTimeUntilStopped)
{
    ClockTextWindow target;
    CStoppableThread thread("status-bar clock");
    ASSERT_TRUE(StartServerClockThread(thread, target.window));

    ASSERT_TRUE(target.window.WaitFor(WM_SERVER_CLOCK_TEXT, 1));
    EXPECT_EQ(0u, target.window.Last(WM_SERVER_CLOCK_TEXT).payload.find("服务器时间:  20"));

    EXPECT_TRUE(thread.Stop(5000));
    EXPECT_FALSE(thread.IsAlive());
    tolvan::test::PumpPending();
}

// --- starting the companion program -----------------------------------------------

TEST(TimeHelperLauncher, TakesEveryWinExecResultAboveThirtyOneAsStarted)
{
    RecordingWindow helper;
    RecordingWindow requester;
    for (UINT code : {0u, 2u, 3u, 11u, 31u, 32u, 33u, 42u})
    {
        CTimeHelperLauncher launcher(requester);
        CString commandSeen;
        UINT showSeen = 99;
        launcher.SetProgramRunner([&](LPCSTR command, UINT show) {
            commandSeen = command;
            showSeen = show;
            return code;
        });
        launcher.SetWindowFinder([&](LPCSTR title) {
            return CString(title) == "GetHoravane" ? helper.Handle() : HWND(NULL);
        });

        const auto expected = code > 31 ? CTimeHelperLauncher::RequestPosted : CTimeHelperLauncher::NotStarted;
        EXPECT_EQ(expected, launcher.Run()) << "WinExec result " << code;
        EXPECT_STREQ("Horavane.exe", commandSeen);
        EXPECT_EQ(UINT(SW_HIDE), showSeen);
    }

    ASSERT_TRUE(helper.WaitFor(WM_SERVER_TIME, 3));
    for (const auto& request : helper.MessagesOf(WM_SERVER_TIME))
    {
        EXPECT_EQ(reinterpret_cast<WPARAM>(requester.Handle()), request.wParam);
        EXPECT_EQ(0, request.lParam);
    }
}

TEST(TimeHelperLauncher, GivesUpWhenTheWindowDoesNotAppearWithinThreeSeconds)
{
    CTimeHelperLauncher launcher(NULL);
    launcher.SetProgramRunner([](LPCSTR, UINT) { return 33u; });
    int lookups = 0;
    launcher.SetWindowFinder([&](LPCSTR) {
        ++lookups;
        return HWND(NULL);
    });
    DWORD tick = 0xFFFFF800u;   // also across a wrap of the tick counter
    launcher.SetTickSource([&] {
        const DWORD now = tick;
        tick += 1000;
        return now;
    });

    EXPECT_EQ(CTimeHelperLauncher::WindowNotFound, launcher.Run());
    // Looked at 0, 1000, 2000 and 3000 ms; the look-up after 4000 ms is not made.
    EXPECT_EQ(4, lookups);
}

TEST(TimeHelperLauncher, FindsAWindowThatAppearsLate)
{
    RecordingWindow helper;
    CTimeHelperLauncher launcher(NULL);
    launcher.SetProgramRunner([](LPCSTR, UINT) { return 33u; });
    int lookups = 0;
    launcher.SetWindowFinder([&](LPCSTR) { return ++lookups < 3 ? HWND(NULL) : helper.Handle(); });

    EXPECT_EQ(CTimeHelperLauncher::RequestPosted, launcher.Run());
    EXPECT_TRUE(helper.WaitFor(WM_SERVER_TIME));
}

TEST(TimeHelperLauncher, AMissingProgramIsNotStarted)
{
    CTimeHelperLauncher launcher(NULL);
    launcher.SetCommandLine("C:\\no-such-folder\\Horavane-missing.exe");
    int lookups = 0;
    launcher.SetWindowFinder([&](LPCSTR) {
        ++lookups;
        return HWND(NULL);
    });
    EXPECT_EQ(CTimeHelperLauncher::NotStarted, launcher.Run());
    EXPECT_EQ(0, lookups);
}

}  // namespace
