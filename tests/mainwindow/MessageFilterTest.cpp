// The message filter against a stand-in main window: the splitter drag, the caption
// buttons' double clicks and commands, and the view keys.
#include "MessageFilter.h"

#include <testsupport/Pump.h>
#include <testsupport/RecordingWindow.h>

#include <gtest/gtest.h>

#include <vector>

using tolvan::test::RecordingWindow;

namespace {

class FakeHost : public IMessageFilterHost
{
public:
    HWND MainWindow() const override { return main.Handle(); }
    HWND TabStrip() const override { return tabStrip.Handle(); }
    HWND CurrentPageList() const override { return NULL; }
    bool IsQuotePageList(HWND) const override { return false; }
    bool IsOwnView(HWND hWnd) const override { return hWnd == main.Handle() || hWnd == tabStrip.Handle(); }
    bool IsTradePanelWindow(HWND) const override { return false; }
    bool IsQuoteListShown() const override { return true; }
    bool IsTradePanelDocked() const override { return docked; }
    bool IsNoticeShown() const override { return false; }
    bool IsSmartKeyboardOpen() const override { return false; }
    bool OpenSmartKeyboard(const MSG&) override { ++searches; return true; }
    void ToggleTradePanel() override { ++panelToggles; }
    void ToggleConsole() override { ++consoleToggles; }
    int HitTestCaptionButton(int x, int y) const override { return x >= 50 && x < 103 && y >= 10 && y < 30 ? 3 : -1; }
    void ApplySplit(int split) override { splits.push_back(split); }
    BOOL PreTranslateInTradePanel(MSG* pMsg) override
    {
        offeredToPanel.push_back(pMsg->wParam);
        return panelTakes;
    }

    RecordingWindow main{ RecordingWindow::Kind::TopLevel, RECT{ 100, 100, 900, 700 }, "FilterMain" };
    RecordingWindow tabStrip{ main.Handle(), RECT{ 0, 25, 800, 300 }, 1000 };
    bool docked = true;
    int searches = 0, panelToggles = 0, consoleToggles = 0;
    std::vector<int> splits;
    std::vector<WPARAM> offeredToPanel;
    BOOL panelTakes = FALSE;
};

class MessageFilterTest : public ::testing::Test
{
protected:
    // A mouse message at a point of the main window's client area.
    MSG Mouse(UINT message, int x, int y, WPARAM keys)
    {
        POINT point = { x, y };
        ::ClientToScreen(host.main.Handle(), &point);
        MSG msg = { host.main.Handle(), message, keys, MAKELPARAM(x, y) };
        msg.pt = point;
        return msg;
    }
    BOOL Send(MSG msg) { return filter.PreTranslate(&msg); }
    MSG Key(HWND target, WPARAM key) { return MSG{ target, WM_KEYDOWN, key, 0 }; }

