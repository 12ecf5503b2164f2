// Tolvan.exe against the simulator, logged in through its login window: the main window comes
// on screen maximised with its own caption and frame, menu bar, toolbar and status bar (the
// connection states and the server clock), and it ends within its bound, exit code 0 and no
// crash dump, when closed while quotes stream, while its downloads (the K-line loader's
// refresh of a minute chart in a trading session among them) stall and while the
// instrument-list check of its start stalls (which never holds up the splash or the window).
// That no worker had to be waited out at the end is read from what the end tells the
// program's test hook, not from how long the close took. Screenshots go to
// <build>\test-artifacts.
#include "TerminalProbe.h"
#include "TerminalUnderTest.h"
#include "WindowShot.h"
#include "testsupport/ClosePrompt.h"
#include "testsupport/FakeTimeServer.h"
#include "testsupport/Pump.h"
#include "testsupport/RealInput.h"
#include "testsupport/SimulatorSuite.h"
#include "testsupport/TestFiles.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <ctime>
#include <memory>
#include <string>
#include <vector>

using login_test::BinFolder;
using login_test::RootFolder;
using tolvan::test::CentreOf;
using tolvan::test::ClickAt;
using tolvan::test::FindClosePrompt;
using tolvan::test::PumpUntil;
using tolvan::test::ScreenPointOf;
using tolvan::test::Screenshot;
using tolvan::test::SimulatorSuite;

namespace {

const DWORD kDeadlineMs = 60000;
// The end's own bounds (5 s of pumping while the workers stop, then the connections) and
// the process's exit.
const DWORD kExitBoundMs = 15000;
// The worker stops every end runs, whatever was started.
const size_t kLeastStops = 11;
const char kMainTitle[] = "Tolvan证券";
const char kLoginTitle[] = "Tolvan证券客户端登录";
// The candlestick host: the chart's rise and fall colours, the depth panel on its right.
const COLORREF kRise = RGB(255, 60, 57);
const COLORREF kFall = RGB(0, 255, 255);
const int kDepthWidth = 250;
// A trading day (a Friday) whose session the clocks are set in.
const char kSessionDay[] = "2024-06-14";

std::wstring Wide(const char* text)
{
    wchar_t wide[256] = {0};
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 256);
    return wide;
}

std::string TitleOf(HWND window)
{
    char title[128] = {0};
    ::GetWindowTextA(window, title, sizeof(title));
    return title;
}

