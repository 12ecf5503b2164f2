// The console's accounts and strategies: client-list replies, assignments, applied flags and
// strategies that go away; and the cells of an order row.
#include "ConsoleAccounts.h"

#include "AccountRows.h"
#include "OrderListText.h"

#include <gtest/gtest.h>

namespace {

// Two accounts: 80002 follows strategy 1 ("稳健"), 80003 none; strategies 1 and 2 exist.
CConsoleAccounts TwoAccounts()
{
    CConsoleAccounts accounts;
    accounts.Load({Assignment("80002", "李娜", "1", "稳健"), Assignment("80003", "王芳", "-1", "无策略")},
                  {Strategy(1, "稳健"), Strategy(2, "激进")});
    return accounts;
}

TEST(ConsoleAccountsTest, ClientListRepliesListTheirAccountsAndNeverDropAStrategy)
{
    const struct
    {
        const char* reply;
        bool taken;
        size_t listed;
        std::vector<std::vector<const char*>> rows;  // account, name, strategy id, strategy name
    } cases[] = {
        {"[80002#李娜][80004#]", true, 2,
         {{"80002", "李娜", "1", "稳健"}, {"80004", "", "-1", "无策略"}, {"80003", "王芳", "-1", "无策略"}}},
        // Accounts the reply leaves out are kept, with their strategies, after the listed ones.
        {"[80004#刘洋#1#2]", true, 1,
         {{"80004", "刘洋", "-1", "无策略"}, {"80002", "李娜", "1", "稳健"}, {"80003", "王芳", "-1", "无策略"}}},
        // An account differs from another that reads as the same number: they are texts.
        {"[080002#某人]", true, 1,
         {{"080002", "某人", "-1", "无策略"}, {"80002", "李娜", "1", "稳健"}, {"80003", "王芳", "-1", "无策略"}}},
        {"no items", false, 2, {{"80002", "李娜", "1", "稳健"}, {"80003", "王芳", "-1", "无策略"}}},
        {"", false, 2, {{"80002", "李娜", "1", "稳健"}, {"80003", "王芳", "-1", "无策略"}}},
    };
    for (const auto& c : cases) {
        CConsoleAccounts accounts = TwoAccounts();
        EXPECT_EQ(c.taken, accounts.TakeClientList(c.reply)) << c.reply;
        EXPECT_EQ(c.listed, accounts.ListedCount()) << c.reply;
        const std::vector<UserStrategy>& users = accounts.Assignments();
        ASSERT_EQ(c.rows.size(), users.size()) << c.reply;
        for (size_t i = 0; i < users.size(); ++i) {
            EXPECT_EQ(CString(c.rows[i][0]), users[i].userId) << c.reply;
            EXPECT_EQ(CString(c.rows[i][1]), users[i].userName) << c.reply;
            EXPECT_EQ(CString(c.rows[i][2]), users[i].strategyId) << c.reply;
            EXPECT_EQ(CString(c.rows[i][3]), users[i].strategyName) << c.reply;
        }
    }

    // A later reply that lists the account again shows it with its strategy.
    CConsoleAccounts accounts = TwoAccounts();
    accounts.TakeClientList("[80003#王芳]");
    accounts.TakeClientList("[80003#王芳][80002#李娜]");
    EXPECT_EQ(2u, accounts.ListedCount());
    EXPECT_EQ(CString("1"), accounts.Assignments()[1].strategyId);
}

TEST(ConsoleAccountsTest, AppliedFlagsFollowTheAssignments)
{
    CConsoleAccounts accounts = TwoAccounts();
    ASSERT_TRUE(accounts.FindStrategyById(1)->applied);
    EXPECT_FALSE(accounts.FindStrategyById(2)->applied);

    // A second account on strategy 1: removing it from the first keeps the flag.
    accounts.Assign("80003", 1, "稳健");
    accounts.Assign("80002", -1, "无策略");
    accounts.MarkAppliedStrategies();
    EXPECT_TRUE(accounts.FindStrategyById(1)->applied);
    accounts.Assign("80003", -1, "无策略");
    accounts.MarkAppliedStrategies();
    EXPECT_FALSE(accounts.FindStrategyById(1)->applied);
    EXPECT_EQ(CString("无策略"), accounts.FindAssignment("80003")->strategyName);
    EXPECT_FALSE(accounts.Assign("99999", 2, "激进")) << "no such account";
}

TEST(ConsoleAccountsTest, AccountsOfAStrategyThatGoesLoseIt)
{
    CConsoleAccounts accounts = TwoAccounts();
    accounts.Assign("80003", 2, "激进");
    accounts.ReplaceStrategies({Strategy(2, "激进二号")});
    EXPECT_EQ(CString("-1"), accounts.FindAssignment("80002")->strategyId);
    EXPECT_EQ(CString("无策略"), accounts.FindAssignment("80002")->strategyName);
    EXPECT_EQ(CString("激进二号"), accounts.FindAssignment("80003")->strategyName) << "renamed";
    EXPECT_TRUE(accounts.FindStrategyById(2)->applied);

    // Loaded assignments naming a strategy that is not stored start without one...
    CConsoleAccounts loaded;
    loaded.Load({Assignment("80002", "李娜", "7", "旧策略")}, {Strategy(1, "稳健")});
    EXPECT_EQ(CString("-1"), loaded.FindAssignment("80002")->strategyId);
    EXPECT_FALSE(loaded.FindStrategyById(1)->applied);
    // ...unless the strategies could not be read: then nothing says the strategy is gone.
    CConsoleAccounts unread;
    unread.Load({Assignment("80002", "李娜", "7", "旧策略")}, {}, false);
    EXPECT_EQ(CString("7"), unread.FindAssignment("80002")->strategyId);
    EXPECT_EQ(CString("旧策略"), unread.FindAssignment("80002")->strategyName);
}

TEST(OrderListTextTest, CellsAndColoursOfOrderRows)
{
    const struct
    {
        const char* cid;
        const char* fnum;
        const char* ps;
        const char* mg;
        const char* st;
        const char* an;
        const char* state;    // shown
        const char* fee;      // shown
        const char* average;  // shown
        COLORREF stateColor;
        COLORREF sideColor;
    } cases[] = {
        {"12", "2", "155.6", "3.5", "已成交", "买", "已成交", "3.50", "77.80", RGB(255, 0, 0), RGB(255, 0, 0)},
        {"-3", "1", "77.8", "", "已成交", "卖", "强平", "---", "77.80", RGB(255, 0, 0), RGB(0, 128, 0)},
        {"13", "0", "0", "0", "已提交", "买", "已提交", "0.00", "---", RGB(0, 128, 0), RGB(255, 0, 0)},
        {"14", "", "", "1", "已取消", "x", "已取消", "1.00", "---", 0, 0},
    };
    for (const auto& c : cases) {
        OrderRow row;
        row.clientName = "80002";
        row.cn = "CL";
        row.cid = c.cid;
        row.fnum = c.fnum;
        row.ps = c.ps;
        row.mg = c.mg;
        row.st = c.st;
        row.an = c.an;
        const std::vector<CString> cells = OrderListCells(row);
        ASSERT_EQ((size_t)ORDER_COL_COUNT, cells.size());
        EXPECT_EQ(CString(c.state), cells[ORDER_COL_STATE]) << c.cid;
        EXPECT_EQ(CString(c.fee), cells[ORDER_COL_FEE]) << c.cid;
        EXPECT_EQ(CString(c.average), cells[ORDER_COL_AVERAGE]) << c.cid;
        EXPECT_EQ(CString("80002"), cells[ORDER_COL_ACCOUNT]);
        const std::vector<COLORREF> colors = OrderListColors(cells, ORDER_COL_SIDE, ORDER_COL_STATE);
        EXPECT_EQ(c.stateColor, colors[ORDER_COL_STATE]) << c.cid;
        EXPECT_EQ(c.sideColor, colors[ORDER_COL_SIDE]) << c.cid;
        EXPECT_EQ(0u, colors[ORDER_COL_CODE]);
    }
}

}  // namespace
