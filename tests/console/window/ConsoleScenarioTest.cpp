// Tolvan.exe against the simulator: the administrator logs in through the real login window,
// opens the order-supplement console with the caption command, lists the client accounts of
// the proxy query server and switches following on. A client's fill placed at the simulator
// reaches the console as an order event, is listed, and the strategy of that account sends
// the follow order on the administrator's own connection, where the simulator fills it. The
// strategy and its assignment are stored in the user's tables before the start, as the
// strategy editor would have left them. Screenshot console-scenario.png in
// <build>\test-artifacts.
#include "AccountRows.h"
#include "ConsoleDialogsResource.h"
#include "ConsoleWindowResource.h"
#include "DBOrder.h"
#include "DBStrategy.h"
#include "DBUser.h"
#include "Md5.h"
#include "StartupTasks.h"
#include "TerminalProbe.h"
#include "TerminalUnderTest.h"
#include "testsupport/FakeTimeServer.h"
#include "testsupport/Pump.h"
#include "testsupport/RealInput.h"
#include "testsupport/Screenshot.h"
#include "testsupport/SimulatorSuite.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using login_test::Cells;
using login_test::CTerminal;
using login_test::ProbeState;
using login_test::RootFolder;
using tolvan::test::BringToForeground;
using tolvan::test::CentreOf;
using tolvan::test::ClickAt;
using tolvan::test::PumpUntil;
using tolvan::test::ScreenPointOf;
using tolvan::test::SimulatorSuite;

