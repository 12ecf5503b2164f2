#include "chart_test_host.h"
#include "WickplotTestData.h"

#include <Wickplot.h>

#include <testsupport/Pump.h>
#include <testsupport/Screenshot.h>

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <math.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using tolvan::test::PumpUntil;
using tolvan::test::Screenshot;

namespace {

const int W = 800, H = 600;
// Panel rectangles of an 800 by 600 chart with all three panels.
const RECT kPricePlot = {85, 45, 715, 340};
const RECT kMacdPlot = {85, 481, 715, 580};
const COLORREF kRise = RGB(255, 60, 57);
const COLORREF kFall = RGB(0, 255, 255);
const COLORREF kFrame = RGB(190, 20, 10);
const COLORREF kInfoBorder = RGB(240, 240, 240);
const COLORREF kMarker = RGB(252, 252, 252);
const UINT kLoaded = 0x5007;

// Day bars "2026MMDD" with the given open and close; high and low just beyond them.
HistoryPacket* Candles(const std::vector<std::pair<double, double>>& openClose, const char* code = "600000")
{
    std::vector<std::string> times;
    std::vector<TestBar> bars;
    for (size_t i = 0; i < openClose.size(); ++i) {
        char time[16];
        snprintf(time, sizeof time, "2026%02d%02d", (int)(i / 28 % 12) + 1, (int)(i % 28) + 1);
        times.push_back(time);
    }
    for (size_t i = 0; i < openClose.size(); ++i) {
        double open = openClose[i].first, close = openClose[i].second;
        bars.push_back(TestBar{times[i].c_str(), open, fmax(open, close) + 0.1, fmin(open, close) - 0.1,
                               close, (long long)(1000 + 100 * (i % 7))});
    }
    return MakePacket(bars, "0", "CSM", code);
}

// Closes that fall ever faster: DIFF keeps sinking below its mean DEA, so no MACD value
// is above 0 (bar 0's values are exactly 0).
HistoryPacket* Falling(int n)
{
    std::vector<std::pair<double, double>> bars;
    for (int i = 0; i < n; ++i)
        bars.push_back({20.0 - i * i * 0.001, 20.0 - i * i * 0.001 - 0.005});
    return Candles(bars);
}

size_t ThreadsOfThisProcess()
{
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    size_t count = 0;
    for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == ::GetCurrentProcessId();
    ::CloseHandle(snapshot);
    return count;
}

MSG KeyDown(WPARAM key)
{
    MSG msg = {};
    msg.message = WM_KEYDOWN;
    msg.wParam = key;
    return msg;
}

bool Same(const Screenshot& a, const Screenshot& b)
{
    return a.Pixels() == b.Pixels();
}

struct Chart {
    std::unique_ptr<ChartHost> host;
    HWND hWnd = NULL;
    HandedWindow wnd;

    explicit Chart(int left = 0)
    {
        host = std::make_unique<ChartHost>(CRect(left, 0, left + W, H));
        hWnd = (HWND)(INT_PTR)dll_ShowWickplotDlg(host.get());
        wnd = HandedWindow(hWnd);
        dll_WickplotSetParentWnd(wnd, host.get());
        dll_WickplotRegistMsgID(wnd, 7, kLoaded);
        int decimals = 2;
        dll_WickplotSetPrecision(wnd, &decimals);
    }

    // Hands over the packet and waits until the chart has loaded and drawn it.
    void Load(HistoryPacket* packet)
    {
        size_t loaded = host->Count(kLoaded);
        dll_WickplotAddPacket(wnd, packet);
        ASSERT_TRUE(PumpUntil([&] { return host->Count(kLoaded) > loaded; }));
    }

    Screenshot Shot() const { return CaptureChild(hWnd); }

    void Key(WPARAM key)
    {
        MSG msg = KeyDown(key);
        dll_WickplotSetKeyDownValue(wnd, &msg);
    }
};

class WickplotWindow : public ::testing::Test
{
protected:
    void SetUp() override { chart = std::make_unique<Chart>(); }
    void TearDown() override { chart.reset(); }

