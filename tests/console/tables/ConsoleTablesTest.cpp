#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

#include "DBOrder.h"
#include "DBProxyOrder.h"
#include "DBStrategy.h"
#include "DBUser.h"
#include "RawDatabase.h"
#include "StrategyJson.h"
#include "TableFixture.h"
#include "TableSql.h"

#include <functional>
#include <utility>

namespace {

using namespace tabletest;

class ConsoleTablesTest : public ::testing::Test {
protected:
    void SetUp() override { folder = MakeScratchFolder("tables"); }
    void TearDown() override { RemoveScratchFolder(folder); }

    CString folder;
    const CString key = UserKey("admin");
};

StrategyLeg Leg(const char* type, const char* multiple, const char* slip)
{
    StrategyLeg leg;
    leg.bEnable = 1;
    leg.strContractType = type;
    leg.strMultiple = multiple;
    leg.strDirection = "反向";
    leg.strPriceType = "限价";
    leg.strSlipPoint = slip;
    return leg;
}

TEST_F(ConsoleTablesTest, StrategiesComeBackAsTheyWereStored)
{
    std::vector<StrategyInfo> stored(3);
    stored[0].nStragegyId = 1;
    stored[0].strStrategyName = "O'Neil 100% 跟单";
    stored[0].vecStrategy = {Leg("外汇现货", "2", "1"), Leg("贵金属", "3\"}", "0")};
    stored[1].nStragegyId = 2;
    stored[1].strStrategyName = "无腿";
    stored[2].nStragegyId = 2;  // the same id again: refused by the table
    stored[2].strStrategyName = "duplicate";
    {
        CDBStrategy table(folder + "DS", key);
        EXPECT_FALSE(table.ReplaceAll(stored));  // one refused row, the others stored
    }
    CDBStrategy table(folder + "DS", key);
    std::vector<StrategyInfo> loaded;
    ASSERT_TRUE(table.LoadAll(loaded, "", true, -1, 0));
    ASSERT_EQ(2u, loaded.size());
    EXPECT_EQ(stored[0].strStrategyName, loaded[0].strStrategyName);
    ASSERT_EQ(2u, loaded[0].vecStrategy.size());
    const StrategyLeg& leg = loaded[0].vecStrategy[1];
    EXPECT_EQ(CString("贵金属"), leg.strContractType);
    EXPECT_EQ(CString("3\"}"), leg.strMultiple);
    EXPECT_EQ(CString("反向"), leg.strDirection);
    EXPECT_EQ(CString("限价"), leg.strPriceType);
    EXPECT_EQ(1, leg.bEnable);
    EXPECT_EQ(CString("1"), loaded[0].vecStrategy[0].strSlipPoint);
    EXPECT_FALSE(loaded[0].applied);
    EXPECT_EQ(CString("无腿"), loaded[1].strStrategyName);
    EXPECT_TRUE(loaded[1].vecStrategy.empty());

    // Every text of the stored body is escaped: the body is plain ASCII.
    const RawQueryResult bodies = RawQuery(folder + "DS", key, "select strStrategyBody from Strategy_3");
    ASSERT_EQ(SQLITE_OK, bodies.code) << bodies.message;
    for (const auto& row : bodies.rows) {
        for (unsigned char c : row[0])
            EXPECT_LT(c, 0x80) << row[0];
    }
    EXPECT_NE(std::string::npos, bodies.rows[1][0].find("\"vecStrategy\": []"));
}

TEST(StrategyJsonTest, BodiesWithMissingOrBadPartsKeepDefaults)
{
    struct Case
    {
        const char* what;
        const char* body;
        size_t legs;
        const char* slip;
        int enable;
        const char* name;
    };
    const Case cases[] = {
        {"empty slip", "{\"nStragegyId\":4,\"strStrategyName\":\"a%20b\",\"vecStrategy\":"
                       "[{\"strSlipPoint\":\"\",\"bEnable\":1}]}", 1, "0", 1, "a b"},
        {"no bEnable", "{\"vecStrategy\":[{\"strMultiple\":\"2\"}]}", 1, "0", 0, ""},
        {"plain older texts", "{\"vecStrategy\":[{\"strSlipPoint\":\"2\",\"bEnable\":\"1\"}]}", 1, "2", 1, ""},
        {"not JSON", "{\"vecStrategy\":[", 0, "", 0, "column"},
        {"empty", "", 0, "", 0, "column"},
    };
    for (const Case& c : cases) {
        StrategyInfo strategy;
        strategy.strStrategyName = "column";
        strategy.vecStrategy.resize(3);
        StrategyFromJson(strategy, c.body);
        EXPECT_EQ(CString(c.name), strategy.strStrategyName) << c.what;
        ASSERT_EQ(c.legs, strategy.vecStrategy.size()) << c.what;
        if (c.legs > 0) {
            EXPECT_EQ(CString(c.slip), strategy.vecStrategy[0].strSlipPoint) << c.what;
            EXPECT_EQ(c.enable, strategy.vecStrategy[0].bEnable) << c.what;
        }
    }
}

TEST_F(ConsoleTablesTest, UsersAreReplacedAsAWhole)
{
    CDBUser table(folder + "DU", key);
    ASSERT_TRUE(table.ReplaceAll(UsersOf(1)));
    std::vector<UserStrategy> replacement = {UsersOf(2)[0], UsersOf(2)[1], UsersOf(2)[0]};
    EXPECT_FALSE(table.ReplaceAll(replacement));  // the repeated row is refused
    std::vector<UserStrategy> users;
    ASSERT_TRUE(table.LoadAll(users, "userId", false, -1, 0));
    ASSERT_EQ(2u, users.size());
    EXPECT_EQ(UsersOf(2)[1].userId, users[0].userId);
    EXPECT_EQ(UsersOf(2)[0].userName, users[1].userName);
}

TEST_F(ConsoleTablesTest, OrdersAreUpdatedByTheirKeyAndQueriedByTime)
{
    CDBOrder table(folder + "DO", key);
    OrderRow first = OrderOf(1, 1);
    first.ot = "2026-12-10 09:30:01";
    OrderRow second = OrderOf(2, 1);
    second.ot = "2026-12-10 10:00:00";
    second.mg = "it's";
    OrderRow otherDay = OrderOf(1, 2);
    otherDay.ot = "2026-12-11 10:00:00";
    OrderRow earlier = OrderOf(1, 3);
    earlier.ot = "2026-12-10 08:00:00";

    ASSERT_TRUE(table.UpsertOrder(first));
    ASSERT_TRUE(table.UpsertOrder(second));  // same key: the row takes the second values
    ASSERT_TRUE(table.Insert(otherDay));
    ASSERT_TRUE(table.Insert(earlier));
    EXPECT_FALSE(table.InsertAll({first, OrderOf(1, 4)}));  // the stored key is refused...

    std::vector<OrderRow> rows;
    ASSERT_TRUE(table.QueryOrders(rows, "2026-12-10 00:00:00", "2026-12-10 23:59:59", "ot", false, -1, 0));
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ(second.st, rows[0].st);  // ...and keeps the values of its last upsert
    EXPECT_EQ(CString("it's"), rows[0].mg);
    EXPECT_EQ(CString("2026-12-10 10:00:00"), rows[1].ot);  // OrderOf's own time, row 4
    EXPECT_EQ(CString("O3"), rows[2].oid);

    rows.clear();
    ASSERT_TRUE(table.QueryOrders(rows, "2026-12-10 00:00:00", "2026-12-10 23:59:59", "", true, 1, 1));
    EXPECT_EQ(1u, rows.size());
}

TEST_F(ConsoleTablesTest, ProxyOrdersAreUpdatedByOrderNumberAndSubmission)
{
    CDBProxyOrder table(folder + "DP", key);
    ASSERT_TRUE(table.UpsertProxyOrder(ProxyOrderOf(1, 7)));
    ASSERT_TRUE(table.UpsertProxyOrder(ProxyOrderOf(2, 7)));
    ASSERT_TRUE(table.UpsertProxyOrder(ProxyOrderOf(1, 8)));
    const RawQueryResult rows = RawQuery(folder + "DP", key, "select OrderNo, Status from ProxyOrder order by OrderNo");
    ASSERT_EQ(SQLITE_OK, rows.code) << rows.message;
    ASSERT_EQ(2u, rows.rows.size());
    EXPECT_EQ(CDBBase::AnsiToUtf8(ProxyOrderOf(2, 7).Status), rows.rows[0][1]);
}

// Texts from the servers go into the tables as they come: every lead byte of the code page
// followed by a quote, a lead byte cut off at the end, statement separators. Each is stored
// in its own row and read back; nothing it holds reaches the SQL.
struct HostileText
{
    CString text;
    CString storedAs;  // a lead byte without its second byte reads back as "?"
};

std::vector<HostileText> HostileTexts()
{
    const CString tail = "', '1', '2'); delete from User; delete from UserOrder; --";
    std::vector<HostileText> texts;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        CString text;
        text.Format("N%c", lead);
        texts.push_back({text + tail, "N?" + tail});
    }
    texts.push_back({"张三\x81", "张三?"});
    texts.push_back({"王'芳'); drop table User; --", "王'芳'); drop table User; --"});
    texts.push_back({"李\\'\"娜;", "李\\'\"娜;"});
    return texts;
}

