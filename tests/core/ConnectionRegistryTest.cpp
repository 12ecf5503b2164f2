// The connection registry's routing and session creation, and the exact text and result of
// every request sender (against a fake server on loopback).
#include <gtest/gtest.h>

#include <functional>

#include "ConnectionRegistry.h"
#include "Network.h"
#include "ReplyTestSupport.h"
#include "SessionData.h"
#include "testsupport/FakeTcpServer.h"
#include "testsupport/Pump.h"

using replytest::MakeServer;
using tolvan::test::FakeConnection;
using tolvan::test::FakeTcpServer;
using tolvan::test::PumpUntil;

namespace {

CServerSession* NewSession(const char* name, int type)
{
    CServerSession* session = new CServerSession;
    session->SetName(name);
    session->SetType(CString((char)('0' + type)));
    return session;
}

CString NameOf(CServerSession* session)
{
    return session == NULL ? CString("(none)") : session->GetKey();
}

TEST(ConnectionRegistryTest, OrdersAndOwnTradeFollowTheProxySessions)
{
    struct Case
    {
        std::vector<std::pair<const char*, int>> sessions;
        const char* order;
        const char* ownTrade;
    };
    const Case cases[] = {
        {{{"TRADE", 3}, {"QUERY", 4}}, "3_TRADE", "(none)"},
        {{{"TRADE", 3}, {"QUERY", 4}, {"PROXYTRADE", 5}, {"PROXYQUERY", 6}}, "5_PROXYTRADE", "3_TRADE"},
        {{{"TRADE", 3}, {"PROXYQUERY", 6}}, "(none)", "3_TRADE"},
        {{{"TRADE", 3}, {"PROXYTRADE", 5}}, "5_PROXYTRADE", "3_TRADE"},
        {{{"PROXYTRADE", 5}}, "5_PROXYTRADE", "(none)"},
        {{}, "(none)", "(none)"},
    };
    for (const Case& c : cases)
    {
        CConnectionRegistry registry;
        for (const auto& session : c.sessions)
            registry.Register(NewSession(session.first, session.second));
        EXPECT_EQ(CString(c.order), NameOf(registry.GetOrderSession())) << c.order;
        EXPECT_EQ(CString(c.ownTrade), NameOf(registry.GetTradeSessionIfProxy())) << c.order;
    }

    CConnectionRegistry registry;
    registry.Register(NewSession("FEC", 1));
    registry.Register(NewSession("XAUUSD", 2));
    registry.Register(NewSession("QUERY", 4));
    EXPECT_EQ(CString("1_FEC"), NameOf(registry.GetQuoteSession("FEC")));
    EXPECT_EQ(CString("2_XAUUSD"), NameOf(registry.GetDepthSession("XAUUSD")));
    EXPECT_EQ(CString("4_QUERY"), NameOf(registry.GetQuerySession()));
    EXPECT_EQ(NULL, registry.GetQuoteSession("XAUUSD"));
    EXPECT_EQ(NULL, registry.GetProxyQuerySession());
}

TEST(ConnectionRegistryTest, ALaterSessionUnderTheSameKeyReplacesTheEarlierOne)
{
    CConnectionRegistry registry;
    registry.Register(NewSession("TRADE", 3));
    CServerSession* later = NewSession("TRADE", 3);
    registry.Register(later);
    EXPECT_EQ(later, registry.GetTradeSession());
    EXPECT_EQ(1u, registry.GetCount());
}

// A login reply naming one server of each type given, all on the fake server's port.
void FillSessionData(CSessionData& data, USHORT port, std::initializer_list<std::pair<const char*, int>> servers)
{
    CString list;
    for (const auto& server : servers)
        list.AppendFormat("%s|title|SIM|127.0.0.1|%u|1|%d|SIM|0|%s|06:00|24:00&", server.first, port,
                          server.second, server.first);
    CString error;
    ASSERT_EQ(1, data.ParseLoginResult("loginresult@status:1#name:80001#mark:m1#loginrange:LR#markserver:" + list + "#@",
                                       error));
}

TEST(ConnectionRegistryTest, QuotesOnlyCreatesQuoteAndDepthSessions)
{
    FakeTcpServer server;
    CSessionData data;
    FillSessionData(data, server.Port(), {{"FEC", 1}, {"XAUUSD", 2}, {"TRADE", 3}, {"QUERY", 4}});

    CConnectionRegistry registry;
    EXPECT_TRUE(registry.CreateSessions(true, data));
    EXPECT_EQ(2u, registry.GetCount());
    CServerSession* quote = registry.GetQuoteSession("FEC");
    ASSERT_NE(nullptr, quote);
    EXPECT_TRUE(quote->GetConnection()->IsActive());   // connected
    EXPECT_EQ(CString("m1"), quote->GetConnection()->GetMark());
    EXPECT_EQ(CString("LR"), quote->GetConnection()->GetLoginRange());
    EXPECT_EQ(server.Port(), quote->GetPort());
    ASSERT_NE(nullptr, registry.GetDepthSession("XAUUSD"));
    EXPECT_FALSE(registry.GetDepthSession("XAUUSD")->GetConnection()->IsActive());  // on demand
    EXPECT_EQ(nullptr, registry.GetTradeSession());
    ASSERT_NE(nullptr, server.WaitForConnection());  // the quote connection logs in

    EXPECT_TRUE(registry.CreateSessions(false, data));
    EXPECT_EQ(4u, registry.GetCount());
    EXPECT_TRUE(registry.GetTradeSession()->GetConnection()->IsActive());
    EXPECT_TRUE(registry.GetQuerySession()->GetConnection()->IsActive());

    EXPECT_TRUE(registry.DisconnectAll());
    EXPECT_FALSE(registry.GetTradeSession()->GetConnection()->IsActive());
    EXPECT_EQ(4u, registry.GetCount());
}

class SenderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GetSessionData().m_strUserName = "80001";
        GetSessionData().SetPassword("a123456");
    }

    // The session connected to the fake server and logged in.
    void ConnectSession()
    {
        session.Open(MakeServer("TRADE", 3, "127.0.0.1", server.Port()), true, data);
        connection = server.WaitForConnection();
        ASSERT_NE(nullptr, connection);
        ASSERT_TRUE(connection->WaitForText("#@"));  // the mark login
        connection->Send("loginresult@status:1#name:80001#@");
        CNetwork* network = session.GetConnection();
        ASSERT_TRUE(PumpUntil([&] {
            return network->GetLoginState() == CNetwork::kLoginAccepted &&
                   network->GetClientState() == ClientState::Started && !network->IsLoginThreadRunning();
        }));
    }

    std::string Next(size_t length)
    {
        std::string text;
        connection->ReadExactly(length, text);
        return text;
    }

    FakeTcpServer server;
    CSessionData data;
    CServerSession session;
    std::shared_ptr<FakeConnection> connection;
};

