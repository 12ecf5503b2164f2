#include <DeckLayout.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace tradedeck;

namespace {

bool Equal(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST(DeckLayout, EachEntryShowsItsWindows)
{
    const RECT client{0, 0, 1200, 430};
    struct Case { int id; std::vector<Window> shown; };
    const Case cases[] = {
        {1, {kOrder, kPositions, kOrders}}, {2, {kOrder, kOrders}}, {3, {kOrder, kFills}},
        {4, {kOrder, kPositions}},          {5, {kQuery}},          {6, {kSettings}},
        {12, {kPassword}},                  {7, {}},
    };
    for (const Case& c : cases) {
        DeckLayout layout = ComputeLayout(client, c.id, false);
        for (int w = 0; w < kWindows; ++w) {
            bool expected = std::find(c.shown.begin(), c.shown.end(), (Window)w) != c.shown.end();
            EXPECT_EQ(expected, layout.shown[w]) << "entry " << c.id << " window " << w;
        }
        EXPECT_FALSE(layout.shown[kTriggers]);
    }
    DeckLayout trade = ComputeLayout(client, 1, false);
    EXPECT_TRUE(Equal(RECT{532, 30, 1200, 230}, trade.windows[kPositions]));
    EXPECT_TRUE(Equal(RECT{532, 230, 1200, 430}, trade.windows[kOrders]));
    EXPECT_TRUE(Equal(RECT{131, 30, 1200, 430}, ComputeLayout(client, 5, false).windows[kQuery]));
    EXPECT_TRUE(Equal(RECT{0, 30, 130, 430}, trade.tree));
}

TEST(DeckLayout, CollapsingMovesTheRightSideBy390)
{
    const RECT client{0, 0, 1200, 430};
    for (int id : {1, 2, 3, 4}) {
        DeckLayout open = ComputeLayout(client, id, false), shut = ComputeLayout(client, id, true);
        EXPECT_EQ(531, open.windows[kOrder].right);
        EXPECT_EQ(141, shut.windows[kOrder].right);
        for (Window w : {kPositions, kOrders, kFills})
            if (open.shown[w])
                EXPECT_EQ(390, open.windows[w].left - shut.windows[w].left) << id;
    }
}
