#include "testsupport/Pump.h"
#include "testsupport/RecordingWindow.h"
#include "testsupport/TestApp.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace tolvan::test;

TEST(Pump, PumpUntilGivesUpAtTheDeadline)
{
    int checks = 0;
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(PumpUntil([&] { ++checks; return false; }, 60));
    EXPECT_GE(GetTickCount64() - start, 60u);
    // Checked repeatedly while waiting, and once more at the deadline.
    EXPECT_GE(checks, 2);
}

TEST(Pump, PumpUntilDispatchesPostedAndSentMessagesUntilTheConditionHolds)
{
    RecordingWindow window;
    bool posted = false;
    window.SetHandler(WM_APP + 1, [&](HWND, WPARAM, LPARAM) { posted = true; return 0; });
    window.SetResult(WM_APP + 2, 42);

    std::atomic<LRESULT> sendResult{0};
    std::thread worker([&] {
        // Answered only while the window's thread pumps: SendMessage across threads
        // blocks until then.
        sendResult = SendMessageA(window, WM_APP + 2, 0, 0);
        PostMessageA(window, WM_APP + 1, 0, 0);
    });
    EXPECT_TRUE(PumpUntil([&] { return posted; }));
    worker.join();
    EXPECT_EQ(sendResult.load(), 42);
}

TEST(Pump, PumpPendingDispatchesTheQueueAndKeepsWmQuit)
{
    RecordingWindow window;
    for (int i = 0; i < 3; ++i)
        PostMessageA(window, WM_APP, static_cast<WPARAM>(i), 0);
    PostQuitMessage(7);
    PumpPending();
    EXPECT_EQ(window.Count(WM_APP), 3u);
    EXPECT_EQ(window.MessagesOf(WM_APP)[2].wParam, 2u);

    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

namespace {

// Counts the idle rounds the pumps give the application, on top of the application's own
// idle work (the temporary objects' clean-up).
class IdleCountingApp : public TestApp
{
public:
    BOOL OnIdle(LONG lCount) override
    {
        rounds.push_back(lCount);
        return TestApp::OnIdle(lCount);
    }
    std::vector<LONG> rounds;
};

}  // namespace

TEST(Pump, BothPumpsRunTheProgramsIdleWorkOnceTheQueueIsEmpty)
{
    IdleCountingApp app;
    RecordingWindow window;
    PostMessageA(window, WM_APP, 0, 0);
    PumpPending();
    // Round 0 asks for another round; round 1 deletes the temporary objects and ends the idle
    // time.
    EXPECT_EQ(app.rounds, (std::vector<LONG>{0, 1}));
    app.rounds.clear();
    bool posted = false;
    window.SetHandler(WM_APP + 1, [&](HWND, WPARAM, LPARAM) { posted = true; return 0; });
    PostMessageA(window, WM_APP + 1, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return posted && !app.rounds.empty(); }));
    EXPECT_EQ(app.rounds.front(), 0);
}
