// The first login and the server connections against the broker simulator (tools/sim), end
// to end: real digests, replies cut in two, both framings, dropped connections and the
// fall-back login through the login server.
#include <gtest/gtest.h>

#include "LoginProcess.h"
#include "Network.h"
#include "SessionData.h"
#include "testsupport/Pump.h"
#include "testsupport/SimulatorSuite.h"

#include <memory>
#include <string>

using tolvan::test::PumpUntil;
using tolvan::test::SimulatorSuite;

namespace {

class SimulatorLoginTest : public SimulatorSuite
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ResetSimulator("login"));
        m_process.SetSendDelay(0);
        m_process.SetServer("127.0.0.1", (USHORT)s_sim->Port("login"), "");
    }

    int LogIn(const char* user, const char* password)
    {
        m_process.SetUser(user, password);
        if (m_process.SendLogin() != CLoginProcess::kSendOk)
            return 100;
        PumpUntil([&] {
            const int result = m_process.GetResult();
            return result == CLoginProcess::kResultAccepted || result < 0;
        });
        const int result = m_process.GetResult();
        // As the user-login thread does: a failed attempt leaves no connection behind.
        if (result != CLoginProcess::kResultAccepted)
            m_process.GetClient().Stop();
        return result;
    }

    // A connection to a server of the session's lists, set up as its session would.
    std::unique_ptr<CNetwork> Open(const char* type, const char* name)
    {
        CSessionData& session = GetSessionData();
        ServerRecord* record = session.FindServer(type, name);
        if (record == NULL)
            return nullptr;
        std::unique_ptr<CNetwork> network(new CNetwork(*record));
        network->SetMark(session.m_strMark);
        network->SetLoginRange(session.m_strReplyLoginRange);
        CNetwork::LoginTimings timings;
        timings.retryPauseMs = 100;
        timings.fallbackSettleMs = 100;
        network->SetLoginTimings(timings);
        network->Connect();
        return network;
    }

    // Waits for a message holding `text`, collecting what came before it.
    static bool WaitForMessage(CNetwork& network, const char* text, CString* found = NULL)
    {
        return PumpUntil([&] {
            std::vector<NetMessage> messages;
            network.TakeMessages(messages);
            for (const NetMessage& message : messages)
                if (message.strText.Find(text) >= 0)
                {
                    if (found != NULL)
                        *found = message.strText;
                    return true;
                }
            return false;
        });
    }

    static bool Send(CNetwork& network, const char* request)
    {
        return network.SendText(request);
    }

    CLoginProcess m_process;
};

} // namespace

TEST_F(SimulatorLoginTest, WrongPasswordIsRefused)
{
    EXPECT_EQ(CLoginProcess::kResultRefused, LogIn("80001", "wrong"));
    EXPECT_EQ(CLoginProcess::kResultAccepted, LogIn("80002", "b123456"));
}

TEST_F(SimulatorLoginTest, SplitLoginReplyIsAcceptedAndFillsTheServerLists)
{
    ASSERT_EQ("OK", s_sim->Control("split login on"));
    ASSERT_EQ(CLoginProcess::kResultAccepted, LogIn("80001", "a123456"));
    CSessionData& session = GetSessionData();
    EXPECT_EQ(CString("张伟"), session.m_strNickName);
    ServerRecord* trade = session.FindServer("3", "TRADE");
    ASSERT_NE(nullptr, trade);
    EXPECT_EQ(s_sim->Port("trade"), atoi(trade->GetPort()));
    ASSERT_NE(nullptr, session.FindServer("4", "QUERY"));
    EXPECT_NE(nullptr, session.FindServer("1", "FEC"));
    EXPECT_FALSE(session.GetServers(2).empty());
}

