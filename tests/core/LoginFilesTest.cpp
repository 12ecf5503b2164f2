// Files of the login: the speed-sorted server list, the list paths and the
// speed-test command line.
#include "LoginState.h"
#include "ServerList.h"
#include "SessionData.h"

#include <gtest/gtest.h>

namespace {

TEST(ServerListTest, LineSplitsIntoNameDisplayAndAddress)
{
    struct Case { const char* line; const char* name; const char* host; const char* port; };
    const Case cases[] = {
        {"Shanghai 1,电信一:10.0.0.1:5169:KEY", "Shanghai 1", "电信一", "10.0.0.1:5169:KEY"},
        {"no comma:1.2.3.4:80", "", "no comma", "1.2.3.4:80"},
        {"name,no colon", "name", "", "no colon"},
        {"a,b,c:d", "a", "b,c", "d"},
    };
    for (const Case& c : cases)
    {
        const ServerListRecord record = ParseServerListLine(c.line);
        EXPECT_EQ(CString(c.name), record.name) << c.line;
        EXPECT_EQ(CString(c.host), record.host) << c.line;
        EXPECT_EQ(CString(c.port), record.port) << c.line;
    }
}

TEST(ServerListTest, EmptyLinesAreSkippedSoEntriesAndRecordsAgree)
{
    ServerList list;
    ASSERT_EQ(SERVER_LIST_OK,
              ParseArrangedServerList("[ArrangeNetwork]\r\nA,a:1.1.1.1:1:K\n\nB,b:2.2.2.2:2:K\n", list));
    ASSERT_EQ(2u, list.records.size());
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), list.entries);
    EXPECT_EQ(CString("2.2.2.2:2:K"), list.records[1].port);

    ServerList headerOnly;
    ASSERT_EQ(SERVER_LIST_OK, ParseArrangedServerList("[ArrangeNetwork]", headerOnly));
    EXPECT_TRUE(headerOnly.records.empty());
    EXPECT_EQ(-1, headerOnly.ClampIndex(0));

    EXPECT_EQ(SERVER_LIST_BAD_HEADER, ParseArrangedServerList("[Network]\nA,a:1:2\n", list));
    EXPECT_EQ(SERVER_LIST_EMPTY, ParseArrangedServerList("\n\n", list));
    EXPECT_EQ(2u, list.records.size()) << "a bad list leaves the previous one";
}

TEST(ServerListTest, ADamagedLineRefusesTheWholeList)
{
    const char* damaged[] = {
        "A,a:1.1.1.1",              // no port
        "A,a:1.1.1.1:0:K",          // port outside 1-65535
        "A,a:1.1.1.1:65536:K",
        "A,a:1.1.1.1:70001:K",      // would reach port 4465 cut to 16 bits
        "A,a:1.1.1.1:51x:K",
        "A,a:1.1.1.1:5:K:extra",
        "A,a::5:K",                 // no host
        "A,:1.1.1.1:5:K",           // nothing to show
        "a:1.1.1.1:5:K",            // no name part
        "A,a:1.1.1.1:5:K\x01",
        "A,a:1.1.1.1:5:\tK",
    };
    for (const char* line : damaged)
    {
        ServerList list;
        ASSERT_EQ(SERVER_LIST_OK, ParseArrangedServerList("[ArrangeNetwork]\nB,b:2.2.2.2:2:K\n", list));
        EXPECT_EQ(SERVER_LIST_DAMAGED, ParseArrangedServerList(CString("[ArrangeNetwork]\nB,b:2.2.2.2:2:K\n") + line + "\n", list)) << line;
        EXPECT_EQ(SERVER_LIST_DAMAGED, ParsePlainServerList(CString("[Network]\n") + line + "\n", list)) << line;
        EXPECT_EQ(1u, list.records.size()) << "a damaged list leaves the previous one: " << line;
        EXPECT_FALSE(IsSoundServerLine(line)) << line;
    }
    ServerList plain;
    ASSERT_EQ(SERVER_LIST_OK, ParsePlainServerList("[Network]\r\nA,a:1.1.1.1:65535:K\n\nB,b:2.2.2.2:1\n", plain));
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), plain.entries);
    EXPECT_EQ(CString("2.2.2.2:1"), plain.records[1].port);
    EXPECT_EQ(SERVER_LIST_EMPTY, ParsePlainServerList("\r\n", plain));
}

TEST(ServerListTest, RememberedIndexIsClampedToTheList)
{
    ServerList list;
    ASSERT_EQ(SERVER_LIST_OK, ParseArrangedServerList("[ArrangeNetwork]\nA,a:h:1\nB,b:h:2\nC,c:h:3", list));
    const int cases[][2] = {{-1, 0}, {0, 0}, {2, 2}, {3, 0}, {100, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c[1], list.ClampIndex(c[0])) << c[0];
}

TEST(ServerListPathTest, SimulatedListOnlyAfterTheSpecialLoginInMode0)
{
    struct Case { bool special; int mode; bool analog; };
    const Case cases[] = {{false, 0, false}, {false, 1, false}, {true, 1, false}, {true, 0, true}};
    for (const Case& c : cases)
    {
        SpecialLoginFlag = c.special;
        GetSessionData().m_nAccountMode = c.mode;
        EXPECT_EQ(c.analog, UseAnalogServerList()) << c.special << c.mode;
        EXPECT_EQ(CString(c.analog ? "C:\\app\\ServerList_analog.ini" : "C:\\app\\ServerList_real.ini"),
                  GetCurrentServerListPath("C:\\app\\"));
        EXPECT_EQ(CString(c.analog ? "C:\\r\\test\\ArrangeServerList_analog.ini" : "C:\\r\\test\\ArrangeServerList_real.ini"),
                  GetCurrentArrangedServerListPath("C:\\r\\test\\"));
    }
    SpecialLoginFlag = false;
}

TEST(ServerListPathTest, SpeedTestCommandLineQuotesItsPaths)
{
    EXPECT_EQ(CString("\"C:\\Program Files\\T\\test\\Probehall.exe\" 1;\"C:\\Program Files\\T\\bin\\ServerList_real.ini\";"
                      "\"C:\\Program Files\\T\\test\\ArrangeServerList_real.ini\""),
              BuildSpeedTestCommandLine("C:\\Program Files\\T\\test\\", "C:\\Program Files\\T\\bin\\", true, false));
    EXPECT_EQ(CString("\"t\\Probehall.exe\" 0;\"a\\ServerList_analog.ini\";\"t\\ArrangeServerList_analog.ini\""),
              BuildSpeedTestCommandLine("t\\", "a\\", false, true));
}

}  // namespace
