// The trading rules on real connections to the simulator: the receivers deliver the replies to
// a window whose handlers call the rules, as the main window's handlers will.
#include <gtest/gtest.h>
#include <memory>
#include "ConnectionRegistry.h"
#include "ConnectionStates.h"
#include "LoginProcess.h"
#include "MarketTestData.h"
#include "ReceiverHost.h"
#include "ReplyMessages.h"
#include "SessionData.h"
#include "SymbolRules.h"
#include "TradeReplyReceiver.h"
#include "TradingDesk.h"
#include "TradingFakes.h"
#include "testsupport/MessageBoxScript.h"
#include "testsupport/Pump.h"
#include "testsupport/RecordingWindow.h"
#include "testsupport/SimulatorSuite.h"

using namespace tolvan::test;
using namespace tradingtest;

namespace {

// The main window as far as the receivers and the rules see it.
class DeskHost : public IReceiverHost
{
public:
    DeskHost() : desk(slots, wire, windows)
    {
        Route(WM_REPLY_NEW_ORDER, [this](WPARAM w, LPARAM) { desk.OnNewOrderReply(*(OrderInfo*)w); });
        Route(WM_REPLY_CANCEL, [this](WPARAM w, LPARAM) { desk.OnCancelReply(*(OrderInfo*)w); });
        Route(WM_REPLY_CANCEL_ALL, [this](WPARAM w, LPARAM) { desk.OnCancelAllReply(*(OrderInfo*)w); });
        Route(WM_REPLY_ORDER_LIST, [this](WPARAM w, LPARAM l) { desk.OnAllOrdersReply((HistoryOrderRecord*)w, (int)l); });
        Route(WM_REPLY_CANCELLABLE_LIST,
              [this](WPARAM w, LPARAM l) { desk.OnCancellableReply((HistoryOrderRecord*)w, (int)l); });
        Route(WM_REPLY_HISTORY, [this](WPARAM w, LPARAM l) { desk.OnHistoryReport((HistoryOrderRecord*)w, (int)l); });
        Route(WM_REPLY_POSITIONS, [this](WPARAM w, LPARAM) { desk.OnPositionsReply((PositionRecord*)w); });
        Route(WM_POSITION_RECORD, [this](WPARAM w, LPARAM) { desk.OnPositionUpdate(*(PositionRecord*)w); });
        Route(WM_FUNDS_UPDATE, [this](WPARAM w, LPARAM) { desk.OnFundsUpdate(*(SummaryRecord*)w); });
        Route(WM_FUNDS_RECORD, [this](WPARAM w, LPARAM) { desk.OnFundsReply(*(SummaryRecord*)w); });
        Route(WM_REPLY_ACCOUNT_SUMMARY, [this](WPARAM w, LPARAM) { desk.OnAccountSummary(*(SummaryRecord*)w); });
        Route(WM_RESET_ORDER_TABLES, [this](WPARAM, LPARAM) { desk.ResetOrderTables(); });
    }

    HWND GetMainWindow() override { return window; }
    CReplySlots& GetReplySlots() override { return slots; }
    bool SetPendingQuery(int kind) override
    {
        if (kind != 0)
            return desk.Gate().SetPending(kind, false);
        desk.EndPendingQueryFromReceiver();
        return true;
    }
    void ResetQueryTimeout() override { desk.Gate().ResetTicks(); }
    double GetContractMultiplier(LPCTSTR code) override { return ::GetContractMultiplier(code); }

