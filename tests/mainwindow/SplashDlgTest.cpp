// The splash window: sized to its animated picture in the middle of the screen, animating, on a
// rounded light panel, and gone with its object.
#include "SplashDlg.h"

#include "AnimatedImage.h"

#include <testsupport/Pump.h>
#include <testsupport/Screenshot.h>

#include <gtest/gtest.h>

namespace {

TEST(SplashDlgTest, StandsInThePictureSizeAndAnimates)
{
    auto* splash = new CSplashDlg(CWnd::GetDesktopWindow());
    ASSERT_TRUE(splash->Create(CSplashDlg::IDD, CWnd::GetDesktopWindow()));
    splash->ShowWindow(SW_SHOW);
    const CAnimatedImage* image = splash->GetImage();
    ASSERT_NE(image, nullptr) << "the HEARTS resource is loaded";
    CRect window;
    splash->GetWindowRect(&window);
    auto* gif = const_cast<CAnimatedImage*>(image);
    // Moved to the corner in the picture's size; the dialog framework then centres a
    // pop-up whose position did not change, so it stands in the middle of the screen.
    EXPECT_EQ(window.left, (::GetSystemMetrics(SM_CXSCREEN) - window.Width()) / 2);
    EXPECT_EQ(window.Width(), static_cast<int>(gif->GetWidth()));
    EXPECT_EQ(window.Height(), static_cast<int>(gif->GetHeight()));
    EXPECT_EQ(gif->GetWidth(), 160u) << "the skin's GIF";
    ASSERT_GE(image->FrameCount(), 2u);
    EXPECT_TRUE(image->IsAnimating());
    const UINT first = image->GetCurrentFrame();
    EXPECT_TRUE(tolvan::test::PumpUntil([&] { return image->GetCurrentFrame() != first; }, 10000))
        << "frames move on";

    tolvan::test::Screenshot shot;
    tolvan::test::PumpUntil([&] {
        shot = tolvan::test::Screenshot::CaptureClient(splash->m_hWnd);
        return !shot.IsEmpty();
    }, 10000);
    shot.SavePng("splash.png");

    // The panel behind the picture: light fill, grey rounded outline.
    CClientDC screen(splash);
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    CBitmap picture;
    picture.CreateCompatibleBitmap(&screen, window.Width(), window.Height());
    CBitmap* old = memory.SelectObject(&picture);
    memory.FillSolidRect(0, 0, window.Width(), window.Height(), RGB(0, 0, 0));
    splash->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.m_hDC));
    EXPECT_EQ(memory.GetPixel(window.Width() / 2, window.Height() / 2), CSplashDlg::kPanelColor);
    EXPECT_EQ(memory.GetPixel(window.Width() / 2, 0), CSplashDlg::kFrameColor);
    EXPECT_EQ(memory.GetPixel(0, 0), RGB(0, 0, 0)) << "rounded corner";
    EXPECT_EQ(memory.GetPixel(window.Width() - 1, window.Height() / 2), RGB(0, 0, 0))
        << "one pixel left free on the right";
    memory.SelectObject(old);

    HANDLE thread = nullptr;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), image->ThreadHandle(),
                                  ::GetCurrentProcess(), &thread, SYNCHRONIZE, FALSE, 0));
    splash->DestroyWindow();
    delete splash;
    EXPECT_EQ(::WaitForSingleObject(thread, 0), WAIT_OBJECT_0) << "the animation has ended";
    ::CloseHandle(thread);
}

}  // namespace
