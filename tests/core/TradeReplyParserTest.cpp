// The four trade reply parsers against a recording main window: which message number and
// which record each reply produces, the connection states they set, and what they skip.
#include <gtest/gtest.h>

#include "ConnectionRegistry.h"
#include "ConnectionStates.h"
#include "Network.h"
#include "OrderDetailWindow.h"
#include "ReplyMessages.h"
#include "ReplyTestSupport.h"
#include "SessionData.h"
#include "TradeReplyParser.h"

using replytest::RecordingHost;
using tolvan::test::RecordingWindow;

namespace {

class TradeReplyParserTest : public ::testing::Test
{
protected:
    void SetUp() override { ResetConnectionStates(); }
    void TearDown() override
    {
        parser.GetInitialQuery().Stop(5000);
        ResetConnectionStates();
        SetOrderDetailWindow(NULL);
    }

    std::vector<std::pair<int, int>> States() { return host.ConnectionStates(); }
    size_t Count(UINT message) { return host.Window().Count(message); }

    RecordingHost host;
    CConnectionRegistry registry;
    CTradeReplyParser parser{host, registry};
};

typedef std::vector<std::pair<int, int>> StateList;

const char kOrderInfo[] =
    "OrderInfo@cid:123#fnum:0#mg:#oid:1001#ps:0.0000#st:Submitted#ty:LMT#an:BUY"
    "#ot:2024-06-14 10:30:00#cn:XAUUSD#qy:100#op:2318.40#@";
const char kOrderInfoPayload[] = "123|0||1001|0.0000|Submitted|LMT|BUY|20240614 10:30:00|XAUUSD|100|2318.40";

TEST_F(TradeReplyParserTest, LoginAcceptedRaisesEachStateOnceAndOtherStatusWordsAreHandled)
{
    parser.ParseOrderMessage("loginresult@status:1#name:80001#@");
    parser.ParseOrderMessage("loginresult@status:1#name:80001#@");
    parser.ParseOrderMessage("loginresult@status:1#@");  // no "#name:": not a login answer
    parser.ParseOwnTradeMessage("loginresult@status:1#name:80001#@");
    parser.ParseProxyQueryMessage("loginresult@status:1#name:80001#@");
    EXPECT_EQ(1, TradeConnectionState);
    EXPECT_EQ(1, ProxyTradeConnectionState);
    EXPECT_EQ(1, ProxyQueryConnectionState);  // set without telling the main window
    EXPECT_EQ((StateList{{3, 1}, {5, 1}}), States());

    parser.ParseOrderMessage("loginresult@status:-1#@");
    parser.ParseQueryMessage("loginresult@status:-1#@");
    EXPECT_EQ(0u, Count(WM_NEW_VERSION_FOUND));
    EXPECT_EQ(0u, Count(WM_ORDER_REFUSED)) << "a refused login is its login thread's";
    // A refused order or cancel on the order connection reaches the main window, which knows
    // the request it belongs to.
    parser.ParseOrderMessage("status:-1#@");
    parser.ParseQueryMessage("status:-1#@");
    EXPECT_EQ(1u, Count(WM_ORDER_REFUSED));
    parser.ParseOrderMessage("loginresult@status:-2#@");
    parser.ParseQueryMessage("loginresult@status:-2#@");
    EXPECT_EQ(2u, Count(WM_NEW_VERSION_FOUND));
}

TEST_F(TradeReplyParserTest, OrderReportsGoThroughTheOrderSlotWithTimeDashesRemoved)
{
    parser.ParseOrderMessage(kOrderInfo);
    host.GetReplySlots().Set(CReplySlots::ORDER_SLOT, WM_REPLY_CANCEL);
    // Two records in one message, each delivered; a repeated key keeps its last value, a
    // piece without a key is ignored.
    parser.ParseOrderMessage("OrderInfo@cid:1#st:Submitted#st:Cancelled#junk#oid:7#@OrderInfo@cid:2#oid:8#@");

    EXPECT_EQ(std::vector<std::string>{kOrderInfoPayload}, host.Payloads(WM_REPLY_NEW_ORDER));
    EXPECT_EQ("1|||7||Cancelled||||||", host.Payloads(WM_REPLY_CANCEL).at(0));
    EXPECT_EQ("2|||8||||||||", host.Payloads(WM_REPLY_CANCEL).at(1));
}

TEST_F(TradeReplyParserTest, PreOrderInfoGoesOnlyToTheOrderDetailWindowAndKeepsItsDashes)
{
    const char reply[] = "PreOrderInfo@oid:0#st:ablesubmit#mg:1.50#im:2300.00#cid:77#fnum:0#ty:LMT#an:BUY"
                         "#ot:2024-06-14 10:30:00#cn:XAUUSD#qy:100#@";
    parser.ParseOrderMessage(reply);  // no detail window open: dropped

    RecordingWindow detail;
    replytest::RegisterReplyCopiers(detail);
    SetOrderDetailWindow(detail);
    parser.ParseOrderMessage(reply);
    parser.ParseOwnTradeMessage(reply);  // not an order report of a client either

    ASSERT_EQ(1u, detail.Count(WM_PREORDER_INFO));
    // The twelve texts in the order oid, st, mg, im, cid, fnum, ty, an, ot, cn, qy, empty.
    EXPECT_EQ("0|ablesubmit|1.50|2300.00|77|0|LMT|BUY|2024-06-14 10:30:00|XAUUSD|100|",
              detail.Last(WM_PREORDER_INFO).payload);
    EXPECT_EQ(0u, Count(WM_REPLY_NEW_ORDER));
    EXPECT_EQ(0u, Count(WM_PROXY_ORDER_EVENT));
}

TEST_F(TradeReplyParserTest, RecordsOfUnknownPiecesOnlyReachTheOrderDetailWindow)
{
    // An order or a client's order event without one known field would become an empty row
    // of the order lists or of the console; the order-detail window only shows what came.
    RecordingWindow detail;
    replytest::RegisterReplyCopiers(detail);
    SetOrderDetailWindow(detail);
    struct Case { void (CTradeReplyParser::*parse)(const CString&); const char* reply; };
    const Case cases[] = {
        {&CTradeReplyParser::ParseOrderMessage, "OrderInfo@junk#id:5#@"},
        {&CTradeReplyParser::ParseOwnTradeMessage, "OrderInfo@junk#id:5#@"},
        {&CTradeReplyParser::ParseOrderMessage, "PreOrderInfo@junk#id:5#@"},
    };
    for (const Case& c : cases)
        (parser.*c.parse)(c.reply);
    EXPECT_EQ(0u, Count(WM_REPLY_NEW_ORDER));
    EXPECT_EQ(0u, Count(WM_PROXY_ORDER_EVENT));
    ASSERT_EQ(1u, detail.Count(WM_PREORDER_INFO));
    EXPECT_EQ("|||||||||||", detail.Last(WM_PREORDER_INFO).payload);
}

TEST_F(TradeReplyParserTest, PushedPositionsAndFundsOfTheOrderConnection)
{
    parser.ParseOrderMessage("PositionResult@[SMART GC|美黄金|COMEX#0#2#2331.20#0#USD]#@"
                             "PositionResult@[CL||NYMEX#1#3#77.80#1000#USD]#@"
                             "PositionResult@[XAUUSD|伦敦金|FX#0#1#2318.40#1#USD]#@"
                             "PositionResult@[EURUSD|x#0#1]#@");  // too few values
    EXPECT_EQ((std::vector<std::string>{"GC|美黄金|COMEX|0|2|2331.20|1|USD",
                                        "CL|CL|NYMEX|1|3|77.80|1000|USD",
                                        "XAUUSD|伦敦金|FX|0|1|2318.40|1|USD"}),
              host.Payloads(WM_POSITION_RECORD));

    parser.ParseOrderMessage("SummaryResult@1000.5#10#20#970.5#900#-1#USD#@");
    parser.ParseOrderMessage("SummaryResult@1#2#3#4#5#@");  // five values only
    EXPECT_EQ(std::vector<std::string>{"1000.5|10|20|970.5|900|-1|"}, host.Payloads(WM_FUNDS_RECORD));
}

TEST_F(TradeReplyParserTest, QueryLoginMarksTheInitialLoadPendingOnce)
{
    parser.ParseQueryMessage("  loginresult@status:1#name:80001#@\r\n");
    parser.ParseQueryMessage("loginresult@status:1#name:80001#@");
    EXPECT_EQ(1, QueryConnectionState);
    EXPECT_EQ((StateList{{4, 1}}), States());
    EXPECT_EQ((std::vector<int>{0, 8}), host.PendingKinds());
}

TEST_F(TradeReplyParserTest, PositionListEndsWithAnEmptyRecordAndEndsThePendingQuery)
{
    parser.ParseQueryMessage("PositionResult@[GC|美黄金|COMEX#0#2#2331.20#100#USD][CL|美原油|NYMEX#1#3#77.80#0.5#USD]#@");
    EXPECT_EQ((std::vector<std::string>{"GC|美黄金|COMEX|0|2|2331.20|100|USD",
                                        "CL|美原油|NYMEX|1|3|77.80|1|USD", "(null)"}),
              host.Payloads(WM_REPLY_POSITIONS));
    EXPECT_EQ(std::vector<int>{0}, host.PendingKinds());
    EXPECT_GE(host.TimeoutResets(), 2);
    EXPECT_TRUE(parser.GetInitialQuery().HasArrived(CInitialQuery::POSITIONS_ARRIVED));

    host.GetReplySlots().Set(CReplySlots::POSITION_SLOT, 0x2c00);
    host.Window().CopyPayload(0x2c00, [](WPARAM w, LPARAM) { return std::string(w == 0 ? "(null)" : "record"); });
    parser.ParseQueryMessage("PositionResult@#@");
    EXPECT_EQ(std::vector<std::string>{"(null)"}, host.Payloads(0x2c00));
    EXPECT_EQ((std::vector<int>{0, 0}), host.PendingKinds());
}

TEST_F(TradeReplyParserTest, OrderListKeepsOnlyCompleteItemsPackedFromTheFront)
{
    host.SetMultiplier("GC", 100.0);
    parser.ParseQueryMessage(
        "SubmittedOrdersResult@[a]"
        "[SMART GC|美黄金|COMEX#5001#0#2331.2#2#202406 14#10:30 :00#4662.40#3.0#1#2#F#1.5#2#O,P]"
        "[CL||NYMEX#5002#1#77.8#3#20240614#10:31:00#233.4#1.0#0#3#F#-0.2##C,P]"
        "[XAUUSD|伦敦金|FX#5003#0#2300#100#20240614#10:32:00#0#0#1#0#S#0.5#0#O,P]"
        "[too|short#1#2]#@");

    const std::vector<std::string> lists = host.Payloads(WM_REPLY_ORDER_LIST);
    ASSERT_EQ(1u, lists.size());
    EXPECT_EQ("count=3\n"
              "GC|美黄金|COMEX|5001|0|2331.2|2|20240614|10:30:00|4662.40|3.0|1|2|F|150.00|---|O,P\n"
              "CL|CL|NYMEX|5002|1|77.8|3|20240614|10:31:00|233.4|1.0|0|3|F|-0.20|3|C,P\n"
              "XAUUSD|伦敦金|FX|5003|0|2300|100|20240614|10:32:00|0|0|1|0|S|---|---|---",
              lists[0]);
    EXPECT_TRUE(parser.GetInitialQuery().HasArrived(CInitialQuery::ORDERS_ARRIVED));

    parser.ParseQueryMessage("SubmittedOrdersResult@#@");
    parser.ParseQueryMessage("SubmittedOrdersResult@[a][b]#@");  // nothing complete
    EXPECT_EQ("count=0", host.Payloads(WM_REPLY_ORDER_LIST).at(1));
    EXPECT_EQ("count=0", host.Payloads(WM_REPLY_ORDER_LIST).at(2));
}

TEST_F(TradeReplyParserTest, FillsReachTheFillsHandlerAndShortItemsAreSkipped)
{
    parser.ParseQueryMessage("ExecOrdersResult@[20240614 10:30:00#GC#2#2331.2][20240614#x][20240614 10:31:05#CL#1#77.8]#@");
    EXPECT_EQ((std::vector<std::string>{"20240614|10:30:00|GC|2|2331.2", "20240614|10:31:05|CL|1|77.8"}),
              host.Payloads(WM_REPLY_FILLS));
}

TEST_F(TradeReplyParserTest, FundsPasswordAndClientReplies)
{
    parser.ParseQueryMessage("SummaryResult@1000.5#10#20#970.5#900#-1#USD#@");
    parser.ParseQueryMessage("SummaryResult@1#2#3#4#5#6#@");  // six values: not a query summary
    EXPECT_EQ(std::vector<std::string>{"1000.5|10|20|970.5|900|-1|USD"}, host.Payloads(WM_FUNDS_UPDATE));
    EXPECT_TRUE(parser.GetInitialQuery().HasArrived(CInitialQuery::SUMMARY_ARRIVED));

    parser.ParseQueryMessage("EditPwdResult@-2#@");
    EXPECT_EQ(std::vector<std::string>{"-2"}, host.Payloads(WM_PASSWORD_RESULT));

    parser.ParseQueryMessage("ClientResult@[80002#李娜#1#2#3#4#5#1#USD]#@");
    EXPECT_EQ(std::vector<std::string>{"[80002#李娜#1#2#3#4#5#1#USD]#"}, host.Payloads(WM_PROXY_ORDER_UPDATE));
}

TEST_F(TradeReplyParserTest, OwnTradeConnectionDeliversClientOrderReportsOnly)
{
    parser.ParseOwnTradeMessage(
        "OrderInfo@cid:9#fnum:1#mg:0.5#oid:77#ps:2318.40#st:Filled#ty:MKT#an:SELL#ot:2024-06-14 10:30:00"
        "#cn:XAUUSD#qy:1#op:2318.40#clientname:80002#@"
        "PreOrderInfo@oid:0#st:ablesubmit#@"
        "NoOrderInfo@cid:1#@");
    EXPECT_EQ(std::vector<std::string>{"80002|9|1|0.5|77|2318.40|Filled|MKT|SELL|2024-06-14 10:30:00|XAUUSD|1|2318.40"},
              host.Payloads(WM_PROXY_ORDER_EVENT));
}

TEST_F(TradeReplyParserTest, ProxyQueryClientListKeepsAccountAndName)
{
    parser.ParseProxyQueryMessage("ClientResult@[80002#李娜#1#2#3#4#5#1#USD][80003#short][80004#刘洋#1#2#3#4#5#1#USD]#@");
    EXPECT_EQ(std::vector<std::string>{"[80002#李娜][80004#刘洋]"}, host.Payloads(WM_PROXY_ORDER_UPDATE));
}

TEST_F(TradeReplyParserTest, SameLoginDisplacesEveryTradingConnection)
{
    CSessionData sessionData;
    const std::pair<const char*, int> servers[] = {{"TRADE", 3}, {"QUERY", 4}, {"PROXYTRADE", 5}, {"PROXYQUERY", 6}};
    for (const auto& server : servers)
    {
        CServerSession* session = new CServerSession;
        session->Open(replytest::MakeServer(server.first, server.second), false, sessionData);
        registry.Register(session);
    }
    TradeConnectionState = 1;
    QueryConnectionState = 1;

    parser.ParseQueryMessage("SameLogin@#@");
    EXPECT_EQ((StateList{{3, 2}, {4, 2}, {5, 2}}), States());
    EXPECT_EQ(2, TradeConnectionState);
    EXPECT_EQ(2, QueryConnectionState);
    EXPECT_EQ(2, ProxyTradeConnectionState);
    EXPECT_FALSE(registry.GetQuerySession()->GetConnection()->IsActive());
}

TEST_F(TradeReplyParserTest, MalformedRepliesDeliverNothingAndDoNotFail)
{
    const char* const replies[] = {
        "", "#@", "@@@", "OrderInfo", "OrderInfo@", "PositionResult@[", "PositionResult@]]]",
        "SubmittedOrdersResult@[x|y", "SubmittedOrdersResult", "SummaryResult", "ExecOrdersResult@[20240614]#",
        "EditPwdResult", "[]]][[", "PreOrderInfo@", "ClientResult@]]]", "\xb0",
    };
    for (const char* reply : replies)
    {
        parser.ParseOrderMessage(reply);
        parser.ParseQueryMessage(reply);
        parser.ParseOwnTradeMessage(reply);
        parser.ParseProxyQueryMessage(reply);
    }
    EXPECT_EQ(0u, Count(WM_REPLY_NEW_ORDER) + Count(WM_POSITION_RECORD) + Count(WM_FUNDS_RECORD) +
                      Count(WM_FUNDS_UPDATE) + Count(WM_REPLY_FILLS) + Count(WM_PROXY_ORDER_EVENT));
    // Empty lists still tell their handler that the (empty) list is complete.
    for (const std::string& list : host.Payloads(WM_REPLY_ORDER_LIST))
        EXPECT_EQ("count=0", list);
    for (const std::string& position : host.Payloads(WM_REPLY_POSITIONS))
        EXPECT_EQ("(null)", position);
}

}  // namespace
