// What the trading rules' window calls become for the trade panel: list commands with the
// panel's row texts, its row-count bookkeeping, and the lists as the panel would show them.
#include "TradePanelWindows.h"

#include "FollowOrderStore.h"

#include <TradingMessages.h>
#include <testsupport/RecordingWindow.h>

#include <gtest/gtest.h>

#include <algorithm>

using tolvan::test::RecordingWindow;

namespace {

OrderEntry Order(const char* orderNo, const char* status)
{
    OrderEntry entry;
    entry[OrderEntry::DATE_TIME] = "20240614 10:30:00";
    entry[OrderEntry::CONTRACT_NAME] = "黄金(主力)";
    entry[OrderEntry::CONTRACT] = "NOPE";
    entry[OrderEntry::ORDER_TYPE] = "1";
    entry[OrderEntry::BID] = "0";
    entry[OrderEntry::ORDER_PRICE] = "12.5";
    entry[OrderEntry::ORDER_COUNT] = "3";
    entry[OrderEntry::TRADED_COUNT] = "0";
    entry[OrderEntry::STATUS] = status;
    entry[OrderEntry::FEE] = "---";
    entry[OrderEntry::AVE_PRICE] = "---";
    entry[OrderEntry::ORDER_NO] = orderNo;
    entry[OrderEntry::EFFECT] = "O,P";
    return entry;
}

std::vector<OrderEntry> Orders(int count)
{
    std::vector<OrderEntry> orders;
    for (int i = 0; i < count; ++i)
        orders.push_back(Order(std::to_string(100 + i).c_str(), "已提交"));
    return orders;
}

// What the main window does for the trade panel's windows.
struct OwnerStandIn : ITradePanelOwner
{
    bool ConfirmOrderInDetail(const OrderRequest&, const SummaryRecord&) override { return false; }
    void StopConsoleRunning() override { ++consoleStops; }
    ITradingWindows* PanelWindows() override { return panelWindows; }
    int consoleStops = 0;
    ITradingWindows* panelWindows = nullptr;
};

struct Sent
{
    int op;
    int row;
};

class TradePanelWindowsTest : public ::testing::Test
{
protected:
    TradePanelWindowsTest() : windows(NULL, owner, "C:\\data\\")
    {
        panel.CopyPayload(WM_ORDERS_LIST, [](WPARAM w, LPARAM) {
            const ListCommand* command = reinterpret_cast<const ListCommand*>(w);
            return std::to_string(command->op) + " " + std::to_string(command->row) + " " + std::string(command->text);
        });
        windows.SetPanelWindow(panel);
        windows.SetSoundPlayer([this](LPCSTR path) { played.push_back(path ? path : "(stop)"); });
    }

    std::vector<std::string> OrderCommands(bool withText = false)
    {
        std::vector<std::string> commands;
        for (const auto& message : panel.MessagesOf(WM_ORDERS_LIST))
        {
            std::string payload = message.payload;
            if (!withText)
                payload = payload.substr(0, payload.find(' ', payload.find(' ') + 1));
            commands.push_back(payload);
        }
        return commands;
    }

