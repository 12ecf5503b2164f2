// The flat combo box (Enter as a command, button looks by state, images, font) and the
// flat-bordered date picker.
#include "controls_test_host.h"

#include "FlatComboBox.h"
#include "FlatDateTimeCtrl.h"
#include "SkinResource.h"

#include <testsupport/Pump.h>

#include <gtest/gtest.h>

using tolvan::test::PumpPending;
using tolvan::test::Screenshot;

namespace {

const UINT kComboId = 305;
const UINT kDateId = 306;

class FlatComboTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL,
                                 CRect(20, 20, 220, 220), &host, kComboId));
        combo.AddString("限价");
        combo.AddString("市价");
        combo.SetCurSel(0);
        combo.SetImages(IDP_COMBO_NORMAL, IDP_COMBO_HOVER, IDP_COMBO_PRESSED, IDP_COMBO_NORMAL);
        PumpPending();
    }
    Screenshot Capture()
    {
        combo.Invalidate();
        combo.UpdateWindow();
        Screenshot shot;
        tolvan::test::PumpUntil([&] {
            shot = Screenshot::CaptureClient(combo.m_hWnd);
            return !shot.IsEmpty();
        });
        return shot;
    }
    // A pixel of the drop-down button that the arrow image leaves transparent.
    COLORREF ButtonFill()
    {
        Screenshot shot = Capture();
        const CRect& button = combo.GetButtonRect();
        return shot.PixelAt(button.left + 2, button.top + 2);
    }

    ControlHost host;
    CFlatComboBox combo;
};

TEST_F(FlatComboTest, EnterBecomesTheParentsCommandAndNeverReachesTheCombo)
{
    MSG msg = { combo.m_hWnd, WM_KEYDOWN, VK_RETURN, 0 };
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(host.m_hWnd, &msg));
    std::vector<HostMessage> commands = host.MessagesOf(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, (WPARAM)kComboId);
    EXPECT_EQ(commands[0].lParam, 0);
    EXPECT_EQ(host.CommandCount(kComboId, CN_COMMAND), 1u);

    MSG other = { combo.m_hWnd, WM_KEYDOWN, VK_DOWN, 0 };
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(host.m_hWnd, &other));
}

TEST_F(FlatComboTest, ButtonLookFollowsStateAndDisabledWins)
{
    ASSERT_NE(combo.GetImage(CFlatComboBox::kNormal), nullptr);
    EXPECT_EQ(ButtonFill(), (COLORREF)0xFBCFB7);
    Screenshot shot = Capture();
    EXPECT_GT(shot.CountColor(RGB(60, 60, 60), &combo.GetButtonRect()), 0u) << "no arrow image";

    combo.SendMessage(WM_MOUSEHOVER);
    EXPECT_EQ(ButtonFill(), (COLORREF)0xFDEFDD);
    combo.EnableWindow(FALSE);
    combo.SendMessage(WM_MOUSEHOVER);
    EXPECT_EQ(combo.GetButtonState(), CFlatComboBox::kHover);
    EXPECT_EQ(ButtonFill(), (COLORREF)0xC0C0C0);
    combo.EnableWindow(TRUE);
}

TEST_F(FlatComboTest, ClosingTheListWithTheMouseOutsideLooksNormalAgain)
{
    ::SetCursorPos(1500, 950);
    host.Clear();
    combo.ShowDropDown(TRUE);
    EXPECT_EQ(combo.GetButtonState(), CFlatComboBox::kPressed);
    combo.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(combo.GetButtonState(), CFlatComboBox::kPressed) << "pinned while dropped";
    combo.ShowDropDown(FALSE);
    EXPECT_EQ(combo.GetButtonState(), CFlatComboBox::kNormal);
    EXPECT_EQ(ButtonFill(), (COLORREF)0xFBCFB7);
    EXPECT_EQ(host.CommandCount(kComboId, CBN_DROPDOWN), 0u);
    EXPECT_EQ(host.CommandCount(kComboId, CBN_CLOSEUP), 0u);
}

TEST_F(FlatComboTest, FontKeepsTheStockFaceForAnOverlongName)
{
    LOGFONTA stock = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(stock), &stock);
    struct Case {
        const char* face;
        const char* expected;
    } cases[] = { { "宋体", "宋体" }, { "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", stock.lfFaceName } };
    for (const Case& c : cases) {
        combo.SetFont(12, 0, 700, c.face);
        LOGFONTA used = {};
        ASSERT_NE(combo.GetFont(), nullptr);
        combo.GetFont()->GetLogFont(&used);
        EXPECT_STREQ(used.lfFaceName, c.expected);
        EXPECT_EQ(used.lfHeight, 12);
        EXPECT_EQ(used.lfWeight, 700);
    }
}

TEST(FlatDateTimeTest, BorderIsOneFlatColour)
{
    ControlHost host;
    CFlatDateTimeCtrl date;
    ASSERT_TRUE(date.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | DTS_SHORTDATEFORMAT,
                            CRect(20, 20, 180, 44), &host, kDateId));
    date.SetBorderColor(RGB(200, 0, 0));
    date.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    CRect window = host.ChildRect(date);
    Screenshot shot = host.CaptureWhen([&](const Screenshot& s) {
        return s.PixelAt(window.left, window.top + 10) == RGB(200, 0, 0);
    });
    EXPECT_EQ(shot.PixelAt(window.left, window.top + 10), RGB(200, 0, 0));
    EXPECT_EQ(shot.PixelAt(window.right - 1, window.top + 10), RGB(200, 0, 0));
    EXPECT_EQ(shot.PixelAt(window.left + 40, window.top), RGB(200, 0, 0));
    EXPECT_EQ(shot.PixelAt(window.left + 40, window.bottom - 1), RGB(200, 0, 0));
    EXPECT_NE(shot.PixelAt(window.left + 1, window.top + 10), RGB(200, 0, 0)) << "one pixel wide";
}

}  // namespace
