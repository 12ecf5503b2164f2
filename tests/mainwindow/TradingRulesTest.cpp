// The main window's trading rules against a recording wire and recording windows.
#include <gtest/gtest.h>
#include "ConnectionStates.h"
#include "MarketTestData.h"
#include "ReplyMessages.h"
#include "TicketCheck.h"
#include "TradingDesk.h"
#include "TradingFakes.h"
#include "testsupport/MessageBoxScript.h"

using namespace tradingtest;
using tolvan::test::MessageBoxScript;

namespace {

HistoryOrderRecord ListRow(const char* code, const char* orderNo, const char* date, const char* time,
                           const char* state, const char* filled = "0", const char* amount = "0")
{
    HistoryOrderRecord row;
    const char* fields[HistoryOrderRecord::kFieldCount] = {
        code, code, "X", orderNo, "0", "150.000", "2", date, time, amount, "1.5", "1", filled, state,
        "---", "---", "---"};
    for (int i = 0; i < HistoryOrderRecord::kFieldCount; ++i)
        row.strFields[i] = fields[i];
    return row;
}

OrderInfo Report(const char* cid, const char* oid, const char* state)
{
    OrderInfo report;
    report.cid = cid;
    report.oid = oid;
    report.st = state;
    report.ot = "20240614 10:31:00";
    report.cn = "USDJPY";
    report.qy = "2";
    report.fnum = "0";
    return report;
}

// A buy of two USDJPY as the order form sends it: orderType "L" with a price, or "M".
OrderRequest BuyUsdJpy(const char* orderType, const char* price, const char* clientRef)
{
    OrderRequest request;
    request.code = "USDJPY";
    request.price = price;
    request.quantity = "2";
    request.side = "B";
    request.orderType = orderType;
    request.clientRef = clientRef;
    return request;
}

PositionRecord Position(const char* code, const char* side, const char* quantity, const char* cost)
{
    PositionRecord record;
    const char* fields[PositionRecord::kFieldCount] = {code, code, "X", side, quantity, cost, "1", "USD"};
    for (int i = 0; i < PositionRecord::kFieldCount; ++i)
        record.strFields[i] = fields[i];
    return record;
}

class TradingRulesTest : public ::testing::Test
{
protected:
    TradingRulesTest() : desk(slots, wire, windows, store, [] { return CTime(2024, 6, 14, 10, 30, 0); }, session)
    {
        session.SetPassword("a123456");
        store.AddSector(markettest::MakeSector("外汇现货", "FEC",
                                               {markettest::MakeRow("USDJPY", 0, "150.000"),
                                                markettest::MakeRow("XAUUSD", 1, "2320.00")}));
    }
    void SetUp() override
    {
        TradeConnectionState = CONNECTION_LOGGED_IN;
        QueryConnectionState = CONNECTION_LOGGED_IN;
    }
    void TearDown() override { ResetConnectionStates(); }

    std::vector<std::string> BoxTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& box : boxes.Boxes())
            texts.push_back(box.text);
        return texts;
    }
    void TimeOut()
    {
        for (int tick = 0; tick < CQueryGate::kTimeoutLimit + 1; ++tick)
            desk.OnQueryTimer();
    }
    // Three resting orders in the cancellable list.
    void ListOpenOrders()
    {
        const HistoryOrderRecord rows[] = {ListRow("USDJPY", "11", "20240614", "10:00:01", "S"),
                                           ListRow("USDJPY", "12", "20240614", "10:00:02", "S"),
                                           ListRow("USDJPY", "13", "20240614", "10:00:03", "F", "2", "300")};
        desk.OnCancellableReply(rows, 3);
    }

    MessageBoxScript boxes;
    QuoteStore store;
    CSessionData session;
    CReplySlots slots;
    FakeWire wire;
    FakeWindows windows;
    CTradingDesk desk;
};

TicketFields Ticket(const char* direction, const char* kind, const char* code, const char* price,
                    const char* step = "0.001", const char* quantity = "1")
{
    TicketFields ticket;
    ticket.direction = direction;
    ticket.priceKind = kind;
    ticket.code = code;
    ticket.price = price;
    ticket.priceStep = step;
    ticket.quantity = quantity;
    return ticket;
}

TEST_F(TradingRulesTest, TicketChecksRefuseAtTheFirstFailure)
{
    struct Case
    {
        TicketFields ticket;
        const char* refusal;
    } cases[] = {
        {Ticket("买入", "限价", "", "1"), "请先选中合约！"},
        {Ticket("", "限价", "USDJPY", "150.000"), "请选择买卖方向！"},
        {Ticket("买入", "", "USDJPY", "150.000"), "请选择价格类型！"},
        {Ticket("买入", "条件止损价", "USDJPY", "150.000"), "买入价必须大于当前合约的最新价！"},
        {Ticket("卖出", "条件止损价", "USDJPY", "150.000"), "卖出价必须小于当前合约的最新价！"},
        {Ticket("卖出", "条件止损价", "UNKNOWN", "1.00", "0.01"), "卖出价必须小于当前合约的最新价！"},
        {Ticket("买入", "限价", "USDJPY", "1.1", "0.004"), ""},
        // 0.3 / 0.1 leaves a floating-point remainder; on one integer scale it does not.
        {Ticket("买入", "限价", "XAUUSD", "0.3", "0.1"), ""},
        {Ticket("买入", "限价", "XAUUSD", "2320.07", "0.05"),
         "您输入的价格不是最小变动价格的整数倍，最小变动价格为: 0.05 ！"},
        {Ticket("买入", "限价", "XAUUSD", "2320.07", "0.00"), ""},
        {Ticket("买入", "限价", "XAUUSD", "0", "0.01"), "价格必须大于 0 ！"},
        {Ticket("买入", "限价", "XAUUSD", "abc", "0.01"), "价格必须大于 0 ！"},
        {Ticket("买入", "市价", "XAUUSD", "", "0.01"), ""},
        {Ticket("买入", "市价", "XAUUSD", "", "0.01", "0"), "数量必须大于 0 ！"},
    };
    for (const Case& c : cases)
    {
        OrderRequest request;
        EXPECT_EQ(CString(c.refusal), BuildOrderFromTicket(c.ticket, request, store))
            << c.ticket.direction << " " << c.ticket.priceKind << " " << c.ticket.price << " / " << c.ticket.priceStep;
    }
    OrderRequest request;
    ASSERT_EQ(CString(""), BuildOrderFromTicket(Ticket("卖出", "市价", "USDJPY", ""), request, store));
    EXPECT_EQ(CString("S"), request.side);
    EXPECT_EQ(CString("M"), request.orderType);
    EXPECT_EQ(CString(""), request.price);
}

