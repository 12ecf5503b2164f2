// The update check against a local HTTP server: versions, which files are fetched, where they
// go, refused names and every failure text.
#include "DownloadFile.h"
#include "FakeLoginWindow.h"
#include "UpdateCheck.h"
#include "testsupport/FakeHttpServer.h"

#include <gtest/gtest.h>

#include <map>
#include <stdio.h>

using tolvan::test::FakeHttpServer;
using tolvan::test::HttpRequest;
using tolvan::test::HttpResponse;

namespace {

class UpdateCheckTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char base[MAX_PATH];
        ::GetTempPathA(MAX_PATH, base);
        m_root.Format("%supdatecheck-%lu-%lu", base, ::GetCurrentProcessId(), ::GetTickCount());
        ::CreateDirectoryA(m_root, NULL);
        ::CreateDirectoryA(m_root + "\\update", NULL);
        m_context.localListPath = m_root + "\\update\\UpdateList.ini";
        m_context.downloadedListPath = m_root + "\\TolvanUpdate.ini";
        m_context.updateListUrl = (m_server.BaseUrl() + "/update/UpdateList.ini").c_str();
        m_context.rootDir = m_root;
        m_context.updaterCommandLine = "\"" + m_root + "\\update\\update.exe\"";
        m_context.download = [](const CString& address, const CString& target) { return DownloadFile(address, target); };
        m_context.launchUpdater = [this](const CString& line) { m_launched = line; return true; };
        m_context.launchPauseMs = 0;
        m_server.Route("GET", "/files/*", [this](const HttpRequest& request) {
            auto found = m_files.find(request.path);
            return found == m_files.end() ? HttpResponse::Text(404, "") : HttpResponse::Text(200, found->second);
        });
    }

    void TearDown() override
    {
        // Best effort: the folder lies in the temporary directory.
        CString command = "cmd /c rmdir /s /q \"" + m_root + "\"";
        STARTUPINFOA startup = {sizeof(startup)};
        PROCESS_INFORMATION process;
        if (::CreateProcessA(NULL, command.GetBuffer(), NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL, NULL, &startup, &process))
        {
            ::WaitForSingleObject(process.hThread, 0);
            ::CloseHandle(process.hThread);
            ::CloseHandle(process.hProcess);
        }
    }

    void WriteFile(const CString& path, const char* text)
    {
        FILE* file = fopen(path, "wb");
        ASSERT_NE(nullptr, file) << (LPCSTR)path;
        fputs(text, file);
        fclose(file);
    }

    void PublishList(const std::string& entries, int version)
    {
        const std::string text = "[Config]\r\nVersion=" + std::to_string(version) + "\r\nUrl=" + m_server.BaseUrl() +
                                 "/files/\r\n[Files]\r\nupdate\\UpdateList.ini=1\r\n" + entries;
        m_server.Route("GET", "/update/UpdateList.ini", [text](const HttpRequest&) { return HttpResponse::Text(200, text); });
    }

    std::string ReadFile(const CString& path)
    {
        FILE* file = fopen(path, "rb");
        if (file == nullptr)
            return "<missing>";
        char buffer[256] = {0};
        fread(buffer, 1, sizeof(buffer) - 1, file);
        fclose(file);
        return buffer;
    }

    std::vector<std::string> FetchedPaths()
    {
        std::vector<std::string> paths;
        for (const HttpRequest& request : m_server.Requests())
            if (request.path.compare(0, 7, "/files/") == 0)
                paths.push_back(request.path);
        return paths;
    }

    FakeHttpServer m_server;
    std::map<std::string, std::string> m_files;
    CString m_root;
    UpdateCheckContext m_context;
    CString m_launched;
    FakeLoginWindow m_window;
};

TEST_F(UpdateCheckTest, SameVersionIsLatestAndFetchesNothing)
{
    WriteFile(m_context.localListPath, "[Config]\nVersion=7\n[Files]\nupdate\\Tolvan.exe=1\n");
    PublishList("update\\Tolvan.exe=9\r\n", 7);
    EXPECT_FALSE(RunUpdateCheck(m_window, m_context));
    EXPECT_EQ((std::vector<std::string>{"status 正在检测更新。。。", "progress 100", "status 当前已是最新版本！", "enable"}),
              m_window.Calls());
    EXPECT_TRUE(FetchedPaths().empty());
}

