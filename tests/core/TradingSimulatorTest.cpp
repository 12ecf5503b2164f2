// The trading connection end to end against the broker simulator (tools/sim): first login,
// one session per server, receivers delivering to a recording main window, the initial query
// sequence of a query login, orders, quotes, depth, a lost connection and a displaced login.
#include <gtest/gtest.h>

#include <winsock2.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "ConnectionRegistry.h"
#include "ConnectionStates.h"
#include "LoginProcess.h"
#include "MarketDataMessages.h"
#include "Network.h"
#include "QuoteReceiver.h"
#include "RandomId.h"
#include "ReceiverSet.h"
#include "ReplyMessages.h"
#include "ReplyTestSupport.h"
#include "SessionData.h"
#include "testsupport/Pump.h"
#include "testsupport/SimulatorSuite.h"

using replytest::RecordingHost;
using tolvan::test::PumpUntil;
using tolvan::test::WhilePumping;
using tolvan::test::SimulatorSuite;

namespace {

bool Holds(const std::vector<std::string>& payloads, const std::string& part)
{
    for (const std::string& payload : payloads)
        if (payload.find(part) != std::string::npos)
            return true;
    return false;
}

class TradingSimulatorTest : public SimulatorSuite
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ResetSimulator("login"));
        ASSERT_EQ("OK", s_sim->Control("clear requests"));
        ResetConnectionStates();
        // Every quote batch as "code=last/halted ticks;" of its updates.
        host.Window().CopyPayload(WM_QUOTE_BATCH, [](WPARAM w, LPARAM) {
            std::string text;
            for (const QuoteUpdate& update : *reinterpret_cast<const QuoteBatch*>(w))
                text += replytest::Text(update.rowLatest.strCode) + "=" + replytest::Text(update.rowLatest.strLastPrice) +
                        "/" + std::to_string(update.rowLatest.nHalted) + " " + std::to_string(update.vecTicks.size()) +
                        ";";
            return text;
        });
    }
    void TearDown() override
    {
        if (receivers)
            WhilePumping([&] { receivers->StopAll(5000); });
        receivers.reset();
        registry.reset();
        ResetConnectionStates();
        SimulatorSuite::TearDown();
    }

    // The first login, the sessions and the receivers of one user.
    void LogIn(const char* user, const char* password)
    {
        CLoginProcess login;
        login.SetServer("127.0.0.1", (USHORT)s_sim->Port("login"), "");
        login.SetUser(user, password);
        login.SetSendDelay(0);
        ASSERT_EQ(CLoginProcess::kSendOk, login.SendLogin());
        ASSERT_TRUE(PumpUntil([&] { return login.GetResult() == CLoginProcess::kResultAccepted || login.GetResult() < 0; }));
        ASSERT_EQ(CLoginProcess::kResultAccepted, login.GetResult());
        login.GetClient().Stop();

        registry.reset(new CConnectionRegistry);
        registry->CreateSessions(false, GetSessionData());
        receivers.reset(new CReceiverSet(host, *registry));
        receivers->StartAll(GetSessionData(), false, CQuoteReceiver::Create);
        receivers->ReleaseAll();
    }

    bool WaitForState(int kind, int state, size_t occurrences = 1)
    {
        return PumpUntil([&] {
            size_t found = 0;
            for (const auto& reported : host.ConnectionStates())
                if (reported.first == kind && reported.second == state)
                    ++found;
            return found >= occurrences;
        });
    }

    // Waits until the simulator logged every text of `requests`, in this order, on `kind`.
    bool WaitForRequests(const char* kind, const std::vector<std::string>& requests)
    {
        return PumpUntil([&] {
            const std::string log = s_sim->Control(std::string("requests ") + kind);
            size_t from = 0;
            for (const std::string& request : requests)
            {
                from = log.find("\"" + request + "\"", from);
                if (from == std::string::npos)
                    return false;
                ++from;
            }
            return true;
        });
    }

    bool WaitForPayload(UINT message, const std::string& part)
    {
        return PumpUntil([&] { return Holds(host.Payloads(message), part); });
    }


    RecordingHost host;
    std::unique_ptr<CConnectionRegistry> registry;
    std::unique_ptr<CReceiverSet> receivers;
};

