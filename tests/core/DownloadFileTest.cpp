// Downloading one address into a file.
#include "DownloadFile.h"

#include "testsupport/FakeHttpServer.h"
#include "testsupport/FakeTcpServer.h"
#include "testsupport/TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using tolvan::test::FakeHttpServer;
using tolvan::test::HttpRequest;
using tolvan::test::HttpResponse;

namespace {

class DownloadFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        m_dir.Format("%sdownload-%lu-%lu\\", base, GetCurrentProcessId(), GetTickCount());
        ASSERT_TRUE(CreateDirectoryA(m_dir, NULL));
        m_target = m_dir + m_name.c_str();
    }
    void TearDown() override { tolvan::test::RemoveFolder(m_dir); }

    std::vector<std::string> FilesBesideTarget() const { return tolvan::test::FileNamesIn(m_dir); }
    std::string TargetBytes() const
    {
        return TargetExists() ? tolvan::test::ReadFileBytes(m_target) : "<missing>";
    }
    void WriteTarget(const std::string& bytes) const { ASSERT_TRUE(tolvan::test::WriteFileBytes(m_target, bytes)); }

    bool TargetExists() const { return GetFileAttributesA(m_target) != INVALID_FILE_ATTRIBUTES; }

    FakeHttpServer m_server;
    const std::string m_name = "TolvanUpdate.ini";
    CString m_dir;
    CString m_target;
};

TEST_F(DownloadFileTest, WritesTheBodyIntoTheTarget)
{
    std::string body = "[Update]\r\nversion=2\r\n";
    body += std::string(100000, 'x'); // more than one write callback
    m_server.Route("GET", "/update/TolvanUpdate.ini", [&body](const HttpRequest&) {
        return HttpResponse::Text(200, body);
    });
    // An older, longer file is truncated, not overwritten in place.
    WriteTarget(std::string(200000, 'o'));

    EXPECT_TRUE(DownloadFile((m_server.BaseUrl() + "/update/TolvanUpdate.ini").c_str(), m_target));
    EXPECT_EQ(body, TargetBytes());
}

// A failed transfer must not cost the copy that worked last time.
TEST_F(DownloadFileTest, FailedTransferKeepsTheExistingTarget)
{
    m_server.Route("GET", "/partial.ini", [](const HttpRequest&) {
        return HttpResponse::RawBytes("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\nonly the start");
    });
    const struct { const char* what; const char* path; } cases[] = {
        {"404: an error page is not the file", "/missing.ini"},
        {"connection ends before the announced length", "/partial.ini"},
    };
    for (const auto& c : cases)
    {
        // Without an earlier copy nothing is left behind.
        EXPECT_FALSE(DownloadFile((m_server.BaseUrl() + c.path).c_str(), m_target)) << c.what;
        EXPECT_FALSE(TargetExists()) << c.what;
        EXPECT_EQ(std::vector<std::string>{}, FilesBesideTarget()) << c.what;

        WriteTarget("[Update]\r\nversion=1\r\n");
        EXPECT_FALSE(DownloadFile((m_server.BaseUrl() + c.path).c_str(), m_target)) << c.what;
        EXPECT_EQ("[Update]\r\nversion=1\r\n", TargetBytes()) << c.what;
        EXPECT_EQ(std::vector<std::string>{m_name}, FilesBesideTarget()) << c.what;
        DeleteFileA(m_target);
    }
}

TEST_F(DownloadFileTest, SilentServerEndsTheTransfer)
{
    // Accepts the connection and never answers.
    tolvan::test::FakeTcpServer silent;
    WriteTarget("kept");
    DownloadTimeouts timeouts;
    timeouts.lowSpeedSeconds = 1;
    const std::string address = "http://127.0.0.1:" + std::to_string(silent.Port()) + "/TolvanUpdate.ini";
    EXPECT_FALSE(DownloadFile(address.c_str(), m_target, timeouts));
    EXPECT_EQ("kept", TargetBytes());
    EXPECT_EQ(std::vector<std::string>{m_name}, FilesBesideTarget());
}

TEST_F(DownloadFileTest, TargetInAMissingDirectoryFailsWithoutARequest)
{
    CString target = m_target + ".dir\\file.ini";
    EXPECT_FALSE(DownloadFile((m_server.BaseUrl() + "/file.ini").c_str(), target));
    EXPECT_EQ(0u, m_server.RequestCount());
}

} // namespace
