#include "QuoteBoard.h"

#include "BoardRules.h"
#include "QuotePageMessages.h"
#include "QuoteStore.h"
#include "SearchDlg.h"
#include "SearchIndex.h"
#include "StockDownProc.h"
#include "TabQuoteDlg.h"
#include "WebQuote.h"

#include <algorithm>
#include <set>
#include <string>

namespace {

const char kCsmSector[] = "沪深";
const char kHksSector[] = "港股";
const int kTabRowHeight = 25;

std::vector<std::string> ToStrings(const std::vector<CString>& codes)
{
    std::vector<std::string> out;
    out.reserve(codes.size());
    for (const CString& code : codes)
        out.push_back(std::string(code));
    return out;
}

}  // namespace

QuoteFetchers ProgramQuoteFetchers(CWebQuote& csmPoller, CWebQuote& hksPoller,
                                   CStockDownProc& stockDown)
{
    QuoteFetchers fetchers;
    fetchers.startPolling = [&csmPoller, &hksPoller](const char* market, const std::vector<CString>& codes) {
        CWebQuote& poller = strcmp(market, "HKS") == 0 ? hksPoller : csmPoller;
        poller.StartQuotePolling(market, ToStrings(codes));
    };
    fetchers.removeFromPollers = [&csmPoller, &hksPoller](const std::vector<CString>& codes) {
        csmPoller.RemoveCodes(codes);
        hksPoller.RemoveCodes(codes);
    };
    fetchers.requestStockInfo = [&stockDown](const char* market, const CString& code) {
        stockDown.RequestStockInfo(market, code);
    };
    fetchers.dropStockQuote = [&stockDown](const CString& code) { stockDown.RemoveCode(code); };
    return fetchers;
}

CQuoteBoard::CQuoteBoard(CWnd& main, IQuoteBoardOwner& owner, QuoteStore& store, QuoteFetchers fetchers)
    : m_main(main), m_owner(owner), m_store(store), m_fetchers(std::move(fetchers))
{
}

CQuoteBoard::~CQuoteBoard()
{
    Destroy();
}

bool CQuoteBoard::Create()
{
    m_tabFont.CreatePointFont(100, "宋体");
    if (!m_tabs.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TCS_BOTTOM, CRect(0, 0, 0, 0),
                       &m_main, IDC_SECTOR_TABS))
        return false;
    m_tabs.SendMessage(TCM_SETMINTABWIDTH, 0, 80);
    m_tabs.SetFont(&m_tabFont);
    m_tabs.SetTextColor(0);
    m_tabs.SetSelTextColor(0xFFFFFF);
    m_tabs.SetTabBkColor(0xEDEDED);
    m_tabs.SetSelTabColor(0x646464);
    m_tabs.SetBkColor(0xEDEDED);
    m_tabs.SetBorderColor(0xEDEDED);
    m_tabs.SetTextFormat(37);
    // Paints nothing until the first sector is shown.
    m_tabs.SetDrawStyle(5);
    return true;
}

void CQuoteBoard::Destroy()
{
    for (PageEntry& entry : m_pages) {
        if (entry.page->GetSafeHwnd() != NULL)
            entry.page->DestroyWindow();
        delete entry.page;
    }
    m_pages.clear();
    m_current = -1;
    if (m_tabs.GetSafeHwnd() != NULL)
        m_tabs.DestroyWindow();
}

void CQuoteBoard::Place(const CRect& area)
{
    m_area = area;
    if (m_tabs.GetSafeHwnd() == NULL)
        return;
    m_tabs.MoveWindow(&area);
    for (PageEntry& entry : m_pages)
        PlacePage(*entry.page);
}

void CQuoteBoard::PlacePage(CTabQuoteDlg& page)
{
    if (page.GetSafeHwnd() != NULL)
        page.MoveWindow(0, 0, m_area.Width(), m_area.Height() - kTabRowHeight);
}

std::vector<CString> CQuoteBoard::PageNames() const
{
    std::vector<CString> names;
    for (const PageEntry& entry : m_pages)
        names.push_back(entry.name);
    return names;
}

int CQuoteBoard::PageIndexOf(const CString& name) const
{
    for (size_t index = 0; index < m_pages.size(); ++index)
        if (m_pages[index].name == name)
            return static_cast<int>(index);
    return -1;
}

CTabQuoteDlg* CQuoteBoard::Page(int index) const
{
    return index >= 0 && index < PageCount() ? m_pages[index].page : nullptr;
}

CTabQuoteDlg* CQuoteBoard::CurrentPage() const
{
    return Page(m_current);
}

