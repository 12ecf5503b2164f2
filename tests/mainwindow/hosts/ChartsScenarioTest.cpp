// Tolvan.exe against the simulator through its real windows: a quote row clicked on the board,
// then the toolbar's view and period buttons switch between the quote list, the candlesticks
// of every period (price, volume and MACD panels) and the intraday trend, each with the depth
// ladder and trade list beside it; another row switches the chart and the depth panel; a new
// price merges into the open chart. Screenshots of every view are kept in
// <build>\test-artifacts; the colours that carry meaning are checked on them.
#include "RemoteWindows.h"
#include "TerminalUnderTest.h"
#include "testsupport/Pump.h"
#include "testsupport/RealInput.h"
#include "testsupport/Screenshot.h"
#include "testsupport/SimulatorSuite.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

using login_test::CTerminal;
using login_test::RootFolder;
using login_test::ShownQuoteList;
using tolvan::test::ClickAt;
using tolvan::test::PumpUntil;
using tolvan::test::Screenshot;
using tolvan::test::ScreenPointOf;
using tolvan::test::SimulatorSuite;

namespace {

const DWORD kDeadlineMs = 60000;
const int kSectorTabs = 1000;
const int kDepthWidth = 250;
const int kListButton = 0;
const int kTrendButton = 4;
const int kMinuteButton = 8;

// Colours of the chart and the ladder.
const COLORREF kRise = RGB(255, 60, 57);
const COLORREF kFall = RGB(0, 255, 255);
const COLORREF kFrame = RGB(190, 20, 10);
const COLORREF kVolumeYellow = RGB(255, 255, 0);
const COLORREF kLevelLabel = RGB(240, 240, 240);

std::string ClassOf(HWND window)
{
    char name[32] = {0};
    ::GetClassNameA(window, name, sizeof(name));
    return name;
}

// The trade panel's positions list: a visible report list outside the quote pages that holds
// the account's one position.
bool IsPositionList(HWND window, HWND)
{
    HWND page = ::GetParent(window);
    return ClassOf(window) == "SysListView32" && ::IsWindowVisible(window) && page != NULL
           && ::GetDlgCtrlID(::GetParent(page)) != kSectorTabs
           && ::SendMessageA(window, LVM_GETITEMCOUNT, 0, 0) == 1;
}

// A chart host: a visible dialog child of the main window.
bool IsShownDialogChild(HWND window, HWND main)
{
    return ::GetParent(window) == main && ClassOf(window) == "#32770" && ::IsWindowVisible(window);
}

struct HighestSearch
{
    bool (*accepts)(HWND window, HWND main);
    HWND main;
    HWND found;
    int top;
};

BOOL CALLBACK KeepHighest(HWND window, LPARAM argument)
{
    HighestSearch* search = reinterpret_cast<HighestSearch*>(argument);
    if (!search->accepts(window, search->main))
        return TRUE;
    RECT place = {};
    ::GetWindowRect(window, &place);
    if (search->found == NULL || place.top < search->top) {
        search->found = window;
        search->top = place.top;
    }
    return TRUE;
}

// The accepted descendant of the main window highest up on the screen: the chart host on
// show lies above the trade panel (the other dialog child), the positions list above the
// orders list.
HWND HighestChild(HWND main, bool (*accepts)(HWND, HWND))
{
    HighestSearch search{accepts, main, NULL, 0};
    ::EnumChildWindows(main, KeepHighest, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<uint32_t> RegionPixels(const Screenshot& shot, const RECT& rect)
{
    std::vector<uint32_t> pixels;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            pixels.push_back(shot.PixelAt(x, y));
    return pixels;
}

// Which pixels of the rectangle are drawn on (not the black background).
std::vector<bool> RegionInk(const Screenshot& shot, const RECT& rect)
{
    std::vector<bool> ink;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            ink.push_back(shot.PixelAt(x, y) != RGB(0, 0, 0));
    return ink;
}

// The rows at which the chart's dark red frame lines cross a column left of the plots
// (below the title bar, between the panels and above the time axis).
std::vector<int> FrameRows(const Screenshot& shot, int x)
{
    std::vector<int> rows;
    for (int y = 1; y < shot.Height() - 1; ++y)
        if (shot.PixelAt(x, y) == kFrame && shot.PixelAt(x + 20, y) == kFrame)
            rows.push_back(y);
    return rows;
}

// The chart's value box (its left strip while the crosshair is shown) writes the volume of
// the bar under the pointer in yellow, one row below its "成交量" label, in the box font.
const POINT kVolumeValueAt = {8, 241};
const int kValueBoxRight = 78;
const int kVolumeRowHeight = 18;

// The value box's font: ten points at the screen's resolution.
HFONT BoxFont(HDC screen)
{
    const int height = -::MulDiv(10, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    return ::CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "宋体");
}

// Which pixels `text` inks, drawn the way the chart draws the value box's figures (its font,
// yellow on black), over a strip `width` wide.
std::vector<bool> TextInk(const std::string& text, int width)
{
    HDC screen = ::GetDC(NULL);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, kVolumeRowHeight);
    HFONT font = BoxFont(screen);
    ::ReleaseDC(NULL, screen);
    HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    RECT all = {0, 0, width, kVolumeRowHeight};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kVolumeYellow);
    ::TextOutA(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
    std::vector<bool> ink;
    for (int y = 0; y < kVolumeRowHeight; ++y)
        for (int x = 0; x < width; ++x)
            ink.push_back((::GetPixel(dc, x, y) & 0xFFFFFF) != 0);
    ::SelectObject(dc, oldFont);
    ::SelectObject(dc, oldBitmap);
    ::DeleteObject(font);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return ink;
}

// The figure of the value box's volume row, read digit by digit (the font's digits are all
// as wide as "0"): each cell matches one digit drawn alike; -1 when the row holds no figure
// or a cell matches none.
long long ReadVolumeRow(const Screenshot& shot)
{
    int digitWidth = 0;
    {
        HDC screen = ::GetDC(NULL);
        HFONT font = BoxFont(screen);
        HGDIOBJ old = ::SelectObject(screen, font);
        SIZE size = {};
        ::GetTextExtentPoint32A(screen, "0", 1, &size);
        ::SelectObject(screen, old);
        ::DeleteObject(font);
        ::ReleaseDC(NULL, screen);
        digitWidth = size.cx;
    }
    if (digitWidth <= 0)
        return -1;
    std::vector<std::vector<bool>> digits;
    for (char digit = '0'; digit <= '9'; ++digit)
        digits.push_back(TextInk(std::string(1, digit), digitWidth));
    const std::vector<bool> blank(digitWidth * kVolumeRowHeight, false);
    long long value = 0;
    int count = 0;
    for (int left = kVolumeValueAt.x; left + digitWidth <= kValueBoxRight; left += digitWidth) {
        const RECT cell = {left, kVolumeValueAt.y, left + digitWidth, kVolumeValueAt.y + kVolumeRowHeight};
        const std::vector<bool> ink = RegionInk(shot, cell);
        if (ink == blank)
            break;
        const auto match = std::find(digits.begin(), digits.end(), ink);
        if (match == digits.end())
            return -1;
        value = value * 10 + (match - digits.begin());
        ++count;
    }
    return count > 0 ? value : -1;
}

// The rightmost column of the price panel that holds a candle.
int LastCandleColumn(const Screenshot& shot, const RECT& price)
{
    for (int x = price.right - 1; x >= price.left; --x)
        for (int y = price.top; y < price.bottom; ++y)
            if (shot.PixelAt(x, y) == kRise || shot.PixelAt(x, y) == kFall)
                return x;
    return -1;
}

// The price plot of a chart window of this size with all three panels shown.
RECT PricePlot(int width, int height)
{
    return RECT{85, 45, width - 85, 45 + height * 3 / 5 - 65};
}

// The directions of the `shown` bars drawn across the price plot, oldest first: 'r' rising
// (red), 'c' falling (cyan), '.' neither (a flat bar's one-pixel grey dash, which an average
// line may cover, or no bar). Each is read in the column of its wick, the middle of its body:
// bars stand `plot width / shown` pixels apart and the body takes 20 of every 22.
std::string CandleDirections(const Screenshot& shot, int shown)
{
    const RECT plot = PricePlot(shot.Width(), shot.Height());
    const double pitch = double(plot.right - plot.left) / shown;
    std::string directions;
    for (int bar = 0; bar < shown; ++bar) {
        const int x = plot.left + static_cast<int>(bar * pitch + 10 * pitch / 22);
        const RECT column = {x, plot.top, x + 1, plot.bottom};
        directions += shot.CountColor(kRise, &column) > 0 ? 'r' : shot.CountColor(kFall, &column) > 0 ? 'c' : '.';
    }
    return directions;
}

// How many of the newest bars a zoom step leaves on show, the view ending at the newest bar:
// a tenth ((shown + 1) / 10) more or fewer, never fewer than 30 nor more than are loaded.
int ShownAfterZoomIn(int shown)
{
    const int left = shown - (shown + 1) / 10;
    return left < 31 ? 30 : left;
}

int ShownAfterZoomOut(int shown)
{
    return shown + (shown + 1) / 10;
}

class ChartsScenarioTest : public SimulatorSuite
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ResetSimulator("login"));
        // The program dates its history requests by its own clock: the simulator's bars must
        // reach that day.
        ASSERT_EQ("OK", s_sim->Control("clock real").substr(0, 2));
        ASSERT_TRUE(login_test::WriteInstallation(*s_sim));
        ::CreateDirectoryA(RootFolder() + "test-artifacts", NULL);
    }

    void TearDown() override
    {
        EXPECT_TRUE(m_terminal.Stop()) << "Tolvan did not end when asked to close";
        SimulatorSuite::TearDown();
    }

    // Logs in and waits for the board with its quote list; the notice is closed.
    HWND LogInToBoard()
    {
        if (!m_terminal.Start())
            return NULL;
        HWND main = m_terminal.LogIn("80001", "a123456", kDeadlineMs,
                                     [](HWND main) { return ::IsZoomed(main) && ShownQuoteList(main) != NULL; });
        if (main == NULL)
            return NULL;
        HWND notice = NULL;
        if (PumpUntil([&] { return (notice = m_terminal.Find("公告")) != NULL; }, kDeadlineMs))
            ::PostMessageA(notice, WM_CLOSE, 0, 0);
        PumpUntil([&] { return m_terminal.Find("公告") == NULL; }, kDeadlineMs);
        return main;
    }

    // Shows the page of the sector (its tab chosen by a click) and selects the instrument's
    // row on it.
    void SelectInstrument(HWND main, const char* sector, const char* code)
    {
        HWND tabs = ::GetDlgItem(main, kSectorTabs);
        ASSERT_NE(HWND(NULL), tabs);
        const int tabCount = static_cast<int>(::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
        int tab = 0;
        while (tab < tabCount && remote::TabText(tabs, tab) != sector)
            ++tab;
        ASSERT_LT(tab, tabCount) << "no tab " << sector;
        remote::PostClick(tabs, remote::Centre(remote::TabRect(tabs, tab)));
        HWND list = NULL;
        int row = -1;
        ASSERT_TRUE(PumpUntil([&] {
            list = ShownQuoteList(main);
            if (::SendMessageA(tabs, TCM_GETCURSEL, 0, 0) != tab || list == NULL)
                return false;
            for (int column = 0; column < remote::ColumnCount(list) && row < 0; ++column)
                row = remote::FindRow(list, column, code);
            return row >= 0;
        }, kDeadlineMs)) << "the page of " << sector << " does not list " << code;
        ASSERT_TRUE(ClickRow(list, row)) << code << " was not selected";
    }

    static HWND ShownHost(HWND main)
    {
        return HighestChild(main, IsShownDialogChild);
    }

    static bool ClickRow(HWND list, int row)
    {
        return login_test::ClickListRow(list, row, kDeadlineMs);
    }

    static void PressToolbarButton(HWND main, int index)
    {
        ASSERT_TRUE(login_test::PressToolbarButton(main, index)) << "no toolbar";
    }

    // The last code the chart asked the simulator's K-line service for (each logged request
    // lists its form before its path).
    std::string LastChartCode()
    {
        const std::string log = s_sim->Control("http requests 200");
        const size_t request = log.rfind("stockKline");
        if (request == std::string::npos)
            return std::string();
        const char field[] = "\"code\": \"";
        const size_t at = log.rfind(field, request);
        if (at == std::string::npos)
            return std::string();
        const size_t begin = at + sizeof(field) - 1;
        return log.substr(begin, log.find('"', begin) - begin);
    }

    // Waits for the host of a chart view and for its chart to be drawn (differing from
    // `before`, the picture of the view shown before); false at the deadline.
    bool WaitForChart(HWND main, const Screenshot& before, Screenshot& shot)
    {
        return PumpUntil([&] {
            HWND host = ShownHost(main);
            if (host == NULL)
                return false;
            shot = Screenshot::CaptureClient(host);
            if (shot.IsEmpty() || shot.Pixels() == before.Pixels())
                return false;
            // Drawn: the panels' frame lines stand and candles are in them.
            RECT chart = {81, 21, shot.Width() - kDepthWidth - 1, shot.Height() - 21};
            return FrameRows(shot, 40).size() >= 4
                   && shot.CountColor(kRise, &chart) + shot.CountColor(kFall, &chart) > 50;
        }, kDeadlineMs);
    }

    // The HTTP paths the program asked, other than the quote polls, for a failure message.
    std::string AskedPaths()
    {
        const std::string log = s_sim->Control("http requests 300");
        std::string paths;
        for (size_t at = log.find("\"path\": \""); at != std::string::npos; at = log.find("\"path\": \"", at + 1)) {
            const size_t begin = at + 9;
            const std::string path = log.substr(begin, log.find('"', begin) - begin);
            if (path.find("Timely") == std::string::npos && paths.find(path) == std::string::npos)
                paths += path + " ";
        }
        const size_t kline = log.rfind("stockKline");
        const std::string klineForm = kline == std::string::npos ? "" : log.substr(log.rfind("{\"body", kline), 300);
        return paths + "; refusals: " + s_sim->Control("refusals 5") + "; " + klineForm;
    }

    // The start dates of the day-bar requests the simulator logged, oldest first (each logged
    // request lists its body and form before its path).
    std::vector<std::string> DayBarStarts()
    {
        const std::string log = s_sim->Control("http requests 300");
        std::vector<std::string> starts;
        const char field[] = "\"startDate\": \"";
        for (size_t at = log.find("stockKline/day"); at != std::string::npos;
             at = log.find("stockKline/day", at + 1)) {
            const size_t entry = log.rfind("{\"body\"", at);
            const size_t start = entry == std::string::npos ? std::string::npos : log.find(field, entry);
            if (start == std::string::npos || start > at)
                continue;
            const size_t begin = start + sizeof(field) - 1;
            starts.push_back(log.substr(begin, log.find('"', begin) - begin));
        }
        return starts;
    }

    // The chart window inside the shown host.
    static HWND ShownChart(HWND main)
    {
        HWND host = ShownHost(main);
        return host != NULL ? ::ChildWindowFromPoint(host, POINT{5, 5}) : NULL;
    }

    // Chooses the board's second row and shows its day candles; the chart window once drawn.
    void OpenDayChartOfSecondRow(HWND main, HWND* chart)
    {
        HWND list = ShownQuoteList(main);
        ASSERT_NE(HWND(NULL), list);
        ASSERT_TRUE(ClickRow(list, 1));
        Screenshot day;
        PressToolbarButton(main, 5);
        ASSERT_TRUE(WaitForChart(main, Screenshot(), day)) << "no day candles: " << AskedPaths();
        *chart = ShownChart(main);
        ASSERT_NE(HWND(NULL), *chart);
    }

    static void Keep(const Screenshot& shot, const char* name)
    {
        EXPECT_FALSE(shot.IsEmpty()) << name;
        shot.SavePng(std::string(RootFolder()) + "test-artifacts\\" + name);
    }

    static RECT DepthArea(const Screenshot& shot)
    {
        return RECT{shot.Width() - kDepthWidth, 0, shot.Width(), shot.Height()};
    }

    // The depth panel: its frame, level labels and yellow volumes.
    static void ExpectDepthLadder(const Screenshot& shot, const char* view)
    {
        const RECT depth = DepthArea(shot);
        EXPECT_GT(shot.CountColor(kFrame, &depth), 200u) << view << ": ladder frame";
        EXPECT_GT(shot.CountColor(kLevelLabel, &depth), 20u) << view << ": level labels";
        EXPECT_GT(shot.CountColor(kVolumeYellow, &depth), 10u) << view << ": volumes";
    }

    CTerminal m_terminal;
};

