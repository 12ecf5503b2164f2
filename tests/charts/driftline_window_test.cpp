#include "chart_test_host.h"

#include <Driftline.h>

#include <testsupport/MessageBoxScript.h>
#include <testsupport/Pump.h>
#include <testsupport/Screenshot.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

using tolvan::test::MessageBoxScript;
using tolvan::test::Screenshot;

namespace {

const int W = 800, H = 600;
const int B = (int)((H - 40) * 0.7 + 20);
const COLORREF kPriceLine = 0xFCFCFC;
const COLORREF kAverage = 0x00FFFF;
const COLORREF kHover = 0x3F96FF;
const COLORREF kNormal = 0xFFBF7F;
const COLORREF kTag = 0xFF6100;
// The price panel below the panel titles.
const RECT kPricePlot = {82, 45, W - 62, B - 2};
const RECT kVolumePlot = {82, B + 22, W - 62, H - 21};

TrendPacket* Packet(const std::vector<std::pair<const char*, const char*>>& buckets, int hasBuckets = 1)
{
    TrendPacket* packet = new TrendPacket;
    const char* texts[10] = {"600000", "浦发银行", "", "CSM", "20261210", "10.00", "10.00",
                             "10.20", "9.90", "10.05"};
    for (int i = 0; i < 10; ++i)
        packet->strText[i] = texts[i];
    TrendTickNode** link = &packet->pHead;
    int minute = 0;
    for (const auto& bucket : buckets) {
        TrendTickNode* node = new TrendTickNode;
        node->strTime.Format("20261210 %02d:%02d:00", 9 + (30 + minute) / 60, (30 + minute) % 60);
        node->strPrice = bucket.first;
        node->strVolume = bucket.second;
        *link = node;
        link = &node->pNext;
        minute += 10;
    }
    packet->nHasBuckets = hasBuckets;
    return packet;
}

// Pixels of light grey text (smoothed text has no single exact colour).
size_t CountLightGrey(const Screenshot& shot, const RECT& rect)
{
    size_t count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) {
            COLORREF c = shot.PixelAt(x, y);
            int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
            count += r > 0x90 && abs(r - g) < 0x10 && abs(r - b) < 0x10;
        }
    return count;
}

class DriftlineWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host = std::make_unique<ChartHost>(CRect(10, 10, 830, 630));
        hChart = (HWND)(INT_PTR)dll_ShowDriftlineDlg(host.get());
        ASSERT_TRUE(::IsWindow(hChart));
        chart = HandedWindow(hChart);
        int decimals = 2;
        dll_DriftlineSetPrecision(chart, &decimals);
        dll_DriftlineSetOpeMarketTime(chart, "09:30:00", "15:00:00");
    }

    void TearDown() override { host.reset(); }

    void Click(int x, int y)
    {
        SendMouse(hChart, WM_MOUSEMOVE, x, y);
        SendMouse(hChart, WM_LBUTTONDOWN, x, y);
        SendMouse(hChart, WM_LBUTTONUP, x, y);
    }

    std::unique_ptr<ChartHost> host;
    HWND hChart = NULL;
    HandedWindow chart;
};

}  // namespace

