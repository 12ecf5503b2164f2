// Tolvan.exe against the simulator: a whole trading round through the main window's handlers.
// The test logs in through the real login window, then acts as the trade panel would, through
// the program's test hook (TOLVAN_DESK_PROBE): buy at market and see the fill and the
// position, cancel a resting limit order, close all, and let a price fall trip the risk line
// set in the real risk settings window. Every step is checked in the lists the program keeps
// for the trade panel and in the simulator's account. Screenshots of the order detail and risk
// settings windows are kept in <build>\test-artifacts.
#include "DeskResource.h"
#include "RemoteWindows.h"
#include "TerminalProbe.h"
#include "TerminalUnderTest.h"
#include "testsupport/Pump.h"
#include "testsupport/RealInput.h"
#include "testsupport/Screenshot.h"
#include "testsupport/SimulatorSuite.h"
#include "testsupport/TestFiles.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using login_test::BinFolder;
using login_test::Cells;
using login_test::ControlText;
using login_test::ProbeState;
using login_test::RootFolder;
using tolvan::test::PumpUntil;
using tolvan::test::Screenshot;
using tolvan::test::SimulatorSuite;

namespace {

const DWORD kDeadlineMs = 60000;
const int kSectorTabs = 1000;

// Cells of the first of today's orders with this order number (cell 11); none when missing.
std::vector<std::string> OrderRow(const ProbeState& state, const std::string& orderNo)
{
    for (const std::string& row : state.All("order"))
    {
        const std::vector<std::string> cells = Cells(row);
        if (cells.size() == 15 && cells[11] == orderNo)
            return cells;
    }
    return {};
}

// A window for failure messages: its title and class.
std::string Describe(HWND window)
{
    char title[128] = "", windowClass[64] = "";
    ::GetWindowTextA(window, title, sizeof(title));
    ::GetClassNameA(window, windowClass, sizeof(windowClass));
    return std::string("\"") + title + "\" [" + windowClass + "]";
}

std::vector<std::string> PositionRow(const ProbeState& state, const char* code)
{
    for (const std::string& row : state.All("position"))
    {
        const std::vector<std::string> cells = Cells(row);
        if (cells.size() > 1 && cells[1] == code)
            return cells;
    }
    return {};
}

// The codes of each A-share quote poll in the simulator's HTTP log, as sent ("600100" or
// "600100,600101"), oldest first. Entries are JSON objects with sorted keys, "body" first.
std::vector<std::string> CsmPolls(const std::string& log)
{
    const std::string entryStart = "{\"body\": ";
    std::vector<std::string> polls;
    for (size_t at = log.find(entryStart); at != std::string::npos;)
    {
        const size_t next = log.find(entryStart, at + 1);
        const std::string entry = log.substr(at, next == std::string::npos ? std::string::npos : next - at);
        at = next;
        if (entry.find("\"path\": \"/services/stock/csm/stock") == std::string::npos
            || entry.find("Timely\"") == std::string::npos)
            continue;
        for (const char* key : {"\"codes\": \"", "\"code\": \""})
        {
            const size_t field = entry.find(key);
            if (field == std::string::npos)
                continue;
            const size_t from = field + strlen(key);
            polls.push_back(entry.substr(from, entry.find('"', from) - from));
            break;
        }
    }
    return polls;
}

std::string Joined(const std::vector<std::string>& texts)
{
    std::string joined;
    for (const std::string& text : texts)
        joined += "[" + text + "]";
    return joined;
}

class DeskScenarioTest : public SimulatorSuite
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ResetSimulator("trade"));
        ::CreateDirectoryA(RootFolder() + "test-artifacts", NULL);
        // The files an installation has beside the program, pointing at this simulator; every
        // order is shown in the order detail window first.
        ASSERT_TRUE(login_test::WriteInstallation(*s_sim));
        ::WritePrivateProfileStringA("Settings", "ShowOrderDetail", "1", BinFolder() + "Config.ini");
    }

    void TearDown() override
    {
        EXPECT_TRUE(m_terminal.Stop()) << "Tolvan did not end after WM_CLOSE";
        SimulatorSuite::TearDown();
    }

    HWND Find(const char* title, HWND except = NULL) { return m_terminal.Find(title, except); }

    // Starts the terminal, logs in as 80001 through the login window and waits for the main
    // window.
    void StartAndLogIn()
    {
        ASSERT_TRUE(m_terminal.Start());
        m_main = m_terminal.LogIn("80001", "a123456", kDeadlineMs);
        ASSERT_NE(HWND(NULL), m_main) << "no login window, or no main window after login";
        m_probe.Attach(m_main);
    }

    void Command(const char* command)
    {
        ASSERT_TRUE(m_probe.Command(command)) << "the hook did not take " << command;
    }

    // Confirms the order in the order detail window once the server's verdict is in.
    void ConfirmDetail(const char* screenshot = nullptr)
    {
        HWND detail = NULL;
        ASSERT_TRUE(PumpUntil([&] {
            detail = Find("订单明细");
            return detail != NULL && ::IsWindowEnabled(::GetDlgItem(detail, IDOK));
        }, kDeadlineMs)) << "no order detail verdict";
        EXPECT_EQ("确定", ControlText(detail, IDOK));
        if (screenshot != nullptr)   // the verdict's figures are drawn in blue
            Keep(detail, screenshot, [](const Screenshot& shot) { return shot.CountColor(RGB(0, 0, 255)) > 20; });
        ::PostMessageA(detail, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(PumpUntil([&] { return Find("订单明细") == NULL; }, kDeadlineMs));
    }

    // The order number of the newest row in the given state.
    static std::string NewestOrder(const ProbeState& state, const char* status)
    {
        for (const std::string& row : state.All("order"))
        {
            const std::vector<std::string> cells = Cells(row);
            if (cells.size() == 15 && cells[8] == status && cells[11] != "---")
                return cells[11];
        }
        return std::string();
    }

    std::string Account() { return s_sim->Control("account 80001"); }
    double HeldInSimulator(const char* code) { return login_test::HeldInSimulator(*s_sim, "80001", code); }
    std::string OrderStateInSimulator(const std::string& orderNo)
    {
        return login_test::OrderStateInSimulator(*s_sim, "80001", orderNo);
    }

    // Waits for the program's message box, checks its text and closes it as its OK button does.
    void CloseBox(const char* text, const char* screenshot = nullptr)
    {
        HWND box = NULL;
        ASSERT_TRUE(PumpUntil([&] { return (box = Find("Tolvan证券", m_main)) != NULL; }, kDeadlineMs))
            << "no box saying " << text;
        EXPECT_EQ(text, ControlText(box, 0xFFFF));
        if (screenshot != nullptr)
            Keep(box, screenshot);
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(box); }, kDeadlineMs));
    }

    void Sim(const std::string& command)
    {
        ASSERT_EQ("OK", s_sim->Control(command).substr(0, 2)) << command;
    }

    // Opens the risk settings window from the caption button and sets the line.
    void SetRiskLine(double line)
    {
        ::PostMessageA(m_main, WM_COMMAND, 5, 0);   // the caption button "风险设置"
        HWND risk = NULL;
        ASSERT_TRUE(PumpUntil([&] { return (risk = Find("风险设置")) != NULL && ::IsWindowVisible(risk); }, kDeadlineMs));
        ASSERT_TRUE(PumpUntil([&] { return ::IsWindowEnabled(::GetDlgItem(risk, IDC_RISK_LINE_EDIT)) != FALSE; }))
            << "the edit waits for positive assets";
        char text[32];
        sprintf(text, "%.2f", line);
        ::SendMessageA(::GetDlgItem(risk, IDC_RISK_LINE_EDIT), WM_SETTEXT, 0, (LPARAM)text);
        ::PostMessageA(risk, WM_COMMAND, IDOK, 0);
        ProbeState state;
        ASSERT_TRUE(m_probe.WaitState([&](const ProbeState& s) { return s["risk"] == std::string("1 0 ") + text; },
                                      &state)) << state["risk"];
    }

    // A long at market and a limit order resting far below the market; the resting order's
    // number and the account's total assets then.
    void OpenLongAndRestingOrder(std::string* resting, double* assets)
    {
        ASSERT_NO_FATAL_FAILURE(Command("ticket 买入 市价 XAUUSD - 1 0.01"));
        ASSERT_NO_FATAL_FAILURE(ConfirmDetail());
        ASSERT_NO_FATAL_FAILURE(Command("ticket 买入 限价 XAUUSD 1000.00 1 0.01"));
        ASSERT_NO_FATAL_FAILURE(ConfirmDetail());
        ProbeState state;
        ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) {
            return !PositionRow(s, "XAUUSD").empty() && !NewestOrder(s, "已提交").empty() && s["pending"] == "0";
        }, &state));
        *resting = NewestOrder(state, "已提交");
        *assets = login_test::JsonNumber(Account(), "total");
    }

    // `painted` tells when the picture shows the window's latest state.
    void Keep(HWND window, const char* name, const std::function<bool(const Screenshot&)>& painted = nullptr)
    {
        EXPECT_FALSE(login_test::KeepPicture(window, name, painted).IsEmpty()) << name;
    }

    login_test::CTerminalProbe m_probe{RootFolder() + "test-artifacts\\desk-state.txt"};
    login_test::CTerminal m_terminal;
    HWND m_main = NULL;
};

