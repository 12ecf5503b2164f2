// The speed-test program and the updater, run as the terminal runs them.
#include "FileCrypt.h"
#include "LoginState.h"
#include "testsupport/FakeTcpServer.h"
#include "testsupport/Pump.h"
#include "testsupport/Screenshot.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>
#include <string>

using tolvan::test::FakeTcpServer;
using tolvan::test::PumpUntil;

namespace {

// A helper program that has not ended by then hangs. The helpers load the window layer: on a
// loaded machine, in a Wine prefix that other tests are starting programs in, their start
// alone can take far longer than it does on a quiet one.
const DWORD kProgramDeadlineMs = 300000;

CString ProgramFolder()
{
    char path[MAX_PATH] = {0};
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    CString folder = path;
    return folder.Left(folder.ReverseFind('\\'));  // <build>\bin
}

CString BuildRoot()
{
    const CString bin = ProgramFolder();
    return bin.Left(bin.ReverseFind('\\'));
}

CString MakeTempFolder(const char* stem)
{
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    CString folder;
    folder.Format("%s%s-%lu-%lu\\", base, stem, ::GetCurrentProcessId(), ::GetTickCount());
    ::CreateDirectoryA(folder, NULL);
    return folder;
}

DWORD RunAndWait(CString commandLine)
{
    STARTUPINFOA startup = {sizeof(startup)};
    PROCESS_INFORMATION process;
    if (!::CreateProcessA(NULL, commandLine.GetBuffer(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return 0xFFFF;
    ::WaitForSingleObject(process.hProcess, kProgramDeadlineMs);
    DWORD code = 0xFFFF;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return code;
}

void WriteText(const CString& path, const char* text)
{
    FILE* file = fopen(path, "wb");
    ASSERT_NE(nullptr, file) << (LPCSTR)path;
    fputs(text, file);
    fclose(file);
}

std::string ReadText(const CString& path)
{
    FILE* file = fopen(path, "rb");
    if (file == nullptr)
        return "<missing>";
    char buffer[512] = {0};
    fread(buffer, 1, sizeof(buffer) - 1, file);
    fclose(file);
    return buffer;
}

TEST(ProbehallTest, WritesTheListFastestFirstWithUnreachableServersLast)
{
    FakeTcpServer first;
    FakeTcpServer second;
    const CString folder = MakeTempFolder("probehall");
    CString list;
    list.Format("[Network]\n死机,dead:127.0.0.1:1:K1\n甲,a:127.0.0.1:%u:K2\n\n乙,b:127.0.0.1:%u:K3\n",
                first.Port(), second.Port());
    CFileCrypt crypt;
    ASSERT_TRUE(crypt.EncryptStringToFile(list, folder + "ServerList_real.ini"));

    const CString testDir = BuildRoot() + "\\test\\";
    EXPECT_EQ(0u, RunAndWait(BuildSpeedTestCommandLine(testDir, folder, true, false)));
    // The command line names the root's test folder; read the list from there.
    CString sorted;
    ASSERT_TRUE(crypt.DecryptFileToString(testDir + "ArrangeServerList_real.ini", sorted));
    ::DeleteFileA(testDir + "ArrangeServerList_real.ini");
    EXPECT_EQ(0, sorted.Find("[ArrangeNetwork]\n"));
    const int dead = sorted.Find("死机,dead:127.0.0.1:1:K1");
    EXPECT_GT(dead, sorted.Find("甲,a:"));
    EXPECT_GT(dead, sorted.Find("乙,b:"));
    EXPECT_GT(sorted.Find("乙,b:"), 0);
    // The fake servers count a connection when their accept loop takes it, which may come
    // after the program has ended.
    EXPECT_TRUE(PumpUntil([&] { return first.ConnectionCount() + second.ConnectionCount() >= 6u; }))
        << "three tries each in a full test";
}

// An installation root with the updater in its "update" folder, "bin\data.txt" installed
// ("old") and its new version downloaded ("new"). The updater reads the downloaded list from
// its temporary folder; a folder of this root's own keeps it apart from terminals that other
// tests start (they download the same name).
struct UpdaterRoot
{
    CString root = MakeTempFolder("updater");
    CString downloaded;
    CString temp;

    UpdaterRoot()
    {
        ::CreateDirectoryA(root + "update", NULL);
        ::CreateDirectoryA(root + "update\\bin", NULL);
        ::CreateDirectoryA(root + "bin", NULL);
        const char* copied[] = {"update.exe", "tolvanafx.dll", "libstdc++-6.dll", "libgcc_s_seh-1.dll", "libwinpthread-1.dll"};
        for (const char* file : copied)
            EXPECT_TRUE(::CopyFileA(BuildRoot() + "\\update\\" + file, root + "update\\" + file, FALSE)) << file;
        WriteText(root + "bin\\data.txt", "old");
        WriteText(root + "bin\\kept.txt", "kept");
        WriteText(root + "update\\bin\\data.txt", "new");
        WriteText(root + "update\\UpdateList.ini", "Version=1\n");
        temp = root + "temp\\";
        ::CreateDirectoryA(temp, NULL);
        downloaded = temp + "TolvanUpdate.ini";
    }

    // Runs the updater to its end and gives its exit code (0: every file installed). Its
    // parent is this test, not a terminal, so it does not wait for its parent; it inherits the
    // temporary folder of this root.
    DWORD RunUpdater()
    {
        PROCESS_INFORMATION updater = StartUpdater();
        EXPECT_NE(HANDLE(NULL), updater.hProcess) << "the updater did not start: " << ::GetLastError();
        if (updater.hProcess == NULL)
            return 0xFFFF;
        return WaitForExit(updater);
    }

    PROCESS_INFORMATION StartUpdater()
    {
        char savedTmp[MAX_PATH] = {0}, savedTemp[MAX_PATH] = {0};
        ::GetEnvironmentVariableA("TMP", savedTmp, MAX_PATH);
        ::GetEnvironmentVariableA("TEMP", savedTemp, MAX_PATH);
        ::SetEnvironmentVariableA("TMP", temp);
        ::SetEnvironmentVariableA("TEMP", temp);
        CString commandLine = "\"" + root + "update\\update.exe\"";
        STARTUPINFOA startup = {sizeof(startup)};
        PROCESS_INFORMATION process = PROCESS_INFORMATION();
        if (!::CreateProcessA(NULL, commandLine.GetBuffer(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
            process = PROCESS_INFORMATION();
        ::SetEnvironmentVariableA("TMP", savedTmp);
        ::SetEnvironmentVariableA("TEMP", savedTemp);
        return process;
    }

    // A short limit read a slow updater as a failed one, and the next run then raced it on
    // the same files; the limit here only stops a hung one.
    static DWORD WaitForExit(PROCESS_INFORMATION& process)
    {
        DWORD code = 0xFFFF;
        const bool ended = PumpUntil([&] { return ::WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, kProgramDeadlineMs);
        EXPECT_TRUE(ended) << "the updater still runs";
        if (ended)
            ::GetExitCodeProcess(process.hProcess, &code);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        return code;
    }
};

struct WindowSearch
{
    DWORD process;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM context)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char text[128] = {0};
    ::GetWindowTextA(window, text, sizeof(text));
    if (owner == search.process && ::IsWindowVisible(window) && strcmp(text, search.title) == 0)
        search.found = window;
    return search.found == NULL;
}

// A visible top-level window of the process with this title; null when none.
HWND FindProcessWindow(DWORD process, const char* title)
{
    WindowSearch search = {process, title, NULL};
    ::EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST(UpdaterTest, ReplacesListedFilesAndAdoptsTheListOnlyWhenAllWereInstalled)
{
    UpdaterRoot install;
    const CString& root = install.root;
    WriteText(install.downloaded, "[Config]\nVersion=2\n[Files]\nupdate\\bin\\data.txt=2\nupdate\\..\\..\\evil.txt=2\n");
    EXPECT_EQ(1u, install.RunUpdater());
    EXPECT_EQ("new", ReadText(root + "bin\\data.txt"));
    EXPECT_EQ("kept", ReadText(root + "bin\\kept.txt"));
    EXPECT_EQ("<missing>", ReadText(root + "bin\\data.txt.new"));
    EXPECT_EQ("Version=1\n", ReadText(root + "update\\UpdateList.ini"))
        << "a refused name keeps the old list, so the update is tried again";

    WriteText(install.downloaded, "[Config]\nVersion=2\n[Files]\nupdate\\bin\\data.txt=2\n");
    EXPECT_EQ(0u, install.RunUpdater());
    EXPECT_NE(std::string::npos, ReadText(root + "update\\UpdateList.ini").find("Version=2"));
}

// The terminal has downloaded only what changed: an entry at its installed version has no
// download and counts as installed, so the list is adopted and the next start finds nothing new.
// While a terminal of the installation runs, the updater writes nothing and says why in a
// window of its own; once it has ended, it installs and starts exactly one terminal.
TEST(UpdaterTest, WaitsForTheTerminalThenInstallsWhatIsDueAndStartsOneTerminal)
{
    UpdaterRoot install;
    const CString& root = install.root;
    ASSERT_TRUE(::CopyFileA(ProgramFolder() + "\\fake_terminal.exe", root + "bin\\Tolvan.exe", FALSE));
    WriteText(root + "update\\UpdateList.ini", "[Config]\nVersion=1\n[Files]\nupdate\\bin\\kept.txt=1\nupdate\\bin\\data.txt=1\n");
    WriteText(install.downloaded, "[Config]\nVersion=2\n[Files]\nupdate\\bin\\data.txt=2\nupdate\\bin\\kept.txt=1\n");
    HANDLE gate = ::CreateEventA(NULL, TRUE, FALSE, "TolvanTestTerminalGate");
    ASSERT_NE(HANDLE(NULL), gate);
    const CString log = root + "bin\\terminal.log";
    CString terminalLine = "\"" + root + "bin\\Tolvan.exe\"";
    STARTUPINFOA startup = {sizeof(startup)};
    PROCESS_INFORMATION terminal;
    ASSERT_TRUE(::CreateProcessA(NULL, terminalLine.GetBuffer(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &terminal));
    ASSERT_TRUE(PumpUntil([&] { return ReadText(log) == "started\n"; }));

    PROCESS_INFORMATION updater = install.StartUpdater();
    ASSERT_NE(HANDLE(NULL), updater.hProcess);
    HWND waiting = NULL;
    EXPECT_TRUE(PumpUntil([&] { return (waiting = FindProcessWindow(updater.dwProcessId, "Tolvan证券 更新")) != NULL; }))
        << "the updater does not tell the user what it waits for";
    ::CreateDirectoryA(BuildRoot() + "\\test-artifacts", NULL);
    if (waiting != NULL)
        tolvan::test::Screenshot::CaptureClient(waiting).SavePng(std::string(BuildRoot()) + "\\test-artifacts\\updater-waiting.png");
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, ::WaitForSingleObject(updater.hProcess, 0));
    EXPECT_EQ("old", ReadText(root + "bin\\data.txt")) << "written over a running terminal";
    EXPECT_EQ("started\n", ReadText(log));

    ::SetEvent(gate);  // the user closes the terminal
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, ::WaitForSingleObject(terminal.hProcess, kProgramDeadlineMs));
    EXPECT_EQ(0u, UpdaterRoot::WaitForExit(updater));
    EXPECT_EQ("new", ReadText(root + "bin\\data.txt"));
    EXPECT_EQ("kept", ReadText(root + "bin\\kept.txt"));
    EXPECT_NE(std::string::npos, ReadText(root + "update\\UpdateList.ini").find("Version=2"))
        << "the list is adopted with an unchanged entry in it";
    // The updater has ended: the one terminal it started has noted itself by now or will.
    EXPECT_TRUE(PumpUntil([&] { return ReadText(log) == "started\nstarted\n"; })) << ReadText(log);
    ::CloseHandle(terminal.hThread);
    ::CloseHandle(terminal.hProcess);
    ::CloseHandle(gate);
}

TEST(UpdaterTest, AFileThatCannotBeReplacedKeepsItsOldContent)
{
    UpdaterRoot install;
    const CString& root = install.root;
    WriteText(install.downloaded, "[Config]\nVersion=2\n[Files]\nupdate\\bin\\data.txt=2\nupdate\\bin\\more.txt=2\n");
    WriteText(root + "update\\bin\\more.txt", "more");
    // In use by someone who shares it with nobody.
    HANDLE inUse = ::CreateFileA(root + "bin\\data.txt", GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, inUse);
    EXPECT_EQ(1u, install.RunUpdater());
    EXPECT_EQ("more", ReadText(root + "bin\\more.txt")) << "the updater goes on with the next file";
    EXPECT_EQ("<missing>", ReadText(root + "bin\\data.txt.new")) << "the temporary copy is removed";
    EXPECT_EQ("Version=1\n", ReadText(root + "update\\UpdateList.ini"));
    ::CloseHandle(inUse);
    EXPECT_EQ("old", ReadText(root + "bin\\data.txt"));
}

}  // namespace
