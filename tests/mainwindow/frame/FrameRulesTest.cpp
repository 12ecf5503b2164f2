// The frame's plain rules: client layout and first split, caption button places and hit
// codes, what a connection state shows, which period buttons a sector allows, and the
// ordered, bounded worker stops of the end (which must keep answering sent messages).
#include "ConnectionStates.h"
#include "ConnectionStatus.h"
#include "FrameGeometry.h"
#include "ShutdownPlan.h"
#include "ShutdownReport.h"
#include "ThreadWait.h"
#include "ToolbarButtons.h"
#include "testsupport/Pump.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace {

TEST(FrameLayoutTest, StacksToolbarQuoteAreaTradePanelAndStatusBar)
{
    struct Case
    {
        int width, height, split, state;
        int quoteHeight;
        bool panelPlaced;
        int panelY, panelHeight;
    };
    const Case cases[] = {
        {1200, 1000, 620, TRADE_PANEL_DOCKED, 595, true, 620, 355},
        // A split below the status bar: the quote area stops above it, the panel gets nothing.
        {1200, 1000, 990, TRADE_PANEL_DOCKED, 950, true, 975, 0},
        {1200, 1000, 620, TRADE_PANEL_HIDDEN, 950, false, 0, 0},
        {1200, 1000, 620, TRADE_PANEL_FLOATING, 950, false, 0, 0},
        {1200, 400, 100, TRADE_PANEL_DOCKED, 75, true, 100, 275},
    };
    for (const Case& c : cases)
    {
        const PanelLayout layout = ComputePanelLayout(c.width, c.height, c.split, c.state);
        SCOPED_TRACE(testing::Message() << "split " << c.split << " state " << c.state);
        EXPECT_EQ(20, layout.quoteArea.x);
        EXPECT_EQ(25, layout.quoteArea.y);
        EXPECT_EQ(c.width - 20, layout.quoteArea.width);
        EXPECT_EQ(c.quoteHeight, layout.quoteArea.height);
        EXPECT_EQ(c.panelPlaced, layout.tradePanelPlaced);
        if (c.panelPlaced)
        {
            EXPECT_EQ(0, layout.tradePanelArea.x);
            EXPECT_EQ(c.width, layout.tradePanelArea.width);
            EXPECT_EQ(c.panelY, layout.tradePanelArea.y);
            EXPECT_EQ(c.panelHeight, layout.tradePanelArea.height);
        }
        EXPECT_EQ(c.height - 25, layout.statusBar.y);
        EXPECT_EQ(c.width, layout.statusBar.width);
        EXPECT_EQ(c.width / 6, layout.statusPaneWidth);
    }
}

TEST(FrameLayoutTest, FirstSplitLeavesRoomForTheTradePanel)
{
    EXPECT_EQ(100, InitialSplit(479));
    EXPECT_EQ(100, InitialSplit(480));
    EXPECT_EQ(520, InitialSplit(900));
    EXPECT_EQ(620, InitialSplit(1000));
}

TEST(FrameLayoutTest, FloatingPanelSitsAboveTheMainClientBottom)
{
    const RECT client = {100, 50, 1100, 850};
    const RECT place = FloatingPanelPlace(client, 300);
    EXPECT_EQ(100, place.left);
    EXPECT_EQ(1100, place.right);
    EXPECT_EQ(850 - 100 - 300, place.top);
    EXPECT_EQ(300, place.bottom - place.top);
}

TEST(CaptionGeometryTest, ButtonsSitAtTheirPlacesForTheWindowWidth)
{
    struct Case
    {
        int id;
        int left, right;
    };
    const int W = 1000;
    const Case cases[] = {
        {CAPTION_MINIMISE, W - 74, W - 54}, {CAPTION_MAXIMISE, W - 52, W - 32}, {CAPTION_CLOSE, W - 30, W - 10},
        {CAPTION_TRADE, 50, 103},           {CAPTION_CONSOLE, 113, 166},        {CAPTION_RISK, 176, 241},
    };
    for (const Case& c : cases)
    {
        const RECT place = CaptionButtonPlace(c.id, W);
        EXPECT_EQ(c.left, place.left) << c.id;
        EXPECT_EQ(c.right, place.right) << c.id;
        EXPECT_EQ(10, place.top) << c.id;
        EXPECT_EQ(30, place.bottom) << c.id;
    }
}

