// Tolvan.exe against the simulator, worked with real input (SendInput clicks, double clicks,
// drags, keys and typing) that reaches the program through its own message loop and its
// program-wide message filter: the caption buttons, F12 and the trade panel's "隐藏"; Enter,
// Esc and digits where they are typed (the quote list, the notice, the risk settings, the
// console); the splitter between the quote area and the docked trade panel; the chart host
// through minimise and restore. Every step checks what the user sees: windows shown or hidden,
// the view on show, the text typed, where the quote area and the panel lie. Screenshots go to
// <build>\test-artifacts (frame-input-*.png).
#include "TerminalUnderTest.h"
#include "testsupport/ClosePrompt.h"
#include "testsupport/Pump.h"
#include "testsupport/RealInput.h"
#include "testsupport/Screenshot.h"
#include "testsupport/SimulatorSuite.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

using login_test::RootFolder;
using login_test::ShownQuoteList;
using tolvan::test::CentreOf;
using tolvan::test::ClickAt;
using tolvan::test::DoubleClickAt;
using tolvan::test::DragPointer;
using tolvan::test::FindClosePrompt;
using tolvan::test::InputState;
using tolvan::test::PressKey;
using tolvan::test::SettleForeground;
using tolvan::test::PumpUntil;
using tolvan::test::ScreenPointOf;
using tolvan::test::Screenshot;
using tolvan::test::SimulatorSuite;
using tolvan::test::TypeText;

