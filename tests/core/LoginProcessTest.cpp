// The first login against a loopback login server: the request, a reply in pieces, refusal,
// bad server data and lost connections, each with the result the user-login thread sees.
#include <gtest/gtest.h>

#include "LoginProcess.h"
#include "LoginServerAddress.h"
#include "Md5.h"
#include "SessionData.h"
#include "testsupport/FakeTcpServer.h"
#include "testsupport/Pump.h"

#include <string.h>

#include <algorithm>
#include <string>

using tolvan::test::FakeConnection;
using tolvan::test::FakeTcpServer;
using tolvan::test::PumpUntil;

namespace {

const char kServers[] = "TRADE|交易|TRD|127.0.0.1|5170|1|3|SIM|0|TR&QUERY|查询|TRD|127.0.0.1|5171|1|4|SIM|0|QR&"
                        "FEC|外汇|FEC|127.0.0.1|5174|1|1|SIM|0|FEC|06:00|24:00&";

std::string AcceptedReply(const std::string& servers = kServers)
{
    return "loginresult@status:1#name:80001#mark:MK#code:C1#trademark:1#loginrange:LR#nikename:张伟"
           "#markserver:" + servers + "#@";
}

class LoginProcessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_process.SetSendDelay(0);
        m_process.SetServer(FakeTcpServer::Host(), m_server.Port(), "");
        m_process.SetUser("80001", "a123456");
    }

    // Sends the request and returns the server's side of the connection.
    std::shared_ptr<FakeConnection> Begin()
    {
        if (m_process.SendLogin() != CLoginProcess::kSendOk)
            return nullptr;
        auto connection = m_server.WaitForConnection();
        std::string request;
        if (connection == nullptr || !connection->ReadUntil("#@", request))
            return nullptr;
        m_request = request;
        return connection;
    }

    bool ResultBecomes(int result)
    {
        return PumpUntil([&] { return m_process.GetResult() == result; });
    }

    FakeTcpServer m_server;
    CLoginProcess m_process;
    std::string m_request;
};

} // namespace

TEST(LoginRequest, CarriesTheDigestAndTheRangeAfterTwoSeparators)
{
    const CString digest = Md5Hex(CString("80001") + Md5Hex("a123456"));
    EXPECT_EQ("login@uName:80001#uPwd:" + digest + "#@", CLoginProcess::BuildLoginRequest("80001", "a123456", ""));
    EXPECT_EQ("login@uName:80001#uPwd:" + digest + "##uRange:KQZTWXBNPL4M#@",
              CLoginProcess::BuildLoginRequest("80001", "a123456", "KQZTWXBNPL4M"));
}

TEST_F(LoginProcessTest, MissingInputOrNoServerEndsBeforeSending)
{
    m_process.SetUser("", "a123456");
    EXPECT_EQ(CLoginProcess::kSendMissingInput, m_process.SendLogin());
    m_process.SetUser("80001", "");
    EXPECT_EQ(CLoginProcess::kSendMissingInput, m_process.SendLogin());
    m_process.SetUser("80001", "a123456");
    m_server.StopAccepting();
    EXPECT_EQ(CLoginProcess::kSendNoConnection, m_process.SendLogin());
    EXPECT_EQ(ClientState::Stopped, m_process.GetClient().GetState());
}

TEST_F(LoginProcessTest, ReplyInThreePiecesCompletesTheLogin)
{
    m_process.SetServer(FakeTcpServer::Host(), m_server.Port(), "KEY7");
    auto connection = Begin();
    ASSERT_NE(nullptr, connection);
    EXPECT_EQ(std::string((LPCSTR)CLoginProcess::BuildLoginRequest("80001", "a123456", "KEY7")), m_request);
    EXPECT_EQ(CLoginProcess::kResultConnected, m_process.GetResult());

    // The login server, the user and the range are where the connections will look for them.
    CString host;
    USHORT port = 0;
    ASSERT_TRUE(GetLoginServerAddress(host, port));
    EXPECT_EQ(CString(FakeTcpServer::Host()), host);
    EXPECT_EQ(m_server.Port(), port);
    CSessionData& session = GetSessionData();
    EXPECT_EQ(CString("80001"), session.m_strUserName);
    EXPECT_EQ(CString("KEY7"), session.m_strLoginRange);
    EXPECT_EQ(CString("a123456"), session.GetPassword());

    const std::string reply = AcceptedReply();
    const size_t cuts[] = {30, reply.size() - 2};
    ASSERT_TRUE(connection->Send(reply.substr(0, cuts[0])));
    ASSERT_TRUE(ResultBecomes(CLoginProcess::kResultIncomplete));
    ASSERT_TRUE(connection->Send(reply.substr(cuts[0], cuts[1] - cuts[0])));
    ASSERT_TRUE(PumpUntil([&] { return m_process.GetPendingReplyBytes() == cuts[1]; }));
    EXPECT_EQ(CLoginProcess::kResultIncomplete, m_process.GetResult());
    ASSERT_TRUE(connection->Send(reply.substr(cuts[1])));
    ASSERT_TRUE(ResultBecomes(CLoginProcess::kResultAccepted));

    EXPECT_EQ(CString("MK"), session.m_strMark);
    EXPECT_EQ(CString("张伟"), session.m_strNickName);
    ASSERT_EQ(1u, session.GetServers(3).size());
    EXPECT_EQ(CString("TRADE"), session.GetServers(3)[0]->GetName());
    EXPECT_EQ(1u, session.GetServers(4).size());
    EXPECT_EQ(1u, session.GetServers(1).size());
    EXPECT_EQ(0u, m_process.GetPendingReplyBytes());
    // An accepted login keeps its connection, and later bytes do not change the result.
    EXPECT_EQ(ClientState::Started, m_process.GetClient().GetState());
    ASSERT_TRUE(connection->Send("loginresult@status:-1#@"));
    connection->Close();
    ASSERT_TRUE(PumpUntil([&] { return m_process.IsClosed(); }));
    EXPECT_EQ(CLoginProcess::kResultAccepted, m_process.GetResult());
}

