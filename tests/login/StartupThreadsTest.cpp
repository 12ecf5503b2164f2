// The instrument-list thread of the main window's start: the messages it sends and their
// order, and that it starts from the window's message loop and stops once the window is gone.
#include "MarketDataMessages.h"
#include "SymbolListThread.h"
#include "testsupport/Pump.h"
#include "testsupport/RecordingWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

using tolvan::test::PumpUntil;
using tolvan::test::RecordedMessage;
using tolvan::test::RecordingWindow;

namespace {

struct FakeLists
{
    std::atomic<int> ready[4];
    int lists[4] = {};  // stand-ins whose addresses the messages carry

    FakeLists(int initial)
    {
        for (std::atomic<int>& flag : ready)
            flag = initial;
    }

    SymbolListSources Sources()
    {
        SymbolListSources sources;
        sources.fetchNotice = [](NoticeRecord& notice) { notice.strTitle = "开市公告"; };
        for (int i = 0; i < 4; ++i)
        {
            std::atomic<int>* flag = &ready[i];
            sources.ready[i] = [flag] { return flag->load(); };
            sources.lists[i] = &lists[i];
        }
        return sources;
    }
};

std::vector<RecordedMessage> Reports(const RecordingWindow& window)
{
    std::vector<RecordedMessage> reports;
    for (const RecordedMessage& message : window.Messages())
        if (message.message == WM_MARKETLIST_READY || message.message == WM_MARKETINFO_READY
            || message.message == WM_SHOW_NOTICES)
            reports.push_back(message);
    return reports;
}

TEST(SymbolListThreadTest, StartsFromTheLoopAndReportsTheListsInOrderThenShowsTheWindow)
{
    RecordingWindow window;
    FakeLists lists(1);
    GetStartupNotice() = NoticeRecord();
    StartSymbolListThread(window, lists.Sources());
    ASSERT_TRUE(window.WaitFor(WM_SHOW_NOTICES));
    const std::vector<RecordedMessage> reports = Reports(window);
    ASSERT_EQ(5u, reports.size());
    const UINT messages[5] = {WM_MARKETLIST_READY, WM_MARKETINFO_READY, WM_MARKETLIST_READY, WM_MARKETINFO_READY, WM_SHOW_NOTICES};
    const WPARAM wParams[5] = {1, 1, 0, 0, 0};
    for (int i = 0; i < 5; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(messages[i], reports[i].message);
        EXPECT_EQ(wParams[i], reports[i].wParam);
        EXPECT_EQ(i < 4 ? reinterpret_cast<LPARAM>(&lists.lists[i]) : 0, reports[i].lParam);
    }
    EXPECT_EQ("开市公告", GetStartupNotice().strTitle) << "the notice is fetched before the window shows";
}

TEST(SymbolListThreadTest, NothingMoreIsSentOnceTheWindowIsGone)
{
    auto window = std::make_unique<RecordingWindow>();
    FakeLists lists(0);
    lists.ready[0] = 1;
    DWORD now = 0;
    StartupClock clock{[&] { return now; }, [&](DWORD ms) { now += ms; }, [&] { return window->Count(WM_MARKETLIST_READY) > 0; }};
    NoticeRecord notice;
    RunSymbolListWait(*window, lists.Sources(), notice, clock);
    EXPECT_EQ(1u, Reports(*window).size());
    EXPECT_EQ(0u, now) << "no wait for a window that is gone";
}

}  // namespace
