// Tolvan.exe against the simulator: the administrator logs in through the real login window,
// opens the order-supplement console with the caption command, lists the client accounts of
// the proxy query server and switches following on. A client's fill placed at the simulator
// reaches the console as an order event, is listed, and the strategy of that account sends
// the follow order on the administrator's own connection, where the simulator fills it. The
// strategy and its assignment are stored in the user's tables before the start, as the
// strategy editor would have left them. Screenshot console-scenario.png in
// <build>\test-artifacts.
#include "ConsoleWindowResource.h"
#include "DBOrder.h"
#include "DBStrategy.h"
#include "DBUser.h"
#include "Md5.h"
#include "StartupTasks.h"
#include "TerminalProbe.h"
#include "TerminalUnderTest.h"
#include "testsupport/Pump.h"
#include "testsupport/Screenshot.h"
#include "testsupport/SimulatorSuite.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <functional>
#include <string>
#include <vector>

using login_test::Cells;
using login_test::CTerminal;
using login_test::ProbeState;
using login_test::RootFolder;
using tolvan::test::PumpUntil;
using tolvan::test::SimulatorSuite;

namespace {

const DWORD kDeadlineMs = 60000;
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
        SimulatorSuite::TearDown();
    }

    // Strategy 1 follows crude-oil fills on the same side at market; 80002 follows it.
    void StoreStrategy()
    {
        char appData[MAX_PATH] = {0};
        ASSERT_TRUE(::SHGetSpecialFolderPathA(NULL, appData, CSIDL_APPDATA, TRUE));
        CString folder;
        ASSERT_TRUE(CreateUserFolders(appData, kAdmin, folder));
        const CString key = Md5Hex(kAdmin);
        ::DeleteFileA(folder + "DO");
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

    login_test::CTerminalProbe m_probe{RootFolder() + "test-artifacts\\console-state.txt"};
    CTerminal m_terminal;
    HWND m_main = NULL;
};

TEST_F(ConsoleScenarioTest, AClientFillIsListedAndFollowedOnTheAdministratorsConnection)
{
    ASSERT_TRUE(m_terminal.Start());
    m_main = m_terminal.LogIn(kAdmin, "admin888", kDeadlineMs);
    ASSERT_NE(HWND(NULL), m_main) << "no login window, or no main window after login";
    m_probe.Attach(m_main);
    ASSERT_TRUE(PumpUntil([&] { return login_test::AllConnectionsLoggedIn(*s_sim, kAdmin); }, kDeadlineMs))
        << s_sim->Control("sessions");
    ProbeState state;
    ASSERT_TRUE(
        m_probe.WaitState([](const ProbeState& s) { return s["trade"] == "1" && s["pending"] == "0"; }, &state));
    EXPECT_EQ("0", state["console"]) << "the console is made on first use";

    // The caption button "补单" opens the console.
    ::PostMessageA(m_main, WM_COMMAND, 4, 0);
    HWND console = NULL;
    ASSERT_TRUE(PumpUntil([&] { return (console = Find(kConsoleTitle)) != NULL; }, kDeadlineMs));

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

}  // namespace
