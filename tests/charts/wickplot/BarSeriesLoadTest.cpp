#include "BarSeries.h"
#include "WickplotTestData.h"
#include <gtest/gtest.h>

namespace
{
// Closes 1, 2, 3, ...: every window mean is the middle of its window, so the expected
// averages can be written down by hand.
std::vector<TestBar> RisingBars(int n)
{
    static std::vector<CString> times;
    std::vector<TestBar> bars;
    times.resize(n);
    for (int i = 0; i < n; ++i)
    {
        times[i].Format("2026%02d%02d 10:00:00", i / 28 + 1, i % 28 + 1);
        double close = i + 1;
        bars.push_back({times[i].GetString(), close, close + 0.5, close - 0.5, close, 100 * (i + 1)});
    }
    return bars;
}
}

TEST(BarSeriesLoad, ShowsTheNewestTwoHundredBarsOrAllOfAShortHistory)
{
    struct Case { int count; int first; };
    for (Case c : {Case{25, 0}, Case{29, 0}, Case{30, 0}, Case{200, 0}, Case{250, 50}})
    {
        CBarSeries series;
        CBarSeries::LoadResult result = series.LoadPacket(MakeWavePacket(c.count, "0"));
        EXPECT_TRUE(result.bConsistent);
        EXPECT_EQ(c.count, series.Count()) << c.count;
        EXPECT_EQ(c.first, series.First()) << c.count;
        EXPECT_EQ(c.count, series.End()) << c.count;
        EXPECT_EQ(c.count - 1, series.CrossBar()) << c.count;
    }
}

TEST(BarSeriesLoad, ComputesAveragesAndMacdFromTheClosesBeforeEachBar)
{
    CBarSeries series;
    CBarSeries::LoadResult result = series.LoadPacket(MakePacket(RisingBars(40), "0"));
    EXPECT_EQ(0, result.nPeriod);
    const ChartBarList& bars = series.Bars();
    const ChartMacdList& macds = series.Macds();

    // Bar 0 has no MACD; bar 1's short window has shrunk to the bar itself.
    EXPECT_EQ(0.0, macds[0]->dDiff);
    EXPECT_EQ(0.0, macds[0]->dDea);
    EXPECT_EQ(0.0, macds[0]->dMacd);
    EXPECT_DOUBLE_EQ(2.0, macds[1]->dShortMean);
    EXPECT_DOUBLE_EQ(1.5, macds[1]->dLongMean);
    EXPECT_DOUBLE_EQ(0.25, macds[1]->dDea);
    EXPECT_DOUBLE_EQ(0.5, macds[1]->dMacd);

    // Short windows at the start average over what there is.
    EXPECT_DOUBLE_EQ(2.0, bars[2]->averages[0]);        // MA5 of closes 1..3
    EXPECT_DOUBLE_EQ(200.0, series.Volumes()[2]->averages[0]);
    EXPECT_DOUBLE_EQ(5.0, bars[6]->averages[0]);        // closes 3..7
    EXPECT_DOUBLE_EQ(20.5, bars[39]->averages[3]);      // MA40 of closes 1..40
    EXPECT_DOUBLE_EQ(6.5, bars[11]->averages[2]);       // MA20 still growing: closes 1..12
    // The short window grows with the long one: bar 12 averages bars 6..12 (k = 13 x 12 / 26).
    EXPECT_DOUBLE_EQ(10.0, macds[12]->dShortMean);

    // With full windows: short mean i - 4.5, long mean i - 11.5, DIFF 7; DEA 7 once the
    // signal window holds only full DIFFs.
    EXPECT_DOUBLE_EQ(30 - 4.5, macds[30]->dShortMean);
    EXPECT_DOUBLE_EQ(30 - 11.5, macds[30]->dLongMean);
    EXPECT_DOUBLE_EQ(7.0, macds[30]->dDiff);
    EXPECT_DOUBLE_EQ(7.0, macds[39]->dDea);
    EXPECT_NEAR(0.0, macds[39]->dMacd, 1e-9);
}

TEST(BarSeriesLoad, InconsistentChainKeepsTheBarsReadAndStaysUsable)
{
    enum Fault { ShortChain, IndexPastCount, RepeatedIndex };
    for (Fault fault : {ShortChain, IndexPastCount, RepeatedIndex})
    {
        HistoryPacket* pPacket = MakePacket(RisingBars(6), "0");
        WickplotBar* pFourth = pPacket->pFirst->pNext->pNext->pNext;
        if (fault == ShortChain)
            pPacket->nCount = 9;
        else if (fault == IndexPastCount)
            pFourth->nIndex = 6;
        else
            pFourth->nIndex = 2;

        CBarSeries series;
        series.LoadPacket(MakeWavePacket(50));
        CBarSeries::LoadResult result = series.LoadPacket(pPacket);
        int expected = fault == ShortChain ? 6 : 3;
        EXPECT_FALSE(result.bConsistent) << fault;
        EXPECT_EQ(expected, series.Count()) << fault;
        EXPECT_EQ(expected, (int)series.Macds().size()) << fault;
        EXPECT_EQ(0, series.First()) << fault;
        EXPECT_EQ(expected, series.End()) << fault;
        EXPECT_DOUBLE_EQ(expected + 0.5, series.Extremes().dHighest) << fault;
    }
}

TEST(BarSeriesLoad, EmptyPacketEmptiesTheChartAndTakesTheNewInstrument)
{
    CBarSeries series;
    series.LoadPacket(MakeWavePacket(300));
    HistoryPacket* pEmpty = MakePacket({}, "60", "HKS", "00700");
    pEmpty->strName = "腾讯控股";
    CBarSeries::LoadResult result = series.LoadPacket(pEmpty);
    EXPECT_TRUE(result.bConsistent);
    EXPECT_EQ(60, result.nPeriod);
    EXPECT_EQ(0, series.Count());
    EXPECT_EQ(0, series.End());
    EXPECT_STREQ("腾讯控股(00700)", series.TitleName());
    EXPECT_STREQ("HKS", series.Market());
}