namespace {

const DWORD kDeadlineMs = 60000;
// How long a click may take to show its effect before it counts as lost.
const DWORD kClickAnswerMs = 3000;
const char kAdmin[] = "90001";
const char kConsoleTitle[] = "Tolvan证券补单系统";

StrategyLeg Leg(const char* contractType, int enabled)
{
    StrategyLeg leg;
    leg.bEnable = enabled;
    leg.strContractType = contractType;
    leg.strMultiple = "1";
    leg.strDirection = "同向";
    leg.strPriceType = "市价";
    return leg;
}

class ConsoleScenarioTest : public SimulatorSuite
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ResetSimulator("proxyquery"));
        ASSERT_TRUE(login_test::WriteInstallation(*s_sim));
        ::CreateDirectoryA(RootFolder() + "test-artifacts", NULL);
        ASSERT_NO_FATAL_FAILURE(StoreStrategy());
    }

    void TearDown() override
    {
        EXPECT_TRUE(m_terminal.Stop()) << "Tolvan did not end when asked to close";
        ::DeleteFileA(TimeHelperIni());
        SimulatorSuite::TearDown();
    }

    static CString TimeHelperIni() { return login_test::BinFolder() + "Horavane.ini"; }

    // The terminal's clock companion asks a time server of ours, which answers `moment`.
    void SetTerminalClock(const CTime& moment)
    {
        struct tm local = {};
        moment.GetLocalTm(&local);
        m_timeServer.reset(new tolvan::test::FakeTimeServer(local));
        ASSERT_TRUE(::WritePrivateProfileStringA("TimeProtocol", "Host1", m_timeServer->Address().c_str(),
                                                 TimeHelperIni()));
    }

    // Strategy 1 follows crude-oil fills on the same side at market; 80002 follows it.
    void StoreStrategy()
    {
        char appData[MAX_PATH] = {0};
        ASSERT_TRUE(::SHGetSpecialFolderPathA(NULL, appData, CSIDL_APPDATA, TRUE));
        CString folder;
        ASSERT_TRUE(CreateUserFolders(appData, kAdmin, folder));
        m_databaseFolder = folder;
        const CString key = Md5Hex(kAdmin);
        for (const char* file : {"DO", "DP", "FollowOrders.log"})
            ::DeleteFileA(folder + file);
        StrategyInfo strategy;
        strategy.nStragegyId = 1;
        strategy.strStrategyName = "原油同向";
        strategy.vecStrategy = {Leg("外汇现货", 0), Leg("原油期货", 1)};
        ASSERT_TRUE(CDBStrategy(folder + "DS", key).ReplaceAll({strategy}));
        UserStrategy user;
        user.userId = "80002";
        user.userName = "李娜";
        user.strategyId = "1";
        user.strategyName = "原油同向";
        ASSERT_TRUE(CDBUser(folder + "DU", key).ReplaceAll({user}));
    }

    HWND Find(const char* title, HWND except = NULL) { return m_terminal.Find(title, except); }

    void Click(HWND dialog, int id)
    {
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(dialog, id));
    }

    // The simulator's orders of an account (JSON).
    std::string Orders(const char* user) { return s_sim->Control(std::string("orders ") + user); }

    // The terminal started, logged in as the administrator, its trading ready.
    void StartTerminal()
    {
        ASSERT_TRUE(m_terminal.Start());
        m_main = m_terminal.LogIn(kAdmin, "admin888", kDeadlineMs);
        ASSERT_NE(HWND(NULL), m_main) << "no login window, or no main window after login";
        m_probe.Attach(m_main);
        ASSERT_TRUE(PumpUntil([&] { return login_test::AllConnectionsLoggedIn(*s_sim, kAdmin); }, kDeadlineMs))
            << s_sim->Control("sessions");
        ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) { return s["trade"] == "1" && s["pending"] == "0"; }));
        // The window waits off the screen until its start-up is complete.
        ASSERT_TRUE(PumpUntil([&] {
            RECT frame = {};
            return ::GetWindowRect(m_main, &frame) && frame.left > -100 && frame.top > -100;
        }, kDeadlineMs));
    }

    // A click on a control of a window of the terminal, as the user makes it, until `done`.
    static bool ClickControl(HWND window, int id, const std::function<bool()>& done)
    {
        EXPECT_TRUE(BringToForeground(::GetAncestor(window, GA_ROOT)));
        return ClickUntil(CentreOf(::GetDlgItem(window, id)), done);
    }

    // The hook's state now holds `condition`.
    std::function<bool()> StateHolds(const std::function<bool(const ProbeState&)>& condition)
    {
        return [this, condition] { return condition(m_probe.State()); };
    }

    // Clicks at a place until `done` holds, as a user clicks again when a click was not taken
    // (under Wine the first click after the pointer arrives is now and then taken for the
    // start of a drag). False when it never held.
    static bool ClickUntil(POINT screen, const std::function<bool()>& done)
    {
        const DWORD start = ::GetTickCount();
        while (::GetTickCount() - start < kDeadlineMs) {
            ClickAt(screen);
            if (PumpUntil(done, kClickAnswerMs))
                return true;
        }
        return done();
    }

    // The console of the caption button "补单": its command, as the button posts it to the main
    // window, opens the console (or shows it again).
    HWND OpenConsole()
    {
        ::PostMessageA(m_main, WM_COMMAND, 4, 0);
        HWND console = NULL;
        EXPECT_TRUE(PumpUntil([&] { return (console = Find(kConsoleTitle)) != NULL; }, kDeadlineMs));
        return console;
    }

    // The first order row of the console whose cells satisfy `match`; empty when none.
    static std::vector<std::string> OrderRow(const ProbeState& state,
                                             const std::function<bool(const std::vector<std::string>&)>& match)
    {
        for (const std::string& row : state.All("console-order")) {
            const std::vector<std::string> cells = Cells(row);
            if (cells.size() == 14 && match(cells))
                return cells;
        }
        return {};
    }

    // The administrator's filled crude-oil orders at the simulator.
    size_t FilledFollowOrders()
    {
        const std::string orders = Orders(kAdmin);
        size_t count = 0;
        for (size_t at = orders.find("\"code\": \"CL\""); at != std::string::npos;
             at = orders.find("\"code\": \"CL\"", at + 1)) {
            const size_t end = orders.find('}', at);
            count += orders.substr(at, end - at).find("\"Filled\"") != std::string::npos ? 1 : 0;
        }
        return count;
    }

    // The administrator's crude-oil limit orders still open at the simulator.
    size_t OpenLimitFollowOrders()
    {
        const std::string orders = Orders(kAdmin);
        size_t count = 0;
        for (size_t at = orders.find("\"code\": \"CL\""); at != std::string::npos;
             at = orders.find("\"code\": \"CL\"", at + 1)) {
            const std::string order = orders.substr(at, orders.find('}', at) - at);
            count += order.find("\"kind\": \"L\"") != std::string::npos
                     && order.find("\"Submitted\"") != std::string::npos;
        }
        return count;
    }

    login_test::CTerminalProbe m_probe{RootFolder() + "test-artifacts\\console-state.txt"};
    CTerminal m_terminal;
    std::unique_ptr<tolvan::test::FakeTimeServer> m_timeServer;
    HWND m_main = NULL;
    CString m_databaseFolder;
};