class FrameScenarioTest : public SimulatorSuite
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ResetSimulator("login"));
        ASSERT_TRUE(login_test::WriteInstallation(*s_sim));
        ::CreateDirectoryA(RootFolder() + "test-artifacts", NULL);
        ::DeleteFileA(BinFolder() + "crashdump.dmp");
        ::DeleteFileA(EndReportPath());
    }

    void TearDown() override
    {
        // Whatever failed, the terminal must not outlive the test.
        m_terminal.Stop();
        ::DeleteFileA(TimeHelperIni());
        SimulatorSuite::TearDown();
    }

    // Starts the terminal and logs in as a user would; the main window once it is on screen
    // maximised.
    HWND StartAndLogIn()
    {
        if (!m_terminal.Start())
            return NULL;
        HWND main = m_terminal.LogIn("80001", "a123456", kDeadlineMs, [](HWND main) {
            RECT rect = {};
            return ::GetWindowRect(main, &rect) && rect.left > -1000 && ::IsZoomed(main);
        });
        if (main == NULL)
        {
            HWND shown = m_terminal.Find(kMainTitle);
            RECT rect = {};
            ::GetWindowRect(shown, &rect);
            ADD_FAILURE() << "main " << shown << " at " << rect.left << "," << rect.top << " zoomed "
                          << ::IsZoomed(shown) << " login " << m_terminal.Find(kLoginTitle);
        }
        return main;
    }

    std::wstring PaneText(HWND statusBar, int pane)
    {
        return login_test::StatusPaneText(m_terminal.Handle(), statusBar, pane);
    }

    HWND AnswerClosePrompt(HWND main, int answer)
    {
        ::PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        HWND prompt = NULL;
        PumpUntil([&] { return (prompt = FindClosePrompt(main)) != NULL; }, kDeadlineMs);
        if (prompt != NULL)
            ::PostMessageA(prompt, WM_COMMAND, answer, 0);
        return prompt;
    }

    static void Keep(const Screenshot& shot, const char* name)
    {
        EXPECT_FALSE(shot.IsEmpty()) << name;
        shot.SavePng(std::string(RootFolder()) + "test-artifacts\\" + name);
    }

    // Confirms the close as the user does; the window goes and the process ends within its
    // bound, with exit code 0 and no crash dump, and the end reports every worker ended when
    // told: none was waited out. Tells the figures.
    void CloseAndExpectACleanEnd(HWND main, const char* situation)
    {
        ASSERT_NE(HWND(NULL), AnswerClosePrompt(main, IDOK));
        const DWORD start = ::GetTickCount();
        const bool windowGone = PumpUntil([&] { return !::IsWindow(main); }, kExitBoundMs);
        const DWORD windowTook = ::GetTickCount() - start;
        const DWORD waited = ::WaitForSingleObject(m_terminal.Handle(), kExitBoundMs);
        const DWORD took = ::GetTickCount() - start;
        ASSERT_TRUE(windowGone) << "the window stayed " << kExitBoundMs << " ms";
        ASSERT_EQ((DWORD)WAIT_OBJECT_0, waited) << "still running after " << kExitBoundMs << " ms";
        DWORD exitCode = 99;
        ::GetExitCodeProcess(m_terminal.Handle(), &exitCode);
        EXPECT_EQ(0u, exitCode);
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(BinFolder() + "crashdump.dmp")) << "crash dump written";
        m_terminal.Release();
        printf("closed %s: the window went %lu ms and the process ended %lu ms after the confirmation\n", situation,
               static_cast<unsigned long>(windowTook), static_cast<unsigned long>(took));
        ExpectNoWorkerWaitedOut();
    }

    // The end's report: every stop ran and ended, and no thread was reported left running.
    void ExpectNoWorkerWaitedOut()
    {
        const std::string text = tolvan::test::ReadFileBytes(EndReportPath());
        const login_test::ProbeState report = login_test::ProbeState::Parse(text);
        ASSERT_TRUE(text.size() >= 4 && text.compare(text.size() - 4, 4, "end\n") == 0)
            << "no whole report from the end:\n" << text;
        ASSERT_EQ("1", report["end-stops-done"]) << "the stops did not finish within the end's pumping:\n" << text;
        EXPECT_TRUE(report.All("left-running").empty()) << "waited out:\n" << text;
        const std::vector<std::string> stops = report.All("end-stop");
        // The clock, the receivers, the pollers, the loaders, the downloads, the history.
        EXPECT_GE(stops.size(), kLeastStops) << text;
        for (const std::string& stop : stops)
        {
            const std::vector<std::string> cells = login_test::Cells(stop);
            ASSERT_EQ(3u, cells.size()) << stop;
            EXPECT_EQ("1", cells[2]) << cells[0] << " did not end when told";
            printf("  %s: %s ms\n", cells[0].c_str(), cells[1].c_str());
        }
    }

    // The test hook's state file: the end writes its report there.
    static CString EndReportPath() { return RootFolder() + "test-artifacts\\frame-end.txt"; }

    // The simulator's clock and, through a time server for the program's clock helper, the
    // program's server clock stand at the same moment of a trading session.
    void SetClocksInSession()
    {
        ASSERT_EQ("OK", s_sim->Control(std::string("clock ") + kSessionDay + " 10:30:00").substr(0, 2));
        struct tm session = {};
        session.tm_year = 2024 - 1900;
        session.tm_mon = 5;
        session.tm_mday = 14;
        session.tm_hour = 10;
        session.tm_min = 30;
        m_timeServer.reset(new tolvan::test::FakeTimeServer(session));
        const std::string host = m_timeServer->Address();
        ASSERT_TRUE(::WritePrivateProfileStringA("TimeProtocol", "Host1", host.c_str(), TimeHelperIni()));
    }

    static CString TimeHelperIni() { return BinFolder() + "Horavane.ini"; }

    // The paths of the requests the simulator holds unanswered while their client waits.
    static std::string Held()
    {
        return s_sim->Control("http held");
    }

    login_test::CTerminalProbe m_probe{EndReportPath()};
    login_test::CTerminal m_terminal;
    std::unique_ptr<tolvan::test::FakeTimeServer> m_timeServer;
};