    void Click(int x, int y)
    {
        SendMouse(chart->hWnd, WM_MOUSEMOVE, x, y);
        SendMouse(chart->hWnd, WM_LBUTTONDOWN, x, y);
        SendMouse(chart->hWnd, WM_LBUTTONUP, x, y);
    }

    std::unique_ptr<Chart> chart;
};

}  // namespace

TEST_F(WickplotWindow, IsBuiltFromTheLibrarysOwnTemplateAndExportsIgnoreDeadWindows)
{
    EXPECT_EQ(::GetParent(chart->hWnd), chart->host->GetSafeHwnd());
    EXPECT_TRUE(::GetWindowLong(chart->hWnd, GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(::GetWindow(chart->hWnd, GW_CHILD), (HWND)NULL)
        << "the program's template 9000 (with a text control) was used";
    CRect rect;
    ::GetClientRect(chart->hWnd, &rect);
    EXPECT_EQ(rect.Width(), W);
    EXPECT_EQ(rect.Height(), H);

    HWND hDead = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ::DestroyWindow(hDead);
    CWnd dead;
    dead.m_hWnd = hDead;
    int decimals = 3;
    ChartTitleInfo title;
    MSG key = KeyDown(VK_UP);
    HistoryPacket* kept = Candles({{10, 11}});
    for (CWnd* target : {(CWnd*)nullptr, &dead}) {
        EXPECT_EQ(dll_ShowWickplotDlg(target), 0);
        dll_WickplotSetParentWnd(target, chart->host.get());
        dll_WickplotRegistMsgID(target, 0, 0x5000);
        dll_WickplotAddPacket(target, kept);             // stays the caller's
        dll_WickplotAddData(target, MakeBar({"20260101", 1, 1, 1, 1, 1}));  // freed by the export
        dll_WickplotSetTitleInfo(target, &title);
        dll_WickplotUpdateDraw(target);
        dll_WickplotSetPrecision(target, &decimals);
        dll_WickplotOperate(target, 1, 1);
        dll_WickplotSetKeyDownValue(target, &key);
    }
    EXPECT_EQ(kept->nCount, 1);
    DeleteHistoryPacket(kept);
    dll_WickplotAddData(chart->wnd, nullptr);
    dll_WickplotAddPacket(chart->wnd, nullptr);
    dll_WickplotSetTitleInfo(chart->wnd, nullptr);
    dll_WickplotSetPrecision(chart->wnd, nullptr);
    dll_WickplotSetKeyDownValue(chart->wnd, nullptr);
    dead.m_hWnd = NULL;
    EXPECT_TRUE(::IsWindow(chart->hWnd));
}

TEST_F(WickplotWindow, RisingCandlesAreRedFallingCyanAndMacdSplitsAtItsZeroLine)
{
    // Up, down, up, down ... then a long rise and a long fall, so MACD takes both signs.
    std::vector<std::pair<double, double>> bars = {{10, 10.5}, {10.5, 10.2}, {10.2, 10.6}, {10.6, 10.1}};
    for (int i = 0; i < 12; ++i)
        bars.push_back({10.1 + i * 0.1, 10.15 + i * 0.1});
    for (int i = 0; i < 12; ++i)
        bars.push_back({11.3 - i * 0.12, 11.2 - i * 0.12});
    chart->Load(Candles(bars));
    Screenshot shot = chart->Shot();
    SaveArtefact(shot, "wickplot_candles.png");

    // Fewer than 31 bars are drawn 22 pixels apart; each body is 20 wide.
    for (int i = 0; i < 4; ++i) {
        RECT column = {85 + 22 * i, kPricePlot.top, 85 + 22 * i + 20, kPricePlot.bottom};
        bool up = i % 2 == 0;
        EXPECT_GT(shot.CountColor(up ? kRise : kFall, &column), 20u) << "bar " << i;
        EXPECT_EQ(shot.CountColor(up ? kFall : kRise, &column), 0u) << "bar " << i;
    }
    // Rising bodies are hollow, falling ones filled (left of the wick at the centre).
    RECT insideUp = {85 + 3, kPricePlot.top, 85 + 8, kPricePlot.bottom};
    RECT insideDown = {85 + 22 + 3, kPricePlot.top, 85 + 22 + 8, kPricePlot.bottom};
    EXPECT_LE(shot.CountColor(kRise, &insideUp), 10u);
    EXPECT_GT(shot.CountColor(kFall, &insideDown), 50u);

    int lowestRed = -1, highestCyan = H;
    size_t red = 0, cyan = 0;
    for (int y = kMacdPlot.top; y < kMacdPlot.bottom; ++y)
        for (int x = kMacdPlot.left; x < kMacdPlot.right; ++x) {
            COLORREF c = shot.PixelAt(x, y);
            if (c == kRise) {
                ++red;
                lowestRed = y > lowestRed ? y : lowestRed;
            } else if (c == kFall) {
                ++cyan;
                highestCyan = y < highestCyan ? y : highestCyan;
            }
        }
    EXPECT_GT(red, 10u);
    EXPECT_GT(cyan, 10u);
    EXPECT_LE(lowestRed, highestCyan) << "positive MACD bars above the zero line, negative below";
}

TEST_F(WickplotWindow, MacdWithoutPositiveValuesIsStillDrawn)
{
    chart->Load(Falling(40));
    Screenshot shot = chart->Shot();
    EXPECT_GT(shot.CountColor(kFall, &kMacdPlot), 20u);
    EXPECT_LT(shot.CountColor(kRise, &kMacdPlot), 10u) << "only dots of MACD 0 on the zero line";
}

TEST_F(WickplotWindow, ChartWithPanelsAndCrossHair)
{
    chart->Load(MakeWavePacket(260, "0"));
    ChartTitleInfo title;
    title.strLatest = "10.50";
    title.strOpen = "10.20";
    title.strHigh = "10.80";
    title.strLow = "9.90";
    title.strPreClose = "10.30";
    dll_WickplotSetTitleInfo(chart->wnd, &title);
    SendMouse(chart->hWnd, WM_LBUTTONDBLCLK, 400, 150);
    SendMouse(chart->hWnd, WM_MOUSEMOVE, 400, 150);
    Screenshot shot = chart->Shot();
    SaveArtefact(shot, "wickplot_chart.png");
    RECT infoBorder = {0, 100, 1, 300};
    EXPECT_GT(shot.CountColor(kInfoBorder, &infoBorder), 150u);
    RECT valueBox = {0, 140, 80, 160};
    EXPECT_GT(shot.CountColor(RGB(0, 97, 255), &valueBox), 200u);
    RECT timeBox = {330, H - 19, 470, H - 1};
    EXPECT_GT(shot.CountColor(RGB(0, 97, 255), &timeBox), 200u);

    chart->Key(VK_ESCAPE);
    shot = chart->Shot();
    EXPECT_EQ(shot.CountColor(kInfoBorder, &infoBorder), 0u);
}

// A bar appended under a resting pointer: the chart sets the pointer where it is, so the
// cross-hair follows the pointer onto the new bar instead of staying on the old bar index.
TEST_F(WickplotWindow, TheCrossHairFollowsTheRestingPointerOntoAnAppendedBar)
{
    const COLORREF crossLine = RGB(128, 128, 128);
    std::vector<std::pair<double, double>> bars;
    for (int i = 0; i < 20; ++i)
        bars.push_back({10.0 + (i % 3) * 0.1, 10.1 + (i % 4) * 0.1});
    chart->Load(Candles(bars));
    // Fewer than 31 bars stand 22 pixels apart; the cross-hair runs down a bar's middle.
    auto middleOf = [](int bar) { return kPricePlot.left + 22 * bar + 10; };
    auto crossAt = [&](int bar) {
        const RECT column = {middleOf(bar), kPricePlot.top, middleOf(bar) + 1, kPricePlot.bottom};
        return chart->Shot().CountColor(crossLine, &column) > 100;
    };
    // The pointer rests where a 21st bar will stand: the cross-hair is on the newest bar, 19.
    POINT pointer = {middleOf(20), 150};
    ::ClientToScreen(chart->hWnd, &pointer);
    ::SetCursorPos(pointer.x, pointer.y);
    SendMouse(chart->hWnd, WM_LBUTTONDBLCLK, middleOf(20), 150);
    SendMouse(chart->hWnd, WM_MOUSEMOVE, middleOf(20), 150);
    ASSERT_TRUE(PumpUntil([&] { return crossAt(19); })) << "no cross-hair on the newest bar";

    dll_WickplotAddData(chart->wnd, MakeBar({"20260301", 10.2, 10.6, 10.1, 10.5, 900}));
    EXPECT_TRUE(PumpUntil([&] { return crossAt(20); }, 10000)) << "the cross-hair stayed on bar 19";
    SaveArtefact(chart->Shot(), "wickplot_cross_after_append.png");
}

TEST_F(WickplotWindow, HotZonesNotifyTheParentAndOnlyIndexesZeroToSevenAreKept)
{
    // Without a parent the zones tell the chart itself, which ignores them.
    std::unique_ptr<ChartHost> lone = std::make_unique<ChartHost>(CRect(0, 0, W, H));
    HWND hLone = (HWND)(INT_PTR)dll_ShowWickplotDlg(lone.get());
    for (int x : {W - 85, W - 60, W - 40, W - 10, W - 250, W - 150})
        SendMouse(hLone, WM_LBUTTONDOWN, x, 8);
    EXPECT_TRUE(::IsWindow(hLone));
    EXPECT_EQ(lone->Count(0), 0u);
    lone.reset();

    chart->Load(Candles({{10, 11}, {11, 10.5}}));
    RECT axis = {0, 40, 80, 340};
    Screenshot before = Screenshot::CaptureClientRect(chart->hWnd, axis);
    dll_WickplotSetParentWnd(chart->wnd, nullptr);   // keeps the first parent
    for (int index = 0; index < 6; ++index)
        dll_WickplotRegistMsgID(chart->wnd, index, 0x5000 + index);
    dll_WickplotRegistMsgID(chart->wnd, 8, 0x7777);    // outside the table: ignored
    dll_WickplotRegistMsgID(chart->wnd, -1, 0x7777);
    dll_WickplotUpdateDraw(chart->wnd);
    chart->Shot();
    EXPECT_TRUE(Same(before, Screenshot::CaptureClientRect(chart->hWnd, axis)))
        << "a registration outside the table changed the chart";
    struct Zone {
        int x;
        UINT message;
    } zones[] = {{W - 85, 0x5000}, {W - 60, 0x5001}, {W - 40, 0x5002},
                 {W - 10, 0x5003}, {W - 250, 0x5004}, {W - 150, 0x5005}};
    for (const Zone& zone : zones) {
        chart->host->Clear();
        Click(zone.x, 8);
        EXPECT_EQ(chart->host->Count(zone.message), 1u) << zone.x;
        EXPECT_EQ(chart->host->Count(0x7777), 0u);
    }
    chart->host->Clear();
    Click(W - 40, 16);   // below the band
    Click(W - 95, 8);    // between zones
    EXPECT_EQ(chart->host->Count(0x5002), 0u);
    EXPECT_EQ(chart->host->Count(0x5000), 0u);
}

TEST_F(WickplotWindow, PagingPastTheOldestBarAsksForOlderHistoryWithoutRedrawing)
{
    dll_WickplotRegistMsgID(chart->wnd, 6, 0x5006);
    chart->Load(MakeWavePacket(120, "0"));   // fewer than 200: bar 0 is shown
    SendMouse(chart->hWnd, WM_MOUSEMOVE, W - 85, 8);   // the button lights up
    Screenshot before = chart->Shot();
    chart->host->Clear();
    Click(W - 85, 8);
    ASSERT_TRUE(PumpUntil([&] { return chart->host->Count(0x5006) == 1; }));
    EXPECT_TRUE(Same(before, chart->Shot()));

    chart->Load(MakeWavePacket(500, "0"));   // the newest 200 shown: paging moves them
    before = chart->Shot();
    chart->host->Clear();
    Click(W - 85, 8);
    EXPECT_FALSE(Same(before, chart->Shot()));
    tolvan::test::PumpPending();
    EXPECT_EQ(chart->host->Count(0x5006), 0u);
}

TEST_F(WickplotWindow, KeysZoomAndTheTimeAxisDragMoveTheView)
{
    chart->Load(MakeWavePacket(25, "0"));
    Screenshot few = chart->Shot();
    for (WPARAM key : {VK_UP, VK_DOWN})
        chart->Key(key);
    dll_WickplotOperate(chart->wnd, 1, 1);
    EXPECT_TRUE(Same(few, chart->Shot())) << "25 bars are all shown: nothing moves";

    chart->Load(MakeWavePacket(400, "0"));
    Screenshot shot = chart->Shot();
    struct Step {
        const char* name;
        std::function<void()> act;
        bool changes;
    } steps[] = {
        {"key up", [&] { chart->Key(VK_UP); }, true},
        {"key down", [&] { chart->Key(VK_DOWN); }, true},
        {"zoom in", [&] { dll_WickplotOperate(chart->wnd, 1, 1); }, true},
        {"zoom out", [&] { dll_WickplotOperate(chart->wnd, 1, 2); }, true},
        {"other operation", [&] { dll_WickplotOperate(chart->wnd, 2, 1); }, false},
        {"key up released", [&] {
             MSG up = KeyDown(VK_UP);
             up.message = WM_KEYUP;
             dll_WickplotSetKeyDownValue(chart->wnd, &up);
         }, false},
        {"drag along the time axis", [&] {
             SendMouse(chart->hWnd, WM_LBUTTONDOWN, 300, H - 10);
             SendMouse(chart->hWnd, WM_MOUSEMOVE, 500, H - 10);
             SendMouse(chart->hWnd, WM_LBUTTONUP, 500, H - 10);
         }, true},
        {"zoom into a selected interval", [&] {
             SendMouse(chart->hWnd, WM_LBUTTONDOWN, 300, 150);
             SendMouse(chart->hWnd, WM_MOUSEMOVE, 600, 150);
             ::SendMessage(chart->hWnd, WM_COMMAND, 32771, 0);   // "区间放大" of the popup menu
             SendMouse(chart->hWnd, WM_MOUSEMOVE, 300, 150);     // back: no menu at the release
             SendMouse(chart->hWnd, WM_LBUTTONUP, 300, 150);
         }, true},
        {"drag shorter than a bar", [&] {
             SendMouse(chart->hWnd, WM_LBUTTONDOWN, 300, H - 10);
             SendMouse(chart->hWnd, WM_LBUTTONUP, 301, H - 10);
         }, false},
    };
    // The price plot alone: the legends follow the pointer whatever the view.
    auto plots = [&] {
        chart->Shot();
        return Screenshot::CaptureClientRect(chart->hWnd, kPricePlot);
    };
    shot = plots();
    for (const Step& step : steps) {
        step.act();
        Screenshot next = plots();
        EXPECT_EQ(!Same(shot, next), step.changes) << step.name;
        shot = next;
    }
}

TEST_F(WickplotWindow, KeysActOnTheChartTheyAreSentTo)
{
    Chart second(W);   // made later: the most recent chart of the library
    ::SetCursorPos(W * 2 - 5, H + 50);   // the pointer rests outside both charts
    chart->Load(MakeWavePacket(400, "0"));
    second.Load(MakeWavePacket(400, "0"));
    Screenshot first = chart->Shot(), other = second.Shot();
    chart->Key(VK_UP);
    EXPECT_FALSE(Same(first, chart->Shot()));
    EXPECT_TRUE(Same(other, second.Shot()));
}

TEST_F(WickplotWindow, DoubleClicksToggleTheLowerPanels)
{
    chart->Load(MakeWavePacket(100, "0"));
    const int V = 456;
    EXPECT_EQ(chart->Shot().PixelAt(40, V), kFrame);
    SendMouse(chart->hWnd, WM_LBUTTONDBLCLK, 300, 420);   // volume area: volume only
    EXPECT_NE(chart->Shot().PixelAt(40, V), kFrame);
    SendMouse(chart->hWnd, WM_LBUTTONDBLCLK, 300, 500);   // anywhere below: all panels again
    EXPECT_EQ(chart->Shot().PixelAt(40, V), kFrame);
}

TEST_F(WickplotWindow, ClickOnAnAverageLineMarksIt)
{
    chart->Load(MakeWavePacket(100, "0"));
    Screenshot shot = chart->Shot();
    EXPECT_EQ(shot.CountColor(kMarker, &kPricePlot) > 0, true);   // the MA5 line itself
    size_t before = shot.CountColor(kMarker, &kPricePlot);
    POINT hit = {-1, -1};
    for (int x = 150; x < 600 && hit.x < 0; ++x)
        for (int y = kPricePlot.top; y < kPricePlot.bottom; ++y)
            if (shot.PixelAt(x, y) == RGB(255, 0, 255)) {   // the 20-bar average
                hit = {x, y};
                break;
            }
    ASSERT_GE(hit.x, 0);
    SendMouse(chart->hWnd, WM_MOUSEMOVE, hit.x, hit.y);
    SendMouse(chart->hWnd, WM_LBUTTONDOWN, hit.x, hit.y);
    SendMouse(chart->hWnd, WM_LBUTTONUP, hit.x, hit.y);   // a click, not an interval
    EXPECT_GT(chart->Shot().CountColor(kMarker, &kPricePlot), before + 5 * 64);
}

TEST_F(WickplotWindow, TinyWindowsAndFlatRangesDrawWithoutFault)
{
    std::vector<std::string> times;
    for (int i = 0; i < 40; ++i)
        times.push_back("202601" + std::to_string(10 + i));
    std::vector<TestBar> flat;
    for (const std::string& time : times)
        flat.push_back(TestBar{time.c_str(), 10, 10, 10, 10, 500});
    chart->Load(MakePacket(flat, "0"));
    chart->Key(VK_LEFT);   // the pointer goes to the plot's middle
    POINT cursor;
    ::GetCursorPos(&cursor);
    ::ScreenToClient(chart->hWnd, &cursor);
    EXPECT_EQ(cursor.y, kPricePlot.top + (kPricePlot.bottom - kPricePlot.top) / 2);

    for (SIZE size : {SIZE{300, 100}, SIZE{120, 40}, SIZE{90, 21}}) {
        ::SetWindowPos(chart->hWnd, NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
        chart->Key(VK_DOWN);
        chart->Shot();
        EXPECT_TRUE(::IsWindow(chart->hWnd));
    }
}

TEST_F(WickplotWindow, BrokenChainIsShownAsFarAsItGoesAndTheChartGoesOn)
{
    HistoryPacket* broken = MakeWavePacket(60, "0");
    WickplotBar* bar = broken->pFirst;
    for (int i = 0; i < 40; ++i)
        bar = bar->pNext;
    bar->nIndex = 7;   // out of place: the chain ends here for the chart
    chart->Load(broken);
    Screenshot shot = chart->Shot();
    RECT lastBars = {kPricePlot.right - 30, kPricePlot.top, kPricePlot.right, kPricePlot.bottom};
    EXPECT_GT(shot.CountColor(kRise, &lastBars), 0u);

    // A live bar still merges after it (the busy state was left), and the next packet loads.
    WickplotBar* live = MakeBar({"20991231 00:00:00", 9, 30, 9, 30, 100});
    live->bPlaceByTime = 1;
    dll_WickplotAddData(chart->wnd, live);
    EXPECT_TRUE(PumpUntil([&] { return !Same(shot, chart->Shot()); }, 10000));
    chart->Load(MakeWavePacket(30, "0"));
}

TEST_F(WickplotWindow, ClosingTheChartEndsItsWorkersFirst)
{
    size_t idle = ThreadsOfThisProcess();
    chart->Load(MakeWavePacket(100, "0"));
    WickplotBar* live = MakeBar({"20991231 00:00:00", 9, 30, 9, 30, 100});
    dll_WickplotAddData(chart->wnd, live);
    EXPECT_EQ(ThreadsOfThisProcess(), idle + 2);   // the packet and real-time workers
    dll_WickplotAddPacket(chart->wnd, MakeWavePacket(200000, "0"));   // still loading at the close
    ::DestroyWindow(chart->hWnd);
    EXPECT_EQ(ThreadsOfThisProcess(), idle) << "a worker outlived its window";
}
