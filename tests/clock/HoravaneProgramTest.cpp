// Horavane as a program: started as the main program starts it, asked with WM_SERVER_TIME
// by a window of this test, answering from fake time servers on loopback.
#include "ServerClock.h"
#include "SoapTestServer.h"
#include "TimeHelperLauncher.h"

#include "testsupport/FakeHttpServer.h"
#include "testsupport/FakeTcpServer.h"
#include "testsupport/Pump.h"
#include "testsupport/RecordingWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace tolvan::test;
using namespace horavane_test;

namespace {

const DWORD kServerRfc868 = 4116772800u;   // 2030-06-15 20:00:00 UTC
const __time64_t kServerUtc = 1907784000;
const char* const kServerText = "2030-06-16 04:00:00";
const DWORD kProgramDeadlineMs = 60000;

std::string BinFolder()
{
    char path[MAX_PATH] = {0};
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.rfind('\\') + 1);
}

std::string TempFolder()
{
    char folder[MAX_PATH] = {0};
    ::GetTempPathA(MAX_PATH, folder);
    return folder;
}

std::string Rfc868Bytes(DWORD seconds)
{
    return std::string{char(seconds >> 24), char(seconds >> 16), char(seconds >> 8), char(seconds)};
}

std::unique_ptr<FakeTcpServer> TimeServer(const std::string& bytes)
{
    return std::make_unique<FakeTcpServer>([bytes](std::shared_ptr<FakeConnection> connection) {
        connection->Send(bytes);
        connection->Close();
    });
}

unsigned short RefusedPort()
{
    static FakeTcpServer closed;
    closed.StopAccepting();
    return closed.Port();
}

// Writes a Horavane configuration; returns its path.
std::string WriteConfig(const std::string& path, const std::vector<unsigned short>& timePorts,
                        const std::string& soapEndpoint)
{
    ::DeleteFileA(path.c_str());
    for (size_t i = 0; i < timePorts.size(); ++i)
    {
        const std::string key = "Host" + std::to_string(i + 1);
        const std::string value = "127.0.0.1:" + std::to_string(timePorts[i]);
        ::WritePrivateProfileStringA("TimeProtocol", key.c_str(), value.c_str(), path.c_str());
    }
    ::WritePrivateProfileStringA("Soap", "Endpoint", soapEndpoint.c_str(), path.c_str());
    return path;
}

std::string ConfigPath()
{
    return TempFolder() + "horavane-test-" + std::to_string(::GetCurrentProcessId()) + ".ini";
}

std::string RefusedSoapEndpoint()
{
    return "http://127.0.0.1:" + std::to_string(RefusedPort()) + "/time.wsdl";
}

struct WindowSearch
{
    DWORD processId;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchProcessWindow(HWND hWnd, LPARAM lParam)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hWnd, &owner);
    char className[64] = {0};
    ::GetClassNameA(hWnd, className, sizeof(className));
    if (owner != search->processId || std::string(className) != "#32770")
        return TRUE;
    // Titles compare in UTF-16, whatever the code page of this process.
    wchar_t text[256] = {0};
    ::GetWindowTextW(hWnd, text, 256);
    if (search->title != nullptr && std::wstring(text) != search->title)
        return TRUE;
    search->found = hWnd;
    return FALSE;
}

// A top-level dialog (visible or hidden) of a process, with the given title (any when null).
HWND FindProcessWindow(DWORD processId, const wchar_t* title)
{
    WindowSearch search{processId, title, NULL};
    ::EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A program this test starts; terminated when the test leaves it running.
class ChildProgram
{
public:
    ChildProgram(const std::string& program, const std::string& arguments,
                 const std::string& folder = std::string())
    {
        std::string command = "\"" + program + "\" " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        m_started = ::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                     folder.empty() ? nullptr : folder.c_str(), &startup, &m_process) != FALSE;
        if (m_started)
            ::CloseHandle(m_process.hThread);
    }
    ~ChildProgram()
    {
        if (m_started)
        {
            if (!HasEnded())
                ::TerminateProcess(m_process.hProcess, 99);
            ::CloseHandle(m_process.hProcess);
        }
    }

    bool Started() const { return m_started; }
    DWORD Id() const { return m_process.dwProcessId; }
    bool HasEnded() const { return ::WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0; }
    bool WaitForEnd() const { return PumpUntil([this] { return HasEnded(); }, kProgramDeadlineMs); }

    HWND WaitForWindow(const wchar_t* title) const
    {
        HWND found = NULL;
        PumpUntil([&] {
            found = FindProcessWindow(Id(), title);
            return found != NULL || HasEnded();
        }, kProgramDeadlineMs);
        return found;
    }

private:
    bool m_started = false;
    PROCESS_INFORMATION m_process = {};
};