TEST(CaptionGeometryTest, HitCodesOfButtonsIconAndTheRest)
{
    EXPECT_EQ(HTCLOSE, CaptionHitCode(CAPTION_CLOSE, false, HTCAPTION));
    EXPECT_EQ(HTMAXBUTTON, CaptionHitCode(CAPTION_MAXIMISE, false, HTCAPTION));
    EXPECT_EQ(HTMINBUTTON, CaptionHitCode(CAPTION_MINIMISE, false, HTCAPTION));
    // The text buttons are left to the system's answer.
    EXPECT_EQ(HTCAPTION, CaptionHitCode(CAPTION_TRADE, false, HTCAPTION));
    EXPECT_EQ(HTSYSMENU, CaptionHitCode(-1, true, HTCAPTION));
    EXPECT_EQ(HTTOP, CaptionHitCode(-1, false, HTTOP));

    RECT proposed = {0, 0, 800, 600};
    FrameMetrics metrics;
    ShrinkForFrame(proposed, metrics);
    EXPECT_EQ(8, proposed.left);
    EXPECT_EQ(38, proposed.top);
    EXPECT_EQ(792, proposed.right);
    EXPECT_EQ(592, proposed.bottom);

    EXPECT_EQ(1, MenuItemStateFor(ODS_HOTLIGHT | ODS_SELECTED));
    EXPECT_EQ(2, MenuItemStateFor(ODS_SELECTED));
    EXPECT_EQ(0, MenuItemStateFor(ODS_FOCUS));
}

TEST(ConnectionStatusTest, PaneTextsOfEveryKindAndState)
{
    struct Case
    {
        int kind, state;
        bool refused;
        int pane;
        const char* text;
    };
    const Case cases[] = {
        {3, -2, false, 1, "未开户"},
        {3, -1, false, 1, "交易服务器：正在重连"},
        {3, -1, true, 1, "交易服务器：强制退出"},
        {3, 0, false, 1, "交易服务器：正在连接"},
        {3, 1, false, 1, "交易服务器：连接成功"},
        {3, 2, false, 1, "交易服务器：强制退出"},
        {4, -1, false, 2, "查询服务器：正在重连"},
        {4, -1, true, 2, "查询服务器：强制退出"},
        {4, 1, false, 2, "查询服务器：连接成功"},
        {5, -2, false, 3, "未开户"},
        {5, -1, true, 3, "代理交易服务器：强制退出"},
        {5, 0, false, 3, "代理交易服务器：正在连接"},
        {5, 2, false, 3, "代理交易服务器：强制退出"},
    };
    for (const Case& c : cases)
    {
        const ConnectionStatusView view = DescribeConnectionState(c.kind, c.state, c.refused, 0, 0);
        SCOPED_TRACE(testing::Message() << c.kind << "/" << c.state << "/" << c.refused);
        EXPECT_TRUE(view.known);
        EXPECT_EQ(c.pane, view.pane);
        EXPECT_STREQ(c.text, view.paneText);
    }
    EXPECT_FALSE(DescribeConnectionState(6, 1, false, 0, 0).known);
    EXPECT_FALSE(DescribeConnectionState(3, 3, false, 0, 0).known);
    EXPECT_FALSE(DescribeConnectionState(3, -3, false, 0, 0).known);
}

TEST(ConnectionStatusTest, TradePanelHeaderAndListsFollowTheStates)
{
    typedef ConnectionStatusView V;
    V view = DescribeConnectionState(3, 1, false, 0, 0);
    EXPECT_EQ(V::HEADER_STATUS, view.header);
    EXPECT_STREQ("交易服务器：已连接成功!", view.headerText);
    EXPECT_EQ(RGB(232, 232, 232), view.headerColor);

    EXPECT_EQ(V::HEADER_ACCOUNT_SUMMARY, DescribeConnectionState(3, 1, false, 0, 1).header);
    EXPECT_EQ(V::HEADER_ACCOUNT_SUMMARY, DescribeConnectionState(4, 1, false, 1, 0).header);
    EXPECT_EQ(V::HEADER_UNCHANGED, DescribeConnectionState(4, 1, false, 0, 0).header);

    view = DescribeConnectionState(3, -1, true, 0, 0);
    EXPECT_STREQ("交易服务器强制退出！", view.headerText);
    EXPECT_EQ(RGB(150, 150, 150), view.headerColor);
    EXPECT_STREQ("交易服务器已断开, 正在重连中...", DescribeConnectionState(3, -1, false, 0, 0).headerText);
    EXPECT_STREQ("重复登录，您已被强制退出！", DescribeConnectionState(3, 2, false, 0, 0).headerText);
    view = DescribeConnectionState(3, -2, false, 0, 0);
    EXPECT_STREQ("", view.headerText);
    EXPECT_EQ(1, view.headerLink);

    EXPECT_TRUE(DescribeConnectionState(4, -1, false, 0, 0).clearOrdersAndPositions);
    EXPECT_TRUE(DescribeConnectionState(4, 0, false, 0, 0).clearOrdersAndPositions);
    EXPECT_FALSE(DescribeConnectionState(4, 1, false, 0, 0).clearOrdersAndPositions);
    EXPECT_FALSE(DescribeConnectionState(3, -1, false, 0, 0).clearOrdersAndPositions);
    EXPECT_EQ(V::HEADER_UNCHANGED, DescribeConnectionState(5, 1, false, 1, 1).header);
}