    FakeHost host;
    CMessageFilter filter{ host };
};

TEST_F(MessageFilterTest, DragFromTheBandSetsTheSplitWithinTheClientArea)
{
    RECT client;
    ::GetClientRect(host.main.Handle(), &client);
    const int band = 300 + 2;  // below the tab strip's bottom edge
    EXPECT_FALSE(Send(Mouse(WM_LBUTTONDOWN, 200, band, MK_LBUTTON))) << "the click goes on";
    EXPECT_TRUE(filter.IsDragging());
    EXPECT_EQ(host.main.Count(WM_SPLITTER_CURSOR), 1u);
    Send(Mouse(WM_MOUSEMOVE, 200, 400, MK_LBUTTON));
    Send(Mouse(WM_LBUTTONUP, 200, 400, 0));
    ASSERT_EQ(host.splits, std::vector<int>{ 400 });
    EXPECT_FALSE(filter.IsDragging());

    // Released near the top: 100; released below the client area: its height.
    Send(Mouse(WM_LBUTTONDOWN, 200, band, MK_LBUTTON));
    Send(Mouse(WM_LBUTTONUP, 200, 10, 0));
    Send(Mouse(WM_LBUTTONDOWN, 200, band, MK_LBUTTON));
    Send(Mouse(WM_LBUTTONUP, 200, client.bottom + 300, 0));
    EXPECT_EQ(host.splits, (std::vector<int>{ 400, 100, static_cast<int>(client.bottom) }));

    // Shift held while moving cancels the drag.
    Send(Mouse(WM_LBUTTONDOWN, 200, band, MK_LBUTTON));
    Send(Mouse(WM_MOUSEMOVE, 200, 350, MK_LBUTTON | MK_SHIFT));
    Send(Mouse(WM_LBUTTONUP, 200, 350, 0));
    EXPECT_EQ(host.splits.size(), 3u);

    // Outside the band, or with the panel not docked, nothing starts.
    Send(Mouse(WM_LBUTTONDOWN, 200, band + 10, MK_LBUTTON));
    EXPECT_FALSE(filter.IsDragging());
    host.docked = false;
    host.main.Clear();
    Send(Mouse(WM_LBUTTONDOWN, 200, band, MK_LBUTTON));
    Send(Mouse(WM_MOUSEMOVE, 200, band, MK_LBUTTON));
    EXPECT_FALSE(filter.IsDragging());
    EXPECT_EQ(host.main.Count(WM_SPLITTER_CURSOR), 0u);
}

TEST_F(MessageFilterTest, CaptionButtonsAndViewKeys)
{
    RECT window;
    ::GetWindowRect(host.main.Handle(), &window);
    MSG onButton = { host.main.Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0 };
    onButton.pt = POINT{ window.left + 60, window.top + 20 };
    EXPECT_TRUE(filter.PreTranslate(&onButton)) << "no maximise through a caption button";
    MSG onCaption = onButton;
    onCaption.pt = POINT{ window.left + 400, window.top + 20 };
    EXPECT_FALSE(filter.PreTranslate(&onCaption));

    MSG trade = { host.main.Handle(), WM_COMMAND, 3, 0 };
    MSG console = { host.main.Handle(), WM_COMMAND, 4, 0 };
    MSG other = { host.main.Handle(), WM_COMMAND, 5, 0 };
    EXPECT_TRUE(filter.PreTranslate(&trade));
    EXPECT_TRUE(filter.PreTranslate(&console));
    EXPECT_FALSE(filter.PreTranslate(&other));
    EXPECT_EQ(host.panelToggles, 1);
    EXPECT_EQ(host.consoleToggles, 1);

    EXPECT_TRUE(Send(Key(host.tabStrip.Handle(), VK_RETURN)));
    EXPECT_TRUE(Send(Key(host.tabStrip.Handle(), VK_ESCAPE)));
    auto views = host.main.MessagesOf(WM_KEY_OPEN_VIEW);
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(views[0].wParam, 0u);
    EXPECT_EQ(views[1].wParam, 1u);

    // An edit of some other window keeps Enter and Home.
    RecordingWindow orderField(RecordingWindow::Kind::TopLevel, RECT{ 0, 0, 50, 20 }, "OrderField");
    EXPECT_FALSE(Send(Key(orderField.Handle(), VK_RETURN)));
    EXPECT_FALSE(Send(Key(orderField.Handle(), VK_HOME)));
    EXPECT_EQ(host.main.Count(WM_KEY_OPEN_VIEW), 2u);
    EXPECT_TRUE(Send(Key(host.main.Handle(), 'K')));
    EXPECT_EQ(host.searches, 1);
}

TEST_F(MessageFilterTest, WhatTheRulesLeaveIsOfferedToTheTradePanelFirst)
{
    RecordingWindow orderField(RecordingWindow::Kind::TopLevel, RECT{ 0, 0, 50, 20 }, "OrderField");
    host.panelTakes = TRUE;
    EXPECT_TRUE(Send(Key(orderField.Handle(), VK_ESCAPE))) << "the panel's verdict counts";
    host.panelTakes = FALSE;
    EXPECT_FALSE(Send(Key(orderField.Handle(), VK_F5)));
    // Keys that the rules consume never reach the panel.
    EXPECT_TRUE(Send(Key(orderField.Handle(), VK_F12)));
    EXPECT_TRUE(Send(Key(host.tabStrip.Handle(), VK_RETURN)));
    EXPECT_EQ(host.offeredToPanel, (std::vector<WPARAM>{ VK_ESCAPE, VK_F5 }));
}

}  // namespace
