// The main window's chart side: view and period requests, the quote and bar merge, the depth
// feed and the instrument switch, all handed to the chart views object.
#include "VelmoraDlg.h"
#include <commctrl.h>
#include "ChartViews.h"
#include "DepthBook.h"
#include "DeskParts.h"
#include "DriftlineChartDlg.h"
#include "InstrumentInfo.h"
#include "KLineBar.h"
#include "KLineDlg.h"
#include "KLineLoader.h"
#include "QuoteBoard.h"
#include "QuotePageMessages.h"
#include "QuoteStore.h"
#include "ServerClock.h"
#include "SymbolRules.h"
#include "TabQuoteDlg.h"
#include "TradeDlg.h"

namespace {

// The key message's wParam of WM_KEY_OPEN_VIEW.
const WPARAM kKeyEscape = 1;
// The status bar's free pane, where a chart request tells its state.
const int kRequestStatusPane = 0;
// Timer 3 keeps the selected instrument's bars current.
const UINT_PTR kBarsTimer = 3;
const UINT kBarsTimerMs = 5000;
const int kSectorTabs = 1000;
const UINT kTradeSetInstrument = 11034;

void CALLBACK BarsTimer(HWND hWnd, UINT, UINT_PTR, DWORD)
{
    if (CVelmoraDlg* main = dynamic_cast<CVelmoraDlg*>(CWnd::FromHandlePermanent(hWnd)))
        main->OnBarsTimer();
}

// Position of the sector in the store's order; -1 when there is none.
int SectorPosition(const CString& name)
{
    std::vector<SectorRecord> sectors;
    GetQuoteStore().GetSectors(sectors);
    for (size_t at = 0; at < sectors.size(); ++at)
        if (sectors[at].strName == name)
            return static_cast<int>(at);
    return -1;
}

}  // namespace

void CVelmoraDlg::InitHosts()
{
    m_chartViews = new CChartViews(*this);
    m_chartViews->Create(this);
    ApplySplit(GetSplit());
    ::SetTimer(m_hWnd, kBarsTimer, kBarsTimerMs, BarsTimer);
}

void CVelmoraDlg::ShowChartStatus(const CString& text)
{
    if (m_statusBar.GetSafeHwnd() != NULL)
        m_statusBar.SetPaneText(kRequestStatusPane, text);
}

bool CVelmoraDlg::IsQuoteListShown() const
{
    return m_chartViews == nullptr || m_chartViews->GetView() == VIEW_QUOTE_LIST;
}