TEST_F(ChartsScenarioTest, ToolbarSwitchesViewsAndPeriodsAndTheChartsFollowRowsAndTicks)
{
    HWND main = LogInToBoard();
    ASSERT_NE(HWND(NULL), main) << "no board after login";
    HWND list = ShownQuoteList(main);
    ASSERT_NE(HWND(NULL), list);
    ASSERT_TRUE(ClickRow(list, 1)) << "the second row was not selected";
    Keep(Screenshot::CaptureClient(main), "charts-list.png");

    // Day candles: price, volume and MACD panels, up bars red, down bars cyan; the MACD bars
    // stand above their zero line when positive and below it when negative.
    Screenshot day;
    PressToolbarButton(main, 5);
    const bool drawn = WaitForChart(main, Screenshot(), day);
    Keep(day, "charts-day.png");
    Keep(Screenshot::CaptureClient(main), "charts-day-main.png");
    ASSERT_TRUE(drawn) << "no day candles; the sector tabs are "
                       << (::IsWindowVisible(::GetDlgItem(main, kSectorTabs)) ? "shown" : "hidden")
                       << "; paths asked: " << AskedPaths();
    EXPECT_FALSE(::IsWindowVisible(list)) << "the quote list stays under the chart";
    const std::vector<int> frames = FrameRows(day, 40);
    ASSERT_GE(frames.size(), 4u) << "title, price, volume and MACD panels";
    const int chartRight = day.Width() - kDepthWidth - 1;
    const RECT price = {81, frames[0] + 1, chartRight, frames[1]};
    EXPECT_GT(day.CountColor(kRise, &price), 20u) << "rising day candles";
    EXPECT_GT(day.CountColor(kFall, &price), 20u) << "falling day candles";
    const RECT macd = {81, frames[2] + 1, chartRight, frames[3]};
    int lowestRed = -1;
    int highestCyan = INT_MAX;
    for (int y = macd.top; y < macd.bottom; ++y)
        for (int x = macd.left; x < macd.right; ++x) {
            const COLORREF colour = day.PixelAt(x, y);
            if (colour == kRise)
                lowestRed = std::max(lowestRed, y);
            else if (colour == kFall)
                highestCyan = std::min(highestCyan, y);
        }
    ASSERT_GE(lowestRed, 0) << "no MACD bar at or above zero";
    ASSERT_NE(highestCyan, INT_MAX) << "no MACD bar below zero";
    EXPECT_LE(lowestRed, highestCyan + 1) << "MACD bars above zero stand over those below it";
    ExpectDepthLadder(day, "day");
    const std::string firstCode = LastChartCode();
    ASSERT_FALSE(firstCode.empty()) << s_sim->Control("http requests 20");

    // Every other period of the K-line service.
    struct Period { int button; const char* shot; };
    const Period periods[] = {{6, "charts-week.png"},  {7, "charts-month.png"}, {8, "charts-min1.png"},
                              {9, "charts-min5.png"},  {10, "charts-min15.png"}, {11, "charts-min30.png"},
                              {12, "charts-min60.png"}};
    Screenshot previous = day;
    for (const Period& period : periods) {
        Screenshot shot;
        PressToolbarButton(main, period.button);
        EXPECT_TRUE(WaitForChart(main, previous, shot)) << period.shot;
        Keep(shot, period.shot);
        previous = shot;
    }

    // The intraday trend with its ladder.
    PressToolbarButton(main, kTrendButton);
    Screenshot trend;
    ASSERT_TRUE(PumpUntil([&] {
        HWND host = ShownHost(main);
        trend = host != NULL ? Screenshot::CaptureClient(host) : Screenshot();
        return !trend.IsEmpty() && trend.Pixels() != previous.Pixels();
    }, kDeadlineMs)) << "no trend view";
    Keep(trend, "charts-trend.png");
    ExpectDepthLadder(trend, "trend");

    // Back to the list; another row's candles differ, and so does its ladder.
    PressToolbarButton(main, kListButton);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(list) != FALSE; }, kDeadlineMs)) << "no list again";
    ASSERT_TRUE(ClickRow(list, 3));
    PressToolbarButton(main, 5);
    Screenshot other;
    ASSERT_TRUE(WaitForChart(main, day, other)) << "no candles of the other row";
    EXPECT_TRUE(PumpUntil([&] { return LastChartCode() != firstCode; }, kDeadlineMs)) << "the chart kept " << firstCode;
    // Back on the list the depth feed went off and the ladder folded away; the chart's
    // "显示五档" brings it back, with the other row's figures.
    HWND chart = ::ChildWindowFromPoint(ShownHost(main), POINT{5, 5});
    ASSERT_NE(HWND(NULL), chart);
    RECT chartRect = {};
    ::GetClientRect(chart, &chartRect);
    const LPARAM fiveLevels = MAKELPARAM(chartRect.right - 165, 10);
    ::PostMessageA(chart, WM_LBUTTONDOWN, MK_LBUTTON, fiveLevels);
    ::PostMessageA(chart, WM_LBUTTONUP, 0, fiveLevels);
    ASSERT_TRUE(PumpUntil([&] {
        other = Screenshot::CaptureClient(ShownHost(main));
        const RECT depth = DepthArea(other);
        return other.CountColor(kVolumeYellow, &depth) > 10;
    }, kDeadlineMs)) << "no ladder after \"显示五档\"";
    Keep(other, "charts-other-row.png");
    ExpectDepthLadder(other, "other row");
    EXPECT_NE(RegionPixels(other, DepthArea(other)), RegionPixels(day, DepthArea(day)))
        << "the ladder kept the first row's figures";

    // A new price of the shown stock merges into the last day bar (and rescales the panels).
    const std::string code = LastChartCode();
    const RECT lastBars = {81, frames[0] + 1, chartRight, frames[3]};
    const Screenshot beforeTick = Screenshot::CaptureClient(ShownHost(main));
    ASSERT_EQ("OK", s_sim->Control("http price " + code + " 99.99").substr(0, 2));
    EXPECT_TRUE(PumpUntil([&] {
        const Screenshot now = Screenshot::CaptureClient(ShownHost(main));
        return now.CountColor(kRise, &lastBars) != beforeTick.CountColor(kRise, &lastBars)
               || now.CountColor(kFall, &lastBars) != beforeTick.CountColor(kFall, &lastBars);
    }, kDeadlineMs)) << "the new price did not reach the last bar";
    Keep(Screenshot::CaptureClient(ShownHost(main)), "charts-day-ticked.png");
    // The stock's ladder follows its web quotes too, not the figures of the switch: the
    // shapes of its texts change (their colours follow the last price in any case). The
    // rows of the best levels lie between the title and the figures below them.
    const RECT levels = {beforeTick.Width() - kDepthWidth, 35, beforeTick.Width(), 90};
    EXPECT_TRUE(PumpUntil([&] {
        const Screenshot now = Screenshot::CaptureClient(ShownHost(main));
        return RegionInk(now, levels) != RegionInk(beforeTick, levels);
    }, kDeadlineMs)) << "the ladder kept the figures of the switch";

    // A click on the account's position (London gold) switches the charts to it: its bars
    // come from the history service.
    HWND positions = NULL;
    ASSERT_TRUE(PumpUntil([&] { return (positions = HighestChild(main, IsPositionList)) != NULL; }, kDeadlineMs))
        << "no positions list with the account's position";
    RECT header = {};
    ::GetWindowRect(reinterpret_cast<HWND>(::SendMessageA(positions, LVM_GETHEADER, 0, 0)), &header);
    const LPARAM firstRow = MAKELPARAM(60, header.bottom - header.top + 8);
    const Screenshot beforeSwitch = Screenshot::CaptureClient(ShownHost(main));
    ::PostMessageA(positions, WM_LBUTTONDOWN, MK_LBUTTON, firstRow);
    ::PostMessageA(positions, WM_LBUTTONUP, 0, firstRow);
    EXPECT_TRUE(PumpUntil([&] {
        const std::string log = s_sim->Control("http requests 20");
        return log.find("historyData") != std::string::npos && log.find("XAUUSD") != std::string::npos;
    }, kDeadlineMs)) << "no history asked for the position: " << AskedPaths();
    Screenshot gold;
    EXPECT_TRUE(WaitForChart(main, beforeSwitch, gold)) << "no candles of the position";
    Keep(gold, "charts-position.png");
}

