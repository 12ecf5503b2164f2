// The quote list page under Xvfb, as a child of a tab strip in a main window: rows fed from
// the quote store with their colours and change marking, and the messages its list events
// send the main window.
#include "TabQuoteDlg.h"

#include "QuoteStore.h"

#include <testsupport/Pump.h>
#include <testsupport/RecordingWindow.h>
#include <testsupport/Screenshot.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

using tolvan::test::PumpPending;
using tolvan::test::PumpUntil;
using tolvan::test::RecordingWindow;
using tolvan::test::Screenshot;

namespace {

const COLORREF kRed = 0x393CFF, kGreen = 0x00E700, kGrey = 0xE7E7E7;

SectorRow Instrument(const char* code, const char* name, int index)
{
    SectorRow row;
    row.strCode = row.quote.strCode = code;
    row.strName = row.quote.strName = name;
    row.nListIndex = index;
    return row;
}

QuoteRow Tick(const char* code, const char* time, const char* last, const char* prevClose,
              const char* change)
{
    QuoteRow quote;
    quote.strCode = code;
    quote.strQuoteTime = time;
    quote.strLastPrice = last;
    quote.strPrevClose = prevClose;
    quote.strChange = change;
    quote.strChangePercent = change;
    quote.strBid1Price = last;
    quote.strAsk1Price = last;
    quote.strBid1Volume = "120";
    quote.strAsk1Volume = "80";
    quote.strVolume = "45210";
    quote.strVolumeSinceLast = "10";
    quote.strHigh = last;
    quote.strLow = prevClose;
    quote.strOpen = prevClose;
    return quote;
}

class TabQuoteDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SectorRecord sector;
        sector.strName = "沪深";
        const SectorRow rows[] = { Instrument("600000", "浦发银行", 0),
                                   Instrument("600036", "招商银行", 1),
                                   Instrument("000001", "平安银行", 2) };
        for (const SectorRow& row : rows) {
            sector.vecRows.push_back(row);
            sector.mapInstruments[row.strCode] = InstrumentRef{ "CSM_P", "沪深", "" };
        }
        GetQuoteStore().AddSector(sector);
        GetQuoteStore().UpdateQuotes({ Tick("600000", "2026-12-10 10:00:00", "10.52", "10.00", "0.52"),
                                       Tick("600036", "2026-12-10 10:00:00", "31.10", "32.00", "-0.90"),
                                       Tick("000001", "2026-12-10 10:00:00", "11.00", "11.00", "0") });

        mainWindow.CopyPayload(WM_SECTOR_CHANGED, [](WPARAM, LPARAM lParam) {
            const auto* notice = reinterpret_cast<const SectorNotice*>(lParam);
            return std::string(notice->strSector) + "|" + std::to_string(notice->nRow) + "|" +
                   notice->strText.GetString();
        });
        mainWindow.CopyStruct<SortRequest>(WM_SORT_OR_SELECT);
        page.SetSectorName("沪深");
        ASSERT_TRUE(page.Create(CTabQuoteDlg::IDD, CWnd::FromHandle(tabStrip.Handle())));
        page.MoveWindow(0, 0, 1460, 330);
        page.ShowWindow(SW_SHOW);
        FeedFromStore();
        PumpPending();
        mainWindow.Clear();
    }
    void TearDown() override
    {
        if (page.GetSafeHwnd() != NULL)
            page.DestroyWindow();
    }

    // As the main window does: the page's rows follow the store's sector.
    void FeedFromStore()
    {
        SectorRecord sector;
        ASSERT_TRUE(GetQuoteStore().GetSector("沪深", sector));
        CListCtrlEx& list = page.GetList();
        while (list.GetItemCount() < static_cast<int>(sector.vecRows.size()))
            list.InsertItem(list.GetItemCount(), "");
        for (size_t row = 0; row < sector.vecRows.size(); ++row)
            page.RefreshQuoteRows(static_cast<int>(row), sector.vecRows[row].quote);
    }
    int RowOf(const char* code)
    {
        for (int row = 0; row < page.GetList().GetItemCount(); ++row) {
            if (Text(row, 1) == code)
                return row;
        }
        return -1;
    }
    std::string Text(int row, int column) { return page.GetList().GetItemText(row, column).GetString(); }

    RecordingWindow mainWindow{ RecordingWindow::Kind::TopLevel, RECT{ 10, 10, 1490, 400 }, "TolvanMain" };
    RecordingWindow tabStrip{ mainWindow.Handle(), RECT{ 0, 25, 1470, 355 }, 1000 };
    CTabQuoteDlg page;
};

