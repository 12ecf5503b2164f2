// The self-drawn caption and frame on a window of their own: the skin cut into caption,
// borders and corners, the title, icon and buttons, the rounded region, the hit test, hot
// tracking that ends when the mouse leaves, and the caption buttons' presses and releases.
#include "CaptionFrame.h"
#include "FrameResource.h"
#include "ImageCache.h"
#include "resource.h"
#include "WindowShot.h"
#include "testsupport/Pump.h"
#include "testsupport/TestApp.h"

#include <gtest/gtest.h>

#include <vector>

using tolvan::test::PumpPending;
using tolvan::test::PumpUntil;
using tolvan::test::Screenshot;

namespace {

tolvan::test::TestApp theApp("FrameTest");

// Wide enough for the title to stand clear of the menu bar.
const int kWidth = 1100;
const int kHeight = 500;
const int kLeft = 60;
const int kTop = 60;

// A top-level window that hands its non-client messages to the frame and records the
// commands the frame sends it instead of acting on them.
class CFramedWindow : public CWnd
{
public:
    CCaptionFrame frame{*this};
    std::vector<UINT> sysCommands;
    std::vector<UINT> commands;

    bool Build(const char* title)
    {
        LPCTSTR windowClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), NULL);
        if (!CreateEx(0, windowClass, title, WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX,
                      CRect(kLeft, kTop, kLeft + kWidth, kTop + kHeight), NULL, 0))
            return false;
        frame.SetSkin(IDB_FRAME_SKIN, AfxGetApp()->LoadIcon(IDR_MAINFRAME));
        frame.AddStandardButtons();
        frame.MenuBar().Create(kWidth);
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        frame.UpdateWindowRegion(SIZE_RESTORED);
        ShowWindow(SW_SHOW);
        m_ready = true;
        frame.Paint();
        return true;
    }

    CPoint ScreenCentre(int id) const
    {
        const RECT rect = frame.Button(id)->m_rect;
        return CPoint(kLeft + (rect.left + rect.right) / 2, kTop + (rect.top + rect.bottom) / 2);
    }

protected:
    void PostNcDestroy() override {}
    afx_msg void OnNcCalcSize(BOOL valid, NCCALCSIZE_PARAMS* params) { frame.NcCalcSize(valid, params); }
    afx_msg LRESULT OnNcHitTest(CPoint point) { return frame.NcHitTest(point, CWnd::OnNcHitTest(point)); }
    afx_msg void OnNcPaint()
    {
        if (m_ready)
            frame.Paint();
    }
    afx_msg BOOL OnNcActivate(BOOL active)
    {
        const BOOL result = CWnd::OnNcActivate(active);
        if (m_ready)
            frame.Paint();
        return result;
    }
    afx_msg void OnNcMouseMove(UINT hit, CPoint point) { frame.NcMouseMove(hit, point, [] {}); }
    afx_msg void OnNcLButtonDown(UINT hit, CPoint point) { frame.NcLButtonDown(hit, point, [] {}); }
    afx_msg void OnNcLButtonUp(UINT hit, CPoint point) { frame.NcLButtonUp(hit, point, [] {}); }
    afx_msg void OnNcMouseHover(UINT, CPoint) { frame.NcMouseHover(); }
    afx_msg void OnNcMouseLeave() { frame.NcMouseLeave(); }
    afx_msg void OnSysCommand(UINT id, LPARAM) { sysCommands.push_back(id & 0xFFF0); }
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        commands.push_back(LOWORD(wParam));
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()

private:
    bool m_ready = false;
};

BEGIN_MESSAGE_MAP(CFramedWindow, CWnd)
    ON_WM_NCCALCSIZE()
    ON_WM_NCHITTEST()
    ON_WM_NCPAINT()
    ON_WM_NCACTIVATE()
    ON_WM_NCMOUSEMOVE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
    ON_WM_NCMOUSEHOVER()
    ON_WM_NCMOUSELEAVE()
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

class CaptionFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.Build("Tolvan证券"));
        PumpPending();
    }
    void TearDown() override
    {
        if (window.m_hWnd != NULL)
            window.DestroyWindow();
        CImageCache::Release();
    }

    LPARAM ScreenPoint(const CPoint& point) const { return MAKELPARAM(point.x, point.y); }

    CFramedWindow window;
};

RECT TitleBand()
{
    const RECT band = {kWidth / 2 - 50, 8, kWidth / 2 + 70, 32};
    return band;
}

