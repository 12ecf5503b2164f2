// The self-painted tab strip: highlight of the selected and the hovered tab in every draw
// style, separators of the flat style, and a style that paints nothing.
#include "controls_test_host.h"

#include "TabCtrlEx.h"

#include <testsupport/Pump.h>

#include <gtest/gtest.h>

#include <vector>

using tolvan::test::PumpPending;
using tolvan::test::Screenshot;

namespace {

const UINT kTabId = 304;
const COLORREF kTabFill = RGB(200, 230, 200);
const COLORREF kSelFill = RGB(100, 100, 100);

class TabStripTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE | TCS_FIXEDWIDTH, CRect(10, 10, 470, 110),
                                &host, kTabId));
        tabs.SetItemSize(CSize(90, 24));
        const char* names[] = { "沪深", "港股", "外汇现货", "我的板块" };
        for (int i = 0; i < 4; ++i)
            tabs.InsertItem(i, names[i]);
        tabs.SetCurSel(1);
        tabs.SetTabBkColor(kTabFill);
        tabs.SetSelTabColor(kSelFill);
        tabs.SetSelTabColor2(RGB(60, 60, 60));
        tabs.SetBkColor(RGB(237, 237, 237));
        tabs.SetSelTextColor(RGB(255, 255, 255));
        PumpPending();
    }
    Screenshot Capture()
    {
        tabs.Invalidate();
        tabs.UpdateWindow();
        Screenshot shot;
        tolvan::test::PumpUntil([&] {
            shot = Screenshot::CaptureClient(tabs.m_hWnd);
            return !shot.IsEmpty();
        });
        return shot;
    }
    CRect Tab(int index)
    {
        CRect rect;
        tabs.GetItemRect(index, &rect);
        return rect;
    }
    // A column of pixels near the tab's left edge, from above the tab to its bottom.
    std::vector<COLORREF> Column(const Screenshot& shot, int index)
    {
        CRect r = Tab(index);
        std::vector<COLORREF> pixels;
        for (int y = std::max<LONG>(0, r.top - 2); y < r.bottom; ++y)
            pixels.push_back(shot.PixelAt(r.left + 3, y));
        return pixels;
    }
    void Hover(int index)
    {
        CPoint centre = Tab(index).CenterPoint();
        tabs.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
    }

    ControlHost host;
    CTabCtrlEx tabs;
};

TEST_F(TabStripTest, HoveredTabLooksLikeTheSelectedOneInEveryStyle)
{
    for (int style : { 0, 1, 2 }) {
        SCOPED_TRACE(style);
        tabs.SetDrawStyle(style);
        Hover(3);
        EXPECT_EQ(tabs.GetHoverTab(), 3);
        Screenshot hovered = Capture();
        EXPECT_EQ(Column(hovered, 3), Column(hovered, 1));
        EXPECT_NE(Column(hovered, 3), Column(hovered, 2));

        tabs.SendMessage(WM_MOUSELEAVE);
        EXPECT_EQ(tabs.GetHoverTab(), -1);
        Screenshot left = Capture();
        EXPECT_EQ(Column(left, 3), Column(left, 2));
    }
}

TEST_F(TabStripTest, FlatStyleLeavesNoSeparatorBesideTheSelectedTab)
{
    tabs.SetDrawStyle(1);
    Screenshot shot = Capture();
    const bool separated[] = { false, false, true, true };
    for (int index = 0; index < 4; ++index) {
        CRect r = Tab(index);
        EXPECT_EQ(shot.PixelAt(r.right - 1, r.CenterPoint().y) == RGB(0, 0, 0), separated[index])
            << "tab " << index;
    }
    EXPECT_EQ(shot.PixelAt(Tab(2).left + 3, Tab(2).CenterPoint().y), kTabFill);
    EXPECT_EQ(shot.PixelAt(Tab(1).left + 3, Tab(1).CenterPoint().y), kSelFill);
}

TEST_F(TabStripTest, UnknownStylePaintsOnlyTheBlackPage)
{
    tabs.SetDrawStyle(5);
    Screenshot shot = Capture();
    EXPECT_EQ(shot.PixelAt(5, 5), RGB(0, 0, 0));
    EXPECT_EQ(shot.CountColor(kTabFill), 0u);
    EXPECT_EQ(shot.CountColor(::GetSysColor(COLOR_BTNFACE)), 0u) << "the standard painting ran";
}

}  // namespace
