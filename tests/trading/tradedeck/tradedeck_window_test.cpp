// The trading container under a recording host (the trade dialog's place): the windows it
// creates through their libraries, the entries of its tree and the F keys, forwarding, the
// header strip and the order window's collapse.
#include <Tradedeck.h>
#include <TradingTestHost.h>

#include <testsupport/Pump.h>
#include <testsupport/TestApp.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>

using tolvan::test::PumpUntil;
using tolvan::test::Screenshot;

namespace {

tolvan::test::TestApp theApp("TradedeckTest");

enum { kTree = 2004, kOptionCheck = 2016, kOrderTab = 3006, kContract = 3007, kCollapse = 3005, kModify = 11012 };

CString TextOf(HWND control)
{
    char text[256] = {};
    ::GetWindowTextA(control, text, sizeof(text));
    return text;
}

RECT RectIn(HWND child, HWND parent)
{
    RECT r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(NULL, parent, (POINT*)&r, 2);
    return r;
}

class Container : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host = std::make_unique<TradingHost>(CRect(10, 10, 1210, 440));
        deck = Dll_ShowTradedeckDlg(host->GetSafeHwnd());
        ASSERT_TRUE(::IsWindow(deck));
        ::MoveWindow(deck, 0, 0, 1200, 430, TRUE);
        tolvan::test::PumpPending();
        order = ::GetParent(FindDescendant(deck, kOrderTab));
        password = ::GetParent(FindDescendant(deck, kModify));
        ASSERT_TRUE(::IsWindow(order));
        ASSERT_TRUE(::IsWindow(password));
        ASSERT_EQ(deck, ::GetParent(order));
    }

    void TearDown() override { host.reset(); }

    void PressKey(UINT key)
    {
        MSG msg = {deck, WM_KEYDOWN, key, 0};
        Dll_TradedeckPreTranslateMessage(CWnd::FromHandle(deck), &msg);
        tolvan::test::PumpPending();
    }

    HTREEITEM TreeItem(const char* caption)
    {
        HWND tree = ::GetDlgItem(deck, kTree);
        for (HTREEITEM item = TreeView_GetRoot(tree); item != NULL; item = TreeView_GetNextSibling(tree, item)) {
            char text[64] = {};
            TVITEMA data = {};
            data.mask = TVIF_TEXT;
            data.hItem = item;
            data.pszText = text;
            data.cchTextMax = sizeof(text);
            TreeView_GetItem(tree, &data);
            if (CString(text) == caption)
                return item;
        }
        return NULL;
    }

    std::unique_ptr<TradingHost> host;
    HWND deck = NULL, order = NULL, password = NULL;
};

TEST_F(Container, LaysOutTheWindowsByEntryAndFKeys)
{
    RECT r = RectIn(order, deck);
    EXPECT_EQ(131, r.left);
    EXPECT_EQ(30, r.top);
    EXPECT_EQ(531, r.right);
    EXPECT_TRUE(::IsWindowVisible(order));
    EXPECT_FALSE(::IsWindowVisible(password));
    CaptureAndSave(deck, "trading_container_trade.png");

    PressKey(VK_F5);
    ASSERT_EQ(1u, host->Count(WM_PLATFORM_ITEM_SELECTED));
    EXPECT_STREQ("查询", host->Last(WM_PLATFORM_ITEM_SELECTED).text);
    EXPECT_FALSE(::IsWindowVisible(order));
    PressKey(VK_F7);
    EXPECT_EQ(1u, host->Count(WM_PLATFORM_ITEM_SELECTED));
    PressKey(VK_F6);
    EXPECT_STREQ("设置", host->Last(WM_PLATFORM_ITEM_SELECTED).text);
    HWND settings = ::GetParent(::GetDlgItem(::GetParent(FindDescendant(deck, kOptionCheck)), kOptionCheck));
    EXPECT_TRUE(::IsWindowVisible(settings));
    CaptureAndSave(deck, "trading_container_settings.png");
    PressKey(VK_F1);
    EXPECT_STREQ("交易", host->Last(WM_PLATFORM_ITEM_SELECTED).text);
    EXPECT_TRUE(::IsWindowVisible(order));
    EXPECT_FALSE(::IsWindowVisible(settings));
}

