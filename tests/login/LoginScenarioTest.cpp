// Tolvan.exe against the simulator, driven through its real login window as a user would: a
// wrong password, a login server that drops the connection, the accepted login with every
// connection of the account logged in, and the user name offered again at the next start; a
// login without the speed-test program; and an update published on the simulator, installed by
// the updater after the terminal ended, which then starts the terminal again. Faults the user
// must get out of: a server list holding a port no server can have, an updater that cannot be
// started, and a damaged "usrcfg.ini". Screenshots of the login window and of the window after
// login are kept in <build>\test-artifacts.
#include "LoginWindowIds.h"
#include "TerminalUnderTest.h"
#include "FileCrypt.h"
#include "UserSettingsFile.h"
#include "testsupport/Pump.h"
#include "testsupport/Screenshot.h"
#include "testsupport/SimulatorSuite.h"
#include "testsupport/TestFiles.h"

#include <gtest/gtest.h>

#include <shlobj.h>
#include <tlhelp32.h>

#include <string.h>

#include <string>

using login_test::BinFolder;
using login_test::CTerminal;
using login_test::ControlText;
using login_test::RootFolder;
using tolvan::test::PumpUntil;
using tolvan::test::Screenshot;
using tolvan::test::RemoveFolder;
using tolvan::test::SimulatorSuite;

namespace {

const DWORD kDeadlineMs = 60000;
const char kLoginTitle[] = "Tolvan证券客户端登录";

// How many processes of this program file name run now.
int CountProcesses(const char* program)
{
    int count = 0;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    PROCESSENTRY32 entry = {sizeof(entry)};
    for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry))
        count += _stricmp(entry.szExeFile, program) == 0 ? 1 : 0;
    ::CloseHandle(snapshot);
    return count;
}

// A running process started by parent from a program of the given file name; 0 when none.
DWORD FindChildProcess(DWORD parent, const char* program)
{
    DWORD found = 0;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    PROCESSENTRY32 entry = {sizeof(entry)};
    for (BOOL more = ::Process32First(snapshot, &entry); more && found == 0; more = ::Process32Next(snapshot, &entry))
        if (entry.th32ParentProcessID == parent && _stricmp(entry.szExeFile, program) == 0)
            found = entry.th32ProcessID;
    ::CloseHandle(snapshot);
    return found;
}

ULONGLONG AsNumber(const FILETIME& time)
{
    return (ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// A message box of the process whose text begins with `prefix`; null when none.
HWND FindBoxSaying(DWORD process, const std::string& prefix)
{
    return login_test::FindMatchingWindow(process, [&](HWND window) {
        return login_test::ControlText(window, 0xFFFF).compare(0, prefix.size(), prefix) == 0;
    });
}

// Moves a program of the installation out of the way for one test and puts it back after,
// also when an earlier run ended before it could.
struct ProgramAway
{
    explicit ProgramAway(const CString& path) : program(path)
    {
        ::MoveFileExA(program + ".away", program, MOVEFILE_REPLACE_EXISTING);
        moved = ::MoveFileExA(program, program + ".away", MOVEFILE_REPLACE_EXISTING) != FALSE;
    }
    ~ProgramAway() { ::MoveFileExA(program + ".away", program, MOVEFILE_REPLACE_EXISTING); }
    CString program;
    bool moved = false;
};

std::string ReadText(const CString& path)
{
    FILE* file = fopen(path, "rb");
    if (file == nullptr)
        return "<missing>";
    char buffer[256] = {0};
    fread(buffer, 1, sizeof(buffer) - 1, file);
    fclose(file);
    return buffer;
}

class LoginScenarioTest : public SimulatorSuite
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ResetSimulator("login"));
        ASSERT_TRUE(login_test::WriteInstallation(*s_sim));
        ::CreateDirectoryA(RootFolder() + "test-artifacts", NULL);
    }

    void TearDown() override
    {
        EXPECT_TRUE(m_terminal.Stop()) << "Tolvan did not end when asked to close";
        SimulatorSuite::TearDown();
    }

    HWND Find(const char* title) { return m_terminal.Find(title); }

    bool InputEnabled(HWND login) { return ::IsWindowEnabled(::GetDlgItem(login, IDOK)) != FALSE; }

    // Waits for a box of the terminal whose text begins with `prefix` and closes it as the user
    // does with its button. False when no box came or it stayed open.
    bool CloseBoxSaying(const std::string& prefix)
    {
        HWND box = NULL;
        if (!PumpUntil([&] { return (box = FindBoxSaying(m_terminal.Id(), prefix)) != NULL; }, kDeadlineMs))
            return false;
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        return PumpUntil([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }, kDeadlineMs);
    }

    bool WaitForStatus(HWND login, const std::string& status)
    {
        return PumpUntil([&] { return ControlText(login, IDC_LOGIN_STATUS) == status && ::IsWindowEnabled(::GetDlgItem(login, IDOK)); },
                         kDeadlineMs);
    }

    static void Keep(HWND window, const char* name)
    {
        const Screenshot shot = Screenshot::CaptureClient(window);
        EXPECT_FALSE(shot.IsEmpty()) << name;
        shot.SavePng(std::string(RootFolder()) + "test-artifacts\\" + name);
    }

    CTerminal m_terminal;
};

