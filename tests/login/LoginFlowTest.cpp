// The main window's login work with the real login window: the switch between the real and the
// simulated servers, the server-list message boxes, and the workers ending with the window.
// The speed-test program is a stand-in (fake_probehall) that waits while the test holds its
// gate, so a test can look at the window while the speed test runs.
#include "FileCrypt.h"
#include "ILogin.h"
#include "LoginFlow.h"
#include "LoginProcess.h"
#include "LoginState.h"
#include "LoginWindowIds.h"
#include "ModalScript.h"
#include "SessionData.h"
#include "testsupport/FakeTcpServer.h"
#include "testsupport/MessageBoxScript.h"
#include "testsupport/Pump.h"
#include "testsupport/RecordingWindow.h"
#include "testsupport/TestFiles.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

using tolvan::test::FakeTcpServer;
using tolvan::test::MessageBoxScript;
using tolvan::test::PumpUntil;
using tolvan::test::ReadFileBytes;
using tolvan::test::RecordingWindow;
using tolvan::test::RemoveFolder;

namespace {

const DWORD kScriptDeadlineMs = 60000;
const char kListMissing[] = "服务器列表缺失，请重新安装程序以解决此问题！";
const char kListBroken[] = "服务器列表错误，请重新安装程序以解决此问题！";
const char kRealList[] = "[ArrangeNetwork]\n实一,R1:127.0.0.1:1:K\n实二,R2:127.0.0.1:2:K\n实三,R3:127.0.0.1:3:K\n";

CString ProgramFolder()
{
    char path[MAX_PATH] = {0};
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    CString folder = path;
    return folder.Left(folder.ReverseFind('\\') + 1);
}

class LoginFlowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        m_root.Format("%sloginflow-%lu-%lu", temp, ::GetCurrentProcessId(), ::GetTickCount());
        const char* folders[] = {"", "\\bin", "\\test", "\\update", "\\usr"};
        for (const char* folder : folders)
            ::CreateDirectoryA(m_root + folder, NULL);
        m_folders.appDir = m_root + "\\bin\\";
        m_folders.rootDir = m_root;
        m_folders.testDir = m_root + "\\test\\";
        m_folders.updateDir = m_root + "\\update\\";
        m_folders.usrDir = m_root + "\\usr\\";
        ASSERT_TRUE(::CopyFileA(ProgramFolder() + "fake_probehall.exe", m_folders.testDir + "Probehall.exe", FALSE));
        m_gate = ::CreateEventA(NULL, TRUE, TRUE, "TolvanTestProbeGate");

        SpecialLoginFlag = false;
        DefaultServerUsed = false;
        serveListIndexAnalog = -1;
        serveListIndexTrue = -1;
        GetSessionData().m_nAccountMode = 1;

        m_host.SetHandler(WM_SPEEDTEST_DONE, [this](HWND, WPARAM w, LPARAM) { return m_flow->OnSpeedTestDone(w); });
        m_host.SetHandler(WM_START_UPDATE_CHECK, [this](HWND, WPARAM w, LPARAM) { return m_flow->OnStartUpdateCheck(w); });
        m_host.SetHandler(WM_LOGIN_NOTICE, [this](HWND, WPARAM, LPARAM l) { return m_flow->OnLoginNotice(l); });
        m_flow.reset(new CLoginFlow(m_host, m_folders));
    }

    void TearDown() override
    {
        ::SetEvent(m_gate);
        m_flow.reset();
        ::CloseHandle(m_gate);
        GetLoginProcess().GetClient().Stop();
        RemoveFolder(m_folders.testDir);
        RemoveFolder(m_folders.appDir);
        RemoveFolder(m_folders.updateDir);
        RemoveFolder(m_folders.usrDir);
        RemoveFolder(m_root);
    }

    void WriteList(const CString& path, const char* text)
    {
        CFileCrypt crypt;
        ASSERT_TRUE(crypt.EncryptStringToFile(text, path)) << (LPCSTR)path;
    }

    void SkipStartupSpeedTest()
    {
        ::WritePrivateProfileStringA("testnet", "true_needtest", "0", m_folders.appDir + "Config.ini");
    }