HWND CQuoteBoard::CurrentPageList() const
{
    CTabQuoteDlg* page = CurrentPage();
    return page != nullptr ? page->GetList().GetSafeHwnd() : NULL;
}

bool CQuoteBoard::IsPageList(HWND hWnd) const
{
    if (hWnd == NULL)
        return false;
    for (const PageEntry& entry : m_pages)
        if (entry.page->GetList().GetSafeHwnd() == hWnd)
            return true;
    return false;
}

CString CQuoteBoard::CurrentPageKey() const
{
    CTabQuoteDlg* page = CurrentPage();
    return page != nullptr ? page->GetSectorName() : CString();
}

void CQuoteBoard::RemovePage(int index)
{
    CTabQuoteDlg* page = m_pages[index].page;
    if (page->GetSafeHwnd() != NULL)
        page->DestroyWindow();
    delete page;
    m_pages.erase(m_pages.begin() + index);
    m_tabs.DeleteItem(index);
}

CTabQuoteDlg* CQuoteBoard::InsertPage(int at, const CString& name)
{
    m_tabs.InsertItem(at, name);
    CTabQuoteDlg* page = new CTabQuoteDlg;
    page->SetSectorName(name);
    m_pages.insert(m_pages.begin() + at, PageEntry{name, page});
    return page;
}

void CQuoteBoard::FillPage(CTabQuoteDlg& page, const SectorRecord& sector)
{
    CListCtrlEx& list = page.GetList();
    const int rows = static_cast<int>(sector.vecRows.size());
    list.SetRedraw(FALSE);
    for (int count = list.GetItemCount(); count > rows; --count)
        list.DeleteItem(count - 1);
    for (int count = list.GetItemCount(); count < rows; ++count)
        list.InsertItem(count, "");
    for (int row = 0; row < rows; ++row)
        page.RefreshQuoteRows(row, sector.vecRows[row].quote);
    list.SetRedraw(TRUE);
    list.Invalidate(FALSE);

    if (page.GetSelectedRow() < 0)
        return;
    for (int row = 0; row < rows; ++row)
        if (sector.vecRows[row].strName == page.GetSelectedText()) {
            list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            return;
        }
    page.SelectRow(-1, -1);
}

void CQuoteBoard::ShowSector(const CString& name)
{
    if (m_tabs.GetSafeHwnd() == NULL)
        return;
    m_tabs.SetDrawStyle(1);
    const CString remembered = CurrentPageKey();
    std::vector<SectorRecord> sectors;
    m_store.GetSectors(sectors);
    std::vector<CString> storeNames;
    for (const SectorRecord& sector : sectors)
        storeNames.push_back(sector.strName);

    const PageSyncPlan plan = PlanPageSync(PageNames(), storeNames);
    for (auto index = plan.removePages.rbegin(); index != plan.removePages.rend(); ++index)
        RemovePage(*index);
    CTabQuoteDlg* created = plan.insertAt >= 0 ? InsertPage(plan.insertAt, plan.insertName) : nullptr;
    m_current = PageIndexAfterSync(PageNames(), remembered);

    if (created != nullptr) {
        created->Create(CTabQuoteDlg::IDD, &m_tabs);
        created->ShowWindow(SW_HIDE);
    }
    const int shown = PageIndexOf(name);
    if (shown >= 0)
        for (const SectorRecord& sector : sectors)
            if (sector.strName == name) {
                FillPage(*m_pages[shown].page, sector);
                break;
            }
    if (created != nullptr && plan.insertName == kCsmSector)
        m_current = PageIndexOf(plan.insertName);
    m_tabs.SetCurSel(m_current);
    ShowCurrentPageOnly();
    if (created != nullptr)
        Place(m_area);
}

void CQuoteBoard::ShowCurrentPageOnly()
{
    for (int index = 0; index < PageCount(); ++index)
        if (index != m_current)
            m_pages[index].page->ShowWindow(SW_HIDE);
    if (CTabQuoteDlg* page = CurrentPage())
        page->ShowWindow(SW_SHOW);
}

void CQuoteBoard::CreateMySector()
{
    m_store.AddSector(BuildMySector());
    ShowSector(MY_SECTOR_NAME);
}

void CQuoteBoard::AddSelectedToMySector()
{
    CTabQuoteDlg* page = CurrentPage();
    if (page == nullptr || page->GetSelectedRow() < 0)
        return;
    SectorRecord sector;
    if (!m_store.GetSector(page->GetSectorName(), sector))
        return;
    const int row = page->GetSelectedRow();
    if (row >= static_cast<int>(sector.vecRows.size()))
        return;
    m_store.AddToMySector(sector.vecRows[row]);
    ShowSector(MY_SECTOR_NAME);
}