TEST_F(FrameScenarioTest, ShowsItsFrameToolbarAndStatusBarAfterLogin)
{
    // The program dates its chart requests by its own clock: the simulator's bars must reach
    // that day.
    ASSERT_EQ("OK", s_sim->Control("clock real").substr(0, 2));
    HWND main = StartAndLogIn();
    ASSERT_NE(HWND(NULL), main) << "the main window did not come on screen maximised";
    HWND statusBar = ::FindWindowExA(main, NULL, STATUSCLASSNAMEA, NULL);
    ASSERT_NE(HWND(NULL), statusBar);
    EXPECT_TRUE(PumpUntil([&] {
        return PaneText(statusBar, 1) == Wide("交易服务器：连接成功") && PaneText(statusBar, 2) == Wide("查询服务器：连接成功")
               && PaneText(statusBar, 5).find(Wide("服务器时间:")) == 0;
    }, kDeadlineMs)) << "pane 1, 2, 5 do not show the connections and the clock";
    // The toolbar across the top and the status bar across the bottom of the client area.
    HWND toolbar = ::FindWindowExA(main, NULL, NULL, "Ribbonet");
    ASSERT_NE(HWND(NULL), toolbar) << "no toolbar";
    RECT client = {};
    RECT bar = {};
    RECT strip = {};
    EXPECT_TRUE(PumpUntil([&] {
        ::GetClientRect(main, &client);
        ::GetWindowRect(statusBar, &bar);
        ::MapWindowPoints(NULL, main, reinterpret_cast<POINT*>(&bar), 2);
        ::GetWindowRect(toolbar, &strip);
        ::MapWindowPoints(NULL, main, reinterpret_cast<POINT*>(&strip), 2);
        return bar.top == client.bottom - 25 && bar.bottom == client.bottom && bar.left == 0
               && bar.right == client.right && strip.top == 0 && strip.bottom == 25 && strip.left == 0
               && strip.right == client.right;
    }, 10000)) << "status bar " << bar.left << "," << bar.top << "," << bar.right << "," << bar.bottom << " toolbar "
               << strip.right << "," << strip.bottom << " client " << client.right << "," << client.bottom;
    std::vector<std::string> captions;
    for (HWND button = ::GetWindow(toolbar, GW_CHILD); button != NULL; button = ::GetWindow(button, GW_HWNDNEXT))
        captions.push_back(TitleOf(button));
    EXPECT_EQ(13u, captions.size());

    // The drawn caption (skin, title, buttons, menu bar) and the checked list button. A
    // maximised window hangs its borders over the screen's edges: the picture is the screen,
    // window pixel (x, y) at (x + left, y + top).
    const frametest::SkinPixels skin;
    Screenshot shot;
    RECT window = {};
    ::GetWindowRect(main, &window);
    const int width = window.right - window.left;
    const int left = window.left;
    const int top = window.top;
    auto at = [&](int x, int y) { return shot.PixelAt(x + left, y + top); };
    auto place = [&](int x1, int y1, int x2, int y2) {
        const RECT rect = {x1 + left, y1 + top, x2 + left, y2 + top};
        return rect;
    };
    EXPECT_TRUE(PumpUntil([&] {
        shot = frametest::CaptureScreenOf(main);
        return at(width - 120, 10) == skin.At(52, 10);
    }, 10000)) << "no drawn caption";
    Keep(shot, "main-window.png");
    EXPECT_EQ(skin.At(52, 30), at(width - 120, 30));
    EXPECT_EQ(skin.At(5, 40), at(5, 300)) << "no left border";
    EXPECT_GT(frametest::CountNear(shot, RGB(0, 0, 0), place(width / 2 - 60, 8, width / 2 + 60, 32), 60), 20u)
        << "no title";
    EXPECT_GT(frametest::CountNear(shot, RGB(235, 235, 235), place(width - 30, 10, width - 10, 30), 20), 10u)
        << "no close button";
    EXPECT_GT(frametest::CountNear(shot, RGB(0xEB, 0xEB, 0xEB), place(256, 8, 496, 33), 0), 1000u) << "no menu bar";
    // Client pixels start below the 38-pixel caption, right of the 8-pixel border.
    EXPECT_GT(frametest::CountNear(shot, RGB(0x64, 0x64, 0x64), place(8 + 2, 38 + 1, 8 + 60, 38 + 24), 0), 200u)
        << "list button not checked";

    // The menu bar's "关于" opens the About box.
    const LPARAM about = MAKELPARAM(left + 256 + 2 * 80 + 40, top + 20);
    ::PostMessageA(main, WM_NCLBUTTONDOWN, HTCAPTION, about);
    ::PostMessageA(main, WM_NCLBUTTONUP, HTCAPTION, about);
    HWND box = NULL;
    EXPECT_TRUE(PumpUntil([&] { return (box = m_terminal.Find("关于 Tolvan证券")) != NULL; }, 10000)) << "no About box";
    if (box != NULL)
    {
        // Found by its title as soon as it exists: wait until it is shown and drawable.
        tolvan::test::Screenshot aboutShot;
        PumpUntil([&] {
            aboutShot = frametest::CaptureWholeWindow(box);
            return !aboutShot.IsEmpty();
        }, 10000);
        Keep(aboutShot, "about-box.png");
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(PumpUntil([&] { return m_terminal.Find("关于 Tolvan证券") == NULL; }, 10000));
    }

    // The toolbar's "分时" shows the selected row's trend in the quote list's place, "日线" its
    // candles, and "放大" zooms the candles in.
    HWND list = login_test::ShownQuoteList(main);
    ASSERT_NE(HWND(NULL), list);
    ClickAt(ScreenPointOf(list, 200, 22 + 11));
    ASSERT_TRUE(PumpUntil([&] { return ::SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED) == 0; },
                          kDeadlineMs)) << "the first row was not selected";
    ClickAt(CentreOf(::FindWindowExA(toolbar, NULL, NULL, "分时")));
    HWND trend = NULL;
    // A view asked for while a request runs is refused: the trend's request ends first.
    EXPECT_TRUE(PumpUntil([&] {
        trend = login_test::ShownChartHost(main);
        return trend != NULL && !::IsWindowVisible(::GetDlgItem(main, 1000))
               && PaneText(statusBar, 0) != Wide("正在请求数据！");
    }, kDeadlineMs)) << "no trend in place of the quote list";
    ClickAt(CentreOf(::FindWindowExA(toolbar, NULL, NULL, "日线")));
    Screenshot candles;
    RECT chart = {};
    ASSERT_TRUE(PumpUntil([&] {
        HWND host = login_test::ShownChartHost(main);
        if (host == NULL || host == trend)
            return false;
        candles = Screenshot::CaptureClient(host);
        chart = RECT{0, 0, candles.Width() - kDepthWidth, candles.Height()};
        return candles.CountColor(kRise, &chart) + candles.CountColor(kFall, &chart) > 50
               && PaneText(statusBar, 0) != Wide("正在请求数据！");
    }, kDeadlineMs)) << "no candles drawn";
    Keep(candles, "frame-candles.png");
    // Zoomed in, fewer candles fill the chart: the older candles on its left give way. (A quote
    // may add a bar on the right meanwhile.)
    const RECT older = {100, 40, chart.right * 6 / 10, chart.bottom / 2};
    ClickAt(CentreOf(::FindWindowExA(toolbar, NULL, NULL, "放大")));
    Screenshot zoomed;
    EXPECT_TRUE(PumpUntil([&] {
        zoomed = Screenshot::CaptureClient(login_test::ShownChartHost(main));
        return !zoomed.IsEmpty() && frametest::Region(zoomed, older) != frametest::Region(candles, older);
    }, kDeadlineMs)) << "\"放大\" did not zoom the candles";
    Keep(zoomed, "frame-candles-zoomed.png");
}

