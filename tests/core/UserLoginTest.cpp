// The user's first login as the login window submits it, against the broker simulator: the
// two fixed account pairs, the input checks, every result text, and "usrcfg.ini".
#include "FakeLoginWindow.h"
#include "LoginProcess.h"
#include "LoginState.h"
#include "SessionData.h"
#include "UserSettingsFile.h"
#include "UserLogin.h"
#include "testsupport/SimulatorSuite.h"

#include <gtest/gtest.h>

using tolvan::test::SimulatorSuite;

namespace {

class UserLoginTest : public SimulatorSuite
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ResetSimulator("login"));
        char base[MAX_PATH];
        ::GetTempPathA(MAX_PATH, base);
        m_folder.Format("%suserlogin-%lu-%lu\\", base, ::GetCurrentProcessId(), ::GetTickCount());
        ::CreateDirectoryA(m_folder, NULL);
        SpecialLoginFlag = false;
        DefaultServerUsed = false;
        serveListIndexAnalog = 4;
        serveListIndexTrue = -1;
        GetSessionData().m_nAccountMode = 1;
        m_gate = LOGIN_GATE_CLOSED;
        m_process.SetSendDelay(0);

        m_context.configIniPath = m_folder + "Config.ini";
        m_context.userConfigPath = m_folder + "usrcfg.ini";
        m_context.process = &m_process;
        m_context.loginGate = &m_gate;
        m_context.showMessage = [this](const char* text) { m_messages.push_back(text); };
        m_context.successPauseMs = 0;
        CString sim;
        sim.Format("127.0.0.1:%d", s_sim->Port("login"));
        m_context.serverAddresses = {sim + ":KQZTWXBNPL4M", "127.0.0.1:1:KQZTWXBNPL4M", sim + ":", sim};
        m_context.defaultServerAddress = sim + ":KQZTWXBNPL4M";
    }

    void TearDown() override
    {
        m_process.GetClient().Stop();
        ::DeleteFileA(m_context.configIniPath);
        ::DeleteFileA(m_context.userConfigPath);
        ::RemoveDirectoryA(m_folder);
        SimulatorSuite::TearDown();
    }

    int Submit(const char* user, const char* password, int serverIndex)
    {
        UserLoginRequest request;
        request.window = &m_window;
        request.user = user;
        request.password = password;
        request.serverIndex = serverIndex;
        return RunUserLogin(request, m_context);
    }

    CString m_folder;
    FakeLoginWindow m_window;
    CLoginProcess m_process;
    volatile LONG m_gate;
    UserLoginContext m_context;
    std::vector<std::string> m_messages;
};

TEST_F(UserLoginTest, AcceptedLoginOpensTheGateClosesTheWindowAndRemembersTheServer)
{
    EXPECT_EQ(1, Submit("80001", "a123456", 0));
    EXPECT_EQ(LOGIN_GATE_OPEN, m_gate);
    EXPECT_TRUE(m_window.Has("status 登录成功!"));
    EXPECT_EQ("close", m_window.Calls().back());
    EXPECT_FALSE(DefaultServerUsed);
    EXPECT_EQ(CString("80001"), GetSessionData().m_strUserName);

    UserSettings saved;
    ASSERT_TRUE(LoadUserSettings(m_context.userConfigPath, saved));
    EXPECT_EQ(CString("80001"), saved.strUserName);
    EXPECT_EQ(4, saved.nServeListIndexAnalog);  // the simulated position stays as it was
    EXPECT_EQ(0, saved.nServeListIndexTrue);
}

TEST_F(UserLoginTest, AddressWithoutKeyLogsInWithAnEmptyRange)
{
    EXPECT_EQ(1, Submit("80001", "a123456", 3));
    EXPECT_NE(std::string::npos, s_sim->Control("requests login").find("#uPwd:"));
    EXPECT_EQ(std::string::npos, s_sim->Control("requests login").find("uRange"));
    EXPECT_EQ(3, serveListIndexTrue);
}

TEST_F(UserLoginTest, GuestPairUsesTheDefaultServerAndWritesNoUserConfig)
{
    EXPECT_EQ(1, Submit("6072", "735196", 1));  // entry 1 is unreachable: never used
    EXPECT_TRUE(DefaultServerUsed);
    EXPECT_EQ(0, GetSessionData().m_nAccountMode);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(m_context.userConfigPath));
    EXPECT_EQ(LOGIN_GATE_OPEN, m_gate);
}

