#include "BarSeries.h"
#include "WickplotTestData.h"
#include <gtest/gtest.h>

namespace
{
// A 5-minute chart of three bars, the last at 10:05.
const std::vector<TestBar> kFiveMinuteBars = {
    {"20260310 09:55:00", 10.0, 10.1, 9.9, 10.0, 1000},
    {"20260310 10:00:00", 10.0, 10.3, 9.8, 10.1, 2000},
    {"20260310 10:05:00", 10.1, 10.2, 10.0, 10.1, 2000000000},
};

struct MergeFixture : testing::Test
{
    CBarSeries series;
    void Load(const char* period = "5", const char* market = "CSM",
              const std::vector<TestBar>& bars = kFiveMinuteBars)
    {
        series.LoadPacket(MakePacket(bars, period, market));
    }
    bool Merge(const TestBar& bar, bool placeByTime = false)
    {
        return series.MergeRealTimeBar(MakeBar(bar, "600000", placeByTime));
    }
    const ChartBarRecord& Bar(int i) { return *series.Bars()[i]; }
};
}

TEST_F(MergeFixture, SameBarWidensTheRangeAndSumsVolumesInSixtyFourBits)
{
    Load();
    EXPECT_TRUE(Merge({"20260310 10:09:30", 10.1, 10.5, 9.95, 10.3, 2000000000}));
    ASSERT_EQ(3, series.Count());
    EXPECT_STREQ("10.1", Bar(2).strOpen);
    EXPECT_STREQ("10.5000000000", Bar(2).strHigh);
    EXPECT_STREQ("9.9500000000", Bar(2).strLow);
    EXPECT_STREQ("10.3", Bar(2).strClose);
    EXPECT_STREQ("4000000000", Bar(2).strVolume);
    EXPECT_DOUBLE_EQ(4e9, series.Volumes()[2]->dVolume);
    EXPECT_EQ(1, Bar(2).nDirection);
    // The averages follow the merged close.
    EXPECT_DOUBLE_EQ((10.0 + 10.1 + 10.3) / 3, Bar(2).averages[0]);

    // A lower high and higher low leave the range as it is.
    Merge({"20260310 10:09:50", 10.1, 10.2, 10.0, 9.0, 1});
    EXPECT_STREQ("10.5000000000", Bar(2).strHigh);
    EXPECT_STREQ("9.9500000000", Bar(2).strLow);
    EXPECT_EQ(2, Bar(2).nDirection);
}

TEST_F(MergeFixture, NewBarOpensAtTheRecordOnExchangesAndAtTheLastCloseElsewhere)
{
    struct Case { const char* market; const char* open; };
    for (Case c : {Case{"CSM", "10.2"}, Case{"HKS", "10.2"}, Case{"XAUUSD", "10.1"}})
    {
        CBarSeries fresh;
        fresh.LoadPacket(MakePacket(kFiveMinuteBars, "5", c.market));
        fresh.MergeRealTimeBar(MakeBar({"20260310 10:12:10", 10.2, 10.4, 10.2, 10.3, 7}));
        ASSERT_EQ(4, fresh.Count()) << c.market;
        const ChartBarRecord& bar = *fresh.Bars()[3];
        EXPECT_STREQ("20260310 10:10:00", bar.strTime) << c.market;
        EXPECT_STREQ(c.open, bar.strOpen) << c.market;
        EXPECT_STREQ("7", bar.strVolume) << c.market;
        EXPECT_EQ(3, bar.nIndex);
        EXPECT_EQ(4, fresh.End());
    }
}

TEST_F(MergeFixture, DayBarIsReplacedOnTheSameDayAndAppendedOnTheNext)
{
    Load("0", "CSM", {{"20260309", 10, 11, 9, 10.5, 100}, {"20260310", 10.5, 11, 10, 10.8, 200}});
    Merge({"20260310", 10.5, 11.5, 10, 11.2, 300});
    ASSERT_EQ(2, series.Count());
    EXPECT_STREQ("11.2", Bar(1).strClose);
    EXPECT_STREQ("300", Bar(1).strVolume);
    Merge({"20260311", 11.2, 11.3, 11, 11.1, 50});
    ASSERT_EQ(3, series.Count());
    EXPECT_STREQ("20260311", Bar(2).strTime);
    EXPECT_EQ(2, Bar(2).nDirection);
}

TEST_F(MergeFixture, WeekAndMonthChartsTakeNoRecords)
{
    for (const char* period : {"5040", "43200"})
    {
        CBarSeries fresh;
        fresh.LoadPacket(MakePacket(kFiveMinuteBars, period));
        EXPECT_FALSE(fresh.MergeRealTimeBar(MakeBar({"20260310 10:30:00", 1, 1, 1, 1, 1})));
        EXPECT_EQ(3, fresh.Count());
        EXPECT_STREQ("10.1", fresh.Bars()[2]->strClose);
    }
}