    RecordingWindow window;
    CReplySlots slots;
    CRegistryTradeWire wire;
    FakeWindows windows;
    CTradingDesk desk;

private:
    void Route(UINT message, std::function<void(WPARAM, LPARAM)> handler)
    {
        window.SetHandler(message, [handler](HWND, WPARAM w, LPARAM l) {
            handler(w, l);
            return (LRESULT)0;
        });
    }
};

TicketFields Ticket(const char* direction, const char* kind, const char* price, const char* lots)
{
    TicketFields ticket;
    ticket.direction = direction;
    ticket.priceKind = kind;
    ticket.code = "XAUUSD";
    ticket.price = price;
    ticket.priceStep = "0.01";
    ticket.quantity = lots;
    return ticket;
}

class TradingSimulatorTest : public SimulatorSuite
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ResetSimulator("trade"));
        ResetConnectionStates();
        ASSERT_EQ("OK", s_sim->Control("set price XAUUSD 2320.00").substr(0, 2));
        GetQuoteStore().AddSector(markettest::MakeSector("外汇现货", "FEC", {markettest::MakeRow("XAUUSD", 0, "2320.00")}));

        m_login.SetSendDelay(0);
        m_login.SetServer("127.0.0.1", (USHORT)s_sim->Port("login"), "");
        m_login.SetUser("80001", "a123456");
        ASSERT_EQ(CLoginProcess::kSendOk, m_login.SendLogin());
        ASSERT_TRUE(PumpUntil([&] { return m_login.GetResult() == CLoginProcess::kResultAccepted; }));
        CConnectionRegistry& registry = GetConnectionRegistry();
        registry.CreateSessions(false);
        ASSERT_NE(nullptr, registry.GetTradeSession());
        ASSERT_NE(nullptr, registry.GetQuerySession());

        m_host.reset(new DeskHost());
        m_host->desk.SetOwner(m_host->window);
        m_order.reset(new CTradeReplyReceiver(*m_host, registry, registry.GetTradeSession()->GetConnection(),
                                              CONNECTION_KIND_ORDER));
        m_query.reset(new CTradeReplyReceiver(*m_host, registry, registry.GetQuerySession()->GetConnection(),
                                              CONNECTION_KIND_QUERY));
        for (CTradeReplyReceiver* receiver : {m_order.get(), m_query.get()})
        {
            receiver->SetCycleMs(20);
            ASSERT_TRUE(receiver->Start());
        }
        // The initial load: funds, the gold position and today's orders.
        ASSERT_TRUE(PumpUntil([&] {
            return TradeConnectionState == CONNECTION_LOGGED_IN && QueryConnectionState == CONNECTION_LOGGED_IN &&
                   Desk().Positions().Count() == 1 && !Desk().GetFunds().strFields[0].IsEmpty() &&
                   Desk().Gate().GetPending() == CQueryGate::IDLE && m_host->window.Count(WM_REPLY_ORDER_LIST) == 1;
        }));
    }

    void TearDown() override
    {
        // The receivers deliver by SendMessage to this thread: stop them while it pumps.
        WhilePumping([&] {
            if (m_order)
                m_order->Stop(5000);
            if (m_query)
                m_query->Stop(5000);
        });
        m_order.reset();
        m_query.reset();
        GetConnectionRegistry().DisconnectAll();
        m_host.reset();
        ResetConnectionStates();
        SimulatorSuite::TearDown();
    }

    CTradingDesk& Desk() { return m_host->desk; }
    std::string Account() { return s_sim->Control("account 80001"); }
    bool WaitIdle()
    {
        return PumpUntil([&] { return Desk().Gate().GetPending() == CQueryGate::IDLE; });
    }
    const PositionEntry* Gold()
    {
        const int index = Desk().Positions().Find("XAUUSD");
        return index < 0 ? nullptr : &Desk().Positions().At(index);
    }

    CString StatusOf(const CString& orderNo)
    {
        for (const OrderEntry& entry : Desk().Orders().AllOrders())
            if (entry[OrderEntry::ORDER_NO] == orderNo)
                return entry[OrderEntry::STATUS];
        return "";
    }

    CLoginProcess m_login;
    std::unique_ptr<DeskHost> m_host;
    std::unique_ptr<CTradeReplyReceiver> m_order;
    std::unique_ptr<CTradeReplyReceiver> m_query;
    MessageBoxScript m_boxes;
};

