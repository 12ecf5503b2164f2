#include <Triggerboard.h>

#include <ListWindowProbe.h>
#include <TradingTestHost.h>

#include <testsupport/Pump.h>
#include <testsupport/TestApp.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>

namespace {

tolvan::test::TestApp theApp("TriggerboardTest");

const int kTabs = 9003, kWaitingList = 9009, kTriggeredList = 9012;

std::string HeaderText(HWND list, int column)
{
    char text[64] = "";
    HDITEMA item = {};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    ::SendMessage((HWND)::SendMessage(list, LVM_GETHEADER, 0, 0), HDM_GETITEMA, column, (LPARAM)&item);
    return text;
}

class ConditionalOrders : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host = std::make_unique<TradingHost>(CRect(0, 0, 960, 320));
        window = Dll_ShowTriggerboardDlg(host->CreateContainer());
        ASSERT_TRUE(::IsWindow(window));
        ::MoveWindow(window, 0, 0, 960, 320, TRUE);
        tolvan::test::PumpPending();
        waiting = FindDescendant(window, kWaitingList);
        triggered = FindDescendant(window, kTriggeredList);
        ASSERT_TRUE(::IsWindow(waiting) && ::IsWindow(triggered));
    }
    void TearDown() override { host.reset(); }

    void ClickTab(int tab)
    {
        HWND tabs = ::GetDlgItem(window, kTabs);
        RECT rect;
        ::SendMessage(tabs, TCM_GETITEMRECT, tab, (LPARAM)&rect);
        POINT point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ::ClientToScreen(tabs, &point);
        ClickAt(point);
    }

    std::unique_ptr<TradingHost> host;
    HWND window = NULL, waiting = NULL, triggered = NULL;
};

TEST_F(ConditionalOrders, TheTabsSwitchBetweenTheWaitingAndTheTriggeredList)
{
    EXPECT_TRUE(::IsWindowVisible(waiting));
    EXPECT_FALSE(::IsWindowVisible(triggered));
    EXPECT_EQ(ColumnCount(waiting), 9);
    EXPECT_EQ(HeaderText(waiting, 4), "止损/浮动/止盈");
    CaptureAndSave(window, "trading_conditional_waiting.png");

    ClickTab(1);
    ASSERT_TRUE(tolvan::test::PumpUntil([&] { return ::IsWindowVisible(triggered) != FALSE; }));
    EXPECT_FALSE(::IsWindowVisible(waiting));
    EXPECT_EQ(ColumnCount(triggered), 9);
    EXPECT_EQ(HeaderText(triggered, 0), "触发时间");
    EXPECT_EQ(HeaderText(triggered, 7), "触发方式");
    CaptureAndSave(window, "trading_conditional_triggered.png");

    ClickTab(0);
    ASSERT_TRUE(tolvan::test::PumpUntil([&] { return ::IsWindowVisible(waiting) != FALSE; }));
    EXPECT_FALSE(::IsWindowVisible(triggered));
}

TEST_F(ConditionalOrders, ButtonsChangeNothingAndSendNothing)
{
    for (int id = 9004; id <= 9008; ++id)
        ::SendMessage(FindDescendant(window, id), BM_CLICK, 0, 0);
    ClickTab(1);
    ASSERT_TRUE(tolvan::test::PumpUntil([&] { return ::IsWindowVisible(triggered) != FALSE; }));
    for (int id : {9010, 9011})
        ::SendMessage(FindDescendant(window, id), BM_CLICK, 0, 0);
    tolvan::test::PumpPending();
    EXPECT_EQ(host->Messages().size(), 0u);
    EXPECT_TRUE(::IsWindow(window));
    EXPECT_EQ(RowCount(waiting) + RowCount(triggered), 0);
    EXPECT_EQ(ColumnCount(waiting) + ColumnCount(triggered), 18);
}

}  // namespace
