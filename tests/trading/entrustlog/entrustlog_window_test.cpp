#include <Entrustlog.h>

#include <FileDialogScript.h>
#include <testsupport/MessageBoxScript.h>
#include <ListWindowProbe.h>
#include <TradingTestHost.h>

#include <testsupport/Pump.h>
#include <testsupport/TestApp.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

tolvan::test::TestApp theApp("EntrustlogTest");

const int kCancel = 6001, kCancelAll = 6002, kExport = 6003, kAll = 6004, kCancellable = 6005, kList = 6006;

struct Request
{
    UINT message;
    std::string command;
    std::string rows;
    bool toContainer;
};

class OrdersWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host = std::make_unique<TradingHost>(CRect(0, 0, 1590, 360));
        host->onMessage = [this](HostMessage& m) {
            Request r{m.message, "", "", m.toContainer};
            if (m.message == WM_ORDERS_COMMAND) {
                const ListRequest* request = reinterpret_cast<const ListRequest*>(m.wParam);
                r.command = (LPCTSTR)request->command;
                r.rows = (LPCTSTR)request->rows;
            } else if (m.message == WM_ORDERS_ROW) {
                r.command = (LPCTSTR)*reinterpret_cast<const CString*>(m.wParam);
            }
            requests.push_back(r);
        };
        HWND container = host->CreateContainer();
        window = Dll_ShowEntrustlogDlg(container);
        ASSERT_TRUE(::IsWindow(window));
        ::MoveWindow(window, 0, 0, 1590, 360, TRUE);
        list = ::GetDlgItem(window, kList);
        ASSERT_TRUE(::IsWindow(list));
        tolvan::test::PumpPending();
    }
    void TearDown() override { host.reset(); }

    void Send(int op, int row, int col = 0, const char* text = "")
    {
        ListCommand command;
        command.op = op;
        command.row = row;
        command.col = col;
        command.text = text;
        EXPECT_EQ(::SendMessage(window, WM_ORDERS_LIST, (WPARAM)&command, 0), 0);
    }
    void SetButton(const char* caption, int enable, int highlight)
    {
        ButtonState state;
        state.caption = caption;
        state.enable = enable;
        state.highlight = highlight;
        ::SendMessage(window, WM_ORDERS_BUTTON_STATE, (WPARAM)&state, 0);
    }
    void Press(int id) { ::SendMessage(::GetDlgItem(window, id), BM_CLICK, 0, 0); }
    Request LastRequest(UINT message)
    {
        for (auto it = requests.rbegin(); it != requests.rend(); ++it)
            if (it->message == message)
                return *it;
        return Request{0, "", "", false};
    }
    tolvan::test::Screenshot CaptureList()
    {
        ::RedrawWindow(list, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        tolvan::test::PumpPending();
        return tolvan::test::Screenshot::CaptureClient(list);
    }
    COLORREF ButtonPixel(int id)
    {
        HWND button = ::GetDlgItem(window, id);
        ::RedrawWindow(button, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        tolvan::test::PumpPending();
        tolvan::test::Screenshot shot = tolvan::test::Screenshot::CaptureClient(button);
        return shot.PixelAt(shot.Width() / 2, 3);
    }

    std::unique_ptr<TradingHost> host;
    HWND window = NULL;
    HWND list = NULL;
    std::vector<Request> requests;
};

const char* const kRow = "09:30:01|浦发银行|600000|限价|买|10.05|2|0|已提交|0.5|0|1001|0|0|正常";

TEST_F(OrdersWindow, IsBuiltFromTheLibrarysOwnTemplateWithColumnsAndButtons)
{
    EXPECT_EQ(::GetDlgItem(window, 1001), (HWND)NULL);  // the program's template under 6000
    EXPECT_EQ(::GetWindowLong(window, GWL_STYLE) & (WS_CHILD | WS_POPUP), WS_CHILD);
    EXPECT_EQ(::GetParent(window), ::GetDlgItem(host->GetSafeHwnd(), 1));
    ASSERT_EQ(ColumnCount(list), 15);
    char text[64] = "";
    HDITEMA item = {};
    item.mask = HDI_TEXT | HDI_WIDTH;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    ::SendMessage((HWND)::SendMessage(list, LVM_GETHEADER, 0, 0), HDM_GETITEMA, 14, (LPARAM)&item);
    EXPECT_STREQ(text, "状态");
    RECT place;
    ::GetWindowRect(::GetDlgItem(window, kExport), &place);
    ::MapWindowPoints(NULL, window, (POINT*)&place, 2);
    EXPECT_EQ(place.left, 1590 - 55);
    ::GetWindowRect(::GetDlgItem(window, kCancellable), &place);
    ::MapWindowPoints(NULL, window, (POINT*)&place, 2);
    EXPECT_EQ(place.top, (360 - 14) / 2 + 9);
}

TEST_F(OrdersWindow, ListCommandsEditTheRows)
{
    Send(0, 0);
    Send(0, 5);  // clamped to the end
    Send(0, 0);
    ASSERT_EQ(RowCount(list), 3);
    Send(4, 0, 0, "x|y|z");
    Send(4, 0, 0, "a|b|");       // cells 0 and 1 only
    Send(4, 1, 0, "solo");       // cell 0 only
    Send(1, 2, 3, "限价");
    Send(1, 7, 0, "beyond");     // no such row: nothing
    EXPECT_EQ(CellText(list, 0, 0), "a");
    EXPECT_EQ(CellText(list, 0, 1), "b");
    EXPECT_EQ(CellText(list, 0, 2), "z");
    EXPECT_EQ(CellText(list, 1, 0), "solo");
    EXPECT_EQ(CellText(list, 1, 1), "");
    EXPECT_EQ(CellText(list, 2, 3), "限价");
    EXPECT_EQ(RowCount(list), 3);

    Send(5, 1, 0, "r1|c1\nr2|c2\nr3|c3\n");  // the third row does not exist
    EXPECT_EQ(CellText(list, 1, 1), "c1");
    EXPECT_EQ(CellText(list, 2, 0), "r2");
    EXPECT_EQ(RowCount(list), 3);

    Send(2, 0);
    EXPECT_EQ(CellText(list, 0, 0), "r1");
    Send(6, 0, 15);  // no column 15
    EXPECT_EQ(ColumnCount(list), 15);
    Send(6, 0, 1);
    EXPECT_EQ(ColumnCount(list), 14);
    EXPECT_EQ(CellText(list, 0, 0), "r1");
    EXPECT_EQ(CellText(list, 0, 1), "");
    Send(9, 0);  // unknown operation
    Send(3, 0);
    EXPECT_EQ(RowCount(list), 0);
}

TEST_F(OrdersWindow, SideAndStateCellsAreColouredAndTheRestStaysBlack)
{
    for (int i = 0; i < 5; ++i)
        Send(0, i);
    Send(5, 3, 0, "09:30|甲|1|限价|买|1|1|0|已提交|0|0|1|0|0|正常\n"
                  "09:31|乙|2|限价|卖|1|1|1|已成交|0|0|2|0|0|正常\n");
    Send(4, 0, 0, "09:32|丙|3|限价|对锁|1|1|0|已取消|0|0|3|0|0|正常");
    tolvan::test::Screenshot shot = CaptureList();
    shot.SavePng("trading_orders.png");
    EXPECT_GT(CountRed(shot, CellRect(list, 3, 4)), 10u);
    EXPECT_GT(CountGreen(shot, CellRect(list, 3, 8)), 10u);
    EXPECT_GT(CountGreen(shot, CellRect(list, 4, 4)), 10u);
    EXPECT_GT(CountRed(shot, CellRect(list, 4, 8)), 10u);
    for (int column : {0, 1, 4, 8, 14}) {
        EXPECT_EQ(CountRed(shot, CellRect(list, 0, column)) + CountGreen(shot, CellRect(list, 0, column)), 0u)
            << column;
        if (column != 4 && column != 8)
            EXPECT_EQ(CountRed(shot, CellRect(list, 3, column)) + CountGreen(shot, CellRect(list, 3, column)), 0u)
                << column;
    }
    // A cell set on its own recolours its row.
    Send(1, 0, 4, "买");
    shot = CaptureList();
    EXPECT_GT(CountRed(shot, CellRect(list, 0, 4)), 10u);
}

TEST_F(OrdersWindow, ButtonStatesEnableAndGreyOnlyTheNamedButton)
{
    const COLORREF sideActive = ButtonPixel(kAll);
    EXPECT_EQ(sideActive, ButtonPixel(kCancellable));
    SetButton("全部", 1, 0);
    EXPECT_EQ(ButtonPixel(kAll), RGB(0xF5, 0xF5, 0xEB));  // 0xEBF5F5 as COLORREF
    EXPECT_EQ(ButtonPixel(kCancellable), sideActive);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(window, kAll)));
    SetButton("撤单", 0, 1);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(window, kCancel)));
    SetButton("no such button", 1, 1);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(window, kCancel)));
    EXPECT_EQ(ButtonPixel(kAll), RGB(0xF5, 0xF5, 0xEB));
    CaptureAndSave(window, "trading_orders_buttons.png");
}