// The toolbar's zoom buttons and a zoomed interval show exactly the bars the zoom rules name.
// The candles' directions are read bar by bar at the places the view's size gives them and
// compared with the same bars of the first picture (its newest 200 bars): a wrong step or a
// wrong interval shows other bars, or other places, and reads differently.
TEST_F(ChartsScenarioTest, ZoomStepsAndAZoomedIntervalShowTheBarsTheyName)
{
    const int kFirstView = 200;
    // Nothing merges into the bars while they are read: no price moves, and the shown stock's
    // own quote service answers nothing.
    ASSERT_EQ("OK", s_sim->Control("manual on").substr(0, 2));
    HWND main = LogInToBoard();
    ASSERT_NE(HWND(NULL), main) << "no board after login";
    ASSERT_EQ("OK", s_sim->Control("http fault /services/stock/csm/stockTimely fail").substr(0, 2));
    HWND chart = NULL;
    ASSERT_NO_FATAL_FAILURE(OpenDayChartOfSecondRow(main, &chart));
    ASSERT_TRUE(tolvan::test::BringToForeground(main));
    // The first view, once two pictures in a row read alike.
    std::string first, before;
    Screenshot shot;
    ASSERT_TRUE(PumpUntil([&] {
        before = first;
        shot = Screenshot::CaptureClient(chart);
        first = CandleDirections(shot, kFirstView);
        return first == before;
    }, kDeadlineMs));
    Keep(shot, "charts-zoom-first.png");

    // Waits until the chart shows the bars [from, from + count) of the first view.
    std::string seen;
    auto shows = [&](int from, int count) {
        const std::string expected = first.substr(from, count);
        return PumpUntil([&] {
            seen = CandleDirections(Screenshot::CaptureClient(chart), count);
            return seen == expected;
        }, kDeadlineMs);
    };
    HWND zoomIn = login_test::ToolbarButton(main, 2);
    HWND zoomOut = login_test::ToolbarButton(main, 3);
    ASSERT_TRUE(zoomIn != NULL && zoomOut != NULL) << "no zoom buttons";
    auto click = [](HWND button) { ClickAt(tolvan::test::CentreOf(button)); };
    // A quick double click on "放大" zooms twice, as two clicks do.
    int shown = ShownAfterZoomIn(ShownAfterZoomIn(kFirstView));
    tolvan::test::DoubleClickAt(tolvan::test::CentreOf(zoomIn));
    ASSERT_TRUE(shows(kFirstView - shown, shown))
        << "double click: not the newest " << shown << " bars " << first.substr(kFirstView - shown) << " but " << seen;
    for (int step = 1; shown > 30; ++step) {
        shown = ShownAfterZoomIn(shown);
        click(zoomIn);
        ASSERT_TRUE(shows(kFirstView - shown, shown))
            << "zoom in " << step << ": not the newest " << shown << " bars " << first.substr(kFirstView - shown)
            << " but " << seen;
    }
    Keep(Screenshot::CaptureClient(chart), "charts-zoomed-in.png");
    for (int step = 1; step <= 3; ++step) {
        shown = ShownAfterZoomOut(shown);
        click(zoomOut);
        ASSERT_TRUE(shows(kFirstView - shown, shown))
            << "zoom out " << step << ": not the newest " << shown << " bars " << first.substr(kFirstView - shown)
            << " but " << seen;
    }

    // An interval dragged across the price plot, from the middle of one bar to the middle of
    // another, and zoomed into with the menu's "区间放大": exactly those bars.
    const int from = 2, to = shown - 3;
    RECT chartRect = {};
    ::GetClientRect(chart, &chartRect);
    const RECT plot = PricePlot(chartRect.right, chartRect.bottom);
    const double pitch = double(plot.right - plot.left) / shown;
    const POINT start = {plot.left + static_cast<int>((from + 0.5) * pitch), plot.top + 3};
    const POINT end = {plot.left + static_cast<int>((to + 0.5) * pitch), plot.top + 60};
    // The button is let go once the chart's dotted grey frame of the selection reaches the end.
    tolvan::test::PressPointerAt(ScreenPointOf(chart, start.x, start.y));
    tolvan::test::MovePointerTo(ScreenPointOf(chart, end.x, end.y));
    const RECT endEdge = {end.x - 1, start.y + 2, end.x + 1, end.y - 2};
    const bool selected = PumpUntil([&] {
        return Screenshot::CaptureClient(chart).CountColor(RGB(231, 231, 231), &endEdge) > 10;
    }, kDeadlineMs);
    tolvan::test::ReleasePointer();
    ASSERT_TRUE(selected) << "no selection drawn up to the pointer";
    HWND menu = NULL;
    ASSERT_TRUE(PumpUntil([&] {
        do
            menu = ::FindWindowExA(NULL, menu, "#32768", NULL);
        while (menu != NULL && !::IsWindowVisible(menu));
        return menu != NULL;
    }, kDeadlineMs)) << "no menu after the interval was dragged";
    RECT menuRect = {};
    ::GetWindowRect(menu, &menuRect);
    ClickAt(POINT{menuRect.left + 30, menuRect.top + 11});   // its first entry
    const int oldest = kFirstView - shown;
    EXPECT_TRUE(shows(oldest + from, to - from + 1))
        << "not the dragged bars " << first.substr(oldest + from, to - from + 1) << " but " << seen;
    Keep(Screenshot::CaptureClient(chart), "charts-zoomed-interval.png");
    s_sim->Control("http clear");
}

