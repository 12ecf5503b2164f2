// Tolvan.exe against the simulator, driven through its real login window as a user would: a
// wrong password, a login server that drops the connection, the accepted login with every
// connection of the account logged in, and the user name offered again at the next start; and
// an update published on the simulator, installed by the updater after the terminal ended,
// which then starts the terminal again. Screenshots of the login window and of the window
// after login are kept in <build>\test-artifacts.
#include "FileCrypt.h"
#include "LoginWindowIds.h"
#include "testsupport/Pump.h"
#include "testsupport/Screenshot.h"
#include "testsupport/SimulatorSuite.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

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

struct FoundWindow
{
    DWORD process;
    const char* title;
    HWND window;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM argument)
{
    FoundWindow* found = reinterpret_cast<FoundWindow*>(argument);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    char title[128] = {0};
    ::GetWindowTextA(window, title, sizeof(title));
    if (process == found->process && strcmp(title, found->title) == 0 && ::IsWindowVisible(window))
    {
        found->window = window;
        return FALSE;
    }
    return TRUE;
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
        WriteInstallation();
        ::CreateDirectoryA(RootFolder() + "test-artifacts", NULL);
    }

    void TearDown() override
    {
        StopTerminal();
        SimulatorSuite::TearDown();
    }

    // The files an installation has beside the program, pointing at this simulator.
    void WriteInstallation()
    {
        const CString config = BinFolder() + "Config.ini";
        ::DeleteFileA(config);
        CString url;
        url.Format("http://127.0.0.1:%d", s_sim->Port("http"));
        ::WritePrivateProfileStringA("Update", "UpdateListUrl", url + "/update/UpdateList.ini", config);
        ::WritePrivateProfileStringA("system", "StatisticsUrl", url, config);
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
        CString commandLine = "\"" + BinFolder() + "Tolvan.exe\"";
        STARTUPINFOA startup = {sizeof(startup)};
        ASSERT_TRUE(::CreateProcessA(NULL, commandLine.GetBuffer(), NULL, NULL, FALSE, 0, NULL, BinFolder(), &startup,
                                     &m_terminal));
    }

    void StopTerminal()
    {
        if (m_terminal.hProcess == NULL)
            return;
        HWND main = Find("Tolvan证券");
        if (main != NULL)
            ::PostMessageA(main, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(m_terminal.hProcess, 30000) != WAIT_OBJECT_0)
        {
            ADD_FAILURE() << "Tolvan did not end after WM_CLOSE";
            ::TerminateProcess(m_terminal.hProcess, 1);
        }
        ::CloseHandle(m_terminal.hThread);
        ::CloseHandle(m_terminal.hProcess);
        m_terminal = PROCESS_INFORMATION();
    }

    HWND Find(const char* title) { return FindIn(m_terminal.dwProcessId, title); }

    static HWND FindIn(DWORD process, const char* title)
    {
        FoundWindow found{process, title, NULL};
        ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&found));
        return found.window;
    }

    // The login window once it offers its servers and takes input.
    HWND WaitForLoginWindow()
    {
        HWND login = NULL;
        PumpUntil([&] {
            login = Find("Tolvan证券客户端登录");
            return login != NULL && ::IsWindowEnabled(::GetDlgItem(login, IDOK))
                   && ::SendDlgItemMessageA(login, IDC_LOGIN_SERVERS, CB_GETCOUNT, 0, 0) > 0;
        }, kDeadlineMs);
        return login;
    }

    static std::string Text(HWND window, int id)
    {
        char text[256] = {0};
        ::SendMessageA(::GetDlgItem(window, id), WM_GETTEXT, sizeof(text), (LPARAM)text);
        return text;
    }

    static void Submit(HWND login, const char* user, const char* password)
    {
        ::SendMessageA(::GetDlgItem(login, IDC_LOGIN_USER), WM_SETTEXT, 0, (LPARAM)user);
        HWND edit = ::GetDlgItem(login, IDC_LOGIN_PASSWORD);
        ::SendMessageA(edit, WM_SETTEXT, 0, (LPARAM)password);
        ::PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        ::PostMessageA(edit, WM_KEYUP, VK_RETURN, 0);
    }

    bool WaitForStatus(HWND login, const std::string& status)
    {
        return PumpUntil([&] { return Text(login, IDC_LOGIN_STATUS) == status && ::IsWindowEnabled(::GetDlgItem(login, IDOK)); },
                         kDeadlineMs);
    }

    // Every connection of the account logged in at the simulator: the trading and the query
    // server and the four quote servers.
    bool AllConnectionsLoggedIn()
    {
        const std::string sessions = s_sim->Control("sessions");
        size_t quotes = 0;
        for (size_t at = sessions.find("\"role\": \"quote\""); at != std::string::npos;
             at = sessions.find("\"role\": \"quote\"", at + 1))
            quotes += sessions.compare(sessions.find("\"user\": ", at), 15, "\"user\": \"80001\"") == 0;
        return quotes >= 4 && sessions.find("\"role\": \"trade\", \"scope\": null, \"user\": \"80001\"") != std::string::npos
               && sessions.find("\"role\": \"query\", \"scope\": null, \"user\": \"80001\"") != std::string::npos;
    }

    static void Keep(HWND window, const char* name)
    {
        const Screenshot shot = Screenshot::CaptureClient(window);
        EXPECT_FALSE(shot.IsEmpty()) << name;
        shot.SavePng(std::string(RootFolder()) + "test-artifacts\\" + name);
    }

    PROCESS_INFORMATION m_terminal = PROCESS_INFORMATION();
};

