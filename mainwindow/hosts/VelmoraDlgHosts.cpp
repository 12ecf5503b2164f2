// The main window's chart side: view and period requests, the quote and bar merge, the depth
// feed and the instrument switch, all handed to the chart views object.
#include "VelmoraDlg.h"
#include "ChartViews.h"
#include "DepthBook.h"
#include "KLineBar.h"

namespace {

// The key message's wParam of WM_KEY_OPEN_VIEW.
const WPARAM kKeyEscape = 1;

}  // namespace

void CVelmoraDlg::PlaceCharts(const CRect& area)
{
    if (m_chartViews)
        m_chartViews->PlaceCharts(area);
}

void CVelmoraDlg::StopHosts()
{
    if (m_chartViews)
        m_chartViews->StopHosts();
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
    if (m_chartViews && request)
        m_chartViews->SelectInstrument(*request);
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