TEST_F(DriftlineWindow, IsBuiltFromTheLibrarysOwnTemplateUnderTheHost)
{
    EXPECT_EQ(::GetParent(hChart), host->GetSafeHwnd());
    EXPECT_TRUE(::GetWindowLong(hChart, GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(::GetWindow(hChart, GW_CHILD), (HWND)NULL)
        << "the program's template 14000 (with a text control) was used";
    CRect rect;
    ::GetClientRect(hChart, &rect);
    EXPECT_EQ(rect.Width(), W);
    EXPECT_EQ(rect.Height(), H);
}

TEST_F(DriftlineWindow, ExportsIgnoreMissingAndDeadWindows)
{
    HWND hDead = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ::DestroyWindow(hDead);
    CWnd dead;
    dead.m_hWnd = hDead;
    int decimals = 3;
    ChartTitleInfo title;
    TrendTickNode tick;
    for (CWnd* target : {(CWnd*)nullptr, &dead}) {
        EXPECT_EQ(dll_ShowDriftlineDlg(target), 0);
        dll_DriftlineSetParentWnd(target, host.get());
        dll_DriftlineRegistMsgID(target, 0, 0x5000);
        dll_DriftlineAddTradeRealData(target, &tick);
        dll_DriftlineAddTradePacket(target, Packet({{"10.00", "5"}}));  // freed by the export
        dll_DriftlineSetOpeMarketTime(target, "09:30:00", "16:00:00");
        dll_DriftlineSetTitleInfo(target, &title);
        dll_DriftlineSetPrecision(target, &decimals);
    }
    dll_DriftlineAddTradeRealData(chart, nullptr);
    dll_DriftlineAddTradePacket(chart, nullptr);
    dll_DriftlineSetTitleInfo(chart, nullptr);
    dll_DriftlineSetPrecision(chart, nullptr);
    dead.m_hWnd = NULL;
    EXPECT_TRUE(::IsWindow(hChart));
}

TEST_F(DriftlineWindow, HotZonesNotifyTheParentOrTheWindowItself)
{
    MessageBoxScript boxes;
    Click(W - 10, 8);  // the fourth zone without a parent
    Click(W - 40, 8);  // the panel glyph without a parent
    Click(W - 250, 8);
    Click(W - 150, 8);
    ASSERT_EQ(boxes.Count(), 4u);
    std::vector<std::string> texts;
    for (const auto& box : boxes.Boxes())
        texts.push_back(box.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Max 按下!", "FullScreen 按下!", "买卖1档", "买卖5档"}));

    dll_DriftlineSetParentWnd(chart, nullptr);  // changes nothing
    Click(W - 10, 8);
    EXPECT_EQ(boxes.Count(), 5u);

    dll_DriftlineSetParentWnd(chart, host.get());
    dll_DriftlineRegistMsgID(chart, 2, 0x5002);
    dll_DriftlineRegistMsgID(chart, 4, 0x5004);
    dll_DriftlineRegistMsgID(chart, 6, 0x7777);   // outside the table: ignored
    dll_DriftlineRegistMsgID(chart, -1, 0x7777);
    Click(W - 40, 8);
    Click(W - 250, 8);
    Click(W - 10, 8);   // ids[3] is 0: nothing at all
    Click(W - 85, 8);   // left arrow with id 0: only the window's own message
    Click(W - 40, 30);  // below the band: no zone
    EXPECT_EQ(host->Count(0x5002), 1u);
    EXPECT_EQ(host->Count(0x5004), 1u);
    EXPECT_EQ(host->Count(0x7777), 0u);
    EXPECT_EQ(boxes.Count(), 5u);
}

TEST_F(DriftlineWindow, HoverHighlightFollowsTheTitleBand)
{
    RECT oneLevel = {W - 260, 2, W - 180, 20};
    SendMouse(hChart, WM_MOUSEMOVE, W - 250, 8);
    Screenshot shot = CaptureChild(hChart);
    EXPECT_GT(shot.CountColor(kHover, &oneLevel), 5u);
    EXPECT_EQ(shot.CountColor(kNormal, &oneLevel), 0u);
    SendMouse(hChart, WM_MOUSEMOVE, W - 250, 15);
    shot = CaptureChild(hChart);
    EXPECT_EQ(shot.CountColor(kHover, &oneLevel), 0u);
    EXPECT_GT(shot.CountColor(kNormal, &oneLevel), 5u);
}

TEST_F(DriftlineWindow, PaintsPriceAverageAndVolumeOverTheSessionAxis)
{
    Screenshot empty = CaptureChild(hChart);
    RECT axis = {60, H - 18, W - 30, H};
    EXPECT_GT(CountLightGrey(empty, axis), 60u);
    EXPECT_EQ(empty.CountColor(kPriceLine, &kPricePlot), 0u);

    dll_DriftlineAddTradePacket(chart, Packet({{"10.00", "500"}, {"10.10", "100"}, {"10.20", "300"},
                                               {"9.95", "800"}, {"10.05", "200"}, {"10.15", "50"},
                                               {"10.02", "400"}, {"10.18", "100"}, {"9.92", "600"},
                                               {"10.01", "300"}, {"10.12", "250"}, {"10.06", "150"},
                                               {"10.09", "700"}, {"10.19", "90"}}));
    TrendTickNode tick;
    tick.strCode = "600000";
    tick.strTime = "20261210 11:50:10";  // a Shanghai morning minute after the last bucket
    tick.strPrice = "10.03";
    tick.strVolume = "40";
    tick.strRefPrice = "10.00";
    dll_DriftlineAddTradeRealData(chart, &tick);

    Screenshot shot = CaptureChild(hChart);
    SaveArtefact(shot, "driftline_trend.png");
    EXPECT_GT(shot.CountColor(kPriceLine, &kPricePlot), 100u);
    EXPECT_GT(shot.CountColor(kAverage, &kPricePlot), 50u);
    EXPECT_GT(shot.CountColor(kAverage, &kVolumePlot), 100u);
    EXPECT_GT(CountLightGrey(shot, axis), 60u);

    // The cross-hair with its time tag pulled in to end at the right edge, and the info box.
    SendMouse(hChart, WM_LBUTTONDBLCLK, 400, 150);
    SendMouse(hChart, WM_MOUSEMOVE, W - 70, 150);
    shot = CaptureChild(hChart);
    SaveArtefact(shot, "driftline_crosshair.png");
    EXPECT_EQ(shot.PixelAt(W - 3, H - 10), kTag);
    EXPECT_NE(shot.PixelAt(W - 85, H - 10), kTag);
    RECT infoBorder = {3, 45, 4, 320};
    EXPECT_GT(shot.CountColor(0xF0F0F0, &infoBorder), 200u);
}

TEST_F(DriftlineWindow, AverageLiesOnThePriceLineWithoutVolumeAndHeaderOnlyDrawsNoLine)
{
    dll_DriftlineAddTradePacket(chart, Packet({{"10.00", "0"}, {"10.10", "0"}, {"9.95", "0"}}));
    Screenshot shot = CaptureChild(hChart);
    EXPECT_GT(shot.CountColor(kAverage, &kPricePlot), 30u);
    EXPECT_EQ(shot.CountColor(kPriceLine, &kPricePlot), 0u);

    dll_DriftlineAddTradePacket(chart, Packet({}, 0));
    shot = CaptureChild(hChart);
    SaveArtefact(shot, "driftline_header_only.png");
    EXPECT_EQ(shot.CountColor(kAverage, &kPricePlot), 0u);
    EXPECT_EQ(shot.CountColor(kPriceLine, &kPricePlot), 0u);
}
