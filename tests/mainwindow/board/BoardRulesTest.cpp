// The quote board's rules without a window: page syncs, polled codes, the quick search's
// first input and the sectors built from lists.
#include "BoardRules.h"

#include "QuoteStore.h"

#include <gtest/gtest.h>

namespace {

std::vector<CString> Names(std::initializer_list<const char*> names)
{
    return std::vector<CString>(names.begin(), names.end());
}

TEST(BoardRulesTest, PagesFollowTheStoreOnePageAtItsStorePositionPerSync)
{
    // Two sectors arrive at once: the first missing one (store order) comes first, each at
    // its store position, not at the end.
    std::vector<CString> pages = Names({ "外汇现货", "我的板块" });
    const std::vector<CString> store = Names({ "沪深", "港股", "外汇现货", "我的板块" });
    PageSyncPlan plan = PlanPageSync(pages, store);
    EXPECT_TRUE(plan.removePages.empty());
    EXPECT_EQ(plan.insertName, "沪深");
    EXPECT_EQ(plan.insertAt, 0);
    pages.insert(pages.begin() + plan.insertAt, plan.insertName);
    plan = PlanPageSync(pages, store);
    EXPECT_EQ(plan.insertName, "港股");
    EXPECT_EQ(plan.insertAt, 1);
    pages.insert(pages.begin() + plan.insertAt, plan.insertName);
    EXPECT_EQ(pages, store);
    plan = PlanPageSync(pages, store);
    EXPECT_EQ(plan.insertAt, -1) << "equal counts change nothing";
    EXPECT_TRUE(plan.removePages.empty());

    plan = PlanPageSync(pages, Names({ "沪深", "我的板块" }));
    EXPECT_EQ(plan.removePages, std::vector<int>({ 1, 2 }));
    EXPECT_EQ(plan.insertAt, -1);

    EXPECT_EQ(PageIndexAfterSync(pages, "港股"), 1);
    EXPECT_EQ(PageIndexAfterSync(pages, "gone"), 0);
    EXPECT_EQ(PageIndexAfterSync({}, "gone"), -1);
}

TEST(BoardRulesTest, TabOutsideThePagesMeansNoPage)
{
    const struct { int selection, pages, page; } cases[] = {
        { 0, 3, 0 }, { 2, 3, 2 }, { 3, 3, -1 }, { -1, 3, -1 }, { 0, 0, -1 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(PageIndexForTab(c.selection, c.pages), c.page) << c.selection << " of " << c.pages;
}

TEST(BoardRulesTest, PolledCodesAreSortedUniqueAndDropsAreFound)
{
    const std::vector<CString> merged =
        MergePolledCodes(Names({ "600036", "000001", "600036", "XAUUSD" }), Names({ "XAUUSD", "00700", "000001" }));
    EXPECT_EQ(merged, Names({ "000001", "00700", "600036", "XAUUSD" }));
    EXPECT_EQ(DroppedCodes(Names({ "000001", "600000", "600036" }), merged), Names({ "600000" }));

    const struct { bool mark; const char* status; bool polled; } orders[] = {
        { true, "已提交", true }, { true, "已成交", false }, { true, "已作废", false },
        { true, "已取消", false }, { false, "已提交", false },
    };
    for (const auto& order : orders)
        EXPECT_EQ(KeepsCodePolled(order.mark, order.status), order.polled) << order.status;
}

TEST(BoardRulesTest, OnlyStocksGoToThePollersAndNeverTheChartCode)
{
    QuoteStore store;
    store.AddSector(BuildMarketSector(1, { { "0", "600000", "浦发银行", "", "" }, { "1", "000001", "平安银行", "", "" } }));
    store.AddSector(BuildMarketSector(0, { { "0", "00700", "腾讯控股", "", "" } }));
    std::map<CString, ContractRecord> contracts;
    contracts["XAUUSD"].strName = "伦敦金";
    const CString texts[3] = { "FEC", "外汇现货", "" };
    store.AddSector(BuildContractSector(texts, contracts));

    std::vector<CString> csm, hks;
    SplitCodesByMarket(Names({ "000001", "00700", "600000", "XAUUSD" }), "600000", store, csm, hks);
    EXPECT_EQ(csm, Names({ "000001" }));
    EXPECT_EQ(hks, Names({ "00700" }));
}

TEST(BoardRulesTest, ShownRowsComeFromTheStoreWithoutTheRestOfTheSector)
{
    QuoteStore store;
    store.AddSector(BuildMarketSector(1, { { "2", "600000", "浦发银行", "", "" }, { "1", "600036", "招商银行", "", "" },
                                           { "0", "000001", "平安银行", "", "" } }));
    SectorRecord whole;
    ASSERT_TRUE(store.GetSector("沪深", whole));
    const struct { int first, count; size_t rows; } cases[] = {
        { 0, 2, 2 }, { 1, 5, 2 }, { 2, 1, 1 }, { 3, 1, 0 }, { -1, 1, 1 }, { 0, 0, 0 },
    };
    for (const auto& c : cases) {
        std::vector<SectorRow> rows;
        EXPECT_TRUE(store.GetSectorRowRange("沪深", c.first, c.count, rows));
        ASSERT_EQ(rows.size(), c.rows) << c.first << "+" << c.count;
        for (size_t at = 0; at < rows.size(); ++at)
            EXPECT_EQ(rows[at].strCode, whole.vecRows[std::max(0, c.first) + at].strCode);
    }
    std::vector<SectorRow> none(1);
    EXPECT_FALSE(store.GetSectorRowRange("港股", 0, 5, none));
    EXPECT_TRUE(none.empty());
}

TEST(BoardRulesTest, KeysGiveTheSearchItsFirstCharacter)
{
    const struct { UINT message; WPARAM key; bool caps, shift; const char* text; } cases[] = {
        { WM_KEYDOWN, VK_NUMPAD7, false, false, "7" },
        { WM_KEYDOWN, '3', true, true, "3" },
        { WM_KEYDOWN, 'A', false, false, "a" },
        { WM_KEYDOWN, 'A', true, false, "A" },
        { WM_KEYDOWN, 'A', false, true, "A" },
        { WM_KEYDOWN, 'Z', true, true, "z" },
        { WM_KEYDOWN, VK_F2, false, false, "" },
        { WM_CHAR, 'A', false, false, "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(SmartKeyText(c.message, c.key, c.caps, c.shift), c.text) << c.key;
}

TEST(BoardRulesTest, ListsBecomeSectorsWithKeysInitialsAndIndexes)
{
    const SectorRecord csm = BuildMarketSector(1, { { "7", "600030", "招商证券", "", "" } });
    ASSERT_EQ(csm.vecRows.size(), 1u);
    EXPECT_EQ(csm.strName, "沪深");
    EXPECT_EQ(csm.vecRows[0].strInitials, "ZSZQ");
    EXPECT_EQ(csm.vecRows[0].nListIndex, 7);
    EXPECT_EQ(csm.vecRows[0].quote.strName, "招商证券");
    EXPECT_EQ(csm.mapInstruments.at("600030").strMarketKey, "CSM_P");
    EXPECT_EQ(BuildMarketSector(0, {}).strName, "港股");

    std::map<CString, ContractRecord> contracts;
    contracts["USDJPY"].strName = "美元日元";
    contracts["EURUSD"].strName = "欧元美元";
    const CString texts[3] = { "FEC", "外汇现货", "x" };
    const SectorRecord fec = BuildContractSector(texts, contracts);
    EXPECT_EQ(fec.strName, "外汇现货");
    ASSERT_EQ(fec.vecRows.size(), 2u);
    EXPECT_EQ(fec.vecRows[0].strCode, "EURUSD") << "key order";
    EXPECT_EQ(fec.mapInstruments.at("USDJPY").strExtra, "x");
}

}  // namespace