TEST_F(TabQuoteDlgTest, RowsFromTheStoreShowRisesRedFallsGreenAndMarkChanges)
{
    CListCtrlEx& list = page.GetList();
    ASSERT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetHeader().GetItemCount(), 16);
    // The store keeps "沪深" in descending list order.
    const int rising = RowOf("600000"), falling = RowOf("600036"), flat = RowOf("000001");
    EXPECT_EQ(Text(rising, 0), std::to_string(rising + 1));
    EXPECT_EQ(Text(rising, 2), "浦发银行");
    EXPECT_EQ(Text(rising, 3), "10.52");
    EXPECT_EQ(Text(falling, 4), "-0.90");
    EXPECT_EQ(Text(falling, 14), "-0.90%");
    EXPECT_EQ(list.GetRowColors(rising)[3], kRed);
    EXPECT_EQ(list.GetRowColors(falling)[3], kGreen);
    EXPECT_EQ(list.GetRowColors(flat)[3], kGrey);

    // A new price in the session marks the cell; the same move outside it does not.
    GetQuoteStore().UpdateQuotes({ Tick("600000", "2026-12-10 10:00:03", "10.55", "10.00", "0.55"),
                                   Tick("600036", "2026-12-10 12:00:00", "31.20", "32.00", "-0.80") });
    SectorRecord sector;
    ASSERT_TRUE(GetQuoteStore().GetSector("沪深", sector));
    page.RefreshQuoteRows(rising, sector.vecRows[rising].quote);
    EXPECT_TRUE(list.IsCellChanged(rising, 3));
    page.RefreshQuoteRows(falling, sector.vecRows[falling].quote);
    EXPECT_FALSE(list.IsCellChanged(falling, 3)) << "12:00 lies between the A-share sessions";
    EXPECT_EQ(Text(falling, 3), "31.20");

    // Halted: dashes and grey.
    QuoteRow halted = sector.vecRows[flat].quote;
    halted.nHalted = 1;
    page.RefreshQuoteRows(flat, halted);
    EXPECT_EQ(Text(flat, 3), "---");

    Screenshot shot;
    PumpUntil([&] {
        shot = Screenshot::CaptureClient(page.m_hWnd);
        return !shot.IsEmpty() && shot.CountColor(RGB(0xFF, 0x3C, 0x39)) > 0 &&
               shot.CountColor(RGB(0x00, 0xE7, 0x00)) > 0;
    }, 10000);
    shot.SavePng("quote_page.png");
    EXPECT_GT(shot.CountColor(RGB(0xFF, 0x3C, 0x39)), 0u) << "red rising prices on screen";
    EXPECT_GT(shot.CountColor(RGB(0x00, 0xE7, 0x00)), 0u) << "green falling prices on screen";
}

