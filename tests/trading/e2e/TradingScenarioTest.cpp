// Tolvan.exe against the simulator, worked through the trading windows themselves: the test
// finds them inside the running program by their ids and posts clicks and characters to
// them. An instrument chosen on the quote board reaches the order form; quantity comes from
// the keypad and price from the spin control; the bought order, its fill and the position
// show in their lists; the position is closed from the positions window and a resting order
// cancelled from today's orders; the password is changed; funds and trade history are
// queried and exported through the save dialog; the conditional-order lists stay as the host
// leaves them; the panel floats and docks again. Every step is checked in the windows and in
// the simulator's account. Screenshots are kept in <build>\test-artifacts (trade-*.png).
#include "RemoteWindows.h"
#include "TerminalUnderTest.h"

#include "testsupport/Pump.h"
#include "testsupport/Screenshot.h"
#include "testsupport/SimulatorSuite.h"
#include "testsupport/TestFiles.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cmath>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using tolvan::test::PumpUntil;
using tolvan::test::Screenshot;
using tolvan::test::SimulatorSuite;

namespace {

const DWORD kDeadlineMs = 60000;

// The windows' control ids, as their templates give them.
enum {
    kSectorTabs = 1000,
    kDeckTree = 2004,
    kFormContract = 3007, kFormPriceType = 3008, kFormQuantity = 3018, kFormPrice = 3020, kFormPriceSpin = 3022,
    kFormBuy = 3028, kFormPriceStep = 3030,
    kKeypad2 = 5026, kKeypad200 = 5008,
    kPositionsClose = 4001, kPositionsList = 4008,
    kOrdersCancel = 6001, kOrdersList = 6006,
    kFillsList = 8001, kFillsRefresh = 8006,
    kTriggerTabs = 9003, kWaitingList = 9009, kTriggeredList = 9012,
    kQuerySearch = 10005, kQueryText = 10008, kQueryStartDate = 10010, kQueryTabs = 10013, kQueryExport = 10014, kQueryEndDate = 10012,
    kFundsDate = 10015,
    kPasswordCurrent = 11004, kPasswordNew = 11007, kPasswordAgain = 11010, kPasswordModify = 11012,
};

// Columns of today's orders, today's fills and the positions.
enum { kOrderCode = 2, kOrderSide = 4, kOrderFilled = 7, kOrderState = 8, kOrderNumber = 11 };
enum { kFillCode = 2, kFillOrderNumber = 6 };
enum { kPositionCode = 1, kPositionSide = 2, kPositionQuantity = 3 };

const COLORREF kPasswordFailure = RGB(216, 0, 15);
const COLORREF kPasswordSuccess = RGB(0, 0, 255);

std::string Joined(const std::vector<std::string>& cells)
{
    std::string text;
    for (const std::string& cell : cells)
        text += (text.empty() ? "" : "|") + cell;
    return text;
}

std::string ListText(HWND list)
{
    std::string text;
    for (int row = 0; row < remote::RowCount(list); ++row)
        text += Joined(remote::RowCells(list, row)) + "\n";
    return text.empty() ? "(empty)" : text;
}

// Pixels of red text (smoothed edges included) in a rectangle of the picture.
size_t CountRed(const Screenshot& shot, const RECT& rect)
{
    size_t count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) {
            const COLORREF c = shot.PixelAt(x, y);
            count += c != CLR_INVALID && GetRValue(c) > 150 && GetRValue(c) - GetGValue(c) > 60
                     && GetRValue(c) - GetBValue(c) > 60;
        }
    return count;
}