TEST_F(TradingRulesTest, TicketGoesOutOnlyPastConnectionBusyAndConfirmation)
{
    // No account beats every other check, even an empty code.
    TradeConnectionState = CONNECTION_NO_ACCOUNT;
    desk.OnNewOrder(Ticket("买入", "限价", "", ""));
    TradeConnectionState = CONNECTION_LOST;
    desk.OnNewOrder(Ticket("买入", "限价", "", ""));
    TradeConnectionState = CONNECTION_LOGGED_IN;
    // A pending query refuses with its own busy text before the code is looked at.
    ASSERT_TRUE(desk.Gate().SetPending(CQueryGate::POSITIONS, false));
    desk.OnNewOrder(Ticket("买入", "限价", "", ""));
    desk.Gate().SetPending(CQueryGate::IDLE, false);
    EXPECT_EQ((std::vector<std::string>{"未开户，无法进行交易，请开户后操作！", "交易服务器已断开！不能进行下单操作！",
                                         "正在查询“持仓”！"}),
              BoxTexts());
    EXPECT_TRUE(wire.sent.empty());

    // The order-detail window cancelled: nothing sent, the order slot as it was.
    desk.SetShowOrderDetail(true);
    windows.confirm = false;
    slots.Set(CReplySlots::ORDER_SLOT, WM_REPLY_CANCEL_ALL);
    desk.OnNewOrder(Ticket("买入", "限价", "USDJPY", "150.001"));
    EXPECT_TRUE(windows.Called("confirm"));
    EXPECT_TRUE(wire.sent.empty());
    EXPECT_EQ((UINT)WM_REPLY_CANCEL_ALL, slots.Get(CReplySlots::ORDER_SLOT));

    windows.confirm = true;
    desk.OnNewOrder(Ticket("买入", "限价", "USDJPY", "150.001"));
    ASSERT_EQ(1u, wire.orders.size());
    EXPECT_EQ((UINT)WM_REPLY_NEW_ORDER, slots.Get(CReplySlots::ORDER_SLOT));
    EXPECT_FALSE(wire.orders[0].clientRef.IsEmpty());
    ASSERT_EQ(1u, desk.Orders().AllOrders().size());
    EXPECT_EQ(CString("---"), desk.Orders().AllOrders()[0][OrderEntry::STATUS]);
    EXPECT_TRUE(windows.Called("play NewOrder.wav"));

    // A failed send records nothing and hands the error back; its sender tells the user.
    wire.result = -4;
    OrderRequest request = wire.orders[0];
    EXPECT_EQ(-4, desk.OnPlaceOrder(request));
    EXPECT_EQ(1u, desk.Orders().AllOrders().size());
    // Nor is anything written while the order connection is not logged in: the server would
    // drop it unanswered.
    wire.result = 0;
    TradeConnectionState = CONNECTION_LOST;
    EXPECT_EQ(-1, desk.OnPlaceOrder(request));
    EXPECT_EQ(2u, wire.orders.size());
    EXPECT_EQ(1u, desk.Orders().AllOrders().size());
}

TEST_F(TradingRulesTest, FailedSendOfATicketIsTold)
{
    struct Case
    {
        int sendResult;
        bool dropWhileConfirming;
        const char* told;
    } cases[] = {
        {-4, false, "请求发送失败，请检查网络连接！"},
        // The connection went while the order detail window was open.
        {0, true, "交易服务器已断开！不能进行下单操作！"},
    };
    for (const Case& c : cases)
    {
        boxes.Clear();
        wire.result = c.sendResult;
        TradeConnectionState = CONNECTION_LOGGED_IN;
        windows.whileConfirming = [&c] {
            if (c.dropWhileConfirming)
                TradeConnectionState = CONNECTION_LOST;
        };
        desk.SetShowOrderDetail(true);
        desk.OnNewOrder(Ticket("买入", "限价", "USDJPY", "150.001"));
        EXPECT_EQ((std::vector<std::string>{c.told}), BoxTexts()) << c.sendResult;
        EXPECT_TRUE(desk.Orders().AllOrders().empty()) << "nothing recorded";
    }
}

TEST_F(TradingRulesTest, WatchdogEndsAQueryOnTheSixthTickAndBusyRefusalsChangeNothing)
{
    desk.OnQueryPositions();
    ASSERT_EQ(CQueryGate::POSITIONS, desk.Gate().GetPending());
    slots.Set(CReplySlots::ORDER_LIST_SLOT, WM_REPLY_HISTORY);
    desk.OnQueryAllOrders();
    EXPECT_EQ((UINT)WM_REPLY_HISTORY, slots.Get(CReplySlots::ORDER_LIST_SLOT));
    for (int tick = 0; tick < CQueryGate::kTimeoutLimit; ++tick)
        desk.OnQueryTimer();
    EXPECT_EQ(CQueryGate::POSITIONS, desk.Gate().GetPending());
    desk.OnQueryTimer();
    EXPECT_EQ(CQueryGate::IDLE, desk.Gate().GetPending());
    EXPECT_EQ((std::vector<std::string>{"正在查询“持仓”！", "查询“持仓”超时！"}), BoxTexts());
    EXPECT_TRUE(windows.Called("set timer 1 1000"));

    // The initial load refuses with its own text and times out without a box.
    boxes.Clear();
    ASSERT_TRUE(desk.Gate().SetPending(CQueryGate::INITIAL_LOAD, false));
    desk.OnRefreshFills();
    TimeOut();
    EXPECT_EQ((std::vector<std::string>{"数据正在初始化..."}), BoxTexts());
    EXPECT_EQ(CQueryGate::IDLE, desk.Gate().GetPending());
}

TEST_F(TradingRulesTest, FailedSendEndsThePendingQueryAndSaysSo)
{
    wire.result = -1;
    desk.OnQueryAllOrders();
    EXPECT_EQ(CQueryGate::IDLE, desk.Gate().GetPending());
    EXPECT_EQ(1u, boxes.Count());
    ListOpenOrders();
    desk.OnOrderSelected({"", "", "", "", "", "", "", "", "已提交", "", "", "11"});
    desk.OnCancelOrder();
    EXPECT_EQ(CQueryGate::IDLE, desk.Gate().GetPending());
    EXPECT_EQ((UINT)WM_REPLY_NEW_ORDER, slots.Get(CReplySlots::ORDER_SLOT));
    EXPECT_EQ(2u, boxes.Count());
}

