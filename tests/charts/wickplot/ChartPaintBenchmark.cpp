// Repainting a 1280 by 800 chart after a pan or a zoom with more than 2,000 bars on screen:
// each iteration moves the view, renders the three panels and composes and copies the whole
// picture to a visible window. Per-paint median and 99th percentile are reported as counters.
#include "BarSeries.h"
#include "ChartNavigation.h"
#include "ChartPainter.h"
#include "WickplotTestData.h"
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace
{
const int kWidth = 1280, kHeight = 800;

HWND ScreenWindow()
{
    static HWND hWnd = NULL;
    if (hWnd == NULL)
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = "ChartPaintBenchmark";
        RegisterClassA(&wc);
        hWnd = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0,
                               kWidth, kHeight, NULL, NULL, wc.hInstance, NULL);
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    return hWnd;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    return (to.QuadPart - from.QuadPart) * 1000.0 / frequency.QuadPart;
}

// argument 0: pan by 10 bars back and forth; 1: zoom between 2,000 and 2,200 bars.
void BM_RepaintAfterViewChange(benchmark::State& state)
{
    const bool zoom = state.range(0) == 1;
    HWND hWnd = ScreenWindow();
    HDC hDC = GetDC(hWnd);
    CBarSeries series;
    series.LoadPacket(MakeWavePacket(6000, "0"));
    CChartPainter painter;
    ChartPaintState paint;
    paint.pSeries = &series;
    paint.layout = ChartLayout::Compute(kWidth, kHeight, kLayoutAllPanels);
    paint.nDecimals = 2;
    paint.bCrossShown = true;
    paint.mouse = {600, 200};
    paint.title.strTitle = series.TitleName();
    ChartView& view = paint.view;
    view.nCount = series.Count();
    view.nEnd = view.nCount - 100;
    view.nFirst = view.nEnd - 2100;
    view.nCursor = view.nEnd - 50;

    std::vector<double> times;
    int step = 0;
    for (auto _ : state)
    {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        int sign = (step++ & 1) ? -1 : 1;
        if (zoom)
            view.nFirst -= sign * 200;           // 2,100 <-> 2,300 bars
        else
        {
            view.nFirst += sign * 10;
            view.nEnd += sign * 10;
        }
        series.SetView(view.nFirst, view.nEnd);
        painter.Paint(hDC, paint, true);
        GdiFlush();
        QueryPerformanceCounter(&end);
        double ms = Milliseconds(start, end);
        times.push_back(ms);
        state.SetIterationTime(ms / 1000.0);
    }
    std::sort(times.begin(), times.end());
    if (!times.empty())
    {
        state.counters["median_ms"] = times[times.size() / 2];
        state.counters["p99_ms"] = times[std::min(times.size() - 1, times.size() * 99 / 100)];
        state.counters["bars_shown"] = view.nEnd - view.nFirst;
    }
    ReleaseDC(hWnd, hDC);
}
}

BENCHMARK(BM_RepaintAfterViewChange)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);