// Line ends as an exported file has them: one CR LF each.
std::string WithCrLf(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (text[i] == '\n') {
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

class TradingScenarioTest : public SimulatorSuite
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ResetSimulator("trade"));
        ASSERT_EQ("OK", s_sim->Control("set price XAUUSD 2320.00").substr(0, 2));
        ASSERT_TRUE(login_test::WriteInstallation(*s_sim));
        ::CreateDirectoryA(login_test::RootFolder() + "test-artifacts", NULL);
    }

    void TearDown() override
    {
        EXPECT_TRUE(m_terminal.Stop()) << "Tolvan had to be ended by force";
        SimulatorSuite::TearDown();
    }

    // Logs in as 80001 through the login window and waits for the trade panel with the
    // account's gold position.
    void LogIn()
    {
        ASSERT_TRUE(m_terminal.Start());
        m_main = m_terminal.LogIn("80001", "a123456", kDeadlineMs,
                                  [](HWND) { return login_test::AllConnectionsLoggedIn(*s_sim, "80001"); });
        ASSERT_NE(HWND(NULL), m_main) << "not logged in";
        ASSERT_TRUE(PumpUntil([&] {
            HWND tree = remote::FindChild(m_main, kDeckTree, "SysTreeView32");
            m_container = tree != NULL ? ::GetParent(tree) : NULL;
            return m_container != NULL && remote::FindRow(Control(kPositionsList), kPositionCode, "XAUUSD") >= 0;
        }, kDeadlineMs)) << "no trade panel with the account's position";
        m_panel = ::GetParent(m_container);
        // The start-up notice stands over the board and the panel: it goes for good.
        HWND notice = NULL;
        if (PumpUntil([&] { return (notice = m_terminal.Find("公告")) != NULL; }, 20000)) {
            ::PostMessageA(notice, WM_COMMAND, MAKEWPARAM(1098, BN_CLICKED), (LPARAM)::GetDlgItem(notice, 1098));
            EXPECT_TRUE(PumpUntil([&] { return m_terminal.Find("公告") == NULL; }, kDeadlineMs));
        }
    }

    HWND Control(int id) const { return remote::FindChild(m_container, id); }
    HWND WindowOf(int controlId) const { return ::GetParent(Control(controlId)); }
    std::string Text(int id) const { return remote::WindowText(Control(id)); }

    // Clicks the function tree's entry of this caption.
    void ChooseEntry(const char* caption)
    {
        HWND tree = Control(kDeckTree);
        for (HTREEITEM item : remote::TreeRoots(tree)) {
            if (remote::TreeItemText(tree, item) != caption)
                continue;
            remote::PostClick(tree, remote::Centre(remote::TreeItemRect(tree, item)));
            ASSERT_TRUE(PumpUntil([&] {
                return (HTREEITEM)::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) == item;
            }, kDeadlineMs)) << caption;
            tolvan::test::PumpPending();
            return;
        }
        FAIL() << "no entry " << caption;
    }

    void ClickRow(HWND list, int row)
    {
        const RECT place = remote::RowRect(list, row);
        ASSERT_LT(place.top, place.bottom) << "row " << row;
        remote::PostClick(list, POINT{place.left + 40, (place.top + place.bottom) / 2});
        ASSERT_TRUE(PumpUntil([&] {
            return ::SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED) == row;
        }, kDeadlineMs)) << "row " << row << " not selected";
    }

    // A visible list's row once `condition` holds for its cells; -1 at the deadline.
    int WaitForRow(HWND list, std::function<bool(const std::vector<std::string>&)> condition)
    {
        int found = -1;
        PumpUntil([&] {
            for (int row = 0; row < remote::RowCount(list) && found < 0; ++row)
                if (condition(remote::RowCells(list, row)))
                    found = row;
            return found >= 0;
        }, kDeadlineMs);
        return found;
    }

    // `painted` tells when the picture shows the window's latest state (the other process may
    // not have painted it yet).
    Screenshot Keep(HWND window, const char* name, std::function<bool(const Screenshot&)> painted = nullptr)
    {
        const Screenshot shot = login_test::KeepPicture(window, name, [&](const Screenshot& shot) {
            // A window not painted yet comes out black.
            return shot.CountColor(RGB(0, 0, 0)) < shot.Pixels().size() / 2 && (!painted || painted(shot));
        });
        EXPECT_FALSE(shot.IsEmpty()) << name;
        return shot;
    }

    std::string Account() { return s_sim->Control("account 80001"); }
    double HeldInSimulator(const char* code) { return login_test::HeldInSimulator(*s_sim, "80001", code); }
    std::string OrderStateInSimulator(const std::string& orderNo)
    {
        return login_test::OrderStateInSimulator(*s_sim, "80001", orderNo);
    }

    // Answers the program's save dialog with `path` as a person would: the name typed into
    // its file-name field, then OK.
    void AnswerSaveDialog(const std::string& path)
    {
        HWND dialog = NULL, field = NULL;
        ASSERT_TRUE(PumpUntil([&] {
            for (int id : {0x47C /* cmb13 */, 0x480 /* edt1 */}) {
                dialog = remote::FindTopLevelWithChild(m_terminal.Id(), id);
                if (dialog != NULL && ::IsWindowVisible(dialog)) {
                    field = ::GetDlgItem(dialog, id);
                    return true;
                }
            }
            return false;
        }, kDeadlineMs)) << "no save dialog";
        char className[32] = {0};
        ::GetClassNameA(field, className, sizeof(className));
        if (_stricmp(className, "ComboBox") == 0) {
            HWND edit = ::FindWindowExA(field, NULL, "Edit", NULL);
            if (edit != NULL)
                field = edit;
        }
        ::SendMessageA(field, WM_SETTEXT, 0, (LPARAM)path.c_str());
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(dialog, IDOK));
        ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); }, kDeadlineMs))
            << "the save dialog stayed";
    }

    std::string ScratchPath(const char* name)
    {
        char temp[MAX_PATH] = {0};
        ::GetTempPathA(MAX_PATH, temp);
        std::string folder = std::string(temp) + "tolvan_trade_e2e";
        ::CreateDirectoryA(folder.c_str(), NULL);
        const std::string path = folder + "\\" + name;
        ::DeleteFileA(path.c_str());
        return path;
    }

    login_test::CTerminal m_terminal;
    HWND m_main = NULL;
    HWND m_panel = NULL;
    HWND m_container = NULL;
};