TEST_F(DeskScenarioTest, BuyCancelCloseAllAndTripTheRiskLine)
{
    ASSERT_EQ("OK", s_sim->Control("set price XAUUSD 2320.00").substr(0, 2));
    ASSERT_NO_FATAL_FAILURE(StartAndLogIn());

    // After the query login's initial load: the account's gold long and its funds.
    ProbeState state;
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) {
        return s["trade"] == "1" && s["query"] == "1" && s["pending"] == "0" && !PositionRow(s, "XAUUSD").empty()
               && s["funds"].size() > 7;
    }, &state)) << state["trade"] << " " << state["query"] << " pending " << state["pending"];
    const double heldBefore = HeldInSimulator("XAUUSD");
    ASSERT_GT(heldBefore, 0.0);
    EXPECT_TRUE(m_probe.WaitState([](const ProbeState& s) { return !s["header"].empty(); }, &state))
        << "the panel's header shows the account figures";

    // The query connection goes and cannot log in again: the panel's orders and positions are
    // emptied. Once it is back, its initial load fills them again.
    ASSERT_EQ("OK", s_sim->Control("refuse query on").substr(0, 2));
    ASSERT_EQ("OK", s_sim->Control("drop query").substr(0, 2));
    ASSERT_TRUE(m_probe.WaitState(
        [](const ProbeState& s) { return s["query"] != "1" && s.All("position").empty(); }, &state))
        << state["query"] << " positions " << state.All("position").size();
    ASSERT_EQ("OK", s_sim->Control("refuse query off").substr(0, 2));
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) {
        return s["query"] == "1" && s["pending"] == "0" && !PositionRow(s, "XAUUSD").empty();
    }, &state)) << state["query"] << " pending " << state["pending"];

    // Buy at market: confirmed in the order detail window, filled, and the position grows.
    ASSERT_NO_FATAL_FAILURE(Command("ticket 买入 市价 XAUUSD - 1 0.01"));
    ASSERT_NO_FATAL_FAILURE(ConfirmDetail("order-detail.png"));
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) { return !NewestOrder(s, "已成交").empty(); }, &state))
        << (state.All("order").empty() ? std::string("no orders") : state.All("order")[0]);
    const std::vector<std::string> bought = OrderRow(state, NewestOrder(state, "已成交"));
    EXPECT_EQ("XAUUSD", bought[2]);
    EXPECT_EQ("市价", bought[3]);
    EXPECT_EQ("买", bought[4]);
    const double heldAfterBuy = HeldInSimulator("XAUUSD");
    EXPECT_GT(heldAfterBuy, heldBefore);
    EXPECT_EQ("Filled", OrderStateInSimulator(bought[11]));

    // Today's fills, asked for as the fills window's refresh does: the buy is among them.
    ASSERT_NO_FATAL_FAILURE(Command("refresh-fills"));
    ASSERT_TRUE(m_probe.WaitState(
        [](const ProbeState& s) { return !s.All("fill").empty() && s["pending"] == "0"; }, &state));
    ASSERT_EQ(1u, state.All("fill").size());
    const std::vector<std::string> fill = Cells(state.All("fill")[0]);
    ASSERT_EQ(10u, fill.size());
    EXPECT_EQ("XAUUSD", fill[2]);
    EXPECT_EQ(bought[11], fill[6]);

    // A limit far below the market rests; cancelling it leaves it cancelled on both sides.
    ASSERT_NO_FATAL_FAILURE(Command("ticket 买入 限价 XAUUSD 1000.00 1 0.01"));
    ASSERT_NO_FATAL_FAILURE(ConfirmDetail());
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) { return !NewestOrder(s, "已提交").empty(); }, &state));
    const std::string resting = NewestOrder(state, "已提交");
    ASSERT_NO_FATAL_FAILURE(Command(("select-order " + resting).c_str()));
    ASSERT_NO_FATAL_FAILURE(Command("cancel"));
    ASSERT_TRUE(m_probe.WaitState([&](const ProbeState& s) {
        return OrderRow(s, resting).size() == 15 && OrderRow(s, resting)[8] == "已取消" && s["pending"] == "0";
    }, &state)) << resting;
    EXPECT_EQ("Cancelled", OrderStateInSimulator(resting));

    // Close all: the positions go, in the program's list and in the account.
    ASSERT_NO_FATAL_FAILURE(Command("close-all"));
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) { return s.All("position").empty(); }, &state));
    EXPECT_TRUE(PumpUntil([&] { return Account().find("\"positions\": {}") != std::string::npos; })) << Account();

    // A new long and a resting order, then a risk line just under the total assets.
    std::string restingAgain;
    double assets = 0.0;
    ASSERT_NO_FATAL_FAILURE(OpenLongAndRestingOrder(&restingAgain, &assets));
    ASSERT_GT(assets, 100.0);

    ::PostMessageA(m_main, WM_COMMAND, 5, 0);   // the caption button "风险设置"
    HWND risk = NULL;
    ASSERT_TRUE(PumpUntil([&] { return (risk = Find("风险设置")) != NULL; }, kDeadlineMs));
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowEnabled(::GetDlgItem(risk, IDC_RISK_LINE_EDIT)) != FALSE; }))
        << "the edit waits for positive assets";
    char line[32];
    sprintf(line, "%.2f", assets - 50.0);
    ::SendMessageA(::GetDlgItem(risk, IDC_RISK_LINE_EDIT), WM_SETTEXT, 0, (LPARAM)line);
    Keep(risk, "risk-settings.png");
    ::PostMessageA(risk, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) { return s["risk"].compare(0, 4, "1 0 ") == 0; }, &state))
        << state["risk"];
    EXPECT_EQ(std::string("1 0 ") + line, state["risk"]);

    // The price falls by 100: the assets drop below the line. Orders are cancelled, the
    // console is told to stop, every position is closed, and the alarm box waits.
    ASSERT_EQ("OK", s_sim->Control("set price XAUUSD 2220.00").substr(0, 2));
    HWND alarm = NULL;
    ASSERT_TRUE(PumpUntil([&] { return (alarm = Find("Tolvan证券", m_main)) != NULL; }, kDeadlineMs))
        << "no alarm box";
    EXPECT_EQ("账号已达到风控设置值，补单运行已停止!", ControlText(alarm, 0xFFFF));
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) { return s.All("position").empty(); }, &state));
    EXPECT_EQ("1 2", state["risk"].substr(0, 3));
    EXPECT_EQ("1", state["console-stops"]);
    EXPECT_EQ("1", state["alarm"]) << "sounding until the box is closed";
    EXPECT_EQ("2", state["alarm-plays"]);
    // While the box is open the alarm repeats every 13 seconds.
    EXPECT_TRUE(m_probe.WaitState([](const ProbeState& s) { return s["alarm-plays"] == "3"; }, &state))
        << state["alarm-plays"];
    EXPECT_EQ("Cancelled", OrderStateInSimulator(restingAgain));
    EXPECT_TRUE(PumpUntil([&] { return Account().find("\"positions\": {}") != std::string::npos; })) << Account();

    ::PostMessageA(alarm, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) { return s["alarm"] == "0"; }, &state));
    EXPECT_EQ("1", state["sound-stops"]);
    EXPECT_EQ("1 2", state["risk"].substr(0, 3)) << "waits for the assets to recover";

    // The order form's option "show the order detail", switched off, is kept in Config.ini.
    ::SendMessageA(m_main, 1176, 0, 0);   // as the trade dialog relays the option
    EXPECT_EQ(0, (int)::GetPrivateProfileIntA("Settings", "ShowOrderDetail", 1, BinFolder() + "Config.ini"));
}

