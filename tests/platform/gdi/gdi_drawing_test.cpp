// Drawing through CDC into memory bitmaps, checked pixel by pixel.
#include "memory_canvas.h"

#include <gtest/gtest.h>

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kTopLeft = RGB(200, 200, 200);
const COLORREF kBottomRight = RGB(64, 64, 64);

struct PixelCase
{
    const char* what;
    int x;
    int y;
    COLORREF expected;
};

TEST(CDCDrawing, ShapesLinesAndFramesLandOnTheExpectedPixels)
{
    MemoryCanvas canvas(64, 64);
    CDC& dc = canvas.dc;

    CPen redPen(PS_SOLID, 1, kRed);
    CBrush blueBrush(kBlue);
    CPen* oldPen = dc.SelectObject(&redPen);
    CBrush* oldBrush = dc.SelectObject(&blueBrush);
    ASSERT_TRUE(dc.Rectangle(10, 10, 30, 30));

    CPen greenPen(PS_SOLID, 1, kGreen);
    dc.SelectObject(&greenPen);
    dc.MoveTo(0, 40);
    ASSERT_TRUE(dc.LineTo(63, 40));
    EXPECT_EQ(CPoint(63, 40), dc.GetCurrentPosition());

    dc.Draw3dRect(CRect(40, 0, 50, 10), kTopLeft, kBottomRight);
    dc.FillSolidRect(CRect(0, 50, 4, 54), kMagenta);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);

    const PixelCase cases[] = {
        { "rectangle border top-left", 10, 10, kRed },
        { "rectangle border bottom-right (exclusive corner)", 29, 29, kRed },
        { "rectangle interior", 20, 20, kBlue },
        { "outside the rectangle", 30, 30, kWhite },
        { "line start", 0, 40, kGreen },
        { "line middle", 31, 40, kGreen },
        { "line end point is not drawn", 63, 40, kWhite },
        { "below the line", 31, 41, kWhite },
        { "3d frame top", 45, 0, kTopLeft },
        { "3d frame left", 40, 5, kTopLeft },
        { "3d frame top-right corner", 49, 0, kBottomRight },
        { "3d frame bottom-left corner", 40, 9, kBottomRight },
        { "3d frame right", 49, 5, kBottomRight },
        { "3d frame inside", 45, 5, kWhite },
        { "solid fill", 3, 53, kMagenta },
        { "next to the solid fill", 4, 53, kWhite },
    };
    for (const PixelCase& c : cases)
        EXPECT_EQ(c.expected, dc.GetPixel(c.x, c.y)) << c.what;
    // FillSolidRect leaves its colour as the background colour, as MFC code expects.
    EXPECT_EQ(kMagenta, dc.GetBkColor());
}

TEST(CDCDrawing, GbkTextInSongTypefaceNinePointsDrawsInsideItsRectangle)
{
    MemoryCanvas canvas(200, 60);
    CDC& dc = canvas.dc;
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, "宋体"));

    // Tenths of a point against the screen: 9 pt at LOGPIXELSY dots per inch.
    CDC screen;
    screen.Attach(::GetDC(NULL));
    int expectedHeight = -::MulDiv(screen.GetDeviceCaps(LOGPIXELSY), 9, 72);
    ::ReleaseDC(NULL, screen.Detach());
    LOGFONT logFont;
    ASSERT_EQ((int)sizeof(logFont), font.GetLogFont(&logFont));
    EXPECT_EQ(expectedHeight, logFont.lfHeight);
    EXPECT_STREQ("宋体", logFont.lfFaceName);

    CFont* oldFont = dc.SelectObject(&font);
    ASSERT_NE(nullptr, oldFont);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.SetBkMode(TRANSPARENT);
    CString text("成交量 12345");
    CSize extent = dc.GetTextExtent(text);
    EXPECT_GT(extent.cx, 40);
    EXPECT_GE(extent.cy, -expectedHeight);

    CRect box(10, 10, 190, 40);
    int height = dc.DrawText(text, box, DT_LEFT | DT_TOP | DT_SINGLELINE);
    EXPECT_GT(height, 0);
    EXPECT_GT(canvas.CountPixelsNot(kWhite, box), 20);
    EXPECT_EQ(0, canvas.CountPixelsNot(kWhite, CRect(0, 0, 200, 10)));
    EXPECT_EQ(0, canvas.CountPixelsNot(kWhite, CRect(0, 40, 200, 60)));
    dc.SelectObject(oldFont);
}

TEST(CDCDrawing, BlitsCopyStretchAndSkipTheTransparentColour)
{
    MemoryCanvas source(8, 8);
    source.dc.FillSolidRect(0, 0, 8, 8, kMagenta);
    source.dc.FillSolidRect(2, 2, 4, 4, kBlue);

    MemoryCanvas target(64, 64);
    CDC& dc = target.dc;
    ASSERT_TRUE(dc.BitBlt(10, 10, 8, 8, &source.dc, 0, 0, SRCCOPY));
    ASSERT_TRUE(dc.StretchBlt(30, 0, 16, 16, &source.dc, 0, 0, 8, 8, SRCCOPY));
    ASSERT_TRUE(dc.TransparentBlt(0, 40, 8, 8, &source.dc, 0, 0, 8, 8, kMagenta));

    const PixelCase cases[] = {
        { "blit border", 10, 10, kMagenta },
        { "blit centre", 13, 13, kBlue },
        { "left of the blit", 9, 13, kWhite },
        { "stretched border (doubled)", 33, 3, kMagenta },
        { "stretched centre", 36, 6, kBlue },
        { "stretched far corner", 45, 15, kMagenta },
        { "transparent corner keeps the target", 0, 40, kWhite },
        { "opaque part of the transparent blit", 3, 43, kBlue },
    };
    for (const PixelCase& c : cases)
        EXPECT_EQ(c.expected, dc.GetPixel(c.x, c.y)) << c.what;
}

