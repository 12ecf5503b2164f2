// The toolbar library as the main window drives it: thirteen buttons bound to the main
// window's messages, clicks, the one checked button and disabled buttons.
#include "Ribbonet.h"

#include <afxwin.h>

#include <testsupport/Pump.h>
#include <testsupport/RealInput.h>
#include <testsupport/RecordingWindow.h>
#include <testsupport/Screenshot.h>
#include <testsupport/TestApp.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using tolvan::test::PumpPending;
using tolvan::test::PumpUntil;
using tolvan::test::RecordingWindow;
using tolvan::test::Screenshot;

namespace {

tolvan::test::TestApp theApp("RibbonetTest");

// The main window's registrations, by button index.
const UINT kMessages[13] = { 11059, 11062, 11063, 11064, 11065, 11066, 11067,
                             11068, 11069, 11071, 11072, 11073, 11074 };
const COLORREF kChecked = 0x646464;
const COLORREF kBar = 0xEEEEEE;

class RibbonetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::SetWindowPos(mainWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        toolbar = dll_ShowToolBar(mainWindow);
        ASSERT_NE(toolbar, (HWND)NULL);
        dll_SetToolBarParent(toolbar, mainWindow);
        RECT client;
        ::GetClientRect(mainWindow, &client);
        ::MoveWindow(toolbar, 0, 0, client.right, 25, TRUE);
        for (int index = 0; index < 13; ++index)
            dll_ToolBarRegistMsgID(toolbar, index, kMessages[index]);
        dll_SetButtonChecked(toolbar, 0, 1);
        buttons = ButtonsLeftToRight();
        PumpPending();
    }
    void TearDown() override
    {
        if (::IsWindow(toolbar))
            ::DestroyWindow(toolbar);
    }

