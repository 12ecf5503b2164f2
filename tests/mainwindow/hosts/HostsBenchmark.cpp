// The chart side of the main window under load, with the real chart libraries on an Xvfb
// display (run by hand under Wine):
// - 1,000 ticks a second of the shown instrument merged into the open candlestick chart
//   (10 ticks every 10 ms for one second, the windows painting as they go); the counter is
//   the user-interface thread's CPU time as a share of one core;
// - the working set with 10,000 instruments in the quote store while 10 chart windows are
//   opened (each with a 2,000-bar series) and closed in turn; the counters are the working
//   set after the first and after the last window and their difference.
#include "ChartViews.h"
#include "KLineDlg.h"
#include "MainStandIn.h"
#include "MarketTestData.h"
#include "QuoteStore.h"

#include <testsupport/ProcessFigures.h>
#include <testsupport/Pump.h>
#include <testsupport/TestApp.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

namespace {

using tolvan::test::ThreadCpuSeconds;
using tolvan::test::WorkingSetMb;

tolvan::test::TestApp theApp("HostsBenchmark");

const int kInstruments = 10000;
const int kChartWindows = 10;
const int kSeriesBars = 2000;
const int kTicksPerSecond = 1000;
const int kTicksPerStep = 10;

// Day bars of a wave, oldest first, ending the day before the ticks.
HistoryPacket* DaySeries(int bars)
{
    HistoryPacket* packet = new HistoryPacket;
    WickplotBar* last = nullptr;
    CTime day(2019, 1, 1, 0, 0, 0);
    for (int i = 0; i < bars; ++i, day += CTimeSpan(1, 0, 0, 0))
    {
        WickplotBar* bar = new WickplotBar;
        bar->strTime = day.Format("%Y%m%d");
        const double base = 10.0 + 2.0 * sin(i / 25.0);
        const bool up = i % 3 != 0;
        bar->strOpen.Format("%.2f", up ? base : base + 0.2);
        bar->strClose.Format("%.2f", up ? base + 0.2 : base);
        bar->strHigh.Format("%.2f", base + 0.3);
        bar->strLow.Format("%.2f", base - 0.1);
        bar->strVolume.Format("%d", 100000 + (i % 50) * 1000);
        bar->nDirection = BarDirection(bar->strOpen, bar->strClose);
        AppendHistoryBar(*packet, bar, last);
    }
    return packet;
}

// The quote store of the whole program: 10,000 instruments in two sectors.
void FillStore()
{
    static bool filled = false;
    if (filled)
        return;
    filled = true;
    std::vector<SectorRow> stocks;
    std::vector<SectorRow> forex;
    for (int i = 0; i < kInstruments; ++i)
    {
        CString code;
        code.Format(i < kInstruments / 2 ? "6%05d" : "F%05d", i);
        SectorRow row = markettest::MakeRow(code, i % (kInstruments / 2), "10.50");
        row.quote.strPrevClose = "10.00";
        row.quote.strChange = "0.50";
        (i < kInstruments / 2 ? stocks : forex).push_back(row);
    }
    GetQuoteStore().AddSector(markettest::MakeSector("沪深", "CSM_P", stocks));
    GetQuoteStore().AddSector(markettest::MakeSector("外汇现货", "FEC_X", forex));
}

// The views in a stand-in main window, the chart of `code` open on day bars.
struct OpenChart
{
    explicit OpenChart(const char* code)
    {
        views.SetHistoryLoader([](HistoryJob& job) {
            job.nStatus = 3;
            return DaySeries(kSeriesBars);
        });
        views.Create(&main);
        views.PlaceCharts(CRect(0, 0, 1280, 800));
        SelectCodeRequest request;
        request.strCode = code;
        request.nView = VIEW_CANDLES;
        request.nPeriod = 0;
        views.SelectInstrument(request);
        tolvan::test::PumpUntil([this] { return views.GetBusy() == 0 && views.GetKLineHost()->IsLive(); });
        tolvan::test::PumpPending();
    }
    ~OpenChart()
    {
        views.StopHosts();
        views.DestroyHosts();
        tolvan::test::PumpPending();
    }
    ViewsOwnerStandIn owner;
    CChartViews views{owner};
    MainStandIn main{views};
};

void BM_TicksMergedIntoTheOpenChart(benchmark::State& state)
{
    FillStore();
    OpenChart chart("F05000");
    SectorRow stored;
    GetQuoteStore().GetQuoteRow("F05000", stored);
    QuoteRow row = stored.quote;
    row.strQuoteTime = "20261210 14:00:00";
    row.strOpen = "10.10";
    row.strVolumeSinceLast = "100";
    row.nChangeFlags = QUOTE_VOLUME_MOVED | QUOTE_PRICE_MOVED;
    for (auto _ : state)
    {
        const double cpuBefore = ThreadCpuSeconds();
        const DWORD start = ::GetTickCount();
        int sent = 0;
        while (sent < kTicksPerSecond)
        {
            // Ten ticks are due every 10 ms; the thread sleeps on its queue in between.
            const DWORD due = start + static_cast<DWORD>(sent / kTicksPerStep) * 10;
            const DWORD now = ::GetTickCount();
            if (static_cast<int>(due - now) > 0)
            {
                ::MsgWaitForMultipleObjects(0, nullptr, FALSE, due - now, QS_ALLINPUT);
                tolvan::test::PumpPending();
                continue;
            }
            for (int i = 0; i < kTicksPerStep; ++i, ++sent)
            {
                row.strLastPrice.Format("%.2f", 10.0 + (sent % 100) * 0.01);
                row.strHigh = "11.00";
                row.strLow = "9.90";
                row.strVolume.Format("%d", 100000 + sent);
                chart.views.OnQuoteRefresh(&row);
            }
            tolvan::test::PumpPending();
        }
        const double wall = (::GetTickCount() - start) / 1000.0;
        state.counters["ui_cpu_percent"] = (ThreadCpuSeconds() - cpuBefore) * 100.0 / wall;
        state.counters["wall_s"] = wall;
    }
}
BENCHMARK(BM_TicksMergedIntoTheOpenChart)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(false)
    ->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WorkingSetWithChartWindowsOpenedAndClosed(benchmark::State& state)
{
    FillStore();
    for (auto _ : state)
    {
        double first = 0.0;
        double peak = 0.0;
        for (int window = 0; window < kChartWindows; ++window)
        {
            CString code;
            code.Format("6%05d", window * 37);
            {
                OpenChart chart(code);
                peak = std::max(peak, WorkingSetMb());
            }
            if (window == 0)
                first = WorkingSetMb();
        }
        const double last = WorkingSetMb();
        state.counters["ws_first_mb"] = first;
        state.counters["ws_last_mb"] = last;
        state.counters["ws_peak_mb"] = peak;
        state.counters["ws_growth_mb"] = last - first;
    }
}
BENCHMARK(BM_WorkingSetWithChartWindowsOpenedAndClosed)->Iterations(1)->Repetitions(5)
    ->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
