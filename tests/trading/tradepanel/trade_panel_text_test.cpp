#include "TradePanelMessages.h"
#include "TradePanelText.h"

#include "MarketTestData.h"

#include <gtest/gtest.h>

using namespace tradepanel;

namespace {

std::vector<CString> Rows(int n)
{
    std::vector<CString> rows;
    for (int i = 0; i < n; ++i) {
        CString row;
        row.Format("r%d", i);
        rows.push_back(row);
    }
    return rows;
}

CString Describe(const std::vector<ListCommand>& commands)
{
    CString text;
    for (const ListCommand& c : commands) {
        CString one;
        one.Format("%d@%d%s%s ", c.op, c.row, c.text.IsEmpty() ? "" : ":", (LPCSTR)c.text);
        text += one;
    }
    text.Replace("\n", ",");
    return text.Trim();
}

}  // namespace

TEST(OrderRowSync, BringsTheListToTheNewRowsByMode)
{
    struct Case { int kept; int rows; int mode; const char* commands; int keptAfter; };
    const Case cases[] = {
        {3, 5, 1, "0@0 0@0 5@0:r0,r1,r2,r3,r4", 5},
        {3, 5, 2, "0@3 0@4 5@0:r0,r1,r2,r3,r4", 5},
        {3, 5, 0, "3@0 0@0 0@1 0@2 0@3 0@4 5@0:r0,r1,r2,r3,r4", 5},
        {3, 0, 0, "3@0", 0},
        {4, 2, 1, "2@0 2@0 5@0:r0,r1", 2},
        {4, 2, 2, "2@3 2@2 5@0:r0,r1", 2},
        {2, 2, 2, "5@0:r0,r1", 2},
    };
    for (const Case& c : cases) {
        int kept = c.kept;
        EXPECT_STREQ(c.commands, Describe(PlanOrderRowSync(kept, Rows(c.rows), c.mode)))
            << c.kept << " -> " << c.rows << " mode " << c.mode;
        EXPECT_EQ(c.keptAfter, kept);
    }
}

TEST(RelayTarget, PicksTheMainWindowMessageByExactCaption)
{
    struct Case { UINT message; const char* caption; UINT target; WPARAM wParam; };
    const Case cases[] = {
        {WM_PLATFORM_HEADER_BUTTON, "隐藏", WM_PANEL_HIDE, 77},
        {WM_PLATFORM_HEADER_BUTTON, "浮动", WM_PANEL_FLOAT, 77},
        {WM_PLATFORM_HEADER_BUTTON, "刷新", 0, 77},
        {WM_PLATFORM_HEADER_BUTTON, "锁定", 0, 77},
        {WM_POSITIONS_COMMAND, "持仓", WM_QUERY_POSITIONS, 77},
        {WM_POSITIONS_COMMAND, "平仓", WM_CLOSE_POSITION, 77},
        {WM_POSITIONS_COMMAND, "全部平仓", WM_CLOSE_ALL_POSITIONS, 77},
        {WM_POSITIONS_COMMAND, "全部平仓 ", 0, 77},
        {WM_ORDERS_COMMAND, "全部", WM_QUERY_ORDERS_ALL, 77},
        {WM_ORDERS_COMMAND, "可撤", WM_QUERY_ORDERS_CANCELLABLE, 77},
        {WM_ORDERS_COMMAND, "撤单", WM_CANCEL_ORDER, 77},
        {WM_ORDERS_COMMAND, "全部撤单", WM_CANCEL_ALL_ORDERS, 77},
        {WM_ORDERS_COMMAND, "平仓", 0, 77},
        {WM_FILLS_COMMAND, "成交明细", WM_FILLS_VIEW_DETAIL, 77},
        {WM_FILLS_COMMAND, "按委托汇总", WM_FILLS_VIEW_BY_ORDER, 77},
        {WM_FILLS_COMMAND, "按合约汇总", WM_FILLS_VIEW_BY_CONTRACT, 77},
        {WM_FILLS_COMMAND, "刷新", WM_REFRESH_FILLS, 77},
        {WM_QUERY_TAB, "资金状况", WM_QUERY_TAB_CHANGED, 0},
        {WM_QUERY_TAB, "交易历史", WM_QUERY_TAB_CHANGED, 3},
        {WM_QUERY_TAB, "持仓明细", 0, 77},
        {WM_QUERY_REQUEST, "查询", WM_QUERY_HISTORY, 77},
        {WM_QUERY_REQUEST, "打印", WM_QUERY_PRINT, 77},
        {WM_QUERY_REQUEST, "查询下一页", WM_QUERY_NEXT_PAGE, 77},
    };
    for (const Case& c : cases) {
        WPARAM wParam = 77;
        EXPECT_EQ(c.target, RelayTarget(c.message, c.caption, wParam)) << c.caption;
        EXPECT_EQ(c.wParam, wParam) << c.caption;
    }
}

