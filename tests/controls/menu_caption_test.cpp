// The menu bar's item records and the caption buttons of the main window's frame.
#include "controls_test_host.h"

#include "CaptionButton.h"
#include "ImageCache.h"
#include "MenuBar.h"
#include "SkinResource.h"

#include <testsupport/Pump.h>

#include <gtest/gtest.h>

namespace {

TEST(CaptionButtonTest, FrameFollowsStateAsFarAsTheStripReaches)
{
    struct Case {
        int frames;
        int hover, pressed, disabled;
        int frame;
    } cases[] = {
        { 3, 0, 1, 1, 2 },  // pressed and disabled, no disabled frame
        { 3, 0, 0, 1, 0 },
        { 4, 1, 1, 1, 3 },
        { 3, 1, 0, 0, 1 },
        { 1, 1, 1, 1, 0 },
        { 0, 1, 1, 0, 0 },  // no frame count: one frame
    };
    for (const Case& c : cases) {
        CCaptionButton button;
        button.SetButton("", RECT{ 0, 0, 20, 20 }, nullptr, nullptr, c.frames, 1);
        button.m_hover = c.hover;
        button.m_pressed = c.pressed;
        button.m_disabled = c.disabled;
        EXPECT_EQ(button.FrameIndex(), c.frame) << c.frames << c.hover << c.pressed << c.disabled;
    }
}

TEST(CaptionButtonTest, DrawsTheStateFrameOfTheStrip)
{
    Gdiplus::Image* strip = CImageCache::Instance()->GetImage(IDP_CAPTION_CLOSE);
    ASSERT_NE(strip, nullptr);
    for (int frames : { 3, 0 }) {
        CCaptionButton button;
        button.SetButton("交易", RECT{ 0, 0, 20, 20 }, nullptr, strip, frames, 0);
        button.m_pressed = 1;
        Gdiplus::Bitmap canvas(20, 20, PixelFormat32bppARGB);
        Gdiplus::Graphics graphics(&canvas);
        graphics.Clear(Gdiplus::Color(255, 255, 255, 255));
        button.Draw(graphics);
        Gdiplus::Color pixel;
        canvas.GetPixel(1, 10, &pixel);
        // Frame 2 of the strip is the pressed fill; one frame stretches the whole strip.
        if (frames == 3)
            EXPECT_EQ(pixel.GetValue(), Gdiplus::Color(255, 40, 60, 90).GetValue());
        else
            EXPECT_NE(pixel.GetValue(), Gdiplus::Color(255, 40, 60, 90).GetValue());
    }
}

TEST(CaptionButtonTest, ReleasePostsOnlyAfterAPress)
{
    ControlHost owner;
    CCaptionButton button;
    button.SetButton("  交易", RECT{ 50, 10, 103, 30 }, &owner, nullptr, 3, 3);
    button.LButtonUp();
    button.m_pressed = 1;
    button.m_disabled = 1;
    button.LButtonUp();
    tolvan::test::PumpPending();
    EXPECT_EQ(owner.Count(WM_COMMAND), 0u);

    button.m_disabled = 0;
    button.LButtonUp();
    ASSERT_TRUE(tolvan::test::PumpUntil([&] { return owner.Count(WM_COMMAND) == 1; }));
    EXPECT_EQ(owner.MessagesOf(WM_COMMAND)[0].wParam, 3u);
    EXPECT_EQ(owner.MessagesOf(WM_COMMAND)[0].lParam, 0);
    EXPECT_EQ(button.m_pressed, 0);
    EXPECT_EQ(button.m_checked, 1);
}

TEST(CaptionButtonTest, MovingKeepsTheIconInPlaceOnTheButton)
{
    CCaptionButton button;
    button.SetButton("", RECT{ 10, 10, 30, 30 }, nullptr, nullptr, 3, 0);
    button.m_iconX = 12;
    button.m_iconY = 14;
    button.MoveButton(RECT{ 110, 5, 130, 25 });
    EXPECT_EQ(button.m_iconX, 112);
    EXPECT_EQ(button.m_iconY, 9);
}

TEST(MenuBarTest, SizesAreClampedToTheBar)
{
    CMenuBar bar(0, 0, 300, 30, 0);
    EXPECT_EQ(bar.m_built, 0);
    bar.SetItemWidth(500);
    EXPECT_EQ(bar.ItemWidth(), 298);
    EXPECT_EQ(bar.SecondWidth(), 398);
    bar.SetItemHeight(40);
    EXPECT_EQ(bar.ItemHeight(), 26);
    bar.SetItemHeight(20);
    EXPECT_EQ(bar.ItemHeight(), 20);
}

TEST(MenuBarTest, ItemsTakeTheBarsLookOnlyOnceBuilt)
{
    CMenuBar bar(0, 0, 600, 30, 0);
    CFont font;
    font.CreatePointFont(90, "宋体");
    bar.SetItemWidth(80);
    bar.SetItemHeight(24);
    bar.SetFont(&font);
    bar.SetItemColors(RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3));
    bar.SetExtraColors(RGB(4, 4, 4), RGB(5, 5, 5), RGB(6, 6, 6));

    MenuBarItem* early = new MenuBarItem();
    bar.InitItem(early);
    early->width = 33;
    bar.AppendItem(early);
    EXPECT_EQ(early->width, 33);
    EXPECT_EQ(early->font, nullptr);
    EXPECT_EQ(early->name, CString("Top菜单"));

    bar.m_built = 1;
    bar.SetBkColor(RGB(9, 9, 9));
    EXPECT_EQ(bar.BkColor(), (COLORREF)0xEBEBEB) << "a built bar keeps its background";
    MenuBarItem* late = new MenuBarItem();
    bar.InitItem(late);
    bar.AppendItem(late);
    EXPECT_EQ(late->width, 80);
    EXPECT_EQ(late->itemHeight, 24);
    EXPECT_EQ(late->font, &font);
    EXPECT_EQ(late->colors[1], RGB(2, 2, 2));
    EXPECT_EQ(late->extraColors[2], RGB(6, 6, 6));

    EXPECT_EQ(bar.ItemCount(), 2);
    EXPECT_EQ(bar.Head(), early);
    EXPECT_EQ(early->next, late);
    EXPECT_EQ(late->prev, early);
    EXPECT_EQ(late->index, 1);
    late->subItems = new MenuBarItem();  // freed with the bar
}

}  // namespace