// The minimised window hides the chart host of the view on show; the restored one shows it.
void CVelmoraDlg::ShowChartHost(bool show)
{
    if (m_chartViews == nullptr)
        return;
    const int view = m_chartViews->GetView();
    CWnd* host = view == VIEW_CANDLES ? static_cast<CWnd*>(m_chartViews->GetKLineHost())
                 : view == VIEW_TREND ? static_cast<CWnd*>(m_chartViews->GetTrendHost()) : nullptr;
    if (host != nullptr && host->GetSafeHwnd() != NULL)
        host->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CVelmoraDlg::RequestChartView(int view, int period, bool /*reload*/)
{
    if (m_chartViews)
        m_chartViews->RequestMarketData(view, period < 0 ? m_chartViews->GetPeriod() : period, CString(), CString(), 1);
}

void CVelmoraDlg::ZoomChart(int direction)
{
    CKLineDlg* host = m_chartViews ? m_chartViews->GetKLineHost() : nullptr;
    if (host != nullptr && m_chartViews->GetView() == VIEW_CANDLES)
        host->Operate(1, direction);
}

CString CVelmoraDlg::ShownChartCode()
{
    if (m_chartViews == nullptr || m_chartViews->GetView() == VIEW_QUOTE_LIST)
        return CString();
    return m_chartViews->GetCurrentCode();
}

// Every quote of a batch: the held position follows its price; a shown instrument's depth
// ladder follows its quote, the order form its page's selection, and every tick since the
// last batch reaches the open chart, oldest first, so that no tick's volume is lost.
void CVelmoraDlg::OnBoardQuote(const QuoteUpdate& update, bool hasSelectedRow)
{
    const QuoteRow& latest = update.rowLatest;
    if (m_deskParts)
        m_deskParts->Desk().OnQuotePrice(latest.strCode, latest.strLastPrice);
    if (m_chartViews == nullptr || !m_chartViews->ShowsCode(latest.strCode))
        return;
    m_chartViews->TakeQuoteDepth(latest);
    CQuoteBoard* board = GetQuoteBoard();
    CTabQuoteDlg* page = board ? board->CurrentPage() : nullptr;
    if (!hasSelectedRow || page == nullptr)
        return;
    SendMessage(WM_SECTOR_CHANGED, 0, reinterpret_cast<LPARAM>(&page->GetNotice()));
    if (m_chartViews->GetView() == VIEW_QUOTE_LIST)
        return;
    CString name;
    GetQuoteStore().GetInstrumentName(latest.strCode, name);
    for (const QuoteRow& tick : update.vecTicks)
    {
        QuoteRow named = tick;
        named.strName = name;
        SendMessage(WM_QUOTES_REFRESH, reinterpret_cast<WPARAM>(&named), 0);
    }
}

// The chart host stands where the quote pages were; the list view brings them back.
void CVelmoraDlg::OnChartViewShown(int view, int checkedButton)
{
    if (CWnd* tabs = GetDlgItem(kSectorTabs))
        tabs->ShowWindow(view == VIEW_QUOTE_LIST ? SW_SHOW : SW_HIDE);
    CheckToolbarButton(view == VIEW_QUOTE_LIST || checkedButton < 0 ? 0 : checkedButton);
}

LRESULT CVelmoraDlg::OnSectorChanged(WPARAM, LPARAM lParam)
{
    const SectorNotice* notice = reinterpret_cast<const SectorNotice*>(lParam);
    CQuoteBoard* board = GetQuoteBoard();
    CTabQuoteDlg* page = board ? board->CurrentPage() : nullptr;
    if (notice == nullptr || page == nullptr || notice->strSector != page->GetSectorName())
        return 0;
    CString code = "---";
    CString marketKey;
    SectorRecord sector;
    const bool copied = GetQuoteStore().GetSector(notice->strSector, sector) != FALSE;
    const bool hasRow = copied && notice->nRow >= 0 && notice->nRow < static_cast<int>(sector.vecRows.size());
    InstrumentInfo info;
    if (hasRow)
    {
        code = sector.vecRows[notice->nRow].strCode;
        auto keys = sector.mapInstruments.find(code);
        if (keys != sector.mapInstruments.end())
            marketKey = keys->second.strMarketKey;
        FillInstrumentInfo(code, m_orderFormCode, info);
    }
    else
    {
        FillInstrumentInfo(CString(), m_orderFormCode, info);
    }
    if (m_chartViews)
    {
        // Without a selected row no chart view can be asked for.
        m_chartViews->SetSelectedCode(hasRow ? code : CString());
        if (CKLineDlg* host = m_chartViews->GetKLineHost())
            host->SetSymbol(code);
        if (DriftlineChartDlg* host = m_chartViews->GetTrendHost())
            host->SetSymbolText(code);
    }
    if (m_pTradeDlg != nullptr && ::IsWindow(m_pTradeDlg->GetSafeHwnd()))
    {
        // The order form keeps its quantity while the code stays the same.
        m_orderFormCode = info.strCode;
        m_pTradeDlg->SendMessage(kTradeSetInstrument, 0, reinterpret_cast<LPARAM>(&info));
    }
    ApplyPeriodButtons(notice->strSector, hasRow, marketKey);
    return 0;
}

LRESULT CVelmoraDlg::OnSortOrSelect(WPARAM wParam, LPARAM lParam)
{
    const SortRequest* request = reinterpret_cast<const SortRequest*>(lParam);
    CQuoteBoard* board = GetQuoteBoard();
    CTabQuoteDlg* page = board ? board->CurrentPage() : nullptr;
    if (request == nullptr || page == nullptr)
        return 0;
    const CString name = page->GetSectorName();
    if (GetQuoteStore().SortSector(SectorPosition(name), request->nColumn, request->nOrder))
    {
        ShowSector(name);
        if (page->GetSelectedRow() >= 0)
            page->SelectRow(-1, -1);
    }
    if (wParam == 0)
        page->ClearSortMark();
    return 0;
}

void CVelmoraDlg::OnBarsTimer()
{
    CQuoteBoard* board = GetQuoteBoard();
    CTabQuoteDlg* page = board ? board->CurrentPage() : nullptr;
    if (page == nullptr || page->GetSelectedRow() < 0 || m_chartViews == nullptr)
        return;
    SectorRecord sector;
    if (!GetQuoteStore().GetSector(page->GetSectorName(), sector)
        || page->GetSelectedRow() >= static_cast<int>(sector.vecRows.size()))
        return;
    const CString code = sector.vecRows[page->GetSelectedRow()].strCode;
    const CString now = GetServerTime().Format("%Y%m%d %H:%M:%S");
    if (m_chartViews->ReloadTrendBeforeOpen(code, now))
        return;
    QuoteStore& store = GetQuoteStore();
    if (store.SectorContains("沪深", code))
        BuildPeriodBars(code, now, "CSM");
    else if (store.SectorContains("港股", code))
        BuildPeriodBars(code, now, "HKS");
}

namespace {

// The list row of the page that holds the code; -1 when none.
int RowOfCode(CTabQuoteDlg& page, const CString& code)
{
    SectorRecord sector;
    if (!GetQuoteStore().GetSector(page.GetSectorName(), sector))
        return -1;
    const int rows = std::min<int>(page.GetList().GetItemCount(), static_cast<int>(sector.vecRows.size()));
    for (int row = 0; row < rows; ++row)
        if (sector.vecRows[row].strCode == code)
            return row;
    return -1;
}

}  // namespace

// Makes the page current when it is not, then selects, focuses and shows the code's row.
// The page that is left returns to list order, which may move rows: the row is looked up
// after the switch.
bool CVelmoraDlg::SelectRowOfCode(int pageIndex, const CString& code)
{
    CQuoteBoard* board = GetQuoteBoard();
    if (board->CurrentPageIndex() != pageIndex)
    {
        board->Tabs().SetCurSel(pageIndex);
        board->OnTabSelChange();
    }
    CTabQuoteDlg* page = board->Page(pageIndex);
    const int row = page ? RowOfCode(*page, code) : -1;
    if (row < 0)
        return false;
    CListCtrl& list = page->GetList();
    for (int other = list.GetNextItem(-1, LVNI_SELECTED); other >= 0; other = list.GetNextItem(other, LVNI_SELECTED))
        list.SetItemState(other, 0, LVIS_SELECTED | LVIS_FOCUSED);
    list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.EnsureVisible(row, FALSE);
    page->SelectRow(0, row);
    return true;
}

void CVelmoraDlg::PlaceCharts(const CRect& area)
{
    if (m_chartViews)
        m_chartViews->PlaceCharts(area);
}

bool CVelmoraDlg::StopHosts()
{
    return m_chartViews == nullptr || m_chartViews->StopHosts();
}

void CVelmoraDlg::AddHostShutdownStops()
{
    // Never destroyed: a loader left running keeps a live object.
    AddShutdownStop("first K-line loader", SHUTDOWN_LOADERS, [](DWORD) {
        GetFirstKLineLoader().Stop();
        return !GetFirstKLineLoader().IsRunning();
    });
    AddShutdownStop("second K-line loader", SHUTDOWN_LOADERS, [](DWORD) {
        GetSecondKLineLoader().Stop();
        return !GetSecondKLineLoader().IsRunning();
    });
    CChartViews* views = m_chartViews;
    AddShutdownStop("history download", SHUTDOWN_HISTORY,
                    [views](DWORD waitMs) { return views == nullptr || views->StopHistoryDownload(waitMs); });
}

void CVelmoraDlg::RequestMarketData(int view, int period, const CString& start, const CString& end, int flag)
{
    if (m_chartViews)
        m_chartViews->RequestMarketData(view, period, start, end, flag);
}

void CVelmoraDlg::SetChartInstrument(const CString& code)
{
    if (m_chartViews)
        m_chartViews->SetSelectedCode(code);
}

void CVelmoraDlg::SwitchChartsTo(const CString& code)
{
    if (m_chartViews)
        m_chartViews->RequestSwitch(code);
}

void CVelmoraDlg::OnOK()
{
    // The dialog never ends through OK: Enter cycles the views.
    if (m_chartViews)
        m_chartViews->OnEnter();
}

#define TOLVAN_VIEW_HANDLER(name, view, period)                                   \
    LRESULT CVelmoraDlg::name(WPARAM, LPARAM)                                     \
    {                                                                             \
        if (m_chartViews)                                                         \
            m_chartViews->RequestMarketData(view, period, CString(), CString(), 1); \
        return 0;                                                                 \
    }

TOLVAN_VIEW_HANDLER(OnShowQuoteList, VIEW_QUOTE_LIST, m_chartViews->GetPeriod())
TOLVAN_VIEW_HANDLER(OnShowTrend, VIEW_TREND, m_chartViews->GetPeriod())
TOLVAN_VIEW_HANDLER(OnShowDayBars, VIEW_CANDLES, 0)
TOLVAN_VIEW_HANDLER(OnShowWeekBars, VIEW_CANDLES, 5040)
TOLVAN_VIEW_HANDLER(OnShowMonthBars, VIEW_CANDLES, 43200)
TOLVAN_VIEW_HANDLER(OnShowMinute1Bars, VIEW_CANDLES, 1)
TOLVAN_VIEW_HANDLER(OnShowMinute3Bars, VIEW_CANDLES, 3)
TOLVAN_VIEW_HANDLER(OnShowMinute5Bars, VIEW_CANDLES, 5)
TOLVAN_VIEW_HANDLER(OnShowMinute15Bars, VIEW_CANDLES, 15)
TOLVAN_VIEW_HANDLER(OnShowMinute30Bars, VIEW_CANDLES, 30)
TOLVAN_VIEW_HANDLER(OnShowMinute60Bars, VIEW_CANDLES, 60)
#undef TOLVAN_VIEW_HANDLER

LRESULT CVelmoraDlg::OnKeyOpenView(WPARAM wParam, LPARAM)
{
    if (wParam == kKeyEscape)
        OnShowQuoteList(0, 0);
    else
        OnOK();
    return 0;
}

LRESULT CVelmoraDlg::OnSelectInstrument(WPARAM wParam, LPARAM)
{
    const SelectCodeRequest* request = reinterpret_cast<const SelectCodeRequest*>(wParam);
    CQuoteBoard* board = GetQuoteBoard();
    if (m_chartViews == nullptr || request == nullptr || board == nullptr)
        return 0;
    // The first page, in tab order, whose list holds the code.
    for (int pageIndex = 0; pageIndex < board->PageCount(); ++pageIndex)
    {
        CTabQuoteDlg* page = board->Page(pageIndex);
        if (page == nullptr || RowOfCode(*page, request->strCode) < 0)
            continue;
        if (SelectRowOfCode(pageIndex, request->strCode))
            m_chartViews->SelectInstrument(*request);
        return 0;
    }
    return 0;
}

LRESULT CVelmoraDlg::OnQuoteRefresh(WPARAM wParam, LPARAM)
{
    if (m_chartViews)
        m_chartViews->OnQuoteRefresh(reinterpret_cast<const QuoteRow*>(wParam));
    return 0;
}

LRESULT CVelmoraDlg::OnOlderBarsWanted(WPARAM, LPARAM)
{
    if (m_chartViews)
        m_chartViews->OnOlderBarsWanted();
    return 0;
}

LRESULT CVelmoraDlg::OnDepthOff(WPARAM wParam, LPARAM)
{
    if (m_chartViews)
        m_chartViews->OnDepthOff(wParam);
    return 0;
}

LRESULT CVelmoraDlg::OnDepthOn(WPARAM, LPARAM)
{
    if (m_chartViews)
        m_chartViews->OnDepthOn();
    return 0;
}

LRESULT CVelmoraDlg::OnDepthUpdate(WPARAM, LPARAM lParam)
{
    if (m_chartViews)
        m_chartViews->OnDepthUpdate(reinterpret_cast<const DepthBook*>(lParam));
    return 0;
}

LRESULT CVelmoraDlg::OnKLineData(WPARAM wParam, LPARAM lParam)
{
    if (m_chartViews == nullptr)
        return -1;
    return m_chartViews->OnKLineData(reinterpret_cast<const CString*>(wParam),
                                     reinterpret_cast<const KLineBar*>(lParam));
}

LRESULT CVelmoraDlg::OnHostsStatusText(WPARAM, LPARAM lParam)
{
    CString* text = reinterpret_cast<CString*>(lParam);
    if (text == nullptr)
        return 0;
    if (m_chartViews)
        m_chartViews->ShowStatus(*text);
    delete text;
    return 0;
}

LRESULT CVelmoraDlg::OnHistoryDone(WPARAM, LPARAM lParam)
{
    HistoryJob* job = reinterpret_cast<HistoryJob*>(lParam);
    if (m_chartViews)
        m_chartViews->OnHistoryDone(job);
    else
        FreeHistoryJob(job);
    return 0;
}

LRESULT CVelmoraDlg::OnResetDepthWindows(WPARAM, LPARAM lParam)
{
    const CString* code = reinterpret_cast<const CString*>(lParam);
    if (m_chartViews && code)
        m_chartViews->ResetDepthWindows(*code);
    return 0;
}

LRESULT CVelmoraDlg::OnChartLoaded(WPARAM wParam, LPARAM)
{
    if (m_chartViews)
        m_chartViews->OnChartLoaded(static_cast<int>(wParam));
    return 0;
}

LRESULT CVelmoraDlg::OnChartBackToList(WPARAM, LPARAM)
{
    if (m_chartViews)
        m_chartViews->RequestMarketData(VIEW_QUOTE_LIST, 0, CString(), CString(), 1);
    return 0;
}

void CVelmoraDlg::BuildPeriodBars(const CString& code, const CString& quoteTime, const CString& marketKey)
{
    if (m_chartViews)
        m_chartViews->BuildPeriodBars(code, quoteTime, marketKey);
}
