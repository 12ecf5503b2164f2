// One server connection against loopback servers standing in for its own server and for the
// login server: the mark login, the queue of stamped messages, logging in again after a
// lost connection, the fall-back login and Disconnect from every wait of the login thread.
#include <gtest/gtest.h>

#include "LoginServerAddress.h"
#include "Md5.h"
#include "Network.h"
#include "SessionData.h"
#include "testsupport/FakeTcpServer.h"
#include "testsupport/Pump.h"

#include <memory>
#include <string>

using tolvan::test::FakeConnection;
using tolvan::test::FakeTcpServer;
using tolvan::test::PumpUntil;

namespace {

const char kUser[] = "80001";
const char kPassword[] = "a123456";
const char kAccepted[] = "loginresult@status:1#name:80001#@";
const char kRefused[] = "loginresult@status:-1#@";

ServerRecord MakeServer(unsigned short port, const char* name = "TRADE", const char* type = "3")
{
    ServerRecord server;
    server.m_strFields[ServerRecord::kName] = name;
    server.m_strFields[1] = "交易服务器";
    server.m_strFields[ServerRecord::kHost] = FakeTcpServer::Host();
    server.m_strFields[ServerRecord::kPort].Format("%u", port);
    server.m_strFields[ServerRecord::kType] = type;
    server.m_strFields[ServerRecord::kLoginRange] = "R9";
    return server;
}

CNetwork::LoginTimings FastTimings()
{
    CNetwork::LoginTimings timings;
    timings.retryPauseMs = 50;
    timings.statePollMs = 10;
    timings.answerPollMs = 5;
    timings.fallbackPauseMs = 10;
    timings.fallbackSettleMs = 0;
    return timings;
}

std::string ExpectedMarkLogin(const char* mark, const char* range)
{
    const CString digest = Md5Hex(Md5Hex(kPassword) + mark + range);
    return std::string("login@mark:") + (LPCSTR)digest + "#name:80001#loginrange:" + range + "#@";
}

std::string ExpectedFallbackLogin(const char* serverName)
{
    const CString digest = Md5Hex(CString(kUser) + Md5Hex(kPassword));
    return std::string("login@uName:80001#uPwd:") + (LPCSTR)digest + "#uContract:" + serverName + "#uRange:KEY1#@";
}

std::string ReadRequest(const std::shared_ptr<FakeConnection>& connection)
{
    std::string request;
    if (connection == nullptr || !connection->ReadUntil("#@", request))
        return "(nothing)";
    return request;
}

bool LoggedIn(CNetwork& network)
{
    return PumpUntil([&] {
        return network.GetLoginState() == CNetwork::kLoginAccepted && !network.IsLoginThreadRunning() &&
               network.GetClientState() == ClientState::Started;
    });
}

std::vector<std::string> TakeTexts(CNetwork& network)
{
    std::vector<NetMessage> messages;
    network.TakeMessages(messages);
    std::vector<std::string> texts;
    for (const NetMessage& message : messages)
        texts.push_back((LPCSTR)message.strText);
    return texts;
}

class NetworkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CSessionData& session = GetSessionData();
        session.m_strUserName = kUser;
        session.m_strLoginRange = "KEY1";
        session.SetPassword(kPassword);
        SetLoginServerAddress(FakeTcpServer::Host(), m_loginServer.Port());
    }

    // A connection to the trading server with the given mark, logged in.
    void LogIn(CNetwork& network, std::shared_ptr<FakeConnection>& connection)
    {
        network.SetLoginTimings(FastTimings());
        network.SetMark("MARK1");
        network.Connect();
        connection = m_tradeServer.WaitForConnection();
        ASSERT_EQ(ExpectedMarkLogin("MARK1", "R9"), ReadRequest(connection));
        ASSERT_TRUE(connection->Send(kAccepted));
        ASSERT_TRUE(LoggedIn(network));
    }

    FakeTcpServer m_tradeServer;
    FakeTcpServer m_loginServer;
};

} // namespace