TEST_F(ConsoleTablesTest, HostileTextsAreStoredAsValuesAndReadBack)
{
    const std::vector<HostileText> texts = HostileTexts();
    std::vector<UserStrategy> users;
    for (size_t i = 0; i < texts.size(); ++i) {
        UserStrategy user;
        user.userId.Format("%d", 7000 + (int)i);
        user.userName = texts[i].text;
        user.strategyId = "1";
        user.strategyName = texts[i].text;
        users.push_back(user);
    }
    {
        CDBUser table(folder + "DU", key);
        ASSERT_TRUE(table.ReplaceAll(users));
    }
    CDBUser table(folder + "DU", key);
    std::vector<UserStrategy> loaded;
    ASSERT_TRUE(table.LoadAll(loaded, "userId", true, -1, 0));
    ASSERT_EQ(texts.size(), loaded.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].storedAs, loaded[i].userName) << i;
        EXPECT_EQ(texts[i].storedAs, loaded[i].strategyName) << i;
    }

    // Order fields, the key columns included, through insert, update and the time range.
    CDBOrder orders(folder + "DO", key);
    for (size_t i = 0; i < texts.size(); ++i) {
        OrderRow row = OrderOf(1, (int)i);
        row.clientName = texts[i].text;
        row.oid = texts[i].text;
        ASSERT_TRUE(orders.UpsertOrder(row)) << i;
        row.st = texts[i].text;
        ASSERT_TRUE(orders.UpsertOrder(row)) << i;
    }
    std::vector<OrderRow> rows;
    ASSERT_TRUE(orders.QueryOrders(rows, "2026-12-10 00:00:00", "2026-12-10 23:59:59' or '1' = '1", "", true, -1, 0));
    ASSERT_EQ(texts.size(), rows.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].storedAs, rows[i].clientName) << i;
        EXPECT_EQ(texts[i].storedAs, rows[i].st) << i;
    }
    EXPECT_TRUE(orders.QueryOrders(rows = {}, "2026-12-11' or '1' = '1", "2026-12-11 23:59:59", "", true, -1, 0));
    EXPECT_TRUE(rows.empty());
}

}  // namespace

