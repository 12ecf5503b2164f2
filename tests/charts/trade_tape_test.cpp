#include <TradeTape.h>

#include <gtest/gtest.h>

using namespace tolvan::ladderview;

namespace {

DepthTradeTick Trade(const char* time, const char* price, const char* volume = "1")
{
    DepthTradeTick tick;
    tick.strTime = time;
    tick.strPrice = price;
    tick.strVolume = volume;
    return tick;
}

// A tape with `count` trades, one second apart.
void Fill(TradeTape& tape, int count)
{
    for (int i = 0; i < count; ++i) {
        CString time;
        time.Format("10:00:%02d", i);
        tape.Add(Trade(time, "10"), "10", 2);
    }
}

}  // namespace

TEST(TradeTape, MarksMinutesAndColoursAgainstReferenceAndPreviousTrade)
{
    TradeTape tape;
    tape.ResetForCode("10.00");
    tape.Add(Trade("09:31:05", "10.00"), "10.00", 2);  // at the reference; same as last price
    tape.Add(Trade("09:31:40", "10.004"), "10.00", 2);  // cut to 10.00: still equal
    tape.Add(Trade("09:32:01", "10.02"), "10.00", 2);   // above both
    tape.Add(Trade("09:32:30", "9.98"), "10.00", 2);    // below both

    struct Expect {
        const char* time;
        int priceColor;
        int volumeColor;
    } expected[] = {
        {"P#09:31:05", kFlatColor, kFallColor},
        {"C#09:31:40", kFlatColor, kFallColor},
        {"P#09:32:01", kRiseColor, kRiseColor},
        {"C#09:32:30", kFallColor, kFallColor},
    };
    DepthTradeTick* node = tape.Head();
    for (const Expect& e : expected) {
        ASSERT_NE(node, nullptr);
        EXPECT_STREQ(node->strTime, e.time);
        EXPECT_EQ(node->nPriceColor, e.priceColor) << e.time;
        EXPECT_EQ(node->nVolumeColor, e.volumeColor) << e.time;
        node = node->pNext;
    }
    EXPECT_EQ(node, nullptr);
    EXPECT_EQ(tape.Tail()->nIndex, 3);
    EXPECT_STREQ(tape.LastPrice(), "9.98");

    // A new instrument starts a new minute and a new last price.
    tape.ResetForCode("");
    tape.Add(Trade("09:32:50", "20"), "10.00", 2);
    EXPECT_STREQ(tape.Tail()->strTime, "P#09:32:50");
    EXPECT_EQ(tape.Tail()->nVolumeColor, kFallColor);
}

TEST(TradeTape, ShowsTheNewestTradesUnlessSelecting)
{
    TradeTape tape;
    tape.SetVisibleRows(5);
    Fill(tape, 3);
    tape.ToggleSelection(1);
    EXPECT_FALSE(tape.SelectionOn()) << "all trades fit: nothing to scroll";
    EXPECT_EQ(tape.ShownTrades().size(), 3u);

    Fill(tape, 5);
    ASSERT_EQ(tape.Count(), 8);
    EXPECT_EQ(tape.ShownTrades().front()->nIndex, 3);

    tape.ToggleSelection(0);
    ASSERT_TRUE(tape.SelectionOn());
    Fill(tape, 2);  // arrive during selection: stay out of view
    EXPECT_EQ(tape.ShownTrades().back()->nIndex, 7);

    // Up on the top row scrolls back to the oldest trade and no further.
    for (int i = 0; i < 5; ++i)
        tape.ApplyKey(TapeKey::Up);
    EXPECT_EQ(tape.ShownTrades().front()->nIndex, 0);
    EXPECT_EQ(tape.SelectedRow(), 0);
    tape.ApplyKey(TapeKey::Up);
    EXPECT_EQ(tape.ShownTrades().front()->nIndex, 0);

    // Down to the bottom row, then forward only to the trade newest at selection start.
    for (int i = 0; i < 20; ++i)
        tape.ApplyKey(TapeKey::Down);
    EXPECT_EQ(tape.SelectedRow(), 4);
    EXPECT_EQ(tape.ShownTrades().back()->nIndex, 7);

    tape.EndSelection();
    EXPECT_EQ(tape.ShownTrades().back()->nIndex, 9);
    tape.ApplyKey(TapeKey::Up);  // keys act only while selecting
    EXPECT_EQ(tape.SelectedRow(), 4);
}

TEST(TradeTape, SelectedRowStaysWithinVisibleRows)
{
    TradeTape tape;
    tape.SetVisibleRows(15);
    Fill(tape, 20);
    tape.ToggleSelection(40);
    EXPECT_EQ(tape.SelectedRow(), 14);
    tape.SelectRow(-3);
    EXPECT_EQ(tape.SelectedRow(), 0);
    tape.SelectRow(12);
    tape.SetVisibleRows(5);  // back to five levels: fewer rows
    EXPECT_EQ(tape.SelectedRow(), 4);
    EXPECT_EQ(tape.ShownTrades().size(), 5u);

    tape.Clear();
    EXPECT_EQ(tape.Count(), 0);
    EXPECT_TRUE(tape.ShownTrades().empty());
}
