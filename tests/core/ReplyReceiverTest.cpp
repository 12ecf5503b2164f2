// Reply receivers on real connections to fake servers: connection states (1 on login, -1
// once per loss, 2 when displaced), arrival order, pausing, the initial load of a query
// login, the depth receiver's cycle, one receiver per session and the shutdown wait.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "ConnectionRegistry.h"
#include "ConnectionStates.h"
#include "DepthReceiver.h"
#include "InitialQuery.h"
#include "Network.h"
#include "ReceiverSet.h"
#include "ReplyMessages.h"
#include "ReplyTestSupport.h"
#include "SessionData.h"
#include "TradeReplyReceiver.h"
#include "testsupport/FakeTcpServer.h"
#include "testsupport/Pump.h"

using replytest::MakeServer;
using replytest::RecordingHost;
using tolvan::test::FakeConnection;
using tolvan::test::FakeTcpServer;
using tolvan::test::PumpUntil;
using tolvan::test::WhilePumping;

namespace {

typedef std::vector<std::pair<int, int>> StateList;

const char kLoginAccepted[] = "loginresult@status:1#name:80001#@";

class ReceiverTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetConnectionStates();
        GetSessionData().m_strUserName = "80001";
        GetSessionData().SetPassword("a123456");
    }
    void TearDown() override
    {
        StopReceivers();
        ResetConnectionStates();
    }

    // A registered session of the fake server, connecting with short pauses between logins.
    CServerSession* AddSession(FakeTcpServer& server, const char* name, int type)
    {
        CServerSession* session = new CServerSession;
        session->Open(MakeServer(name, type, "127.0.0.1", server.Port()), false, data);
        CNetwork::LoginTimings timings;
        timings.retryPauseMs = 200;
        session->GetConnection()->SetLoginTimings(timings);
        registry.Register(session);
        session->GetConnection()->Connect();
        return session;
    }

    template <class Receiver>
    Receiver* AddReceiver(Receiver* receiver)
    {
        receiver->SetCycleMs(20);
        receivers.emplace_back(receiver);
        receiver->Start();
        return receiver;
    }

    CTradeReplyReceiver* AddTradeReceiver(CServerSession* session, ConnectionKind kind)
    {
        auto* receiver = new CTradeReplyReceiver(host, registry, session->GetConnection(), kind);
        receiver->GetParser().GetInitialQuery().SetStepMs(10);
        return AddReceiver(receiver);
    }

    // The next connection of the server, logged in.
    std::shared_ptr<FakeConnection> AcceptLogin(FakeTcpServer& server)
    {
        std::shared_ptr<FakeConnection> connection = server.WaitForConnection();
        if (connection != nullptr && connection->WaitForText("#@"))
            connection->Send(kLoginAccepted);
        return connection;
    }

    // Pumps until every receiver has gone through `cycles` more cycles.
    bool LetCyclesPass(int cycles)
    {
        std::vector<LONG> start;
        for (auto& receiver : receivers)
            start.push_back(receiver->GetCycleCount());
        return PumpUntil([&] {
            for (size_t i = 0; i < receivers.size(); ++i)
                if (receivers[i]->GetCycleCount() < start[i] + cycles)
                    return false;
            return true;
        });
    }

    void StopReceivers()
    {
        WhilePumping([&] {
            for (auto& receiver : receivers)
                receiver->Stop(5000);
        });
        receivers.clear();
    }

    StateList States() { return host.ConnectionStates(); }

    FakeTcpServer tradeServer;
    FakeTcpServer queryServer;
    CSessionData data;
    RecordingHost host;
    CConnectionRegistry registry;
    std::vector<std::unique_ptr<CReplyReceiver>> receivers;
};