TEST_F(LoginScenarioTest, LogsInThroughTheLoginWindow)
{
    char appData[MAX_PATH] = {0};
    ASSERT_TRUE(::SHGetSpecialFolderPathA(NULL, appData, CSIDL_APPDATA, TRUE));
    const CString userFolder = CString(appData) + "\\Tolvan证券\\80001\\";
    RemoveFolder(userFolder + "Proxy");
    RemoveFolder(userFolder);
    ASSERT_TRUE(m_terminal.Start());
    HWND login = m_terminal.WaitForLoginWindow(kDeadlineMs);
    ASSERT_NE(HWND(NULL), login) << "no login window with servers";
    EXPECT_EQ("本地服务器一", ControlText(login, IDC_LOGIN_SERVERS));
    EXPECT_EQ("当前已是最新版本！", ControlText(login, IDC_LOGIN_STATUS));
    Keep(login, "login-window.png");

    CTerminal::Submit(login, "80001", "wrong");
    EXPECT_TRUE(WaitForStatus(login, "用户名或密码错误！")) << ControlText(login, IDC_LOGIN_STATUS);
    // The result line is a call of its own after the status text.
    EXPECT_TRUE(PumpUntil([&] { return ControlText(login, IDC_LOGIN_RESULT) == "登录失败"; }, kDeadlineMs))
        << ControlText(login, IDC_LOGIN_RESULT);
    Keep(login, "login-refused.png");

    // The login server takes the request, then drops the connection without an answer.
    ASSERT_EQ("OK", s_sim->Control("stall login on"));
    ASSERT_EQ("OK", s_sim->Control("clear requests"));
    CTerminal::Submit(login, "80001", "a123456");
    ASSERT_TRUE(PumpUntil([&] { return s_sim->Control("requests login").find("login@uName:80001") != std::string::npos; }));
    ASSERT_EQ(0u, s_sim->Control("drop login").find("OK"));
    EXPECT_TRUE(WaitForStatus(login, "网络错误！")) << ControlText(login, IDC_LOGIN_STATUS);
    ASSERT_EQ("OK", s_sim->Control("stall login off"));

    CTerminal::Submit(login, "80001", "a123456");
    // The main window waits off-screen until start-up has finished, then comes up maximised.
    HWND main = m_terminal.WaitForMainWindow(kDeadlineMs, [](HWND main) { return ::IsZoomed(main) != FALSE; });
    ASSERT_NE(HWND(NULL), main);
    EXPECT_TRUE(PumpUntil([&] { return login_test::AllConnectionsLoggedIn(*s_sim, "80001"); }, kDeadlineMs)) << s_sim->Control("sessions");
    Keep(main, "logged-in.png");
    EXPECT_NE(std::string::npos, s_sim->Control("http statistics").find("[\""));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(userFolder + "Proxy")) << "the user's folders";
    EXPECT_TRUE(m_terminal.Stop());

    // The next start offers the user name again; closing the window ends the program.
    ASSERT_TRUE(m_terminal.Start());
    login = m_terminal.WaitForLoginWindow(kDeadlineMs);
    ASSERT_NE(HWND(NULL), login);
    EXPECT_EQ("80001", ControlText(login, IDC_LOGIN_USER));
    ::PostMessageA(login, WM_CLOSE, 0, 0);
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, ::WaitForSingleObject(m_terminal.Handle(), kDeadlineMs));
}

