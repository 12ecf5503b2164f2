#include <Fillbook.h>

#include <FileDialogScript.h>
#include <ListWindowFixture.h>

#include <testsupport/TestApp.h>

namespace {

tolvan::test::TestApp theApp("FillbookTest");

const int kList = 8001, kExport = 8002, kDetail = 8003, kByOrder = 8004, kByContract = 8005, kRefresh = 8006;

class FillsWindow : public ListWindowFixture
{
protected:
    void SetUp() override
    {
        Open({WM_FILLS_LIST, 0, WM_FILLS_COMMAND, WM_FILLS_ROW},
             [](HWND, CWnd* container) { return CallFillbook(container); }, kList, 900, 300);
    }
    // Pixels of the image box in the ring colour of the hover images (blue).
    size_t HoverRingPixels(int id)
    {
        tolvan::test::Screenshot shot = CaptureButton(id);
        size_t count = 0;
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < 16; ++x) {
                COLORREF c = shot.PixelAt(x, y);
                count += GetBValue(c) > 180 && GetRValue(c) < 60 && GetGValue(c) > 90;
            }
        return count;
    }
    size_t DarkDotPixels(int id)
    {
        tolvan::test::Screenshot shot = CaptureButton(id);
        size_t count = 0;
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 5; x < 11; ++x) {
                COLORREF c = shot.PixelAt(x, y);
                count += GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80;
            }
        return count;
    }
};

TEST_F(FillsWindow, TenColumnsOneVisibleRadioAndTheButtonsInTheirPlaces)
{
    EXPECT_EQ(::GetDlgItem(window, 1001), (HWND)NULL);  // the program's template under 8000
    EXPECT_EQ(ColumnCount(list), 10);
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(window, kDetail)));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(window, kByOrder)));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(window, kByContract)));
    EXPECT_EQ(PlaceOf(kRefresh).left, 85);
    EXPECT_EQ(PlaceOf(kList).left, 0);
    struct Case { int width; int exportLeft; };
    for (const Case& c : {Case{900, 900 - 55}, Case{391, 391 - 55}, Case{390, 335}, Case{300, 335}}) {
        ::MoveWindow(window, 0, 0, c.width, 300, TRUE);
        EXPECT_EQ(PlaceOf(kExport).left, c.exportLeft) << c.width;
    }
    ::MoveWindow(window, 0, 0, 900, 300, TRUE);
    EXPECT_EQ(CallFillbook(nullptr), (HWND)NULL);
}

TEST_F(FillsWindow, TheSideIsColouredAndTheRestStaysBlack)
{
    Send(0, 0);
    Send(0, 1);
    Send(5, 0, 0, "09:30:01|浦发银行|600000|买|10.05|2|1001|0|0|已成交\n"
                  "09:31:02|招商银行|600036|卖|30.10|1|1002|-5|1|已成交\n");
    tolvan::test::Screenshot shot = CaptureList();
    CaptureAndSave(window, "trading_fills.png");
    EXPECT_GT(CountRed(shot, CellRect(list, 0, 3)), 10u);
    EXPECT_GT(CountGreen(shot, CellRect(list, 1, 3)), 10u);
    for (int row : {0, 1})
        for (int column : {0, 1, 7, 9}) {
            RECT cell = CellRect(list, row, column);
            EXPECT_EQ(CountRed(shot, cell) + CountGreen(shot, cell), 0u) << row << "," << column;
        }
}

TEST_F(FillsWindow, RadioAndRefreshSendTheirCaptionsAndARowItsCells)
{
    Send(0, 0);
    Send(4, 0, 0, "09:30:01|浦发银行|600000|买|10.05|2|1001|0|0|已成交");
    EXPECT_GT(DarkDotPixels(kDetail), 0u);  // checked at start
    ClickAt(CentreOf(::GetDlgItem(window, kDetail)));  // already checked: still sent
    ASSERT_TRUE(tolvan::test::PumpUntil([&] { return LastRequest(WM_FILLS_COMMAND).message != 0; }));
    EXPECT_EQ(LastRequest(WM_FILLS_COMMAND).command, "成交明细");
    EXPECT_GT(DarkDotPixels(kDetail), 0u);
    Press(kRefresh);
    EXPECT_EQ(LastRequest(WM_FILLS_COMMAND).command, "刷新");
    EXPECT_EQ(LastRequest(WM_FILLS_COMMAND).rows, "");
    EXPECT_FALSE(LastRequest(WM_FILLS_COMMAND).toContainer);
    EXPECT_EQ(ClickCell(0, 2).command, "09:30:01|浦发银行|600000|买|10.05|2|1001|0|0|已成交");
}

TEST_F(FillsWindow, ARadioShowsTheHoverImageOnlyWhileTheMouseIsOverIt)
{
    HWND radio = ::GetDlgItem(window, kDetail);
    EXPECT_EQ(HoverRingPixels(kDetail), 0u);
    ::SendMessage(radio, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_GT(HoverRingPixels(kDetail), 10u);
    CaptureAndSave(window, "trading_fills_hover.png");
    ::SendMessage(radio, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(HoverRingPixels(kDetail), 0u);
}

TEST_F(FillsWindow, ExportUsesTheDealNames)
{
    FileDialogScript dialogs;
    const std::string path = ScratchFolder("fillbook_export") + "\\fills.txt";
    dialogs.Choose(path);
    Press(kExport);
    ASSERT_EQ(dialogs.Dialogs().size(), 1u);
    EXPECT_EQ(dialogs.Dialogs()[0].fileName.substr(0, 9), "DealFile_");
    EXPECT_EQ(dialogs.Dialogs()[0].filter[0], "Deal files(*.txt)");
    const std::string text = ReadWholeFile(path);
    EXPECT_EQ(text.substr(0, 15), "       成交时间");
    EXPECT_EQ(text.substr(text.size() - 4), "\r\n\r\n");
}

}  // namespace