TEST_F(LoginScenarioTest, LogsInThroughTheLoginWindow)
{
    ASSERT_NO_FATAL_FAILURE(StartTerminal());
    HWND login = WaitForLoginWindow();
    ASSERT_NE(HWND(NULL), login) << "no login window with servers";
    EXPECT_EQ("本地服务器一", Text(login, IDC_LOGIN_SERVERS));
    EXPECT_EQ("当前已是最新版本！", Text(login, IDC_LOGIN_STATUS));
    Keep(login, "login-window.png");

    Submit(login, "80001", "wrong");
    EXPECT_TRUE(WaitForStatus(login, "用户名或密码错误！")) << Text(login, IDC_LOGIN_STATUS);
    // The result line is a call of its own after the status text.
    EXPECT_TRUE(PumpUntil([&] { return Text(login, IDC_LOGIN_RESULT) == "登录失败"; }, kDeadlineMs))
        << Text(login, IDC_LOGIN_RESULT);
    Keep(login, "login-refused.png");

    // The login server takes the request, then drops the connection without an answer.
    ASSERT_EQ("OK", s_sim->Control("stall login on"));
    ASSERT_EQ("OK", s_sim->Control("clear requests"));
    Submit(login, "80001", "a123456");
    ASSERT_TRUE(PumpUntil([&] { return s_sim->Control("requests login").find("login@uName:80001") != std::string::npos; }));
    ASSERT_EQ(0u, s_sim->Control("drop login").find("OK"));
    EXPECT_TRUE(WaitForStatus(login, "网络错误！")) << Text(login, IDC_LOGIN_STATUS);
    ASSERT_EQ("OK", s_sim->Control("stall login off"));

    Submit(login, "80001", "a123456");
    HWND main = NULL;
    ASSERT_TRUE(PumpUntil([&] { return (main = Find("Tolvan证券")) != NULL && Find("Tolvan证券客户端登录") == NULL; }, kDeadlineMs));
    EXPECT_TRUE(PumpUntil([&] { return AllConnectionsLoggedIn(); }, kDeadlineMs)) << s_sim->Control("sessions");
    Keep(main, "logged-in.png");
    EXPECT_NE(std::string::npos, s_sim->Control("http statistics").find("[\""));
    StopTerminal();

    // The next start offers the user name again; closing the window ends the program.
    ASSERT_NO_FATAL_FAILURE(StartTerminal());
    login = WaitForLoginWindow();
    ASSERT_NE(HWND(NULL), login);
    EXPECT_EQ("80001", Text(login, IDC_LOGIN_USER));
    ::PostMessageA(login, WM_CLOSE, 0, 0);
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, ::WaitForSingleObject(m_terminal.hProcess, 30000));
    ::CloseHandle(m_terminal.hThread);
    ::CloseHandle(m_terminal.hProcess);
    m_terminal = PROCESS_INFORMATION();
}

