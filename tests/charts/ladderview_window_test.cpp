#include "chart_test_host.h"

#include <Ladderview.h>

#include <testsupport/Pump.h>
#include <testsupport/Screenshot.h>

#include <gtest/gtest.h>

#include <memory>

using tolvan::test::Screenshot;

namespace {

const COLORREF kRise = 0x393CFF;
const COLORREF kFall = 0x00E700;
const COLORREF kVolume = 0x00FFFF;
const COLORREF kSelection = 0x00FFFF;

class LadderviewWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host = std::make_unique<ChartHost>(CRect(10, 10, 310, 630));
        hDepth = (HWND)(INT_PTR)dll_ShowLadderviewDlg(host.get(), "深度");
        ASSERT_TRUE(::IsWindow(hDepth));
        depth = HandedWindow(hDepth);
        int decimals = 2;
        dll_LadderviewSetPrecision(depth, &decimals);
        dll_LadderviewSetSellBuyInfoMode(depth, 1);
        DepthStockInfo stock;
        const char* texts[18] = {"600000", "浦发银行", "10.01", "0.01", "0.10", "12000", "30",
                                 "11.00", "", "6000", "", "10.00", "9.95", "10.06", "9.90",
                                 "9.00", "---", "6000"};
        for (int i = 0; i < 18; ++i)
            stock.strInfo[i] = texts[i];
        stock.nDirection = 1;
        dll_LadderviewUpdateStockInfo(depth, stock);
    }

    void TearDown() override { host.reset(); }

    void AddTrades(int count, const char* price = "10.00")
    {
        for (int i = 0; i < count; ++i) {
            DepthTradeTick tick;
            tick.strTime.Format("10:%02d:%02d", i / 2, i % 60);
            tick.strPrice = price;
            tick.strVolume = "5";
            dll_LadderviewAddDepthData(depth, tick);
        }
    }

    // The row whose selection frame is drawn (its left edge at x 3), or -1.
    static int SelectedRowOf(const Screenshot& shot, int ladderBottom, int rows)
    {
        int found = -1;
        for (int row = 0; row < rows; ++row) {
            int middle = ladderBottom + 198 + row * 20;
            RECT edge = {2, middle - 1, 5, middle + 2};
            if (shot.CountColor(kSelection, &edge) > 0)
                found = found == -1 ? row : -2;
        }
        return found;
    }

    void Key(UINT message, WPARAM key)
    {
        MSG msg = {hDepth, message, key, 0};
        Dll_LadderviewPreTranslateMessage(depth, &msg);
    }

    std::unique_ptr<ChartHost> host;
    HWND hDepth = NULL;
    HandedWindow depth;
};

}  // namespace

TEST_F(LadderviewWindow, IsBuiltFromTheLibrarysOwnTemplateUnderTheHost)
{
    EXPECT_EQ(::GetParent(hDepth), host->GetSafeHwnd());
    EXPECT_TRUE(::GetWindowLong(hDepth, GWL_STYLE) & WS_CHILD);
    EXPECT_FALSE(::GetWindowLong(hDepth, GWL_STYLE) & WS_POPUP);
    EXPECT_EQ(::GetWindow(hDepth, GW_CHILD), (HWND)NULL)
        << "the program's template 1000 (with a text control) was used";
    char caption[64] = {};
    ::GetWindowText(hDepth, caption, sizeof(caption));
    EXPECT_STREQ(caption, "深度");
    CRect rect;
    ::GetClientRect(hDepth, &rect);
    EXPECT_EQ(rect.Width(), 256);
    EXPECT_EQ(rect.Height(), 600);
}

TEST_F(LadderviewWindow, ExportsIgnoreMissingAndDeadWindows)
{
    HWND hDead = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ::DestroyWindow(hDead);
    CWnd dead;
    dead.m_hWnd = hDead;
    int decimals = 3;
    MSG up = {hDead, WM_KEYDOWN, VK_UP, 0};
    for (CWnd* target : {(CWnd*)nullptr, &dead}) {
        EXPECT_EQ(dll_ShowLadderviewDlg(target, "x"), 0);
        dll_LadderviewSetSellBuyInfoMode(target, 0);
        dll_LadderviewUpdateSellBuyParam(target, DepthLevelsRecord());
        dll_LadderviewUpdateStockInfo(target, DepthStockInfo());
        dll_LadderviewRegistMsgID(target, 0x500);
        dll_LadderviewAddDepthData(target, DepthTradeTick());
        dll_LadderviewClearDepthData(target);
        dll_LadderviewClearSelectStatus(target);
        dll_LadderviewSetPrecision(target, &decimals);
        Dll_LadderviewPreTranslateMessage(target, &up);
    }
    dll_LadderviewSetPrecision(depth, nullptr);
    Dll_LadderviewPreTranslateMessage(depth, nullptr);
    dead.m_hWnd = NULL;
    EXPECT_TRUE(::IsWindow(hDepth));
}