TEST_F(ReceiverTest, OrderConnectionLoginMessagesInOrderAndOneLossReport)
{
    CServerSession* trade = AddSession(tradeServer, "TRADE", 3);
    AddTradeReceiver(trade, CONNECTION_KIND_ORDER);
    std::shared_ptr<FakeConnection> connection = AcceptLogin(tradeServer);
    ASSERT_TRUE(host.Window().WaitFor(WM_CONNECTION_STATE, 1));
    EXPECT_EQ((StateList{{3, 1}}), States());
    EXPECT_EQ(1, TradeConnectionState);

    // Two reports in one read: two messages, parsed in arrival order in one cycle.
    connection->Send("OrderInfo@cid:1#oid:501#st:Submitted#@OrderInfo@cid:1#oid:501#st:Filled#@");
    ASSERT_TRUE(host.Window().WaitFor(WM_REPLY_NEW_ORDER, 2));
    EXPECT_EQ("1|||501||Submitted||||||", host.Payloads(WM_REPLY_NEW_ORDER)[0]);
    EXPECT_EQ("1|||501||Filled||||||", host.Payloads(WM_REPLY_NEW_ORDER)[1]);

    connection->Close();
    ASSERT_TRUE(host.Window().WaitFor(WM_CONNECTION_STATE, 2));
    EXPECT_EQ(-1, TradeConnectionState);
    // The connection logs in again by itself; until it is accepted the loss is not repeated.
    std::shared_ptr<FakeConnection> again = tradeServer.WaitForConnection();
    ASSERT_NE(nullptr, again);
    ASSERT_TRUE(LetCyclesPass(5));
    EXPECT_EQ((StateList{{3, 1}, {3, -1}}), States());

    ASSERT_TRUE(again->WaitForText("#@"));
    again->Send(kLoginAccepted);
    ASSERT_TRUE(host.Window().WaitFor(WM_CONNECTION_STATE, 3));
    EXPECT_EQ((StateList{{3, 1}, {3, -1}, {3, 1}}), States());
}

TEST_F(ReceiverTest, ASessionReplacedWhileItsReceiverWorksStaysAliveForIt)
{
    CServerSession* first = AddSession(tradeServer, "TRADE", 3);
    CNetwork* firstConnection = first->GetConnection();
    AddTradeReceiver(first, CONNECTION_KIND_ORDER)->SetCycleMs(1);
    std::shared_ptr<FakeConnection> connection = AcceptLogin(tradeServer);
    ASSERT_TRUE(host.Window().WaitFor(WM_CONNECTION_STATE, 1));
    connection->Send("OrderInfo@cid:1#oid:7#@");
    ASSERT_TRUE(host.Window().WaitFor(WM_REPLY_NEW_ORDER, 1));

    // The receiver keeps cycling on the replaced session's connection: it must find it
    // disconnected, not freed.
    CServerSession* later = new CServerSession;
    later->Open(MakeServer("TRADE", 3, "127.0.0.1", tradeServer.Port()), false, data);
    registry.Register(later);
    EXPECT_EQ(later, registry.GetTradeSession());
    ASSERT_TRUE(host.Window().WaitFor(WM_CONNECTION_STATE, 2));
    EXPECT_EQ((StateList{{3, 1}, {3, -1}}), States());
    ASSERT_TRUE(LetCyclesPass(20));
    EXPECT_EQ(firstConnection, first->GetConnection());
    EXPECT_FALSE(firstConnection->IsActive());
    EXPECT_EQ(1u, host.Window().Count(WM_REPLY_NEW_ORDER));
}

TEST_F(ReceiverTest, SameLoginDisplacesTheConnectionsWithoutALossReport)
{
    AddTradeReceiver(AddSession(tradeServer, "TRADE", 3), CONNECTION_KIND_ORDER);
    AddTradeReceiver(AddSession(queryServer, "QUERY", 4), CONNECTION_KIND_QUERY);
    AcceptLogin(tradeServer);
    std::shared_ptr<FakeConnection> query = AcceptLogin(queryServer);
    ASSERT_TRUE(host.Window().WaitFor(WM_CONNECTION_STATE, 2));

    query->Send("SameLogin@#@");
    ASSERT_TRUE(host.Window().WaitFor(WM_CONNECTION_STATE, 4));
    ASSERT_TRUE(LetCyclesPass(5));
    StateList states = States();
    ASSERT_EQ(4u, states.size());
    EXPECT_EQ((StateList{{3, 2}, {4, 2}}), StateList(states.begin() + 2, states.end()));
    EXPECT_EQ(2, TradeConnectionState);
    EXPECT_EQ(2, QueryConnectionState);
    EXPECT_FALSE(registry.GetTradeSession()->GetConnection()->IsActive());
}