namespace {

// A text with a NUL byte inside: "王" NUL "芳".
const CString kWithNul("\xCD\xF5\0\xB7\xBC", 5);

}  // namespace

// A value holding a NUL byte would be stored cut at the NUL, as another value or another key.
// Each table refuses the row as it refuses a duplicate key; a replacement keeps the other rows.
TEST_F(ConsoleTablesTest, ARowWithANulByteIsRefusedNotStoredCut)
{
    std::vector<UserStrategy> users = UsersOf(1);
    users.resize(3);
    users[1].userName = kWithNul;
    CDBUser userTable(folder + "DU", key);
    EXPECT_FALSE(userTable.ReplaceAll(users));
    std::vector<UserStrategy> storedUsers;
    ASSERT_TRUE(userTable.LoadAll(storedUsers, "userId", true, -1, 0));
    ASSERT_EQ(2u, storedUsers.size());
    EXPECT_EQ(users[0].userName, storedUsers[0].userName);
    EXPECT_EQ(users[2].userName, storedUsers[1].userName);

    CDBStrategy strategyTable(folder + "DS", key);
    CDBOrder orderTable(folder + "DO", key);
    CDBProxyOrder proxyTable(folder + "DP", key);
    struct Case
    {
        const char* what;
        std::function<bool()> store;
        const CDBBase& table;
    };
    const Case cases[] = {
        {"a strategy name",
         [&] {
             StrategyInfo strategy = StrategiesOf(1)[0];
             strategy.strStrategyName = kWithNul;
             return strategyTable.Insert(strategy);
         },
         strategyTable},
        {"a leg text inside the body",
         [&] {
             StrategyInfo strategy = StrategiesOf(1)[0];
             strategy.vecStrategy = {Leg("外汇现货", "2", "1")};
             strategy.vecStrategy[0].strContractType = kWithNul;
             return strategyTable.Insert(strategy);
         },
         strategyTable},
        {"an order key",
         [&] {
             OrderRow row = OrderOf(1, 1);
             row.oid = kWithNul;
             return orderTable.UpsertOrder(row);
         },
         orderTable},
        {"an order value",
         [&] {
             OrderRow row = OrderOf(1, 2);
             row.st = kWithNul;
             return orderTable.Insert(row);
         },
         orderTable},
        {"a proxy order number",
         [&] {
             ProxyOrderRecord record = ProxyOrderOf(1, 1);
             record.OrderNo = kWithNul;
             return proxyTable.UpsertProxyOrder(record);
         },
         proxyTable},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(c.store()) << c.what;
        EXPECT_TRUE(IsRefusedRow(c.table.GetLastResult())) << c.what << ": " << c.table.GetLastResult();
    }
    const std::pair<const char*, const char*> tables[] = {{"DS", "Strategy_3"}, {"DO", "UserOrder"}, {"DP", "ProxyOrder"}};
    for (const auto& table : tables) {
        const RawQueryResult rows = RawQuery(folder + table.first, key, CString("select * from ") + table.second);
        ASSERT_EQ(SQLITE_OK, rows.code) << rows.message;
        EXPECT_TRUE(rows.rows.empty()) << table.second;
    }
}