std::string Hex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : bytes) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

std::string ReadText(const CString& path)
{
    std::string text;
    if (FILE* file = fopen(path, "rb")) {
        char buffer[4096];
        for (size_t read; (read = fread(buffer, 1, sizeof(buffer), file)) > 0;)
            text.append(buffer, read);
        fclose(file);
    }
    return text;
}

TEST_F(ConsoleScenarioTest, AClientFillIsListedAndFollowedOnTheAdministratorsConnection)
{
    ASSERT_NO_FATAL_FAILURE(StartTerminal());
    ProbeState state = m_probe.State();
    EXPECT_EQ("0", state["console"]) << "the console is made on first use";

    // The caption button "补单" opens the console.
    HWND console = OpenConsole();
    ASSERT_NE(HWND(NULL), console);

    // "更新客户列表" until the proxy query server answers (it may still be logging in).
    ASSERT_TRUE(m_probe.WaitState([&](const ProbeState& s) {
        if (s.All("console-client").size() == 4)
            return true;
        if (HWND box = Find("Tolvan证券", m_main))
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        Click(console, IDC_ADMIN_REFRESH_CLIENTS);
        return false;
    }, &state)) << state.All("console-client").size();
    const std::vector<std::string> clients = state.All("console-client");
    EXPECT_EQ("80001|张伟|无策略", clients[0]);
    EXPECT_EQ("80002|李娜|原油同向", clients[1]);
    EXPECT_EQ("80003|王芳|无策略", clients[2]);
    EXPECT_EQ("80004|刘洋|无策略", clients[3]);

    Click(console, IDC_ADMIN_START_STOP);
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) { return s["console-running"] == "1"; }, &state));

    // 李娜 buys 1 CL at market from her own terminal; 王芳 (no strategy) buys too.
    ASSERT_EQ("OK", s_sim->Control("order 80002 CL B 1").substr(0, 2));
    ASSERT_EQ("OK", s_sim->Control("order 80003 CL B 1").substr(0, 2));
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) {
        const std::vector<std::string> orders = s.All("console-order");
        return orders.size() == 1 && Cells(orders[0]).size() == 14 && Cells(orders[0])[9] == "已成交";
    }, &state)) << (state.All("console-order").empty() ? std::string("no orders") : state.All("console-order")[0]);
    const std::vector<std::string> fill = Cells(state.All("console-order")[0]);
    EXPECT_EQ("80002", fill[1]);
    EXPECT_EQ("李娜", fill[2]);
    EXPECT_EQ("CL", fill[3]);
    EXPECT_EQ("买", fill[5]);
    EXPECT_EQ("1", fill[8]);
    EXPECT_EQ("1", state["console-workers"]);

    // The follow order: 1 CL bought at market on the administrator's account, and filled.
    ASSERT_TRUE(PumpUntil([&] {
        const std::string orders = Orders(kAdmin);
        return orders.find("\"code\": \"CL\"") != std::string::npos && orders.find("\"Filled\"") != std::string::npos;
    }, kDeadlineMs)) << Orders(kAdmin);
    const std::string followed = Orders(kAdmin);
    EXPECT_NE(std::string::npos, followed.find("\"kind\": \"M\"")) << followed;
    EXPECT_NE(std::string::npos, followed.find("\"side\": \"B\"")) << followed;

    // The picture is taken from the screen: the start-up notice goes and the console comes first.
    if (HWND notice = Find("公告"))
        ::PostMessageA(notice, WM_CLOSE, 0, 0);
    PumpUntil([&] { return Find("公告") == NULL; }, 10000);
    ::SetWindowPos(console, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    tolvan::test::Screenshot shot;
    EXPECT_TRUE(PumpUntil([&] {
        shot = tolvan::test::Screenshot::CaptureClient(console);
        // The white lists of the console (the quote board behind it is black).
        return !shot.IsEmpty() && shot.CountColor(RGB(255, 255, 255)) > 50000;
    }, 10000)) << "the console is not on screen";
    EXPECT_TRUE(shot.SavePng(std::string(RootFolder() + "test-artifacts\\console-scenario.png")));

    // The risk monitor's stop is the console's own: closing the console only hides it.
    ::PostMessageA(console, WM_CLOSE, 0, 0);
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) { return s["console-visible"] == "0"; }, &state));
    EXPECT_EQ("1", state["console"]);

    // 王芳's fill, which has no strategy, was not followed: one follow order in all.
    const std::string all = Orders(kAdmin);
    size_t followOrders = 0;
    for (size_t at = all.find("\"code\": \"CL\""); at != std::string::npos; at = all.find("\"code\": \"CL\"", at + 1))
        ++followOrders;
    EXPECT_EQ(1u, followOrders) << all;
}

