// The speed-test program and the updater, run as the terminal runs them.
#include "FileCrypt.h"
#include "LoginState.h"
#include "testsupport/FakeTcpServer.h"
#include "testsupport/Pump.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string>

using tolvan::test::FakeTcpServer;
using tolvan::test::PumpUntil;

namespace {

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
    ::WaitForSingleObject(process.hProcess, 60000);
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
            ::CopyFileA(BuildRoot() + "\\update\\" + file, root + "update\\" + file, FALSE);
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
        char savedTmp[MAX_PATH] = {0}, savedTemp[MAX_PATH] = {0};
        ::GetEnvironmentVariableA("TMP", savedTmp, MAX_PATH);
        ::GetEnvironmentVariableA("TEMP", savedTemp, MAX_PATH);
        ::SetEnvironmentVariableA("TMP", temp);
        ::SetEnvironmentVariableA("TEMP", temp);
        const DWORD code = RunAndWait("\"" + root + "update\\update.exe\"");
        ::SetEnvironmentVariableA("TMP", savedTmp);
        ::SetEnvironmentVariableA("TEMP", savedTemp);
        return code;
    }
};

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