TEST_F(TradingSimulatorTest, BuyCancelCloseAndTripTheRiskLine)
{
    // Buy one lot at market: the fill shows in today's orders, the position and the account.
    Desk().OnNewOrder(Ticket("买入", "市价", "", "1"));
    ASSERT_TRUE(PumpUntil([&] {
        return !Desk().Orders().AllOrders().empty() &&
               Desk().Orders().AllOrders()[0][OrderEntry::STATUS] == "已成交" && Gold() != nullptr &&
               Gold()->texts[3] == "200";
    }));
    EXPECT_EQ(0u, m_boxes.Count());
    EXPECT_NE(std::string::npos, Account().find("\"XAUUSD\": {\"avg\": 2319.2, \"qty\": 200.0}")) << Account();

    // A limit far below the market rests; cancelling it ends the cancel query.
    Desk().OnNewOrder(Ticket("买入", "限价", "1000.00", "1"));
    ASSERT_TRUE(PumpUntil([&] { return Desk().Orders().CancellableOrders().size() == 1; }));
    const OrderEntry resting = Desk().Orders().CancellableOrders()[0];
    Desk().OnOrderSelected(std::vector<CString>(resting.texts, resting.texts + OrderEntry::kShownColumns));
    Desk().OnCancelOrder();
    ASSERT_TRUE(WaitIdle());
    EXPECT_TRUE(Desk().Orders().CancellableOrders().empty());
    EXPECT_EQ(CString("已取消"), StatusOf(resting[OrderEntry::ORDER_NO]));
    EXPECT_EQ((UINT)WM_REPLY_NEW_ORDER, m_host->slots.Get(CReplySlots::ORDER_SLOT));

    // Close all: the position goes, in the lists and in the account.
    Desk().OnCloseAllPositions();
    ASSERT_TRUE(PumpUntil([&] { return Desk().Positions().Count() == 0; }));
    EXPECT_NE(std::string::npos, Account().find("\"positions\": {}"));

    // Risk line just under the assets; a price fall takes them below it.
    Desk().OnNewOrder(Ticket("买入", "市价", "", "1"));
    ASSERT_TRUE(PumpUntil([&] { return Gold() != nullptr; }));
    Desk().OnNewOrder(Ticket("买入", "限价", "1000.00", "1"));
    ASSERT_TRUE(PumpUntil([&] { return Desk().Orders().CancellableOrders().size() == 1; }));
    Desk().OnSetQueryPage(ITradingWindows::FUNDS_PAGE);
    Desk().OnQueryHistory("", "");
    ASSERT_TRUE(WaitIdle());
    const double assets = atof(Desk().GetFunds().strFields[0]);
    ASSERT_GT(assets, 0.0);
    CRiskMonitor& risk = Desk().Risk();
    risk.SetLine(assets - 100.0);
    risk.OnMonitorTimer();
    EXPECT_EQ(CRiskMonitor::WATCHING, risk.GetState());

    ASSERT_EQ("OK", s_sim->Control("set price XAUUSD 2300.00").substr(0, 2));
    Desk().OnQueryHistory("", "");
    ASSERT_TRUE(WaitIdle());
    ASSERT_LT(atof(Desk().GetFunds().strFields[0]), assets - 100.0);
    risk.OnMonitorTimer();
    EXPECT_EQ(CRiskMonitor::ALARM_RAISED, risk.GetState());
    EXPECT_TRUE(m_host->windows.Called("stop console"));
    ASSERT_TRUE(PumpUntil([&] {
        risk.OnMonitorTimer();
        return risk.GetState() == CRiskMonitor::POSITIONS_CLOSED;
    }));
    EXPECT_TRUE(Desk().Orders().CancellableOrders().empty());
    ASSERT_TRUE(PumpUntil([&] { return Desk().Positions().Count() == 0; }));
    EXPECT_NE(std::string::npos, Account().find("\"positions\": {}"));
    EXPECT_EQ("账号已达到风控设置值，补单运行已停止!", m_boxes.Last().text);
    EXPECT_FALSE(risk.IsAlarmSounding());
}

TEST_F(TradingSimulatorTest, LateReplyAfterTimeOutIsDropped)
{
    // A filled order and a resting one: the list of all orders differs from the open ones.
    Desk().OnNewOrder(Ticket("买入", "市价", "", "1"));
    ASSERT_TRUE(PumpUntil([&] { return Gold() != nullptr && Gold()->texts[3] == "200"; }));
    Desk().OnNewOrder(Ticket("买入", "限价", "1000.00", "1"));
    ASSERT_TRUE(PumpUntil([&] { return Desk().Orders().CancellableOrders().size() == 1; }));

    ASSERT_EQ("OK", s_sim->Control("stall query on"));
    Desk().OnQueryAllOrders();
    for (int tick = 0; tick <= CQueryGate::kTimeoutLimit; ++tick)
        Desk().OnQueryTimer();
    EXPECT_EQ("查询“全部”超时！", m_boxes.Last().text);
    Desk().OnQueryCancellable();
    ASSERT_EQ("OK", s_sim->Control("stall query off"));
    // Both replies arrive; only the second is the cancellable list.
    ASSERT_TRUE(WaitIdle());
    ASSERT_EQ(1u, Desk().Orders().CancellableOrders().size());
    EXPECT_EQ(CString("已提交"), Desk().Orders().CancellableOrders()[0][OrderEntry::STATUS]);
}

}  // namespace