namespace {

const DWORD kDeadlineMs = 60000;
const char kSearchTitle[] = "Tolvan证券智能键盘";
const char kConsoleTitle[] = "Tolvan证券补单系统";
const char kRiskTitle[] = "风险设置";
const char kNoticeTitle[] = "公告";
const char kRequesting[] = "正在请求数据！";

enum {
    kSectorTabs = 1000, kNoticeClose = 1066, kRiskEdit = 1037, kStrategyCombo = 5071,
    kFirstToolbarButton = 0x7100,
};
// The toolbar buttons of the views: the quote list, the trend and the day candles.
enum { kListButton = 0, kTrendButton = 4, kDayButton = 5 };
enum { kListView = 0, kCandleView = 1, kTrendView = 2 };
const COLORREF kCheckedButton = RGB(0x64, 0x64, 0x64);
const int kStatusBarHeight = 25;

// Centres of the caption buttons in window coordinates: x from the window's right edge when
// negative, all on the caption's middle line.
const int kCloseX = -20, kMaximiseX = -42, kMinimiseX = -64, kTradeX = 76, kConsoleX = 139, kRiskX = 208;
const int kCaptionButtonY = 20;

// The window's rectangle in the client coordinates of `main`.
RECT PlaceIn(HWND main, HWND window)
{
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(NULL, main, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool HasVisibleStyle(HWND window)
{
    return (::GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

std::string TextOf(HWND window)
{
    char text[256] = {0};
    ::SendMessageA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

class FrameInputScenarioTest : public SimulatorSuite
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ResetSimulator("login"));
        // The program dates its chart requests by its own clock: the simulator's bars must
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

    // Logs in as a user does; the maximised main window with its quote list, the docked trade
    // panel and the notice over them.
    void LogIn()
    {
        ASSERT_TRUE(m_terminal.Start());
        m_main = m_terminal.LogIn("80001", "a123456", kDeadlineMs,
                                  [](HWND main) { return ::IsZoomed(main) && ShownQuoteList(main) != NULL; });
        ASSERT_NE(HWND(NULL), m_main) << "no main window with its quote list";
        m_tabs = ::GetDlgItem(m_main, kSectorTabs);
        m_statusBar = ::FindWindowExA(m_main, NULL, STATUSCLASSNAMEA, NULL);
        m_toolbar = ::FindWindowExA(m_main, NULL, NULL, "Ribbonet");
        m_panel = login_test::DockedTradePanel(m_main);
        ASSERT_NE(HWND(NULL), m_panel) << "no docked trade panel";
        // The trading container fills the panel.
        m_container = ::GetWindow(m_panel, GW_CHILD);
        ASSERT_TRUE(PumpUntil([&] { return m_terminal.Find(kNoticeTitle) != NULL; }, kDeadlineMs)) << "no notice";
    }

    void CloseNotice()
    {
        ClickAt(CentreOf(::GetDlgItem(m_terminal.Find(kNoticeTitle), kNoticeClose)));
        ASSERT_TRUE(PumpUntil([&] { return m_terminal.Find(kNoticeTitle) == NULL; }, kDeadlineMs));
    }

    POINT CaptionPoint(int x) const
    {
        RECT window = {};
        ::GetWindowRect(m_main, &window);
        return POINT{x < 0 ? window.right + x : window.left + x, window.top + kCaptionButtonY};
    }

    // Two clicks in a row at one place would make a double click: each click lands a few
    // pixels away from the one before, still on the button.
    void ClickCaption(int x)
    {
        m_nudge = m_nudge > 0 ? -4 : 4;
        POINT at = CaptionPoint(x);
        at.x += m_nudge;
        ClickAt(at);
    }

    int ClientHeight() const
    {
        RECT client = {};
        ::GetClientRect(m_main, &client);
        return client.bottom;
    }

    int QuoteBottom() const { return PlaceIn(m_main, m_tabs).bottom; }
    int PanelTop() const { return PlaceIn(m_main, m_panel).top; }
    bool PanelDocked() const { return ::IsWindowVisible(m_panel) && ::GetAncestor(m_panel, GA_PARENT) == m_main; }
    bool PanelHidden() const
    {
        return !::IsWindowVisible(m_panel) && QuoteBottom() == ClientHeight() - kStatusBarHeight;
    }
    // Docked with the quote area above it, both at the split.
    bool PanelDockedAt(int split) const { return PanelDocked() && PanelTop() == split && QuoteBottom() == split; }

    // Clicks a row of the shown quote list (header and rows 22 pixels high); a click that
    // lands while the board lays itself out again is clicked again.
    void ClickRow(int row)
    {
        HWND list = NULL;
        ASSERT_TRUE(PumpUntil([&] { return (list = ShownQuoteList(m_main)) != NULL; }, kDeadlineMs));
        bool selected = false;
        for (int attempt = 0; attempt < 10 && !selected; ++attempt)
        {
            ClickAt(ScreenPointOf(list, 200, 22 + row * 22 + 11));
            selected = PumpUntil([&] { return ::SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED) == row; },
                                 kDeadlineMs / 10);
        }
        ASSERT_TRUE(selected) << "row " << row << " was not selected";
    }

    void PressToolbarButton(int index)
    {
        ClickAt(CentreOf(::GetDlgItem(m_toolbar, kFirstToolbarButton + index)));
    }

    HWND ShownChartHost() const { return login_test::ShownChartHost(m_main); }

    // The toolbar button drawn checked; -1 for none.
    int CheckedToolbarButton() const
    {
        for (int index = 0; index <= 12; ++index)
        {
            const Screenshot shot = Screenshot::CaptureClient(::GetDlgItem(m_toolbar, kFirstToolbarButton + index));
            if (shot.CountColor(kCheckedButton) > static_cast<size_t>(shot.Width() * shot.Height() / 2))
                return index;
        }
        return -1;
    }

    // The view on show as the user sees it: the quote list (tab strip shown, list button
    // checked) or a chart host with its view's button checked; -1 while neither holds.
    int ShownView() const
    {
        const HWND host = ShownChartHost();
        const int checked = CheckedToolbarButton();
        if (host == NULL)
            return ::IsWindowVisible(m_tabs) && checked == kListButton ? kListView : -1;
        if (::IsWindowVisible(m_tabs))
            return -1;
        return checked == kTrendButton ? kTrendView : checked >= kDayButton ? kCandleView : -1;
    }

    // Waits until the view is on show and its data request has ended (a view asked for while
    // a request runs is refused); false at the deadline.
    bool SettlesAt(int view)
    {
        const bool settled = PumpUntil([&] {
            return ShownView() == view
                   && login_test::StatusPaneText(m_terminal.Handle(), m_statusBar, 0) != Wide(kRequesting);
        }, kDeadlineMs);
        if (!settled)
            Keep(m_main, "frame-input-view-failed.png");
        if (!settled)
            ADD_FAILURE() << "wanted view " << view << ": chart host " << ShownChartHost() << ", tab strip shown "
                          << ::IsWindowVisible(m_tabs) << ", checked button " << CheckedToolbarButton()
                          << ", request state " << (login_test::StatusPaneText(m_terminal.Handle(), m_statusBar, 0)
                                                    == Wide(kRequesting))
                          << "; " << InputState(m_main);
        return settled;
    }

    static std::wstring Wide(const char* text)
    {
        wchar_t wide[256] = {0};
        ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 256);
        return wide;
    }

    HWND WaitForWindow(const char* title)
    {
        HWND window = NULL;
        PumpUntil([&] { return (window = m_terminal.Find(title)) != NULL; }, kDeadlineMs);
        return window;
    }

    static void Keep(HWND window, const char* name)
    {
        EXPECT_FALSE(login_test::KeepPicture(window, name).IsEmpty()) << name;
    }

    login_test::CTerminal m_terminal;
    HWND m_main = NULL;
    HWND m_tabs = NULL;
    HWND m_statusBar = NULL;
    HWND m_toolbar = NULL;
    HWND m_panel = NULL;
    HWND m_container = NULL;
    int m_nudge = 0;
};

TEST_F(FrameInputScenarioTest, CaptionButtonsF12AndThePanelsOwnHideButton)
{
    ASSERT_NO_FATAL_FAILURE(LogIn());
    ASSERT_NO_FATAL_FAILURE(CloseNotice());
    const int split = PanelTop();
    ASSERT_TRUE(PanelDockedAt(split)) << "panel at " << split << ", quote area to " << QuoteBottom();
    Keep(m_main, "frame-input-start.png");

    // "  交易" hides the docked panel and the quote area takes its place; again docks it.
    ClickCaption(kTradeX);
    EXPECT_TRUE(PumpUntil([&] { return PanelHidden(); }, kDeadlineMs)) << "the panel did not hide";
    Keep(m_main, "frame-input-panel-hidden.png");
    ClickCaption(kTradeX);
    EXPECT_TRUE(PumpUntil([&] { return PanelDockedAt(split); }, kDeadlineMs)) << "the panel did not come back";

    // F12 does the same wherever the focus is.
    ASSERT_NO_FATAL_FAILURE(ClickRow(0));
    PressKey(VK_F12);
    EXPECT_TRUE(PumpUntil([&] { return PanelHidden(); }, kDeadlineMs)) << "F12 did not hide the panel";
    PressKey(VK_F12);
    EXPECT_TRUE(PumpUntil([&] { return PanelDockedAt(split); }, kDeadlineMs)) << "F12 did not bring it back";

    // After the panel's own "隐藏" the caption button brings it back.
    RECT container = {};
    ::GetClientRect(m_container, &container);
    ClickAt(ScreenPointOf(m_container, container.right - 30, 10));
    EXPECT_TRUE(PumpUntil([&] { return PanelHidden(); }, kDeadlineMs)) << "\"隐藏\" did not hide the panel";
    ClickCaption(kTradeX);
    EXPECT_TRUE(PumpUntil([&] { return PanelDockedAt(split); }, kDeadlineMs)) << "no way back after \"隐藏\"";

    // A double click on a caption button is a press of the button, never a maximise or
    // restore of the window. The next click comes after it: once it has acted, so has the
    // double click.
    DoubleClickAt(CaptionPoint(kTradeX));
    EXPECT_TRUE(PumpUntil([&] { return PanelHidden(); }, kDeadlineMs));
    ClickCaption(kTradeX);
    EXPECT_TRUE(PumpUntil([&] { return PanelDockedAt(split); }, kDeadlineMs));
    EXPECT_TRUE(::IsZoomed(m_main)) << "the double click restored the window";

    // "  补单" opens the console, then hides and shows it.
    ClickCaption(kConsoleX);
    HWND console = WaitForWindow(kConsoleTitle);
    ASSERT_NE(HWND(NULL), console) << "no console";
    Keep(console, "frame-input-console.png");
    ClickCaption(kConsoleX);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(console); }, kDeadlineMs)) << "the console stayed";
    ClickCaption(kConsoleX);
    EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(console) != FALSE; }, kDeadlineMs)) << "no console again";
    ClickCaption(kConsoleX);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(console); }, kDeadlineMs));

    // "风险设置" opens the risk settings; its close box hides them.
    ClickCaption(kRiskX);
    HWND risk = WaitForWindow(kRiskTitle);
    ASSERT_NE(HWND(NULL), risk) << "no risk settings";
    Keep(risk, "frame-input-risk.png");
    ::PostMessageA(risk, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(risk); }, kDeadlineMs));

    // Minimising hides the chart host on show, restoring (as the task bar does) shows it. The
    // candles: after the session the trend is asked for again at every quote, which shows
    // its host by itself.
    // Another row than the one selected: once it is selected, its click has been handled.
    ASSERT_NO_FATAL_FAILURE(ClickRow(1));
    PressToolbarButton(kDayButton);
    ASSERT_TRUE(SettlesAt(kCandleView)) << "the candles did not come";
    HWND host = ShownChartHost();
    ClickCaption(kMinimiseX);
    EXPECT_TRUE(PumpUntil([&] { return ::IsIconic(m_main) && !HasVisibleStyle(host); }, kDeadlineMs))
        << "minimised " << ::IsIconic(m_main) << ", chart host shown " << HasVisibleStyle(host);
    ::PostMessageA(m_main, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(PumpUntil([&] { return ::IsZoomed(m_main) && HasVisibleStyle(host); }, kDeadlineMs))
        << "restored " << ::IsZoomed(m_main) << ", chart host shown " << HasVisibleStyle(host);

    // The maximise button restores the window, then maximises it again.
    ClickCaption(kMaximiseX);
    EXPECT_TRUE(PumpUntil([&] { return !::IsZoomed(m_main) && !::IsIconic(m_main); }, kDeadlineMs))
        << "not restored";
    Keep(m_main, "frame-input-restored.png");
    ClickCaption(kMaximiseX);
    EXPECT_TRUE(PumpUntil([&] { return ::IsZoomed(m_main) != FALSE; }, kDeadlineMs)) << "not maximised again";

    // The close button asks first; Cancel keeps the program as it was.
    ClickCaption(kCloseX);
    HWND prompt = NULL;
    ASSERT_TRUE(PumpUntil([&] { return (prompt = FindClosePrompt(m_main)) != NULL; }, kDeadlineMs)) << "no prompt";
    Keep(prompt, "frame-input-close-prompt.png");
    ClickAt(CentreOf(::GetDlgItem(prompt, IDCANCEL)));
    EXPECT_TRUE(PumpUntil([&] { return FindClosePrompt(m_main) == NULL; }, kDeadlineMs));
    EXPECT_TRUE(::IsWindowVisible(m_main) && ::IsZoomed(m_main));
    EXPECT_EQ(kCandleView, ShownView());
}