TEST(ToolbarTest, PeriodButtonsBySectorAndMarketKey)
{
    struct Case
    {
        const char* sector;
        bool hasRow;
        const char* key;
        bool weekMonth, minutes, hour;
    };
    const Case cases[] = {
        {"沪深", false, "", true, true, true},
        {"港股", true, "HKS_P", true, true, true},
        {"美股", true, "", false, false, false},
        // The lists' keys carry a suffix: stocks are told by the key's beginning.
        {"我的板块", true, "CSM_P", true, true, true},
        {"我的板块", true, "HKS_P", true, true, true},
        {"我的板块", true, "ASM_X", false, false, false},
        {"我的板块", true, "FEC_USDJPY", false, true, true},
        {"我的板块", false, "CSM_P", false, true, true},
        {"外汇现货", true, "CSM_P", false, true, true},
    };
    for (const Case& c : cases)
    {
        const PeriodButtonStates states = PeriodButtonsFor(c.sector, c.hasRow, c.key);
        SCOPED_TRACE(testing::Message() << c.sector << " " << c.key);
        EXPECT_EQ(c.weekMonth, states.IsEnabled(6));
        EXPECT_EQ(c.weekMonth, states.IsEnabled(7));
        for (int button = 8; button <= 11; ++button)
            EXPECT_EQ(c.minutes, states.IsEnabled(button)) << button;
        EXPECT_EQ(c.hour, states.IsEnabled(12));
    }
}

TEST(ToolbarTest, ThirteenButtonsWithoutTheThreeMinuteMessage)
{
    const UINT expected[kToolbarButtonCount] = {11059, 11062, 11063, 11064, 11065, 11066, 11067,
                                                11068, 11069, 11071, 11072, 11073, 11074};
    for (int button = 0; button < kToolbarButtonCount; ++button)
        EXPECT_EQ(expected[button], kToolbarMessages[button]) << button;
}

// A worker that ends only when told (its event), as a receiver blocked in its last cycle.
struct StuckWorker
{
    HANDLE release = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    ~StuckWorker() { ::CloseHandle(release); }
    bool Stop(DWORD waitMs) const { return ::WaitForSingleObject(release, waitMs) == WAIT_OBJECT_0; }
};