TEST_F(TradingRulesTest, LateListReplyNeverLandsInTheNextRequestsHandler)
{
    desk.OnQueryAllOrders();
    TimeOut();
    desk.OnQueryCancellable();
    ASSERT_EQ((UINT)WM_REPLY_CANCELLABLE_LIST, slots.Get(CReplySlots::ORDER_LIST_SLOT));
    // The reply to "all orders" arrives now, through the cancellable slot: it is dropped.
    const HistoryOrderRecord late[] = {ListRow("USDJPY", "21", "20240614", "10:00:01", "F", "2", "300")};
    desk.OnCancellableReply(late, 1);
    EXPECT_EQ(CQueryGate::CANCELLABLE_ORDERS, desk.Gate().GetPending());
    EXPECT_TRUE(desk.Orders().CancellableOrders().empty());
    const HistoryOrderRecord own[] = {ListRow("USDJPY", "22", "20240614", "10:00:02", "S")};
    desk.OnCancellableReply(own, 1);
    EXPECT_EQ(CQueryGate::IDLE, desk.Gate().GetPending());
    ASSERT_EQ(1u, desk.Orders().CancellableOrders().size());

    // A reply the server lost: the next query's own reply is dropped once, that query times
    // out, and the one after it is served again.
    desk.OnQueryAllOrders();
    TimeOut();
    desk.OnQueryAllOrders();
    desk.OnAllOrdersReply(own, 1);
    TimeOut();
    desk.OnQueryAllOrders();
    desk.OnAllOrdersReply(own, 1);
    EXPECT_EQ(CQueryGate::IDLE, desk.Gate().GetPending());
    EXPECT_EQ(1u, desk.Orders().AllOrders().size());
}

TEST_F(TradingRulesTest, LatePositionListEndsNoNewerQuery)
{
    desk.OnQueryPositions();
    TimeOut();
    desk.OnQueryPositions();
    const PositionRecord late = Position("USDJPY", "0", "5", "149.000");
    desk.OnPositionsReply(&late);
    desk.OnPositionsReply(NULL);
    desk.EndPendingQueryFromReceiver();
    EXPECT_EQ(CQueryGate::POSITIONS, desk.Gate().GetPending());
    EXPECT_EQ(0u, desk.Positions().Count());
    const PositionRecord own = Position("XAUUSD", "0", "100", "2318.40");
    desk.OnPositionsReply(&own);
    desk.OnPositionsReply(NULL);
    desk.EndPendingQueryFromReceiver();
    EXPECT_EQ(CQueryGate::IDLE, desk.Gate().GetPending());
    EXPECT_EQ(1u, desk.Positions().Count());
}

TEST_F(TradingRulesTest, CancelAllSendsOneCancelPerReplyAndRestoresTheOrderSlot)
{
    ListOpenOrders();
    ASSERT_EQ(CRiskMonitor::STEP_STARTED, desk.OnCancelAllOrders());
    EXPECT_EQ((std::vector<std::string>{"cancleorder@12"}), wire.sent);
    EXPECT_EQ((UINT)WM_REPLY_CANCEL_ALL, slots.Get(CReplySlots::ORDER_SLOT));
    desk.OnCancelAllReply(Report("", "12", "Cancelled"));
    EXPECT_EQ((std::vector<std::string>{"cancleorder@12", "cancleorder@11"}), wire.sent);
    EXPECT_EQ(CQueryGate::CANCEL_ALL, desk.Gate().GetPending());
    desk.OnCancelAllReply(Report("", "11", "Cancelled"));
    EXPECT_EQ(CQueryGate::IDLE, desk.Gate().GetPending());
    EXPECT_EQ((UINT)WM_REPLY_NEW_ORDER, slots.Get(CReplySlots::ORDER_SLOT));
    EXPECT_TRUE(desk.Orders().CancellableOrders().empty() ||
                desk.Orders().OpenOrderNumbers().empty());

    // A cancel report arriving while another kind is pending does not end that kind.
    desk.OnQueryAllOrders();
    desk.OnCancelReply(Report("", "11", "Cancelled"));
    desk.OnCancelAllReply(Report("", "11", "Cancelled"));
    EXPECT_EQ(CQueryGate::ALL_ORDERS, desk.Gate().GetPending());
    EXPECT_EQ((UINT)WM_REPLY_NEW_ORDER, slots.Get(CReplySlots::ORDER_SLOT));

    // A chain that times out gives the order slot back to new orders.
    desk.Gate().SetPending(CQueryGate::IDLE, false);
    ListOpenOrders();
    desk.OnCancelAllOrders();
    TimeOut();
    EXPECT_EQ((UINT)WM_REPLY_NEW_ORDER, slots.Get(CReplySlots::ORDER_SLOT));
    EXPECT_TRUE(desk.GetCancelQueue().empty());
}

TEST_F(TradingRulesTest, OrderReportsUpdateTheListsAndStates)
{
    // Two listed orders without a client reference: a report is matched by its order number.
    const HistoryOrderRecord rows[] = {ListRow("USDJPY", "31", "20240614", "10:00:01", "S"),
                                       ListRow("USDJPY", "32", "20240614", "10:00:02", "S"),
                                       ListRow("USDJPY", "32", "20240614", "10:00:02", "S")};
    desk.OnQueryAllOrders();
    desk.OnAllOrdersReply(rows, 3);
    ASSERT_EQ(2u, desk.Orders().AllOrders().size());   // the repeated row is listed once
    ASSERT_EQ(2u, desk.Orders().CancellableOrders().size());

    // A pending cancel may still fill: the order stays open.
    desk.OnNewOrderReply(Report("", "31", "PendingCancel"));
    const OrderEntry& order31 = desk.Orders().AllOrders()[1];
    EXPECT_EQ(CString("31"), order31[OrderEntry::ORDER_NO]);
    EXPECT_EQ(CString("已提交"), order31[OrderEntry::STATUS]);
    EXPECT_EQ(CString("已提交"), desk.Orders().AllOrders()[0][OrderEntry::STATUS]);
    EXPECT_EQ(2u, desk.Orders().OpenOrderNumbers().size());
    desk.OnNewOrderReply(Report("", "31", "Cancelled"));
    EXPECT_EQ(CString("已取消"), desk.Orders().AllOrders()[1][OrderEntry::STATUS]);
    EXPECT_EQ((std::vector<CString>{"32"}), desk.Orders().OpenOrderNumbers());
    OrderStateRecord state;
    ASSERT_TRUE(store.FindOrderState("31", state));
    EXPECT_EQ(CString("已取消"), state.strState);

    // A negative order number is a forced liquidation; an unknown order enters with its own time.
    desk.OnNewOrderReply(Report("x1", "-7", "Filled"));
    ASSERT_EQ(3u, desk.Orders().AllOrders().size());
    EXPECT_EQ(CString("强平"), desk.Orders().AllOrders()[0][OrderEntry::STATUS]);
    EXPECT_EQ(CString("20240614 10:31:00"), desk.Orders().AllOrders()[0][OrderEntry::DATE_TIME]);
}