TEST_F(OrdersWindow, CommandsGoToTheTradeDialogAndCancelAllCollectsTheRows)
{
    Press(kCancelAll);  // an empty list
    EXPECT_EQ(LastRequest(WM_ORDERS_COMMAND).command, "全部撤单");
    EXPECT_EQ(LastRequest(WM_ORDERS_COMMAND).rows, "");
    Send(0, 0);
    Send(0, 1);
    Send(5, 0, 0, "a|b\nc|d");
    Press(kCancelAll);
    const std::string rows = "a|b|||||||||||||\nc|d|||||||||||||\n";
    EXPECT_EQ(LastRequest(WM_ORDERS_COMMAND).rows, rows);
    Press(kCancel);
    EXPECT_EQ(LastRequest(WM_ORDERS_COMMAND).command, "撤单");
    EXPECT_EQ(LastRequest(WM_ORDERS_COMMAND).rows, rows);  // kept from the last collection
    Press(kAll);
    EXPECT_EQ(LastRequest(WM_ORDERS_COMMAND).command, "全部");
    Press(kCancellable);
    EXPECT_EQ(LastRequest(WM_ORDERS_COMMAND).command, "可撤");
    for (const Request& r : requests)
        EXPECT_FALSE(r.toContainer);
}

TEST_F(OrdersWindow, ClickingARowSendsItsCellsAndAnEmptyPlaceSendsNothingSelected)
{
    Send(0, 0);
    Send(4, 0, 0, kRow);
    RECT cell = CellRect(list, 0, 2);
    POINT point = {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    ::ClientToScreen(list, &point);
    ClickAt(point);
    ASSERT_TRUE(tolvan::test::PumpUntil([&] { return LastRequest(WM_ORDERS_ROW).message != 0; }));
    EXPECT_EQ(LastRequest(WM_ORDERS_ROW).command, kRow);

    ::SendMessage(list, LVM_DELETEALLITEMS, 0, 0);
    requests.clear();
    point = POINT{400, 200};
    ::ClientToScreen(list, &point);
    ClickAt(point);
    ASSERT_TRUE(tolvan::test::PumpUntil([&] { return LastRequest(WM_ORDERS_ROW).message != 0; }));
    EXPECT_EQ(LastRequest(WM_ORDERS_ROW).command, "");
}

TEST_F(OrdersWindow, ExportWritesAlignedColumnsWithOneCrLfPerLine)
{
    FileDialogScript dialogs;
    const std::string folder = ScratchFolder("entrustlog_export");
    const std::string path = folder + "\\orders.txt";
    Press(kExport);  // cancelled: nothing written
    ASSERT_EQ(dialogs.Dialogs().size(), 1u);
    const FileDialogRecord& asked = dialogs.Dialogs()[0];
    EXPECT_FALSE(asked.open);
    EXPECT_EQ(asked.flags & (OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST),
              (DWORD)(OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST));
    EXPECT_EQ(asked.fileName.substr(0, 12), "EntrustFile_");
    EXPECT_EQ(asked.fileName.size(), 12u + 15u);  // YYYYMMDD_HHMMSS
    EXPECT_EQ(asked.extension, "txt");
    EXPECT_EQ(asked.filter, (std::vector<std::string>{"Entrust files(*.txt)", "*.txt", "All files(*.*)", "*.*"}));
    EXPECT_EQ(ReadWholeFile(path), "");

    std::string header;
    for (const char* column : {"委托时间", "名称", "代码", "订单类型", "买卖", "委托价格", "委手", "成手",
                               "下单状态", "手续费", "成交均价", "委托号", "订单盈亏", "平仓数量", "状态"})
        header += std::string(15 - strlen(column), ' ') + column;
    dialogs.Choose(path);
    Press(kExport);
    EXPECT_EQ(ReadWholeFile(path), header + "\r\n\r\n");  // the empty list

    Send(0, 0);
    Send(4, 0, 0, "a very long cell text|b");
    dialogs.Choose(path);
    Press(kExport);
    std::string row = "a very long cell text" + std::string(14, ' ') + "b";
    for (int i = 2; i < 15; ++i)
        row += std::string(15, ' ');
    EXPECT_EQ(ReadWholeFile(path), header + "\r\n\r\n" + row + "\r\n");

    tolvan::test::MessageBoxScript boxes;
    dialogs.Choose(folder + "\\missing\\orders.txt");  // a folder that is not there: told
    Press(kExport);
    EXPECT_EQ(ReadWholeFile(folder + "\\missing\\orders.txt"), "");
    EXPECT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(dialogs.Dialogs().size(), 4u);
}

}  // namespace