// The console's data through two runs of the terminal, driven by the user's clicks: names
// from the server that hold GBK lead bytes and quotes are stored as names; a strategy deleted
// and another added in the editor takes no account along; a fill followed in the first run is
// not followed again when its event comes again in the second; a follow order that cannot go
// out is shown as failed; a limit follow order still open when the terminal ends is logged and
// stored; both follow orders are in the history-order window after the restart. Screenshots
// console-restart.png and history-restart.png in <build>\test-artifacts.
TEST_F(ConsoleScenarioTest, ConsoleDataSurvivesRestartsAndFollowsEachFillOnce)
{
    // Order times at the simulator and the terminal's own fall on today, the day the history
    // window opens on. Both clocks stand at noon: at the terminal's real clock a run near the
    // session's end at midnight would have the limit follow order cancelled and replaced.
    const CTime now = CTime::GetCurrentTime();
    const CTime noon(now.GetYear(), now.GetMonth(), now.GetDay(), 12, 0, 0);
    ASSERT_EQ("OK", s_sim->Control(std::string("clock ") + (LPCSTR)noon.Format("%Y-%m-%d %H:%M:%S")).substr(0, 2));
    ASSERT_NO_FATAL_FAILURE(SetTerminalClock(noon));
    // No notice of the day comes up over the windows the test clicks.
    ASSERT_EQ("OK", s_sim->Control("http notice off").substr(0, 2));
    // Strategy 0 follows crude oil at market (李娜), strategy 1 is to be deleted (王芳 follows it),
    // strategy 2 follows crude oil with a limit far below the market that stays open (刘洋).
    {
        StrategyInfo crude;
        crude.nStragegyId = 0;
        crude.strStrategyName = "原油同向";
        crude.vecStrategy = {Leg("外汇现货", 0), Leg("原油期货", 1)};
        StrategyInfo doomed;
        doomed.nStragegyId = 1;
        doomed.strStrategyName = "待删除";
        StrategyInfo resting;
        resting.nStragegyId = 2;
        resting.strStrategyName = "远价限价";
        resting.vecStrategy = {Leg("原油期货", 1)};
        resting.vecStrategy[0].strPriceType = "限价";
        resting.vecStrategy[0].strSlipPoint = "1000";  // 1000 steps under the fill
        resting.vecStrategy[0].strPoint = "100000";    // never replaced at market
        const CString key = Md5Hex(kAdmin);
        ASSERT_TRUE(CDBStrategy(m_databaseFolder + "DS", key).ReplaceAll({crude, doomed, resting}));
        ASSERT_TRUE(CDBUser(m_databaseFolder + "DU", key)
                        .ReplaceAll({Assignment("80002", "李娜", "0", "原油同向"), Assignment("80003", "王芳", "1", "待删除"),
                                     Assignment("80004", "刘洋", "2", "远价限价")}));
    }
    ASSERT_NO_FATAL_FAILURE(StartTerminal());
    HWND console = OpenConsole();
    ASSERT_NE(HWND(NULL), console);

    // A client list whose names hold lead bytes followed by quotes and the separators of SQL;
    // the second name is a lead byte without its second byte, which reads back as "?".
    const std::string hostile = "O'王\x81'); delete from User; --";
    const std::string readBack = "O'王?'); delete from User; --";
    const std::string quoted = "李'娜\"; drop table User;";
    const std::string reply = "ClientResult@[80002#李娜#0#0#0#0#0#1#USD][80003#王芳#0#0#0#0#0#1#USD]"
                              "[80004#刘洋#0#0#0#0#0#1#USD][80005#" + hostile + "#0#0#0#0#0#1#USD][80006#" + quoted
                              + "#0#0#0#0#0#1#USD]#@";
    ASSERT_EQ("OK", s_sim->Control("sendraw proxyquery " + Hex(reply)).substr(0, 2));
    ProbeState state;
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) { return s.All("console-client").size() == 5; }, &state));
    EXPECT_EQ("80006|" + quoted + "|无策略", state.All("console-client")[4]);

    // "策略管理": delete "待删除", add a strategy, save. 王芳 loses her strategy; nobody is
    // moved onto the new one.
    HWND editor = NULL;
    ASSERT_TRUE(ClickControl(console, IDC_ADMIN_MANAGE, [&] { return (editor = Find("编辑策略")) != NULL; }));
    HWND strategies = ::GetDlgItem(editor, IDC_STRATEGY_LIST);
    ASSERT_EQ(3, ListView_GetItemCount(strategies));
    ASSERT_TRUE(BringToForeground(editor));
    // The second row, under the header.
    ASSERT_TRUE(ClickUntil(ScreenPointOf(strategies, 60, 24 + 24 + 12),
                           [&] { return ListView_GetNextItem(strategies, -1, LVNI_SELECTED) == 1; }));
    ASSERT_TRUE(ClickControl(editor, IDC_DELETE_STRATEGY, [&] { return ListView_GetItemCount(strategies) == 2; }));
    ASSERT_TRUE(ClickControl(editor, IDC_ADD_STRATEGY, [&] { return ListView_GetItemCount(strategies) == 3; }));
    ASSERT_TRUE(ClickControl(editor, IDOK, [&] { return Find("编辑策略") == NULL; }));
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) {
        return s.All("console-client").size() == 5 && s.All("console-client")[1] == "80003|王芳|无策略";
    }, &state)) << state.All("console-client")[1];
    EXPECT_EQ("80002|李娜|原油同向", state.All("console-client")[0]);

    // Following: 李娜's fill is followed on the administrator's connection.
    const auto running = StateHolds([](const ProbeState& s) { return s["console-running"] == "1"; });
    ASSERT_TRUE(ClickControl(console, IDC_ADMIN_START_STOP, running));
    ASSERT_EQ("OK", s_sim->Control("order 80002 CL B 1").substr(0, 2));
    std::vector<std::string> fill;
    ASSERT_TRUE(m_probe.WaitState([&](const ProbeState& s) {
        fill = OrderRow(s, [](const std::vector<std::string>& cells) { return cells[9] == "已成交"; });
        return !fill.empty();
    }, &state));
    ASSERT_TRUE(PumpUntil([&] { return FilledFollowOrders() == 1; }, kDeadlineMs)) << Orders(kAdmin);
    // 刘洋's fill is followed by a limit order that stays open.
    ASSERT_EQ("OK", s_sim->Control("order 80004 CL B 1").substr(0, 2));
    ASSERT_TRUE(PumpUntil([&] { return OpenLimitFollowOrders() == 1; }, kDeadlineMs)) << Orders(kAdmin);

    // The administrator's order connection is dropped and every login is refused (a fall-back
    // login through the login server included) until the console has given the next follow
    // order up after 30 s of refusals: it says so.
    ASSERT_EQ("OK", s_sim->Control("refuse all on").substr(0, 2));
    ASSERT_EQ("OK", s_sim->Control("drop proxytrade").substr(0, 2));
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) { return s["trade"] != "1"; }));
    ASSERT_EQ("OK", s_sim->Control("order 80002 CL B 1").substr(0, 2));
    std::vector<std::string> failed;
    EXPECT_TRUE(m_probe.WaitState([&](const ProbeState& s) {
        failed = OrderRow(s, [](const std::vector<std::string>& cells) { return cells[9] == "补单失败"; });
        return !failed.empty();
    }, &state, 90000));
    ASSERT_EQ("OK", s_sim->Control("refuse all off").substr(0, 2));
    ASSERT_EQ(14u, failed.size());
    EXPECT_EQ("80002", failed[1]);
    EXPECT_EQ("CL", failed[3]);
    EXPECT_EQ("买", failed[5]);
    EXPECT_NE(std::string::npos, ReadText(m_databaseFolder + "FollowOrders.log").find("补单失败 账户=80002"));
    EXPECT_EQ(1u, FilledFollowOrders());
    ::SetWindowPos(console, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    login_test::KeepPicture(console, "console-restart.png");
    ::SetWindowPos(console, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    // The terminal again: the console reads its tables. The limit order left open when the
    // terminal ended is in the log.
    ASSERT_TRUE(m_terminal.Stop());
    EXPECT_NE(std::string::npos, ReadText(m_databaseFolder + "FollowOrders.log").find("补单仍挂单 账户=80004"));
    ASSERT_NO_FATAL_FAILURE(StartTerminal());
    console = OpenConsole();
    ASSERT_NE(HWND(NULL), console);
    ASSERT_TRUE(m_probe.WaitState([](const ProbeState& s) { return s.All("console-client").size() == 5; }, &state));
    const std::vector<std::string> clients = state.All("console-client");
    EXPECT_EQ("80002|李娜|原油同向", clients[0]);
    EXPECT_EQ("80003|王芳|无策略", clients[1]);
    EXPECT_EQ("80004|刘洋|远价限价", clients[2]);
    EXPECT_EQ("80005|" + readBack + "|无策略", clients[3]);
    EXPECT_EQ("80006|" + quoted + "|无策略", clients[4]);

    // The first fill's event once more, as the server would send it again: no second order.
    ASSERT_TRUE(ClickControl(console, IDC_ADMIN_START_STOP, running));
    const std::string event = "OrderInfo@cid:" + fill[13] + "#fnum:1#mg:#oid:" + fill[12]
                              + "#ps:#st:Filled#ty:MKT#an:BUY#ot:" + fill[0] + "#cn:CL#qy:1#op:#clientname:80002#@";
    ASSERT_EQ("OK", s_sim->Control("send trade " + event).substr(0, 2));
    ASSERT_TRUE(m_probe.WaitState([&](const ProbeState& s) {
        return !OrderRow(s, [&](const std::vector<std::string>& cells) { return cells[12] == fill[12]; }).empty();
    }, &state));
    EXPECT_EQ("0", state["console-workers"]) << "the fill went to a follow-order worker again";
    EXPECT_EQ(1u, FilledFollowOrders());

    // "查询历史订单", "查询": the follow orders of the first run are listed, the filled one as it
    // finished, the open one as the terminal's end stored it.
    HWND history = NULL;
    ASSERT_TRUE(ClickControl(console, IDC_ADMIN_HISTORY, [&] { return (history = Find("历史订单查询")) != NULL; }));
    ASSERT_TRUE(ClickControl(history, IDC_SEARCH_QUERY, StateHolds([](const ProbeState& s) {
        int found = 0;
        for (const std::string& row : s.All("console-history")) {
            const std::vector<std::string> cells = Cells(row);
            if (cells.size() == 13 && cells[1] == kAdmin && cells[2] == "CL")
                found |= cells[8] == "已成交" ? 1 : cells[3] == "限价" && cells[8] == "已提交" ? 2 : 0;
        }
        return found == 3;
    }))) << m_probe.State().All("console-history").size();
    login_test::KeepPicture(history, "history-restart.png");
}

}  // namespace

