// Tolvan.exe against the simulator: a whole trading round through the main window's handlers.
// The test logs in through the real login window, then acts as the trade panel would, through
// the program's test hook (TOLVAN_DESK_PROBE): buy at market and see the fill and the
// position, cancel a resting limit order, close all, and let a price fall trip the risk line
// set in the real risk settings window. Every step is checked in the lists the program keeps
// for the trade panel and in the simulator's account. Screenshots of the order detail and risk
// settings windows are kept in <build>\test-artifacts.
#include "DeskProbe.h"
#include "DeskResource.h"
#include "FileCrypt.h"
#include "LoginWindowIds.h"
#include "testsupport/ClosePrompt.h"
#include "testsupport/Pump.h"
#include "testsupport/Screenshot.h"
#include "testsupport/SimulatorSuite.h"

#include "TerminalUnderTest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

using tolvan::test::PumpUntil;
using tolvan::test::Screenshot;
using tolvan::test::SimulatorSuite;

namespace {

const DWORD kDeadlineMs = 60000;

CString BinFolder()
{
    char path[MAX_PATH] = {0};
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    CString folder = path;
    return folder.Left(folder.ReverseFind('\\') + 1);
}

CString RootFolder()
{
    CString bin = BinFolder();
    bin = bin.Left(bin.GetLength() - 1);
    return bin.Left(bin.ReverseFind('\\') + 1);
}

std::vector<std::string> Cells(const std::string& row)
{
    std::vector<std::string> cells;
    size_t start = 0;
    for (;;)
    {
        const size_t bar = row.find('|', start);
        cells.push_back(row.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos)
            return cells;
        start = bar + 1;
    }
}

// What the program's hook wrote: single values by name, list rows in order.
struct DeskState
{
    std::map<std::string, std::string> values;
    std::vector<std::string> orders;
    std::vector<std::string> positions;
    std::vector<std::string> fills;

