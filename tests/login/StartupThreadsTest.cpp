// The instrument-list thread of the main window's start: the messages it sends and their
// order, and that a stop ends its waits at once with nothing more sent.
#include "InstrumentListStartup.h"
#include "MarketDataMessages.h"
#include "testsupport/Pump.h"
#include "testsupport/RecordingWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

using tolvan::test::RecordedMessage;
using tolvan::test::RecordingWindow;

namespace {

class FakeLists : public IInstrumentListSource
{
public:
    explicit FakeLists(int initial)
    {
        for (std::atomic<int>& flag : ready)
            flag = initial;
    }

    int IsCsmListReady() const override { return ready[0]; }
    int IsCsmInfoReady() const override { return ready[1]; }
    int IsHksListReady() const override { return ready[2]; }
    int IsHksInfoReady() const override { return ready[3]; }
    const std::vector<MarketListItem>& GetCsmItems() const override { return csmItems; }
    const std::vector<QuoteRow>& GetCsmRows() const override { return csmRows; }
    const std::vector<MarketListItem>& GetHksItems() const override { return hksItems; }
    const std::vector<QuoteRow>& GetHksRows() const override { return hksRows; }

    std::atomic<int> ready[4];
    std::vector<MarketListItem> csmItems, hksItems;
    std::vector<QuoteRow> csmRows, hksRows;
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

bool FetchOpeningNotice(NoticeRecord& notice)
{
    notice.strTitle = "开市公告";
    return true;
}

TEST(InstrumentListStartupTest, ReportsTheListsInOrderThenShowsTheWindow)
{
    RecordingWindow window;
    FakeLists lists(1);
    CInstrumentListStartup startup(lists, FetchOpeningNotice);
    ASSERT_TRUE(startup.Start(window));
    ASSERT_TRUE(window.WaitFor(WM_SHOW_NOTICES));
    const std::vector<RecordedMessage> reports = Reports(window);
    ASSERT_EQ(5u, reports.size());
    const UINT messages[5] = {WM_MARKETLIST_READY, WM_MARKETINFO_READY, WM_MARKETLIST_READY, WM_MARKETINFO_READY, WM_SHOW_NOTICES};
    const WPARAM wParams[5] = {1, 1, 0, 0, 0};
    const void* carried[5] = {&lists.csmItems, &lists.csmRows, &lists.hksItems, &lists.hksRows, nullptr};
    for (int i = 0; i < 5; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(messages[i], reports[i].message);
        EXPECT_EQ(wParams[i], reports[i].wParam);
        EXPECT_EQ(reinterpret_cast<LPARAM>(carried[i]), reports[i].lParam);
    }
    EXPECT_EQ("开市公告", startup.GetNotice().strTitle) << "the notice is fetched before the window shows";
}

TEST(InstrumentListStartupTest, AStopEndsTheWaitWithNothingMoreSent)
{
    RecordingWindow window;
    FakeLists lists(0);
    lists.ready[0] = 1;
    CInstrumentListStartup startup(lists, FetchOpeningNotice);
    ASSERT_TRUE(startup.Start(window));
    ASSERT_TRUE(window.WaitFor(WM_MARKETLIST_READY));
    const DWORD before = ::GetTickCount();
    startup.Stop();
    EXPECT_FALSE(startup.IsRunning());
    EXPECT_LT(::GetTickCount() - before, 10000u) << "the 20 s list budget is not waited out";
    EXPECT_EQ(1u, Reports(window).size());
}

}  // namespace