// Without the speed-test program the user still logs in, on the list as installed.
TEST_F(LoginScenarioTest, WithoutTheSpeedTestProgramTheUserLogsInOnTheUntestedList)
{
    const CString program = RootFolder() + "test\\Probehall.exe";
    ASSERT_TRUE(::MoveFileExA(program, program + ".away", MOVEFILE_REPLACE_EXISTING));
    struct PutBack
    {
        CString program;
        ~PutBack() { ::MoveFileExA(program + ".away", program, MOVEFILE_REPLACE_EXISTING); }
    } putBack{program};
    ::DeleteFileA(RootFolder() + "test\\ArrangeServerList_real.ini");

    ASSERT_TRUE(m_terminal.Start());
    HWND login = m_terminal.WaitForLoginWindow(kDeadlineMs);
    ASSERT_NE(HWND(NULL), login) << "the login window stayed disabled";
    EXPECT_EQ("本地服务器一", ControlText(login, IDC_LOGIN_SERVERS));
    EXPECT_TRUE(PumpUntil([&] { return ControlText(login, IDC_LOGIN_PROGRESS_TEXT) == "测速程序无法运行，服务器未经测速"; }))
        << ControlText(login, IDC_LOGIN_PROGRESS_TEXT);
    EXPECT_TRUE(WaitForStatus(login, "当前已是最新版本！")) << "the update check follows the list";
    Keep(login, "login-without-speed-test.png");

    CTerminal::Submit(login, "80001", "a123456");
    HWND main = m_terminal.WaitForMainWindow(kDeadlineMs, [](HWND main) { return ::IsZoomed(main) != FALSE; });
    ASSERT_NE(HWND(NULL), main);
    EXPECT_TRUE(PumpUntil([&] { return login_test::AllConnectionsLoggedIn(*s_sim, "80001"); }, kDeadlineMs)) << s_sim->Control("sessions");
}

// The installation's list offers a server at a port past 65535 (five digits, cut to 16 bits it
// would be another port): the list is refused as damaged, the window stays usable without
// servers, a submit is refused with the login's own text, and no login request reaches the
// simulator.
TEST_F(LoginScenarioTest, AServerPortPast65535IsRefusedWithoutConnecting)
{
    const CString servers = "[Network]\n本地一,越界端口服务器:127.0.0.1:70000:KQZTWXBNPL4M\n";
    CFileCrypt crypt;
    ASSERT_TRUE(crypt.EncryptStringToFile(servers, BinFolder() + "ServerList_real.ini"));
    ASSERT_TRUE(crypt.EncryptStringToFile(servers, BinFolder() + "ServerList_analog.ini"));
    ::DeleteFileA(RootFolder() + "test\\ArrangeServerList_real.ini");
    ASSERT_EQ("OK", s_sim->Control("clear requests"));

    ASSERT_TRUE(m_terminal.Start());
    EXPECT_TRUE(CloseBoxSaying("服务器列表错误")) << "the list with the port was not refused";
    HWND login = NULL;
    ASSERT_TRUE(PumpUntil([&] { return (login = Find(kLoginTitle)) != NULL && InputEnabled(login); }, kDeadlineMs))
        << "the login window stayed disabled";
    EXPECT_EQ(0, ::SendDlgItemMessageA(login, IDC_LOGIN_SERVERS, CB_GETCOUNT, 0, 0)) << ControlText(login, IDC_LOGIN_SERVERS);

    CTerminal::Submit(login, "80001", "a123456");
    EXPECT_TRUE(CloseBoxSaying("服务器地址无效!")) << ControlText(login, IDC_LOGIN_STATUS);
    EXPECT_TRUE(PumpUntil([&] { return InputEnabled(login); }, kDeadlineMs)) << "the refusal left the input disabled";
    EXPECT_EQ("OK []", s_sim->Control("requests login"));
    EXPECT_EQ(login, Find(kLoginTitle));
    // Not logged in: the user ends the program with the login window.
    ::PostMessageA(login, WM_CLOSE, 0, 0);
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, ::WaitForSingleObject(m_terminal.Handle(), kDeadlineMs));
}