TEST_F(CaptionFrameTest, DrawsTheSkinTitleIconAndButtons)
{
    // The screen shows a window's new picture a moment after it was drawn.
    Screenshot shot;
    EXPECT_TRUE(PumpUntil([&] {
        shot = frametest::CaptureWholeWindow(window.m_hWnd);
        return frametest::CountNear(shot, RGB(0, 0, 0), TitleBand(), 60) > 20;
    }, 10000)) << "no title";
    ASSERT_EQ(kWidth, shot.Width());
    shot.SavePng("caption_frame.png");
    const frametest::SkinPixels skin;
    // Caption middle (stretched from the skin's column 50 on), a border, the bottom corners.
    EXPECT_EQ(skin.At(52, 4), shot.PixelAt(kWidth - 120, 4));
    EXPECT_EQ(skin.At(52, 30), shot.PixelAt(kWidth - 120, 30));
    EXPECT_EQ(skin.At(52, 1), shot.PixelAt(kWidth - 120, 1));
    // The caption's ends as they stand in the skin.
    EXPECT_EQ(skin.At(20, 1), shot.PixelAt(20, 1));
    EXPECT_EQ(skin.At(skin.width - 20, 1), shot.PixelAt(kWidth - 20, 1));
    EXPECT_EQ(skin.At(3, 40), shot.PixelAt(3, kHeight / 2));
    EXPECT_EQ(skin.At(skin.width - 4, 40), shot.PixelAt(kWidth - 4, kHeight / 2));
    EXPECT_EQ(skin.At(skin.width - 20, skin.height - 3), shot.PixelAt(kWidth - 20, kHeight - 3));
    EXPECT_EQ(skin.At(20, skin.height - 3), shot.PixelAt(20, kHeight - 3));

    const RECT icon = {8, 6, 38, 36};
    EXPECT_GT(frametest::CountNear(shot, RGB(200, 30, 30), icon, 40), 30u) << "no icon";
    const RECT close = window.frame.Button(CAPTION_CLOSE)->m_rect;
    EXPECT_GT(frametest::CountNear(shot, RGB(235, 235, 235), close, 20), 10u) << "no close glyph";
    const RECT trade = window.frame.Button(CAPTION_TRADE)->m_rect;
    EXPECT_GT(frametest::CountNear(shot, RGB(0xD7, 0x04, 0x04), trade, 60), 5u) << "no text of the trade button";
    const RECT menu = window.frame.MenuBar().ItemRect(FrameMenuBar::ITEM_ABOUT);
    EXPECT_GT(frametest::CountNear(shot, RGB(0xEB, 0xEB, 0xEB), menu, 0), 100u) << "no menu bar";
    EXPECT_GT(frametest::CountNear(shot, RGB(0, 0, 0), menu, 60), 10u) << "no menu text";
}

TEST_F(CaptionFrameTest, AnEmptyTitleDrawsNoTextButStillTheIconAndButtons)
{
    window.SetWindowText("");
    window.frame.Paint();
    Screenshot shot;
    EXPECT_TRUE(PumpUntil([&] {
        shot = frametest::CaptureWholeWindow(window.m_hWnd);
        return frametest::CountNear(shot, RGB(0, 0, 0), TitleBand(), 60) == 0;
    }, 10000)) << "the old title stays";
    const RECT icon = {8, 6, 38, 36};
    EXPECT_GT(frametest::CountNear(shot, RGB(200, 30, 30), icon, 40), 30u);
    const RECT close = window.frame.Button(CAPTION_CLOSE)->m_rect;
    EXPECT_GT(frametest::CountNear(shot, RGB(235, 235, 235), close, 20), 10u);
}

TEST_F(CaptionFrameTest, KeepsARoundedRegionAndAnswersTheHitTest)
{
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(window.m_hWnd, region));
    EXPECT_FALSE(::PtInRegion(region, 0, 0)) << "corner not rounded";
    EXPECT_TRUE(::PtInRegion(region, kWidth / 2, kHeight / 2));
    EXPECT_TRUE(::PtInRegion(region, kWidth - 1, kHeight / 2));
    // A new size gives the window a new region of its new size.
    window.SetWindowPos(NULL, 0, 0, kWidth + 100, kHeight, SWP_NOMOVE | SWP_NOZORDER);
    window.frame.UpdateWindowRegion(SIZE_RESTORED);
    ASSERT_NE(ERROR, ::GetWindowRgn(window.m_hWnd, region));
    EXPECT_TRUE(::PtInRegion(region, kWidth + 99, kHeight / 2));
    EXPECT_EQ(kWidth + 100 - 30, window.frame.Button(CAPTION_CLOSE)->m_rect.left);
    ::DeleteObject(region);

    window.SetWindowPos(NULL, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER);
    window.frame.UpdateWindowRegion(SIZE_RESTORED);
    struct Case
    {
        CPoint point;
        LRESULT code;
    };
    const Case cases[] = {
        {window.ScreenCentre(CAPTION_CLOSE), HTCLOSE},
        {window.ScreenCentre(CAPTION_MAXIMISE), HTMAXBUTTON},
        {window.ScreenCentre(CAPTION_MINIMISE), HTMINBUTTON},
        {CPoint(kLeft + 20, kTop + 20), HTSYSMENU},
        {window.ScreenCentre(CAPTION_TRADE), HTCAPTION},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.code, window.SendMessage(WM_NCHITTEST, 0, ScreenPoint(c.point))) << c.point.x;
}

