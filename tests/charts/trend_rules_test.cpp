#include <TrendModel.h>
#include <TrendScale.h>
#include <TrendSession.h>
#include <TrendTimeText.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tolvan::driftline;

namespace {

std::string Joined(const std::vector<CString>& labels)
{
    std::string text;
    for (const CString& label : labels)
        text += std::string(label) + " ";
    return text;
}

TrendTickNode* Node(const char* time, const char* price, const char* volume)
{
    TrendTickNode* node = new TrendTickNode;
    node->strTime = time;
    node->strPrice = price;
    node->strVolume = volume;
    return node;
}

// A packet for instrument 600000 (market CSM, reference 10.00) with the given buckets.
TrendPacket* Packet(std::vector<TrendTickNode*> nodes, const char* date = "20261210")
{
    TrendPacket* packet = new TrendPacket;
    const char* texts[10] = {"600000", "浦发银行", "", "CSM", date, "10.00", "10.00", "10.20",
                             "9.90", "10.05"};
    for (int i = 0; i < 10; ++i)
        packet->strText[i] = texts[i];
    for (size_t i = 0; i + 1 < nodes.size(); ++i)
        nodes[i]->pNext = nodes[i + 1];
    packet->pHead = nodes.empty() ? nullptr : nodes.front();
    packet->nHasBuckets = 1;
    return packet;
}

TrendTickNode Tick(const char* time, const char* price, const char* volume, bool closed = false,
                   const char* code = "600000")
{
    TrendTickNode tick;
    tick.strCode = code;
    tick.strTime = time;
    tick.strPrice = price;
    tick.strVolume = volume;
    tick.strRefPrice = "10.00";
    tick.bClosed = closed ? 1 : 0;
    return tick;
}

std::vector<std::string> Buckets(const TrendModel& model)
{
    std::vector<std::string> rows;
    for (TrendTickNode* b = model.Head(); b != nullptr; b = b->pNext)
        rows.push_back(std::string(b->strTime) + " " + std::string(b->strPrice) + " " +
                       std::string(b->strVolume) + (b->bClosed ? " closed" : ""));
    return rows;
}

}  // namespace

TEST(TrendSession, LaysOutTheAxisBySession)
{
    struct Case {
        const char* open;
        const char* close;
        int openMinute, closeMinute, tradingMinutes;
        const char* labels;
    } cases[] = {
        {"09:30:00", "15:00:00", 570, 900, 240,
         "09:30 10:00 10:30 11:00 11:30 13:30 14:00 14:30 15:00 "},
        {"09:30:00", "16:00:00", 570, 960, 330,
         "09:30 10:00 10:30 11:00 11:30 12:00 13:30 14:00 14:30 15:00 15:30 16:00 "},
        {"21:00:00", "02:30:00", 1260, 1590, 330,
         "21:00 21:30 22:00 22:30 23:00 23:30 00:00 00:30 01:00 01:30 02:00 02:30 "},
        {"09:35:00", "11:20:00", 575, 680, 105, "09:35 10:30 11:00 11:20 "},
    };
    for (const Case& c : cases) {
        TrendSession session;
        session.SetMarketTime(c.open, c.close);
        EXPECT_EQ(session.OpenMinute(), c.openMinute) << c.open;
        EXPECT_EQ(session.CloseMinute(), c.closeMinute) << c.open;
        EXPECT_EQ(session.TradingMinutes(), c.tradingMinutes) << c.open;
        EXPECT_EQ(Joined(session.Labels()), c.labels) << c.open;
    }
}

TEST(TrendSession, LeavesOutTheMiddayBreakOnTheAxis)
{
    TrendSession session;
    session.SetMarketTime("09:30:00", "15:00:00");
    EXPECT_EQ(session.AxisMinute("20261210 13:00:00", "CSM"), 690);  // 11:30
    EXPECT_EQ(session.AxisMinute("20261210 13:00:00", "HKS"), 720);  // 12:00
    EXPECT_EQ(session.AxisMinute("20261210 10:15:00", "CSM"), 615);
    session.SetMarketTime("21:00:00", "02:30:00");
    EXPECT_EQ(session.AxisMinute("20261211 00:10:00", "SHFE"), 1450);
}

TEST(TrendTimeText, ConvertsMinutesDatesAndBucketTimes)
{
    EXPECT_STREQ(FormatMinuteText(1590), "02:30");
    EXPECT_EQ(MinuteOfDay("13:05"), 785);
    EXPECT_STREQ(ShiftDateText("20240301", 1, "20261210"), "20240229");
    EXPECT_STREQ(ShiftDateText("20241231", -1, "20261210"), "20250101");
    EXPECT_STREQ(ShiftDateText("", 0, "20261210"), "20261210");
    EXPECT_STREQ(NormaliseBucketTime("10:15:42", "20261210"), "20261210 10:15:00");
    EXPECT_STREQ(NormaliseBucketTime("20261209 10:15:42", "20261210"), "20261209 10:15:00");
}

TEST(TrendScale, VolumeCeilingIsRoundAndAboveTheLargestVolume)
{
    TrendScale scale;
    scale.SetClientSize(800, 600);  // four volume rows
    ASSERT_EQ(scale.VolumeRows().rows, 4);
    EXPECT_EQ(scale.NiceVolumeCeiling(12345), 14000);
    EXPECT_EQ(scale.NiceVolumeCeiling(7), 8);
    EXPECT_EQ(scale.NiceVolumeCeiling(0), 0);
    EXPECT_EQ(TrendScale::RowsOf(100).rows, 2);
    EXPECT_FALSE(TrendScale::RowsOf(70).labelled);
}

