#include <Holdview.h>

#include <FileDialogScript.h>
#include <ListWindowFixture.h>

#include <testsupport/MessageBoxScript.h>
#include <testsupport/TestApp.h>

namespace {

tolvan::test::TestApp theApp("HoldviewTest");

const int kClose = 4001, kCloseAll = 4002, kExport = 4006, kQuery = 4007, kList = 4008;

class PositionsWindow : public ListWindowFixture
{
protected:
    void SetUp() override
    {
        Open({WM_POSITIONS_LIST, WM_POSITIONS_BUTTON_STATE, WM_POSITIONS_COMMAND, WM_POSITIONS_ROW},
             [](HWND container, CWnd*) { return Dll_ShowPositionDlg(container); }, kList, 800, 300);
    }
    // Caption pixels of the tall side button: dark only while it is highlighted.
    size_t DarkCaptionPixels()
    {
        tolvan::test::Screenshot shot = CaptureButton(kQuery);
        size_t dark = 0;
        for (int y = 4; y < shot.Height() - 4; ++y)
            for (int x = 4; x < shot.Width() - 4; ++x) {
                COLORREF c = shot.PixelAt(x, y);
                dark += GetRValue(c) < 0x90 && GetGValue(c) < 0x90 && GetBValue(c) < 0x90;
            }
        return dark;
    }
};

TEST_F(PositionsWindow, SevenColumnsAndTheButtonsInTheirPlaces)
{
    EXPECT_EQ(::GetDlgItem(window, 1001), (HWND)NULL);  // the program's template under 4000
    EXPECT_EQ(ColumnCount(list), 7);
    EXPECT_EQ(PlaceOf(kQuery).bottom - PlaceOf(kQuery).top, 300 - 10);
    EXPECT_EQ(PlaceOf(kExport).left, 800 - 55);
    EXPECT_EQ(PlaceOf(kList).left, 35);
    ::MoveWindow(window, 0, 0, 220, 300, TRUE);
    EXPECT_EQ(PlaceOf(kExport).left, 165);
}

TEST_F(PositionsWindow, DirectionAndFloatingProfitAreColoured)
{
    for (int i = 0; i < 4; ++i)
        Send(0, i);
    Send(5, 0, 0, "浦发银行|600000|买|2|10.05|0|CNY\n"
                  "招商银行|600036|卖|1|30.10|-12.5|CNY\n"
                  "工商银行|601398|买|3|5.20||CNY\n"
                  "中国平安|601318|对锁|1|40.00|abc|CNY\n");
    tolvan::test::Screenshot shot = CaptureList();
    CaptureAndSave(window, "trading_positions.png");
    struct Case { int row; int column; bool red; };
    const Case coloured[] = {{0, 2, true}, {0, 5, true}, {1, 2, false}, {1, 5, false}, {3, 5, true} /* no number reads as 0 */};
    for (const Case& c : coloured) {
        RECT cell = CellRect(list, c.row, c.column);
        EXPECT_GT(c.red ? CountRed(shot, cell) : CountGreen(shot, cell), 10u) << c.row << "," << c.column;
        EXPECT_EQ(c.red ? CountGreen(shot, cell) : CountRed(shot, cell), 0u) << c.row << "," << c.column;
    }
    // The direction "对锁" and the other columns stay black.
    for (int column : {0, 1, 2, 3, 4, 6}) {
        RECT cell = CellRect(list, 3, column);
        EXPECT_EQ(CountRed(shot, cell) + CountGreen(shot, cell), 0u) << column;
    }
}

TEST_F(PositionsWindow, OnlyThePositionsButtonTakesStatesAndAnyCaptionReappliesThem)
{
    const size_t active = DarkCaptionPixels();
    EXPECT_GT(active, 10u);
    SetButton("持仓", 0, 0);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(window, kQuery)));
    EXPECT_EQ(DarkCaptionPixels(), 0u);
    SetButton("平仓", 1, 1);  // changes no flag
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(window, kQuery)));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(window, kClose)));
    EXPECT_EQ(DarkCaptionPixels(), 0u);
    SetButton("持仓", 1, 1);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(window, kQuery)));
    EXPECT_EQ(DarkCaptionPixels(), active);
}

TEST_F(PositionsWindow, CommandsAndTheSelectedRowReachTheTradeDialog)
{
    Send(0, 0);
    Send(4, 0, 0, "浦发银行|600000|买|2|10.05|0|CNY");
    for (int id : {kClose, kCloseAll, kQuery})
        Press(id);
    ASSERT_EQ(requests.size(), 3u);
    const char* captions[] = {"平仓", "全部平仓", "持仓"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(requests[i].message, (UINT)WM_POSITIONS_COMMAND);
        EXPECT_EQ(requests[i].command, captions[i]);
        EXPECT_EQ(requests[i].rows, "");
        EXPECT_FALSE(requests[i].toContainer);
    }
    EXPECT_EQ(ClickCell(0, 1).command, "浦发银行|600000|买|2|10.05|0|CNY");
}

TEST_F(PositionsWindow, ExportUsesThePositionNames)
{
    FileDialogScript dialogs;
    const std::string path = ScratchFolder("holdview_export") + "\\positions.txt";
    dialogs.Choose(path);
    Send(0, 0);
    Send(4, 0, 0, "浦发银行|600000|买|2|10.05|0|CNY");
    Press(kExport);
    ASSERT_EQ(dialogs.Dialogs().size(), 1u);
    EXPECT_EQ(dialogs.Dialogs()[0].fileName.substr(0, 13), "PositionFile_");
    EXPECT_EQ(dialogs.Dialogs()[0].filter[0], "Position files(*.txt)");
    EXPECT_EQ(ReadWholeFile(path),
              "           名称           代码           方向           持仓       持仓成本       浮动盈亏           货币\r\n\r\n"
              "       浦发银行         600000             买              2          10.05              0            CNY\r\n");
    EXPECT_EQ(requests.size(), 0u);  // the export is the window's own
}

TEST_F(PositionsWindow, ExportThatCannotBeWrittenIsTold)
{
    FileDialogScript dialogs;
    tolvan::test::MessageBoxScript boxes;
    const std::string path = ScratchFolder("holdview_export") + "\\no such folder\\positions.txt";
    dialogs.Choose(path);
    Press(kExport);
    ASSERT_EQ(boxes.Count(), 1u) << "a failed save must not pass for a saved one";
    EXPECT_NE(boxes.Boxes()[0].text.find("文件保存失败"), std::string::npos);
    EXPECT_NE(boxes.Boxes()[0].text.find(path), std::string::npos);
    EXPECT_EQ(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);

    // A cancelled dialog is the user's choice: nothing to tell.
    Press(kExport);
    EXPECT_EQ(boxes.Count(), 1u);
}

}  // namespace