// The simulator's ticks move prices without sending the positions again: the floating
// profit in the panel's row follows the quotes alone.
TEST_F(DeskScenarioTest, FloatingProfitFollowsTheQuotes)
{
    ASSERT_NO_FATAL_FAILURE(StartAndLogIn());
    ProbeState state;
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) {
        return s["query"] == "1" && s["pending"] == "0" && PositionRow(s, "XAUUSD").size() > 5;
    }, &state));
    const std::string before = PositionRow(state, "XAUUSD")[5];
    const std::string fundsBefore = state["funds"];
    DWORD lastTick = 0;
    EXPECT_TRUE(m_probe.WaitState([&](const ProbeState& s) {
        if (::GetTickCount() - lastTick >= 300)
        {
            lastTick = ::GetTickCount();
            s_sim->Control("tick");
        }
        const std::vector<std::string> row = PositionRow(s, "XAUUSD");
        return row.size() > 5 && row[5] != before && s["funds"] != fundsBefore;
    }, &state)) << "the profit stays at " << before << ", the account's figures at " << fundsBefore;
}

// A stock the account holds is polled by the web quote pollers while the board shows another
// sector, so that no visible row holds it; its polled price reaches the position's profit.
TEST_F(DeskScenarioTest, AHeldStockOffTheShownPageIsPolledAndValued)
{
    // Long 500 shares of an A share far down its list at 10.00; no notice over the board.
    ASSERT_NO_FATAL_FAILURE(Sim("http notice off"));
    ASSERT_NO_FATAL_FAILURE(Sim("hold 80001 600100 500 10.00"));
    ASSERT_NO_FATAL_FAILURE(StartAndLogIn());
    ProbeState state;
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) { return PositionRow(s, "600100").size() > 5; }, &state))
        << state.All("position").size() << " positions";

    HWND tabs = ::GetDlgItem(m_main, kSectorTabs);
    int forex = -1;
    ASSERT_TRUE(PumpUntil([&] {
        const int count = (int)::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0);
        for (int tab = 0; tab < count && forex < 0; ++tab)
            if (remote::TabText(tabs, tab) == "外汇现货")
                forex = tab;
        return forex >= 0;
    }, kDeadlineMs)) << "no tab of the forex sector";
    // The user clicks the tab; a click that lands while the board still lays itself out is
    // given again.
    bool shown = false;
    for (int attempt = 0; attempt < 10 && !shown; ++attempt)
    {
        tolvan::test::BringToForeground(m_main);
        const POINT centre = remote::Centre(remote::TabRect(tabs, forex));
        tolvan::test::ClickAt(tolvan::test::ScreenPointOf(tabs, centre.x, centre.y));
        shown = PumpUntil([&] { return ::SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == forex; }, kDeadlineMs / 10);
    }
    ASSERT_TRUE(shown) << "the forex page was not shown; " << tolvan::test::InputState(m_main);

    // With no A share on show, the A-share poller asks for the held stock alone.
    ASSERT_NO_FATAL_FAILURE(Sim("http clearlog"));
    std::vector<std::string> polls;
    ASSERT_TRUE(PumpUntil([&] {
        polls = CsmPolls(s_sim->Control("http requests 200"));
        return std::find(polls.begin(), polls.end(), "600100") != polls.end();
    }, kDeadlineMs)) << "A-share polls since the forex page was shown: " << Joined(polls);

    ASSERT_NO_FATAL_FAILURE(Sim("http price 600100 12.34"));
    EXPECT_TRUE(m_probe.WaitState([](const ProbeState& s) {
        const std::vector<std::string> row = PositionRow(s, "600100");
        return row.size() > 5 && std::fabs(atof(row[5].c_str()) - (12.34 - 10.00) * 500) < 0.005;
    }, &state)) << "the position's row: " << Joined(PositionRow(state, "600100"));
}