TEST(ShutdownPlanTest, StopsInOrderWithinTheirBoundsAndLeavesStuckWorkersRunning)
{
    StuckWorker stuckReceiver;
    StuckWorker stuckLoader;
    std::vector<std::string> order;
    std::vector<DWORD> bounds;
    CShutdownPlan plan;
    plan.SetBounds(300, 150);
    // Added out of their order: the stages decide.
    plan.Add(SHUTDOWN_HISTORY, "history", [&](DWORD waitMs) {
        order.push_back("history");
        bounds.push_back(waitMs);
        return true;
    });
    plan.Add(SHUTDOWN_LOADERS, "loader", [&](DWORD waitMs) {
        order.push_back("loader");
        bounds.push_back(waitMs);
        return stuckLoader.Stop(waitMs);
    });
    plan.Add(SHUTDOWN_WITH_RECEIVERS, "clock", [&](DWORD waitMs) {
        order.push_back("clock");
        bounds.push_back(waitMs);
        return true;
    });
    plan.Add(SHUTDOWN_WITH_RECEIVERS, "receivers", [&](DWORD waitMs) {
        order.push_back("receivers");
        bounds.push_back(waitMs);
        return stuckReceiver.Stop(waitMs);
    });
    plan.Add(SHUTDOWN_WITH_RECEIVERS, "depth", [&](DWORD waitMs) {
        order.push_back("depth");
        bounds.push_back(waitMs);
        return true;
    });
    plan.Add(SHUTDOWN_POLLERS, "pollers", [&](DWORD waitMs) {
        order.push_back("pollers");
        bounds.push_back(waitMs);
        return true;
    });
    const DWORD start = ::GetTickCount();
    plan.RunStops();
    const DWORD took = ::GetTickCount() - start;

    EXPECT_EQ((std::vector<std::string>{"clock", "receivers", "depth", "pollers", "loader", "history"}), order);
    // The first group shares its bound: what the stuck receivers used is gone for the rest.
    EXPECT_GE(bounds[0], 250u);
    EXPECT_LE(bounds[2], 60u);
    EXPECT_EQ(150u, bounds[3]);
    EXPECT_EQ(150u, bounds[4]);
    EXPECT_EQ(150u, bounds[5]);
    EXPECT_EQ((std::vector<std::string>{"receivers", "loader"}), plan.LeftRunning());
    EXPECT_FALSE(plan.IsBusy());
    EXPECT_LT(took, 300u + 150u + 2000u);

    // The process keeps what was reported, and the end tells it with each stop's time.
    const std::vector<std::string> reported = ThreadsLeftRunning();
    ASSERT_GE(reported.size(), 2u);
    EXPECT_EQ((std::vector<std::string>{"receivers", "loader"}), std::vector<std::string>(reported.end() - 2, reported.end()));
    const std::vector<CShutdownPlan::Outcome> outcomes = plan.Outcomes();
    ASSERT_EQ(6u, outcomes.size());
    EXPECT_GE(outcomes[1].tookMs, 250u);
    const std::string report = CShutdownReport::Text(&plan, true, {"loader"}).GetString();
    EXPECT_TRUE(std::regex_search(report, std::regex("^end-stop=clock\\|[0-9]+\\|1\n"))) << report;
    EXPECT_TRUE(std::regex_search(report, std::regex("\nend-stop=loader\\|[0-9]+\\|0\n"))) << report;
    EXPECT_NE(std::string::npos, report.find("end-stops-done=1\nleft-running=loader\nend\n")) << report;
    // Stops still running on the plan's thread are not read.
    EXPECT_EQ("end-stops-done=0\nend\n", std::string(CShutdownReport::Text(&plan, false, {}).GetString()));
}

class SentMessageCounter
{
public:
    SentMessageCounter()
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &SentMessageCounter::Procedure;
        windowClass.hInstance = ::GetModuleHandleA(NULL);
        windowClass.lpszClassName = "FrameRulesSentCounter";
        ::RegisterClassA(&windowClass);
        m_hWnd = ::CreateWindowA("FrameRulesSentCounter", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                                 ::GetModuleHandleA(NULL), NULL);
        s_count = 0;
    }
    ~SentMessageCounter() { ::DestroyWindow(m_hWnd); }
    HWND Handle() const { return m_hWnd; }
    static int Count() { return s_count; }

private:
    static LRESULT CALLBACK Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_APP)
        {
            ++s_count;
            return 1;
        }
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
    HWND m_hWnd = NULL;
    static int s_count;
};
int SentMessageCounter::s_count = 0;

TEST(ShutdownPlanTest, WorkersThatSendToTheWindowInTheirLastCycleStillEnd)
{
    SentMessageCounter window;
    CShutdownPlan plan;
    plan.Add(SHUTDOWN_WITH_RECEIVERS, "receivers", [&](DWORD) { return ::SendMessageA(window.Handle(), WM_APP, 0, 0) == 1; });
    plan.Add(SHUTDOWN_POLLERS, "pollers", [&](DWORD) { return ::SendMessageA(window.Handle(), WM_APP, 0, 0) == 1; });
    EXPECT_TRUE(plan.RunPumping(10000));
    // Whatever happened, the stops end before the plan goes.
    tolvan::test::PumpUntil([&] { return !plan.IsBusy(); });
    EXPECT_EQ(2, SentMessageCounter::Count());
    EXPECT_TRUE(plan.LeftRunning().empty());
}

TEST(ShutdownPlanTest, PumpingEndsAtItsBoundWhileAStopStillWaits)
{
    StuckWorker stuck;
    CShutdownPlan plan;
    plan.SetBounds(60000, 60000);
    plan.Add(SHUTDOWN_WITH_RECEIVERS, "receivers", [&](DWORD waitMs) { return stuck.Stop(waitMs); });
    const DWORD start = ::GetTickCount();
    EXPECT_FALSE(plan.RunPumping(200));
    EXPECT_LT(::GetTickCount() - start, 10000u);
    EXPECT_TRUE(plan.IsBusy());
    // The plan outlives its thread: once the worker ends, the plan may go.
    ::SetEvent(stuck.release);
}

}  // namespace