public:
    // Runs the login window with the script's steps; true after an accepted login.
    bool Run(ModalScript& script)
    {
        script.Start();
        const bool loggedIn = m_flow->Run();
        EXPECT_TRUE(script.Finished()) << "stalled at: " << script.Stalled();
        return loggedIn;
    }

    HWND Window() { return m_flow->GetLoginWindow() != nullptr ? m_flow->GetLoginWindow()->GetWindow() : NULL; }
    HWND Control(int id) { return ::GetDlgItem(Window(), id); }
    bool InputEnabled() { return Window() != NULL && ::IsWindowEnabled(Control(IDOK)); }
    std::string Entries() { return m_flow->GetLoginWindow()->GetShownText(LOGIN_TEXT_ENTRIES); }
    int Selected() { return (int)::SendMessageA(Control(IDC_LOGIN_SERVERS), CB_GETCURSEL, 0, 0); }
    // As the user picks an entry.
    void Select(int index)
    {
        ::SendMessageA(Control(IDC_LOGIN_SERVERS), CB_SETCURSEL, index, 0);
        ::SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(IDC_LOGIN_SERVERS, CBN_SELCHANGE), (LPARAM)Control(IDC_LOGIN_SERVERS));
    }
    std::string ProbeLog() { return ReadFileBytes(m_folders.testDir + "probe.log"); }

    void Submit(const char* user, const char* password)
    {
        ::SetWindowTextA(Control(IDC_LOGIN_USER), user);
        ::SetWindowTextA(Control(IDC_LOGIN_PASSWORD), password);
        ::PostMessageA(Window(), WM_COMMAND, IDOK, 0);
    }

    // As a click on the kind's tab: 0 simulated, 1 real.
    void SwitchKind(int kind)
    {
        HWND tabs = Control(IDC_LOGIN_KIND);
        ::SendMessageA(tabs, TCM_SETCURSEL, kind, 0);
        NMHDR change = {tabs, IDC_LOGIN_KIND, (UINT)TCN_SELCHANGE};
        ::SendMessageA(Window(), WM_NOTIFY, IDC_LOGIN_KIND, (LPARAM)&change);
    }

    void Close() { ::PostMessageA(Window(), WM_CLOSE, 0, 0); }

    CString m_root;
    LoginFolders m_folders;
    HANDLE m_gate = NULL;
    RecordingWindow m_host;
    std::unique_ptr<CLoginFlow> m_flow;
};

TEST_F(LoginFlowTest, KindSwitchSwapsTheListsTestsOnAWorkerAndKeepsEachKindsIndex)
{
    MessageBoxScript boxes;
    SkipStartupSpeedTest();
    WriteList(m_folders.appDir + "ServerList_real.ini", "[Network]\n实一,R1:127.0.0.1:1:K\n");
    WriteList(m_folders.appDir + "ServerList_analog.ini", "[Network]\n模一,A1:127.0.0.1:4:K\n");
    WriteList(m_folders.testDir + "ArrangeServerList_real.ini", kRealList);
    WriteList(m_folders.testDir + "ArrangeServerList_analog.ini.next",
              "[ArrangeNetwork]\n模一,A1:127.0.0.1:4:K\n模二,A2:127.0.0.1:5:K\n");

    ModalScript script(kScriptDeadlineMs);
    script.Then("real list", [&] { return Entries() == "R1|R2|R3" && InputEnabled(); }, [&] {
        EXPECT_EQ(0, Selected()) << "no remembered index yet";
        Select(2);
        Submit("417263", "590318");
    });
    script.Then("the special account shows the switch", [&] {
        return InputEnabled() && ::IsWindowVisible(Control(IDC_LOGIN_KIND));
    }, [&] {
        ::ResetEvent(m_gate);
        SwitchKind(0);
    });
    // This step runs on the window's thread: it comes while the speed test still waits.
    script.Then("speed test running", [&] { return !ProbeLog().empty(); }, [&] {
        EXPECT_EQ(std::string::npos, ProbeLog().find("done")) << "the window froze for the whole test";
        EXPECT_FALSE(InputEnabled());
        ::SetEvent(m_gate);
    });
    script.Then("simulated list", [&] { return Entries() == "A1|A2" && InputEnabled(); }, [&] {
        EXPECT_EQ(2, serveListIndexAnalog);
        EXPECT_EQ(0, Selected()) << "the remembered 2 lies outside a list of two";
        Select(1);
        SwitchKind(1);
    });
    script.Then("real list again", [&] { return Entries() == "R1|R2|R3" && InputEnabled(); }, [&] {
        EXPECT_EQ(1, serveListIndexTrue);
        EXPECT_EQ(1, Selected());
        EXPECT_EQ(1, GetSessionData().m_nAccountMode);
        Close();
    });
    EXPECT_FALSE(Run(script));
    EXPECT_EQ("1;ServerList_analog.ini;ArrangeServerList_analog.ini\ndone\n", ProbeLog())
        << "one full test, of the simulated list only";
    EXPECT_EQ(0u, ::GetPrivateProfileIntA("testnet", "analog_needtest", 9, m_folders.appDir + "Config.ini"));
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ(0, m_flow->CountRunningWorkers());
}

