#include <Seekwell.h>

#include <FileDialogScript.h>
#include <ListWindowProbe.h>
#include <TradingTestHost.h>

#include <testsupport/Pump.h>
#include <testsupport/TestApp.h>

#include <gtest/gtest.h>

#include <richedit.h>

#include <map>
#include <memory>

namespace {

tolvan::test::TestApp theApp("SeekwellTest");

const int kTabs = 10013, kExport = 10014, kSearch = 10005, kNextPage = 10006, kPrint = 10007, kText = 10008;
const int kFundsDate = 10015, kEndDate = 10012;

struct Seen
{
    UINT message = 0;
    std::string text;  // the tab text, or the request's command
    QueryRequest request;
};

std::string Today(int daysBack = 0)
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    FILETIME file;
    ::SystemTimeToFileTime(&now, &file);
    ULARGE_INTEGER ticks{{file.dwLowDateTime, file.dwHighDateTime}};
    ticks.QuadPart -= (ULONGLONG)daysBack * 24 * 60 * 60 * 10000000;
    file = FILETIME{ticks.LowPart, ticks.HighPart};
    ::FileTimeToSystemTime(&file, &now);
    char text[16];
    sprintf(text, "%04d%02d%02d", now.wYear, now.wMonth, now.wDay);
    return text;
}

class QueryWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host = std::make_unique<TradingHost>(CRect(0, 0, 700, 320));
        host->onMessage = [this](HostMessage& m) {
            Seen s;
            s.message = m.message;
            if (m.message == WM_QUERY_TAB)
                s.text = (LPCTSTR)*reinterpret_cast<const CString*>(m.wParam);
            if (m.message == WM_QUERY_REQUEST) {
                s.request = *reinterpret_cast<const QueryRequest*>(m.wParam);
                s.text = (LPCTSTR)s.request.command;
            }
            seen.push_back(s);
        };
        window = Dll_ShowFindDlg(host->CreateContainer());
        ASSERT_TRUE(::IsWindow(window));
        ::MoveWindow(window, 0, 0, 700, 320, TRUE);
        tolvan::test::PumpPending();
        funds = ::GetParent(FindDescendant(window, kFundsDate));
        history = ::GetParent(FindDescendant(window, kEndDate));
        ASSERT_TRUE(::IsWindow(funds) && ::IsWindow(history));
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
    void SendText(UINT message, int op, const char* text, const char* face = "", int height = 0, int bold = 0)
    {
        QueryText record;
        record.op = op;
        record.text = text;
        record.faceName = face;
        record.colour = 0x000000;
        record.height = height;
        record.bold = bold;
        EXPECT_EQ(::SendMessage(window, message, (WPARAM)&record, 0), 0);
    }
    void SendStatus(UINT message, const char* text, COLORREF colour)
    {
        StatusLine status;
        status.text = text;
        status.colour = colour;
        ::SendMessage(window, message, (WPARAM)&status, 0);
    }
    std::string BoxText(HWND page)
    {
        char text[4096] = "";
        ::GetWindowTextA(::GetDlgItem(page, kText), text, sizeof(text));
        return text;
    }
    CHARFORMATA FormatAt(HWND page, int from, int to)
    {
        HWND box = ::GetDlgItem(page, kText);
        ::SendMessage(box, EM_SETSEL, from, to);
        CHARFORMATA format = {};
        format.cbSize = sizeof(format);
        ::SendMessage(box, EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&format);
        return format;
    }
    size_t StatusPixels(HWND page)
    {
        ::RedrawWindow(page, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        tolvan::test::PumpPending();
        return CountRed(tolvan::test::Screenshot::CaptureClient(page), RECT{5, 60, 150, 180});
    }
    Seen Last(UINT message)
    {
        for (auto it = seen.rbegin(); it != seen.rend(); ++it)
            if (it->message == message)
                return *it;
        return Seen();
    }

    std::unique_ptr<TradingHost> host;
    HWND window = NULL, funds = NULL, history = NULL;
    std::vector<Seen> seen;
};

TEST_F(QueryWindow, SwitchingToTheHistoryShowsItClearsItsStatusAndTellsTheTab)
{
    char className[64] = "";
    ::GetClassNameA(::GetDlgItem(funds, kText), className, sizeof(className));
    EXPECT_STREQ(className, "RichEdit20A");
    EXPECT_TRUE(::IsWindowVisible(funds));
    EXPECT_FALSE(::IsWindowVisible(history));
    SendStatus(WM_QUERY_PAGE_1, "正在查询资金状况", 0x0000FF);
    EXPECT_GT(StatusPixels(funds), 10u);
    CaptureAndSave(window, "trading_queries_funds.png");
    SendStatus(WM_QUERY_PAGE_5, "历史查询失败", 0x0000FF);

    ClickTab(1);
    ASSERT_TRUE(tolvan::test::PumpUntil([&] { return Last(WM_QUERY_TAB).message != 0; }));
    EXPECT_EQ(Last(WM_QUERY_TAB).text, "交易历史");
    EXPECT_TRUE(::IsWindowVisible(history));
    EXPECT_FALSE(::IsWindowVisible(funds));
    EXPECT_EQ(StatusPixels(history), 0u);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(history, kNextPage)));
    CaptureAndSave(window, "trading_queries_history.png");
}