    std::string operator[](const char* name) const
    {
        const auto found = values.find(name);
        return found == values.end() ? std::string() : found->second;
    }
    // Cells of the first order row with this order number (today's orders: cell 11).
    std::vector<std::string> Order(const std::string& orderNo) const
    {
        for (const std::string& row : orders)
        {
            const std::vector<std::string> cells = Cells(row);
            if (cells.size() == 15 && cells[11] == orderNo)
                return cells;
        }
        return {};
    }
    std::vector<std::string> Position(const char* code) const
    {
        for (const std::string& row : positions)
        {
            const std::vector<std::string> cells = Cells(row);
            if (cells.size() > 1 && cells[1] == code)
                return cells;
        }
        return {};
    }
};

// A number after "key": in the simulator's JSON answer, from position `from`.
double JsonNumber(const std::string& json, const std::string& key, size_t from = 0)
{
    size_t at = json.find("\"" + key + "\": ", from);
    if (at == std::string::npos)
        return -1.0;
    at += key.size() + 4;
    if (json[at] == '"')   // the summary's texts stand quoted
        ++at;
    return atof(json.c_str() + at);
}

class DeskScenarioTest : public SimulatorSuite
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ResetSimulator("trade"));
        ::CreateDirectoryA(RootFolder() + "test-artifacts", NULL);
        m_statePath = RootFolder() + "test-artifacts\\desk-state.txt";
        ASSERT_NO_FATAL_FAILURE(WriteInstallation());
    }

    void TearDown() override
    {
        StopTerminal();
        ::SetEnvironmentVariableA("TOLVAN_DESK_PROBE", NULL);
        SimulatorSuite::TearDown();
    }

    // The files an installation has beside the program, pointing at this simulator; every
    // order is shown in the order detail window first.
    void WriteInstallation()
    {
        const CString config = BinFolder() + "Config.ini";
        ::DeleteFileA(config);
        CString url;
        url.Format("http://127.0.0.1:%d", s_sim->Port("http"));
        ::WritePrivateProfileStringA("Update", "UpdateListUrl", url + "/update/UpdateList.ini", config);
        ::WritePrivateProfileStringA("system", "StatisticsUrl", url, config);
        ::WritePrivateProfileStringA("Settings", "ShowOrderDetail", "1", config);
        CString servers;
        servers.Format("[Network]\n本地一,本地服务器一:127.0.0.1:%d:KQZTWXBNPL4M\n", s_sim->Port("login"));
        CFileCrypt crypt;
        ASSERT_TRUE(crypt.EncryptStringToFile(servers, BinFolder() + "ServerList_real.ini"));
        ASSERT_TRUE(crypt.EncryptStringToFile(servers, BinFolder() + "ServerList_analog.ini"));
        ::CreateDirectoryA(RootFolder() + "update", NULL);
        FILE* list = fopen(RootFolder() + "update\\UpdateList.ini", "wb");
        ASSERT_NE(nullptr, list);
        fputs("[Config]\r\nVersion=1\r\n[Files]\r\nupdate\\UpdateList.ini=1\r\n", list);
        fclose(list);
        ::DeleteFileA(RootFolder() + "usr\\usrcfg.ini");
    }

    void StartTerminal()
    {
        ::SetEnvironmentVariableA("TOLVAN_DESK_PROBE", m_statePath);
        CString commandLine = "\"" + BinFolder() + "Tolvan.exe\"";
        STARTUPINFOA startup = {sizeof(startup)};
        ASSERT_TRUE(::CreateProcessA(NULL, commandLine.GetBuffer(), NULL, NULL, FALSE, 0, NULL, BinFolder(), &startup,
                                     &m_terminal));
    }

    void StopTerminal()
    {
        if (m_terminal.hProcess == NULL)
            return;
        if (m_main != NULL)
        {
            ::PostMessageA(m_main, WM_CLOSE, 0, 0);
            tolvan::test::ConfirmClosePrompt(m_main, m_terminal.hProcess, 30000);
        }
        if (::WaitForSingleObject(m_terminal.hProcess, 30000) != WAIT_OBJECT_0)
        {
            ADD_FAILURE() << "Tolvan did not end after WM_CLOSE";
            ::TerminateProcess(m_terminal.hProcess, 1);
        }
        ::CloseHandle(m_terminal.hThread);
        ::CloseHandle(m_terminal.hProcess);
        m_terminal = PROCESS_INFORMATION();
        m_main = NULL;
    }

    HWND Find(const char* title, HWND except = NULL)
    {
        return login_test::FindProcessWindow(m_terminal.dwProcessId, title, except);
    }

    static std::string Text(HWND window, int id)
    {
        char text[256] = {0};
        ::SendMessageA(::GetDlgItem(window, id), WM_GETTEXT, sizeof(text), (LPARAM)text);
        return text;
    }

    // Logs in as 80001 through the login window and waits for the main window.
    void LogIn()
    {
        HWND login = NULL;
        ASSERT_TRUE(PumpUntil([&] {
            login = Find("Tolvan证券客户端登录");
            return login != NULL && ::IsWindowEnabled(::GetDlgItem(login, IDOK))
                   && ::SendDlgItemMessageA(login, IDC_LOGIN_SERVERS, CB_GETCOUNT, 0, 0) > 0;
        }, kDeadlineMs)) << "no login window";
        ::SendMessageA(::GetDlgItem(login, IDC_LOGIN_USER), WM_SETTEXT, 0, (LPARAM) "80001");
        HWND edit = ::GetDlgItem(login, IDC_LOGIN_PASSWORD);
        ::SendMessageA(edit, WM_SETTEXT, 0, (LPARAM) "a123456");
        ::PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        ::PostMessageA(edit, WM_KEYUP, VK_RETURN, 0);
        ASSERT_TRUE(PumpUntil([&] {
            return (m_main = Find("Tolvan证券")) != NULL && Find("Tolvan证券客户端登录") == NULL;
        }, kDeadlineMs));
    }

    void Command(const char* command)
    {
        COPYDATASTRUCT data = {CDeskProbe::kCopyDataTag, (DWORD)strlen(command), (PVOID)command};
        DWORD_PTR result = 0;
        ASSERT_TRUE(::SendMessageTimeoutA(m_main, WM_COPYDATA, 0, (LPARAM)&data, SMTO_NORMAL, 10000, &result))
            << command;
        ASSERT_EQ(TRUE, (BOOL)result) << "the hook took " << command;
    }

    // The program's state as its hook writes it now.
    DeskState State()
    {
        DeskState state;
        ::DeleteFileA(m_statePath);
        Command("dump");
        std::string text;
        PumpUntil([&] {
            FILE* file = fopen(m_statePath, "rb");
            if (file == nullptr)
                return false;
            char buffer[4096];
            size_t read;
            text.clear();
            while ((read = fread(buffer, 1, sizeof(buffer), file)) > 0)
                text.append(buffer, read);
            fclose(file);
            return text.size() >= 4 && text.compare(text.size() - 4, 4, "end\n") == 0;
        }, 10000);
        size_t start = 0;
        while (start < text.size())
        {
            size_t end = text.find('\n', start);
            if (end == std::string::npos)
                end = text.size();
            const std::string line = text.substr(start, end - start);
            const size_t equals = line.find('=');
            if (equals != std::string::npos)
            {
                const std::string name = line.substr(0, equals);
                const std::string value = line.substr(equals + 1);
                if (name == "order")
                    state.orders.push_back(value);
                else if (name == "position")
                    state.positions.push_back(value);
                else if (name == "fill")
                    state.fills.push_back(value);
                else
                    state.values[name] = value;
            }
            start = end + 1;
        }
        return state;
    }

    bool WaitState(std::function<bool(const DeskState&)> condition, DeskState* last = nullptr)
    {
        DeskState state;
        const bool met = PumpUntil([&] {
            state = State();
            return condition(state);
        }, kDeadlineMs);
        if (last != nullptr)
            *last = state;
        return met;
    }

    // Confirms the order in the order detail window once the server's verdict is in.
    void ConfirmDetail(const char* screenshot = nullptr)
    {
        HWND detail = NULL;
        ASSERT_TRUE(PumpUntil([&] {
            detail = Find("订单明细");
            return detail != NULL && ::IsWindowEnabled(::GetDlgItem(detail, IDOK));
        }, kDeadlineMs)) << "no order detail verdict";
        EXPECT_EQ("确定", Text(detail, IDOK));
        if (screenshot != nullptr)   // the verdict's figures are drawn in blue
            Keep(detail, screenshot, [](const Screenshot& shot) { return shot.CountColor(RGB(0, 0, 255)) > 20; });
        ::PostMessageA(detail, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(PumpUntil([&] { return Find("订单明细") == NULL; }, kDeadlineMs));
    }

    // The order number of the newest row in the given state.
    static std::string NewestOrder(const DeskState& state, const char* status)
    {
        for (const std::string& row : state.orders)
        {
            const std::vector<std::string> cells = Cells(row);
            if (cells.size() == 15 && cells[8] == status && cells[11] != "---")
                return cells[11];
        }
        return std::string();
    }

    std::string Account() { return s_sim->Control("account 80001"); }
    double HeldInSimulator(const char* code)
    {
        const std::string account = Account();
        const size_t at = account.find(std::string("\"") + code + "\": {");
        return at == std::string::npos ? 0.0 : JsonNumber(account, "qty", at);
    }
    std::string OrderStateInSimulator(const std::string& orderNo)
    {
        const std::string orders = s_sim->Control("orders 80001");
        const size_t at = orders.find("\"oid\": \"" + orderNo + "\"");
        if (at == std::string::npos)
            return std::string();
        const size_t state = orders.find("\"state\": \"", at);
        return orders.substr(state + 10, orders.find('"', state + 10) - state - 10);
    }

    // `painted` tells when the picture shows the window's latest state (the other process may
    // not have painted it yet).
    void Keep(HWND window, const char* name, std::function<bool(const Screenshot&)> painted = nullptr)
    {
        Screenshot shot;
        PumpUntil([&] {
            shot = Screenshot::CaptureClient(window);
            return !shot.IsEmpty() && (!painted || painted(shot));
        }, 10000);
        EXPECT_FALSE(shot.IsEmpty()) << name;
        shot.SavePng(std::string(RootFolder()) + "test-artifacts\\" + name);
    }

    CString m_statePath;
    PROCESS_INFORMATION m_terminal = PROCESS_INFORMATION();
    HWND m_main = NULL;
};