TEST_F(FrameInputScenarioTest, KeysActInTheWindowTheyAreTypedIn)
{
    ASSERT_NO_FATAL_FAILURE(LogIn());

    // Enter and Esc typed into the notice are the notice's: Enter does nothing there, Esc
    // closes it, and neither switches the view (a row is selected: a switch would show).
    ASSERT_NO_FATAL_FAILURE(ClickRow(0));
    HWND notice = m_terminal.Find(kNoticeTitle);
    ASSERT_NE(HWND(NULL), notice);
    // Without a window manager the click on the main window has raised it over the notice on
    // the screen (the notice still stands above it for Windows); a user would see it on top.
    ASSERT_TRUE(tolvan::test::BringToForeground(notice));
    ClickAt(CentreOf(notice));
    ASSERT_TRUE(SettleForeground(notice)) << InputState(notice);
    PressKey(VK_RETURN);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return m_terminal.Find(kNoticeTitle) == NULL; }, kDeadlineMs))
        << "Esc kept the notice; " << InputState(m_main);
    EXPECT_TRUE(SettlesAt(kListView)) << "a key in the notice switched the view";

    // In the main window Enter goes from the list to the trend, the candles and the list
    // again; Esc brings the list back from a chart.
    ASSERT_TRUE(SettleForeground(m_main)) << InputState(m_main);
    PressKey(VK_RETURN);
    EXPECT_TRUE(SettlesAt(kTrendView)) << "Enter did not open the trend";
    PressKey(VK_RETURN);
    EXPECT_TRUE(SettlesAt(kCandleView)) << "Enter did not go from the trend to the candles";
    Keep(m_main, "frame-input-candles.png");
    PressKey(VK_RETURN);
    EXPECT_TRUE(SettlesAt(kListView)) << "Enter did not go from the candles to the list";
    PressKey(VK_RETURN);
    EXPECT_TRUE(SettlesAt(kTrendView));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(SettlesAt(kListView)) << "Esc did not bring the list back";

    // A digit on the quote list opens the quick search; Esc closes it.
    ASSERT_NO_FATAL_FAILURE(ClickRow(0));
    TypeText("6");
    HWND search = WaitForWindow(kSearchTitle);
    ASSERT_NE(HWND(NULL), search) << "no quick search";
    Keep(::GetDesktopWindow(), "frame-input-search.png");
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return m_terminal.Find(kSearchTitle) == NULL; }, kDeadlineMs));

    // From here on the trend is on show: a key that switched views would show.
    PressKey(VK_RETURN);
    ASSERT_TRUE(SettlesAt(kTrendView));

    // Digits typed into the risk settings land in its edit; its Enter and Esc are its own.
    ClickCaption(kRiskX);
    HWND risk = WaitForWindow(kRiskTitle);
    ASSERT_NE(HWND(NULL), risk) << "no risk settings";
    HWND edit = ::GetDlgItem(risk, kRiskEdit);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowEnabled(edit) != FALSE; }, kDeadlineMs)) << "no total assets";
    // The edit shows the line set before ("0.00"): emptied first.
    ClickAt(CentreOf(edit));
    PressKey(VK_END);
    for (int typed = 0; typed < 4; ++typed)
        PressKey(VK_BACK);
    TypeText("12");
    EXPECT_TRUE(PumpUntil([&] { return TextOf(edit) == "12"; }, kDeadlineMs)) << "typed: " << TextOf(edit);
    EXPECT_EQ(HWND(NULL), m_terminal.Find(kSearchTitle)) << "the digits opened the quick search";
    Keep(risk, "frame-input-risk-typed.png");
    // An empty line switches the monitor off: nothing is liquidated.
    PressKey(VK_BACK);
    PressKey(VK_BACK);
    PressKey(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(risk); }, kDeadlineMs)) << "Enter did not confirm";
    EXPECT_TRUE(SettlesAt(kTrendView)) << "Enter in the risk settings switched the view";
    ClickCaption(kRiskX);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(risk) != FALSE; }, kDeadlineMs));
    ClickAt(CentreOf(edit));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(risk); }, kDeadlineMs)) << "Esc did not cancel";
    EXPECT_TRUE(SettlesAt(kTrendView)) << "Esc in the risk settings switched the view";

    // A digit typed into the console's strategy combo stays there: the F4 after it opens the
    // combo's list (it would reach the quick search had the digit opened it). Esc closes the
    // list and switches nothing.
    ClickCaption(kConsoleX);
    HWND console = WaitForWindow(kConsoleTitle);
    ASSERT_NE(HWND(NULL), console) << "no console";
    HWND combo = ::GetDlgItem(console, kStrategyCombo);
    auto dropped = [&] { return ::SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; };
    ClickAt(CentreOf(combo));
    ASSERT_TRUE(PumpUntil(dropped, kDeadlineMs)) << "the combo's list did not open";
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !dropped(); }, kDeadlineMs)) << "Esc did not close the combo's list";
    TypeText("7");
    PressKey(VK_F4);
    EXPECT_TRUE(PumpUntil(dropped, kDeadlineMs)) << "the digit did not stay in the combo";
    EXPECT_EQ(HWND(NULL), m_terminal.Find(kSearchTitle)) << "the digit opened the quick search";
    Keep(::GetDesktopWindow(), "frame-input-console-combo.png");
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !dropped(); }, kDeadlineMs));
    EXPECT_TRUE(SettlesAt(kTrendView)) << "a key in the console switched the view";
}

