#include "HoravaneConfig.h"
#include "ServerTimeText.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <time.h>

namespace {

// 2030-06-15 20:00:00 UTC, which is 2030-06-16 04:00:00 in the texts' zone (UTC+8).
const __time64_t kServerUtc = 1907784000;
const DWORD kServerRfc868 = 4116772800u;

TEST(ServerTimeText, TimeProtocolSecondsBecomeTheTextAtUtcPlusEight)
{
    struct Case { DWORD seconds; const char* text; };
    const Case cases[] = {
        {kServerRfc868, "2030-06-16 04:00:00\n"},   // the date moves past midnight
        {1u, "1900-01-01 08:00:01\n"},
        {2208988800u, "1970-01-01 08:00:00\n"},
        {3913056000u, "2024-01-01 08:00:00\n"},
        {3918240000u - 1, "2024-03-01 07:59:59\n"},   // 29 February of a leap year
        // The last second RFC 868 can name: adding the zone must not wrap in 32 bits.
        {0xFFFFFFFFu, "2036-02-07 14:28:15\n"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.text, CServerTimeText::FromTimeProtocolSeconds(c.seconds)) << c.seconds;
}

TEST(ServerTimeText, TextIsReadAsUtcPlusEight)
{
    __time64_t utc = 0;
    ASSERT_TRUE(CServerTimeText::ToUtc("2030-06-16 04:00:00", utc));
    EXPECT_EQ(kServerUtc, utc);
    ASSERT_TRUE(CServerTimeText::ToUtc("2030-06-16 04:00:00\n", utc));
    EXPECT_EQ(kServerUtc, utc);
    ASSERT_TRUE(CServerTimeText::ToUtc("2024-02-29 23:59:59", utc));
    EXPECT_EQ(1709251199 - 8 * 3600, utc);
    ASSERT_TRUE(CServerTimeText::ToUtc("2000-01-01 00:00:00", utc));   // the first plausible second
    EXPECT_EQ(946684800 - 8 * 3600, utc);
    ASSERT_TRUE(CServerTimeText::ToUtc("2099-12-31 23:59:59", utc));   // and the last
    EXPECT_EQ(4102444799 - 8 * 3600, utc);
}

TEST(ServerTimeText, TextThatNamesNoTimeIsRefused)
{
    for (const char* text : {"", "2030-06-16", "2030-06-16 04:00", "now", "2030-13-01 00:00:00",
                             "2030-02-29 00:00:00", "2030-06-31 00:00:00", "2030-06-16 24:00:00",
                             "2030-06-16 04:60:00",
                             // dates no server clock can be believed to show
                             "1900-01-01 08:00:01", "1999-12-31 23:59:59", "2100-01-01 00:00:00",
                             "-2030-06-16 04:00:00", "99999-06-16 04:00:00"})
    {
        __time64_t utc = 0;
        EXPECT_FALSE(CServerTimeText::ToUtc(text, utc)) << text;
    }
}

// The PC may run in any zone, with or without daylight saving: the instant stays the same.
TEST(ServerTimeText, ReadingDoesNotDependOnTheLocalZone)
{
    const char* summer = "2030-07-01 12:00:00";
    __time64_t before = 0;
    ASSERT_TRUE(CServerTimeText::ToUtc(summer, before));

    const char* previous = getenv("TZ");
    const std::string saved = previous != nullptr ? previous : "";
    for (const char* zone : {"TZ=EST5EDT", "TZ=GMT0BST", "TZ=JST-9"})
    {
        _putenv(zone);
        _tzset();
        __time64_t utc = 0;
        ASSERT_TRUE(CServerTimeText::ToUtc(summer, utc));
        EXPECT_EQ(before, utc) << zone;
    }
    _putenv(("TZ=" + saved).c_str());
    _tzset();
    EXPECT_EQ(1909108800, before);   // 2030-07-01 04:00 UTC
}

TEST(ServerTimeText, DateNumberIsTheFirstTenCharactersWithoutDashes)
{
    EXPECT_EQ(20300616, CServerTimeText::DateNumber("2030-06-16 04:00:00\n"));
    EXPECT_EQ(20240229, CServerTimeText::DateNumber("2024-02-29 23:59:59"));
}

TEST(ServerTimeText, OffsetTakesHalfTheRoundTripOff)
{
    struct Case { __time64_t server, before, after; long long offset; };
    const Case cases[] = {
        {1000, 900, 900, 100},
        {1000, 900, 901, 100},   // half of 1 s is nothing
        {1000, 900, 903, 99},    // 3 s round trip: 1 s off
        {1000, 900, 904, 98},
        {900, 1000, 1000, -100},
        {kServerUtc, kServerUtc + 3600, kServerUtc + 3602, -3601},
        // A PC clock decades off: the whole offset, not its low 32 bits.
        {3786883200, 0, 2, 3786883199LL},
        {0, 3786883200, 3786883200, -3786883200LL},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.offset, CServerTimeText::Offset(c.server, c.before, c.after))
            << c.server << " " << c.before << " " << c.after;
}

// --- configuration ------------------------------------------------------------------

std::string TempFile(const char* name)
{
    char folder[MAX_PATH] = {0};
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name + std::to_string(::GetCurrentProcessId()) + ".ini";
}

TEST(HoravaneConfig, AddressesTakeAnOptionalPort)
{
    struct Case { const char* text; bool ok; const char* host; unsigned short port; };
    const Case cases[] = {
        {"time.nist.gov", true, "time.nist.gov", 37},
        {"127.0.0.1:3737", true, "127.0.0.1", 3737},
        {" host :65535", true, "host", 65535},
        {"", false, "", 0},
        {":37", false, "", 0},
        {"host:", false, "", 0},
        {"host:0", false, "", 0},
        {"host:65536", false, "", 0},
        {"host:37x", false, "", 0},
    };
    for (const Case& c : cases)
    {
        TimeServerAddress address{"", 0};
        EXPECT_EQ(c.ok, CHoravaneConfig::ParseAddress(c.text, address)) << c.text;
        if (c.ok)
        {
            EXPECT_STREQ(c.host, address.strHost) << c.text;
            EXPECT_EQ(c.port, address.nPort) << c.text;
        }
    }
}

TEST(HoravaneConfig, DefaultsAskFivePublicServersOnPort37)
{
    CHoravaneConfig config;
    config.Load("C:\\no-such-folder\\Horavane.ini");
    ASSERT_EQ(5u, config.m_timeServers.size());
    for (const auto& server : config.m_timeServers)
    {
        EXPECT_FALSE(server.strHost.IsEmpty());
        EXPECT_EQ(37, server.nPort);
    }
    EXPECT_STREQ("http://localhost:10700/time.wsdl", config.m_strSoapEndpoint);
    EXPECT_STREQ(config.m_strSoapEndpoint, config.m_strSoapNamespace);
}

TEST(HoravaneConfig, IniFileReplacesServersAndEndpoint)
{
    const std::string path = TempFile("horavane-config-");
    ::WritePrivateProfileStringA("TimeProtocol", "Host1", "127.0.0.1:3737", path.c_str());
    ::WritePrivateProfileStringA("TimeProtocol", "Host2", "bad:0", path.c_str());
    ::WritePrivateProfileStringA("TimeProtocol", "Host4", "time.example", path.c_str());
    ::WritePrivateProfileStringA("Soap", "Endpoint", "http://127.0.0.1:9/time.wsdl", path.c_str());

    CHoravaneConfig config;
    config.Load(path.c_str());
    ASSERT_EQ(2u, config.m_timeServers.size());
    EXPECT_STREQ("127.0.0.1", config.m_timeServers[0].strHost);
    EXPECT_EQ(3737, config.m_timeServers[0].nPort);
    EXPECT_STREQ("time.example", config.m_timeServers[1].strHost);
    EXPECT_EQ(37, config.m_timeServers[1].nPort);
    EXPECT_STREQ("http://127.0.0.1:9/time.wsdl", config.m_strSoapEndpoint);
    EXPECT_STREQ("http://127.0.0.1:9/time.wsdl", config.m_strSoapNamespace);

    ::WritePrivateProfileStringA("Soap", "Namespace", "urn:time", path.c_str());
    config.Load(path.c_str());
    EXPECT_STREQ("urn:time", config.m_strSoapNamespace);
    ::DeleteFileA(path.c_str());
}

TEST(HoravaneConfig, IniPathComesFromTheCommandLineOrBesideTheProgram)
{
    char program[] = "Horavane.exe";
    char option[] = "--config";
    char file[] = "C:\\cfg\\x.ini";
    char* withConfig[] = {program, option, file};
    EXPECT_STREQ("C:\\cfg\\x.ini", CHoravaneConfig::FindIniPath(3, withConfig));

    char path[MAX_PATH] = {0};
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    CString beside(path);
    beside = beside.Left(beside.ReverseFind('\\') + 1) + "Horavane.ini";
    char* without[] = {program};
    EXPECT_STREQ(beside, CHoravaneConfig::FindIniPath(1, without));
    char* dangling[] = {program, option};
    EXPECT_STREQ(beside, CHoravaneConfig::FindIniPath(2, dangling));
}

}  // namespace