TEST(CDCDrawing, ClipRegionConfinesFillsUntilRemoved)
{
    MemoryCanvas canvas(40, 40);
    CDC& dc = canvas.dc;
    CRgn clip;
    ASSERT_TRUE(clip.CreateRectRgn(10, 10, 20, 20));
    ASSERT_NE(ERROR, dc.SelectClipRgn(&clip));
    CRect box;
    dc.GetClipBox(&box);
    EXPECT_EQ(CRect(10, 10, 20, 20), box);

    dc.FillSolidRect(0, 0, 40, 40, kRed);
    EXPECT_EQ(100, canvas.CountPixelsNot(kWhite));
    EXPECT_EQ(0, canvas.CountPixelsNot(kRed, CRect(10, 10, 20, 20)));

    dc.SelectClipRgn(NULL);
    dc.FillSolidRect(0, 0, 40, 40, kGreen);
    EXPECT_EQ(0, canvas.CountPixelsNot(kGreen));
}

TEST(CRgnTest, CombineModesAndShapesAnswerPtInRegion)
{
    CRgn a, b;
    ASSERT_TRUE(a.CreateRectRgn(0, 0, 10, 10));
    ASSERT_TRUE(b.CreateRectRgn(5, 5, 15, 15));
    const POINT onlyA = { 2, 2 }, both = { 7, 7 }, onlyB = { 12, 12 }, neither = { 20, 20 };

    struct CombineCase
    {
        int mode;
        bool inOnlyA, inBoth, inOnlyB;
    };
    const CombineCase cases[] = {
        { RGN_AND, false, true, false },
        { RGN_OR, true, true, true },
        { RGN_XOR, true, false, true },
        { RGN_DIFF, true, false, false },
    };
    for (const CombineCase& c : cases) {
        CRgn combined;
        ASSERT_TRUE(combined.CreateRectRgn(0, 0, 0, 0));
        EXPECT_NE(ERROR, combined.CombineRgn(&a, &b, c.mode));
        EXPECT_EQ(c.inOnlyA, combined.PtInRegion(onlyA) != FALSE) << "mode " << c.mode;
        EXPECT_EQ(c.inBoth, combined.PtInRegion(both) != FALSE) << "mode " << c.mode;
        EXPECT_EQ(c.inOnlyB, combined.PtInRegion(onlyB) != FALSE) << "mode " << c.mode;
        EXPECT_FALSE(combined.PtInRegion(neither)) << "mode " << c.mode;
    }

    CRgn round;
    ASSERT_TRUE(round.CreateRoundRectRgn(0, 0, 40, 20, 12, 12));
    EXPECT_FALSE(round.PtInRegion(0, 0));
    EXPECT_TRUE(round.PtInRegion(20, 10));
    EXPECT_TRUE(round.PtInRegion(37, 10));
    EXPECT_FALSE(round.PtInRegion(40, 10));

    CRgn copy;
    copy.CreateRectRgn(0, 0, 0, 0);
    copy.CopyRgn(&a);
    EXPECT_TRUE(copy.EqualRgn(&a));
    copy.OffsetRgn(100, 0);
    EXPECT_TRUE(copy.PtInRegion(102, 2));
    EXPECT_FALSE(copy.EqualRgn(&a));
}

TEST(CImageListTest, AddDrawReplaceAndRemoveImages)
{
    // Two 8x8 images side by side: red, then blue.
    MemoryCanvas strip(16, 8);
    strip.dc.FillSolidRect(0, 0, 8, 8, kRed);
    strip.dc.FillSolidRect(8, 0, 8, 8, kBlue);
    CBitmap images;
    images.CreateCompatibleBitmap(&strip.dc, 16, 8);
    {
        CDC copier;
        copier.CreateCompatibleDC(&strip.dc);
        CBitmap* old = copier.SelectObject(&images);
        copier.BitBlt(0, 0, 16, 8, &strip.dc, 0, 0, SRCCOPY);
        copier.SelectObject(old);
    }

    CImageList list;
    ASSERT_TRUE(list.Create(8, 8, ILC_COLOR24, 0, 4));
    EXPECT_EQ(0, list.Add(&images, (CBitmap*)NULL));
    EXPECT_EQ(2, list.GetImageCount());

    MemoryCanvas target(32, 16);
    ASSERT_TRUE(list.Draw(&target.dc, 1, CPoint(4, 4), ILD_NORMAL));
    ASSERT_TRUE(list.Draw(&target.dc, 0, CPoint(20, 4), ILD_NORMAL));
    EXPECT_EQ(kBlue, target.dc.GetPixel(8, 8));
    EXPECT_EQ(kRed, target.dc.GetPixel(24, 8));
    EXPECT_EQ(kWhite, target.dc.GetPixel(2, 2));

    EXPECT_TRUE(list.Remove(0));
    EXPECT_EQ(1, list.GetImageCount());
    EXPECT_TRUE(list.Draw(&target.dc, 0, CPoint(20, 4), ILD_NORMAL));
    EXPECT_EQ(kBlue, target.dc.GetPixel(24, 8));

    HIMAGELIST handle = list.GetSafeHandle();
    EXPECT_EQ(&list, CImageList::FromHandle(handle));
    EXPECT_TRUE(list.DeleteImageList());
    EXPECT_EQ(nullptr, list.GetSafeHandle());
    EXPECT_EQ(nullptr, CImageList::FromHandlePermanent(handle));
}

}  // namespace