TEST_F(TradingRulesTest, PlacedOrderBecomesOpenOnSubmittedAndListsTrimOnlyFinalOrders)
{
    ASSERT_EQ(0, desk.OnPlaceOrder(BuyUsdJpy("L", "150.001", "77")));
    desk.OnNewOrderReply(Report("77", "41", "Submitted"));
    ASSERT_EQ(1u, desk.Orders().CancellableOrders().size());
    EXPECT_EQ(0u, desk.Orders().PlacedCount());
    EXPECT_EQ(CString("41"), desk.Orders().AllOrders()[0][OrderEntry::ORDER_NO]);

    std::vector<OrderEntry> list(101);
    for (size_t i = 0; i < list.size(); ++i)
        list[i][OrderEntry::STATUS] = "已提交";
    COrderBook::Trim(list);
    EXPECT_EQ(101u, list.size());
    list[3][OrderEntry::STATUS] = "已成交";
    list[7][OrderEntry::STATUS] = "已取消";
    COrderBook::Trim(list);
    ASSERT_EQ(100u, list.size());
    EXPECT_EQ(CString("已成交"), list[3][OrderEntry::STATUS]);   // the oldest final one went
}

TEST_F(TradingRulesTest, PositionsFollowRepliesAndCloseWithMarketOrders)
{
    desk.OnQueryPositions();
    desk.OnPositionsReply(NULL);   // an empty list
    desk.EndPendingQueryFromReceiver();
    EXPECT_EQ(CQueryGate::IDLE, desk.Gate().GetPending());
    EXPECT_EQ(0u, desk.Positions().Count());

    const PositionRecord none = Position("XAUUSD", "0", "0", "2300.00");
    desk.OnPositionsReply(&none);
    EXPECT_EQ(0u, desk.Positions().Count());
    const PositionRecord longGold = Position("XAUUSD", "0", "100", "2318.40");
    const PositionRecord shortYen = Position("USDJPY", "1", "2", "151.000");
    desk.OnPositionsReply(&longGold);
    desk.OnPositionsReply(&shortYen);
    ASSERT_EQ(2u, desk.Positions().Count());
    EXPECT_EQ(CString("160.000000"), desk.Positions().At(0).texts[5]);

    desk.OnPositionSelected("x|USDJPY|1");
    desk.OnClosePosition();
    ASSERT_EQ(1u, wire.orders.size());
    EXPECT_EQ(CString("B"), wire.orders[0].side);
    EXPECT_EQ(CString("M"), wire.orders[0].orderType);
    EXPECT_TRUE(windows.Called("set position 1 closing")) << "the row shows the close under way";
    desk.OnCloseAllPositions();   // the yen position is already closing
    ASSERT_EQ(2u, wire.orders.size());
    EXPECT_EQ(CString("XAUUSD"), wire.orders[1].code);
    EXPECT_EQ(CString("S"), wire.orders[1].side);

    // A final report of the close order releases the mark; a flat update removes the row.
    windows.calls.clear();
    desk.OnNewOrderReply(Report(wire.orders[0].clientRef, "51", "Filled"));
    EXPECT_FALSE(desk.Positions().At(1).closing);
    EXPECT_TRUE(windows.Called("set position 1"));
    desk.OnPositionUpdate(Position("USDJPY", "1", "0", "151.000"));
    EXPECT_TRUE(windows.Called("delete position 1"));
    desk.OnPositionUpdate(Position("XAUUSD", "0", "0", "2318.40"));
    EXPECT_TRUE(windows.Called("clear positions"));
    EXPECT_EQ(0u, desk.Positions().Count());
}

TEST_F(TradingRulesTest, PositionsFollowTheQuotesOfTheirCodes)
{
    const PositionRecord longGold = Position("XAUUSD", "0", "100", "2318.40");
    const PositionRecord shortYen = Position("USDJPY", "1", "2", "151.000");
    desk.OnPositionsReply(&longGold);
    desk.OnPositionsReply(&shortYen);
    windows.calls.clear();

    desk.OnQuotePrice("XAUUSD", "2321.40");
    EXPECT_EQ(CString("300.000000"), desk.Positions().At(0).texts[5]);
    EXPECT_TRUE(windows.Called("set position 0") && windows.Called("set position 1")) << "every row again";

    struct Case { const char* code; const char* last; };
    for (const Case& c : {Case{"EURUSD", "1.08000"}, Case{"XAUUSD", "2321.40"}, Case{"XAUUSD", ""},
                          Case{"XAUUSD", "---"}}) {
        windows.calls.clear();
        desk.OnQuotePrice(c.code, c.last);
        EXPECT_TRUE(windows.calls.empty()) << c.code << " at '" << c.last << "' sends rows";
        EXPECT_EQ(CString("300.000000"), desk.Positions().At(0).texts[5]) << c.code << " " << c.last;
    }
}

// Polled whatever the page shows: the positions' codes, and those of the follow orders (the
// orders kept for storing) until they end. An order merely sent is no reason to poll.
TEST_F(TradingRulesTest, HeldCodesAreThePositionsAndTheFollowOrdersStillOpen)
{
    const PositionRecord longGold = Position("XAUUSD", "0", "100", "2318.40");
    desk.OnPositionsReply(&longGold);
    struct Placed { const char* code; const char* clientRef; bool follow; };
    for (const Placed& placed : {Placed{"USDJPY", "61", true}, Placed{"EURUSD", "62", false},
                                 Placed{"GBPUSD", "63", true}}) {
        OrderRequest request = BuyUsdJpy("L", "150.001", placed.clientRef);
        request.code = placed.code;
        request.isFollowOrder = placed.follow;
        ASSERT_EQ(0, desk.OnPlaceOrder(request)) << placed.code;
    }
    desk.OnNewOrderReply(Report("63", "73", "Filled"));

    std::vector<CString> ordered, held;
    desk.CollectHeldCodes(ordered, held);
    EXPECT_EQ((std::vector<CString>{"USDJPY"}), ordered);
    EXPECT_EQ((std::vector<CString>{"XAUUSD"}), held);
}