TEST_F(ReceiverTest, APausedReceiverLeavesMessagesInTheConnection)
{
    CServerSession* trade = AddSession(tradeServer, "TRADE", 3);
    CTradeReplyReceiver* receiver = AddTradeReceiver(trade, CONNECTION_KIND_ORDER);
    std::shared_ptr<FakeConnection> connection = AcceptLogin(tradeServer);
    ASSERT_TRUE(host.Window().WaitFor(WM_CONNECTION_STATE, 1));

    receiver->SetPaused(true);
    ASSERT_TRUE(LetCyclesPass(1));
    connection->Send("OrderInfo@cid:1#oid:9#@");
    ASSERT_TRUE(PumpUntil([&] { return trade->GetConnection()->GetQueuedCount() == 1; }));
    ASSERT_TRUE(LetCyclesPass(5));
    EXPECT_EQ(1u, trade->GetConnection()->GetQueuedCount());
    EXPECT_EQ(0u, host.Window().Count(WM_REPLY_NEW_ORDER));

    receiver->SetPaused(false);
    ASSERT_TRUE(host.Window().WaitFor(WM_REPLY_NEW_ORDER, 1));
    EXPECT_EQ(0u, trade->GetConnection()->GetQueuedCount());
}

// The set's receivers start held: what arrives before the window's handlers exist waits in
// its connection and is delivered, in arrival order, once they are released.
TEST_F(ReceiverTest, ReceiversOfASetHoldWhatArrivesUntilReleased)
{
    CString error;
    CString list;
    list.Format("TRADE|t|SIM|127.0.0.1|%u|1|3|SIM|0|TRADE||&", tradeServer.Port());
    ASSERT_EQ(1, data.ParseLoginResult("loginresult@status:1#name:80001#markserver:" + list + "#@", error));
    CServerSession* trade = AddSession(tradeServer, "TRADE", 3);
    CReceiverSet set(host, registry);
    set.StartAll(data, false, nullptr);
    ASSERT_EQ(1u, set.GetTradeReceivers().size());
    CReplyReceiver* receiver = set.GetTradeReceivers()[0];
    std::shared_ptr<FakeConnection> connection = AcceptLogin(tradeServer);
    ASSERT_NE(nullptr, connection);
    connection->Send("OrderInfo@cid:1#oid:21#@");
    ASSERT_TRUE(PumpUntil([&] { return trade->GetConnection()->GetQueuedCount() == 2; }));
    const LONG cycles = receiver->GetCycleCount();
    ASSERT_TRUE(PumpUntil([&] { return receiver->GetCycleCount() >= cycles + 3; }));
    EXPECT_EQ(2u, trade->GetConnection()->GetQueuedCount());
    EXPECT_EQ(0u, host.Window().Count(WM_CONNECTION_STATE));
    EXPECT_EQ(0u, host.Window().Count(WM_REPLY_NEW_ORDER));

    set.ReleaseAll();
    ASSERT_TRUE(host.Window().WaitFor(WM_REPLY_NEW_ORDER, 1));
    EXPECT_EQ((StateList{{3, 1}}), States());
    EXPECT_EQ("1|||21||||||||", host.Payloads(WM_REPLY_NEW_ORDER)[0]);
    WhilePumping([&] { set.StopAll(5000); });
}

TEST_F(ReceiverTest, UnansweredInitialLoadTriesEachRequestThreeTimes)
{
    AddTradeReceiver(AddSession(queryServer, "QUERY", 4), CONNECTION_KIND_QUERY);
    host.GetReplySlots().Set(CReplySlots::FUNDS_SLOT, WM_REPLY_ACCOUNT_SUMMARY);
    host.GetReplySlots().Set(CReplySlots::ORDER_LIST_SLOT, WM_REPLY_HISTORY);
    std::shared_ptr<FakeConnection> query = AcceptLogin(queryServer);

    const std::string expected =
        "querysummary@querysummary@querysummary@queryposition@queryposition@queryposition@"
        "querystateorders@6#querystateorders@6#querystateorders@6#";
    std::string requests;
    ASSERT_TRUE(query->ReadExactly(expected.size(), requests));
    EXPECT_EQ(expected, requests);
    EXPECT_EQ(1u, host.Window().Count(WM_RESET_ORDER_TABLES));
    EXPECT_EQ((UINT)WM_FUNDS_UPDATE, host.GetReplySlots().Get(CReplySlots::FUNDS_SLOT));
    EXPECT_EQ((UINT)WM_REPLY_POSITIONS, host.GetReplySlots().Get(CReplySlots::POSITION_SLOT));
    EXPECT_EQ((UINT)WM_REPLY_ORDER_LIST, host.GetReplySlots().Get(CReplySlots::ORDER_LIST_SLOT));
    EXPECT_GE(host.TimeoutResets(), 9);
    EXPECT_EQ((std::vector<int>{0, 8}), host.PendingKinds());
}