TEST_F(UpdateCheckTest, NewerListFetchesNewAndNewerFilesAndStartsTheUpdater)
{
    WriteFile(m_context.localListPath,
              "[Config]\nVersion=7\n[Files]\nUPDATE\\Tolvan.exe=2\nupdate\\Old.dll=5\nupdate\\Same.dll=3\n");
    PublishList("update\\tolvan.exe=3\r\nupdate\\Old.dll=4\r\nupdate\\Same.dll=3\r\nupdate\\a\\b.dll=3\r\n", 8);
    m_files["/files/update/tolvan.exe"] = "new program";
    m_files["/files/update/a/b.dll"] = "nested";
    EXPECT_TRUE(RunUpdateCheck(m_window, m_context));
    EXPECT_EQ((std::vector<std::string>{"/files/update/tolvan.exe", "/files/update/a/b.dll"}), FetchedPaths());
    EXPECT_EQ("new program", ReadFile(m_root + "\\update\\tolvan.exe"));
    EXPECT_EQ("nested", ReadFile(m_root + "\\update\\a\\b.dll"));
    EXPECT_EQ(m_context.updaterCommandLine, m_launched);
    EXPECT_EQ("status 发现新更新。。。", m_window.Calls().back());
    EXPECT_FALSE(m_window.Has("enable"));
}

