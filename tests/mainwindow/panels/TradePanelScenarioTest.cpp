// Tolvan.exe against the simulator, its docked trade panel worked with real input (SendInput
// clicks and keys) through the program's own message loop and filter: F1-F7 with the focus in
// the order form, a list window and the other pages; Esc and Enter, with the notice shown, in
// every kind of trading window; Enter and Esc in the order detail window; presses where a
// hidden floating panel stood; every control of the panel whole at 1600 x 1000 and at
// 1366 x 768. Screenshots go to <build>\test-artifacts (trade-panel-*.png).
#include "TerminalUnderTest.h"
#include "testsupport/Pump.h"
#include "testsupport/RealInput.h"
#include "testsupport/SimulatorSuite.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

using login_test::BinFolder;
using login_test::Descendant;
using login_test::RootFolder;
using login_test::ShownQuoteList;
using tolvan::test::CentreOf;
using tolvan::test::ClickAt;
using tolvan::test::DragPointer;
using tolvan::test::InputState;
using tolvan::test::PressKey;
using tolvan::test::PumpUntil;
using tolvan::test::ScreenPointOf;
using tolvan::test::SettleForeground;
using tolvan::test::SimulatorSuite;

namespace {

const DWORD kDeadlineMs = 60000;
const char kNoticeTitle[] = "公告";
const char kDetailTitle[] = "订单明细";

// Controls that tell the trading windows apart.
enum {
    kDeckTree = 2004, kOrderTabs = 3006, kQuantity = 3018, kBuy = 3028, kSell = 3029,
    kPositionsList = 4008, kOrdersList = 6006, kFillsList = 8001, kQueryTabs = 10013,
    kShowDetailCheck = 2016, kPasswordModify = 11012, kPasswordCurrent = 11004, kQueryText = 10008,
    kNoticeClose = 1066,
};
// The caption's maximise button, from the main window's right edge, on the caption's middle.
const int kMaximiseX = -42, kCaptionButtonY = 20;
// The container's header: its icons stand at its right end, the float icon outermost.
const int kFloatIconX = -10, kHeaderIconY = 10;
// The split a main window starts with lies this far above its client area's bottom.
const int kSplitAboveBottom = 380;
const int kSectorTabs = 1000;

// The direct child of `container` that holds the control `id`.
HWND WindowHolding(HWND container, int id)
{
    HWND window = Descendant(container, id);
    while (window != NULL && ::GetParent(window) != container)
        window = ::GetParent(window);
    return window;
}

RECT ScreenRectOf(HWND window)
{
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    return rect;
}

RECT ClientInScreen(HWND window)
{
    RECT rect = {};
    ::GetClientRect(window, &rect);
    ::MapWindowPoints(window, NULL, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The window's rectangle in the client coordinates of `main`.
RECT PlaceIn(HWND main, HWND window)
{
    RECT rect = ScreenRectOf(window);
    ::MapWindowPoints(NULL, main, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::string Describe(const RECT& r)
{
    std::ostringstream text;
    text << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
    return text.str();
}

struct Cut { std::ostringstream* report; HWND panel; };

// Every visible control must lie whole inside its parent's client area and the panel's.
BOOL CALLBACK ReportCut(HWND window, LPARAM lParam)
{
    Cut* cut = reinterpret_cast<Cut*>(lParam);
    if (!::IsWindowVisible(window))
        return TRUE;
    const RECT rect = ScreenRectOf(window);
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return TRUE;
    const HWND parent = ::GetParent(window);
    if (!Inside(rect, ClientInScreen(parent)) || !Inside(rect, ClientInScreen(cut->panel)))
    {
        char name[64] = {0};
        ::GetClassNameA(window, name, sizeof(name));
        *cut->report << " control " << ::GetDlgCtrlID(window) << " (" << name << ") at " << Describe(rect)
                     << " in parent " << Describe(ClientInScreen(parent)) << ";";
    }
    return TRUE;
}

std::string CutControls(HWND panel)
{
    std::ostringstream report;
    Cut cut{&report, panel};
    ::EnumChildWindows(panel, ReportCut, reinterpret_cast<LPARAM>(&cut));
    return report.str();
}

int s_releases = 0;

LRESULT CALLBACK CountReleasesAfterTheChain(int code, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ::CallNextHookEx(NULL, code, wParam, lParam);
    if (code == HC_ACTION && wParam == WM_LBUTTONUP)
        ++s_releases;
    return result;
}

int ItemCount(HWND list)
{
    return static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

class TradePanelScenarioTest : public SimulatorSuite
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ResetSimulator("trade"));
        ASSERT_TRUE(login_test::WriteInstallation(*s_sim));
        ::CreateDirectoryA(RootFolder() + "test-artifacts", NULL);
    }

    void TearDown() override
    {
        EXPECT_TRUE(m_terminal.Stop()) << "Tolvan did not end when asked to close";
        SimulatorSuite::TearDown();
    }

    // The maximised main window with its quote list, the docked panel and the notice over it.
    void LogIn()
    {
        ASSERT_TRUE(m_terminal.Start());
        m_main = m_terminal.LogIn("80001", "a123456", kDeadlineMs,
                                  [](HWND main) { return ::IsZoomed(main) && ShownQuoteList(main) != NULL; });
        ASSERT_NE(HWND(NULL), m_main) << "no main window with its quote list";
        m_panel = login_test::DockedTradePanel(m_main);
        ASSERT_NE(HWND(NULL), m_panel) << "no docked trade panel";
        m_container = ::GetWindow(m_panel, GW_CHILD);
        m_order = WindowHolding(m_container, kOrderTabs);
        m_positions = WindowHolding(m_container, kPositionsList);
        m_orders = WindowHolding(m_container, kOrdersList);
        m_fills = WindowHolding(m_container, kFillsList);
        m_query = WindowHolding(m_container, kQueryTabs);
        m_settings = WindowHolding(m_container, kShowDetailCheck);
        m_password = WindowHolding(m_container, kPasswordModify);
        for (HWND window : Pages())
            ASSERT_NE(HWND(NULL), window) << "a trading window is missing";
        ASSERT_TRUE(PumpUntil([&] { return m_terminal.Find(kNoticeTitle) != NULL; }, kDeadlineMs)) << "no notice";
    }

    void CloseNotice()
    {
        ClickAt(CentreOf(::GetDlgItem(m_terminal.Find(kNoticeTitle), kNoticeClose)));
        ASSERT_TRUE(PumpUntil([&] { return m_terminal.Find(kNoticeTitle) == NULL; }, kDeadlineMs));
    }

    std::vector<HWND> Pages() const
    {
        return {m_order, m_positions, m_orders, m_fills, m_query, m_settings, m_password};
    }

    // The trading windows on show are exactly `shown`.
    bool Shows(const std::vector<HWND>& shown) const
    {
        for (HWND window : Pages())
        {
            const bool wanted = std::find(shown.begin(), shown.end(), window) != shown.end();
            if ((::IsWindowVisible(window) != FALSE) != wanted)
                return false;
        }
        return true;
    }

    std::string Visibility() const
    {
        const char* names[] = {"order", "positions", "orders", "fills", "query", "settings", "password"};
        std::string text;
        const std::vector<HWND> pages = Pages();
        for (size_t at = 0; at < pages.size(); ++at)
            text += std::string(names[at]) + (::IsWindowVisible(pages[at]) ? "+ " : "- ");
        return text;
    }

    // What each function key shows: F1 "交易", F2 today's orders, F3 fills, F4 positions, F5
    // the queries, F6 the settings page.
    std::vector<HWND> PageOf(WORD key) const
    {
        switch (key)
        {
        case VK_F1: return {m_order, m_positions, m_orders};
        case VK_F2: return {m_order, m_orders};
        case VK_F3: return {m_order, m_fills};
        case VK_F4: return {m_order, m_positions};
        case VK_F5: return {m_query};
        default: return {m_settings};
        }
    }

    // The focus of Tolvan's thread lies in `window` (the test's GetFocus sees only its own).
    bool FocusInside(HWND window) const
    {
        GUITHREADINFO info = {sizeof(info)};
        if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(m_main, NULL), &info))
            return false;
        return info.hwndFocus == window || ::IsChild(window, info.hwndFocus);
    }

    void ClickIntoWindow(HWND window, int x = 40, int y = 60)
    {
        // Whatever the window system still owes Tolvan of earlier activations comes first.
        const HWND topLevel = ::GetAncestor(window, GA_ROOT);
        ASSERT_TRUE(SettleForeground(topLevel)) << InputState(topLevel);
        ClickAt(ScreenPointOf(window, x, y));
        ASSERT_TRUE(PumpUntil([&] { return FocusInside(window); }, kDeadlineMs))
            << "the click did not take the focus into the window; " << InputState(topLevel);
    }

    // Selects the tree's entry at `position` with a click on it.
    void ClickTreeEntry(int position)
    {
        const HWND tree = Descendant(m_container, kDeckTree);
        const int height = static_cast<int>(::SendMessageA(tree, TVM_GETITEMHEIGHT, 0, 0));
        ClickAt(ScreenPointOf(tree, 40, position * height + height / 2));
    }

    void KeepPanel(const char* name)
    {
        EXPECT_FALSE(login_test::KeepPicture(m_panel, name).IsEmpty()) << name;
    }

    // Goes through F1-F6 and checks every page's controls are whole; a picture of the first.
    void ExpectEveryPageWhole(const char* pictureName)
    {
        ClickIntoWindow(Descendant(m_order, kQuantity), 10, 5);
        const WORD keys[] = {VK_F1, VK_F2, VK_F3, VK_F4, VK_F5, VK_F6};
        for (WORD key : keys)
        {
            PressKey(key);
            ASSERT_TRUE(PumpUntil([&] { return Shows(PageOf(key)); }, kDeadlineMs))
                << "F" << key - VK_F1 + 1 << ": " << Visibility();
            EXPECT_EQ("", CutControls(m_panel)) << "F" << key - VK_F1 + 1 << " at panel " << Describe(ClientInScreen(m_panel));
            if (key == VK_F1)
                KeepPanel(pictureName);
        }
        ClickTreeEntry(6);
        ASSERT_TRUE(PumpUntil([&] { return Shows({m_password}); }, kDeadlineMs)) << Visibility();
        EXPECT_EQ("", CutControls(m_panel)) << "password page";
        PressKey(VK_F1);
        ASSERT_TRUE(PumpUntil([&] { return Shows(PageOf(VK_F1)); }, kDeadlineMs)) << Visibility();
    }

    login_test::CTerminal m_terminal;
    HWND m_main = NULL, m_panel = NULL, m_container = NULL;
    HWND m_order = NULL, m_positions = NULL, m_orders = NULL, m_fills = NULL;
    HWND m_query = NULL, m_settings = NULL, m_password = NULL;
};

TEST_F(TradePanelScenarioTest, FunctionKeysSwitchThePagesWhereverTheFocusIs)
{
    ASSERT_NO_FATAL_FAILURE(LogIn());
    ASSERT_NO_FATAL_FAILURE(CloseNotice());
    ASSERT_TRUE(Shows(PageOf(VK_F1))) << Visibility();

    // With the focus in the order form's quantity field.
    const WORD fromForm[] = {VK_F2, VK_F3, VK_F4, VK_F1};
    for (WORD key : fromForm)
    {
        ASSERT_NO_FATAL_FAILURE(ClickIntoWindow(Descendant(m_order, kQuantity), 10, 5));
        PressKey(key);
        EXPECT_TRUE(PumpUntil([&] { return Shows(PageOf(key)); }, kDeadlineMs))
            << "F" << key - VK_F1 + 1 << " in the order form: " << Visibility();
    }
    // F7 and later keys are no page's.
    PressKey(VK_F7);
    PressKey(VK_F5);
    EXPECT_TRUE(PumpUntil([&] { return Shows(PageOf(VK_F5)); }, kDeadlineMs)) << Visibility();

    // With the focus in a query page's text, then in the container, where it goes when the
    // query window hides, and in each list window.
    ASSERT_NO_FATAL_FAILURE(ClickIntoWindow(Descendant(m_query, kQueryText, true), 20, 20));
    PressKey(VK_F6);
    EXPECT_TRUE(PumpUntil([&] { return Shows(PageOf(VK_F6)); }, kDeadlineMs)) << "F6: " << Visibility();
    PressKey(VK_F1);
    EXPECT_TRUE(PumpUntil([&] { return Shows(PageOf(VK_F1)); }, kDeadlineMs)) << "F1: " << Visibility();
    ASSERT_NO_FATAL_FAILURE(ClickIntoWindow(Descendant(m_positions, kPositionsList), 100, 60));
    PressKey(VK_F2);
    EXPECT_TRUE(PumpUntil([&] { return Shows(PageOf(VK_F2)); }, kDeadlineMs)) << "F2 in a list: " << Visibility();
    ASSERT_NO_FATAL_FAILURE(ClickIntoWindow(Descendant(m_orders, kOrdersList), 100, 60));
    PressKey(VK_F3);
    EXPECT_TRUE(PumpUntil([&] { return Shows(PageOf(VK_F3)); }, kDeadlineMs)) << "F3 in a list: " << Visibility();
    ASSERT_NO_FATAL_FAILURE(ClickIntoWindow(Descendant(m_fills, kFillsList), 100, 60));
    PressKey(VK_F5);
    EXPECT_TRUE(PumpUntil([&] { return Shows(PageOf(VK_F5)); }, kDeadlineMs)) << "F5 in a list: " << Visibility();
}

TEST_F(TradePanelScenarioTest, EveryControlOfThePanelIsWholeAtBothScreenSizes)
{
    ASSERT_NO_FATAL_FAILURE(LogIn());
    ASSERT_NO_FATAL_FAILURE(CloseNotice());
    ASSERT_NO_FATAL_FAILURE(ExpectEveryPageWhole("trade-panel-1600x1000.png"));
    login_test::KeepPicture(m_main, "trade-panel-main-1600x1000.png");

    // The main window as a 1366 x 768 screen holds it: restored by its maximise button, then
    // sized as that screen's work area.
    RECT window = ScreenRectOf(m_main);
    ClickAt(POINT{window.right + kMaximiseX, window.top + kCaptionButtonY});
    ASSERT_TRUE(PumpUntil([&] { return !::IsZoomed(m_main); }, kDeadlineMs)) << "not restored";
    ::SetWindowPos(m_main, NULL, 0, 0, 1366, 768, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client = {};
    ASSERT_TRUE(PumpUntil([&] {
        ::GetClientRect(m_main, &client);
        const RECT panel = ScreenRectOf(m_panel);
        return ScreenRectOf(m_main).right == 1366 && panel.right - panel.left == client.right;
    }, kDeadlineMs)) << "the panel did not follow the new size";
    // The split that such a screen starts with: the splitter dragged there.
    const int split = client.bottom - kSplitAboveBottom;
    const int quoteBottom = PlaceIn(m_main, ::GetDlgItem(m_main, kSectorTabs)).bottom;
    DragPointer(ScreenPointOf(m_main, 300, quoteBottom + 2), ScreenPointOf(m_main, 300, split));
    ASSERT_TRUE(PumpUntil([&] { return PlaceIn(m_main, m_panel).top == split; }, kDeadlineMs))
        << "panel at " << PlaceIn(m_main, m_panel).top << ", wanted " << split;
    ASSERT_NO_FATAL_FAILURE(ExpectEveryPageWhole("trade-panel-1366x768.png"));
    login_test::KeepPicture(m_main, "trade-panel-main-1366x768.png");
}

TEST_F(TradePanelScenarioTest, EscAndEnterWithTheNoticeShownDestroyNoTradingWindow)
{
    ASSERT_NO_FATAL_FAILURE(LogIn());
    const HWND notice = m_terminal.Find(kNoticeTitle);

    // Each kind of docked window in turn: a field of the order form, the three list windows,
    // a query page's text, the password page and the container's own tree. The page comes by
    // its key pressed in the tree (below its entries), the password page by its entry.
    const HWND tree = Descendant(m_container, kDeckTree);
    struct Place { WORD page; HWND* window; int control; int x, y; };
    const Place places[] = {
        {VK_F1, &m_order, kQuantity, 10, 5},
        {VK_F1, &m_positions, kPositionsList, 100, 60},
        {VK_F1, &m_orders, kOrdersList, 100, 60},
        {VK_F3, &m_fills, kFillsList, 100, 60},
        {VK_F5, &m_query, kQueryText, 20, 20},
        {0, &m_password, kPasswordCurrent, 10, 5},
        {VK_F1, &m_container, kDeckTree, 60, 250},
    };
    for (const Place& place : places)
    {
        if (place.page == 0)
            ClickTreeEntry(6);
        else
        {
            ASSERT_NO_FATAL_FAILURE(ClickIntoWindow(tree, 60, 250));
            PressKey(place.page);
        }
        HWND target = NULL;
        ASSERT_TRUE(PumpUntil([&] { return (target = Descendant(*place.window, place.control, true)) != NULL; },
                              kDeadlineMs)) << Visibility();
        ASSERT_NO_FATAL_FAILURE(ClickIntoWindow(target, place.x, place.y));
        ASSERT_TRUE(::IsWindowVisible(notice)) << "the notice is to stay shown";
        PressKey(VK_ESCAPE);
        PressKey(VK_RETURN);
        // The next key's effect tells both have been handled.
        PressKey(VK_F4);
        PumpUntil([&] { return Shows(PageOf(VK_F4)) || !::IsWindow(m_container); }, kDeadlineMs);
        ASSERT_TRUE(::IsWindow(m_container)) << "Esc or Enter destroyed the trading container";
        for (HWND window : Pages())
            ASSERT_TRUE(::IsWindow(window)) << "Esc or Enter destroyed a trading window (" << Visibility() << ")";
        ASSERT_TRUE(Shows(PageOf(VK_F4))) << Visibility();
    }

    // Every window still works: the pages come at their keys, and the queries survive a new
    // size of the panel.
    ASSERT_NO_FATAL_FAILURE(ClickIntoWindow(tree, 60, 250));
    const WORD keys[] = {VK_F5, VK_F2, VK_F1};
    for (WORD key : keys)
    {
        PressKey(key);
        EXPECT_TRUE(PumpUntil([&] { return Shows(PageOf(key)); }, kDeadlineMs)) << Visibility();
    }
    PressKey(VK_F5);
    RECT window = ScreenRectOf(m_main);
    ClickAt(POINT{window.right + kMaximiseX, window.top + kCaptionButtonY});
    ASSERT_TRUE(PumpUntil([&] { return !::IsZoomed(m_main); }, kDeadlineMs)) << "not restored";
    ClickAt(POINT{ScreenRectOf(m_main).right + kMaximiseX, ScreenRectOf(m_main).top + kCaptionButtonY});
    ASSERT_TRUE(PumpUntil([&] { return ::IsZoomed(m_main) && Shows(PageOf(VK_F5)); }, kDeadlineMs)) << Visibility();
    KeepPanel("trade-panel-after-esc.png");
}

TEST_F(TradePanelScenarioTest, OrderDetailWindowTakesEnterAndEsc)
{
    ::WritePrivateProfileStringA("Settings", "ShowOrderDetail", "1", BinFolder() + "Config.ini");
    ASSERT_NO_FATAL_FAILURE(LogIn());
    ASSERT_NO_FATAL_FAILURE(CloseNotice());
    const HWND list = ShownQuoteList(m_main);
    ASSERT_TRUE(login_test::ClickListRow(list, 0, kDeadlineMs)) << "no instrument chosen";
    const HWND orders = Descendant(m_orders, kOrdersList);
    const HWND buy = Descendant(m_order, kBuy);

    // Buys at market with the order detail window; `key` answers it once the verdict is in.
    // Two clicks at one place in a row would make a double click: each lands 10 pixels away
    // from the one before, still on the button.
    int nudge = 10;
    auto buyAndAnswer = [&](WORD key) {
        nudge = -nudge;
        POINT at = CentreOf(buy);
        at.x += nudge;
        ClickAt(at);
        HWND detail = NULL;
        ASSERT_TRUE(PumpUntil([&] {
            detail = m_terminal.Find(kDetailTitle);
            return detail != NULL && ::IsWindowEnabled(::GetDlgItem(detail, IDOK));
        }, kDeadlineMs)) << "no order detail verdict"
                         << (login_test::KeepPicture(::GetDesktopWindow(), "trade-panel-no-verdict.png"), "");
        ASSERT_TRUE(SettleForeground(detail)) << InputState(detail);
        if (key == VK_RETURN)
            login_test::KeepPicture(detail, "trade-panel-order-detail.png");
        // On a loaded machine the window system now and then drops a key between the pointer
        // and the window that holds the focus; while that same window still stands, the key
        // is given again (a second Enter cannot place a second order: the first closes it).
        DWORD pressed = 0;
        int presses = 0;
        HWND still = NULL;
        ASSERT_TRUE(PumpUntil([&] {
            still = m_terminal.Find(kDetailTitle);
            if (still == detail && ::GetTickCount() - pressed >= 5000) {
                pressed = ::GetTickCount();
                ++presses;
                PressKey(key);
            }
            return still == NULL;
        }, kDeadlineMs))
            << (key == VK_RETURN ? "Enter" : "Esc") << " did not close the order detail; " << InputState(detail)
            << (still == detail ? "; the same window" : "; another detail window")
            << ", OK enabled " << ::IsWindowEnabled(::GetDlgItem(still, IDOK))
            << ", pressed " << presses << " times"
            << (login_test::KeepPicture(::GetDesktopWindow(), "trade-panel-detail-stays.png"), "");
        if (presses > 1)
            std::printf("the order detail took %d presses of the key\n", presses);
    };

    const int before = ItemCount(orders);
    ASSERT_NO_FATAL_FAILURE(buyAndAnswer(VK_RETURN));
    EXPECT_TRUE(PumpUntil([&] { return ItemCount(orders) == before + 1; }, kDeadlineMs))
        << "Enter did not place the order: " << ItemCount(orders) << " rows";
    // Esc drops the order: after one more confirmed order the list has grown by one only.
    ASSERT_NO_FATAL_FAILURE(buyAndAnswer(VK_ESCAPE));
    ASSERT_NO_FATAL_FAILURE(buyAndAnswer(VK_RETURN));
    EXPECT_TRUE(PumpUntil([&] { return ItemCount(orders) >= before + 2; }, kDeadlineMs));
    EXPECT_EQ(before + 2, ItemCount(orders)) << "Esc placed the order";
}

TEST_F(TradePanelScenarioTest, AHiddenFloatingPanelIsNotDraggedByPressesWhereItStood)
{
    ASSERT_NO_FATAL_FAILURE(LogIn());
    ASSERT_NO_FATAL_FAILURE(CloseNotice());
    RECT header = {};
    ::GetClientRect(m_container, &header);
    ClickAt(ScreenPointOf(m_container, header.right + kFloatIconX, kHeaderIconY));
    ASSERT_TRUE(PumpUntil([&] {
        return ::IsWindowVisible(m_panel) && ::GetAncestor(m_panel, GA_PARENT) == ::GetDesktopWindow();
    }, kDeadlineMs)) << "the panel did not float";
    KeepPanel("trade-panel-floating.png");
    const RECT floating = ScreenRectOf(m_panel);

    PressKey(VK_F12);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(m_panel); }, kDeadlineMs)) << "F12 did not hide it";
    // A drag on the main window through the strip where the panel's top stood. Our own hook,
    // set after Tolvan's, is called first and counts the release once Tolvan's has had it.
    const HHOOK counter = ::SetWindowsHookExA(WH_MOUSE_LL, &CountReleasesAfterTheChain, ::GetModuleHandleA(NULL), 0);
    ASSERT_NE(HHOOK(NULL), counter);
    const POINT from{floating.left + 300, floating.top + 10};
    DragPointer(from, POINT{from.x, from.y + 100});
    const bool released = PumpUntil([] { return s_releases > 0; }, kDeadlineMs);
    ::UnhookWindowsHookEx(counter);
    ASSERT_TRUE(released) << "the drag's release did not come";
    const RECT after = ScreenRectOf(m_panel);
    EXPECT_EQ(floating.top, after.top) << "the hidden panel was dragged";
    EXPECT_EQ(floating.left, after.left);

    PressKey(VK_F12);
    EXPECT_TRUE(PumpUntil([&] {
        return ::IsWindowVisible(m_panel) && ::GetAncestor(m_panel, GA_PARENT) == m_main;
    }, kDeadlineMs)) << "F12 did not dock the panel again";
}

}  // namespace