void CQuoteBoard::RemoveSelectedFromMySector()
{
    CTabQuoteDlg* page = CurrentPage();
    if (page == nullptr || page->GetSectorName() != MY_SECTOR_NAME || page->GetSelectedRow() < 0)
        return;
    SectorRecord sector;
    if (!m_store.GetSector(MY_SECTOR_NAME, sector))
        return;
    const int row = page->GetSelectedRow();
    if (row >= static_cast<int>(sector.vecRows.size()))
        return;
    m_store.RemoveFromMySector(sector.vecRows[row].strCode);
    ShowSector(MY_SECTOR_NAME);
}

void CQuoteBoard::CollectVisibleCodes(std::vector<CString>& codes)
{
    std::vector<CString> listed;
    std::vector<CString> held;
    int top = 0;
    std::vector<SectorRow> rows;
    VisibleRows(top, rows);
    for (const SectorRow& row : rows)
        listed.push_back(row.strCode);
    m_owner.CollectHeldCodes(listed, held);
    codes = MergePolledCodes(std::move(listed), std::move(held));
}

// The store's rows of the current page's visible list rows, from the top row on.
void CQuoteBoard::VisibleRows(int& top, std::vector<SectorRow>& rows) const
{
    rows.clear();
    top = 0;
    CTabQuoteDlg* page = CurrentPage();
    if (page == nullptr)
        return;
    CListCtrlEx& list = page->GetList();
    top = std::max(0, list.GetTopIndex());
    m_store.GetSectorRowRange(page->GetSectorName(), top, list.GetVisibleEnd() - top, rows);
}

void CQuoteBoard::RefreshPolling(WPARAM wParam)
{
    std::vector<CString> codes;
    CollectVisibleCodes(codes);
    std::vector<CString> dropped = DroppedCodes(m_polled, codes);
    if (!dropped.empty() && m_fetchers.removeFromPollers)
        m_fetchers.removeFromPollers(dropped);
    m_polled = codes;

    // The chart instrument is fetched by the stock downloader, not by the pollers.
    const CString chartCode = m_owner.ShownChartCode();
    // A newly shown instrument starts from a fresh snapshot; dropping its row on every
    // refresh would make each quote a first one, with no volume since the last.
    const bool newChartCode = chartCode != m_stockDownCode;
    m_stockDownCode = chartCode;
    if (!chartCode.IsEmpty()) {
        if (newChartCode && m_fetchers.dropStockQuote)
            m_fetchers.dropStockQuote(chartCode);
        codes.erase(std::remove(codes.begin(), codes.end(), chartCode), codes.end());
        const char* market = m_store.SectorContains(kCsmSector, chartCode) ? "CSM"
                             : m_store.SectorContains(kHksSector, chartCode) ? "HKS" : nullptr;
        if (market != nullptr && m_fetchers.requestStockInfo)
            m_fetchers.requestStockInfo(market, chartCode);
    }
    FeedPollers(codes);
    if (wParam == 0)
        UpdateTabRows(codes);
}

void CQuoteBoard::FeedPollers(const std::vector<CString>& codes)
{
    std::vector<CString> csm;
    std::vector<CString> hks;
    SplitCodesByMarket(codes, CString(), m_store, csm, hks);
    if (!m_fetchers.startPolling)
        return;
    if (!csm.empty())
        m_fetchers.startPolling("CSM", csm);
    if (!hks.empty())
        m_fetchers.startPolling("HKS", hks);
}

void CQuoteBoard::UpdateTabRows(const std::vector<CString>& codes)
{
    CTabQuoteDlg* page = CurrentPage();
    SectorRecord sector;
    if (page == nullptr || codes.empty() || !m_store.GetSector(page->GetSectorName(), sector))
        return;
    const std::set<CString> wanted(codes.begin(), codes.end());
    const int rows = std::min<int>(page->GetList().GetItemCount(), static_cast<int>(sector.vecRows.size()));
    for (int row = 0; row < rows; ++row)
        if (wanted.count(sector.vecRows[row].strCode) != 0)
            page->RefreshQuoteRows(row, sector.vecRows[row].quote);
}