TEST_F(Container, ChoosingPasswordClearsItsStatusBeforeItShows)
{
    // The first choice is a real click; the second selects the item as the tree's own keys
    // would, since a second click soon after the first counts as a double click there.
    int clicks = 0;
    auto choosePassword = [&] {
        HWND tree = ::GetDlgItem(deck, kTree);
        HTREEITEM item = TreeItem("修改密码");
        ASSERT_NE(nullptr, item);
        RECT itemRect;
        TreeView_GetItemRect(tree, item, &itemRect, TRUE);
        POINT click{clicks++ == 0 ? itemRect.left + 3 : itemRect.right - 3, (itemRect.top + itemRect.bottom) / 2};
        ::ClientToScreen(tree, &click);
        size_t before = host->Count(WM_PLATFORM_ITEM_SELECTED);
        if (clicks > 1) {
            ::SendMessage(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)item);
        } else {
            ClickAt(click);
        }
        ASSERT_TRUE(PumpUntil([&] { return host->Count(WM_PLATFORM_ITEM_SELECTED) == before + 1; }, 10000));
        EXPECT_STREQ("修改密码", host->Last(WM_PLATFORM_ITEM_SELECTED).text);
        EXPECT_TRUE(::IsWindowVisible(password));
        EXPECT_FALSE(::IsWindowVisible(order));
        EXPECT_EQ(131, RectIn(password, deck).left);
    };
    choosePassword();
    StatusLine line;
    line.text = "密码修改成功！";
    line.colour = RGB(255, 0, 0);
    ::SendMessage(deck, WM_PASSWORD_STATUS, (WPARAM)&line, 0);
    EXPECT_GT(CaptureAndSave(deck, "trading_container_password.png").CountColor(RGB(255, 0, 0)), 5u);

    PressKey(VK_F1);
    EXPECT_FALSE(::IsWindowVisible(password));
    choosePassword();
    EXPECT_EQ(0u, CaptureAndSave(deck, "trading_container_password_again.png").CountColor(RGB(255, 0, 0)));
}

TEST_F(Container, ForwardsDownMessagesToTheWindowThatOwnsThemAndSkipsMissingOnes)
{
    InstrumentInfo info;
    info.strCode = "600000";
    info.strName = "浦发银行";
    ::SendMessage(deck, WM_ORDER_INSTRUMENT, (WPARAM)&info, 0);
    EXPECT_STREQ("浦发银行", TextOf(FindDescendant(order, kContract)));

    // The list and query windows are not built here: their messages go nowhere.
    ListCommand command;
    command.op = 3;
    QueryText text;
    for (UINT message : {(UINT)WM_POSITIONS_LIST, (UINT)WM_ORDERS_LIST, (UINT)WM_FILLS_LIST, (UINT)WM_QUERY_PAGE_0})
        EXPECT_EQ(0, ::SendMessage(deck, message, message == WM_QUERY_PAGE_0 ? (WPARAM)&text : (WPARAM)&command, 0));

    HWND check = FindDescendant(deck, kOptionCheck);
    ::SendMessage(deck, WM_PLATFORM_SET_OPTION, 1, 0);
    EXPECT_EQ(BST_CHECKED, ::SendMessage(check, BM_GETCHECK, 0, 0));
    PressKey(VK_F6);
    ClickAt(CentreOf(check));
    ASSERT_TRUE(PumpUntil([&] { return host->Count(WM_PLATFORM_OPTION_CHANGED) == 1; }, 10000));
    EXPECT_EQ(0u, host->Last(WM_PLATFORM_OPTION_CHANGED).wParam);
}