TEST_F(TradingScenarioTest, BuyFromTheBoardThenCloseAndCancelInTheLists)
{
    ASSERT_NO_FATAL_FAILURE(LogIn());
    Keep(m_panel, "trade-panel-docked.png");
    const double heldBefore = HeldInSimulator("XAUUSD");
    ASSERT_GT(heldBefore, 0.0);

    // The board's forex page: clicking the gold row puts it into the order form.
    HWND tabs = ::GetDlgItem(m_main, kSectorTabs);
    ASSERT_NE(HWND(NULL), tabs);
    HWND quotes = NULL;
    int goldRow = -1;
    // A click that lands while the board lays itself out again is made again on the next round.
    const int tabCount = (int)::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0);
    for (int attempt = 0; attempt < 3 * tabCount && goldRow < 0; ++attempt) {
        const int tab = attempt % tabCount;
        remote::PostClick(tabs, remote::Centre(remote::TabRect(tabs, tab)));
        PumpUntil([&] {
            quotes = login_test::ShownQuoteList(m_main);
            goldRow = quotes != NULL && ::SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == tab
                          ? remote::FindRow(quotes, 1, "XAUUSD") : -1;
            return goldRow >= 0;
        }, 5000);
    }
    ASSERT_GE(goldRow, 0) << "no XAUUSD row on the board";
    const std::string goldName = remote::CellText(quotes, goldRow, 2);
    ClickRow(quotes, goldRow);
    ASSERT_TRUE(PumpUntil([&] { return Text(kFormContract) == goldName; }, kDeadlineMs))
        << "the order form shows \"" << Text(kFormContract) << "\", not " << goldName;
    HWND form = WindowOf(kFormQuantity);

    // A limit order: the price field opens with the last price.
    HWND priceType = Control(kFormPriceType);
    ::SendMessageA(priceType, CB_SETCURSEL, 1, 0);
    ::PostMessageA(form, WM_COMMAND, MAKEWPARAM(kFormPriceType, CBN_SELCHANGE), (LPARAM)priceType);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowEnabled(Control(kFormPrice)) != FALSE; }, kDeadlineMs));
    EXPECT_EQ("2320.00", Text(kFormPrice));

    // Clicking into the quantity opens the keypad under it; "2" sets the quantity.
    remote::PostClickCentre(Control(kFormQuantity));
    HWND keypad = NULL;
    ASSERT_TRUE(PumpUntil([&] {
        keypad = remote::FindTopLevelWithChild(m_terminal.Id(), kKeypad200);
        return keypad != NULL && ::IsWindowVisible(keypad);
    }, kDeadlineMs)) << "no keypad";
    RECT field, pad;
    ::GetWindowRect(Control(kFormQuantity), &field);
    ::GetWindowRect(keypad, &pad);
    EXPECT_EQ(field.left, pad.left);
    EXPECT_EQ(field.bottom, pad.top);
    Keep(keypad, "trade-keypad.png");
    remote::PostClickCentre(::GetDlgItem(keypad, kKeypad2));
    ASSERT_TRUE(PumpUntil([&] { return Text(kFormQuantity) == "2"; }, kDeadlineMs)) << Text(kFormQuantity);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(keypad); }, kDeadlineMs));

    // The spin's upper arrow raises the price by one step: the limit lies above the market.
    const std::string step = Text(kFormPriceStep);
    ASSERT_EQ("0.01", step);
    HWND spin = Control(kFormPriceSpin);
    RECT spinClient;
    ::GetClientRect(spin, &spinClient);
    remote::PostClick(spin, POINT{spinClient.right / 2, 3});
    ASSERT_TRUE(PumpUntil([&] { return Text(kFormPrice) == "2320.01"; }, kDeadlineMs)) << Text(kFormPrice);
    Keep(form, "trade-order-form.png");

    // Buy: the order fills at once; today's orders, the positions and the account show it.
    remote::PostClickCentre(Control(kFormBuy));
    HWND orders = Control(kOrdersList);
    HWND positions = Control(kPositionsList);
    const int boughtRow = WaitForRow(orders, [](const std::vector<std::string>& cells) {
        return cells.size() > kOrderNumber && cells[kOrderCode] == "XAUUSD" && cells[kOrderState] == "已成交";
    });
    ASSERT_GE(boughtRow, 0) << ListText(orders);
    const std::vector<std::string> bought = remote::RowCells(orders, boughtRow);
    EXPECT_EQ("买", bought[kOrderSide]);
    EXPECT_EQ("Filled", OrderStateInSimulator(bought[kOrderNumber]));
    // The form counts lots of 100 ounces: two lots are 200 units at the host.
    EXPECT_TRUE(PumpUntil([&] { return HeldInSimulator("XAUUSD") == heldBefore + 200; }, kDeadlineMs)) << Account();
    // The positions window shows forex quantities in lots of 100 ounces.
    const double lotsHeld = (heldBefore + 200) / 100.0;
    const int positionRow = WaitForRow(positions, [&](const std::vector<std::string>& cells) {
        return cells.size() > kPositionQuantity && cells[kPositionCode] == "XAUUSD"
               && std::fabs(atof(cells[kPositionQuantity].c_str()) - lotsHeld) < 1e-6;
    });
    ASSERT_GE(positionRow, 0) << "expected " << lotsHeld << " lots held:\n" << ListText(positions);
    // A buy is drawn red in both lists.
    const RECT sideCell = remote::RowRect(orders, boughtRow);
    Keep(WindowOf(kOrdersList), "trade-orders.png");
    Keep(WindowOf(kPositionsList), "trade-positions.png");
    const Screenshot orderShot = Screenshot::CaptureClient(orders);
    EXPECT_GT(CountRed(orderShot, sideCell), 10u) << "no red buy in today's orders";

    // Today's fills, refreshed from the fills window: the buy's fill.
    ASSERT_NO_FATAL_FAILURE(ChooseEntry("当日成交"));
    HWND fills = Control(kFillsList);
    remote::PostClickCentre(Control(kFillsRefresh));
    const int fillRow = WaitForRow(fills, [&](const std::vector<std::string>& cells) {
        return cells.size() > kFillOrderNumber && cells[kFillOrderNumber] == bought[kOrderNumber];
    });
    ASSERT_GE(fillRow, 0) << ListText(fills);
    EXPECT_EQ("XAUUSD", remote::CellText(fills, fillRow, kFillCode));
    Keep(WindowOf(kFillsList), "trade-fills.png");

    // A limit far below the market rests; it is cancelled from today's orders.
    ASSERT_NO_FATAL_FAILURE(ChooseEntry("交易"));
    HWND price = Control(kFormPrice);
    remote::PostClickCentre(price);
    ::PostMessageA(price, EM_SETSEL, 0, -1);
    remote::PostText(price, "1000.00");
    ASSERT_TRUE(PumpUntil([&] { return Text(kFormPrice) == "1000.00"; }, kDeadlineMs)) << Text(kFormPrice);
    remote::PostClickCentre(Control(kFormBuy));
    std::string resting;
    const int restingRow = WaitForRow(orders, [](const std::vector<std::string>& cells) {
        return cells.size() > kOrderNumber && cells[kOrderCode] == "XAUUSD" && cells[kOrderState] == "已提交";
    });
    ASSERT_GE(restingRow, 0) << ListText(orders);
    resting = remote::CellText(orders, restingRow, kOrderNumber);
    EXPECT_EQ("Submitted", OrderStateInSimulator(resting));
    ASSERT_NO_FATAL_FAILURE(ClickRow(orders, restingRow));
    remote::PostClickCentre(Control(kOrdersCancel));
    EXPECT_TRUE(PumpUntil([&] { return OrderStateInSimulator(resting) == "Cancelled"; }, kDeadlineMs))
        << OrderStateInSimulator(resting);
    EXPECT_GE(WaitForRow(orders, [&](const std::vector<std::string>& cells) {
        return cells.size() > kOrderNumber && cells[kOrderNumber] == resting && cells[kOrderState] == "已取消";
    }), 0) << ListText(orders);

    // Closing the gold position from the positions window.
    const int goldPosition = remote::FindRow(positions, kPositionCode, "XAUUSD");
    ASSERT_GE(goldPosition, 0) << ListText(positions);
    ASSERT_NO_FATAL_FAILURE(ClickRow(positions, goldPosition));
    remote::PostClickCentre(Control(kPositionsClose));
    EXPECT_TRUE(PumpUntil([&] { return HeldInSimulator("XAUUSD") == 0.0; }, kDeadlineMs)) << Account();
    EXPECT_TRUE(PumpUntil([&] { return remote::FindRow(positions, kPositionCode, "XAUUSD") < 0; }, kDeadlineMs))
        << ListText(positions);
    Keep(m_panel, "trade-panel-after-close.png");
}