TEST_F(UpdateCheckTest, FailuresEndWithTheirTextAndEnabledInput)
{
    struct Case { const char* name; std::function<void()> arrange; const char* text; };
    const Case cases[] = {
        {"no local list", [] {}, "status 本地更新列表损坏！"},
        {"server refuses the list",
         [this] { WriteFile(m_context.localListPath, "Version=1\n"); },
         "status 更新服务器连接失败！"},
        {"a file is missing on the server",
         [this] { WriteFile(m_context.localListPath, "Version=1\n"); PublishList("update\\x.dll=1\r\n", 2); },
         "status 更新失败！"},
        {"a name leaves the root",
         [this] {
             WriteFile(m_context.localListPath, "Version=1\n");
             PublishList("update\\..\\..\\evil.dll=1\r\n", 2);
             m_files["/files/update/../../evil.dll"] = "x";
         },
         "status 更新失败！"},
        // The launcher has shown its box; the user can still log in with this version.
        {"the updater cannot be started",
         [this] {
             WriteFile(m_context.localListPath, "Version=1\n");
             PublishList("", 2);
             m_context.launchUpdater = [](const CString&) { return false; };
         },
         "status 发现新更新。。。"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ::DeleteFileA(m_context.localListPath);
        c.arrange();
        FakeLoginWindow window;
        EXPECT_FALSE(RunUpdateCheck(window, m_context));
        ASSERT_GE(window.Calls().size(), 2u);
        EXPECT_EQ(c.text, window.Calls()[window.Calls().size() - 2]);
        EXPECT_EQ("enable", window.Calls().back());
    }
    EXPECT_TRUE(m_launched.IsEmpty());
    EXPECT_EQ("<missing>", ReadFile(m_root + "\\..\\evil.dll"));
}

TEST(UpdateNameTest, NamesThatLeaveTheRootAreRefused)
{
    const char* refused[] = {"", "..\\x", "update\\..\\..\\x", "update/../x", "\\Windows\\x", "/x", "C:\\x", "update\\x:stream",
                             // devices, in any part, with any extension or case
                             "update\\CON", "update\\NUL", "update\\COM1", "update\\aux.dll", "update\\lpt9.txt",
                             "update\\Con .ini", "update\\conout$", "PRN\\x.dll", "update\\nul\\x.dll",
                             // names Windows would change or cannot hold
                             "update\\x.dll.", "update\\x.dll ", "update\\x\t.dll", "update\\a*.dll", "update\\a?.dll",
                             "update\\a|b", "update\\a<b", "update\\a\"b"};
    for (const char* name : refused)
        EXPECT_FALSE(IsSafeUpdateName(name)) << name;
    EXPECT_FALSE(IsSafeUpdateName(CString("update\\x.dll\0.exe", 16))) << "an embedded NUL";
    const char* allowed[] = {"update\\x.dll", "update\\a\\b..c.dll", "update\\..x", "update\\console.dll",
                             "update\\com10.dll", "update\\nullable.dll", "update\\auxiliary\\a.dll", "update\\行情.dll"};
    for (const char* name : allowed)
        EXPECT_TRUE(IsSafeUpdateName(name)) << name;
}

TEST(UpdateListTest, VersionAndEntries)
{
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    CString path;
    path.Format("%supdatelist-%lu.ini", base, ::GetCurrentProcessId());
    FILE* file = fopen(path, "wb");
    ASSERT_NE(nullptr, file);
    fputs("[Config]\r\nUrl=http://x/\r\nVersion=12\r\nVersion=13\r\nUpdate\\UpdateList.ini=3\r\nUpdate\\A.dll=4\r\nother=1\r\n", file);
    fclose(file);
    EXPECT_EQ(12, ReadVersionFromFile(path));
    std::vector<CString> entries;
    EXPECT_TRUE(ReadUpdateList(path, entries));
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ(CString("Update\\A.dll=4"), entries[0]);
    ::DeleteFileA(path);
    EXPECT_EQ(0, ReadVersionFromFile(path));
    EXPECT_FALSE(ReadUpdateList(path, entries));
}

// The list as bytes from a server: what a text-mode, fixed-buffer, 32-bit reading got wrong.
TEST(UpdateListTest, HostileListBytes)
{
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    CString path;
    path.Format("%supdatelist-bytes-%lu.ini", base, ::GetCurrentProcessId());
    const std::string longName = "update\\" + std::string(1500, 'a') + ".dll";
    const struct
    {
        const char* what;
        std::string bytes;
        long long version;
        std::vector<std::string> entries;
    } cases[] = {
        {"a Ctrl-Z does not end the list", "Version=2\r\nupdate\\a.dll=1\x1A\r\nupdate\\b.dll=1\r\n", 2,
         {"update\\a.dll=1\x1A", "update\\b.dll=1"}},
        {"a line of 1,500 bytes stays one line", "Version=2\n" + longName + "=3\nupdate\\b.dll=1", 2,
         {longName + "=3", "update\\b.dll=1"}},
        {"versions past 2^31 do not wrap", "Version=4294967297\nupdate\\a.dll=2147483648\n", 4294967297LL,
         {"update\\a.dll=2147483648"}},
        {"a version past 64 bits stays the largest", "Version=99999999999999999999999\n", 9223372036854775807LL, {}},
        {"a GBK lead byte before the folder does not hide the entry", "Version=1\n\x81update\\a.dll=1\n", 1,
         {"\x81update\\a.dll=1"}},
    };
    for (const auto& c : cases)
    {
        FILE* file = fopen(path, "wb");
        ASSERT_NE(nullptr, file);
        fwrite(c.bytes.data(), 1, c.bytes.size(), file);
        fclose(file);
        EXPECT_EQ(c.version, ReadVersionFromFile(path)) << c.what;
        std::vector<CString> entries;
        EXPECT_TRUE(ReadUpdateList(path, entries)) << c.what;
        std::vector<std::string> read;
        for (const CString& entry : entries)
            read.push_back(std::string(entry, entry.GetLength()));
        EXPECT_EQ(c.entries, read) << c.what;
    }
    ::DeleteFileA(path);
}

// A version past 2^31 is newer than a small one, not a negative one.
TEST(UpdateListTest, LargeVersionsCompareAsNumbers)
{
    std::vector<CString> fetched;
    const UpdateDownloader record = [&fetched](const CString& address, const CString&) {
        fetched.push_back(address);
        return true;
    };
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    EXPECT_TRUE(CompareUpdateLists("missing.ini", {"update\\a.dll=5", "update\\b.dll=4294967296"},
                                   {"update\\a.dll=2147483648", "update\\b.dll=4294967295"}, base, record));
    EXPECT_EQ(std::vector<CString>{"update/a.dll"}, fetched);
}

}  // namespace