TEST_F(FrameInputScenarioTest, SplitterDragLaysOutQuoteAreaAndPanelTogether)
{
    ASSERT_NO_FATAL_FAILURE(LogIn());
    ASSERT_NO_FATAL_FAILURE(CloseNotice());
    const int split = PanelTop();
    ASSERT_TRUE(PanelDockedAt(split));
    const int x = 300;

    // Dragged 150 pixels up from the band under the quote area: both move there.
    const int moved = split - 150;
    DragPointer(ScreenPointOf(m_main, x, split + 2), ScreenPointOf(m_main, x, moved));
    EXPECT_TRUE(PumpUntil([&] { return PanelDockedAt(moved); }, kDeadlineMs))
        << "panel at " << PanelTop() << ", quote area to " << QuoteBottom() << ", wanted " << moved;
    Keep(m_main, "frame-input-split-moved.png");

    // A later resize keeps the new split.
    ClickCaption(kMaximiseX);
    EXPECT_TRUE(PumpUntil([&] { return !::IsZoomed(m_main) && PanelDockedAt(moved); }, kDeadlineMs))
        << "restored: panel at " << PanelTop() << ", quote area to " << QuoteBottom();
    ClickCaption(kMaximiseX);
    EXPECT_TRUE(PumpUntil([&] { return ::IsZoomed(m_main) && PanelDockedAt(moved); }, kDeadlineMs))
        << "maximised: panel at " << PanelTop() << ", quote area to " << QuoteBottom();

    // Shift held from the first move on cancels the drag. The caption button's clicks come
    // after the drag: once the panel is back, the drag has been handled.
    DragPointer(ScreenPointOf(m_main, x, moved + 2), ScreenPointOf(m_main, x, moved + 100), 8, VK_SHIFT);
    ClickCaption(kTradeX);
    ASSERT_TRUE(PumpUntil([&] { return PanelHidden(); }, kDeadlineMs));
    ClickCaption(kTradeX);
    EXPECT_TRUE(PumpUntil([&] { return PanelDockedAt(moved); }, kDeadlineMs))
        << "after a Shift drag: panel at " << PanelTop() << ", wanted " << moved;

    // With the panel hidden the band under the quote area does nothing.
    ClickCaption(kTradeX);
    ASSERT_TRUE(PumpUntil([&] { return PanelHidden(); }, kDeadlineMs));
    const int bottom = QuoteBottom();
    DragPointer(ScreenPointOf(m_main, x, bottom + 2), ScreenPointOf(m_main, x, moved - 100));
    ClickCaption(kTradeX);
    EXPECT_TRUE(PumpUntil([&] { return PanelDockedAt(moved); }, kDeadlineMs))
        << "after a drag while hidden: panel at " << PanelTop() << ", wanted " << moved;
}

}  // namespace