// The title bar's "older" button pages back through the loaded bars and, at the oldest,
// asks for older ones: each such request starts earlier than the one before.
TEST_F(ChartsScenarioTest, PagingLeftInTheDayChartExtendsTheHistory)
{
    HWND main = LogInToBoard();
    ASSERT_NE(HWND(NULL), main) << "no board after login";
    HWND chart = NULL;
    ASSERT_NO_FATAL_FAILURE(OpenDayChartOfSecondRow(main, &chart));
    RECT chartRect = {};
    ::GetClientRect(chart, &chartRect);
    const LPARAM older = MAKELPARAM(chartRect.right - 85, 8);
    std::vector<std::string> starts = DayBarStarts();
    ASSERT_FALSE(starts.empty()) << s_sim->Control("http requests 20");
    for (int page = 1; page <= 3; ++page) {
        const size_t asked = starts.size();
        DWORD lastClick = 0;
        ASSERT_TRUE(PumpUntil([&] {
            if (::GetTickCount() - lastClick >= 200) {
                lastClick = ::GetTickCount();
                ::PostMessageA(chart, WM_LBUTTONDOWN, MK_LBUTTON, older);
                ::PostMessageA(chart, WM_LBUTTONUP, 0, older);
            }
            starts = DayBarStarts();
            return starts.size() > asked;
        }, kDeadlineMs)) << "page " << page << " asked for no older bars";
        ASSERT_FALSE(starts.back().empty()) << "page " << page << " names no start";
        if (!starts[asked - 1].empty()) {
            EXPECT_LT(starts.back(), starts[asked - 1]) << "page " << page << " starts no earlier";
        }
    }
    Keep(Screenshot::CaptureClient(ShownHost(main)), "charts-paged.png");
}