TEST(TrendScale, ZeroReferenceCollapsesOntoTheMiddleLine)
{
    TrendScale scale;
    scale.SetClientSize(800, 600);
    scale.Compute(0, 10.5, 9.5, 100);
    EXPECT_EQ(scale.RelativeDeviation(), 0);
    EXPECT_EQ(scale.PriceY(10.5), scale.Middle());
    scale.Compute(10, 10.5, 9.8, 100);
    EXPECT_DOUBLE_EQ(scale.Top(), 10.5);
    EXPECT_DOUBLE_EQ(scale.Bottom(), 9.5);
    EXPECT_EQ(scale.PriceY(10.5), 40);
    EXPECT_EQ(scale.PriceY(10), scale.Middle());
}

TEST(TrendModel, MergesTicksIntoMinuteBuckets)
{
    TrendModel model;
    model.SetClientSize(800, 600);
    model.Session().SetMarketTime("09:30:00", "15:00:00");
    model.LoadPacket(Packet({Node("20261210 10:14:00", "10.00", "100")}), "20261210");
    ASSERT_TRUE(model.DataReady());

    TrendTickNode first = Tick("10:15:42", "10.10", "5");
    model.AddTick(&first, "20261210");
    TrendTickNode second = Tick("10:15:59", "10.12", "7");
    model.AddTick(&second, "20261210");
    TrendTickNode stray = Tick("10:20:00", "10.30", "9", true);  // closed, no such bucket
    model.AddTick(&stray, "20261210");
    TrendTickNode other = Tick("10:21:00", "99", "9", false, "600001");
    model.AddTick(&other, "20261210");

    EXPECT_EQ(Buckets(model), (std::vector<std::string>{"20261210 10:14:00 10.00 100",
                                                        "20261210 10:15:00 10.12 12"}));
    EXPECT_STREQ(model.TitleLatest(), "10.12");

    TrendTickNode closing = Tick("20261210 10:15:00", "10.11", "30", true);
    model.AddTick(&closing, "20261210");
    TrendTickNode late = Tick("10:15:30", "10.50", "1");
    model.AddTick(&late, "20261210");
    EXPECT_EQ(Buckets(model).back(), "20261210 10:15:00 10.11 30 closed");
    EXPECT_TRUE(model.DataReady());
}

TEST(TrendModel, OvernightTicksAfterMidnightOpenNewBuckets)
{
    TrendModel model;
    model.SetClientSize(800, 600);
    model.Session().SetMarketTime("21:00:00", "02:30:00");
    model.LoadPacket(Packet({Node("20261210 23:59:00", "10.00", "10")}), "20261210");
    TrendTickNode tick = Tick("20261211 00:05:10", "10.10", "5");
    model.AddTick(&tick, "20261211");
    EXPECT_EQ(Buckets(model), (std::vector<std::string>{"20261210 23:59:00 10.00 10",
                                                        "20261211 00:05:00 10.10 5"}));
}

TEST(TrendModel, PacketTimesAreKeptLikeTickTimes)
{
    TrendModel model;
    model.SetClientSize(800, 600);
    model.Session().SetMarketTime("09:30:00", "15:00:00");
    model.LoadPacket(Packet({Node("10:14:37", "10.00", "100"), Node("13:00:00", "10.10", "0")},
                            "20261209"),
                     "20261210");
    ASSERT_EQ(Buckets(model), (std::vector<std::string>{"20261209 10:14:00 10.00 100",
                                                        "20261209 13:00:00 10.10 0"}));
    // Placed by their clock time: 10:14 is 44 minutes after the open, 13:00 on 11:30.
    double perMinute = (800.0 - 140) / 240;
    EXPECT_EQ(model.BucketX(*model.Head()), (int)(80 + 44 * perMinute));
    EXPECT_EQ(model.BucketX(*model.Tail()), (int)(80 + 120 * perMinute));

    // A tick of the same minute merges into the packet's bucket.
    TrendTickNode tick = Tick("13:00:20", "10.20", "4");
    model.AddTick(&tick, "20261209");
    EXPECT_EQ(Buckets(model).back(), "20261209 13:00:00 10.20 4");

    model.ComputeAverages();
    EXPECT_NEAR(atof(model.Head()->strAvgPrice), 10.00, 1e-9);
    EXPECT_NEAR(atof(model.Tail()->strAvgPrice), (1000 + 40.8) / 104, 1e-9);
    EXPECT_EQ(model.FindBucket("20261210 13:00:59"), model.Tail());  // the date is not compared
}

TEST(TrendModel, HeaderOnlyPacketEmptiesTheChart)
{
    TrendModel model;
    model.SetClientSize(800, 600);
    model.LoadPacket(Packet({Node("20261210 10:14:00", "0", "0")}), "20261210");
    model.ComputeAverages();
    EXPECT_STREQ(model.Head()->strAvgPrice, "0.0000000000") << "no volume: the price";

    TrendPacket* headerOnly = Packet({});
    headerOnly->nHasBuckets = 0;
    model.LoadPacket(headerOnly, "20261210");
    EXPECT_EQ(model.Count(), 0);
    EXPECT_FALSE(model.DataReady());
    EXPECT_STREQ(model.Header().code, "600000");

    TrendPacket* nameless = Packet({Node("10:00:00", "1", "1")});
    nameless->strText[1].Empty();
    model.LoadPacket(nameless, "20261210");
    EXPECT_EQ(model.Count(), 0);
    TrendTickNode tick = Tick("10:15:00", "10", "1");
    model.AddTick(&tick, "20261210");  // no name: ignored
    EXPECT_EQ(model.Count(), 0);
}
