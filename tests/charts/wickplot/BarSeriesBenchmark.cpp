// Loading a 100,000-bar history: three records per bar, five price and two volume averages
// and the MACD. Each iteration loads a freshly built packet (the load consumes it).
#include "BarSeries.h"
#include "WickplotTestData.h"
#include <benchmark/benchmark.h>

static void BM_LoadHistoryPacket(benchmark::State& state)
{
    const int bars = (int)state.range(0);
    for (auto _ : state)
    {
        state.PauseTiming();
        HistoryPacket* pPacket = MakeWavePacket(bars, "0");
        CBarSeries* pSeries = new CBarSeries;
        state.ResumeTiming();
        pSeries->LoadPacket(pPacket);
        benchmark::DoNotOptimize(pSeries->Macds().back()->dMacd);
        state.PauseTiming();
        delete pSeries;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadHistoryPacket)->Arg(100000)->Unit(benchmark::kMillisecond);

// A live tick on a 100,000-bar chart: only the newest bar is recomputed.
static void BM_MergeTickIntoLongHistory(benchmark::State& state)
{
    CBarSeries series;
    series.LoadPacket(MakeWavePacket(100000, "5"));
    for (auto _ : state)
    {
        WickplotBar* pRecord = new WickplotBar;
        pRecord->strCode = "600000";
        pRecord->strTime = "20991231 00:00:00";
        pRecord->strOpen = pRecord->strHigh = pRecord->strLow = pRecord->strClose = "10.5";
        pRecord->strVolume = "100";
        series.MergeRealTimeBar(pRecord);
    }
}
BENCHMARK(BM_MergeTickIntoLongHistory)->Unit(benchmark::kMicrosecond);
