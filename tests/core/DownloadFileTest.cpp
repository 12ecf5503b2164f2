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
    const struct { const char* what; const char* path; const char* answer; } cases[] = {
        {"404: an error page is not the file", "/missing.ini", nullptr},
        {"connection ends before the announced length", "/partial.ini",
         "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\nonly the start"},
        {"connection ends inside the headers of an error", "/cut-error.ini", "HTTP/1.1 404 Not Found\r\n"},
        {"connection ends inside the headers of a success", "/cut-ok.ini",
         "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n"},
        {"a redirect is not followed and its page is not the file", "/moved.ini",
         "HTTP/1.1 302 Found\r\nLocation: /elsewhere.ini\r\nContent-Length: 13\r\n\r\n<html></html>"},
        {"a permanent redirect likewise", "/moved-for-good.ini",
         "HTTP/1.1 301 Moved Permanently\r\nLocation: /elsewhere.ini\r\n\r\n<html>moved</html>"},
        {"no content is not an empty file", "/nothing.ini", "HTTP/1.1 204 No Content\r\n\r\n"},
        {"a status line of no HTTP version", "/weird.ini", "HTTP/-1.1 204 No Content\r\n\r\n\xB8"},
        {"another success status", "/partial-content.ini",
         "HTTP/1.1 206 Partial Content\r\nContent-Length: 4\r\n\r\nabcd"},
        {"a chunked body cut before its last chunk", "/cut-chunks.ini",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4\r\nabcd\r\n"},
    };
    for (const auto& c : cases)
        if (c.answer != nullptr)
        {
            const std::string answer = c.answer;
            m_server.Route("GET", c.path, [answer](const HttpRequest&) { return HttpResponse::RawBytes(answer); });
        }
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

// A server that closes the connection to end the body, without announcing its length, sent
// the whole file.
TEST_F(DownloadFileTest, BodyEndedByTheConnectionIsTheFile)
{
    m_server.Route("GET", "/list.ini", [](const HttpRequest&) {
        return HttpResponse::RawBytes("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n[Update]\r\nVersion=3\r\n");
    });
    m_server.Route("GET", "/empty.ini", [](const HttpRequest&) {
        return HttpResponse::RawBytes("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n");
    });
    EXPECT_TRUE(DownloadFile((m_server.BaseUrl() + "/list.ini").c_str(), m_target));
    EXPECT_EQ("[Update]\r\nVersion=3\r\n", TargetBytes());
    // An announced empty body is an empty file.
    EXPECT_TRUE(DownloadFile((m_server.BaseUrl() + "/empty.ini").c_str(), m_target));
    EXPECT_EQ("", TargetBytes());
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