TEST_F(QueryWindow, TextsAppendInTheStyleLastGivenAndClear)
{
    SendText(WM_QUERY_PAGE_0, 2, "资金余额", "宋体", 180, 1);
    SendText(WM_QUERY_PAGE_0, 0, "100.00");
    EXPECT_EQ(BoxText(funds), "资金余额100.00");
    for (CHARFORMATA f : {FormatAt(funds, 0, 4), FormatAt(funds, 4, 10)}) {
        EXPECT_TRUE(f.dwEffects & CFE_BOLD);
        EXPECT_EQ(f.yHeight, 180);
        EXPECT_STREQ(f.szFaceName, "宋体");
    }
    SendText(WM_QUERY_PAGE_0, 2, "plain", "Arial", 256, 0);
    EXPECT_FALSE(FormatAt(funds, 10, 15).dwEffects & CFE_BOLD);
    EXPECT_TRUE(FormatAt(funds, 0, 4).dwEffects & CFE_BOLD);  // earlier text keeps its style

    // A face longer than the format holds is cut, not copied past its end.
    const std::string longFace(80, 'F');
    SendText(WM_QUERY_PAGE_0, 2, "x", longFace.c_str(), 200, 0);
    EXPECT_EQ(BoxText(funds), "资金余额100.00plainx");
    EXPECT_LE(strlen(FormatAt(funds, 15, 16).szFaceName), 31u);

    SendText(WM_QUERY_PAGE_0, 7, "ignored");
    SendText(WM_QUERY_PAGE_4, 0, "history");
    EXPECT_EQ(BoxText(history), "history");
    SendText(WM_QUERY_PAGE_0, 1, "");
    EXPECT_EQ(BoxText(funds), "");
    EXPECT_EQ(BoxText(history), "history");
}

TEST_F(QueryWindow, ButtonsSendTheirRequestsWithTheDatesToTheTradeDialog)
{
    ::SendMessage(::GetDlgItem(funds, kSearch), BM_CLICK, 0, 0);
    Seen s = Last(WM_QUERY_REQUEST);
    EXPECT_EQ(s.text, "查询");
    EXPECT_STREQ(s.request.queryDate, Today().c_str());
    EXPECT_STREQ(s.request.startDate, "");
    ::SendMessage(::GetDlgItem(funds, kPrint), BM_CLICK, 0, 0);
    EXPECT_EQ(Last(WM_QUERY_REQUEST).text, "打印");

    ::SendMessage(::GetDlgItem(history, kNextPage), BM_CLICK, 0, 0);
    s = Last(WM_QUERY_REQUEST);
    EXPECT_EQ(s.text, "查询下一页");
    EXPECT_STREQ(s.request.startDate, Today(1).c_str());
    EXPECT_STREQ(s.request.endDate, Today().c_str());
    EXPECT_STREQ(s.request.queryDate, "");

    std::map<int, int> state{{1, 0}};  // no key 0: nothing changes
    ::SendMessage(window, WM_QUERY_PAGE_6, (WPARAM)&state, 0);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(history, kNextPage)));
    state = {{0, 0}};
    ::SendMessage(window, WM_QUERY_PAGE_6, (WPARAM)&state, 0);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(history, kNextPage)));
    state = {{0, 1}};
    ::SendMessage(window, WM_QUERY_PAGE_6, (WPARAM)&state, 0);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(history, kNextPage)));
}

TEST_F(QueryWindow, TheExportWritesTheShownPageWithOneCrLfPerLine)
{
    FileDialogScript dialogs;
    const std::string folder = ScratchFolder("seekwell_export");
    SendText(WM_QUERY_PAGE_0, 0, "资金余额: 100\r\n可用资金: 80\n冻结: 20\r");
    dialogs.Choose(folder + "\\funds.txt");
    ::SendMessage(::GetDlgItem(window, kExport), BM_CLICK, 0, 0);
    ASSERT_EQ(dialogs.Dialogs().size(), 1u);
    EXPECT_EQ(dialogs.Dialogs()[0].fileName.substr(0, 23), "FinancialSituationFile_");
    EXPECT_EQ(dialogs.Dialogs()[0].flags & (OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST),
              (DWORD)(OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST));
    EXPECT_EQ(ReadWholeFile(folder + "\\funds.txt"), "资金余额: 100\r\n可用资金: 80\r\n冻结: 20\r\n");

    SendText(WM_QUERY_PAGE_4, 0, "20261209 买 600000");
    ClickTab(1);
    ASSERT_TRUE(tolvan::test::PumpUntil([&] { return ::IsWindowVisible(history) != FALSE; }));
    dialogs.Choose(folder + "\\history.txt");
    ::SendMessage(::GetDlgItem(window, kExport), BM_CLICK, 0, 0);
    EXPECT_EQ(dialogs.Dialogs().back().fileName.substr(0, 23), "HistoryTransactionFile_");
    EXPECT_EQ(ReadWholeFile(folder + "\\history.txt"), "20261209 买 600000");
}

}  // namespace
