// The quote board on a stand-in main window under Xvfb: pages that follow the store's
// sectors, quote batches written only into the shown rows, the codes handed to the pollers,
// "我的板块" edits from the page's selection, tab changes and the quick search.
#include "QuoteBoard.h"

#include "BoardRules.h"
#include "ModalScript.h"
#include "QuoteStore.h"
#include "SearchDlg.h"
#include "TabQuoteDlg.h"

#include <testsupport/Pump.h>
#include <testsupport/RecordingWindow.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

using tolvan::test::PumpPending;
using tolvan::test::RecordingWindow;

namespace {

MarketListItem Item(const char* index, const char* code, const char* name)
{
    return MarketListItem{ index, code, name, "", "" };
}

QuoteRow Tick(const char* code, const char* last, const char* prevClose)
{
    QuoteRow quote;
    quote.strCode = code;
    quote.strQuoteTime = "2026-12-10 10:00:00";
    quote.strLastPrice = last;
    quote.strPrevClose = prevClose;
    quote.strChange = "0";
    return quote;
}

std::string Join(const std::vector<CString>& codes)
{
    std::string joined;
    for (const CString& code : codes)
        joined += std::string(code) + ",";
    return joined;
}

// The main window's side of the board, as each test sets it.
struct BoardOwner : IQuoteBoardOwner
{
    void CollectHeldCodes(std::vector<CString>& orderedCodes, std::vector<CString>& heldCodes) override
    {
        orderedCodes.insert(orderedCodes.end(), ordered.begin(), ordered.end());
        heldCodes.insert(heldCodes.end(), held.begin(), held.end());
    }
    CString ShownChartCode() override { return chartCode; }
    void OnBoardQuote(const QuoteUpdate&, bool) override { ++quotes; }
    void ResendPositionRows() override { ++positionResends; }
    void SwitchToInstrument(const CString& code) override { chosen = code; }

    std::vector<CString> ordered, held;
    CString chartCode;
    int quotes = 0;
    int positionResends = 0;
    CString chosen;
};

class QuoteBoardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mainWnd.Attach(mainWindow.Handle());
        QuoteFetchers fetchers;
        fetchers.startPolling = [this](const char* market, const std::vector<CString>& codes) {
            polled.push_back(std::string(market) + ":" + Join(codes));
        };
        fetchers.removeFromPollers = [this](const std::vector<CString>& codes) { removed.push_back(Join(codes)); };
        fetchers.requestStockInfo = [this](const char* market, const CString& code) {
            stockRequests.push_back(std::string(market) + ":" + std::string(code));
        };
        fetchers.dropStockQuote = [this](const CString& code) { stockDrops.push_back(std::string(code)); };
        board.reset(new CQuoteBoard(mainWnd, owner, store, fetchers));
        ASSERT_TRUE(board->Create());
        board->Place(CRect(20, 25, 1420, 525));
        board->CreateMySector();
    }
    void TearDown() override
    {
        board.reset();
        mainWnd.Detach();
    }

    // The A-share and Hong Kong lists and one contract list, as the start-up delivers them.
    void LoadLists()
    {
        std::map<CString, ContractRecord> contracts;
        contracts["XAUUSD"].strName = "伦敦金";
        const CString texts[3] = { "FEC", "外汇现货", "" };
        board->ApplySectorData(texts, &contracts);
        board->ApplyMarketList(1, { Item("0", "600000", "浦发银行"), Item("1", "600036", "招商银行"),
                                    Item("2", "000001", "平安银行") });
        board->ApplyMarketList(0, { Item("0", "00700", "腾讯控股") });
    }

    int PageOf(const char* name) const
    {
        for (int index = 0; index < board->PageCount(); ++index)
            if (board->Page(index)->GetSectorName() == name)
                return index;
        return -1;
    }
    std::string Cell(const char* sector, int row, int column) const
    {
        CTabQuoteDlg* page = board->Page(PageOf(sector));
        return page != nullptr ? std::string(page->GetList().GetItemText(row, column)) : "no page";
    }
    int RowOf(const char* sector, const char* code) const
    {
        CTabQuoteDlg* page = board->Page(PageOf(sector));
        for (int row = 0; page != nullptr && row < page->GetList().GetItemCount(); ++row)
            if (page->GetList().GetItemText(row, 1) == code)
                return row;
        return -1;
    }
    std::string TabText(int tab)
    {
        char text[64] = "";
        TCITEM item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        board->Tabs().GetItem(tab, &item);
        return text;
    }
    void SelectTab(const char* sector)
    {
        board->Tabs().SetCurSel(PageOf(sector));
        board->OnTabSelChange();
        PumpPending();
    }
    void SelectRow(const char* sector, int row)
    {
        board->Page(PageOf(sector))->GetList().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED,
                                                            LVIS_SELECTED | LVIS_FOCUSED);
        PumpPending();
    }

    RecordingWindow mainWindow{ RecordingWindow::Kind::TopLevel, RECT{ 0, 0, 1440, 600 }, "BoardMain" };
    CWnd mainWnd;
    BoardOwner owner;
    QuoteStore store;
    std::unique_ptr<CQuoteBoard> board;
    std::vector<std::string> polled, removed, stockRequests, stockDrops;
};