// A host whose first query-timeout reset, made by an initial load's thread, reports to the
// main window by SendMessage: the load is then caught inside a delivery to this thread.
class SendingHost : public RecordingHost
{
public:
    SendingHost() : sending(CreateEventA(NULL, TRUE, FALSE, NULL)) {}
    ~SendingHost() override { CloseHandle(sending); }
    void ResetQueryTimeout() override
    {
        RecordingHost::ResetQueryTimeout();
        if (resets++ != 0)
            return;
        SetEvent(sending);
        SendMessage(GetMainWindow(), WM_APP + 3, 0, 0);
        answered = true;
    }
    HANDLE sending;
    std::atomic<int> resets{0};
    std::atomic<bool> answered{false};
};

TEST_F(ReceiverTest, ANewInitialLoadEndsTheOneStillRunningWithoutKillingIt)
{
    SendingHost sendingHost;
    CServerSession* query = new CServerSession;
    query->Open(MakeServer("QUERY", 4), false, data);
    registry.Register(query);
    QueryConnectionState = CONNECTION_LOGGED_IN;
    CInitialQuery load(sendingHost, registry);
    load.SetStepMs(10);
    ASSERT_TRUE(load.Start());
    HANDLE first = NULL;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), load.GetThreadHandle(), GetCurrentProcess(), &first, 0,
                                FALSE, DUPLICATE_SAME_ACCESS));
    // The first load now waits in its send for this thread, which does not pump.
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(sendingHost.sending, 30000));

    ASSERT_TRUE(load.Start());
    // The old load was answered and went on to its own end; a killed one would never have
    // come back from its send.
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, WaitForSingleObject(first, 0));
    EXPECT_TRUE(sendingHost.answered.load());
    EXPECT_EQ(1u, sendingHost.Window().Count(WM_APP + 3));
    CloseHandle(first);
    EXPECT_TRUE(load.IsRunning());
    EXPECT_TRUE(load.Stop(5000));
    EXPECT_FALSE(load.IsRunning());

    CConnectionRegistry empty;
    CInitialQuery withoutQuerySession(host, empty);
    EXPECT_EQ(-1, withoutQuerySession.Run());
}

TEST_F(ReceiverTest, DepthReceiverSendsTheBookOncePerCycleWithChanges)
{
    CServerSession* depth = AddSession(tradeServer, "XAUUSD", 2);
    auto* receiver = AddReceiver(new CDepthReceiver(host, depth->GetConnection()));
    std::shared_ptr<FakeConnection> connection = AcceptLogin(tradeServer);
    ASSERT_TRUE(host.Window().WaitFor(WM_DEPTH_UPDATE, 1));  // the login answer is a message too

    connection->Send("[0][1][1][2318.30][5]@[0][1][2][2318.50][7]@#@");
    ASSERT_TRUE(host.Window().WaitFor(WM_DEPTH_UPDATE, 2));
    ASSERT_TRUE(LetCyclesPass(5));
    EXPECT_EQ(2u, host.Window().Count(WM_DEPTH_UPDATE));
    EXPECT_NE(std::string::npos, host.Payloads(WM_DEPTH_UPDATE)[1].find("卖一=2318.50/7 买一=2318.30/5"));

    connection->Close();
    ASSERT_TRUE(PumpUntil([&] { return receiver->GetBook().buy[0].strPrice.IsEmpty(); }));
    EXPECT_EQ(CString("买一"), receiver->GetBook().buy[0].strLabel);
    EXPECT_EQ(2u, host.Window().Count(WM_DEPTH_UPDATE));
}