TEST_F(LoginScenarioTest, ANewerVersionIsDownloadedInstalledAfterTheTerminalEndedAndStartedAgain)
{
    const CString installed = BinFolder() + "UpdateMarker.txt";
    const CString downloaded = RootFolder() + "update\\bin\\UpdateMarker.txt";
    FILE* marker = fopen(installed, "wb");
    ASSERT_NE(nullptr, marker);
    fputs("old", marker);
    fclose(marker);
    ::DeleteFileA(downloaded);
    ASSERT_EQ("OK 2", s_sim->Control("http update version 2"));
    ASSERT_EQ("OK", s_sim->Control("http update file update\\bin\\UpdateMarker.txt 2 new-marker"));

    ASSERT_NO_FATAL_FAILURE(StartTerminal());
    DWORD updater = 0;
    ASSERT_TRUE(PumpUntil([&] { return (updater = FindChildProcess(m_terminal.dwProcessId, "update.exe")) != 0; }, kDeadlineMs))
        << "the terminal did not start the updater";
    EXPECT_EQ("new-marker", ReadText(downloaded));
    EXPECT_EQ("old", ReadText(installed)) << "nothing is replaced while the terminal runs";
    HWND login = Find("Tolvan证券客户端登录");
    ASSERT_NE(HWND(NULL), login);
    EXPECT_EQ("发现新更新。。。", Text(login, IDC_LOGIN_STATUS));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(login, IDOK)));

    // The user closes the login window; the terminal ends and the updater goes to work.
    ::PostMessageA(login, WM_CLOSE, 0, 0);
    ASSERT_EQ((DWORD)WAIT_OBJECT_0, ::WaitForSingleObject(m_terminal.hProcess, kDeadlineMs));
    FILETIME created, ended, kernel, user;
    ASSERT_TRUE(::GetProcessTimes(m_terminal.hProcess, &created, &ended, &kernel, &user));
    ::CloseHandle(m_terminal.hThread);
    ::CloseHandle(m_terminal.hProcess);
    m_terminal = PROCESS_INFORMATION();

    DWORD restarted = 0;
    ASSERT_TRUE(PumpUntil([&] { return (restarted = FindChildProcess(updater, "Tolvan.exe")) != 0; }, kDeadlineMs))
        << "the updater did not start the terminal again";
    m_terminal.hProcess = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, restarted);
    ASSERT_NE(HANDLE(NULL), m_terminal.hProcess);
    m_terminal.dwProcessId = restarted;
    FILETIME restartedAt;
    ASSERT_TRUE(::GetProcessTimes(m_terminal.hProcess, &restartedAt, &ended, &kernel, &user));
    EXPECT_GE(AsNumber(restartedAt), AsNumber(ended)) << "started again before the old terminal had ended";
    EXPECT_EQ("new-marker", ReadText(installed));
    EXPECT_EQ("<missing>", ReadText(installed + ".new"));

    // The restarted terminal finds its list at the published version.
    login = WaitForLoginWindow();
    ASSERT_NE(HWND(NULL), login);
    EXPECT_EQ("当前已是最新版本！", Text(login, IDC_LOGIN_STATUS));
    EXPECT_NE(std::string::npos, ReadText(RootFolder() + "update\\UpdateList.ini").find("Version=2"));
    ::PostMessageA(login, WM_CLOSE, 0, 0);
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, ::WaitForSingleObject(m_terminal.hProcess, kDeadlineMs));
    ::CloseHandle(m_terminal.hProcess);
    m_terminal = PROCESS_INFORMATION();
    ::DeleteFileA(installed);
    ::DeleteFileA(downloaded);
}

}  // namespace