TEST_F(FrameScenarioTest, EndsWithinItsBoundWhenClosedWhileQuotesStream)
{
    HWND main = StartAndLogIn();
    ASSERT_NE(HWND(NULL), main);
    HWND statusBar = ::FindWindowExA(main, NULL, STATUSCLASSNAMEA, NULL);
    ASSERT_TRUE(PumpUntil([&] { return PaneText(statusBar, 1) == Wide("交易服务器：连接成功"); }, kDeadlineMs));
    ASSERT_EQ("OK", s_sim->Control("manual off"));
    ASSERT_EQ(0u, s_sim->Control("interval 20").find("OK"));

    // Cancel in the prompt leaves the terminal as it was.
    ASSERT_NE(HWND(NULL), AnswerClosePrompt(main, IDCANCEL));
    ASSERT_TRUE(PumpUntil([&] { return FindClosePrompt(main) == NULL; }, kDeadlineMs));
    // Still running: its clock goes on to the next second.
    const std::wstring clock = PaneText(statusBar, 5);
    EXPECT_TRUE(PumpUntil([&] {
        return ::WaitForSingleObject(m_terminal.Handle(), 0) == WAIT_TIMEOUT && ::IsWindow(statusBar)
               && PaneText(statusBar, 5) != clock && PaneText(statusBar, 5).find(Wide("服务器时间:")) == 0;
    }, 10000)) << "the terminal did not go on after Cancel";
    EXPECT_TRUE(::IsWindowVisible(main));
    EXPECT_TRUE(::IsZoomed(main));

    CloseAndExpectACleanEnd(main, "while quotes stream");
}

