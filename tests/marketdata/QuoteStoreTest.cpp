#include <gtest/gtest.h>
#include "MarketTestData.h"
#include "QuoteStore.h"
#include "SectorSort.h"

using markettest::Codes;
using markettest::CodesOf;
using markettest::MakeRow;
using markettest::MakeRows;
using markettest::MakeSector;

namespace {

std::vector<CString> SectorNames(const QuoteStore& store)
{
    std::vector<SectorRecord> sectors;
    store.GetSectors(sectors);
    std::vector<CString> names;
    for (const SectorRecord& sector : sectors)
        names.push_back(sector.strName);
    return names;
}

SectorRecord SectorOf(const QuoteStore& store, const char* name)
{
    SectorRecord sector;
    EXPECT_TRUE(store.GetSector(name, sector)) << name;
    return sector;
}

const QuoteRow& QuoteIn(const SectorRecord& sector, const char* code)
{
    for (const SectorRow& row : sector.vecRows)
        if (row.strCode == code)
            return row.quote;
    static QuoteRow none;
    ADD_FAILURE() << code << " not in " << sector.strName.GetString();
    return none;
}

QuoteRow Quote(const char* code, const char* lastPrice)
{
    QuoteRow quote;
    quote.strCode = code;
    quote.strName = "from the batch";
    quote.strLastPrice = lastPrice;
    quote.bChanged = true;
    return quote;
}

TEST(QuoteStore, SectorsFollowTableThenOthersThenMySector)
{
    QuoteStore store;
    for (const char* name : {"我的板块", "自定义A", "外汇现货", "港股", "自定义B", "沪深", "黄金"})
        store.AddSector(MakeSector(name, "X", {}));
    EXPECT_EQ(Codes({"沪深", "港股", "黄金", "外汇现货", "自定义A", "自定义B", "我的板块"}),
              SectorNames(store));
}

TEST(QuoteStore, LookupsCopyFirstMatch)
{
    QuoteStore store;
    store.AddSector(MakeSector("港股", "HKS_P", {MakeRow("00700", 0)}));
    store.AddSector(MakeSector("沪深", "CSM_P", {MakeRow("600000", 0), MakeRow("00700", 1)}));

    SectorRow row;
    ASSERT_TRUE(store.GetQuoteRow("00700", row));
    EXPECT_EQ(1, row.nListIndex); // "沪深" precedes "港股" in store order
    CString key, sector, extra, name;
    ASSERT_TRUE(store.FindInstrument("00700", key, sector, extra));
    EXPECT_EQ(CString("CSM_P"), key);
    EXPECT_EQ(CString("沪深"), sector);
    EXPECT_TRUE(store.GetInstrumentName("600000", name));
    EXPECT_EQ(CString("name-600000"), name);
    EXPECT_TRUE(store.SectorContains("港股", "00700"));
    EXPECT_FALSE(store.SectorContains("港股", "600000"));
    EXPECT_FALSE(store.SectorContains("美股", "600000"));
    EXPECT_FALSE(store.GetQuoteRow("unknown", row));
    EXPECT_FALSE(store.FindInstrument("unknown", key, sector, extra));

    SectorRecord copy;
    EXPECT_TRUE(store.GetSectorRows(1, copy));
    EXPECT_EQ(CString("港股"), copy.strName);
    EXPECT_FALSE(store.GetSectorRows(2, copy));
    EXPECT_FALSE(store.GetSectorRows(-1, copy));
}

TEST(QuoteStore, MergeKeepsStoredSortAndOverwritesOrAppendsRows)
{
    QuoteStore store;
    store.AddSector(MakeSector("沪深", "CSM_P",
                               {MakeRow("A", 0, "3"), MakeRow("B", 1, "1"), MakeRow("C", 2, "2")}));
    ASSERT_TRUE(store.SortSector(0, SORT_BY_LAST_PRICE, 0));
    EXPECT_EQ(Codes({"B", "C", "A"}), CodesOf(SectorOf(store, "沪深")));

    // The incoming record asks for list order; the stored ascending price order stays.
    store.AddSector(MakeSector("沪深", "CSM_X", {MakeRow("C", 7, "0.5"), MakeRow("D", 3, "2.5")},
                               SORT_BY_LIST_INDEX, 1));
    SectorRecord merged = SectorOf(store, "沪深");
    EXPECT_EQ(SORT_BY_LAST_PRICE, merged.nSortColumn);
    EXPECT_EQ(0, merged.nSortOrder);
    EXPECT_EQ(Codes({"C", "B", "D", "A"}), CodesOf(merged));
    EXPECT_EQ(7, merged.vecRows[0].nListIndex);
    EXPECT_EQ(CString("CSM_X"), merged.mapInstruments["C"].strMarketKey);
    EXPECT_EQ(CString("CSM_P"), merged.mapInstruments["A"].strMarketKey);
    EXPECT_EQ(4u, merged.mapInstruments.size());
}

TEST(QuoteStore, MySectorMirrorsSelfListInListOrder)
{
    QuoteStore store;
    store.SetSelfList(Codes({"C", "unknown", "A"}));
    store.AddSector(MakeSector("我的板块", "", {}));
    store.AddSector(MakeSector("沪深", "CSM_P", {MakeRow("A", 0), MakeRow("B", 1), MakeRow("C", 2)}));

    SectorRecord mine = SectorOf(store, "我的板块");
    EXPECT_EQ(Codes({"C", "A"}), CodesOf(mine));
    EXPECT_EQ(0, mine.vecRows[0].nListIndex);
    EXPECT_EQ(-2, mine.vecRows[1].nListIndex);
    EXPECT_EQ(CString("CSM_P"), mine.mapInstruments["A"].strMarketKey);
    EXPECT_EQ(0u, mine.mapInstruments.count("B"));

    // Without a "我的板块" sector nothing is mirrored
    QuoteStore bare;
    bare.SetSelfList(Codes({"A"}));
    bare.AddSector(MakeSector("沪深", "CSM_P", {MakeRow("A", 0)}));
    EXPECT_EQ(Codes({"沪深"}), SectorNames(bare));
}

TEST(QuoteStore, AddToMySectorTakesNextSelfIndex)
{
    QuoteStore store;
    store.SetSelfList(Codes({"A", "B", "C"}));
    EXPECT_EQ(-3, store.GetNextSelfIndex());
    store.AddSector(MakeSector("沪深", "CSM_P", MakeRows("S", 5)));

    store.AddToMySector("S4");
    SectorRecord mine = SectorOf(store, "我的板块");
    ASSERT_EQ(1u, mine.vecRows.size());
    EXPECT_EQ(-3, mine.vecRows[0].nListIndex);
    EXPECT_EQ(-4, store.GetNextSelfIndex());
    EXPECT_EQ(CString("CSM_P"), mine.mapInstruments["S4"].strMarketKey);

    store.AddToMySector("nowhere");
    EXPECT_EQ(-4, store.GetNextSelfIndex());
    EXPECT_EQ(1u, SectorOf(store, "我的板块").vecRows.size());
}

TEST(QuoteStore, RemovedCodeDoesNotComeBackOnNextMerge)
{
    QuoteStore store;
    store.SetSelfList(Codes({"S1", "S2", "S3"}));
    store.AddSector(MakeSector("我的板块", "", {}));
    store.AddSector(MakeSector("沪深", "CSM_P", MakeRows("S", 5)));
    ASSERT_EQ(Codes({"S1", "S2", "S3"}), CodesOf(SectorOf(store, "我的板块")));

    store.RemoveFromMySector("我的板块", "S2");
    store.AddToMySector("S0");
    EXPECT_EQ(Codes({"S1", "S3", "S0"}), CodesOf(SectorOf(store, "我的板块")));

    // The instrument list arrives again (a new version, a reconnect)
    store.AddSector(MakeSector("沪深", "CSM_P", MakeRows("S", 5)));
    SectorRecord mine = SectorOf(store, "我的板块");
    EXPECT_EQ(Codes({"S1", "S3", "S0"}), CodesOf(mine));
    EXPECT_EQ(0u, mine.mapInstruments.count("S2"));
    std::vector<CString> selfList;
    store.GetSelfList(selfList);
    EXPECT_EQ(Codes({"S1", "S3", "S0"}), selfList);

    // Removing from another sector leaves the self list alone
    store.RemoveFromMySector("沪深", "S1");
    EXPECT_FALSE(store.SectorContains("沪深", "S1"));
    store.GetSelfList(selfList);
    EXPECT_EQ(Codes({"S1", "S3", "S0"}), selfList);
}

TEST(QuoteStore, AddedCodeFollowsItsInstrumentListLikeALoadedOne)
{
    QuoteStore store;
    store.SetSelfList(Codes({"S1"}));
    store.AddSector(MakeSector("我的板块", "", {}));
    store.AddSector(MakeSector("沪深", "CSM_P", MakeRows("S", 3)));
    store.AddToMySector("S2");

    // The list arrives again and renames the added code.
    std::vector<SectorRow> rows = MakeRows("S", 3);
    rows[2].strName = "renamed";
    store.AddSector(MakeSector("沪深", "CSM_P", rows));
    SectorRecord mine = SectorOf(store, "我的板块");
    ASSERT_EQ(Codes({"S1", "S2"}), CodesOf(mine));
    EXPECT_EQ(CString("renamed"), mine.vecRows[1].strName);
}

TEST(QuoteStore, UpdateQuotesReachesMySectorAndFirstOtherRow)
{
    QuoteStore store;
    store.SetSelfList(Codes({"X"}));
    store.AddSector(MakeSector("我的板块", "", {}));
    store.AddSector(MakeSector("沪深", "CSM_P", {MakeRow("X", 0), MakeRow("Y", 1)}));
    store.AddSector(MakeSector("自定义", "CSM_P", {MakeRow("X", 0)}));

    store.UpdateQuotes({Quote("X", "9.99"), Quote("Y", "5.55"), Quote("Z", "1.11")});

    SectorRecord hs = SectorOf(store, "沪深");
    EXPECT_EQ(CString("9.99"), QuoteIn(hs, "X").strLastPrice);
    EXPECT_EQ(CString("name-X"), QuoteIn(hs, "X").strName); // the row's own name
    EXPECT_EQ(CString("ini-X"), QuoteIn(hs, "X").strInitials);
    EXPECT_EQ(CString("5.55"), QuoteIn(hs, "Y").strLastPrice);
    EXPECT_EQ(CString("1.00"), QuoteIn(SectorOf(store, "自定义"), "X").strLastPrice);
    EXPECT_EQ(CString("9.99"), QuoteIn(SectorOf(store, "我的板块"), "X").strLastPrice);
    SectorRow row;
    EXPECT_FALSE(store.GetQuoteRow("Z", row));

    // Empty batches change nothing
    store.UpdateQuotes({});
    EXPECT_EQ(CString("9.99"), QuoteIn(SectorOf(store, "沪深"), "X").strLastPrice);
}

TEST(QuoteStore, SortSectorRefusesPositionsOutsideTheStore)
{
    QuoteStore store;
    store.AddSector(MakeSector("沪深", "CSM_P", MakeRows("S", 3)));
    EXPECT_FALSE(store.SortSector(-1, SORT_BY_CODE, 0));
    EXPECT_FALSE(store.SortSector(1, SORT_BY_CODE, 0));
    EXPECT_FALSE(store.SortSector(0, SORT_BY_LIST_INDEX, 1)); // already so
    EXPECT_TRUE(store.SortSector(0, SORT_BY_CODE, 0));
    EXPECT_FALSE(store.SortSector(0, SORT_BY_CODE, 0));
    EXPECT_EQ(Codes({"S0", "S1", "S2"}), CodesOf(SectorOf(store, "沪深")));
}

std::vector<SectorRow> RowsForSorting()
{
    std::vector<SectorRow> rows = {MakeRow("b2", 2, "3.5"), MakeRow("A1", 1, "10"),
                                   MakeRow("c3", 3, "7"), MakeRow("H9", 0, "99")};
    rows[3].quote.nHalted = 1; // the halted one has the highest price
    rows[0].quote.strInitials = "zz";
    rows[1].quote.strInitials = "YY";
    rows[2].quote.strInitials = "xx";
    rows[3].quote.strInitials = "aa";
    rows[0].quote.strVolume = "3000000000";
    rows[1].quote.strVolume = "20";
    rows[2].quote.strVolume = "2999999999";
    rows[3].quote.strVolume = "1";
    return rows;
}

TEST(SectorSort, RowsByColumnAndOrder)
{
    struct Case { int column; int order; std::vector<CString> codes; };
    const Case cases[] = {
        // Numeric columns: halted rows last in both directions
        {SORT_BY_LAST_PRICE, 1, Codes({"A1", "c3", "b2", "H9"})},
        {SORT_BY_LAST_PRICE, 0, Codes({"b2", "c3", "A1", "H9"})},
        {SORT_BY_VOLUME, 1, Codes({"b2", "c3", "A1", "H9"})},     // beyond 32 bits
        // Text columns ignore case and the halted flag
        {SORT_BY_CODE, 0, Codes({"A1", "b2", "c3", "H9"})},
        {SORT_BY_INITIALS, 1, Codes({"b2", "A1", "c3", "H9"})},
        {SORT_BY_INITIALS, 0, Codes({"H9", "c3", "A1", "b2"})},
        // List order ignores the halted flag; unknown columns sort by list index
        {SORT_BY_LIST_INDEX, 0, Codes({"H9", "A1", "b2", "c3"})},
        {99, 1, Codes({"c3", "b2", "A1", "H9"})},
    };
    for (const Case& c : cases)
    {
        std::vector<SectorRow> rows = RowsForSorting();
        SortSectorRows(rows, c.column, c.order);
        std::vector<CString> codes;
        for (const SectorRow& row : rows)
            codes.push_back(row.strCode);
        EXPECT_EQ(c.codes, codes) << "column " << c.column << " order " << c.order;
    }
}

TEST(SectorSort, NonNumericServerTextsStillSort)
{
    std::vector<SectorRow> rows;
    const char* prices[] = {"nan", "2", "NaN", "abc", "1", "-nan", "3", "inf", ""};
    for (int i = 0; i < 300; ++i)
        rows.push_back(MakeRow("C", i, prices[i % 9]));
    // The numeric rows keep their order among the texts that are no number, both ways.
    struct Case { int order; std::vector<CString> numeric; };
    const Case cases[] = {{1, Codes({"3", "2", "1"})}, {0, Codes({"1", "2", "3"})}};
    for (const Case& c : cases)
    {
        std::vector<SectorRow> sorted = rows;
        SortSectorRows(sorted, SORT_BY_LAST_PRICE, c.order);
        ASSERT_EQ(300u, sorted.size());
        std::vector<CString> runs; // the numeric prices in row order, one entry per run
        size_t numericRows = 0;
        for (const SectorRow& row : sorted)
        {
            const CString& price = row.quote.strLastPrice;
            if (price != "1" && price != "2" && price != "3")
                continue;
            ++numericRows;
            if (runs.empty() || runs.back() != price)
                runs.push_back(price);
        }
        EXPECT_EQ(100u, numericRows);
        EXPECT_EQ(c.numeric, runs) << "order " << c.order;
    }
}

OrderStateRecord OrderState(int key, const char* state)
{
    OrderStateRecord record;
    record.strOrderKey.Format("K%d", key);
    record.strClientRef.Format("R%d", key);
    record.strState = state;
    return record;
}

TEST(QuoteStore, OrderStatesReplaceByKeyAndFindByEitherKey)
{
    QuoteStore store;
    store.UpdateOrderState(OrderState(1, "已提交"));
    store.UpdateOrderState(OrderState(2, "已提交"));
    store.UpdateOrderState(OrderState(1, "已成交"));
    EXPECT_EQ(2, store.GetOrderStateCount());

    OrderStateRecord found;
    ASSERT_TRUE(store.FindOrderState("K1", found));
    EXPECT_EQ(CString("已成交"), found.strState);
    ASSERT_TRUE(store.FindOrderStateByFirstKey("R2", found));
    EXPECT_EQ(CString("K2"), found.strOrderKey);
    EXPECT_FALSE(store.FindOrderState("R2", found));

    store.ClearOrderStates();
    EXPECT_EQ(0, store.GetOrderStateCount());
    EXPECT_FALSE(store.FindOrderState("K1", found));
}

TEST(QuoteStore, OrderStateCapDropsOldestFinalOnly)
{
    QuoteStore open;
    for (int i = 0; i < 201; ++i)
        open.UpdateOrderState(OrderState(i, "已提交"));
    open.UpdateOrderState(OrderState(1000, "已提交"));
    EXPECT_EQ(202, open.GetOrderStateCount()); // nothing final: nothing forgotten

    QuoteStore mixed;
    for (int i = 0; i < 201; ++i)
        mixed.UpdateOrderState(OrderState(i, (i == 50 || i == 60) ? "已取消" : "已提交"));
    mixed.UpdateOrderState(OrderState(1000, "已提交"));
    EXPECT_EQ(201, mixed.GetOrderStateCount());
    OrderStateRecord found;
    EXPECT_FALSE(mixed.FindOrderState("K50", found));
    EXPECT_TRUE(mixed.FindOrderState("K60", found));
    EXPECT_TRUE(mixed.FindOrderState("K1000", found));

    // At 200 records before the call the cap does not act yet
    QuoteStore atCap;
    for (int i = 0; i < 200; ++i)
        atCap.UpdateOrderState(OrderState(i, "已作废"));
    atCap.UpdateOrderState(OrderState(1000, "已提交"));
    EXPECT_EQ(201, atCap.GetOrderStateCount());
}

} // namespace