TEST_F(CaptionFrameTest, HotButtonGoesBackWhenTheMouseLeavesTheFrame)
{
    const CPoint close = window.ScreenCentre(CAPTION_CLOSE);
    ::SetCursorPos(close.x, close.y);
    window.SendMessage(WM_NCMOUSEMOVE, HTCLOSE, ScreenPoint(close));
    EXPECT_EQ(CAPTION_CLOSE, window.frame.HotButton());
    EXPECT_TRUE(window.frame.IsTracking());
    EXPECT_EQ(1, window.frame.Button(CAPTION_CLOSE)->m_hover);
    EXPECT_TRUE(PumpUntil([&] { return window.frame.IsHovering(); }, 10000)) << "no hover reported";

    ::SetCursorPos(kLeft + kWidth + 200, kTop + kHeight + 200);
    EXPECT_TRUE(PumpUntil([&] { return window.frame.HotButton() == -1; }, 10000)) << "no leave reported";
    EXPECT_EQ(0, window.frame.Button(CAPTION_CLOSE)->m_hover);
    EXPECT_FALSE(window.frame.IsTracking());
    EXPECT_FALSE(window.frame.IsHovering());
}

TEST_F(CaptionFrameTest, DisabledSystemButtonsKeepTheirLookButStillAct)
{
    struct Case
    {
        int id;
        UINT hit;
        UINT command;
    };
    const Case cases[] = {
        {CAPTION_CLOSE, HTCLOSE, SC_CLOSE},
        {CAPTION_MAXIMISE, HTMAXBUTTON, SC_MAXIMIZE},
        {CAPTION_MINIMISE, HTMINBUTTON, SC_MINIMIZE},
    };
    for (const Case& c : cases)
    {
        window.frame.EnableCaptionButton(c.id, false);
        window.sysCommands.clear();
        const CPoint point = window.ScreenCentre(c.id);
        window.SendMessage(WM_NCMOUSEMOVE, c.hit, ScreenPoint(point));
        window.SendMessage(WM_NCLBUTTONDOWN, c.hit, ScreenPoint(point));
        const CCaptionButton* button = window.frame.Button(c.id);
        EXPECT_EQ(0, button->m_hover) << c.id;
        EXPECT_EQ(0, button->m_pressed) << c.id;
        window.SendMessage(WM_NCLBUTTONUP, c.hit, ScreenPoint(point));
        EXPECT_EQ(std::vector<UINT>{c.command}, window.sysCommands) << c.id;
        window.SendMessage(WM_NCMOUSELEAVE);
        EXPECT_EQ(0, button->m_hover) << c.id;
    }
}

TEST_F(CaptionFrameTest, TextButtonsPostTheirCommandOnlyWhenEnabled)
{
    const CPoint point = window.ScreenCentre(CAPTION_TRADE);
    window.SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, ScreenPoint(point));
    EXPECT_EQ(1, window.frame.Button(CAPTION_TRADE)->m_pressed);
    window.SendMessage(WM_NCLBUTTONUP, HTCAPTION, ScreenPoint(point));
    EXPECT_TRUE(PumpUntil([&] { return !window.commands.empty(); }, 10000));
    EXPECT_EQ(std::vector<UINT>{CAPTION_TRADE}, window.commands);
    EXPECT_EQ(1, window.frame.Button(CAPTION_TRADE)->m_checked);
    EXPECT_TRUE(window.sysCommands.empty());

    window.commands.clear();
    window.frame.EnableCaptionButton(CAPTION_CONSOLE, false);
    const CPoint console = window.ScreenCentre(CAPTION_CONSOLE);
    window.SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, ScreenPoint(console));
    window.SendMessage(WM_NCLBUTTONUP, HTCAPTION, ScreenPoint(console));
    PumpPending();
    EXPECT_TRUE(window.commands.empty());
    EXPECT_EQ(0, window.frame.Button(CAPTION_CONSOLE)->m_checked);
}

}  // namespace