TEST_F(LoginFlowTest, ServerListFailuresShowTheirBoxAndKeepTheWindowUsable)
{
    struct Case
    {
        const char* name;
        const char* plainList;   // ServerList_real.ini, or none
        const char* sortedList;  // ArrangeServerList_real.ini, or none
        std::function<void(LoginFlowTest&)> act;
        const char* box;
    };
    const Case cases[] = {
        {"no list at all", nullptr, nullptr, nullptr, kListMissing},
        {"a sorted list with a wrong first line", "[Network]\nx,y:1:2\n", "[Network]\nx,y:1:2\n", nullptr, kListBroken},
        {"a speed test without the current list", nullptr, kRealList,
         [](LoginFlowTest& test) {
             ::SendMessageA(test.Window(), WM_COMMAND, MAKEWPARAM(IDC_LOGIN_SPEEDTEST, BN_CLICKED),
                            (LPARAM)test.Control(IDC_LOGIN_SPEEDTEST));
         },
         "服务器列表损坏！"},
        {"a login with no server in the list", nullptr, "[ArrangeNetwork]\n",
         [](LoginFlowTest& test) { test.Submit("80001", "a123456"); }, "服务器地址无效!"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        SkipStartupSpeedTest();
        if (c.plainList != nullptr)
            WriteList(m_folders.appDir + "ServerList_real.ini", c.plainList);
        if (c.sortedList != nullptr)
            WriteList(m_folders.testDir + "ArrangeServerList_real.ini", c.sortedList);
        MessageBoxScript boxes;
        ModalScript script(kScriptDeadlineMs);
        if (c.act)
            script.Then("window ready", [&] { return InputEnabled(); }, [&] { c.act(*this); });
        script.Then("box shown", [&] { return boxes.Count() > 0 && InputEnabled(); }, [&] { Close(); });
        EXPECT_FALSE(Run(script));
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ(c.box, boxes.Last().text);
        EXPECT_EQ("Tolvan证券", boxes.Last().caption);
        EXPECT_EQ(m_host.Handle(), boxes.Last().owner);
        EXPECT_EQ(0, m_flow->CountRunningWorkers());
    }
}

TEST_F(LoginFlowTest, WithoutAWorkingSpeedTestTheUntestedListIsOfferedAndInputComesBack)
{
    const char kCouldNotRun[] = "测速程序无法运行，服务器未经测速";
    struct Case { const char* name; bool removeProgram; };
    const Case cases[] = {{"the program is missing", true}, {"the program fails", false}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        if (c.removeProgram)
        {
            ASSERT_TRUE(::DeleteFileA(m_folders.testDir + "Probehall.exe"));
        }
        SkipStartupSpeedTest();
        WriteList(m_folders.appDir + "ServerList_real.ini", "[Network]\n实一,R1:127.0.0.1:1:K\n实二,R2:127.0.0.1:2:K\n");
        MessageBoxScript boxes;
        ModalScript script(kScriptDeadlineMs);
        auto offered = [&] {
            return InputEnabled() && Entries() == "R1|R2"
                   && m_flow->GetLoginWindow()->GetShownText(LOGIN_TEXT_PROGRESS) == kCouldNotRun;
        };
        script.Then("untested list at the start", offered, [&] {
            char shown[128] = {0};
            ::GetWindowTextA(Control(IDC_LOGIN_PROGRESS_TEXT), shown, sizeof(shown));
            EXPECT_STREQ(kCouldNotRun, shown);
            EXPECT_EQ(0, Selected());
            Select(1);
            m_flow->GetLoginWindow()->SetProgressText("");
            ::SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(IDC_LOGIN_SPEEDTEST, BN_CLICKED),
                           (LPARAM)Control(IDC_LOGIN_SPEEDTEST));
        });
        script.Then("untested list after the button", offered, [&] { Close(); });
        EXPECT_FALSE(Run(script));
        EXPECT_EQ(0u, boxes.Count());
        EXPECT_EQ(0, m_flow->CountRunningWorkers());
    }
}