TEST_F(TabQuoteDlgTest, SelectionClicksAndKeysReachTheMainWindow)
{
    CListCtrlEx& list = page.GetList();
    list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ASSERT_TRUE(mainWindow.WaitFor(WM_SECTOR_CHANGED, 1, 10000));
    EXPECT_EQ(mainWindow.Last(WM_SECTOR_CHANGED).wParam, 0u);
    EXPECT_EQ(mainWindow.Last(WM_SECTOR_CHANGED).payload, "沪深|1|招商银行");
    EXPECT_EQ(page.GetSelectedRow(), 1);

    NMHDR doubleClick = { list.m_hWnd, IDC_QUOTE_LIST, static_cast<UINT>(NM_DBLCLK) };
    page.SendMessage(WM_NOTIFY, IDC_QUOTE_LIST, reinterpret_cast<LPARAM>(&doubleClick));
    EXPECT_EQ(mainWindow.Count(WM_LIST_OPEN_TREND), 1u);

    // A click on empty space of the list clears the selection and says row -1.
    mainWindow.Clear();
    list.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 250));
    list.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(40, 250));
    ASSERT_TRUE(PumpUntil([&] {
        return mainWindow.Count(WM_SECTOR_CHANGED) > 0 &&
               mainWindow.Last(WM_SECTOR_CHANGED).wParam == static_cast<WPARAM>(-1);
    }, 10000));
    EXPECT_EQ(mainWindow.Last(WM_SECTOR_CHANGED).payload, "沪深|-1|招商银行");
    EXPECT_EQ(page.GetSelectedRow(), -1);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);

    // A double click with nothing selected opens nothing.
    page.SendMessage(WM_NOTIFY, IDC_QUOTE_LIST, reinterpret_cast<LPARAM>(&doubleClick));
    EXPECT_EQ(mainWindow.Count(WM_LIST_OPEN_TREND), 0u);

    // Visible rows changed, or the page shown: the main window refreshes them.
    mainWindow.Clear();
    page.SendMessage(WM_LISTEX_VISIBLE_CHANGED, 0, 0);
    page.ShowWindow(SW_HIDE);
    page.ShowWindow(SW_SHOW);
    EXPECT_EQ(mainWindow.Count(WM_REDISPLAY_QUOTES), 2u);

    MSG key = { list.m_hWnd, WM_KEYDOWN, VK_F3, 0 };
    page.PreTranslateMessage(&key);
    EXPECT_EQ(mainWindow.Count(WM_QUOTETAB_KEY_F1 + 2), 1u);
    EXPECT_EQ(key.message, 0u) << "an F key is blanked after it was sent";
    MSG enter = { list.m_hWnd, WM_KEYDOWN, VK_RETURN, 0 };
    EXPECT_TRUE(page.PreTranslateMessage(&enter));
}

TEST_F(TabQuoteDlgTest, HeaderClicksSortDescendingThenAscending)
{
    CHeaderCtrlEx& header = page.GetList().GetHeader();
    RECT column = {};
    header.GetItemRect(3, &column);
    const LPARAM point = MAKELPARAM((column.left + column.right) / 2, 10);
    for (int click = 0; click < 2; ++click) {
        header.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, point);
        header.PostMessage(WM_LBUTTONUP, 0, point);
        ASSERT_TRUE(mainWindow.WaitFor(WM_SORT_OR_SELECT, click + 1, 10000));
    }
    auto sorts = mainWindow.MessagesOf(WM_SORT_OR_SELECT);
    ASSERT_EQ(sorts.size(), 2u);
    EXPECT_EQ(sorts[0].wParam, 1u);
    EXPECT_EQ(sorts[0].PayloadAs<SortRequest>().nColumn, 3);
    EXPECT_EQ(sorts[0].PayloadAs<SortRequest>().nOrder, 1) << "first click: descending";
    EXPECT_EQ(sorts[1].PayloadAs<SortRequest>().nOrder, 0) << "second click: ascending";
    EXPECT_EQ(header.GetSortColumn(), 3);

    page.ClearSortMark();
    PumpPending();
    EXPECT_EQ(header.GetSortColumn(), -1);
    EXPECT_EQ(mainWindow.Count(WM_SORT_OR_SELECT), 2u) << "clearing the mark sorts nothing";
}

TEST(TabQuoteMenuTest, MenuEntriesFollowTheSelectionAndTheSector)
{
    struct Case {
        bool selected;
        const char* sector;
        UINT add;
        UINT remove;
    } cases[] = {
        { true, "我的板块", MF_GRAYED, MF_ENABLED },
        { true, "沪深", MF_ENABLED, MF_GRAYED },
        { false, "我的板块", MF_GRAYED, MF_GRAYED },
        { false, "港股", MF_GRAYED, MF_GRAYED },
    };
    for (const Case& test : cases) {
        UINT add = 99, remove = 99;
        CTabQuoteDlg::ContextMenuStates(test.selected, test.sector, add, remove);
        EXPECT_EQ(add, test.add) << test.sector << " " << test.selected;
        EXPECT_EQ(remove, test.remove) << test.sector << " " << test.selected;
    }
}

}  // namespace