TEST_F(NetworkTest, LogsInWithItsMarkAndQueuesEveryMessageStamped)
{
    CNetwork network(MakeServer(m_tradeServer.Port()));
    std::shared_ptr<FakeConnection> connection;
    LogIn(network, connection);
    EXPECT_TRUE(network.IsActive());
    EXPECT_EQ(CString(kAccepted), network.GetLoginReply());

    // A record cut inside its text, a frame cut inside its header, and two texts in one read.
    // The login reply is the first message.
    ASSERT_TRUE(connection->Send("OrderInfo@cid:1#st:Sub"));
    ASSERT_TRUE(connection->Send("mitted#@^"));
    ASSERT_TRUE(PumpUntil([&] { return network.GetQueuedCount() == 2; }));
    ASSERT_TRUE(connection->Send("^19~~SummaryResult@1#2#@a@1#@b@2#@"));
    ASSERT_TRUE(PumpUntil([&] { return network.GetQueuedCount() == 5; }));

    std::vector<NetMessage> messages;
    network.TakeMessages(messages);
    ASSERT_EQ(5u, messages.size());
    const char* const expected[] = {kAccepted, "OrderInfo@cid:1#st:Submitted#@", "SummaryResult@1#2#@", "a@1#@", "b@2#@"};
    for (size_t i = 0; i < messages.size(); ++i)
    {
        EXPECT_EQ(CString(expected[i]), messages[i].strText) << i;
        // "20yymmdd HH:MM:SS"
        const CString& time = messages[i].strTime;
        ASSERT_EQ(17, time.GetLength()) << (LPCSTR)time;
        EXPECT_EQ("20", time.Left(2));
        EXPECT_EQ(' ', time[8]);
        EXPECT_EQ(':', time[11]);
        EXPECT_EQ(':', time[14]);
    }
    EXPECT_EQ(0u, network.GetQueuedCount());

    // Connecting an active connection changes nothing.
    const DWORD connectionId = network.GetClient()->GetConnectionId();
    network.Connect();
    EXPECT_FALSE(network.IsLoginThreadRunning());
    EXPECT_EQ(connectionId, network.GetClient()->GetConnectionId());
    EXPECT_EQ(1u, m_tradeServer.ConnectionCount());

    network.Disconnect();
    EXPECT_FALSE(network.IsActive());
    EXPECT_EQ(ClientState::Stopped, network.GetClientState());
    EXPECT_TRUE(connection->WaitForPeerClose());
}

TEST_F(NetworkTest, LogsInAgainAfterACloseOrAReset)
{
    CNetwork network(MakeServer(m_tradeServer.Port()));
    std::shared_ptr<FakeConnection> connection;
    LogIn(network, connection);

    for (int round = 0; round < 2; ++round)
    {
        if (round == 0)
            connection->Close();
        else
            connection->Reset();
        connection = m_tradeServer.WaitForConnection();
        ASSERT_EQ(ExpectedMarkLogin("MARK1", "R9"), ReadRequest(connection)) << round;
        ASSERT_TRUE(connection->Send(kAccepted));
        ASSERT_TRUE(LoggedIn(network)) << round;
    }
    network.Disconnect();
    // Nothing logs in after Disconnect, even though the client raised OnClose.
    EXPECT_FALSE(network.IsLoginThreadRunning());
    EXPECT_EQ(3u, m_tradeServer.ConnectionCount());
}

TEST_F(NetworkTest, RefusedOrUnansweredMarkLoginFallsBackToTheLoginServer)
{
    for (int variant = 0; variant < 2; ++variant)
    {
        SCOPED_TRACE(variant == 0 ? "refused" : "unanswered");
        FakeTcpServer tradeServer;
        FakeTcpServer loginServer;
        SetLoginServerAddress(FakeTcpServer::Host(), loginServer.Port());
        CNetwork network(MakeServer(tradeServer.Port()));
        CNetwork::LoginTimings timings = FastTimings();
        timings.answerWaitMs = variant == 0 ? 60000 : 300;
        network.SetLoginTimings(timings);
        network.SetMark("MARK1");
        network.Connect();

        auto own = tradeServer.WaitForConnection();
        ASSERT_EQ(ExpectedMarkLogin("MARK1", "R9"), ReadRequest(own));
        if (variant == 0)
        {
            ASSERT_TRUE(own->Send(kRefused));
        }
        auto login = loginServer.WaitForConnection();
        ASSERT_EQ(ExpectedFallbackLogin("TRADE"), ReadRequest(login));
        EXPECT_TRUE(own->WaitForPeerClose());

        // The reply names the server this connection now stands for; it stays on the login
        // server until that connection is lost.
        CString reply;
        reply.Format("loginresult@status:1#name:80001#mark:MARK2#code:7#trademark:1#loginrange:LR2#nikename:x"
                     "#markserver:TRADE|t|TRD|127.0.0.1|%u|1|3|SIM|0|R10|x|y&QUERY|q|TRD|127.0.0.1|1|1|4|SIM|0|Q|x|y&#@",
                     tradeServer.Port());
        ASSERT_TRUE(login->Send((LPCSTR)reply));
        ASSERT_TRUE(LoggedIn(network));
        EXPECT_EQ(CString("MARK2"), network.GetMark());
        EXPECT_EQ(CString("LR2"), network.GetLoginRange());
        EXPECT_EQ(CString("R10"), network.GetServer().GetField(ServerRecord::kLoginRange));

        login->Close();
        auto again = tradeServer.WaitForConnection();
        ASSERT_EQ(ExpectedMarkLogin("MARK2", "R10"), ReadRequest(again));
        ASSERT_TRUE(again->Send(kAccepted));
        ASSERT_TRUE(LoggedIn(network));
        network.Disconnect();
    }
}

