// Downloading one address into a file.
#include "DownloadFile.h"

#include "testsupport/FakeHttpServer.h"

#include <gtest/gtest.h>

#include <string>

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
        m_target.Format("%sdownload-%lu-%lu.ini", base, GetCurrentProcessId(), GetTickCount());
    }
    void TearDown() override { DeleteFileA(m_target); }

    std::string TargetBytes() const
    {
        std::string bytes;
        FILE* file = fopen(m_target, "rb");
        if (file == NULL)
            return "<missing>";
        char chunk[4096];
        size_t got;
        while ((got = fread(chunk, 1, sizeof(chunk), file)) > 0)
            bytes.append(chunk, got);
        fclose(file);
        return bytes;
    }

    bool TargetExists() const { return GetFileAttributesA(m_target) != INVALID_FILE_ATTRIBUTES; }

    FakeHttpServer m_server;
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
    FILE* old = fopen(m_target, "wb");
    fputs(std::string(200000, 'o').c_str(), old);
    fclose(old);

    EXPECT_TRUE(DownloadFile((m_server.BaseUrl() + "/update/TolvanUpdate.ini").c_str(), m_target));
    EXPECT_EQ(body, TargetBytes());
}

TEST_F(DownloadFileTest, FailedTransferDeletesTheTarget)
{
    // Nothing is routed: the server answers 404, whose page is not the file.
    EXPECT_FALSE(DownloadFile((m_server.BaseUrl() + "/missing.ini").c_str(), m_target));
    EXPECT_FALSE(TargetExists());

    // The connection ends before the announced length: a partial file is no file.
    m_server.Route("GET", "/partial.ini", [](const HttpRequest&) {
        return HttpResponse::RawBytes("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\nonly the start");
    });
    EXPECT_FALSE(DownloadFile((m_server.BaseUrl() + "/partial.ini").c_str(), m_target));
    EXPECT_FALSE(TargetExists());
}

TEST_F(DownloadFileTest, TargetInAMissingDirectoryFailsWithoutARequest)
{
    CString target = m_target + ".dir\\file.ini";
    EXPECT_FALSE(DownloadFile((m_server.BaseUrl() + "/file.ini").c_str(), target));
    EXPECT_EQ(0u, m_server.RequestCount());
}

} // namespace
