// The off-screen drawing context, the image cache and the animated GIF.
#include "controls_test_host.h"

#include "AnimatedImage.h"
#include "ImageCache.h"
#include "MemDC1.h"
#include "SkinResource.h"

#include <testsupport/Pump.h>

#include <gtest/gtest.h>

#include <memory>

using tolvan::test::PumpUntil;

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

// A memory DC over a white bitmap, standing for a window's paint DC.
struct Canvas {
    Canvas(int width, int height)
    {
        dc.CreateCompatibleDC(nullptr);
        CClientDC screen(nullptr);
        bitmap.CreateCompatibleBitmap(&screen, width, height);
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, kWhite);
    }
    ~Canvas() { dc.SelectObject(old); }
    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
};

TEST(MemDC1Test, DrawsInTargetCoordinatesAndCopiesOnlyOnDestruction)
{
    Canvas canvas(100, 80);
    canvas.dc.IntersectClipRect(20, 10, 60, 50);
    {
        CMemDC1 memDC(&canvas.dc);
        EXPECT_TRUE(memDC.IsMemoryDC());
        EXPECT_EQ(memDC.GetRect(), CRect(20, 10, 60, 50));
        memDC.FillSolidRect(20, 10, 40, 40, kWhite);
        memDC.FillSolidRect(30, 30, 5, 5, kRed);
        EXPECT_EQ(canvas.dc.GetPixel(32, 32), kWhite) << "the target changed before the copy";
    }
    EXPECT_EQ(canvas.dc.GetPixel(32, 32), kRed);
    EXPECT_EQ(canvas.dc.GetPixel(29, 29), kWhite);
}

TEST(ImageCacheTest, PngResourceLoadsOnceAndOutlivesItsStream)
{
    CImageCache* cache = CImageCache::Instance();
    Gdiplus::Image* first = cache->GetImage(IDP_CAPTION_CLOSE);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(cache->GetImage(IDP_CAPTION_CLOSE), first);
    // Three frames of 20 x 20 side by side; the pixels are readable after the stream went.
    EXPECT_EQ(first->GetWidth(), 60u);
    EXPECT_EQ(first->GetHeight(), 20u);
    Gdiplus::Color pressedFill;
    ASSERT_EQ(static_cast<Gdiplus::Bitmap*>(first)->GetPixel(41, 1, &pressedFill), Gdiplus::Ok);
    EXPECT_EQ(pressedFill.GetValue(), Gdiplus::Color(255, 40, 60, 90).GetValue());

    EXPECT_EQ(cache->GetImage(4711), nullptr);
}

TEST(ImageCacheTest, BitmapHandleIsWrappedOnce)
{
    Canvas canvas(4, 4);
    HBITMAP handle = canvas.bitmap;
    Gdiplus::Bitmap* image = CImageCache::Instance()->GetBitmap(handle);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 4u);
    EXPECT_EQ(CImageCache::Instance()->GetBitmap(handle), image);
}

TEST(AnimatedImageTest, SplashHeartsPlayIntoTheWindowUntilDestroyed)
{
    ControlHost host(RECT{ 40, 40, 260, 160 });
    auto image = std::make_unique<CAnimatedImage>("GIF", "HEARTS");
    ASSERT_TRUE(image->IsLoaded());
    EXPECT_EQ(image->FrameCount(), 8u);
    EXPECT_EQ(image->FrameDelayMs(0), 100u);

    EXPECT_FALSE(image->InitAnimation(host.m_hWnd, 10, 10));
    ASSERT_TRUE(image->IsAnimating());
    EXPECT_TRUE(PumpUntil([&] { return image->GetCurrentFrame() >= 2; }));
    tolvan::test::Screenshot shot = host.CaptureWhen([](const tolvan::test::Screenshot& s) {
        return s.CountColor(RGB(220, 40, 60)) > 100;
    });
    EXPECT_GT(shot.CountColor(RGB(220, 40, 60)), 100u) << "no heart drawn";

    HANDLE thread = NULL;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), image->ThreadHandle(),
                                  ::GetCurrentProcess(), &thread, SYNCHRONIZE, FALSE, 0));
    image.reset();
    EXPECT_EQ(::WaitForSingleObject(thread, 0), WAIT_OBJECT_0) << "thread outlived the image";
    ::CloseHandle(thread);
}

TEST(AnimatedImageTest, StillImageStartsNoThread)
{
    ControlHost host(RECT{ 40, 40, 140, 140 });
    CAnimatedImage image("GIF", "ONE_FRAME");
    ASSERT_TRUE(image.IsLoaded());
    EXPECT_EQ(image.FrameCount(), 1u);
    EXPECT_FALSE(image.InitAnimation(host.m_hWnd, 0, 0));
    EXPECT_FALSE(image.IsAnimating());
}

TEST(AnimatedImageTest, ZeroFrameDelayPlaysAtTheMinimumInterval)
{
    CAnimatedImage image("GIF", "ZERO_DELAY");
    ASSERT_EQ(image.FrameCount(), 2u);
    EXPECT_EQ(image.FrameDelayMs(0), 100u);
    EXPECT_EQ(image.FrameDelayMs(1), 100u);
}

TEST(AnimatedImageTest, MissingResourceIsNotLoaded)
{
    CAnimatedImage image("GIF", "NO_SUCH_IMAGE");
    EXPECT_FALSE(image.IsLoaded());
    EXPECT_FALSE(image.InitAnimation(NULL, 0, 0));
}

}  // namespace