void CQuoteBoard::ApplyQuoteBatch(const QuoteBatch& batch)
{
    std::vector<QuoteRow> latest;
    latest.reserve(batch.size());
    for (const QuoteUpdate& update : batch)
        latest.push_back(update.rowLatest);
    m_store.UpdateQuotes(std::move(latest));

    // Only the rows on screen are written; the others are refreshed when they scroll in.
    CTabQuoteDlg* page = CurrentPage();
    int top = 0;
    std::vector<SectorRow> rows;
    VisibleRows(top, rows);
    std::map<CString, int> visibleRows;
    for (size_t at = 0; at < rows.size(); ++at)
        visibleRows.emplace(rows[at].strCode, static_cast<int>(at));
    const bool hasSelectedRow = page != nullptr && page->GetSelectedRow() >= 0;
    for (const QuoteUpdate& update : batch) {
        auto visible = visibleRows.find(update.rowLatest.strCode);
        if (visible != visibleRows.end())
            page->RefreshQuoteRows(top + visible->second, rows[visible->second].quote);
        m_owner.OnBoardQuote(update, hasSelectedRow);
    }
}

void CQuoteBoard::ApplyMarketList(int market, const std::vector<MarketListItem>& items)
{
    SectorRecord sector = BuildMarketSector(market, items);
    const CString name = sector.strName;
    m_store.AddSector(std::move(sector));
    ShowSector(name);
    ShowSector(MY_SECTOR_NAME);
    m_owner.ResendPositionRows();
}

void CQuoteBoard::ApplySectorData(const CString* texts, const std::map<CString, ContractRecord>* contracts)
{
    if (texts == nullptr || contracts == nullptr)
        return;
    SectorRecord sector = BuildContractSector(texts, *contracts);
    const CString name = sector.strName;
    m_store.AddSector(std::move(sector));
    ShowSector(name);
    ShowSector(MY_SECTOR_NAME);
    m_owner.ResendPositionRows();
}

void CQuoteBoard::ApplyMarketInfo(int market, const std::vector<QuoteRow>& rows)
{
    m_store.UpdateQuotes(rows);
    const CString name = market == 0 ? kHksSector : kCsmSector;
    CTabQuoteDlg* page = Page(PageIndexOf(name));
    SectorRecord sector;
    if (page == nullptr || !m_store.GetSector(name, sector))
        return;
    const int count = std::min<int>(page->GetList().GetItemCount(), static_cast<int>(sector.vecRows.size()));
    for (int row = 0; row < count; ++row)
        page->RefreshQuoteRows(row, sector.vecRows[row].quote);
}

void CQuoteBoard::OnTabSelChange()
{
    const int selection = m_tabs.GetCurSel();
    SortRequest request;
    request.nColumn = 0;
    request.nOrder = 1;
    m_main.SendMessage(WM_SORT_OR_SELECT, 0, reinterpret_cast<LPARAM>(&request));
    m_current = PageIndexForTab(selection, PageCount());
    m_tabs.SetFocus();
    for (int index = 0; index < PageCount(); ++index) {
        CTabQuoteDlg* page = m_pages[index].page;
        if (index != m_current) {
            page->ShowWindow(SW_HIDE);
            continue;
        }
        // A page made while another sector was being shown has no rows yet.
        SectorRecord sector;
        if (m_store.GetSector(page->GetSectorName(), sector)
            && page->GetList().GetItemCount() != static_cast<int>(sector.vecRows.size()))
            FillPage(*page, sector);
        page->ShowWindow(SW_SHOW);
        m_main.SendMessage(WM_SECTOR_CHANGED, 0, reinterpret_cast<LPARAM>(&page->GetNotice()));
    }
}

bool CQuoteBoard::OpenSmartKeyboard(const MSG& key)
{
    if (m_searchOpen)
        return false;
    const bool capsLockOn = (::GetKeyState(VK_CAPITAL) & 1) != 0;
    const bool shiftDown = ::GetKeyState(VK_SHIFT) < 0;
    const CString first = SmartKeyText(key.message, key.wParam, capsLockOn, shiftDown);
    m_searchOpen = true;

    std::vector<SectorRecord> sectors;
    m_store.GetSectors(sectors);
    std::vector<SectorRow> candidates;
    std::set<CString> seen;
    for (const SectorRecord& sector : sectors)
        for (const SectorRow& row : sector.vecRows)
            if (seen.insert(row.strCode).second)
                candidates.push_back(row);
    SearchIndex::Instance().Rebuild(candidates);

    CSearchDlg search(&m_main);
    CRect mainRect;
    m_main.GetWindowRect(&mainRect);
    search.SetSearchParams(first, mainRect);
    if (search.DoModal() == IDOK && !search.GetSelectedCode().IsEmpty())
        m_owner.SwitchToInstrument(search.GetSelectedCode());
    m_searchOpen = false;
    return true;
}