// The money paths under failure, each checked in the program's lists and in the account: a
// buy whose connection goes while it is confirmed, a close the server refuses, a positions
// list that timed out before the query connection came back, a cancel-all while a close is
// sent, the servers' "no value" funds figures under a risk line, and the risk line crossed
// while the trading connection is down.
TEST_F(DeskScenarioTest, MoneyPathsHoldUnderFailure)
{
    ASSERT_EQ("OK", s_sim->Control("set price XAUUSD 2320.00").substr(0, 2));
    ASSERT_NO_FATAL_FAILURE(StartAndLogIn());
    ProbeState state;
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) {
        return s["trade"] == "1" && s["query"] == "1" && s["pending"] == "0" && !PositionRow(s, "XAUUSD").empty()
               && s["funds"].size() > 7;
    }, &state)) << state["trade"] << " " << state["query"] << " pending " << state["pending"];
    const size_t ordersBefore = state.All("order").size();
    const size_t accountOrders = s_sim->Control("orders 80001").size();

    // A buy whose trading connection goes while its order detail window is open: the user is
    // told, nothing is listed and nothing reaches the account.
    ASSERT_NO_FATAL_FAILURE(Sim("refuse trade on"));
    ASSERT_NO_FATAL_FAILURE(Sim("dropat trade preneworder after"));
    ASSERT_NO_FATAL_FAILURE(Command("ticket 买入 市价 XAUUSD - 1 0.01"));
    HWND detail = NULL;
    ASSERT_TRUE(PumpUntil([&] {
        detail = Find("订单明细");
        return detail != NULL && ::IsWindowEnabled(::GetDlgItem(detail, IDOK));
    }, kDeadlineMs)) << "no order detail verdict";
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) { return s["trade"] != "1"; }, &state)) << state["trade"];
    ::PostMessageA(detail, WM_COMMAND, IDOK, 0);
    ASSERT_NO_FATAL_FAILURE(CloseBox("交易服务器已断开！不能进行下单操作！"));
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) { return s["pending"] == "0"; }, &state));
    EXPECT_EQ(ordersBefore, state.All("order").size()) << "no order listed that was never sent";
    EXPECT_EQ(accountOrders, s_sim->Control("orders 80001").size());
    ASSERT_NO_FATAL_FAILURE(Sim("refuse trade off"));
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) { return s["trade"] == "1"; }, &state));

    // A close the server refuses: told, and the position is closable again.
    ASSERT_NO_FATAL_FAILURE(Sim("deny trade neworder 1"));
    ASSERT_NO_FATAL_FAILURE(Command("select-position XAUUSD"));
    ASSERT_NO_FATAL_FAILURE(Command("close"));
    ASSERT_NO_FATAL_FAILURE(CloseBox("平仓委托被服务器拒绝！", "close-refused.png"));
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) {
        const std::vector<std::string> row = PositionRow(s, "XAUUSD");
        return !row.empty() && row[0].find("(平仓中)") == std::string::npos;
    }, &state)) << "the row still says a close is under way";
    EXPECT_GT(HeldInSimulator("XAUUSD"), 0.0);

    // A positions list that timed out, then a new login of the query connection: the new
    // login's lists are shown, not swallowed as the late answer.
    ASSERT_NO_FATAL_FAILURE(Sim("stall query on"));
    ASSERT_NO_FATAL_FAILURE(Command("query-positions"));
    ASSERT_NO_FATAL_FAILURE(CloseBox("查询“持仓”超时！"));
    ASSERT_NO_FATAL_FAILURE(Sim("drop query"));
    ASSERT_NO_FATAL_FAILURE(Sim("stall query off"));
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) {
        return s["query"] == "1" && s["pending"] == "0" && !PositionRow(s, "XAUUSD").empty();
    }, &state)) << state["query"] << " pending " << state["pending"] << " positions " << state.All("position").size();

    // Two resting orders; a cancel-all whose answers wait while a close goes out: each cancel
    // still follows the answer to the one before, and the close is done too.
    for (int i = 0; i < 2; ++i)
    {
        ASSERT_NO_FATAL_FAILURE(Command("ticket 买入 限价 XAUUSD 1000.00 1 0.01"));
        ASSERT_NO_FATAL_FAILURE(ConfirmDetail());
    }
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) {
        size_t resting = 0;
        for (const std::string& row : s.All("order"))
            resting += Cells(row).size() == 15 && Cells(row)[8] == "已提交";
        return resting == 2 && s["pending"] == "0";
    }, &state));
    std::vector<std::string> resting;
    for (const std::string& row : state.All("order"))
        if (Cells(row).size() == 15 && Cells(row)[8] == "已提交")
            resting.push_back(Cells(row)[11]);
    ASSERT_NO_FATAL_FAILURE(Command("select-position XAUUSD"));
    ASSERT_NO_FATAL_FAILURE(Sim("stall trade on"));
    ASSERT_NO_FATAL_FAILURE(Command("cancel-all"));
    ASSERT_NO_FATAL_FAILURE(Command("close"));
    ASSERT_TRUE(PumpUntil([&] { return s_sim->Control("requests trade 5").find("neworder@XAUUSD") != std::string::npos; },
                          kDeadlineMs));
    ASSERT_NO_FATAL_FAILURE(Sim("stall trade off"));
    ASSERT_TRUE(m_probe.WaitState([&](const ProbeState& s) {
        return s["pending"] == "0" && s.All("position").empty() && OrderRow(s, resting[0]).size() == 15
               && OrderRow(s, resting[0])[8] == "已取消" && OrderRow(s, resting[1]).size() == 15
               && OrderRow(s, resting[1])[8] == "已取消";
    }, &state)) << "pending " << state["pending"] << " positions " << state.All("position").size();
    EXPECT_EQ("Cancelled", OrderStateInSimulator(resting[0]));
    EXPECT_EQ("Cancelled", OrderStateInSimulator(resting[1]));
    EXPECT_TRUE(PumpUntil([&] { return Account().find("\"positions\": {}") != std::string::npos; })) << Account();

    // A long and a resting order again and a line under the assets. The server's "no value"
    // figures trip nothing: the monitor judges tick after tick without a value and touches no
    // order and no position.
    std::string restingAgain;
    double assets = 0.0;
    ASSERT_NO_FATAL_FAILURE(OpenLongAndRestingOrder(&restingAgain, &assets));
    ASSERT_NO_FATAL_FAILURE(SetRiskLine(assets - 50.0));
    ASSERT_NO_FATAL_FAILURE(Sim("novalue 80001 on"));
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) { return s["funds"].compare(0, 14, "-999999999.00|") == 0; },
                                  &state)) << state["funds"];
    const unsigned long judgedBefore = std::strtoul(state["risk-judged"].c_str() + 2, nullptr, 10);
    ASSERT_TRUE(m_probe.WaitState([&](const ProbeState& s) {
        return std::strtoul(s["risk-judged"].c_str() + 2, nullptr, 10) >= judgedBefore + 4
               || s["risk"].compare(0, 3, "1 0") != 0;
    }, &state)) << state["risk-judged"];
    EXPECT_EQ("1 0", state["risk"].substr(0, 3)) << "tripped by a figure the server does not know";
    EXPECT_EQ("0 ", state["risk-judged"].substr(0, 2)) << "the figure taken as a value";
    EXPECT_EQ("Submitted", OrderStateInSimulator(restingAgain));
    EXPECT_FALSE(PositionRow(state, "XAUUSD").empty());
    EXPECT_GT(HeldInSimulator("XAUUSD"), 0.0);
    ASSERT_NO_FATAL_FAILURE(Sim("novalue 80001 off"));
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) { return s["risk-judged"].compare(0, 2, "1 ") == 0; },
                                  &state)) << state["funds"];

    // Then the trading connection goes and the price falls: the monitor says once that it
    // waits, and when the connection is back it cancels, then closes.
    ASSERT_NO_FATAL_FAILURE(Sim("refuse trade on"));
    ASSERT_NO_FATAL_FAILURE(Sim("drop trade"));
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) { return s["trade"] != "1"; }, &state));
    ASSERT_NO_FATAL_FAILURE(Sim("set price XAUUSD 2220.00"));
    ASSERT_NO_FATAL_FAILURE(Command("query-funds"));   // the funds page brings the fallen assets
    ASSERT_NO_FATAL_FAILURE(CloseBox("交易服务器已断开！风控将在交易服务器重新连接后撤单并平仓！", "risk-waits-for-trade.png"));
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) { return s["risk"].compare(0, 3, "1 1") == 0; }, &state))
        << state["risk"];
    EXPECT_EQ("Submitted", OrderStateInSimulator(restingAgain)) << "nothing done while the connection is down";
    EXPECT_GT(HeldInSimulator("XAUUSD"), 0.0);
    ASSERT_NO_FATAL_FAILURE(Sim("refuse trade off"));
    ASSERT_NO_FATAL_FAILURE(CloseBox("账号已达到风控设置值，补单运行已停止!"));
    EXPECT_EQ("Cancelled", OrderStateInSimulator(restingAgain));
    EXPECT_TRUE(PumpUntil([&] { return Account().find("\"positions\": {}") != std::string::npos; })) << Account();
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) {
        return s.All("position").empty() && s["pending"] == "0" && s["risk"].compare(0, 3, "1 2") == 0;
    }, &state)) << state["risk"];
    for (const std::string& row : state.All("order"))
        EXPECT_TRUE(Cells(row).size() == 15 && Cells(row)[8] != "---") << "an order left without a state: " << row;
}