TEST_F(MergeFixture, FirstRecordOfAnEmptyChartBecomesBarZero)
{
    Load("5", "CSM", {});
    Merge({"20260310 10:07:42", 10, 10.2, 9.9, 10.1, 5});
    ASSERT_EQ(1, series.Count());
    EXPECT_STREQ("20260310 10:05:00", Bar(0).strTime);
    EXPECT_EQ(0, Bar(0).nIndex);
    EXPECT_EQ(1, series.End());

    CBarSeries placed;
    placed.LoadPacket(MakePacket({}, "5"));
    EXPECT_TRUE(placed.MergeRealTimeBar(MakeBar({"20260310 10:07:42", 10, 10.2, 9.9, 10.1, 5},
                                                "600000", true)));
    ASSERT_EQ(1, placed.Count());
    EXPECT_STREQ("20260310 10:07:42", placed.Bars()[0]->strTime);
    EXPECT_EQ(0, placed.Bars()[0]->nIndex);
    EXPECT_EQ(0.0, placed.Macds()[0]->dMacd);
}

TEST_F(MergeFixture, PlaceByTimeReplacesInsertsAppendsOrDrops)
{
    Load();
    double ma5Before = Bar(0).averages[0];

    // Same minute as the middle bar: it is replaced and the averages from it onwards move.
    Merge({"20260310 10:00:20", 10, 12, 9.8, 12, 10}, true);
    ASSERT_EQ(3, series.Count());
    EXPECT_STREQ("12", Bar(1).strClose);
    EXPECT_STREQ("20260310 10:00:00", Bar(1).strTime);
    EXPECT_DOUBLE_EQ(ma5Before, Bar(0).averages[0]);
    EXPECT_DOUBLE_EQ(11.0, Bar(1).averages[0]);
    EXPECT_DOUBLE_EQ((10.0 + 12 + 10.1) / 3, Bar(2).averages[0]);

    // Between two bars: inserted, later bars move up with their indexes.
    Merge({"20260310 10:02:00", 10, 10, 10, 10, 1}, true);
    ASSERT_EQ(4, series.Count());
    EXPECT_STREQ("20260310 10:02:00", Bar(2).strTime);
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(i, Bar(i).nIndex);
        EXPECT_EQ(i, series.Macds()[i]->nIndex);
    }
    EXPECT_STREQ("20260310 10:05:00", Bar(3).strTime);
    EXPECT_DOUBLE_EQ((10.0 + 12 + 10 + 10.1) / 4, Bar(3).averages[0]);

    // Newer than every bar: appended as it is.
    Merge({"20260310 10:31:00", 10, 10, 10, 10, 1}, true);
    ASSERT_EQ(5, series.Count());
    EXPECT_STREQ("20260310 10:31:00", Bar(4).strTime);

    // Older than every bar: no place.
    EXPECT_FALSE(Merge({"20260309 15:00:00", 10, 10, 10, 10, 1}, true));
    EXPECT_EQ(5, series.Count());
}

TEST_F(MergeFixture, ViewFollowsANewBarOnlyWhenItEndedAtTheNewest)
{
    series.LoadPacket(MakeWavePacket(250, "0"));
    Merge({"21000101 00:00:00", 1, 1, 1, 1, 1});
    EXPECT_EQ(50, series.First());
    EXPECT_EQ(251, series.End());

    series.SetView(10, 100);
    Merge({"21000102 00:00:00", 1, 1, 1, 1, 1});
    EXPECT_EQ(10, series.First());
    EXPECT_EQ(100, series.End());
}

TEST(RealTimeAcceptance, RefusesRecordsThatCannotBeMerged)
{
    CBarSeries empty;
    WickplotBar* pGood = MakeBar({"20260310 10:09:00", 10, 10.5, 9.5, 10.2, 3});
    EXPECT_FALSE(empty.AcceptsRealTimeRecord(*pGood)) << "no instrument loaded";

    CBarSeries series;
    series.LoadPacket(MakePacket(kFiveMinuteBars));
    EXPECT_TRUE(series.AcceptsRealTimeRecord(*pGood));

    struct Case { const char* field; const char* value; };
    for (Case c : {Case{"time", ""}, Case{"open", ""}, Case{"high", ""}, Case{"low", ""},
                   Case{"close", ""}, Case{"close", "10,2"}, Case{"high", "-1"},
                   Case{"code", "600001"}})
    {
        WickplotBar record = *pGood;
        CString& field = CString(c.field) == "time" ? record.strTime
                       : CString(c.field) == "open" ? record.strOpen
                       : CString(c.field) == "high" ? record.strHigh
                       : CString(c.field) == "low" ? record.strLow
                       : CString(c.field) == "close" ? record.strClose : record.strCode;
        field = c.value;
        EXPECT_FALSE(series.AcceptsRealTimeRecord(record)) << c.field << "=" << c.value;
    }
    delete pGood;
}