TEST_F(NetworkTest, UnusablePortGoesStraightToTheLoginServer)
{
    // 70000 must not be taken for 70000 - 65536: nothing is tried on the server's own address.
    ServerRecord server = MakeServer(m_tradeServer.Port());
    server.m_strFields[ServerRecord::kPort] = "70000";
    CNetwork network(server);
    network.SetLoginTimings(FastTimings());
    network.SetMark("MARK1");
    network.Connect();
    auto login = m_loginServer.WaitForConnection();
    ASSERT_EQ(ExpectedFallbackLogin("TRADE"), ReadRequest(login));
    network.Disconnect();
}

TEST_F(NetworkTest, DisconnectEndsTheLoginThreadInAnyWait)
{
    struct Case
    {
        const char* name;
        bool ownServerListens;
        bool refuse;  // the mark login, so the thread goes on to the fall-back
    };
    const Case cases[] = {
        {"pause before a retry", false, false},
        {"waiting for the answer", true, false},
        {"settling on the login server", true, true},
    };
    for (const Case& c : cases)
    {
        FakeTcpServer own;
        const unsigned short ownPort = own.Port();
        if (!c.ownServerListens)
            own.StopAccepting();
        CNetwork network(MakeServer(ownPort));
        CNetwork::LoginTimings timings = FastTimings();
        timings.retryPauseMs = timings.answerWaitMs = timings.fallbackSettleMs = 600000;
        network.SetLoginTimings(timings);
        network.Connect();
        if (c.ownServerListens)
        {
            auto connection = own.WaitForConnection();
            ASSERT_NE(ReadRequest(connection), "(nothing)") << c.name;
            if (c.refuse)
            {
                ASSERT_TRUE(connection->Send(kRefused));
                ASSERT_NE(nullptr, m_loginServer.WaitForConnection()) << c.name;
            }
        }
        else
        {
            // The first attempt failed at once; the thread sleeps before the next.
            ASSERT_TRUE(PumpUntil([&] {
                return network.GetClient()->GetConnectionId() != 0 && network.GetClientState() == ClientState::Stopped;
            }));
        }
        ASSERT_TRUE(network.IsLoginThreadRunning()) << c.name;
        const ULONGLONG before = ::GetTickCount64();
        EXPECT_TRUE(network.Disconnect());
        EXPECT_LT(::GetTickCount64() - before, 30000u) << c.name;
        EXPECT_FALSE(network.IsLoginThreadRunning()) << c.name;
        EXPECT_EQ(ClientState::Stopped, network.GetClientState()) << c.name;
    }
}

TEST_F(NetworkTest, DisconnectedConnectionConnectsAgain)
{
    // Disconnect without a Connect only stops the (idle) client.
    CNetwork idle(MakeServer(m_tradeServer.Port()));
    EXPECT_TRUE(idle.Disconnect());
    EXPECT_FALSE(idle.IsLoginThreadRunning());
    EXPECT_EQ(0u, m_tradeServer.ConnectionCount());

    CNetwork network(MakeServer(m_tradeServer.Port()));
    std::shared_ptr<FakeConnection> connection;
    LogIn(network, connection);
    network.Disconnect();
    EXPECT_TRUE(connection->WaitForPeerClose());
    network.Connect();
    connection = m_tradeServer.WaitForConnection();
    ASSERT_EQ(ExpectedMarkLogin("MARK1", "R9"), ReadRequest(connection));
    ASSERT_TRUE(connection->Send("^^" + std::to_string(strlen(kAccepted)) + "~~" + kAccepted));
    ASSERT_TRUE(LoggedIn(network));
    EXPECT_EQ((std::vector<std::string>{kAccepted, kAccepted}), TakeTexts(network));
}

