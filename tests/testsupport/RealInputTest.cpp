#include "testsupport/Pump.h"
#include "testsupport/RealInput.h"
#include "testsupport/RecordingWindow.h"

#include <windowsx.h>
#include <gtest/gtest.h>

#include <string>

using namespace tolvan::test;

namespace {

// A visible top-level window that records what reaches it, in the foreground.
class RealInputTest : public ::testing::Test
{
protected:
    RealInputTest() : window(RecordingWindow::Kind::TopLevel, RECT{200, 200, 600, 500}) {}

    void SetUp() override
    {
        ASSERT_TRUE(BringToForeground(window.Handle()));
    }

    RecordingWindow window;
};

TEST_F(RealInputTest, ClicksAndDoubleClicksArriveWhereThePointerIs)
{
    const POINT at = ScreenPointOf(window.Handle(), 30, 40);
    ClickAt(at);
    ASSERT_TRUE(PumpUntil([&] { return window.Count(WM_LBUTTONUP) == 1; }, 10000));
    const RecordedMessage down = window.MessagesOf(WM_LBUTTONDOWN).front();
    EXPECT_EQ(30, GET_X_LPARAM(down.lParam));
    EXPECT_EQ(40, GET_Y_LPARAM(down.lParam));

    DoubleClickAt(ScreenPointOf(window.Handle(), 50, 60));
    EXPECT_TRUE(PumpUntil([&] { return window.Count(WM_LBUTTONDBLCLK) == 1 || window.Count(WM_LBUTTONUP) == 3; },
                          10000));
}

TEST_F(RealInputTest, DragMovesWithTheButtonDownAndHoldsTheKeyWhenAsked)
{
    DragPointer(ScreenPointOf(window.Handle(), 20, 20), ScreenPointOf(window.Handle(), 20, 120), 4, VK_SHIFT);
    ASSERT_TRUE(PumpUntil([&] { return window.Count(WM_LBUTTONUP) == 1; }, 10000));
    bool shiftedMove = false;
    int lastY = 0;
    for (const RecordedMessage& move : window.MessagesOf(WM_MOUSEMOVE)) {
        shiftedMove = shiftedMove || (move.wParam & (MK_LBUTTON | MK_SHIFT)) == (MK_LBUTTON | MK_SHIFT);
        lastY = GET_Y_LPARAM(move.lParam);
    }
    EXPECT_TRUE(shiftedMove);
    EXPECT_EQ(120, lastY);
    EXPECT_EQ(120, GET_Y_LPARAM(window.MessagesOf(WM_LBUTTONUP).front().lParam));
}

TEST_F(RealInputTest, KeysAndTextReachTheFocusedWindow)
{
    ::SetFocus(window.Handle());
    PressKey(VK_F5);
    TypeText("a1B");
    ASSERT_TRUE(PumpUntil([&] { return window.Count(WM_CHAR) == 3; }, 10000));
    std::string typed;
    for (const RecordedMessage& message : window.MessagesOf(WM_CHAR))
        typed += static_cast<char>(message.wParam);
    EXPECT_EQ("a1B", typed);
    EXPECT_EQ(static_cast<WPARAM>(VK_F5), window.MessagesOf(WM_KEYDOWN).front().wParam);
}

}  // namespace