TEST_F(SimulatorLoginTest, TradeConnectionLogsInAgainAfterDropsAndThroughTheFallBack)
{
    ASSERT_EQ(CLoginProcess::kResultAccepted, LogIn("80001", "a123456"));
    std::unique_ptr<CNetwork> trade = Open("3", "TRADE");
    ASSERT_NE(nullptr, trade);
    ASSERT_TRUE(WaitForMessage(*trade, "loginresult@status:1"));
    ASSERT_TRUE(Send(*trade, "querysummary@"));
    ASSERT_TRUE(WaitForMessage(*trade, "SummaryResult@"));

    // Every record cut in two still arrives whole.
    ASSERT_EQ("OK", s_sim->Control("split trade on"));
    CString position;
    ASSERT_TRUE(Send(*trade, "queryposition@"));
    ASSERT_TRUE(WaitForMessage(*trade, "PositionResult@", &position));
    EXPECT_EQ(0, position.Find("PositionResult@"));
    EXPECT_EQ(position.GetLength() - 2, position.Find("#@"));
    EXPECT_GE(position.Find("XAUUSD"), 0);
    ASSERT_EQ("OK", s_sim->Control("split trade off"));

    // A reset connection logs in again by itself.
    ASSERT_EQ("OK 1", s_sim->Control("drop trade reset"));
    ASSERT_TRUE(WaitForMessage(*trade, "loginresult@status:1"));
    ASSERT_TRUE(PumpUntil([&] { return trade->GetClientState() == ClientState::Started; }));
    ASSERT_TRUE(Send(*trade, "querysummary@"));
    ASSERT_TRUE(WaitForMessage(*trade, "SummaryResult@"));

    // The trading server refuses: the connection logs in through the login server, which
    // then serves it as the trading server.
    ASSERT_EQ("OK", s_sim->Control("refuse trade on"));
    ASSERT_EQ("OK 1", s_sim->Control("drop trade"));
    ASSERT_TRUE(WaitForMessage(*trade, "#markserver:"));
    ASSERT_TRUE(PumpUntil([&] { return !trade->IsLoginThreadRunning(); }));
    EXPECT_EQ(CString("TRADE"), trade->GetServer().GetName());
    EXPECT_EQ(GetSessionData().m_strMark, trade->GetMark());
    EXPECT_NE(std::string::npos, s_sim->Control("requests login 1").find("uContract:TRADE"));
    ASSERT_TRUE(Send(*trade, "querysummary@"));
    ASSERT_TRUE(WaitForMessage(*trade, "SummaryResult@"));
    ASSERT_EQ("OK", s_sim->Control("refuse trade off"));

    // The next login goes to the trading server that the reply named, with that server's
    // login range (its entry's tenth field, whatever entry follows it).
    ASSERT_EQ("OK", s_sim->Control("clear requests"));
    ASSERT_EQ("OK 1", s_sim->Control("drop trade"));
    ASSERT_TRUE(PumpUntil([&] { return s_sim->Control("requests trade").find("login@mark:") != std::string::npos; }));
    ASSERT_TRUE(WaitForMessage(*trade, "loginresult@status:1"));
    EXPECT_NE(std::string::npos, s_sim->Control("requests trade").find("#loginrange:TRD#@"));
    EXPECT_EQ("OK []", s_sim->Control("requests login"));

    trade->Disconnect();
    EXPECT_EQ(ClientState::Stopped, trade->GetClientState());
}

TEST_F(SimulatorLoginTest, QuoteConnectionTakesLengthPrefixedFramesAndDropsGarbage)
{
    ASSERT_EQ(CLoginProcess::kResultAccepted, LogIn("80001", "a123456"));
    std::unique_ptr<CNetwork> quotes = Open("1", "FEC");
    ASSERT_NE(nullptr, quotes);
    CString contracts;
    ASSERT_TRUE(WaitForMessage(*quotes, "contractlist@", &contracts));
    EXPECT_GE(contracts.Find("XAUUSD"), 0);

    ASSERT_EQ("OK 1", s_sim->Control("garbage quote"));
    ASSERT_EQ("OK", s_sim->Control("split quote on"));
    ASSERT_EQ(0u, s_sim->Control("tick XAUUSD").find("OK"));
    CString tick;
    ASSERT_TRUE(WaitForMessage(*quotes, "[XAUUSD][lP=", &tick));
    EXPECT_EQ(0, tick.Find("[XAUUSD]"));
    // The tick found may be the snapshot sent with the login, ahead of the garbage: the
    // garbage is counted once the frame behind it has been read.
    EXPECT_TRUE(PumpUntil([&] { return quotes->GetDroppedBytes() > 0u; }));
    quotes->Disconnect();
}