    RecordingWindow panel;
    OwnerStandIn owner;
    CTradePanelWindows windows;
    std::vector<std::string> played;
};

TEST_F(TradePanelWindowsTest, OrderRowsFollowTheListByMode)
{
    windows.SyncOrderRows(Orders(3), 2);
    ASSERT_EQ(3u, windows.OrderRows().size());
    panel.Clear();

    struct Case
    {
        int mode;
        std::vector<std::string> commands;
    } cases[] = {
        {1, {"0 0", "0 0", "5 0"}},               // two new rows at the top
        {2, {"0 3", "0 4", "5 0"}},               // appended below the three kept
        {0, {"3 0", "0 0", "0 1", "0 2", "0 3", "0 4", "5 0"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.mode);
        windows.SyncOrderRows(Orders(3), 2);
        panel.Clear();
        windows.SyncOrderRows(Orders(5), c.mode);
        EXPECT_EQ(c.commands, OrderCommands());
        ASSERT_EQ(5u, windows.OrderRows().size());
        EXPECT_NE(-1, windows.OrderRows()[4].Find("|104|")) << "every row rewritten in list order";
    }

    // Fewer rows: surplus rows leave from the top for mode 1, from the bottom otherwise; an
    // empty list sends no row text.
    panel.Clear();
    windows.SyncOrderRows(Orders(4), 1);
    EXPECT_EQ((std::vector<std::string>{"2 0", "5 0"}), OrderCommands());
    panel.Clear();
    windows.SyncOrderRows(std::vector<OrderEntry>(), 0);
    EXPECT_EQ((std::vector<std::string>{"3 0"}), OrderCommands());
    EXPECT_TRUE(windows.OrderRows().empty());
}

TEST_F(TradePanelWindowsTest, RowTextsCarryTheListColumns)
{
    std::vector<OrderEntry> orders{Order("7", "已提交")};
    windows.SyncOrderRows(orders, 0);
    EXPECT_EQ(CString("20240614 10:30:00|黄金|NOPE|限价|买|12.50|3|0|已提交|---|---|7|||开仓"), windows.OrderRows()[0])
        << "fifteen cells";

    const CString position[8] = {"黄金(主力)", "NOPE", "1", "5", "12.345", "-7.5", "1", "USD"};
    windows.InsertPositionRow();
    windows.SetPositionRow(0, position, false);
    ASSERT_EQ(1u, windows.PositionRows().size());
    EXPECT_EQ(0, windows.PositionRows()[0].Find("黄金|NOPE|卖|5|12.345|-7.50|")) << windows.PositionRows()[0];
    windows.SetPositionRow(0, position, true);
    EXPECT_EQ(0, windows.PositionRows()[0].Find("黄金(平仓中)|NOPE|")) << windows.PositionRows()[0];

    windows.AppendFillRow(Order("9", "已成交"));
    windows.AppendFillRow(Order("10", "已成交"));
    ASSERT_EQ(2u, windows.FillRows().size());
    EXPECT_EQ(CString("20240614 10:30:00|黄金|NOPE|买|---|0|10|||开仓"), windows.FillRows()[1]);
    windows.ClearFills();
    EXPECT_TRUE(windows.FillRows().empty());
}

TEST_F(TradePanelWindowsTest, ListCommandsApplyAsAListWindowDoes)
{
    std::vector<CString> rows{"a", "b", "c"};
    struct Case
    {
        int op;   // 0 insert, 2 delete, 3 delete all, 4 set a row, 5 set rows from `row`
        int row;
        const char* text;
        std::vector<CString> after;
    } cases[] = {
        {0, 1, "", {"a", "", "b", "c"}},
        {0, 9, "", {"a", "", "b", "c", ""}},
        {2, 0, "", {"", "b", "c", ""}},
        {2, 7, "", {"", "b", "c", ""}},
        {4, 3, "d", {"", "b", "c", "d"}},
        {5, 1, "x\ny\nz\nbeyond", {"", "x", "y", "z"}},
        {3, 0, "", {}},
    };
    for (const Case& c : cases)
    {
        ListCommand command;
        command.op = c.op;
        command.row = c.row;
        command.text = c.text;
        CTradePanelWindows::ApplyListCommand(rows, command);
        EXPECT_EQ(c.after, rows) << "op " << c.op << " row " << c.row;
    }
}

TEST_F(TradePanelWindowsTest, SoundsComeFromTheDataDirectoryAndStop)
{
    windows.PlaySoundFile("Warn.wav");
    windows.StopAllSounds();
    EXPECT_EQ((std::vector<std::string>{"C:\\data\\Warn.wav", "(stop)"}), played);
    EXPECT_EQ(1, windows.SoundStops());
}

TEST_F(TradePanelWindowsTest, TheRiskStopReachesTheMainWindowsConsole)
{
    windows.StopConsole();
    windows.StopConsole();
    EXPECT_EQ(2, owner.consoleStops);
    EXPECT_EQ(2, windows.ConsoleStops()) << "every stop is counted, with or without a console";
}

TEST_F(TradePanelWindowsTest, GivenThePanelsOwnWindowsCallsGoThereInstead)
{
    struct PanelWindows : ITradingWindows
    {
        void SyncOrderRows(const std::vector<OrderEntry>& rows, int mode) override
        {
            calls.push_back("sync " + std::to_string(rows.size()) + " " + std::to_string(mode));
        }
        void SetPositionRow(int row, const CString*, bool closing) override
        {
            calls.push_back("position " + std::to_string(row) + (closing ? " closing" : ""));
        }
        void SendPasswordStatus(const CString& text, COLORREF) override { calls.push_back(std::string(text)); }
        std::vector<std::string> calls;
    } panelWindows;
    owner.panelWindows = &panelWindows;
    const CString position[8] = {"", "NOPE", "0", "1", "1", "0", "1", ""};
    windows.SyncOrderRows(Orders(2), 1);
    windows.InsertPositionRow();
    windows.SetPositionRow(0, position, true);
    windows.SendPasswordStatus("ok", 0);
    EXPECT_EQ((std::vector<std::string>{"sync 2 1", "position 0 closing", "ok"}), panelWindows.calls);
    EXPECT_EQ(0u, panel.Count(WM_ORDERS_LIST)) << "nothing sent to the window besides";
    EXPECT_EQ(2u, windows.OrderRows().size()) << "the lists still follow";
}

TEST_F(TradePanelWindowsTest, WithoutAPanelWindowTheListsStillFollow)
{
    CTradePanelWindows alone(NULL, owner, "C:\\data\\");
    EXPECT_TRUE(alone.HasTradeDialog());
    alone.SyncOrderRows(Orders(2), 1);
    EXPECT_EQ(2u, alone.OrderRows().size());
}

// Follow orders go to the proxy-order table: each as it finishes, and every one still listed
// when the main window ends; orders of the user's own are not stored.
TEST(FollowOrderStoreTest, FollowOrdersAreStoredAsTheyFinishAndAtTheEnd)
{
    char temp[MAX_PATH] = {0};
    ::GetTempPathA(MAX_PATH, temp);
    CString folder;
    folder.Format("%s补单表-%lu\\", temp, ::GetCurrentProcessId());
    ::CreateDirectoryA(folder, NULL);
    ::DeleteFileA(folder + "DP");
    {
        CFollowOrderStore store(folder, "key");
        OwnerStandIn owner;
        CTradePanelWindows windows(NULL, owner, "C:\\data\\", &store);
        OrderEntry follow = Order("501", "已成交");
        follow[OrderEntry::CLIENT_REF] = "f1";
        follow.isFollowOrder = true;
        OrderEntry own = Order("502", "已成交");
        own[OrderEntry::CLIENT_REF] = "u1";
        windows.StoreFinishedFollowOrder(follow);
        windows.StoreFinishedFollowOrder(own);
        std::vector<ProxyOrderRecord> finished;
        ASSERT_TRUE(store.Table().QueryByTime(finished, "20240614 00:00:00", "20240614 23:59:59"));
        ASSERT_EQ(1u, finished.size());
        EXPECT_EQ(CString("501"), finished[0].OrderNo);

        OrderEntry open = Order("503", "已提交");
        open[OrderEntry::CLIENT_REF] = "f2";
        open.isFollowOrder = true;
        follow[OrderEntry::TRADED_COUNT] = "3";
        EXPECT_TRUE(store.StoreAll({follow, own, open}));

        std::vector<ProxyOrderRecord> rows;
        ASSERT_TRUE(store.Table().QueryByTime(rows, "20240614 00:00:00", "20240614 23:59:59"));
        ASSERT_EQ(2u, rows.size());
        std::sort(rows.begin(), rows.end(),
                  [](const ProxyOrderRecord& a, const ProxyOrderRecord& b) { return a.OrderNo < b.OrderNo; });
        EXPECT_EQ(CString("501"), rows[0].OrderNo);
        EXPECT_EQ(CString("3"), rows[0].TradedCount) << "the end's save updates the row";
        EXPECT_EQ(CString("O,P"), CFollowOrderStore::RecordOf(follow).strExtra3);
        EXPECT_EQ(CString("503"), rows[1].OrderNo);
        EXPECT_EQ(CString("已提交"), rows[1].Status);
    }
    ::DeleteFileA(folder + "DP");
    ::RemoveDirectoryA(folder);
}

}  // namespace
