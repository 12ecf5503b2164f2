// The layered button: frame by state, pressed caption offset, hover outline, two-part
// style, reported misuse and the font it is given.
#include "controls_test_host.h"

#include "LayerButton.h"

#include <testsupport/MessageBoxScript.h>
#include <testsupport/Pump.h>

#include <gtest/gtest.h>

using tolvan::test::MessageBoxScript;
using tolvan::test::PumpPending;
using tolvan::test::Screenshot;

namespace {

const UINT kButtonId = 303;
const COLORREF kHover = RGB(0xFD, 0xD3, 0x7D);

class LayerButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(button.Create("确定", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW,
                                  CRect(20, 20, 120, 50), &host, kButtonId));
        PumpPending();
    }
    Screenshot CaptureButton()
    {
        button.Invalidate();
        button.UpdateWindow();
        Screenshot shot;
        tolvan::test::PumpUntil([&] {
            shot = Screenshot::CaptureClient(button.m_hWnd);
            return !shot.IsEmpty();
        });
        return shot;
    }
    // The box around pixels of the caption colour (black).
    static CRect CaptionBox(const Screenshot& shot)
    {
        CRect box(1000, 1000, -1, -1);
        for (int y = 3; y < shot.Height() - 3; ++y) {
            for (int x = 3; x < shot.Width() - 3; ++x) {
                if (shot.PixelAt(x, y) == RGB(0, 0, 0)) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x);
                    box.bottom = std::max<LONG>(box.bottom, y);
                }
            }
        }
        return box;
    }

    ControlHost host;
    CLayerButton button;
};

TEST_F(LayerButtonTest, FrameFollowsStateAndPressedCaptionMoves)
{
    Screenshot normal = CaptureButton();
    EXPECT_EQ(normal.PixelAt(50, 0), RGB(0xA0, 0xA0, 0xA0)) << "light top edge";
    EXPECT_EQ(normal.PixelAt(99, 15), RGB(0x7F, 0x7F, 0x7F)) << "shadow right edge";
    EXPECT_EQ(normal.PixelAt(50, 1), RGB(0xE3, 0xE3, 0xE3)) << "inner highlight";
    CRect caption = CaptionBox(normal);
    ASSERT_LT(caption.left, caption.right) << "no caption drawn";

    button.SetState(TRUE);
    Screenshot pressed = CaptureButton();
    EXPECT_EQ(pressed.PixelAt(50, 0), RGB(0x00, 0x3C, 0x74)) << "dark outer outline";
    EXPECT_EQ(pressed.PixelAt(50, 1), RGB(0xA0, 0xA0, 0xA0)) << "mid inner outline";
    CRect moved = CaptionBox(pressed);
    EXPECT_EQ(moved.left - caption.left, 2);
    EXPECT_EQ(moved.top - caption.top, 2);
    button.SetState(FALSE);
}

TEST_F(LayerButtonTest, HoverOutlineComesAndGoesWithTheMouse)
{
    EXPECT_EQ(CaptureButton().PixelAt(2, 10), RGB(0xF0, 0xF0, 0xF0));
    button.SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(button.IsHover());
    Screenshot hovered = CaptureButton();
    EXPECT_EQ(hovered.PixelAt(2, 10), kHover);
    EXPECT_EQ(hovered.PixelAt(97, 10), kHover);
    button.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(button.IsHover());
    EXPECT_EQ(CaptureButton().PixelAt(2, 10), RGB(0xF0, 0xF0, 0xF0));
}

TEST_F(LayerButtonTest, BadStyleIsReportedOnceAndDrawsFlat)
{
    MessageBoxScript boxes;
    button.SetStyle(7);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, "Button初始化错识！");
    EXPECT_EQ(button.GetStyle(), 0);
    CaptureButton();
    CaptureButton();
    EXPECT_EQ(boxes.Count(), 1u) << "painting must not ask";
}

TEST_F(LayerButtonTest, TwoPartHeightIsCorrectedOnceWithoutTheSeparator)
{
    MessageBoxScript boxes;
    button.SetStyle(1);
    button.SetTextColor(RGB(255, 0, 0));
    CFont font;
    font.CreatePointFont(120, "宋体");
    button.SetFont(&font);
    EXPECT_EQ(button.GetCaptionFont(), nullptr) << "text setters act in style 0 only";
    button.m_requestedUpperHeight = 40;
    Screenshot shot = CaptureButton();
    // Inner height 30 - 4, less two margins and the separator.
    EXPECT_EQ(button.m_upperHeight, (26 - 2 * 2 - 1) / 2);
    EXPECT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, "按钮上半部高度设置错误，将自动使用默认高度！");
    CaptureButton();
    EXPECT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(shot.CountColor(RGB(255, 0, 0)), 0u);
    EXPECT_LE(button.m_upperTextRect.bottom, button.m_lowerTextRect.top);
}

TEST_F(LayerButtonTest, SharedFontOutlivesTheButton)
{
    CLayerButton second;
    ASSERT_TRUE(second.Create("取消", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW,
                              CRect(140, 20, 240, 50), &host, kButtonId + 1));
    CFont font;
    font.CreatePointFont(90, "宋体");
    button.SetFont(&font);
    second.SetFont(&font);
    button.DestroyWindow();
    EXPECT_EQ(::GetObjectType(font.GetSafeHandle()), (DWORD)OBJ_FONT);
    second.SetFont(&font);
    EXPECT_NE(second.GetCaptionFont(), nullptr);
}

}  // namespace