TEST_F(DeskScenarioTest, BuyCancelCloseAllAndTripTheRiskLine)
{
    ASSERT_EQ("OK", s_sim->Control("set price XAUUSD 2320.00").substr(0, 2));
    ASSERT_NO_FATAL_FAILURE(StartTerminal());
    ASSERT_NO_FATAL_FAILURE(LogIn());

    // After the query login's initial load: the account's gold long and its funds.
    DeskState state;
    ASSERT_TRUE(WaitState([](const DeskState& s) {
        return s["trade"] == "1" && s["query"] == "1" && s["pending"] == "0" && !s.Position("XAUUSD").empty()
               && s["funds"].size() > 7;
    }, &state)) << state["trade"] << " " << state["query"] << " pending " << state["pending"];
    const double heldBefore = HeldInSimulator("XAUUSD");
    ASSERT_GT(heldBefore, 0.0);
    EXPECT_TRUE(WaitState([](const DeskState& s) { return !s["header"].empty(); }, &state))
        << "the panel's header shows the account figures";

    // The query connection goes and cannot log in again: the panel's orders and positions are
    // emptied. Once it is back, its initial load fills them again.
    ASSERT_EQ("OK", s_sim->Control("refuse query on").substr(0, 2));
    ASSERT_EQ("OK", s_sim->Control("drop query").substr(0, 2));
    ASSERT_TRUE(WaitState([](const DeskState& s) { return s["query"] != "1" && s.positions.empty(); }, &state))
        << state["query"] << " positions " << state.positions.size();
    ASSERT_EQ("OK", s_sim->Control("refuse query off").substr(0, 2));
    ASSERT_TRUE(WaitState([](const DeskState& s) {
        return s["query"] == "1" && s["pending"] == "0" && !s.Position("XAUUSD").empty();
    }, &state)) << state["query"] << " pending " << state["pending"];

    // Buy at market: confirmed in the order detail window, filled, and the position grows.
    ASSERT_NO_FATAL_FAILURE(Command("ticket 买入 市价 XAUUSD - 1 0.01"));
    ASSERT_NO_FATAL_FAILURE(ConfirmDetail("order-detail.png"));
    ASSERT_TRUE(WaitState([](const DeskState& s) { return !NewestOrder(s, "已成交").empty(); }, &state))
        << (state.orders.empty() ? std::string("no orders") : state.orders[0]);
    const std::vector<std::string> bought = state.Order(NewestOrder(state, "已成交"));
    EXPECT_EQ("XAUUSD", bought[2]);
    EXPECT_EQ("市价", bought[3]);
    EXPECT_EQ("买", bought[4]);
    const double heldAfterBuy = HeldInSimulator("XAUUSD");
    EXPECT_GT(heldAfterBuy, heldBefore);
    EXPECT_EQ("Filled", OrderStateInSimulator(bought[11]));

    // Today's fills, asked for as the fills window's refresh does: the buy is among them.
    ASSERT_NO_FATAL_FAILURE(Command("refresh-fills"));
    ASSERT_TRUE(WaitState([](const DeskState& s) { return !s.fills.empty() && s["pending"] == "0"; }, &state));
    ASSERT_EQ(1u, state.fills.size());
    const std::vector<std::string> fill = Cells(state.fills[0]);
    ASSERT_EQ(10u, fill.size());
    EXPECT_EQ("XAUUSD", fill[2]);
    EXPECT_EQ(bought[11], fill[6]);

    // A limit far below the market rests; cancelling it leaves it cancelled on both sides.
    ASSERT_NO_FATAL_FAILURE(Command("ticket 买入 限价 XAUUSD 1000.00 1 0.01"));
    ASSERT_NO_FATAL_FAILURE(ConfirmDetail());
    ASSERT_TRUE(WaitState([](const DeskState& s) { return !NewestOrder(s, "已提交").empty(); }, &state));
    const std::string resting = NewestOrder(state, "已提交");
    ASSERT_NO_FATAL_FAILURE(Command(("select-order " + resting).c_str()));
    ASSERT_NO_FATAL_FAILURE(Command("cancel"));
    ASSERT_TRUE(WaitState([&](const DeskState& s) {
        return s.Order(resting).size() == 15 && s.Order(resting)[8] == "已取消" && s["pending"] == "0";
    }, &state)) << resting;
    EXPECT_EQ("Cancelled", OrderStateInSimulator(resting));

    // Close all: the positions go, in the program's list and in the account.
    ASSERT_NO_FATAL_FAILURE(Command("close-all"));
    ASSERT_TRUE(WaitState([](const DeskState& s) { return s.positions.empty(); }, &state));
    EXPECT_TRUE(PumpUntil([&] { return Account().find("\"positions\": {}") != std::string::npos; })) << Account();

    // A new long and a resting order, then a risk line just under the total assets.
    ASSERT_NO_FATAL_FAILURE(Command("ticket 买入 市价 XAUUSD - 1 0.01"));
    ASSERT_NO_FATAL_FAILURE(ConfirmDetail());
    ASSERT_NO_FATAL_FAILURE(Command("ticket 买入 限价 XAUUSD 1000.00 1 0.01"));
    ASSERT_NO_FATAL_FAILURE(ConfirmDetail());
    ASSERT_TRUE(WaitState([](const DeskState& s) {
        return !s.Position("XAUUSD").empty() && !NewestOrder(s, "已提交").empty() && s["pending"] == "0";
    }, &state));
    const std::string restingAgain = NewestOrder(state, "已提交");
    const double assets = JsonNumber(Account(), "total");
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
    ASSERT_TRUE(WaitState([](const DeskState& s) { return s["risk"].compare(0, 4, "1 0 ") == 0; }, &state))
        << state["risk"];
    EXPECT_EQ(std::string("1 0 ") + line, state["risk"]);

    // The price falls by 100: the assets drop below the line. Orders are cancelled, the
    // console is told to stop, every position is closed, and the alarm box waits.
    ASSERT_EQ("OK", s_sim->Control("set price XAUUSD 2220.00").substr(0, 2));
    HWND alarm = NULL;
    ASSERT_TRUE(PumpUntil([&] { return (alarm = Find("Tolvan证券", m_main)) != NULL; }, kDeadlineMs))
        << "no alarm box";
    EXPECT_EQ("账号已达到风控设置值，补单运行已停止!", Text(alarm, 0xFFFF));
    ASSERT_TRUE(WaitState([](const DeskState& s) { return s.positions.empty(); }, &state));
    EXPECT_EQ("1 2", state["risk"].substr(0, 3));
    EXPECT_EQ("1", state["console-stops"]);
    EXPECT_EQ("1", state["alarm"]) << "sounding until the box is closed";
    EXPECT_EQ("2", state["alarm-plays"]);
    // While the box is open the alarm repeats every 13 seconds.
    EXPECT_TRUE(WaitState([](const DeskState& s) { return s["alarm-plays"] == "3"; }, &state))
        << state["alarm-plays"];
    EXPECT_EQ("Cancelled", OrderStateInSimulator(restingAgain));
    EXPECT_TRUE(PumpUntil([&] { return Account().find("\"positions\": {}") != std::string::npos; })) << Account();

    ::PostMessageA(alarm, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitState([](const DeskState& s) { return s["alarm"] == "0"; }, &state));
    EXPECT_EQ("1", state["sound-stops"]);
    EXPECT_EQ("1 2", state["risk"].substr(0, 3)) << "waits for the assets to recover";

    // The order form's option "show the order detail", switched off, is kept in Config.ini.
    ::SendMessageA(m_main, 1176, 0, 0);   // as the trade dialog relays the option
    EXPECT_EQ(0, (int)::GetPrivateProfileIntA("Settings", "ShowOrderDetail", 1, BinFolder() + "Config.ini"));
}

}  // namespace