TEST_F(TradingRulesTest, CloseMarkClearsWhenTheCloseFailsOrIsRefused)
{
    const PositionRecord gold = Position("XAUUSD", "0", "100", "2318.40");
    const PositionRecord yen = Position("USDJPY", "1", "2", "151.000");
    desk.OnPositionsReply(&gold);
    desk.OnPositionsReply(&yen);
    desk.OnPositionSelected("x|XAUUSD|0");

    // A send that fails leaves nothing under way: the position stays closable and the user knows.
    wire.result = -4;
    desk.OnClosePosition();
    EXPECT_FALSE(desk.Positions().At(0).closing);
    EXPECT_EQ((std::vector<std::string>{"请求发送失败，请检查网络连接！"}), BoxTexts());
    boxes.Clear();
    desk.OnCloseAllPositions();
    EXPECT_FALSE(desk.Positions().At(0).closing || desk.Positions().At(1).closing);
    EXPECT_EQ(1u, boxes.Count()) << "one box for the whole close-all";

    // The server refuses the close ("status:-1"): the mark goes, the order ends void, and the
    // next close is sent again.
    wire.result = 0;
    boxes.Clear();
    desk.OnClosePosition();
    ASSERT_TRUE(desk.Positions().At(0).closing);
    const CString refusedRef = desk.Positions().At(0).closeRef;
    desk.OnRequestRefused();
    EXPECT_FALSE(desk.Positions().At(0).closing);
    EXPECT_EQ((std::vector<std::string>{"平仓委托被服务器拒绝！"}), BoxTexts());
    ASSERT_FALSE(desk.Orders().AllOrders().empty());
    EXPECT_EQ(refusedRef, desk.Orders().AllOrders()[0][OrderEntry::CLIENT_REF]);
    EXPECT_EQ(CString("已作废"), desk.Orders().AllOrders()[0][OrderEntry::STATUS]);
    const size_t sent = wire.orders.size();
    desk.OnClosePosition();
    EXPECT_EQ(sent + 1, wire.orders.size());

    // Refusals go to the oldest unanswered request: an answered order is not refused later.
    desk.OnPositionSelected("x|USDJPY|1");
    desk.OnClosePosition();
    desk.OnNewOrderReply(Report(wire.orders[sent].clientRef, "81", "Submitted"));
    desk.OnRequestRefused();
    EXPECT_TRUE(desk.Positions().At(0).closing) << "its close was answered";
    EXPECT_FALSE(desk.Positions().At(1).closing);
}

TEST_F(TradingRulesTest, CancelAllWaitsForTheReportOfTheOrderItCancelled)
{
    ListOpenOrders();
    ASSERT_EQ(CRiskMonitor::STEP_STARTED, desk.OnCancelAllOrders());
    ASSERT_EQ((std::vector<std::string>{"cancleorder@12"}), wire.sent);
    // A report of another order, through the cancel-all slot, neither advances nor ends it.
    desk.OnCancelAllReply(Report("", "99", "Filled"));
    EXPECT_EQ(1u, wire.sent.size());
    EXPECT_EQ(CQueryGate::CANCEL_ALL, desk.Gate().GetPending());
    // A close sent meanwhile keeps the slot; the report of 12 goes on with the chain whichever
    // handler it reaches.
    const PositionRecord gold = Position("XAUUSD", "0", "100", "2318.40");
    desk.OnPositionsReply(&gold);
    desk.OnPositionSelected("x|XAUUSD|0");
    desk.OnClosePosition();
    EXPECT_EQ((UINT)WM_REPLY_CANCEL_ALL, slots.Get(CReplySlots::ORDER_SLOT));
    desk.OnNewOrderReply(Report("", "12", "Cancelled"));
    EXPECT_EQ("cancleorder@11", wire.sent.back());
    // The last cancel is refused: the chain ends and says so once.
    boxes.Clear();
    desk.OnRequestRefused();   // the close's, answered first in order
    EXPECT_EQ(CQueryGate::CANCEL_ALL, desk.Gate().GetPending());
    desk.OnRequestRefused();
    EXPECT_EQ(CQueryGate::IDLE, desk.Gate().GetPending());
    EXPECT_EQ((UINT)WM_REPLY_NEW_ORDER, slots.Get(CReplySlots::ORDER_SLOT));
    EXPECT_EQ((std::vector<std::string>{"平仓委托被服务器拒绝！", "部分委托撤单被服务器拒绝！"}), BoxTexts());
    EXPECT_EQ((std::vector<CString>{"11"}), desk.Orders().OpenOrderNumbers());

    // The order connection goes mid-chain: the chain ends instead of waiting for the watchdog.
    ListOpenOrders();
    desk.OnCancelAllOrders();
    desk.OnConnectionState(CONNECTION_KIND_ORDER, CONNECTION_LOST);
    EXPECT_EQ(CQueryGate::IDLE, desk.Gate().GetPending());
    EXPECT_TRUE(desk.GetCancelQueue().empty());
}

TEST_F(TradingRulesTest, TimedOutListDoesNotSwallowTheListsOfTheNextLogin)
{
    desk.OnQueryAllOrders();
    TimeOut();
    desk.OnQueryPositions();
    TimeOut();
    // The query connection logs in again; its initial load brings both lists.
    desk.OnConnectionState(CONNECTION_KIND_QUERY, CONNECTION_LOGGED_IN);
    const PositionRecord gold = Position("XAUUSD", "0", "100", "2318.40");
    desk.OnPositionsReply(&gold);
    desk.OnPositionsReply(NULL);
    const HistoryOrderRecord rows[] = {ListRow("USDJPY", "31", "20240614", "10:00:01", "S")};
    desk.OnAllOrdersReply(rows, 1);
    EXPECT_EQ(1u, desk.Positions().Count());
    EXPECT_EQ(1u, desk.Orders().AllOrders().size());
}