TEST_F(LoginProcessTest, RefusalWinsOverAnyCompleteReplyAndLeavesTheSessionAlone)
{
    CString errorText;
    ASSERT_EQ(1, GetSessionData().ParseLoginResult(AcceptedReply().c_str(), errorText));
    auto connection = Begin();
    ASSERT_NE(nullptr, connection);
    ASSERT_TRUE(connection->Send("loginresult@status:-1#markserver:X|x|x|h|1|1|3|s|0|r&#@"));
    ASSERT_TRUE(ResultBecomes(CLoginProcess::kResultRefused));
    EXPECT_EQ(1u, GetSessionData().GetServers(3).size());

    // The next attempt reads its own reply from the start.
    m_process.GetClient().Stop();
    connection = Begin();
    ASSERT_NE(nullptr, connection);
    const std::string reply = AcceptedReply();
    ASSERT_TRUE(connection->Send(reply.substr(0, 40)));
    ASSERT_TRUE(ResultBecomes(CLoginProcess::kResultIncomplete));
    ASSERT_TRUE(connection->Send(reply.substr(40)));
    ASSERT_TRUE(ResultBecomes(CLoginProcess::kResultAccepted));
}

TEST_F(LoginProcessTest, BadServerDataIsAnErrorNotAnIncompleteReply)
{
    auto connection = Begin();
    ASSERT_NE(nullptr, connection);
    ASSERT_TRUE(connection->Send(AcceptedReply("TRADE|t|TRD|127.0.0.1|5170|1|9|SIM|0|TR&")));
    ASSERT_TRUE(ResultBecomes(CLoginProcess::kResultServerDataError));
    EXPECT_EQ(CString("服务器数据错误！"), m_process.GetErrorText());
}

TEST_F(LoginProcessTest, LostConnectionBeforeTheReplyIsANetworkErrorAndTheNextAttemptStartsClean)
{
    for (int round = 0; round < 2; ++round)
    {
        auto connection = Begin();
        ASSERT_NE(nullptr, connection) << round;
        // Half a reply, then the connection goes (closed, then reset).
        ASSERT_TRUE(connection->Send("loginresult@status:1#name:80001#mark:"));
        ASSERT_TRUE(ResultBecomes(CLoginProcess::kResultIncomplete)) << round;
        if (round == 0)
            connection->Close();
        else
            connection->Reset();
        ASSERT_TRUE(ResultBecomes(CLoginProcess::kResultNetworkError)) << round;
        EXPECT_TRUE(m_process.IsClosed());
        // The user-login thread stops the client after a failed attempt.
        ASSERT_TRUE(PumpUntil([&] { return m_process.GetClient().GetState() == ClientState::Stopped; }));
    }

    // The half reply of the lost attempts is not glued to this one.
    auto connection = Begin();
    ASSERT_NE(nullptr, connection);
    ASSERT_TRUE(connection->Send(AcceptedReply()));
    ASSERT_TRUE(ResultBecomes(CLoginProcess::kResultAccepted));
    EXPECT_FALSE(m_process.IsClosed());
}

TEST(LoginReplyReads, TheResultFollowsTheTextSoFarHoweverTheReplyIsCut)
{
    const std::string accepted = AcceptedReply();
    const std::string refused = "loginresult@status:-1#markserver:" + std::string(kServers) + "#@";
    struct Case
    {
        const char* name;
        std::string reply;
        size_t decidedAt;  // bytes after which the result is final (npos: never)
        int result;
    };
    const Case cases[] = {
        {"accepted", accepted, accepted.size(), CLoginProcess::kResultAccepted},
        {"refused before its end", refused, strlen("loginresult@status:-1"), CLoginProcess::kResultRefused},
        // The reply is the text before its first zero byte: an end after one is not its end.
        {"zero byte before the end", accepted.substr(0, accepted.size() - 3) + std::string(1, '\0') + "&#@&#@",
         std::string::npos, CLoginProcess::kResultIncomplete},
    };
    for (const Case& c : cases)
    {
        for (size_t readSize : {1, 3, 64})
        {
            SCOPED_TRACE(std::string(c.name) + ", reads of " + std::to_string(readSize));
            CLoginProcess process;
            for (size_t at = 0; at < c.reply.size() && at < c.decidedAt;)
            {
                const size_t size = std::min(readSize, c.reply.size() - at);
                process.OnReceive(nullptr, reinterpret_cast<const BYTE*>(c.reply.data() + at), (int)size);
                at += size;
                ASSERT_EQ(at >= c.decidedAt ? c.result : CLoginProcess::kResultIncomplete, process.GetResult())
                    << at << " bytes";
            }
            EXPECT_EQ(c.decidedAt == std::string::npos ? c.reply.size() : 0u, process.GetPendingReplyBytes());
        }
    }
}