// The updater cannot be started: the user is told so, and once the box is closed the login
// window takes input again and the user logs in.
TEST_F(LoginScenarioTest, AnUpdaterThatCannotStartIsReportedAndTheUserStillLogsIn)
{
    const ProgramAway updaterAway(RootFolder() + "update\\update.exe");
    ASSERT_TRUE(updaterAway.moved);
    const CString downloaded = RootFolder() + "update\\bin\\UpdateUnstarted.txt";
    ::DeleteFileA(downloaded);
    ASSERT_EQ("OK 2", s_sim->Control("http update version 2"));
    ASSERT_EQ("OK", s_sim->Control("http update file update\\bin\\UpdateUnstarted.txt 2 new"));

    ASSERT_TRUE(m_terminal.Start());
    EXPECT_TRUE(CloseBoxSaying("打开更新程序出错  :")) << "the user was not told the updater did not start";
    EXPECT_EQ("new", ReadText(downloaded));
    HWND login = m_terminal.WaitForLoginWindow(kDeadlineMs);
    ASSERT_NE(HWND(NULL), login) << "the login window stayed disabled";
    EXPECT_EQ("发现新更新。。。", ControlText(login, IDC_LOGIN_STATUS));
    EXPECT_EQ(0, CountProcesses("update.exe"));

    CTerminal::Submit(login, "80001", "a123456");
    HWND main = m_terminal.WaitForMainWindow(kDeadlineMs, [](HWND main) { return ::IsZoomed(main) != FALSE; });
    ASSERT_NE(HWND(NULL), main);
    EXPECT_TRUE(PumpUntil([&] { return login_test::AllConnectionsLoggedIn(*s_sim, "80001"); }, kDeadlineMs)) << s_sim->Control("sessions");
    ::DeleteFileA(downloaded);
}

// A "usrcfg.ini" that is not of the settings file's format: the terminal starts without a
// remembered name, keeps the damaged bytes beside it for a look, and the user logs in, after
// which a sound file names the user.
TEST_F(LoginScenarioTest, ADamagedUserSettingsFileIsSetAsideAndTheUserLogsIn)
{
    const CString settings = RootFolder() + "usr\\usrcfg.ini";
    const CString aside = settings + ".damaged";
    ::CreateDirectoryA(RootFolder() + "usr", NULL);
    ::DeleteFileA(aside);
    const char damaged[] = "\xff\xfe用户名:8000\x01\x02\x00serveListIndexTrue:7\n";
    ASSERT_TRUE(tolvan::test::WriteFileBytes(settings, std::string(damaged, sizeof(damaged) - 1)));

    ASSERT_TRUE(m_terminal.Start());
    HWND login = m_terminal.WaitForLoginWindow(kDeadlineMs);
    ASSERT_NE(HWND(NULL), login);
    EXPECT_EQ("", ControlText(login, IDC_LOGIN_USER)) << "a name read from the damaged file";
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(settings)) << "the damaged file stayed in place";
    EXPECT_EQ(std::string(damaged, sizeof(damaged) - 1), tolvan::test::ReadFileBytes(aside)) << "the damaged bytes are not kept as they were";

    CTerminal::Submit(login, "80001", "a123456");
    HWND main = m_terminal.WaitForMainWindow(kDeadlineMs, [](HWND main) { return ::IsZoomed(main) != FALSE; });
    ASSERT_NE(HWND(NULL), main);
    EXPECT_TRUE(PumpUntil([&] { return login_test::AllConnectionsLoggedIn(*s_sim, "80001"); }, kDeadlineMs)) << s_sim->Control("sessions");
    UserSettings written;
    EXPECT_TRUE(LoadUserSettings(settings, written));
    EXPECT_EQ("80001", std::string(written.strUserName));
    ::DeleteFileA(aside);
}