TEST_F(QuoteBoardTest, PagesFollowTheStoreAndTheAShareListComesToTheFront)
{
    EXPECT_EQ(board->PageCount(), 1);
    LoadLists();
    std::vector<SectorRecord> sectors;
    store.GetSectors(sectors);
    ASSERT_EQ(board->PageCount(), static_cast<int>(sectors.size()));
    for (size_t tab = 0; tab < sectors.size(); ++tab) {
        EXPECT_EQ(TabText(static_cast<int>(tab)), std::string(sectors[tab].strName)) << "tab " << tab;
        EXPECT_EQ(board->Page(static_cast<int>(tab))->GetSectorName(), sectors[tab].strName);
    }
    EXPECT_EQ(board->CurrentPageKey(), "沪深") << "the A-share page becomes current when it is made";
    EXPECT_TRUE(board->CurrentPage()->IsWindowVisible());
    EXPECT_FALSE(board->Page(PageOf("港股"))->IsWindowVisible());
    EXPECT_EQ(board->CurrentPage()->GetList().GetItemCount(), 3);
    EXPECT_EQ(Cell("沪深", 1, 2), "招商银行");
    EXPECT_EQ(Cell("港股", 0, 1), "00700");
    EXPECT_EQ(Cell("外汇现货", 0, 1), "XAUUSD");
}

TEST_F(QuoteBoardTest, BatchUpdatesEverySectorInTheStoreButWritesOnlyTheShownRows)
{
    LoadLists();
    store.AddToMySector("600000");
    board->ShowSector(MY_SECTOR_NAME);
    ASSERT_EQ(board->CurrentPageKey(), "沪深");
    ASSERT_EQ(Cell(MY_SECTOR_NAME, 0, 1), "600000");

    QuoteBatch batch;
    batch.emplace_back(Tick("600000", "10.52", "10.00"));
    batch.emplace_back(Tick("00700", "380.20", "379.00"));
    board->ApplyQuoteBatch(batch);

    EXPECT_EQ(owner.quotes, 2);
    EXPECT_EQ(Cell("沪深", RowOf("沪深", "600000"), 3), "10.52");
    EXPECT_EQ(Cell(MY_SECTOR_NAME, 0, 3), "") << "a page not shown is not written";
    EXPECT_EQ(Cell("港股", 0, 3), "");
    SectorRow mine;
    SectorRecord mySector;
    ASSERT_TRUE(store.GetSector(MY_SECTOR_NAME, mySector));
    EXPECT_EQ(mySector.vecRows.at(0).quote.strLastPrice, "10.52");
    ASSERT_TRUE(store.GetQuoteRow("00700", mine));
    EXPECT_EQ(mine.quote.strLastPrice, "380.20");
}

TEST_F(QuoteBoardTest, PollersGetTheShownAndHeldStocksOnceSortedAndLoseWhatLeft)
{
    LoadLists();
    EXPECT_EQ(3, owner.positionResends) << "each list sends the position rows again";
    owner.ordered = {"XAUUSD", "000001"};  // an open order of a forex code: never polled
    owner.held = {"00700", "000001"};
    board->RefreshPolling(1);
    EXPECT_EQ(polled, std::vector<std::string>({ "CSM:000001,600000,600036,", "HKS:00700," }));
    EXPECT_EQ(Join(board->PolledCodes()), "000001,00700,600000,600036,XAUUSD,");
    EXPECT_TRUE(removed.empty());

    owner.ordered.clear();
    owner.held.clear();
    owner.chartCode = "600036";
    SelectTab("沪深");
    polled.clear();
    board->RefreshPolling(1);
    EXPECT_EQ(removed, std::vector<std::string>({ "00700,XAUUSD," }));
    EXPECT_EQ(polled, std::vector<std::string>({ "CSM:000001,600000," })) << "the chart code goes to the downloader";
    EXPECT_EQ(stockDrops, std::vector<std::string>({ "600036" }));
    EXPECT_EQ(stockRequests, std::vector<std::string>({ "CSM:600036" }));

    // Later refreshes keep the delivered row (its volume increments); a new chart
    // instrument, or the same one shown again after the list, starts afresh.
    board->RefreshPolling(1);
    EXPECT_EQ(stockDrops, std::vector<std::string>({ "600036" }));
    EXPECT_EQ(stockRequests, std::vector<std::string>({ "CSM:600036", "CSM:600036" }));
    owner.chartCode.Empty();
    board->RefreshPolling(1);
    owner.chartCode = "600036";
    board->RefreshPolling(1);
    owner.chartCode = "00700";
    board->RefreshPolling(1);
    EXPECT_EQ(stockDrops, std::vector<std::string>({ "600036", "600036", "00700" }));
}