TEST_F(Container, HeaderPaintsWithItsOwnCopiesOfTheSendersFonts)
{
    const COLORREF titleColour = RGB(255, 0, 0);
    const RECT lowerTitle{10, 23, 160, 30};
    AccountSummary summary;
    summary.background = 0xFFFFFF;
    summary.title = "账户";
    summary.titleColour = titleColour;
    {
        CFont big;
        big.CreateFont(-26, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "宋体");
        summary.titleFont = &big;
        ::SendMessage(deck, WM_PLATFORM_SUMMARY, (WPARAM)&summary, 0);
    }
    // The sender's font is gone; the header still paints the title in it.
    EXPECT_GT(CaptureAndSave(deck, "trading_container_bigtitle.png").CountColor(titleColour, &lowerTitle), 0u);

    // No fonts at all: the container's own.
    AccountSummary figures;
    figures.background = 0xFFFFFF;
    figures.title = "资金账号";
    const char* labels[] = {"可用资金:", "占用保证金:", "总资产:", "流动性:", "美股T+0次数:"};
    for (int k = 0; k < AccountSummary::kFigures; ++k) {
        figures.figures[k].label = labels[k];
        figures.figures[k].value = "1000.00";
    }
    ::SendMessage(deck, WM_PLATFORM_SUMMARY, (WPARAM)&figures, 0);
    const COLORREF liquidityIcon = RGB(0x00, 0x64, 0xDC);
    const RECT header{0, 0, 1200, 30}, figureBand{170, 0, 1000, 30};
    Screenshot full = CaptureAndSave(deck, "trading_container_figures.png");
    EXPECT_EQ(0u, full.CountColor(titleColour, &lowerTitle));
    EXPECT_GT(full.CountColor(liquidityIcon, &header), 10u);
    EXPECT_GT(full.CountColor(RGB(0, 0, 0), &figureBand), 50u);

    figures.figures[3].label.Empty();
    figures.figures[3].value.Empty();
    ::SendMessage(deck, WM_PLATFORM_SUMMARY, (WPARAM)&figures, 0);
    EXPECT_EQ(0u, CaptureAndSave(deck, "trading_container_noliquidity.png").CountColor(liquidityIcon, &header));

    // The status form shows its title and no figures.
    figures.linkEnabled = 1;
    figures.title = "交易服务器已断开！";
    ::SendMessage(deck, WM_PLATFORM_SUMMARY, (WPARAM)&figures, 0);
    EXPECT_EQ(0u, CaptureAndSave(deck, "trading_container_status.png").CountColor(RGB(0, 0, 0), &figureBand));
}

TEST_F(Container, HeaderIconsAskTheHostToHideOrFloat)
{
    RECT client;
    ::GetClientRect(deck, &client);
    // The float icon is the rightmost 20 pixels, the hide icon the 20 before it.
    POINT hide{client.right - 30, 10}, floating{client.right - 10, 10};
    for (POINT p : {hide, floating}) {
        ::ClientToScreen(deck, &p);
        ClickAt(p);
    }
    ASSERT_TRUE(PumpUntil([&] { return host->Count(WM_PLATFORM_HEADER_BUTTON) == 2; }, 10000));
    EXPECT_STREQ("隐藏", host->Messages()[0].text);
    EXPECT_STREQ("浮动", host->Last(WM_PLATFORM_HEADER_BUTTON).text);
}

TEST_F(Container, CollapsingTheOrderWindowMovesTheRightSide)
{
    HWND collapse = FindDescendant(order, kCollapse);
    ClickAt(CentreOf(collapse));
    ASSERT_TRUE(PumpUntil([&] { return RectIn(order, deck).right == 141; }, 10000));
    CaptureAndSave(deck, "trading_container_collapsed.png");
    ClickAt(CentreOf(collapse));
    ASSERT_TRUE(PumpUntil([&] { return RectIn(order, deck).right == 531; }, 10000));
}

}  // namespace