TEST(AccountFigures, LabelsValuesAndTheLiquidityWarning)
{
    struct Case { const char* liquidity; COLORREF colour; };
    // Far below zero the figure shows "---" and is still the gravest warning.
    for (const Case& c : {Case{"499.99", 255}, Case{"500.00", 0}, Case{"-20", 255}, Case{"-500", 255}, Case{"", 0},
                          Case{"abc", 0}}) {
        SummaryRecord funds;
        funds.strFields[0] = "10000";
        funds.strFields[2] = "12.345";
        funds.strFields[3] = "9000.5";
        funds.strFields[4] = c.liquidity;
        funds.strFields[5] = "-1";
        AccountSummary summary;
        FillSummaryFigures(summary, "资金账号: 1001", funds);
        EXPECT_EQ(0xFFE1CAu, summary.background);
        EXPECT_STREQ("可用资金:", summary.figures[0].label);
        EXPECT_STREQ("9000.50", summary.figures[0].value);
        EXPECT_STREQ("12.34", summary.figures[1].value);
        EXPECT_STREQ("10000.00", summary.figures[2].value);
        EXPECT_STREQ("流动性:", summary.figures[3].label);
        EXPECT_STREQ("不限次数", summary.figures[4].value);
        EXPECT_EQ(c.colour, summary.figures[3].colour) << c.liquidity << " shows " << (LPCSTR)summary.figures[3].value;
        EXPECT_EQ(0, summary.linkEnabled);
    }
}

TEST(RowTexts, PositionOrderAndFillRows)
{
    const CString position[8] = {"原油(主力)", "CL", "1", "2", "70.125", "-35.5", "1000", "USD"};
    CString open = PositionRowText(position, false), closing = PositionRowText(position, true);
    EXPECT_EQ(0, open.Find("原油|CL|卖|2|")) << (LPCSTR)open;
    EXPECT_EQ(6, open.Replace("|", "|"));
    EXPECT_EQ(0, closing.Find("原油(平仓中)|")) << (LPCSTR)closing;

    OrderEntry order;
    const char* texts[] = {"2026-12-10 10:00:00", "原油(主力)", "CL", "1", "0", "70.1", "2", "1", "已成交",
                           "3", "70.1", "88", "ps", "cid", "12.5", "1", "C,P"};
    for (int i = 0; i < OrderEntry::TEXT_COUNT; ++i)
        order[i] = texts[i];
    CString row = OrderRowText(order);
    CStringArray cells;
    int start = 0;
    for (CString cell = row.Tokenize("|", start); start >= 0; cell = row.Tokenize("|", start))
        cells.Add(cell);
    ASSERT_EQ(15, cells.GetSize()) << (LPCSTR)row;
    EXPECT_STREQ("原油", cells[1]);
    EXPECT_STREQ("限价", cells[3]);
    EXPECT_STREQ("买", cells[4]);
    EXPECT_STREQ("3.00", cells[9]);
    EXPECT_STREQ("88", cells[11]);
    EXPECT_STREQ("平仓", cells[14]);
    CString fill = FillRowText(order);
    EXPECT_EQ(9, fill.Replace("|", "|")) << (LPCSTR)fill;
    EXPECT_STREQ("|平仓", fill.Right(5));
}

TEST(RowTexts, ForexQuantitiesShowInLots)
{
    GetQuoteStore().AddSector(markettest::MakeSector("外汇现货", "FEC", {markettest::MakeRow("XAUUSD", 0, "2320.00"),
                                                                      markettest::MakeRow("EURUSD", 1, "1.08000")}));
    struct Case { const char* code; const char* units; const char* shown; } cases[] = {
        {"XAUUSD", "200", "2.00"},     // 100 units a lot
        {"EURUSD", "50000", "0.50"},   // 100000 units a lot
        {"CL", "3", "3"},              // not forex: as it stands
        {"XAUUSD", "-100", "-100"},    // not a plain number: as it stands
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.shown, NormalizeQuantityText(c.code, c.units)) << c.code << " " << c.units;
    const CString position[8] = {"黄金", "XAUUSD", "0", "300", "2318.4", "160", "1", "USD"};
    EXPECT_EQ(0, PositionRowText(position, false).Find("黄金|XAUUSD|买|3.00|"));
}

TEST(RowTexts, AChosenOrderRowNeedsTwelveCells)
{
    OrderEntry empty = OrderFromRow("a|b|c|d|e|f|g|h|i|j|k");
    for (int i = 0; i < OrderEntry::TEXT_COUNT; ++i)
        EXPECT_TRUE(empty[i].IsEmpty());
    OrderEntry order = OrderFromRow("a|b||d|e|f|g|h|i|j|k|l|m|n|o");
    EXPECT_STREQ("a", order[0]);
    EXPECT_STREQ("", order[2]);
    EXPECT_STREQ("l", order[11]);
    EXPECT_STREQ("", order[12]);
}