TEST_F(UserLoginTest, SpecialAccountSwitchesToTheSimulatedListWithoutConnecting)
{
    EXPECT_EQ(0, Submit("417263", "590318", 0));
    EXPECT_TRUE(SpecialLoginFlag);
    EXPECT_EQ((std::vector<std::string>{"disable", "enable", "mode 1", "result "}), m_window.Calls());
    EXPECT_EQ(LOGIN_GATE_CLOSED, m_gate);

    // Both texts must match exactly; otherwise it is an ordinary login.
    SpecialLoginFlag = false;
    FakeLoginWindow other;
    m_context.pollCount = 30;
    EXPECT_EQ(0, RunUserLogin(UserLoginRequest{&other, "417263", "590319", 0}, m_context));
    EXPECT_FALSE(SpecialLoginFlag);
    EXPECT_TRUE(other.Has("status 用户名或密码错误！"));
    ASSERT_EQ("OK", s_sim->Control("clear requests"));

    // The account comes from "Config.ini" when it names one; the default is then an
    // ordinary (refused) login.
    ::WritePrivateProfileStringA("system", "specialAccount", "S1", m_context.configIniPath);
    ::WritePrivateProfileStringA("system", "specialPassword", "P1", m_context.configIniPath);
    SpecialLoginFlag = false;
    EXPECT_EQ(0, Submit("S1", "P1", 0));
    EXPECT_TRUE(SpecialLoginFlag);
    EXPECT_EQ("OK []", s_sim->Control("requests login"));
}

TEST_F(UserLoginTest, InputFaultsFailWithoutConnecting)
{
    // Ports outside 1-65535 are refused; one 65536 above the simulator's would reach it if it
    // were cut to 16 bits.
    CString wrapped;
    wrapped.Format("127.0.0.1:%d:KQZTWXBNPL4M", s_sim->Port("login") + 65536);
    m_context.serverAddresses.insert(m_context.serverAddresses.end(),
                                     {wrapped, "127.0.0.1:0:K", "127.0.0.1:-1", "127.0.0.1:65536", "127.0.0.1::K", "127.0.0.1:12x4:K"});
    struct Case { const char* user; const char* password; int index; const char* message; };
    const Case cases[] = {
        {"80001", "", 0, nullptr},
        {"", "a123456", 0, nullptr},
        {"80001", "a123456", 10, "服务器地址无效!"},   // past the end of the list
        {"80001", "a123456", -1, "服务器地址无效!"},
        {"80001", "a123456", 4, "服务器地址无效!"},
        {"80001", "a123456", 5, "服务器地址无效!"},
        {"80001", "a123456", 6, "服务器地址无效!"},
        {"80001", "a123456", 7, "服务器地址无效!"},
        {"80001", "a123456", 8, "服务器地址无效!"},
        {"80001", "a123456", 9, "服务器地址无效!"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.user) + "/" + c.password + "/" + std::to_string(c.index));
        m_messages.clear();
        FakeLoginWindow window;
        UserLoginRequest request{&window, c.user, c.password, c.index};
        EXPECT_EQ(0, RunUserLogin(request, m_context));
        EXPECT_TRUE(window.Has("enable"));
        EXPECT_EQ(c.message == nullptr, window.Has("result 登录失败"));
        EXPECT_EQ(c.message == nullptr ? 0u : 1u, m_messages.size());
    }
    EXPECT_EQ("OK []", s_sim->Control("requests login"));
}

TEST_F(UserLoginTest, EveryFailureShowsItsTextAndClosesTheGate)
{
    m_context.pollCount = 30;
    m_gate = LOGIN_GATE_OPEN;
    EXPECT_EQ(0, Submit("80001", "wrong", 0));
    EXPECT_TRUE(m_window.Has("status 用户名或密码错误！"));
    EXPECT_EQ("result 登录失败", m_window.Calls().back());
    EXPECT_EQ(LOGIN_GATE_CLOSED, m_gate);

    FakeLoginWindow unreachable;
    EXPECT_EQ(0, RunUserLogin(UserLoginRequest{&unreachable, "80001", "a123456", 1}, m_context));
    EXPECT_TRUE(unreachable.Has("status 连接服务器失败！"));

    ASSERT_EQ("OK", s_sim->Control("stall login on"));
    FakeLoginWindow silent;
    EXPECT_EQ(0, RunUserLogin(UserLoginRequest{&silent, "80001", "a123456", 0}, m_context));
    EXPECT_TRUE(silent.Has("status 服务器超时！"));
    ASSERT_EQ("OK", s_sim->Control("stall login off"));
    EXPECT_FALSE(m_process.GetClient().IsActive());
}

TEST(UserLoginTextTest, ResultTexts)
{
    EXPECT_STREQ("连接服务器失败！", LoginFailureText(kSendFailedResult));
    EXPECT_STREQ("用户名或密码错误！", LoginFailureText(CLoginProcess::kResultRefused));
    EXPECT_STREQ("网络错误！", LoginFailureText(CLoginProcess::kResultNetworkError));
    EXPECT_STREQ("服务器数据错误！", LoginFailureText(CLoginProcess::kResultServerDataError));
    EXPECT_STREQ("服务器超时！", LoginFailureText(CLoginProcess::kResultIncomplete));
}

}  // namespace