OrderRequest MakeOrder(const char* code, const char* price, const char* quantity, const char* side,
                       const char* type, const char* ref)
{
    OrderRequest order;
    order.code = code;
    order.price = price;
    order.quantity = quantity;
    order.side = side;
    order.orderType = type;
    order.clientRef = ref;
    return order;
}

TEST_F(SenderTest, EverySenderWritesItsExactText)
{
    ConnectSession();
    struct Case
    {
        std::function<int()> send;
        std::string text;
    };
    const Case cases[] = {
        {[&] { return session.SendNewOrder(MakeOrder("XAUUSD", "2318.40", "100", "B", "L", "12345")); },
         "neworder@XAUUSD|2318.40|100|B|L|12345|"},
        {[&] { return session.SendNewOrder(MakeOrder("CL", "", "3", "S", "M", "77")); }, "neworder@CL||3|S|M|77|"},
        {[&] { return session.SendPreNewOrder(MakeOrder("GC", "2331.2", "2", "B", "S", "9")); },
         "preneworder@GC|2331.2|2|B|S|9|"},
        {[&] { return session.SendCancelOrder("1001"); }, "cancleorder@1001"},
        {[&] { return session.QueryStateOrders(6); }, "querystateorders@6#"},
        {[&] { return session.QueryStateOrders(2); }, "querystateorders@2#"},
        {[&] { return session.QueryDateOrders(6, "2024-06-01", "2024-06-14", 0); },
         "querydateorders@6#2024-06-01#2024-06-14#0#"},
        {[&] { return session.QueryPosition(); }, "queryposition@"},
        {[&] { return session.QuerySummary(); }, "querysummary@"},
        {[&] { return session.EditPassword("a123456", "b654321"); },
         "editpwd@dc483e80a7a0bd9ef71d8cf973673924#27cdc62ab7cde9a48f48f8a3fe78ff4d#"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(0, c.send()) << c.text;
        EXPECT_EQ(c.text, Next(c.text.size()));
    }
    EXPECT_EQ(1, session.SendRaw("queryallclient@", 15));
    EXPECT_EQ("queryallclient@", Next(15));
}

TEST_F(SenderTest, BadArgumentsAreRefusedWithoutSending)
{
    ConnectSession();
    EXPECT_EQ(-3, session.SendCancelOrder(""));
    EXPECT_EQ(-3, session.QueryDateOrders(6, "2024-06-01", "2024-06-14", -1));
    // A delimiter inside any field would add or shift fields on the server's side.
    const char* const injected[] = {"1|2", "1#2", "1@2"};
    for (const char* text : injected)
    {
        for (int field = 0; field < 6; ++field)
        {
            OrderRequest order = MakeOrder("XAUUSD", "2318.40", "100", "B", "L", "12345");
            CString* fields[] = {&order.code, &order.price, &order.quantity, &order.side, &order.orderType,
                                 &order.clientRef};
            *fields[field] = text;
            EXPECT_EQ(-3, session.SendNewOrder(order)) << text << " in field " << field;
            EXPECT_EQ(-3, session.SendPreNewOrder(order)) << text << " in field " << field;
        }
        EXPECT_EQ(-3, session.SendCancelOrder(text));
        EXPECT_EQ(-3, session.QueryDateOrders(6, text, "2024-06-14", 1));
        EXPECT_EQ(-3, session.QueryDateOrders(6, "2024-06-01", text, 1));
    }
    // Nothing went out before the next good request.
    EXPECT_EQ(0, session.QueryPosition());
    EXPECT_EQ("queryposition@", Next(14));
}

TEST_F(SenderTest, ResultsWithoutConnectionAndWhenTheClientRefuses)
{
    const OrderRequest order = MakeOrder("XAUUSD", "2318.40", "100", "B", "L", "1");
    // Never opened: no connection.
    EXPECT_EQ(-1, session.SendNewOrder(order));
    EXPECT_EQ(-1, session.SendPreNewOrder(order));
    EXPECT_EQ(-1, session.SendCancelOrder("1"));
    EXPECT_EQ(-1, session.QueryStateOrders(6));
    EXPECT_EQ(-1, session.QueryDateOrders(6, "a", "b", 0));
    EXPECT_EQ(-1, session.QueryPosition());
    EXPECT_EQ(-1, session.QuerySummary());
    EXPECT_EQ(-1, session.EditPassword("a", "b"));
    EXPECT_EQ(-1, session.SendRaw("x", 1));

    // Opened but not connected: the client refuses to queue.
    session.Open(MakeServer("TRADE", 3, "127.0.0.1", server.Port()), false, data);
    EXPECT_EQ(-4, session.SendNewOrder(order));
    EXPECT_EQ(-4, session.SendCancelOrder("1"));
    EXPECT_EQ(-4, session.QueryDateOrders(6, "a", "b", 0));
    EXPECT_EQ(-4, session.QuerySummary());
    EXPECT_EQ(-4, session.EditPassword("a", "b"));
    EXPECT_EQ(0, session.SendRaw("x", 1));
    EXPECT_EQ(-3, session.SendCancelOrder(""));
}

}  // namespace