    std::vector<HWND> ButtonsLeftToRight() const
    {
        std::vector<HWND> found;
        for (HWND child = ::GetWindow(toolbar, GW_CHILD); child != NULL;
             child = ::GetWindow(child, GW_HWNDNEXT))
            found.push_back(child);
        std::sort(found.begin(), found.end(), [](HWND a, HWND b) {
            RECT ra, rb;
            ::GetWindowRect(a, &ra);
            ::GetWindowRect(b, &rb);
            return ra.left < rb.left;
        });
        return found;
    }
    void Click(int index)
    {
        ::PostMessage(buttons[index], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
        ::PostMessage(buttons[index], WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
        PumpPending();
    }
    // The fill of a button right of its caption, as the screen shows it.
    COLORREF ButtonFill(const Screenshot& shot, int index) const
    {
        RECT button;
        ::GetWindowRect(buttons[index], &button);
        POINT corner = { button.right - 3, button.top + 3 };
        ::ScreenToClient(toolbar, &corner);
        return shot.PixelAt(corner.x, corner.y);
    }
    Screenshot Capture() const
    {
        Screenshot shot;
        PumpUntil([&] {
            shot = Screenshot::CaptureClient(toolbar);
            return !shot.IsEmpty();
        }, 10000);
        return shot;
    }

    RecordingWindow mainWindow{ RecordingWindow::Kind::TopLevel, RECT{ 10, 10, 950, 200 }, "Tolvan" };
    HWND toolbar = NULL;
    std::vector<HWND> buttons;
};

TEST_F(RibbonetTest, EachButtonSendsItsRegisteredMessageToTheParent)
{
    ASSERT_EQ(buttons.size(), 13u);
    EXPECT_EQ(::GetParent(toolbar), mainWindow.Handle());
    char caption[32];
    ::GetWindowTextA(buttons[0], caption, sizeof(caption));
    EXPECT_STRNE(caption, "") << "buttons carry a caption";

    for (int index = 0; index < 13; ++index)
        Click(index);
    ASSERT_TRUE(PumpUntil([&] { return mainWindow.Count(kMessages[12]) == 1; }, 10000));
    std::vector<UINT> sent;
    for (const auto& record : mainWindow.Messages()) {
        if (record.message >= 11059 && record.message <= 11074)
            sent.push_back(record.message);
    }
    EXPECT_EQ(sent, std::vector<UINT>(kMessages, kMessages + 13));
    EXPECT_EQ(mainWindow.Count(11070), 0u) << "no button asks for 3-minute candles";

    // An unbound button sends nothing.
    dll_ToolBarRegistMsgID(toolbar, 1, 0);
    mainWindow.Clear();
    Click(1);
    Click(2);
    ASSERT_TRUE(mainWindow.WaitFor(kMessages[2], 1, 10000));
    EXPECT_EQ(mainWindow.Count(kMessages[1]), 0u);
}

// Two quick clicks on one button act twice: the second press reaches the button as a double
// click, which is a click of its own. The bar around the buttons stays silent.
TEST_F(RibbonetTest, DoubleClickOnAButtonIsTwoClicks)
{
    // The messages a double click brings, in the order the queue delivers them.
    const LPARAM at = MAKELPARAM(20, 10);
    ::PostMessage(buttons[2], WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessage(buttons[2], WM_LBUTTONUP, 0, at);
    ::PostMessage(buttons[2], WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    ::PostMessage(buttons[2], WM_LBUTTONUP, 0, at);
    ::PostMessage(buttons[3], WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessage(buttons[3], WM_LBUTTONUP, 0, at);
    ASSERT_TRUE(mainWindow.WaitFor(kMessages[3], 1, 10000));
    EXPECT_EQ(mainWindow.Count(kMessages[2]), 2u) << "the double click counted once";

    // The same from the pointer, on the next button; then a double click on the bar beside
    // the buttons sends nothing.
    ASSERT_TRUE(tolvan::test::BringToForeground(mainWindow.Handle()));
    mainWindow.Clear();
    tolvan::test::DoubleClickAt(tolvan::test::CentreOf(buttons[3]));
    RECT last;
    ::GetWindowRect(buttons[12], &last);
    tolvan::test::DoubleClickAt(POINT{ last.right + 40, (last.top + last.bottom) / 2 });
    tolvan::test::ClickAt(tolvan::test::CentreOf(buttons[4]));
    ASSERT_TRUE(mainWindow.WaitFor(kMessages[4], 1, 10000));
    EXPECT_EQ(mainWindow.Count(kMessages[3]), 2u);
    size_t fromToolbar = 0;
    for (const auto& record : mainWindow.Messages())
        fromToolbar += record.message >= 11059 && record.message <= 11074;
    EXPECT_EQ(fromToolbar, 3u);
}

TEST_F(RibbonetTest, DisabledButtonIsGreyAndSilentUntilEnabledAgain)
{
    for (int index = 6; index <= 12; ++index)
        dll_SetButtonEnable(toolbar, index, FALSE);
    EXPECT_FALSE(::IsWindowEnabled(buttons[6]));
    Click(6);
    Click(12);
    Click(5);
    ASSERT_TRUE(mainWindow.WaitFor(kMessages[5], 1, 10000));
    EXPECT_EQ(mainWindow.Count(kMessages[6]), 0u);
    EXPECT_EQ(mainWindow.Count(kMessages[12]), 0u);

    // A disabled button does not show the checked look; enabled again it does.
    dll_SetButtonChecked(toolbar, 7, 1);
    EXPECT_EQ(ButtonFill(Capture(), 7), kBar);
    dll_SetButtonEnable(toolbar, 7, TRUE);
    EXPECT_EQ(ButtonFill(Capture(), 7), kChecked);
    Click(7);
    EXPECT_TRUE(mainWindow.WaitFor(kMessages[7], 1, 10000));
}

TEST_F(RibbonetTest, OneButtonIsCheckedAtATime)
{
    Screenshot start = Capture();
    EXPECT_EQ(ButtonFill(start, 0), kChecked);
    EXPECT_EQ(ButtonFill(start, 5), kBar);

    dll_SetButtonChecked(toolbar, 5, 1);
    Screenshot day = Capture();
    EXPECT_EQ(ButtonFill(day, 0), kBar) << "checking another button clears the first";
    EXPECT_EQ(ButtonFill(day, 5), kChecked);

    dll_SetButtonChecked(toolbar, 5, 0);
    EXPECT_EQ(ButtonFill(Capture(), 5), kBar);

    // Out-of-range indexes and foreign windows are ignored.
    dll_SetButtonChecked(toolbar, 13, 1);
    dll_SetButtonEnable(toolbar, -1, FALSE);
    dll_ToolBarRegistMsgID(mainWindow.Handle(), 0, 1);
    dll_SetButtonChecked(NULL, 0, 1);

    // The state images differ: checked, normal and disabled.
    dll_SetButtonChecked(toolbar, 4, 1);
    dll_SetButtonEnable(toolbar, 8, FALSE);
    Screenshot shot = Capture();
    shot.SavePng("ribbonet_toolbar.png");
    RECT checkedRect, normalRect, disabledRect;
    ::GetWindowRect(buttons[4], &checkedRect);
    ::GetWindowRect(buttons[3], &normalRect);
    ::GetWindowRect(buttons[8], &disabledRect);
    auto imagePixel = [&](const RECT& button) {
        // Inside the tallest bar of the state image.
        POINT point = { button.left + 3 + 10 + 1, button.top + 3 + 12 };
        ::ScreenToClient(toolbar, &point);
        return shot.PixelAt(point.x, point.y);
    };
    EXPECT_EQ(imagePixel(checkedRect), RGB(0xFF, 0xA5, 0x00));
    EXPECT_EQ(imagePixel(normalRect), RGB(0x3F, 0x7D, 0xB9));
    EXPECT_EQ(imagePixel(disabledRect), RGB(0xC8, 0xC8, 0xC8));
}

// The host may call while another module's state is current (a library's window calls back
// into the main window): every call still reaches the bar, whichever state created it.
TEST_F(RibbonetTest, CallsUnderAnotherModulesStateReachTheBar)
{
    // A state of its own for a module loaded anyway (the run-time library).
    AFX_MODULE_STATE* other = AfxGetModuleStateForInstance(::GetModuleHandleA("msvcrt.dll"));
    ASSERT_NE(other, AfxGetModuleState());
    {
        AFX_MAINTAIN_STATE2 otherState(other);
        dll_SetButtonChecked(toolbar, 5, 1);
        dll_SetButtonEnable(toolbar, 6, FALSE);
        dll_ToolBarRegistMsgID(toolbar, 7, 11099);
    }
    EXPECT_EQ(ButtonFill(Capture(), 5), kChecked);
    EXPECT_FALSE(::IsWindowEnabled(buttons[6]));
    Click(7);
    EXPECT_TRUE(mainWindow.WaitFor(11099, 1, 10000));

    // A bar made under that state answers calls made in the program's own.
    HWND bar = NULL;
    {
        AFX_MAINTAIN_STATE2 otherState(other);
        bar = dll_ShowToolBar(mainWindow.Handle());
    }
    ASSERT_TRUE(::IsWindow(bar));
    dll_SetButtonEnable(bar, 2, FALSE);
    int disabled = 0;
    for (HWND child = ::GetWindow(bar, GW_CHILD); child != NULL; child = ::GetWindow(child, GW_HWNDNEXT))
        disabled += !::IsWindowEnabled(child);
    EXPECT_EQ(disabled, 1) << "the call in the program's state was dropped";
    ::DestroyWindow(bar);
}

TEST_F(RibbonetTest, DestroyingTheParentEndsTheToolbar)
{
    RecordingWindow other(RecordingWindow::Kind::TopLevel, RECT{ 10, 300, 600, 400 }, "Other");
    HWND bar = dll_ShowToolBar(other.Handle());
    ASSERT_TRUE(::IsWindow(bar));
    ::DestroyWindow(other.Handle());
    EXPECT_FALSE(::IsWindow(bar));
    dll_SetButtonChecked(bar, 0, 1);  // a stale handle is ignored
}

}  // namespace