TEST_F(TradingScenarioTest, PasswordQueriesConditionalListsAndFloating)
{
    ASSERT_NO_FATAL_FAILURE(LogIn());

    // Password: a wrong current password is refused here; the right one changes it at the host.
    ASSERT_NO_FATAL_FAILURE(ChooseEntry("修改密码"));
    HWND passwordPage = WindowOf(kPasswordModify);
    ASSERT_TRUE(::IsWindowVisible(passwordPage));
    const RECT statusArea = {0, 0, 10000, 10000};
    auto typeInto = [&](int id, const char* text) {
        HWND edit = Control(id);
        ::SendMessageA(edit, WM_SETTEXT, 0, (LPARAM) "");
        remote::PostClickCentre(edit);
        remote::PostText(edit, text);
        ASSERT_TRUE(PumpUntil([&] { return remote::WindowText(edit) == text; }, kDeadlineMs)) << id;
    };
    struct Attempt { const char* current; COLORREF colour; bool reachesHost; const char* shot; };
    const Attempt attempts[] = {{"wrong99", kPasswordFailure, false, "trade-password-refused.png"},
                                {"a123456", kPasswordSuccess, true, "trade-password-changed.png"}};
    for (const Attempt& attempt : attempts) {
        s_sim->Control("clear requests");
        ASSERT_NO_FATAL_FAILURE(typeInto(kPasswordCurrent, attempt.current));
        ASSERT_NO_FATAL_FAILURE(typeInto(kPasswordNew, "b654321"));
        ASSERT_NO_FATAL_FAILURE(typeInto(kPasswordAgain, "b654321"));
        // The status line is drawn in the verdict's colour.
        const size_t before = Screenshot::CaptureClient(passwordPage).CountColor(attempt.colour, &statusArea);
        remote::PostClickCentre(Control(kPasswordModify));
        Keep(passwordPage, attempt.shot, [&](const Screenshot& shot) {
            return shot.CountColor(attempt.colour, &statusArea) > before + 5;
        });
        EXPECT_GT(Screenshot::CaptureClient(passwordPage).CountColor(attempt.colour, &statusArea), before + 5)
            << attempt.current;
        const std::string requests = s_sim->Control("requests trade") + s_sim->Control("requests query");
        EXPECT_EQ(attempt.reachesHost, requests.find("editpwd@") != std::string::npos) << requests;
    }

    // Funds: queried on the query window's first page and exported as shown.
    ASSERT_NO_FATAL_FAILURE(ChooseEntry("查询"));
    HWND fundsPage = WindowOf(kFundsDate);
    HWND fundsText = remote::FindChild(fundsPage, kQueryText);
    ::PostMessageA(::GetDlgItem(fundsPage, kQuerySearch), BM_CLICK, 0, 0);
    std::string funds;
    ASSERT_TRUE(PumpUntil([&] {
        funds = remote::WindowText(fundsText);
        return funds.find("可用资金:") != std::string::npos;
    }, kDeadlineMs)) << funds;
    EXPECT_NE(std::string::npos, funds.find("总资产:")) << funds;
    Keep(WindowOf(kQueryTabs), "trade-query-funds.png");
    const std::string fundsFile = ScratchPath("funds.txt");
    remote::PostClickCentre(Control(kQueryExport));
    ASSERT_NO_FATAL_FAILURE(AnswerSaveDialog(fundsFile));
    EXPECT_TRUE(PumpUntil([&] { return tolvan::test::ReadFileBytes(fundsFile.c_str()) == WithCrLf(funds); }, 10000))
        << tolvan::test::ReadFileBytes(fundsFile.c_str());

    // Trade history: its tab, a query of the default dates, and the export.
    HWND queryTabs = Control(kQueryTabs);
    remote::PostClick(queryTabs, remote::Centre(remote::TabRect(queryTabs, 1)));
    HWND historyPage = WindowOf(kQueryEndDate);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(historyPage) != FALSE; }, kDeadlineMs));
    HWND historyText = remote::FindChild(historyPage, kQueryText);
    // The simulator's history lies in the weeks before its clock (2024-06-14).
    for (int id : {kQueryStartDate, kQueryEndDate}) {
        SYSTEMTIME date = {2024, 6, 0, WORD(id == kQueryStartDate ? 1 : 14)};
        remote::CRemoteMemory memory(historyPage, sizeof(date));
        ASSERT_TRUE(memory.Write(&date, sizeof(date)));
        ASSERT_EQ(TRUE, (BOOL)::SendMessageA(::GetDlgItem(historyPage, id), DTM_SETSYSTEMTIME, GDT_VALID,
                                             (LPARAM)memory.Address()));
    }
    ::PostMessageA(::GetDlgItem(historyPage, kQuerySearch), BM_CLICK, 0, 0);
    std::string history;
    ASSERT_TRUE(PumpUntil([&] {
        history = remote::WindowText(historyText);
        return history.find("XAU") != std::string::npos || history.find("EUR") != std::string::npos
               || history.find("CL") != std::string::npos;
    }, kDeadlineMs)) << history;
    Keep(WindowOf(kQueryTabs), "trade-query-history.png");
    const std::string historyFile = ScratchPath("history.txt");
    remote::PostClickCentre(Control(kQueryExport));
    ASSERT_NO_FATAL_FAILURE(AnswerSaveDialog(historyFile));
    EXPECT_TRUE(PumpUntil([&] {
        return tolvan::test::ReadFileBytes(historyFile.c_str()) == WithCrLf(history);
    }, 10000)) << tolvan::test::ReadFileBytes(historyFile.c_str());

    // The conditional-order lists: built with their columns; the host sends them nothing, so
    // they stay empty. No entry shows them; the picture is taken with the window lifted.
    HWND waiting = Control(kWaitingList), triggered = Control(kTriggeredList);
    ASSERT_NE(HWND(NULL), waiting);
    ASSERT_NE(HWND(NULL), triggered);
    EXPECT_EQ(9, remote::ColumnCount(waiting));
    EXPECT_EQ(9, remote::ColumnCount(triggered));
    EXPECT_EQ(0, remote::RowCount(waiting));
    EXPECT_EQ(0, remote::RowCount(triggered));
    HWND triggerboard = WindowOf(kTriggerTabs);
    RECT query;
    ::GetWindowRect(WindowOf(kQueryTabs), &query);
    ::MapWindowPoints(NULL, m_container, reinterpret_cast<POINT*>(&query), 2);
    ::SetWindowPos(triggerboard, HWND_TOP, query.left, query.top, query.right - query.left, query.bottom - query.top,
                   SWP_SHOWWINDOW);
    Keep(triggerboard, "trade-conditional-orders.png");
    ::ShowWindow(triggerboard, SW_HIDE);

    // The header's float button lifts the panel out of the main window; pressed again it docks.
    RECT container;
    ::GetClientRect(m_container, &container);
    remote::PostClick(m_container, POINT{container.right - 4, 4});
    ASSERT_TRUE(PumpUntil([&] {
        return ::GetAncestor(m_panel, GA_PARENT) == ::GetDesktopWindow() && ::IsWindowVisible(m_panel);
    }, kDeadlineMs))
        << "the panel did not float";
    Keep(m_panel, "trade-panel-floating.png");
    Keep(::GetDesktopWindow(), "trade-panel-floating-on-screen.png");
    ::GetClientRect(m_container, &container);
    remote::PostClick(m_container, POINT{container.right - 4, 4});
    ASSERT_TRUE(PumpUntil([&] {
        return ::GetAncestor(m_panel, GA_PARENT) == m_main && ::IsWindowVisible(m_panel);
    }, kDeadlineMs))
        << "the panel did not dock again";
    Keep(m_main, "trade-panel-docked-again.png");
}

}  // namespace