// The trend's price line is drawn in 0xFCFCFC.
TEST_F(ChartsScenarioTest, ATrendSwitchWhoseLoadFailsShowsAnEmptyChart)
{
    const COLORREF line = RGB(0xFC, 0xFC, 0xFC);
    HWND main = LogInToBoard();
    ASSERT_NE(HWND(NULL), main) << "no board after login";
    HWND list = ShownQuoteList(main);
    ASSERT_NE(HWND(NULL), list);
    ASSERT_TRUE(ClickRow(list, 1));
    PressToolbarButton(main, kTrendButton);
    Screenshot trend;
    HWND trendHost = NULL;
    ASSERT_TRUE(PumpUntil([&] {
        trendHost = ShownHost(main);
        trend = trendHost != NULL ? Screenshot::CaptureClient(trendHost) : Screenshot();
        return !trend.IsEmpty() && trend.CountColor(line) > 50;
    }, kDeadlineMs)) << "no trend line: " << AskedPaths();

    ASSERT_EQ("OK", s_sim->Control("http fault /services/stock/csm/stockKline fail").substr(0, 2));
    PressToolbarButton(main, kListButton);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(list) != FALSE; }, kDeadlineMs));
    ASSERT_TRUE(ClickRow(list, 3));
    PressToolbarButton(main, kTrendButton);
    EXPECT_TRUE(PumpUntil([&] {
        if (ShownHost(main) != trendHost)
            return false;
        trend = Screenshot::CaptureClient(trendHost);
        // The price plot, clear of the axis texts.
        const RECT plot = {82, 42, trend.Width() - kDepthWidth - 62, trend.Height() / 2};
        return !trend.IsEmpty() && trend.CountColor(line, &plot) == 0;
    }, kDeadlineMs)) << "the first instrument's line stays under the second";
    Keep(trend, "charts-trend-failed.png");
    s_sim->Control("http clear");
}