class HoravaneProgram : public ::testing::Test
{
protected:
    void TearDown() override { ::DeleteFileA(m_config.c_str()); }

    std::unique_ptr<ChildProgram> StartHoravane(const std::vector<unsigned short>& timePorts,
                                                const std::string& soapEndpoint)
    {
        m_config = WriteConfig(ConfigPath(), timePorts, soapEndpoint);
        return std::make_unique<ChildProgram>(BinFolder() + "Horavane.exe",
                                              "--config \"" + m_config + "\"");
    }

    // Asks a started Horavane and waits until it has ended; returns the answers received.
    std::vector<RecordedMessage> AskAndWait(ChildProgram& horavane, WPARAM requester)
    {
        const HWND window = horavane.WaitForWindow(L"GetHoravane");
        EXPECT_NE(HWND(NULL), window);
        // While a dialog initialises it carries the visible style with an empty region (so a
        // hide in its initialisation can be noticed); once initialised it must be hidden.
        EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(window); }, kProgramDeadlineMs));
        m_before = _time64(nullptr);
        ::PostMessage(window, WM_SERVER_TIME, requester, 0);
        EXPECT_TRUE(horavane.WaitForEnd());
        PumpPending();
        m_after = _time64(nullptr);
        return m_caller.MessagesOf(WM_SERVER_TIME);
    }

    void ExpectServerTime(const RecordedMessage& answer)
    {
        EXPECT_EQ(20300616u, answer.wParam);
        const LONG offset = static_cast<LONG>(answer.lParam);
        EXPECT_EQ(answer.lParam, static_cast<LPARAM>(offset));   // a sign-extended 32-bit number
        EXPECT_GE(offset, kServerUtc - m_after - (m_after - m_before));
        EXPECT_LE(offset, kServerUtc - m_before);
    }

    std::string m_config;
    RecordingWindow m_caller;
    __time64_t m_before = 0;
    __time64_t m_after = 0;
};

TEST_F(HoravaneProgram, AnswersWithTheDateAndOffsetOfATimeServer)
{
    auto failing = TimeServer(std::string(4, '\0'));
    auto server = TimeServer(Rfc868Bytes(kServerRfc868));
    auto horavane = StartHoravane({RefusedPort(), failing->Port(), server->Port()}, RefusedSoapEndpoint());
    ASSERT_TRUE(horavane->Started());

    const auto answers = AskAndWait(*horavane, reinterpret_cast<WPARAM>(m_caller.Handle()));
    ASSERT_EQ(1u, answers.size());
    ExpectServerTime(answers[0]);
    EXPECT_EQ(1u, failing->ConnectionCount());
}

TEST_F(HoravaneProgram, AsksTheSoapServiceWhenNoTimeServerAnswers)
{
    auto failing = TimeServer(Rfc868Bytes(kServerRfc868).substr(0, 2));   // short: no answer
    FakeHttpServer soap;
    const std::string endpoint = soap.BaseUrl() + "/time.wsdl";
    soap.Route("POST", "/time.wsdl", [endpoint](const HttpRequest&) { return SoapTime(endpoint, kServerText); });
    auto horavane = StartHoravane({failing->Port()}, endpoint);
    ASSERT_TRUE(horavane->Started());

    const auto answers = AskAndWait(*horavane, reinterpret_cast<WPARAM>(m_caller.Handle()));
    ASSERT_EQ(1u, answers.size());
    ExpectServerTime(answers[0]);
    EXPECT_EQ(1u, soap.RequestCount());
}