TEST_F(TradingSimulatorTest, TraderLogsInLoadsTheAccountTradesAndLosesItsConnections)
{
    LogIn("80001", "a123456");
    ASSERT_TRUE(WaitForState(CONNECTION_KIND_ORDER, CONNECTION_LOGGED_IN));
    ASSERT_TRUE(WaitForState(CONNECTION_KIND_QUERY, CONNECTION_LOGGED_IN));
    EXPECT_EQ(1u, receivers->GetTradeReceivers().size());
    EXPECT_EQ(1u, receivers->GetQueryReceivers().size());
    EXPECT_EQ(4u, receivers->GetQuoteReceivers().size());

    // The initial load of the query login: funds, positions, then today's orders.
    ASSERT_TRUE(WaitForRequests("query", {"querysummary@", "queryposition@", "querystateorders@6#"}));
    ASSERT_TRUE(host.Window().WaitFor(WM_REPLY_ORDER_LIST));
    EXPECT_TRUE(Holds(host.Payloads(WM_FUNDS_UPDATE), "|-1|USD"));
    EXPECT_TRUE(Holds(host.Payloads(WM_REPLY_POSITIONS), "XAUUSD|伦敦金|"));
    EXPECT_EQ("(null)", host.Payloads(WM_REPLY_POSITIONS).back());
    EXPECT_EQ(1u, host.Window().Count(WM_RESET_ORDER_TABLES));
    const std::vector<int> pending = host.PendingKinds();
    ASSERT_GE(pending.size(), 2u);
    EXPECT_EQ((std::vector<int>{0, 8}), std::vector<int>(pending.begin(), pending.begin() + 2));

    // Quotes: the contract lists, then batches of rows that move with the market.
    ASSERT_TRUE(host.Window().WaitFor(WM_QUOTE_CONNECTION_DATA, 4));
    ASSERT_TRUE(WaitForPayload(WM_QUOTE_BATCH, "XAUUSD=2"));
    const size_t batchesBefore = host.Window().Count(WM_QUOTE_BATCH);
    ASSERT_EQ(0u, s_sim->Control("tick XAUUSD").find("OK"));
    ASSERT_TRUE(PumpUntil([&] {
        const std::vector<std::string> batches = host.Payloads(WM_QUOTE_BATCH);
        return Holds(std::vector<std::string>(batches.begin() + batchesBefore, batches.end()), "XAUUSD=");
    }));

    // An order: its reports through the order slot, then the pushed position and funds.
    OrderRequest order;
    order.code = "XAUUSD";
    order.quantity = "100";
    order.side = "B";
    order.orderType = "M";
    order.clientRef = MakeRandomId();
    ASSERT_EQ(0, registry->GetOrderSession()->SendNewOrder(order));
    ASSERT_TRUE(WaitForPayload(WM_REPLY_NEW_ORDER, "|Filled|MKT|BUY|20240614 10:30:00|XAUUSD|100|"));
    EXPECT_TRUE(Holds(host.Payloads(WM_REPLY_NEW_ORDER), "|Submitted|"));
    ASSERT_TRUE(WaitForPayload(WM_POSITION_RECORD, "XAUUSD|伦敦金|"));
    ASSERT_TRUE(host.Window().WaitFor(WM_FUNDS_RECORD));

    // Depth on demand: the depth connection of one instrument.
    registry->GetDepthSession("XAUUSD")->GetConnection()->Connect();
    ASSERT_TRUE(WaitForPayload(WM_DEPTH_UPDATE, "XAUUSD#"));
    EXPECT_FALSE(Holds(host.Payloads(WM_DEPTH_UPDATE), "买一=/"));

    // A dropped trading connection is reported once and comes back by itself.
    ASSERT_EQ("OK 1", s_sim->Control("drop trade"));
    ASSERT_TRUE(WaitForState(CONNECTION_KIND_ORDER, CONNECTION_LOST));
    ASSERT_TRUE(WaitForState(CONNECTION_KIND_ORDER, CONNECTION_LOGGED_IN, 2))
        << s_sim->Control("sessions") << "\n" << s_sim->Control("requests login") << "\n"
        << s_sim->Control("requests trade");

    // A login elsewhere displaces the order and query connections; no loss follows.
    ASSERT_EQ("OK 1", s_sim->Control("samelogin query"));
    ASSERT_TRUE(WaitForState(CONNECTION_KIND_ORDER, CONNECTION_DISPLACED));
    ASSERT_TRUE(WaitForState(CONNECTION_KIND_QUERY, CONNECTION_DISPLACED));
    ASSERT_TRUE(PumpUntil([&] { return s_sim->Control("sessions").find("\"trade\"") == std::string::npos; }));
    const CReplyReceiver* orderReceiver = receivers->GetTradeReceivers()[0];
    const LONG cycles = orderReceiver->GetCycleCount();
    ASSERT_TRUE(PumpUntil([&] { return orderReceiver->GetCycleCount() > cycles + 5; }));
    size_t losses = 0;
    for (const auto& state : host.ConnectionStates())
        losses += state.second == CONNECTION_LOST ? 1 : 0;
    EXPECT_EQ(1u, losses);
    EXPECT_EQ(CONNECTION_DISPLACED, TradeConnectionState);
}

TEST_F(TradingSimulatorTest, ProxyUserFollowsClientOrdersAndClientList)
{
    LogIn("90001", "admin888");
    ASSERT_TRUE(WaitForState(CONNECTION_KIND_ORDER, CONNECTION_LOGGED_IN));
    ASSERT_TRUE(WaitForState(CONNECTION_KIND_OWN_TRADE, CONNECTION_LOGGED_IN));
    ASSERT_TRUE(PumpUntil([] { return ProxyQueryConnectionState == CONNECTION_LOGGED_IN; }));
    EXPECT_EQ(registry->GetProxyTradeSession(), registry->GetOrderSession());

    ASSERT_EQ(0u, s_sim->Control("order 80002 CL B 1").find("OK"));
    ASSERT_TRUE(WaitForPayload(WM_PROXY_ORDER_EVENT, "80002|"));
    EXPECT_TRUE(Holds(host.Payloads(WM_PROXY_ORDER_EVENT), "|CL|1|"));

    ASSERT_EQ(1, registry->GetProxyQuerySession()->SendRaw("queryallclient@", 15));
    ASSERT_TRUE(WaitForPayload(WM_PROXY_ORDER_UPDATE, "[80002#李娜]"));
}

}  // namespace