// A risk line crossed while the server refuses every cancel: no position is closed while an
// order may still rest, and the user is told to act.
TEST_F(DeskScenarioTest, ARiskLineWhoseCancelsAreRefusedClosesNothingAndSaysSo)
{
    ASSERT_EQ("OK", s_sim->Control("set price XAUUSD 2320.00").substr(0, 2));
    ASSERT_NO_FATAL_FAILURE(StartAndLogIn());
    ProbeState state;
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) {
        return s["trade"] == "1" && s["query"] == "1" && s["pending"] == "0" && s["funds"].size() > 7;
    }, &state));
    std::string resting;
    double assets = 0.0;
    ASSERT_NO_FATAL_FAILURE(OpenLongAndRestingOrder(&resting, &assets));
    ASSERT_NO_FATAL_FAILURE(SetRiskLine(assets - 50.0));
    ASSERT_NO_FATAL_FAILURE(Sim("deny trade cancleorder on"));
    ASSERT_NO_FATAL_FAILURE(Sim("set price XAUUSD 2220.00"));
    ASSERT_NO_FATAL_FAILURE(CloseBox("风控撤单未能全部完成，持仓未平，请手动处理！", "risk-cancels-refused.png"));
    EXPECT_EQ("Submitted", OrderStateInSimulator(resting));
    EXPECT_GT(HeldInSimulator("XAUUSD"), 0.0);
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) { return s["pending"] == "0"; }, &state));
    EXPECT_FALSE(PositionRow(state, "XAUUSD").empty());
    EXPECT_EQ(15u, OrderRow(state, resting).size());
    if (OrderRow(state, resting).size() == 15) {
        EXPECT_EQ("已提交", OrderRow(state, resting)[8]) << "the panel shows the order still open";
    }
    ASSERT_NO_FATAL_FAILURE(Sim("deny trade cancleorder off"));
}