// The forex trend after its session closed: a quote past the close asks for the day's series
// once more, and no later quote asks again, though the history server's bars never reach the
// quotes' time. The session is made to end at midnight (and open again a minute before the
// next), so every quote of the day comes after its close; the trend's loads are counted at
// the history server over ten quotes, each seen by the program (the position's row follows
// the price).
TEST_F(ChartsScenarioTest, AForexTrendPastItsSessionIsLoadedOnceMoreNotAtEveryQuote)
{
    const char code[] = "XAUUSD";
    const int kQuotes = 10;
    ASSERT_EQ("OK", s_sim->Control("manual on").substr(0, 2));
    HWND main = LogInToBoard();
    ASSERT_NE(HWND(NULL), main) << "no board after login";
    ASSERT_EQ("OK", s_sim->Control(std::string("send quote [") + code + "][startTime=23:59:00]@[" + code
                                   + "][stopTime=00:00:00]@#@").substr(0, 2));
    HWND positions = NULL;
    ASSERT_TRUE(PumpUntil([&] { return (positions = HighestChild(main, IsPositionList)) != NULL; }, kDeadlineMs))
        << "no positions list with the account's position";
    ASSERT_NO_FATAL_FAILURE(SelectInstrument(main, "外汇现货", code));
    ASSERT_EQ("OK", s_sim->Control("http clearlog").substr(0, 2));
    // The history queries of the instrument (only they name it as a type).
    auto trendLoads = [&] {
        const std::string log = s_sim->Control("http requests 1000");
        const std::string asked = std::string("type=") + code + "@";
        int loads = 0;
        for (size_t at = log.find(asked); at != std::string::npos; at = log.find(asked, at + 1))
            ++loads;
        return loads;
    };
    PressToolbarButton(main, kTrendButton);
    ASSERT_TRUE(PumpUntil([&] { return trendLoads() >= 1; }, kDeadlineMs)) << "no trend loaded: " << AskedPaths();

    std::vector<std::string> cells = remote::RowCells(positions, 0);
    for (int quote = 1; quote <= kQuotes; ++quote) {
        const std::string price = std::to_string(2400 + quote) + ".00";
        ASSERT_EQ("OK", s_sim->Control(std::string("set price ") + code + " " + price).substr(0, 2));
        ASSERT_TRUE(PumpUntil([&] {
            const std::vector<std::string> now = remote::RowCells(positions, 0);
            if (now == cells)
                return false;
            cells = now;
            return true;
        }, kDeadlineMs)) << "quote " << quote << " did not reach the position";
    }
    Keep(Screenshot::CaptureClient(ShownHost(main)), "charts-trend-past-session.png");
    const int loads = trendLoads();
    EXPECT_LE(loads, 2) << "the trend was loaded " << loads << " times for one switch and " << kQuotes << " quotes";
}

