// The login reply taken apart into the session data and its server lists.
#include "SessionData.h"

#include <gtest/gtest.h>

namespace {

// "name|a|b|host|port|x|type|c|d|range"
CString Entry(const char* name, const char* host, const char* type, const char* extra = "")
{
    CString entry;
    entry.Format("%s|a|b|%s|9001|x|%s|c|d|range-%s%s", name, host, type, name, extra);
    return entry;
}

CString Reply(const CString& servers, const char* status = "loginresult@status:1")
{
    return CString(status) + "#mark:M-77#code:C-1#trademark:TM#loginrange:LR#nikename:张三#markserver:" + servers + "#@";
}

class SessionDataTest : public ::testing::Test
{
protected:
    CSessionData m_session;
    CString m_error = "untouched";
};

TEST_F(SessionDataTest, AcceptedReplyFillsFieldsAndServerLists)
{
    const CString servers = Entry("CSM_P", "10.0.0.1", "1") + "&" + Entry("CSM_P", "10.0.0.2", "1") + "&"
                            + Entry("HKS_P", "10.0.0.3", "1") + "&" + Entry("DEPTH", "10.0.0.4", "2") + "&"
                            + Entry("TRADE", "10.0.0.5", "3") + "&" + Entry("QUERY", "10.0.0.6", "4") + "&"
                            + Entry("PROXYQUERY", "10.0.0.7", "6") + "&";
    ASSERT_EQ(1, m_session.ParseLoginResult(Reply(servers), m_error));
    EXPECT_TRUE(m_error.IsEmpty());

    EXPECT_EQ(CString("M-77"), m_session.m_strMark);
    EXPECT_EQ(CString("C-1"), m_session.m_strCode);
    EXPECT_EQ(CString("TM"), m_session.m_strTradeMark);
    EXPECT_EQ(CString("LR"), m_session.m_strReplyLoginRange);
    EXPECT_EQ(CString("张三"), m_session.m_strNickName);
    EXPECT_EQ(servers, m_session.m_strServerListText);

    // The duplicate quote server and the "HKS_P" one never reach a list; the trailing "&" adds
    // no entry.
    const int expectedCounts[6] = {1, 1, 1, 1, 0, 1};
    for (int type = 1; type <= 6; ++type)
    {
        EXPECT_EQ(expectedCounts[type - 1], m_session.m_nServerCount[type - 1]) << "type " << type;
        EXPECT_EQ((size_t)expectedCounts[type - 1], m_session.GetServers(type).size()) << "type " << type;
    }
    const ServerRecord* quote = m_session.GetServers(1)[0];
    EXPECT_EQ(CString("10.0.0.1"), quote->GetHost()); // the first of a name wins
    EXPECT_EQ(CString("9001"), quote->GetPort());
    EXPECT_EQ(CString("range-CSM_P"), quote->GetField(ServerRecord::kLoginRange));
    EXPECT_EQ(CString("06:00"), quote->GetField(ServerRecord::kOpenTime));
    EXPECT_EQ(CString("24:00"), quote->GetField(ServerRecord::kCloseTime));
    const ServerRecord* trade = m_session.GetServers(3)[0];
    EXPECT_TRUE(trade->GetField(ServerRecord::kOpenTime).IsEmpty());
    EXPECT_TRUE(trade->GetField(ServerRecord::kCloseTime).IsEmpty());
}

TEST_F(SessionDataTest, QuoteServerTimesOverrideLongerEntries)
{
    ASSERT_EQ(1, m_session.ParseLoginResult(Reply(Entry("CSM_P", "h", "1", "|10:00|15:00|more")), m_error));
    const ServerRecord* quote = m_session.GetServers(1)[0];
    EXPECT_EQ(CString("06:00"), quote->GetField(ServerRecord::kOpenTime));
    EXPECT_EQ(CString("24:00"), quote->GetField(ServerRecord::kCloseTime));
}

TEST_F(SessionDataTest, RejectedRepliesEmptyTheListsAndSayWhy)
{
    const struct
    {
        const char* what;
        CString reply;
        int result;
        const char* error;
    } kCases[] = {
        {"refused", "loginresult@status:-1#@", -2, "用户名或密码错误，请重新输入!"},
        {"nine fields", Reply("CSM_P|a|b|h|1|x|1|c|d"), -4, "服务器数据错误！"},
        {"type 7", Reply(Entry("X", "h", "7")), -4, "服务器数据错误！"},
        {"type 0", Reply(Entry("X", "h", "0")), -4, "服务器数据错误！"},
        {"empty server list", Reply(""), -4, "服务器数据错误！"}, // one empty entry, no type
        {"only HKS_P", Reply(Entry("HKS_P", "h", "1")), -4, "程序错误！"},
        // Neither status: never an acceptance.
        {"no status", "loginresult@state:9#mark:M#markserver:" + Entry("CSM_P", "h", "1") + "#@", -4, "服务器数据错误！"},
        {"empty reply", "", -4, "服务器数据错误！"},
    };
    for (const auto& testCase : kCases)
    {
        CSessionData session;
        CString error;
        ASSERT_EQ(1, session.ParseLoginResult(Reply(Entry("TRADE", "h", "3")), error));
        EXPECT_EQ(testCase.result, session.ParseLoginResult(testCase.reply, error)) << testCase.what;
        EXPECT_EQ(CString(testCase.error), error) << testCase.what;
        EXPECT_TRUE(session.GetServers(3).empty()) << testCase.what;
        EXPECT_EQ(0, session.m_nServerCount[2]) << testCase.what;
    }
}

TEST_F(SessionDataTest, BadEntryKeepsTheServersPlacedBeforeIt)
{
    const CString servers = Entry("CSM_P", "h", "1") + "&" + Entry("BAD", "h", "9") + "&" + Entry("TRADE", "h", "3");
    EXPECT_EQ(-4, m_session.ParseLoginResult(Reply(servers), m_error));
    EXPECT_EQ(1u, m_session.GetServers(1).size());
    EXPECT_EQ(1, m_session.m_nServerCount[0]);
    EXPECT_TRUE(m_session.GetServers(3).empty());
}

TEST_F(SessionDataTest, TypeIsReadOnceAndPortsMustBeUsable)
{
    // One reading of the type chooses the list, finds duplicates and is what the record keeps.
    const CString servers = Entry("CSM_P", "h1", "1") + "&" + Entry("CSM_P", "h2", "1:") + "&"
                            + Entry("TRADE", "h3", "03") + "&" + Entry("TRADE", "h4", "3") + "&"
                            + Entry("TRADE", "h5", "4"); // a name may stand in two lists
    ASSERT_EQ(1, m_session.ParseLoginResult(Reply(servers), m_error));
    ASSERT_EQ(1u, m_session.GetServers(1).size());
    EXPECT_EQ(CString("h1"), m_session.GetServers(1)[0]->GetHost());
    ASSERT_EQ(1u, m_session.GetServers(3).size());
    EXPECT_EQ(CString("h3"), m_session.GetServers(3)[0]->GetHost());
    EXPECT_EQ(CString("3"), m_session.GetServers(3)[0]->GetTypeText());
    EXPECT_EQ(1u, m_session.GetServers(4).size());
    const ServerRecord* trade = m_session.FindServer("3", "TRADE");
    ASSERT_NE(nullptr, trade);
    EXPECT_EQ(CString("h3"), trade->GetHost());

    const struct
    {
        const char* port;
        int result;
    } kPorts[] = {{"1", 1}, {"65535", 1}, {"09001", 1}, {"0", -4}, {"65536", -4}, {"70000", -4},
                  {"-1", -4}, {"", -4}, {"90x", -4}, {" 80", -4}, {"99999999999", -4}};
    for (const auto& port : kPorts)
    {
        CString entry;
        entry.Format("TRADE|a|b|h|%s|x|3|c|d|r", port.port);
        CString error;
        EXPECT_EQ(port.result, m_session.ParseLoginResult(Reply(entry), error)) << port.port;
        EXPECT_EQ(CString(port.result == 1 ? "" : "服务器数据错误！"), error) << port.port;
        EXPECT_EQ(port.result == 1 ? 1u : 0u, m_session.GetServers(3).size()) << port.port;
    }
}

TEST_F(SessionDataTest, ServerListIsBoundedAndDuplicatesAreFoundAmongMany)
{
    // 1,000 entries: 500 names, each listed twice, over the six types; the first of each wins.
    CString servers;
    for (int i = 0; i < 1000; ++i)
    {
        CString name, host, type;
        name.Format("S%03d", i % 500);
        host.Format("h%d", i);
        type.Format("%d", 1 + (i % 500) % 6);
        servers += Entry(name, host, type) + "&";
    }
    ASSERT_EQ(1, m_session.ParseLoginResult(Reply(servers), m_error));
    size_t placed = 0;
    for (int type = 1; type <= 6; ++type)
    {
        for (const ServerRecord* record : m_session.GetServers(type))
            EXPECT_EQ(atoi(record->GetName().Mid(1)), atoi(record->GetHost().Mid(1))) << (LPCSTR)record->GetName();
        placed += m_session.GetServers(type).size();
    }
    EXPECT_EQ(500u, placed);

    // One more entry is refused before any server is placed.
    EXPECT_EQ(-4, m_session.ParseLoginResult(Reply(servers + Entry("X", "h", "1")), m_error));
    EXPECT_EQ(CString("服务器数据错误：服务器超过1000个！"), m_error);
    for (int type = 1; type <= 6; ++type)
        EXPECT_TRUE(m_session.GetServers(type).empty());
}

TEST_F(SessionDataTest, FindServerByTypeAndName)
{
    const CString servers = Entry("CSM_P", "h1", "1") + "&" + Entry("TRADE", "h3", "3") + "&"
                            + Entry("PROXYTRADE", "h5", "5") + "&" + Entry("PROXYQUERY", "h6", "6");
    ASSERT_EQ(1, m_session.ParseLoginResult(Reply(servers), m_error));

    ASSERT_NE(nullptr, m_session.FindServer("1", "CSM_P"));
    EXPECT_EQ(CString("h1"), m_session.FindServer("1", "CSM_P")->GetHost());
    EXPECT_EQ(CString("h5"), m_session.FindServer("5", "PROXYTRADE")->GetHost());
    EXPECT_EQ(nullptr, m_session.FindServer("1", "csm_p"));     // names are case-sensitive
    EXPECT_EQ(nullptr, m_session.FindServer("3", "CSM_P"));     // wrong type
    EXPECT_EQ(nullptr, m_session.FindServer("6", "PROXYQUERY")); // type 6 is never searched
    EXPECT_EQ(nullptr, m_session.FindServer("01", "CSM_P"));    // the type text must match exactly
    EXPECT_EQ(nullptr, m_session.FindServer("x", "CSM_P"));
}

TEST_F(SessionDataTest, PasswordAndProcessWideInstance)
{
    m_session.SetPassword("secret");
    EXPECT_EQ(CString("secret"), m_session.GetPassword());
    EXPECT_EQ(-1, m_session.m_nAccountMode);
    EXPECT_EQ(&GetSessionData(), &GetSessionData());
}

} // namespace