// What the trading connections bring while the start is held up before the trading handlers
// exist (here by the box about a damaged self list) waits for them: once the start goes on,
// the query login's initial load fills the lists.
TEST_F(DeskScenarioTest, TradingRecordsArrivingWhileTheStartIsHeldUpAreKept)
{
    const CString selfList = RootFolder() + "data\\SelfListFile.cfg";
    ::CreateDirectoryA(RootFolder() + "data", NULL);
    ASSERT_TRUE(tolvan::test::WriteFileBytes(selfList, "not a self list"));
    ASSERT_TRUE(m_terminal.Start());
    HWND login = m_terminal.WaitForLoginWindow(kDeadlineMs);
    ASSERT_NE(HWND(NULL), login);
    login_test::CTerminal::Submit(login, "80001", "a123456");
    HWND box = NULL;
    ASSERT_TRUE(PumpUntil([&] {
        box = m_terminal.FindWhere([](HWND window) {
            return ::IsWindowVisible(window) && ControlText(window, 0xFFFF).find("自选股") != std::string::npos;
        });
        return box != NULL;
    }, kDeadlineMs)) << "no box about the self list";
    // The box's text, in the box's client coordinates: the picture waits for its letters.
    RECT textRect = {};
    const HWND text = ::GetDlgItem(box, 0xFFFF);
    ::GetWindowRect(text, &textRect);
    ::MapWindowPoints(NULL, box, reinterpret_cast<POINT*>(&textRect), 2);
    auto lettered = [&](const Screenshot& shot) {
        return shot.CountColor(RGB(0, 0, 0), &textRect) > 50
               && shot.CountColor(RGB(0, 0, 0)) < static_cast<size_t>(shot.Width() * shot.Height() / 2);
    };
    const Screenshot held = login_test::KeepPicture(box, "start-held-by-a-box.png", lettered);
    EXPECT_TRUE(lettered(held)) << "the box shows no text";
    // The box stands where the user sees it: nothing covers it, and its owner, the main window,
    // stays off the screen while the start is held up.
    RECT boxRect = {};
    ::GetWindowRect(box, &boxRect);
    const HWND atCentre = ::WindowFromPoint(POINT{(boxRect.left + boxRect.right) / 2, (boxRect.top + boxRect.bottom) / 2});
    EXPECT_TRUE(atCentre == box || ::IsChild(box, atCentre)) << "the box is covered by " << Describe(atCentre);
    const HWND boxOwner = ::GetWindow(box, GW_OWNER);
    EXPECT_FALSE(::IsZoomed(boxOwner)) << "the main window came on screen before the start went on";

    // The trading sessions log in meanwhile. The box stays until the query login's initial load
    // has been answered to its end, or, while nothing takes the connections' messages, until
    // the program's own clock has gone on three times.
    auto loggedIn = [](const char* role) {
        const std::string sessions = s_sim->Control("sessions");
        for (size_t end = sessions.find('}'), begin = 0; end != std::string::npos;
             begin = end, end = sessions.find('}', end + 1))
        {
            const std::string session = sessions.substr(begin, end - begin);
            if (session.find(std::string("\"role\": \"") + role + "\"") != std::string::npos
                && session.find("\"user\": \"80001\"") != std::string::npos)
                return true;
        }
        return false;
    };
    ASSERT_TRUE(PumpUntil([&] { return loggedIn("trade") && loggedIn("query"); }, kDeadlineMs))
        << s_sim->Control("sessions");
    HWND main = m_terminal.Find("Tolvan证券");
    ASSERT_NE(HWND(NULL), main);
    HWND statusBar = ::FindWindowExA(main, NULL, STATUSCLASSNAMEA, NULL);
    ASSERT_NE(HWND(NULL), statusBar);
    std::wstring clock = login_test::StatusPaneText(m_terminal.Handle(), statusBar, 5);
    int clockSteps = 0;
    ASSERT_TRUE(PumpUntil([&] {
        const std::wstring now = login_test::StatusPaneText(m_terminal.Handle(), statusBar, 5);
        if (now != clock)
        {
            clock = now;
            ++clockSteps;
        }
        return clockSteps >= 3 || s_sim->Control("requests query 10").find("querystateorders") != std::string::npos;
    }, kDeadlineMs)) << "the clock stands";
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);

    ASSERT_TRUE(PumpUntil([&] { return ::IsZoomed(main) != FALSE; }, kDeadlineMs)) << "no main window after the box";
    m_main = main;
    m_probe.Attach(m_main);
    ProbeState state;
    EXPECT_TRUE(m_probe.WaitState([](const ProbeState& s) {
        return s["query"] == "1" && s["pending"] == "0" && !PositionRow(s, "XAUUSD").empty() && s["funds"].size() > 7;
    }, &state)) << "query " << state["query"] << " pending " << state["pending"] << " positions "
                << state.All("position").size() << " funds " << state["funds"];
    // The splash, shown once the box was closed, went when the main window came on screen.
    EXPECT_EQ(HWND(NULL), m_terminal.FindWhere([](HWND window) {
        return ::IsWindowVisible(window) && ::GetWindowTextLengthA(window) == 0
               && (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
    })) << "the splash outlived the start";
    ::DeleteFileA(selfList + ".damaged");
    ::DeleteFileA(selfList);
}

}  // namespace