// A batch of ticks of the shown instrument reaches the one-minute chart tick by tick: the
// volume of the bar they open is the sum of their volumes, not the last tick's alone. The
// quote server sends cumulative day volumes; the ticks come in one record, after a volume
// below the instrument's current one (which moves nothing), so the traded amounts are known.
TEST_F(ChartsScenarioTest, TheMinuteBarOfABatchOfTicksHoldsTheSumOfTheirVolumes)
{
    const char code[] = "XAUUSD";
    // No price moves but the test's own.
    ASSERT_EQ("OK", s_sim->Control("manual on").substr(0, 2));
    HWND main = LogInToBoard();
    ASSERT_NE(HWND(NULL), main) << "no board after login";

    ASSERT_NO_FATAL_FAILURE(SelectInstrument(main, "外汇现货", code));
    PressToolbarButton(main, kMinuteButton);
    Screenshot minute;
    ASSERT_TRUE(WaitForChart(main, Screenshot(), minute)) << "no minute candles: " << AskedPaths();
    HWND chart = ShownChart(main);
    ASSERT_NE(HWND(NULL), chart);
    // The crosshair (a double click in the price panel) on the newest bar shows its volume.
    Screenshot shot;
    bool crossShown = false;
    auto newestBarVolume = [&]() -> long long {
        shot = Screenshot::CaptureClient(chart);
        const std::vector<int> frames = FrameRows(shot, 40);
        if (frames.size() < 2)
            return -1;
        // The depth ladder stays folded away here: the plot reaches the right edge.
        const RECT price = {81, frames[0] + 1, shot.Width() - 1, frames[1]};
        const int last = LastCandleColumn(shot, price);
        if (last < 0)
            return -1;
        const LPARAM at = MAKELPARAM(last, (price.top + price.bottom) / 2);
        if (!crossShown) {
            ::PostMessageA(chart, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
            ::PostMessageA(chart, WM_LBUTTONUP, 0, at);
            crossShown = true;
        }
        ::PostMessageA(chart, WM_MOUSEMOVE, 0, at);
        return ReadVolumeRow(shot);
    };
    long long before = -1;
    ASSERT_TRUE(PumpUntil([&] { return (before = newestBarVolume()) >= 0; }, kDeadlineMs))
        << "no volume in the value box";
    Keep(shot, "charts-minute-volume-before.png");

    // Traded 10, 20, 30 and 40: 100 in all; the last tick alone traded 40. They join the
    // newest bar or, in a later minute, open one.
    std::string record;
    for (int volume : {1, 11, 31, 61, 101})
        record += std::string("[") + code + "][volume=" + std::to_string(volume) + "]@";
    ASSERT_EQ("OK", s_sim->Control("send quote " + record + "#@").substr(0, 2));
    long long after = -1;
    const bool summed = PumpUntil([&] {
        after = newestBarVolume();
        return after == before + 100 || after == 100;
    }, kDeadlineMs);
    Keep(shot, "charts-minute-volume.png");
    EXPECT_TRUE(summed) << "the newest bar's volume went from " << before << " to " << after
                        << ", not by the 100 the ticks traded";
}

}  // namespace