TEST_F(ReceiverTest, OneReceiverPerSessionAndOnlyQuotesOnTheDefaultServer)
{
    CString error;
    CString list;
    const std::pair<const char*, int> servers[] = {{"FEC", 1}, {"GC", 1}, {"XAUUSD", 2}, {"TRADE", 3},
                                                   {"TRADE2", 3}, {"QUERY", 4}, {"PROXYTRADE", 5},
                                                   {"PROXYQUERY", 6}};
    for (const auto& server : servers)
        list.AppendFormat("%s|t|SIM|127.0.0.1|%u|1|%d|SIM|0|%s||&", server.first, tradeServer.Port(), server.second,
                          server.first);
    ASSERT_EQ(1, data.ParseLoginResult("loginresult@status:1#name:80001#markserver:" + list + "#@", error));
    // The sessions exist but stay unconnected: receivers only need their connections.
    for (const auto& server : servers)
    {
        CServerSession* session = new CServerSession;
        session->Open(MakeServer(server.first, server.second), false, data);
        registry.Register(session);
    }

    int quoteReceivers = 0;
    auto makeQuote = [&](IReceiverHost& h, CNetwork* connection) -> CReplyReceiver* {
        ++quoteReceivers;
        return new CDepthReceiver(h, connection);  // any receiver will do here
    };
    {
        CReceiverSet set(host, registry);
        set.StartAll(data, true, makeQuote);
        EXPECT_EQ(2, quoteReceivers);
        EXPECT_EQ(1u, set.GetDepthReceivers().size());
        EXPECT_EQ(3u, set.GetCount());
        bool stopped = false;
        WhilePumping([&] { stopped = set.StopAll(5000); });
        EXPECT_TRUE(stopped);
    }
    {
        CReceiverSet set(host, registry);
        set.StartAll(data, false, makeQuote);
        // Two trading servers, one order session (the proxy trading one): one order receiver;
        // the trade session gets the own-trade receiver.
        ASSERT_EQ(2u, set.GetTradeReceivers().size());
        auto* order = static_cast<CTradeReplyReceiver*>(set.GetTradeReceivers()[0]);
        auto* ownTrade = static_cast<CTradeReplyReceiver*>(set.GetTradeReceivers()[1]);
        EXPECT_EQ(CONNECTION_KIND_ORDER, order->GetKind());
        EXPECT_EQ(registry.GetProxyTradeSession()->GetConnection(), order->GetConnection());
        EXPECT_EQ(CONNECTION_KIND_OWN_TRADE, ownTrade->GetKind());
        EXPECT_EQ(registry.GetTradeSession()->GetConnection(), ownTrade->GetConnection());
        EXPECT_EQ(1u, set.GetQueryReceivers().size());
        EXPECT_EQ(1u, set.GetProxyQueryReceivers().size());
        WhilePumping([&] { set.StopAll(5000); });
    }
}

// A receiver that delivers to the main window by SendMessage every cycle.
class DeliveringReceiver : public CReplyReceiver
{
public:
    DeliveringReceiver(IReceiverHost& host, CNetwork* connection)
        : CReplyReceiver(host, connection), sending(CreateEventA(NULL, TRUE, FALSE, NULL))
    {
        SetCycleMs(1);
    }
    ~DeliveringReceiver() override
    {
        StopBeforeDestruction(3000);
        CloseHandle(sending);
    }
    void RunCycle() override
    {
        SetEvent(sending);
        SendMessage(GetHost().GetMainWindow(), WM_APP + 4, 0, 0);
        ++delivered;
    }
    HANDLE sending;
    std::atomic<int> delivered{0};
    std::atomic<bool> ended{false};

protected:
    void OnThreadEnd() override { ended = true; }
};

TEST_F(ReceiverTest, StopAllOnTheWindowsOwnThreadAnswersTheDeliveriesAndEndsEveryReceiver)
{
    CString error;
    CString list;
    for (const char* name : {"FEC", "GC", "SI"})
        list.AppendFormat("%s|t|SIM|127.0.0.1|1|1|1|SIM|0|%s||&", name, name);
    ASSERT_EQ(1, data.ParseLoginResult("loginresult@status:1#name:80001#markserver:" + list + "#@", error));
    for (const char* name : {"FEC", "GC", "SI"})
    {
        CServerSession* session = new CServerSession;
        session->Open(MakeServer(name, 1), false, data);
        registry.Register(session);
    }
    std::vector<DeliveringReceiver*> delivering;
    CReceiverSet set(host, registry);
    set.StartAll(data, true, [&](IReceiverHost& h, CNetwork* connection) -> CReplyReceiver* {
        delivering.push_back(new DeliveringReceiver(h, connection));
        return delivering.back();
    });
    ASSERT_EQ(3u, delivering.size());
    set.ReleaseAll();
    // Every receiver is now in (or entering) a delivery to this thread, which does not pump.
    for (DeliveringReceiver* receiver : delivering)
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(receiver->sending, 30000));

    const DWORD start = GetTickCount();
    EXPECT_TRUE(set.StopAll(20000));
    EXPECT_LT(GetTickCount() - start, 10000u);
    for (DeliveringReceiver* receiver : delivering)
    {
        EXPECT_TRUE(receiver->ended.load());  // ran to its end: not killed
        EXPECT_GE(receiver->delivered.load(), 1);
        EXPECT_FALSE(receiver->IsRunning());
    }
}

}  // namespace
