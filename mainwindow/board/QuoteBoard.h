// The quote board of the main window: the sector tab strip (control 1000) with one quote page
// per sector of the quote store, the refresh of the visible rows from quote batches and
// instrument lists, the choice of the codes that the web pollers fetch, "我的板块" editing and
// the quick search. It lives on the user-interface thread; the main window's handlers call it.
// What belongs to the other concerns of the main window (open orders, positions, chart views,
// the trade panel) it asks of its owner, IQuoteBoardOwner, which the main window implements.
#pragma once

#include "ContractRecord.h"
#include "MarketListItem.h"
#include "QuoteUpdate.h"
#include "SectorRecord.h"
#include "TabCtrlEx.h"

#include <afxwin.h>
#include <functional>
#include <map>
#include <vector>

class CTabQuoteDlg;
class CStockDownProc;
class CWebQuote;
class QuoteStore;

// Where the board sends the codes it wants fetched: the two web pollers and the stock
// downloader of the chart instrument.
struct QuoteFetchers
{
    std::function<void(const char* market, const std::vector<CString>& codes)> startPolling;
    std::function<void(const std::vector<CString>& codes)> removeFromPollers;
    std::function<void(const char* market, const CString& code)> requestStockInfo;
    std::function<void(const CString& code)> dropStockQuote;
};

// The program's pollers and the given downloader.
QuoteFetchers ProgramQuoteFetchers(CWebQuote& csmPoller, CWebQuote& hksPoller,
                                   CStockDownProc& stockDown);

#define IDC_SECTOR_TABS 1000

// What the board asks of the main window's other parts.
class IQuoteBoardOwner
{
public:
    virtual ~IQuoteBoardOwner() = default;
    // Adds the codes of unfinished proxy orders to `ordered` and those of positions to `held`.
    virtual void CollectHeldCodes(std::vector<CString>& ordered, std::vector<CString>& held) = 0;
    // The code of the chart view shown now; empty in the list view.
    virtual CString ShownChartCode() = 0;
    // Every update of a batch after the board's rows (positions, depth, charts).
    virtual void OnBoardQuote(const QuoteUpdate& update, bool hasSelectedRow) = 0;
    // A list gave the store a sector: the position rows are sent again.
    virtual void ResendPositionRows() = 0;
    // The quick search chose a code.
    virtual void SwitchToInstrument(const CString& code) = 0;
};

class CQuoteBoard
{
public:
    CQuoteBoard(CWnd& main, IQuoteBoardOwner& owner, QuoteStore& store, QuoteFetchers fetchers);
    ~CQuoteBoard();
    CQuoteBoard(const CQuoteBoard&) = delete;
    CQuoteBoard& operator=(const CQuoteBoard&) = delete;

    // The tab strip on the main window; false when it could not be made.
    bool Create();
    // The tab strip fills the area; every page fills the strip less its 25-pixel tab row.
    void Place(const CRect& area);
    // Pages and tab strip go (before the main window's own window goes).
    void Destroy();

    void ShowSector(const CString& name);
    void CreateMySector();
    void AddSelectedToMySector();
    void RemoveSelectedFromMySector();
    void CollectVisibleCodes(std::vector<CString>& codes);
    // 11123: wParam 1 from the timer, 0 from a page.
    void RefreshPolling(WPARAM wParam);
    void UpdateTabRows(const std::vector<CString>& codes);
    void ApplyQuoteBatch(const QuoteBatch& batch);
    void ApplyMarketList(int market, const std::vector<MarketListItem>& items);
    void ApplySectorData(const CString* texts, const std::map<CString, ContractRecord>* contracts);
    void ApplyMarketInfo(int market, const std::vector<QuoteRow>& rows);
    void OnTabSelChange();
    // Opens the quick search with the key; true when it took the key.
    bool OpenSmartKeyboard(const MSG& key);

    HWND TabStrip() const { return m_tabs.GetSafeHwnd(); }
    CTabCtrlEx& Tabs() { return m_tabs; }
    CTabQuoteDlg* CurrentPage() const;
    HWND CurrentPageList() const;
    bool IsPageList(HWND hWnd) const;
    bool IsSearchOpen() const { return m_searchOpen; }
    CString CurrentPageKey() const;
    int PageCount() const { return static_cast<int>(m_pages.size()); }
    int CurrentPageIndex() const { return m_current; }
    CTabQuoteDlg* Page(int index) const;
    const std::vector<CString>& PolledCodes() const { return m_polled; }

private:
    struct PageEntry
    {
        CString name;
        CTabQuoteDlg* page;
    };

    std::vector<CString> PageNames() const;
    void RemovePage(int index);
    CTabQuoteDlg* InsertPage(int at, const CString& name);
    void FillPage(CTabQuoteDlg& page, const SectorRecord& sector);
    void ShowCurrentPageOnly();
    void PlacePage(CTabQuoteDlg& page);
    int PageIndexOf(const CString& name) const;
    void FeedPollers(const std::vector<CString>& codes);
    void VisibleRows(int& top, std::vector<SectorRow>& rows) const;

    CWnd& m_main;
    IQuoteBoardOwner& m_owner;
    QuoteStore& m_store;
    QuoteFetchers m_fetchers;
    CTabCtrlEx m_tabs;
    CFont m_tabFont;
    std::vector<PageEntry> m_pages;
    int m_current = -1;
    std::vector<CString> m_polled;  // the codes the last refresh handed on
    CString m_stockDownCode;        // the chart code the last refresh gave the downloader
    bool m_searchOpen = false;
    CRect m_area;
};