TEST_F(TradingRulesTest, FloatingProfitBySide)
{
    struct Case
    {
        const char* code;
        const char* last;
        const char* cost;
        const char* side;
        const char* profit;
    } cases[] = {
        {"XAUUSD", "2320.009", "2318.4009", "0", "160.000000"},   // last cut to 2, cost to 3 decimals
        {"XAUUSD", "2320.00", "2318.40", "1", "-160.000000"},
        {"XAUUSD", "2320.00", "2318.40", "2", "---"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CString(c.profit), CPositionBook::FloatingProfit(c.code, c.last, c.cost, "100", "1", c.side, store))
            << c.last << " " << c.side;
}

TEST_F(TradingRulesTest, HistoryDatesAreCheckedBeforeTheQuery)
{
    desk.OnSetQueryPage(ITradingWindows::HISTORY_PAGE);
    struct Case
    {
        const char* start;
        const char* end;
        const char* status;
    } cases[] = {
        {"", "20240614", "查询日期不能为空!"},
        {"2024061", "20240614", "查询日期格式错误!"},
        {"20240230", "20240614", "输入的日期不存在!"},
        {"20240614", "20240613", "查询日期错误：起始日期>结束日期!"},
        {"20240601", "20240615", "只能查询今日以前的日期!"},
    };
    for (const Case& c : cases)
    {
        desk.OnQueryHistory(c.start, c.end);
        EXPECT_EQ(std::string(c.status), windows.status) << c.start << " " << c.end;
    }
    EXPECT_TRUE(wire.sent.empty());
    EXPECT_EQ(CQueryGate::IDLE, desk.Gate().GetPending());

    desk.OnQueryHistory("2024 0601", "20240614");
    EXPECT_EQ("", windows.status);
    EXPECT_EQ((std::vector<std::string>{"querydateorders@6#2024-06-01#2024-06-14#1#"}), wire.sent);
    EXPECT_EQ((UINT)WM_REPLY_HISTORY, slots.Get(CReplySlots::ORDER_LIST_SLOT));
}

TEST_F(TradingRulesTest, HistoryPagesPrintNewestFirstUnderOneHeader)
{
    desk.OnSetQueryPage(ITradingWindows::HISTORY_PAGE);
    desk.OnQueryHistory("20240601", "20240614");
    const HistoryOrderRecord page1[] = {ListRow("USDJPY", "61", "20240610", "09:00:00", "F", "2", "302"),
                                        ListRow("USDJPY", "62", "20240611", "09:00:00", "C"),
                                        ListRow("USDJPY", "62", "20240611", "09:00:00", "C")};
    desk.OnHistoryReport(page1, 3);
    EXPECT_EQ(CQueryGate::IDLE, desk.Gate().GetPending());
    const std::string header(CTradingDesk::HistoryHeaderLine());
    const std::string row61(CTradingDesk::HistoryRowLine(page1[0], store));
    const std::string row62(CTradingDesk::HistoryRowLine(page1[1], store));
    EXPECT_EQ(header + row62 + row61, windows.historyText);
    EXPECT_NE(std::string::npos, row61.find(" 151.000 "));   // average price at the code's decimals
    EXPECT_NE(std::string::npos, row61.find("已成交"));

    desk.OnQueryNextPage();
    EXPECT_EQ("querydateorders@6#2024-06-01#2024-06-14#2#", wire.sent.back());
    const HistoryOrderRecord page2[] = {ListRow("USDJPY", "63", "20240609", "09:00:00", "I")};
    desk.OnHistoryReport(page2, 1);
    EXPECT_EQ(header + row62 + row61 + std::string(CTradingDesk::HistoryRowLine(page2[0], store)),
              windows.historyText);
}

TEST_F(TradingRulesTest, SameFillDeliveredTwiceIsShownOnce)
{
    desk.OnRefreshFills();
    EXPECT_EQ("querystateorders@1#", wire.sent.back());
    const HistoryOrderRecord fills[] = {ListRow("USDJPY", "71", "20240614", "10:00:00", "F", "2", "300"),
                                        ListRow("USDJPY", "71", "20240614", "10:00:00", "F", "2", "300")};
    desk.OnFillsReply(fills, 2);
    desk.OnFillsReply(fills, 1);
    ASSERT_EQ(1u, windows.fills.size());
    EXPECT_EQ(CString("150.000000"), windows.fills[0][OrderEntry::AVE_PRICE]);
    EXPECT_EQ(CQueryGate::IDLE, desk.Gate().GetPending());
}

TEST_F(TradingRulesTest, PasswordChangeIsCheckedThenSentAndItsResultKept)
{
    struct Case
    {
        const char* current;
        const char* next;
        const char* again;
        const char* status;
    } cases[] = {
        {"wrong", "b12345", "b12345", "当前密码不正确！"},
        {"a123456", "", "", "新密码不能为空！"},
        {"a123456", "b1234", "b1234", "新密码长度不能小于 6 位！"},
        {"a123456", "a123456", "a123456", "新密码与当前密码相同！"},
        {"a123456", "b12345", "b12346", "两次输入的新密码不一致！"},
        {"a123456", "b12345", "b12345", "密码修改中..."},
    };
    for (const Case& c : cases)
    {
        desk.OnChangePassword(c.current, c.next, c.again);
        EXPECT_EQ(std::string(c.status), windows.passwordStatus) << c.next;
    }
    EXPECT_EQ((std::vector<std::string>{"editpwd@a123456#b12345#"}), wire.sent);
    desk.OnPasswordResult("-2");
    EXPECT_EQ("原密码不正确，密码修改失败！", windows.passwordStatus);
    EXPECT_EQ(CString("a123456"), session.GetPassword());
    desk.OnChangePassword("a123456", "b12345", "b12345");
    desk.OnPasswordResult("1");
    EXPECT_EQ("密码修改成功！", windows.passwordStatus);
    EXPECT_EQ(CString("b12345"), session.GetPassword());

    QueryConnectionState = CONNECTION_LOST;
    desk.OnChangePassword("b12345", "c12345", "c12345");
    desk.SetAccountOpen(false);
    desk.OnChangePassword("b12345", "c12345", "c12345");
    // The connections of a user without a trading account say so too.
    desk.SetAccountOpen(true);
    TradeConnectionState = CONNECTION_NO_ACCOUNT;
    QueryConnectionState = CONNECTION_NO_ACCOUNT;
    desk.OnChangePassword("b12345", "c12345", "c12345");
    EXPECT_EQ((std::vector<std::string>{"服务器已断开！", "请先开通帐户！", "请先开通帐户！"}), BoxTexts());
    EXPECT_EQ(2u, wire.sent.size()) << "nothing more sent";
}

// A label left in 25 columns, its value right in 12, as the funds page prints them.
std::string FundsLine(const char* label, const char* value)
{
    return std::string(label) + std::string(25 - strlen(label), ' ') + std::string(12 - strlen(value), ' ') + value + "\n";
}

TEST_F(TradingRulesTest, FundsPagePrintsTheAccountAndTheHeaderShowsTheFigures)
{
    desk.SetAccountTexts("小张", "80001", "张三");
    desk.OnSetQueryPage(ITradingWindows::FUNDS_PAGE);
    desk.OnQueryHistory("", "");
    EXPECT_EQ("querysummary@", wire.sent.back());
    EXPECT_EQ((UINT)WM_REPLY_ACCOUNT_SUMMARY, slots.Get(CReplySlots::FUNDS_SLOT));
    ASSERT_EQ(CQueryGate::FUNDS, desk.Gate().GetPending());

    SummaryRecord funds;
    const char* fields[SummaryRecord::kFieldCount] = {"12345.678", "1000", "500", "11845.6", "-250", "-1", ""};
    for (int i = 0; i < SummaryRecord::kFieldCount; ++i)
        funds.strFields[i] = fields[i];
    desk.OnAccountSummary(funds);
    EXPECT_EQ(FundsLine("账户名:", "80001") + FundsLine("姓名:", "张三") + FundsLine("币种:", "---") + "\n" +
                  FundsLine("总资产:", "12345.67") + FundsLine("初始保证金:", "1000.00") +
                  FundsLine("占用保证金:", "500.00") + FundsLine("可用资金:", "11845.60") +
                  FundsLine("流动性:", "---") + FundsLine("美股T+0次数:", "不限次数"),
              windows.fundsText);
    EXPECT_EQ(CQueryGate::IDLE, desk.Gate().GetPending());
    EXPECT_TRUE(windows.Called("header 小张 12345.678")) << "the panel's header takes the figures";
    EXPECT_EQ("12345.678", windows.riskAssets);

    // Without the trading connection the header keeps its status form.
    windows.calls.clear();
    TradeConnectionState = CONNECTION_LOST;
    desk.OnFundsReply(funds);
    EXPECT_FALSE(windows.Called("header 小张 12345.678"));
    desk.ShowAccountHeader();
    EXPECT_TRUE(windows.Called("header 小张 12345.678"));
}

TEST_F(TradingRulesTest, LosingTheQueryConnectionEmptiesThePanelsListsAndForgetsPlacedOrders)
{
    ASSERT_EQ(0, desk.OnPlaceOrder(BuyUsdJpy("M", "", "91")));
    const PositionRecord gold = Position("XAUUSD", "0", "100", "2318.40");
    desk.OnPositionsReply(&gold);
    ASSERT_EQ(1u, desk.Orders().PlacedCount());
    ASSERT_EQ(1u, desk.Positions().Count());

    windows.calls.clear();
    desk.ClearOrdersAndPositions();
    EXPECT_EQ(0u, desk.Positions().Count());
    EXPECT_EQ(0u, desk.Orders().PlacedCount());
    EXPECT_EQ((std::vector<std::string>{"sync 0", "clear positions"}), windows.calls);
    EXPECT_TRUE(windows.shownRows.empty());
    // A report of the order sent before no longer makes it open.
    desk.OnNewOrderReply(Report("91", "92", "Submitted"));
    EXPECT_TRUE(desk.Orders().CancellableOrders().empty());
}

SummaryRecord Funds(const char* total)
{
    SummaryRecord funds;
    funds.strFields[0] = total;
    return funds;
}

TEST_F(TradingRulesTest, RiskMonitorCancelsStopsTheConsoleThenCloses)
{
    CRiskMonitor& risk = desk.Risk();
    risk.SetLine(1000.0);
    EXPECT_TRUE(windows.Called("set timer 4 500"));
    // Nothing is judged before a numeric total has arrived; equal is not below.
    risk.OnMonitorTimer();
    desk.OnFundsUpdate(Funds(""));
    risk.OnMonitorTimer();
    EXPECT_EQ(CRiskMonitor::WATCHING, risk.GetState());
    desk.OnFundsUpdate(Funds("1000.00"));
    risk.OnMonitorTimer();
    EXPECT_EQ(CRiskMonitor::WATCHING, risk.GetState());
    EXPECT_FALSE(windows.Called("stop console"));

    ListOpenOrders();
    const PositionRecord gold = Position("XAUUSD", "0", "100", "2318.40");
    desk.OnPositionsReply(&gold);
    desk.OnPositionsReply(NULL);
    desk.Gate().SetPending(CQueryGate::FUNDS, false);   // a query pending: the cancel-all is refused at first
    desk.OnFundsUpdate(Funds("999.99"));
    risk.OnMonitorTimer();
    EXPECT_EQ(CRiskMonitor::ALARM_RAISED, risk.GetState());
    EXPECT_TRUE(windows.Called("stop console"));
    EXPECT_TRUE(windows.Called("set timer 5 13000"));
    EXPECT_TRUE(wire.orders.empty());
    risk.OnMonitorTimer();   // still pending: waits
    desk.Gate().SetPending(CQueryGate::IDLE, false);
    risk.OnMonitorTimer();   // asks the cancel-all again before any close
    EXPECT_EQ("cancleorder@12", wire.sent.back());
    EXPECT_TRUE(wire.orders.empty());
    desk.OnCancelAllReply(Report("", "12", "Cancelled"));
    desk.OnCancelAllReply(Report("", "11", "Cancelled"));
    boxes.Clear();
    risk.OnMonitorTimer();
    EXPECT_EQ(CRiskMonitor::POSITIONS_CLOSED, risk.GetState());
    ASSERT_EQ(1u, wire.orders.size());
    EXPECT_EQ(CString("XAUUSD"), wire.orders[0].code);
    EXPECT_EQ((std::vector<std::string>{"账号已达到风控设置值，补单运行已停止!"}), BoxTexts());
    EXPECT_TRUE(windows.Called("kill timer 5"));
    EXPECT_FALSE(risk.IsAlarmSounding());

    desk.OnFundsUpdate(Funds("1000"));
    risk.OnMonitorTimer();
    EXPECT_EQ(CRiskMonitor::WATCHING, risk.GetState());
}

TEST_F(TradingRulesTest, StoppingTheRiskMonitorEndsTheAlarm)
{
    CRiskMonitor& risk = desk.Risk();
    desk.OnFundsUpdate(Funds("500"));
    risk.SetLine(1000.0);
    ASSERT_TRUE(desk.Gate().SetPending(CQueryGate::POSITIONS, false));
    risk.OnMonitorTimer();
    ASSERT_TRUE(risk.IsAlarmSounding());
    windows.calls.clear();
    risk.OnAlarmTimer();
    EXPECT_TRUE(windows.Called("play Warn.wav"));
    risk.SetLine(0.0);
    EXPECT_FALSE(risk.IsRunning());
    EXPECT_TRUE(windows.Called("kill timer 4"));
    EXPECT_TRUE(windows.Called("kill timer 5"));
    EXPECT_TRUE(windows.Called("stop sounds"));
    EXPECT_FALSE(risk.IsAlarmSounding());
}

// The account below the line with its lists known: three open orders (one filled) and gold.
class RiskLiquidationTest : public TradingRulesTest
{
protected:
    void SetUp() override
    {
        TradingRulesTest::SetUp();
        ListOpenOrders();
        const PositionRecord gold = Position("XAUUSD", "0", "100", "2318.40");
        desk.OnPositionsReply(&gold);
        desk.OnPositionsReply(NULL);
        desk.Risk().SetLine(1000.0);
    }
    void Tick(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            desk.Risk().OnMonitorTimer();
    }
    // Bounded: a chain that does not advance must fail the test, not hang it.
    void AnswerCancels(const char* state = "Cancelled")
    {
        for (int i = 0; i < 10 && desk.Gate().GetPending() == CQueryGate::CANCEL_ALL; ++i)
        {
            const std::string last = wire.sent.back();
            desk.OnCancelAllReply(Report("", last.substr(last.find('@') + 1).c_str(), state));
        }
    }
    size_t CancelsSent() const
    {
        size_t count = 0;
        for (const std::string& text : wire.sent)
            count += text.compare(0, 12, "cancleorder@") == 0;
        return count;
    }
};

TEST_F(RiskLiquidationTest, TradingConnectionDownWaitsWithOneBoxThenLiquidatesWhenItIsBack)
{
    TradeConnectionState = CONNECTION_LOST;
    // Every box runs further ticks in its loop, as a modal box does with timer 4.
    int nested = 0;
    boxes.SetResponder([&](const tolvan::test::MessageBoxRecord&) {
        if (nested++ < 3)
            Tick(2);
        return IDOK;
    });
    desk.OnFundsUpdate(Funds("999"));
    Tick();
    Tick(3);
    EXPECT_EQ((std::vector<std::string>{CRiskMonitor::DisconnectedText()}), BoxTexts()) << "one box, never stacked";
    EXPECT_TRUE(wire.sent.empty());
    EXPECT_EQ(CRiskMonitor::ALARM_RAISED, desk.Risk().GetState());

    // Back: every order is cancelled first, each after the answer to the one before, and only
    // then the position is closed.
    TradeConnectionState = CONNECTION_LOGGED_IN;
    boxes.Clear();
    Tick();
    EXPECT_EQ(1u, CancelsSent());
    EXPECT_TRUE(wire.orders.empty());
    Tick(3);
    EXPECT_TRUE(wire.orders.empty()) << "no close while a cancel is unanswered";
    AnswerCancels();
    EXPECT_EQ(2u, CancelsSent());
    Tick();
    ASSERT_EQ(1u, wire.orders.size());
    EXPECT_EQ(CString("XAUUSD"), wire.orders[0].code);
    EXPECT_EQ(CRiskMonitor::POSITIONS_CLOSED, desk.Risk().GetState());
    EXPECT_EQ((std::vector<std::string>{CRiskMonitor::DoneText()}), BoxTexts());
    EXPECT_FALSE(desk.Risk().IsAlarmSounding());

    // The next alarm starts from its own cancels, not from the last alarm's result.
    desk.OnNewOrderReply(Report(wire.orders[0].clientRef, "61", "Filled"));
    ASSERT_FALSE(desk.Positions().At(0).closing);
    desk.OnFundsUpdate(Funds("1000"));
    Tick();
    desk.OnQueryCancellable();
    ListOpenOrders();
    const size_t closes = wire.orders.size();
    desk.OnFundsUpdate(Funds("999"));
    Tick(3);
    EXPECT_EQ(closes, wire.orders.size());
    EXPECT_EQ(CQueryGate::CANCEL_ALL, desk.Gate().GetPending());
}

TEST_F(RiskLiquidationTest, RefusedCancelLeavesThePositionsWithAClearMessage)
{
    desk.OnFundsUpdate(Funds("999"));
    Tick();
    for (int tick = 0; tick < 10 && desk.Risk().GetState() == CRiskMonitor::ALARM_RAISED; ++tick)
    {
        for (int i = 0; i < 10 && desk.Gate().GetPending() == CQueryGate::CANCEL_ALL; ++i)
            desk.OnRequestRefused();
        Tick();
    }
    EXPECT_TRUE(wire.orders.empty()) << "no position touched while orders still rest";
    EXPECT_EQ(6u, CancelsSent()) << "three rounds of two cancels";
    EXPECT_EQ((std::vector<std::string>{CRiskMonitor::NotCancelledText()}), BoxTexts());
    EXPECT_EQ(CRiskMonitor::POSITIONS_CLOSED, desk.Risk().GetState());
}

TEST_F(RiskLiquidationTest, OnlyARealValueOfTheAssetsCounts)
{
    struct Case
    {
        const char* total;
        CRiskMonitor::State state;
    } cases[] = {
        {"-150", CRiskMonitor::WATCHING},   // the servers' "no value"
        {"abc", CRiskMonitor::WATCHING},
        {"1000", CRiskMonitor::WATCHING},
        {"-50", CRiskMonitor::ALARM_RAISED},
    };
    for (const Case& c : cases)
    {
        desk.OnFundsUpdate(Funds(c.total));
        Tick();
        EXPECT_EQ(c.state, desk.Risk().GetState()) << c.total;
    }
}

TEST_F(RiskLiquidationTest, ListsLostWithTheQueryConnectionAreAskedForBeforeAnythingIsDone)
{
    desk.OnFundsUpdate(Funds("999"));
    desk.ClearOrdersAndPositions();
    Tick();
    EXPECT_EQ(CRiskMonitor::WATCHING, desk.Risk().GetState()) << "the last value went with the connection";
    desk.OnFundsUpdate(Funds("999"));
    Tick();
    ASSERT_EQ(CRiskMonitor::ALARM_RAISED, desk.Risk().GetState());
    EXPECT_EQ((std::vector<std::string>{"querystateorders@6#"}), wire.sent) << "nothing open is no guess";
    const HistoryOrderRecord open[] = {ListRow("USDJPY", "12", "20240614", "10:00:02", "S")};
    desk.OnAllOrdersReply(open, 1);
    Tick();
    AnswerCancels();
    Tick();
    EXPECT_EQ("queryposition@", wire.sent.back()) << "the positions are asked for before closing";
    EXPECT_TRUE(wire.orders.empty());
    const PositionRecord gold = Position("XAUUSD", "0", "100", "2318.40");
    desk.OnPositionsReply(&gold);
    desk.OnPositionsReply(NULL);
    desk.EndPendingQueryFromReceiver();
    Tick();
    ASSERT_EQ(1u, wire.orders.size());
    EXPECT_EQ(CRiskMonitor::POSITIONS_CLOSED, desk.Risk().GetState());
}

}  // namespace
