#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ProgramFolder()
{
    char path[MAX_PATH] = {0};
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.rfind('\\') + 1);
}

// A fresh empty working folder per run, so each dump lands where the test looks.
std::string MakeWorkFolder(const std::string& name)
{
    char temp[MAX_PATH] = {0};
    ::GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "tolvan-crash-" + std::to_string(::GetCurrentProcessId())
                         + "-" + name;
    ::CreateDirectoryA(folder.c_str(), nullptr);
    ::DeleteFileA((folder + "\\crashdump.dmp").c_str());
    return folder;
}

void RemoveWorkFolder(const std::string& folder)
{
    ::DeleteFileA((folder + "\\crashdump.dmp").c_str());
    ::RemoveDirectoryA(folder.c_str());
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

// Runs the probe with `mode` in `folder`; returns its exit code (or -1).
DWORD RunProbe(const std::string& mode, const std::string& folder)
{
    std::string command = "\"" + ProgramFolder() + "crash_probe.exe\" " + mode;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                          folder.c_str(), &startup, &process))
        return DWORD(-1);
    ::CloseHandle(process.hThread);
    DWORD code = DWORD(-1);
    if (::WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(process.hProcess, &code);
    else
        ::TerminateProcess(process.hProcess, 99);
    ::CloseHandle(process.hProcess);
    return code;
}

class CrashHandlerTest : public ::testing::TestWithParam<const char*> {};

TEST_P(CrashHandlerTest, WritesADumpAndExitsWithOne)
{
    const std::string folder = MakeWorkFolder(GetParam());
    // A dump of an earlier crash is replaced, not appended to.
    {
        std::ofstream stale(folder + "\\crashdump.dmp", std::ios::binary);
        stale << "stale dump of an earlier crash";
    }

    EXPECT_EQ(1u, RunProbe(GetParam(), folder));

    const std::string dump = ReadFile(folder + "\\crashdump.dmp");
    RemoveWorkFolder(folder);
    ASSERT_GE(dump.size(), 32u);
    EXPECT_EQ("MDMP", dump.substr(0, 4));   // the minidump signature
}

INSTANTIATE_TEST_SUITE_P(FatalConditions, CrashHandlerTest,
                         ::testing::Values("null", "divide", "pure-virtual", "new", "abort",
                                           "terminate", "sigint"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (c == '-')
                                     c = '_';
                             return name;
                         });

TEST(CrashHandler, ACleanRunWritesNoDump)
{
    const std::string folder = MakeWorkFolder("clean");
    EXPECT_EQ(0u, RunProbe("none", folder));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((folder + "\\crashdump.dmp").c_str()));
    RemoveWorkFolder(folder);
}

}  // namespace