// The published list holds a changed file and one at its installed version: the terminal
// downloads the changed one, the updater waits for the terminal (however long it stays open,
// telling the user so), installs, adopts the list and starts one terminal, which then finds
// itself up to date.
TEST_F(LoginScenarioTest, ANewerVersionIsDownloadedInstalledAfterTheTerminalEndedAndStartedAgain)
{
    const CString installed = BinFolder() + "UpdateMarker.txt";
    const CString downloaded = RootFolder() + "update\\bin\\UpdateMarker.txt";
    FILE* marker = fopen(installed, "wb");
    ASSERT_NE(nullptr, marker);
    fputs("old", marker);
    fclose(marker);
    ::DeleteFileA(downloaded);
    ::DeleteFileA(RootFolder() + "update\\bin\\UpdateSame.txt");
    FILE* list = fopen(RootFolder() + "update\\UpdateList.ini", "wb");
    ASSERT_NE(nullptr, list);
    fputs("[Config]\r\nVersion=1\r\n[Files]\r\nupdate\\UpdateList.ini=1\r\nupdate\\bin\\UpdateSame.txt=1\r\n", list);
    fclose(list);
    ASSERT_EQ("OK 2", s_sim->Control("http update version 2"));
    ASSERT_EQ("OK", s_sim->Control("http update file update\\bin\\UpdateMarker.txt 2 new-marker"));
    ASSERT_EQ("OK", s_sim->Control("http update file update\\bin\\UpdateSame.txt 1 same"));
    const int terminalsBefore = CountProcesses("Tolvan.exe");

    ASSERT_TRUE(m_terminal.Start());
    DWORD updater = 0;
    ASSERT_TRUE(PumpUntil([&] { return (updater = FindChildProcess(m_terminal.Id(), "update.exe")) != 0; }, kDeadlineMs))
        << "the terminal did not start the updater";
    EXPECT_EQ("new-marker", ReadText(downloaded));
    EXPECT_EQ("old", ReadText(installed)) << "nothing is replaced while the terminal runs";
    HWND login = Find(kLoginTitle);
    ASSERT_NE(HWND(NULL), login);
    EXPECT_EQ("发现新更新。。。", ControlText(login, IDC_LOGIN_STATUS));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(login, IDOK)));
    EXPECT_EQ("<missing>", ReadText(RootFolder() + "update\\bin\\UpdateSame.txt")) << "an unchanged file is downloaded";
    HWND waiting = NULL;
    ASSERT_TRUE(PumpUntil([&] { return (waiting = login_test::FindProcessWindow(updater, "Tolvan证券 更新")) != NULL; }, kDeadlineMs))
        << "the updater does not tell the user what it waits for";
    Keep(waiting, "updater-waiting.png");
    // The terminal stays open past the minute the updater once gave it.
    EXPECT_FALSE(PumpUntil([&] { return ReadText(installed) != "old" || FindChildProcess(updater, "Tolvan.exe") != 0; }, 65000))
        << "the updater wrote over the running terminal or started a second one";

    // The user closes the login window; the terminal ends and the updater goes to work.
    ::PostMessageA(login, WM_CLOSE, 0, 0);
    ASSERT_EQ((DWORD)WAIT_OBJECT_0, ::WaitForSingleObject(m_terminal.Handle(), kDeadlineMs));
    FILETIME created, ended, kernel, user;
    ASSERT_TRUE(::GetProcessTimes(m_terminal.Handle(), &created, &ended, &kernel, &user));
    m_terminal.Release();

    DWORD restarted = 0;
    ASSERT_TRUE(PumpUntil([&] { return (restarted = FindChildProcess(updater, "Tolvan.exe")) != 0; }, kDeadlineMs))
        << "the updater did not start the terminal again";
    ASSERT_TRUE(m_terminal.Adopt(restarted));
    FILETIME restartedAt;
    ASSERT_TRUE(::GetProcessTimes(m_terminal.Handle(), &restartedAt, &ended, &kernel, &user));
    EXPECT_GE(AsNumber(restartedAt), AsNumber(ended)) << "started again before the old terminal had ended";
    EXPECT_EQ("new-marker", ReadText(installed));
    EXPECT_EQ("<missing>", ReadText(installed + ".new"));
    EXPECT_TRUE(PumpUntil([&] { return CountProcesses("update.exe") == 0; }, kDeadlineMs));
    EXPECT_EQ(terminalsBefore + 1, CountProcesses("Tolvan.exe")) << "exactly one terminal after the hand-off";

    // The restarted terminal finds its list at the published version.
    login = m_terminal.WaitForLoginWindow(kDeadlineMs);
    ASSERT_NE(HWND(NULL), login);
    EXPECT_EQ("当前已是最新版本！", ControlText(login, IDC_LOGIN_STATUS));
    EXPECT_NE(std::string::npos, ReadText(RootFolder() + "update\\UpdateList.ini").find("Version=2"));
    ::PostMessageA(login, WM_CLOSE, 0, 0);
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, ::WaitForSingleObject(m_terminal.Handle(), kDeadlineMs));
    ::DeleteFileA(installed);
    ::DeleteFileA(downloaded);
}

}  // namespace