TEST_F(LadderviewWindow, LadderColoursBidsAsksAndTrades)
{
    DepthLevelsRecord levels;
    const char* asks[5] = {"10.05", "10.04", "10.03", "10.02", "10.01"};
    const char* bids[5] = {"9.99", "9.98", "9.97", "9.96", "9.95"};
    for (int i = 0; i < 5; ++i) {
        levels.strSellPrice[i] = asks[i];
        levels.strSellVolume[i] = "100";
        levels.strBuyPrice[i] = bids[i];
        levels.strBuyVolume[i] = "200";
    }
    dll_LadderviewUpdateSellBuyParam(depth, levels);
    AddTrades(1, "10.02");  // rises: red price and volume
    AddTrades(1, "9.97");   // falls: green price and volume

    Screenshot shot = CaptureChild(hDepth);
    SaveArtefact(shot, "ladderview_five_levels.png");
    ASSERT_FALSE(shot.IsEmpty());
    RECT askPrices = {45, 35, 128, 160}, bidPrices = {45, 168, 128, 290};
    RECT volumes = {148, 35, 251, 290};
    EXPECT_GT(shot.CountColor(kRise, &askPrices), 20u);
    EXPECT_EQ(shot.CountColor(kFall, &askPrices), 0u);
    EXPECT_GT(shot.CountColor(kFall, &bidPrices), 20u);
    EXPECT_EQ(shot.CountColor(kRise, &bidPrices), 0u);
    EXPECT_GT(shot.CountColor(kVolume, &volumes), 20u);

    RECT firstTrade = {2, 480, 213, 500}, secondTrade = {2, 500, 213, 520};
    EXPECT_GT(shot.CountColor(kRise, &firstTrade), 10u);
    EXPECT_EQ(shot.CountColor(kFall, &firstTrade), 0u);
    EXPECT_GT(shot.CountColor(kFall, &secondTrade), 10u);
    EXPECT_EQ(shot.CountColor(kRise, &secondTrade), 0u);
}

TEST_F(LadderviewWindow, DoubleClickSelectsAndKeysMoveTheSelection)
{
    const int L = 290, rows = 5;
    AddTrades(3);
    SendMouse(hDepth, WM_LBUTTONDBLCLK, 50, L + 190 + 25);
    EXPECT_EQ(SelectedRowOf(CaptureChild(hDepth), L, rows), -1) << "all trades fit";

    AddTrades(5);
    SendMouse(hDepth, WM_LBUTTONDBLCLK, 50, L + 185 + 45);
    EXPECT_EQ(SelectedRowOf(CaptureChild(hDepth), L, rows), 2);

    Key(WM_KEYDOWN, VK_UP);
    EXPECT_EQ(SelectedRowOf(CaptureChild(hDepth), L, rows), 1);
    Key(WM_KEYDOWN, VK_LEFT);
    Key(WM_KEYUP, VK_DOWN);
    EXPECT_EQ(SelectedRowOf(CaptureChild(hDepth), L, rows), 1);
    Key(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(SelectedRowOf(CaptureChild(hDepth), L, rows), 2);

    // A click below the last visible row selects the last row, not one outside the list.
    SendMouse(hDepth, WM_LBUTTONDOWN, 50, 578);
    Screenshot shot = CaptureChild(hDepth);
    SaveArtefact(shot, "ladderview_selection.png");
    EXPECT_EQ(SelectedRowOf(shot, L, rows), 4);

    dll_LadderviewClearSelectStatus(depth);
    ::InvalidateRect(hDepth, NULL, FALSE);
    EXPECT_EQ(SelectedRowOf(CaptureChild(hDepth), L, rows), -1);
}

TEST_F(LadderviewWindow, OneLevelModeShowsFifteenRows)
{
    const int L = 90, rows = 15;
    dll_LadderviewSetSellBuyInfoMode(depth, 0);
    AddTrades(20);
    // A double click above the list rows selects the bottom visible row.
    SendMouse(hDepth, WM_LBUTTONDBLCLK, 50, L + 170);
    Screenshot shot = CaptureChild(hDepth);
    SaveArtefact(shot, "ladderview_one_level.png");
    EXPECT_EQ(SelectedRowOf(shot, L, rows), 14);

    dll_LadderviewClearDepthData(depth);
    ::InvalidateRect(hDepth, NULL, FALSE);
    shot = CaptureChild(hDepth);
    RECT list = {2, L + 190, 213, 580};
    EXPECT_EQ(shot.CountColor(0xE7E7E7, &list), 0u) << "trades left after clearing";
}