TEST_F(FrameScenarioTest, EndsWithinItsBoundWhenClosedWhileItsDownloadsStall)
{
    // The program's clock stands inside a trading session, so the K-line loader refreshes the
    // shown minute candles.
    ASSERT_NO_FATAL_FAILURE(SetClocksInSession());
    HWND main = StartAndLogIn();
    ASSERT_NE(HWND(NULL), main);
    HWND statusBar = ::FindWindowExA(main, NULL, STATUSCLASSNAMEA, NULL);
    ASSERT_TRUE(PumpUntil([&] { return PaneText(statusBar, 5).find(Wide(kSessionDay)) != std::wstring::npos; },
                          kDeadlineMs)) << "the server clock was not taken";
    HWND list = NULL;
    ASSERT_TRUE(PumpUntil([&] { return (list = login_test::ShownQuoteList(main)) != NULL; }, kDeadlineMs));
    ASSERT_TRUE(login_test::ClickListRow(list, 1, kDeadlineMs)) << "no row selected";
    ASSERT_TRUE(login_test::PressToolbarButton(main, 8));  // "1分"
    const char kLoaderPath[] = "stockKline/minute1";
    ASSERT_TRUE(PumpUntil([&] {
        HWND host = login_test::ShownChartHost(main);
        const Screenshot candles = Screenshot::CaptureClient(host);
        return host != NULL && candles.CountColor(kRise) + candles.CountColor(kFall) > 50
               && PaneText(statusBar, 0) != Wide("正在请求数据！");
    }, kDeadlineMs)) << "no minute candles drawn";
    // Every web service stalls from now on: the loader's refresh of the minute candles, the
    // quote downloader of the chart's instrument and the pollers of the rows wait for ever...
    ASSERT_EQ("OK", s_sim->Control("http fault /services stall"));
    ASSERT_TRUE(PumpUntil([&] {
        const std::string held = Held();
        return held.find(kLoaderPath) != std::string::npos && held.find("stockTimely") != std::string::npos;
    }, kDeadlineMs)) << "not stalled: " << Held();
    // ... and so does the day candles' history download, while the loader still waits.
    ASSERT_TRUE(login_test::PressToolbarButton(main, 5));
    ASSERT_TRUE(PumpUntil([&] {
        const std::string held = Held();
        return held.find(kLoaderPath) != std::string::npos
               && (held.find("stockKline/day") != std::string::npos || held.find("marketCalendar") != std::string::npos);
    }, kDeadlineMs)) << "not stalled: " << Held();
    Keep(Screenshot::CaptureClient(main), "close-while-downloads-stall.png");
    CloseAndExpectACleanEnd(main, "while the K-line loader, the history download and the quote downloads stall");
}

TEST_F(FrameScenarioTest, StartsPromptlyAndEndsWithinItsBoundWhileTheListCheckAndTheNoticeStall)
{
    ASSERT_EQ("OK", s_sim->Control("http fault /services/stock/csm/version stall"));
    // The start's notice request too: the end must not wait it out either.
    ASSERT_EQ("OK", s_sim->Control("http fault /services/stock/notice stall"));
    ASSERT_TRUE(m_terminal.Start());
    HWND login = m_terminal.WaitForLoginWindow(kDeadlineMs);
    ASSERT_NE(HWND(NULL), login);
    login_test::CTerminal::Submit(login, "80001", "a123456");
    // The splash stands, and the window answers at once, while the check still stalls.
    HWND splash = NULL;
    ASSERT_TRUE(PumpUntil([&] {
        splash = m_terminal.FindWhere([](HWND window) {
            char name[16] = {0};
            ::GetClassNameA(window, name, sizeof(name));
            return strcmp(name, "#32770") == 0 && ::GetWindowTextLengthA(window) == 0
                   && (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
        });
        return splash != NULL;
    }, kDeadlineMs)) << "no splash";
    const char kVersionPath[] = "/services/stock/csm/version";
    EXPECT_NE(std::string::npos, Held().find(kVersionPath)) << "the splash came only after the check";
    EXPECT_TRUE(PumpUntil([&] { return Held().find("/services/stock/notice") != std::string::npos; }, kDeadlineMs))
        << "no notice request stalls";
    HWND main = m_terminal.WaitForMainWindow(kDeadlineMs);
    ASSERT_NE(HWND(NULL), main);
    // The stalled check never answers, so a window that waited on it would not answer at all;
    // the bound only has to be far beyond what a loaded machine takes to run a message.
    for (int probe = 0; probe < 5; ++probe)
    {
        DWORD_PTR answer = 0;
        EXPECT_NE(0, ::SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 8000, &answer))
            << "the window did not answer within 8 s";
    }
    EXPECT_NE(std::string::npos, Held().find(kVersionPath)) << "the check no longer stalls";
    Keep(Screenshot::CaptureClient(splash), "splash-while-list-check-stalls.png");
    CloseAndExpectACleanEnd(main, "during the start while the list version check and the notice stall");
}

}  // namespace