TEST(NetworkLoginTexts, FallbackLoginNamesTheServerAndTheRangeWhenThereIsOne)
{
    const CString digest = Md5Hex(CString("u1") + Md5Hex("pw"));
    EXPECT_EQ("login@uName:u1#uPwd:" + digest + "#uContract:QUERY#uRange:K#@",
              CNetwork::BuildFallbackLogin("u1", "pw", "QUERY", "K"));
    EXPECT_EQ("login@uName:u1#uPwd:" + digest + "#uContract:QUERY#@", CNetwork::BuildFallbackLogin("u1", "pw", "QUERY", ""));
    EXPECT_EQ(32, Md5Hex("pw").GetLength());
    EXPECT_EQ(CString("20240614 09:05:07"), CNetwork::FormatArrivalTime(CTime(2024, 6, 14, 9, 5, 7)));
}

TEST(NetworkLoginTexts, ParseLoginReplyTakesTheFirstListedServer)
{
    struct Case
    {
        const char* reply;
        bool parsed;
    };
    const Case refusals[] = {
        {"no at sign", false},
        {"loginresult@status:1#name:a#mark:m#code:c#markserver:A|b|c|h|1|1|3|s|0|r&#@", false},  // 6 fields
        {"loginresult@status:1#name:a#mark:m#code:c#trademark:1#loginrange:L#markserver:A|b|c|h|1|1|3|s|0&#@", false},
        // A port that would wrap to 4464.
        {"loginresult@status:1#name:a#mark:m#code:c#trademark:1#loginrange:L#markserver:A|b|c|h|70000|1|3|s|0|r&#@", false},
    };
    for (const Case& c : refusals)
    {
        CNetwork network(MakeServer(1));
        network.SetMark("OLD");
        EXPECT_EQ(c.parsed, network.ParseLoginReply(c.reply)) << c.reply;
        EXPECT_EQ(CString("OLD"), network.GetMark()) << c.reply;
        EXPECT_EQ(CString("127.0.0.1"), network.GetServer().GetHost()) << c.reply;
    }

    CNetwork network(MakeServer(1, "CL", "1"));
    ASSERT_TRUE(network.ParseLoginReply(
        "loginresult@status:1#name:a#mark:M2#code:c#trademark:1#loginrange:L2#nikename:n"
        "#markserver:X|x|F2|10.0.0.9|5174|F5|1|F7|F8|CL|o|c&Y|y|G2|10.0.0.8|9|G5|3|G7|G8|G9#@"));
    const ServerRecord server = network.GetServer();
    EXPECT_EQ(CString("CL"), server.GetName());  // the name stays
    EXPECT_EQ(CString("交易服务器"), server.GetField(1));
    const char* const fields[] = {"F2", "10.0.0.9", "5174", "F5", "1", "F7", "F8", "CL", "06:00", "24:00"};
    for (int i = 2; i < 12; ++i)
        EXPECT_EQ(CString(fields[i - 2]), server.GetField(i)) << i;
    EXPECT_EQ(CString("M2"), network.GetMark());
    EXPECT_EQ(CString("L2"), network.GetLoginRange());

    // Entries as the servers send them end with the login range, so the next entry follows
    // right after the "&": only the first entry's ten fields are read.
    CNetwork trade(MakeServer(1));
    ASSERT_TRUE(trade.ParseLoginReply("loginresult@status:1#name:a#mark:M3#code:c#trademark:1#loginrange:L3#nikename:n"
                                      "#markserver:TRADE|t|TRD|10.0.0.7|5170|1|3|SIM|0|TRD&FEC|q|FEC|10.0.0.7|5174|1|1|SIM|0|FEC&#@"));
    const ServerRecord tradeServer = trade.GetServer();
    EXPECT_EQ(CString("TRD"), tradeServer.GetField(ServerRecord::kLoginRange));
    EXPECT_EQ(CString("5170"), tradeServer.GetPort());
    EXPECT_EQ(CString("3"), tradeServer.GetField(ServerRecord::kType));
    EXPECT_EQ(CString(""), tradeServer.GetField(10));
    EXPECT_EQ(CString(""), tradeServer.GetField(11));
}