TEST_F(QuoteBoardTest, MySectorTakesTheSelectedRowAndRemovingItClearsTheSelection)
{
    LoadLists();
    SelectRow("沪深", 1);
    ASSERT_EQ(board->CurrentPage()->GetSelectedRow(), 1);
    board->AddSelectedToMySector();
    EXPECT_EQ(Cell(MY_SECTOR_NAME, 0, 1), "600036");
    EXPECT_TRUE(store.SectorContains(MY_SECTOR_NAME, "600036"));

    SelectTab(MY_SECTOR_NAME);
    ASSERT_EQ(board->CurrentPageKey(), MY_SECTOR_NAME);
    SelectRow(MY_SECTOR_NAME, 0);
    ASSERT_EQ(board->CurrentPage()->GetSelectedRow(), 0);
    board->AddSelectedToMySector();  // not from its own page
    EXPECT_EQ(board->CurrentPage()->GetList().GetItemCount(), 1);
    board->RemoveSelectedFromMySector();
    EXPECT_EQ(board->CurrentPage()->GetList().GetItemCount(), 0);
    EXPECT_EQ(board->CurrentPage()->GetSelectedRow(), -1);
    EXPECT_FALSE(store.SectorContains(MY_SECTOR_NAME, "600036"));
}

TEST_F(QuoteBoardTest, TabChangeShowsThatPageAndASelectionOutsideThePagesShowsNone)
{
    LoadLists();
    mainWindow.CopyPayload(WM_SECTOR_CHANGED, [](WPARAM, LPARAM lParam) {
        return std::string(reinterpret_cast<const SectorNotice*>(lParam)->strSector);
    });
    mainWindow.Clear();
    SelectTab("港股");
    EXPECT_EQ(board->CurrentPageKey(), "港股");
    EXPECT_TRUE(board->CurrentPage()->IsWindowVisible());
    EXPECT_EQ(mainWindow.Count(WM_SORT_OR_SELECT), 1u);
    ASSERT_EQ(mainWindow.Count(WM_SECTOR_CHANGED), 1u);
    EXPECT_EQ(mainWindow.Last(WM_SECTOR_CHANGED).payload, "港股") << "the page's own notice record";

    board->Tabs().SetCurSel(-1);
    board->OnTabSelChange();
    EXPECT_EQ(board->CurrentPageIndex(), -1);
    EXPECT_EQ(board->CurrentPage(), nullptr);
    for (int page = 0; page < board->PageCount(); ++page)
        EXPECT_FALSE(board->Page(page)->IsWindowVisible()) << page;
}

TEST_F(QuoteBoardTest, TypedDigitOpensTheSearchOnceAndEnterSwitchesToTheChoice)
{
    LoadLists();
    auto dialog = [] { return ::FindWindowA(NULL, CSearchDlg::kTitle); };
    auto count = [&] {
        HWND list = ::GetDlgItem(dialog(), IDC_SEARCH_LIST);
        return list != NULL ? ListView_GetItemCount(list) : -1;
    };
    ModalScript script;
    bool secondOpened = true;
    script.Then("the popup lists the codes holding 6", [&] { return dialog() != NULL && count() == 2; }, [&] {
        EXPECT_TRUE(board->IsSearchOpen());
        MSG again = { NULL, WM_KEYDOWN, '1', 0 };
        secondOpened = board->OpenSmartKeyboard(again);
        ::PostMessage(::GetDlgItem(dialog(), IDC_SEARCH_EDIT), WM_KEYDOWN, VK_RETURN, 0);
    });
    script.Start();
    MSG key = { mainWindow.Handle(), WM_KEYDOWN, VK_NUMPAD6, 0 };
    EXPECT_TRUE(board->OpenSmartKeyboard(key));
    EXPECT_TRUE(script.Finished()) << "stalled at: " << script.Stalled();
    EXPECT_FALSE(secondOpened) << "one popup at a time";
    EXPECT_FALSE(board->IsSearchOpen());
    EXPECT_EQ(owner.chosen, "600000");
}

}  // namespace
