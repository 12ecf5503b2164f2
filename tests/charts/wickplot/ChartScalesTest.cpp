#include "BarSeries.h"
#include "ChartScales.h"
#include "WickplotTestData.h"
#include <gtest/gtest.h>

TEST(ChartScales, VolumeAxisTopRoundsUpToWholeDivisions)
{
    struct Case { double highest; int height; double top; };
    for (Case c : {Case{123456, 220, 125000}, Case{123456, 150, 135000}, Case{50, 100, 60},
                   Case{7, 30, 8}, Case{0.4, 30, 1}, Case{0, 300, 0}, Case{-5, 300, -5},
                   Case{6e9, 300, 7.5e9}})
        EXPECT_DOUBLE_EQ(c.top, VolumeAxisTop(c.highest, c.height)) << c.highest << " " << c.height;
}

TEST(ChartScales, MacdScaleDrawsMixedNegativeAndFlatRanges)
{
    auto scaleOf = [](std::initializer_list<double> values) {
        std::vector<ChartMacdRecord> records(values.size());
        ChartMacdList macds;
        for (double value : values)
        {
            ChartMacdRecord& record = records[macds.size()];
            record.dDiff = record.dDea = record.dMacd = value;
            macds.push_back(&record);
        }
        CMacdScale scale;
        scale.Compute(macds, 0, (int)macds.size());
        return scale;
    };

    CMacdScale mixed = scaleOf({2, -2, 1});
    EXPECT_EQ(50, mixed.ZeroY(100));
    EXPECT_EQ(0, mixed.ValueY(2, 100));
    EXPECT_EQ(25, mixed.ValueY(1, 100));
    EXPECT_EQ(100, mixed.ValueY(-2, 100));

    // No value above 0: the zero line is the top edge and negatives hang below it.
    CMacdScale negative = scaleOf({-1, -4, 0});
    EXPECT_EQ(0.0, negative.Top());
    EXPECT_EQ(0, negative.ZeroY(80));
    EXPECT_EQ(0, negative.ValueY(0, 80));
    EXPECT_EQ(20, negative.ValueY(-1, 80));
    EXPECT_EQ(80, negative.ValueY(-4, 80));

    CMacdScale positive = scaleOf({0, 3});
    EXPECT_EQ(80, positive.ZeroY(80));
    EXPECT_EQ(0, positive.ValueY(3, 80));

    CMacdScale flat = scaleOf({0, 0});
    EXPECT_EQ(40, flat.ZeroY(80));
    EXPECT_EQ(40, flat.ValueY(0, 80));
    EXPECT_EQ(0, flat.ValueY(0, 0));
}

TEST(ChartScales, PriceExtremesTakeAveragesAndTheFirstCarrierBar)
{
    CBarSeries series;
    series.LoadPacket(MakePacket({{"20260310", 10, 12, 9, 11, 100},
                                  {"20260311", 11, 12.0004, 10, 11.5, 300},
                                  {"20260312", 4, 6, 4, 5, 200}}, "0"));
    series.SetDecimals(2);
    const PriceExtremes& all = series.Extremes();
    EXPECT_DOUBLE_EQ(12.0004, all.dHighest);
    EXPECT_EQ(0, all.nHighestBar);         // equal to two decimals: the first one carries it
    EXPECT_EQ(2, all.nLowestBar);
    EXPECT_DOUBLE_EQ(300, all.dHighestVolume);

    // Only the newest bar shown: its averages reach above its own high.
    series.SetView(2, 3);
    EXPECT_DOUBLE_EQ(6, series.Extremes().dHighest);
    EXPECT_DOUBLE_EQ((11 + 11.5 + 5) / 3, series.Extremes().dTop);
    EXPECT_DOUBLE_EQ(4, series.Extremes().dBottom);
}