TEST_F(LoginFlowTest, ClosingTheWindowDuringTheSpeedTestEndsItsWorker)
{
    WriteList(m_folders.appDir + "ServerList_real.ini", "[Network]\n实一,R1:127.0.0.1:1:K\n");
    WriteList(m_folders.testDir + "ArrangeServerList_real.ini.next", kRealList);
    ::ResetEvent(m_gate);
    ModalScript script(kScriptDeadlineMs);
    script.Then("speed test running", [&] { return !ProbeLog().empty(); }, [&] { Close(); });
    EXPECT_FALSE(Run(script));
    EXPECT_EQ(0, m_flow->CountRunningWorkers()) << "a worker outlived the login window";
    EXPECT_EQ(std::string::npos, ProbeLog().find("done")) << "the test program was awaited to its end";

    // The program finishes on its own; nobody reports it any more.
    ::SetEvent(m_gate);
    EXPECT_TRUE(PumpUntil([&] { return ProbeLog().find("done") != std::string::npos; }));
    m_flow.reset();
    EXPECT_EQ(0u, m_host.Count(WM_SPEEDTEST_DONE));
}

TEST_F(LoginFlowTest, ClosingTheWindowDuringALoginEndsTheAttemptWithTheGateClosed)
{
    FakeTcpServer server;  // takes the request and never answers
    CString list;
    list.Format("[ArrangeNetwork]\n本地,本地:127.0.0.1:%u:KQZTWXBNPL4M\n", server.Port());
    WriteList(m_folders.testDir + "ArrangeServerList_real.ini", list);
    SkipStartupSpeedTest();
    ModalScript script(kScriptDeadlineMs);
    script.Then("window ready", [&] { return InputEnabled() && !Entries().empty(); }, [&] { Submit("80001", "a123456"); });
    script.Then("request sent", [&] {
        return server.ConnectionCount() > 0 && server.Connection(0)->Received().find("login@uName:80001") != std::string::npos;
    }, [&] { Close(); });
    EXPECT_FALSE(Run(script));
    EXPECT_EQ(-2, m_flow->GetLoginGate());
    EXPECT_EQ(0, m_flow->CountRunningWorkers());
    // Ended at once, not after waiting out the answer ("服务器超时！").
    EXPECT_EQ("正在连接服务器....", m_flow->GetLoginWindow()->GetShownText(LOGIN_TEXT_STATUS));
    ASSERT_GT(server.ConnectionCount(), 0u);
    EXPECT_TRUE(server.Connection(0)->WaitForPeerClose()) << "the attempt's connection stays open";
}

}  // namespace