TEST_F(HoravaneProgram, EndsWithoutAnswerWhenNoSourceAnswers)
{
    FakeHttpServer soap;
    const std::string endpoint = soap.BaseUrl() + "/time.wsdl";
    soap.Route("POST", "/time.wsdl", [endpoint](const HttpRequest&) { return SoapFault(endpoint); });
    auto horavane = StartHoravane({RefusedPort()}, endpoint);
    ASSERT_TRUE(horavane->Started());

    EXPECT_TRUE(AskAndWait(*horavane, reinterpret_cast<WPARAM>(m_caller.Handle())).empty());
    EXPECT_EQ(1u, soap.RequestCount());
}

// A window on a thread of its own that stops answering messages once it exists.
class HungCaller
{
public:
    HungCaller()
    {
        m_release = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_created = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_thread = ::CreateThread(nullptr, 0, &HungCaller::Run, this, 0, nullptr);
        ::WaitForSingleObject(m_created, 30000);
    }
    ~HungCaller()
    {
        ::SetEvent(m_release);
        ::WaitForSingleObject(m_thread, 30000);
        for (HANDLE handle : {m_thread, m_created, m_release})
            ::CloseHandle(handle);
    }
    HWND Window() const { return m_window; }

private:
    static DWORD WINAPI Run(void* self)
    {
        HungCaller& caller = *static_cast<HungCaller*>(self);
        caller.m_window = ::CreateWindowExA(0, "STATIC", "hung caller", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
        ::SetEvent(caller.m_created);
        // Busy elsewhere: no message of this thread is answered until the test ends.
        ::WaitForSingleObject(caller.m_release, INFINITE);
        ::DestroyWindow(caller.m_window);
        return 0;
    }

    HANDLE m_release;
    HANDLE m_created;
    HANDLE m_thread;
    HWND m_window = NULL;
};

TEST_F(HoravaneProgram, ACallerThatHangsDoesNotKeepTheProgramAlive)
{
    auto server = TimeServer(Rfc868Bytes(kServerRfc868));
    auto horavane = StartHoravane({server->Port()}, RefusedSoapEndpoint());
    ASSERT_TRUE(horavane->Started());
    HungCaller caller;
    ASSERT_NE(HWND(NULL), caller.Window());

    const HWND window = horavane->WaitForWindow(L"GetHoravane");
    ASSERT_NE(HWND(NULL), window);
    ::PostMessage(window, WM_SERVER_TIME, reinterpret_cast<WPARAM>(caller.Window()), 0);
    EXPECT_TRUE(horavane->WaitForEnd()) << "still waiting for the hung caller";
    EXPECT_EQ(1u, server->ConnectionCount());
}

TEST_F(HoravaneProgram, ARequestFromNoWindowIsNotAnswered)
{
    auto server = TimeServer(Rfc868Bytes(kServerRfc868));
    auto horavane = StartHoravane({server->Port()}, RefusedSoapEndpoint());
    ASSERT_TRUE(horavane->Started());

    // A handle that names no window: the program ends without asking anyone.
    RecordingWindow gone;
    const HWND stale = gone.Handle();
    ::DestroyWindow(stale);
    EXPECT_TRUE(AskAndWait(*horavane, reinterpret_cast<WPARAM>(stale)).empty());
    EXPECT_EQ(0u, server->ConnectionCount());
}

TEST_F(HoravaneProgram, ClosesByItselfWithoutARequest)
{
    auto server = TimeServer(Rfc868Bytes(kServerRfc868));
    auto horavane = StartHoravane({server->Port()}, RefusedSoapEndpoint());
    ASSERT_TRUE(horavane->Started());
    ASSERT_NE(HWND(NULL), horavane->WaitForWindow(L"GetHoravane"));
    const DWORD shown = ::GetTickCount();

    ASSERT_TRUE(horavane->WaitForEnd());
    // Nine ticks of one second each; allow for a window that appeared late.
    EXPECT_GE(::GetTickCount() - shown, 7000u);
    EXPECT_EQ(0u, server->ConnectionCount());
}

// --- the main program's side -------------------------------------------------------

// Waits until no Horavane window is left, so tests do not find each other's.
bool NoHoravaneLeft()
{
    return PumpUntil([] { return ::FindWindowA(nullptr, "GetHoravane") == NULL; }, kProgramDeadlineMs);
}

TEST_F(HoravaneProgram, StartTimeHelperStartsItAndTheAnswerShiftsTheServerClock)
{
    ASSERT_TRUE(NoHoravaneLeft());
    auto server = TimeServer(Rfc868Bytes(kServerRfc868));
    m_config = WriteConfig(ConfigPath(), {server->Port()}, RefusedSoapEndpoint());

    CTimeHelperLauncher launcher(m_caller);
    launcher.SetCommandLine(("\"" + BinFolder() + "Horavane.exe\" --config \"" + m_config + "\"").c_str());
    m_before = _time64(nullptr);
    ASSERT_EQ(CTimeHelperLauncher::RequestPosted, launcher.Run());

    ASSERT_TRUE(m_caller.WaitFor(WM_SERVER_TIME, 1, kProgramDeadlineMs));
    m_after = _time64(nullptr);
    const RecordedMessage answer = m_caller.Last(WM_SERVER_TIME);
    ExpectServerTime(answer);

    // What the main window's handler does with the answer.
    CServerClock clock;
    ASSERT_TRUE(clock.ApplyServerOffset(static_cast<__int64>(answer.lParam)));
    const __time64_t serverNow = clock.Now();
    EXPECT_GE(serverNow, kServerUtc - (m_after - m_before) - 1);
    EXPECT_LE(serverNow, kServerUtc + (m_after - m_before) + 1);

    EXPECT_TRUE(NoHoravaneLeft());
}

// Tolvan as installed: the programs and libraries in one folder with Horavane's settings.
class InstalledTolvan
{
public:
    InstalledTolvan()
    {
        m_folder = TempFolder() + "tolvan-install-" + std::to_string(::GetCurrentProcessId()) + "\\";
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
        m_folder += "bin\\";
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
        Copy("Tolvan.exe");
        Copy("Horavane.exe");
        WIN32_FIND_DATAA found;
        HANDLE search = ::FindFirstFileA((BinFolder() + "*.dll").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE)
        {
            do
                Copy(found.cFileName);
            while (::FindNextFileA(search, &found));
            ::FindClose(search);
        }
    }
    ~InstalledTolvan()
    {
        for (const std::string& file : m_files)
            ::DeleteFileA(file.c_str());
        ::RemoveDirectoryA(m_folder.c_str());
        ::RemoveDirectoryA(m_folder.substr(0, m_folder.size() - 4).c_str());   // without "bin\"
    }
    const std::string& Folder() const { return m_folder; }
    void AddFile(const std::string& name) { m_files.push_back(m_folder + name); }

private:
    void Copy(const std::string& name)
    {
        ::CopyFileA((BinFolder() + name).c_str(), (m_folder + name).c_str(), FALSE);
        AddFile(name);
    }
    std::string m_folder;
    std::vector<std::string> m_files;
};

TEST_F(HoravaneProgram, TolvanAsksHoravaneForTheServerClockAtStartUp)
{
    ASSERT_TRUE(NoHoravaneLeft());
    InstalledTolvan install;
    auto server = TimeServer(Rfc868Bytes(kServerRfc868));
    WriteConfig(install.Folder() + "Horavane.ini", {server->Port()}, RefusedSoapEndpoint());
    install.AddFile("Horavane.ini");

    ChildProgram tolvan(install.Folder() + "Tolvan.exe", "", TempFolder());
    ASSERT_TRUE(tolvan.Started());
    // Its first window, whatever the caption: that depends on the code page Wine runs with.
    ASSERT_NE(HWND(NULL), tolvan.WaitForWindow(nullptr));
    ASSERT_FALSE(tolvan.HasEnded());

    // Horavane only asks a time server when a request came: the main program started it,
    // found its window and asked.
    ASSERT_TRUE(PumpUntil([&] { return server->ConnectionCount() == 1; }, kProgramDeadlineMs));
    EXPECT_TRUE(NoHoravaneLeft());

    // The window is the login window; a bare installation has no server lists, so a message
    // box says so. Closing whatever the program shows ends it (no login was accepted).
    EXPECT_TRUE(PumpUntil([&] {
        const HWND shown = FindProcessWindow(tolvan.Id(), nullptr);
        if (shown != NULL)
            ::PostMessage(shown, WM_CLOSE, 0, 0);
        return tolvan.HasEnded();
    }, kProgramDeadlineMs));
}

}  // namespace
