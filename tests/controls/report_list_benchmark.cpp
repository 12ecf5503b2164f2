// The report list as the quote board uses it: 40 visible rows of 16 columns with per-cell
// colours and change marking, repainted in a real window; against a plain FillRect of the
// same area and against a plain window painted the same way (the window system's own cost).
// Run by hand under Xvfb (medians of 5):
//   tools/wine-run.sh build/x86_64/bin/report_list_benchmark.exe --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "ListCtrlEx.h"

#include <testsupport/TestApp.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

const int kRows = 40;
const int kColumns = 16;
const int kColumnWidth = 60;
const int kRowHeight = 20;

struct QuoteBoard {
    QuoteBoard()
    {
        static tolvan::test::TestApp app("ReportListBenchmark");
        INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_WIN95_CLASSES };
        ::InitCommonControlsEx(&controls);
        LPCTSTR windowClass = AfxRegisterWndClass(0, NULL, (HBRUSH)::GetStockObject(BLACK_BRUSH));
        int height = 25 + kRows * kRowHeight + 4;
        host.CreateEx(0, windowClass, "QuoteBoard", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                      CRect(0, 0, kColumns * kColumnWidth + 20, height + 10), NULL, 0);
        list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS,
                    CRect(0, 0, kColumns * kColumnWidth + 4, height), &host, 1);
        font.CreatePointFont(90, "宋体");
        list.SetItemFont(&font);
        list.SetBkColor(RGB(0, 0, 0));
        list.SetFlashBkColor(RGB(0, 0, 160));
        list.SetFlashTextColor(RGB(255, 255, 255));
        list.EnableFlash(TRUE);
        list.SetItemTextFormat(DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
        for (int column = 0; column < kColumns; ++column)
            list.InsertColumn(column, "最新价", LVCFMT_RIGHT, kColumnWidth);
        for (int row = 0; row < kRows; ++row) {
            char text[32];
            std::snprintf(text, sizeof(text), "6%05d", row);
            list.InsertItem(row, text);
            std::vector<COLORREF> colors;
            for (int column = 0; column < kColumns; ++column) {
                colors.push_back(column % 3 == 0 ? RGB(255, 60, 60) : column % 3 == 1 ? RGB(0, 230, 0) : RGB(231, 231, 231));
                if (column > 0) {
                    std::snprintf(text, sizeof(text), "%d.%02d", 10 + row, column);
                    list.SetItemText(row, column, text);
                }
            }
            list.SetRowColors(row, colors);
        }
        list.SetItemHeight(kRowHeight);
        list.UpdateWindow();
        Pump();
    }
    static void Pump()
    {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    // A new price in column 3 of `row`, so the cell is marked as changed.
    void ChangePrice(int row, int tick)
    {
        char text[32];
        std::snprintf(text, sizeof(text), "%d.%02d", 10 + row, tick % 100);
        list.SetItemText(row, 3, text);
    }

    CWnd host;
    CListCtrlEx list;
    CFont font;
};

QuoteBoard& Board()
{
    static std::unique_ptr<QuoteBoard> board(new QuoteBoard());
    return *board;
}

void BM_FullRepaint(benchmark::State& state)
{
    QuoteBoard& board = Board();
    // Every other row shows a changed price (marked until ticks that never come here).
    int tick = 0;
    for (int row = 0; row < kRows; row += 2)
        board.ChangePrice(row, ++tick);
    for (auto _ : state) {
        board.list.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        ::GdiFlush();
    }
    board.Pump();
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

// Pausing the timer costs tens of microseconds under Wine, some of it inside the timed span,
// which is a good part of a one-row repaint: the one-row cases time themselves.
class RepaintTimer
{
public:
    RepaintTimer()
    {
        LARGE_INTEGER frequency;
        ::QueryPerformanceFrequency(&frequency);
        m_frequency = static_cast<double>(frequency.QuadPart);
    }
    void Start() { ::QueryPerformanceCounter(&m_start); }
    double Seconds() const
    {
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - m_start.QuadPart) / m_frequency;
    }

private:
    double m_frequency = 1;
    LARGE_INTEGER m_start = {};
};

void BM_OneChangedRow(benchmark::State& state)
{
    QuoteBoard& board = Board();
    // The owner sets the new price, then the one row is repainted; only the repaint counts
    // (setting the text invalidates the cell, which is dropped first).
    RepaintTimer timer;
    int tick = 0;
    for (auto _ : state) {
        int row = tick % kRows;
        board.ChangePrice(row, ++tick);
        ::ValidateRect(board.list.m_hWnd, NULL);
        timer.Start();
        board.list.RedrawItems(row, row);
        board.list.UpdateWindow();
        ::GdiFlush();
        state.SetIterationTime(timer.Seconds());
    }
    board.Pump();
}
BENCHMARK(BM_OneChangedRow)->UseManualTime()->Unit(benchmark::kMillisecond);

// The floor: filling the same areas with one colour.
void BM_FillRectFullArea(benchmark::State& state)
{
    QuoteBoard& board = Board();
    CRect area(0, 25, kColumns * kColumnWidth, 25 + kRows * kRowHeight);
    HBRUSH brush = ::CreateSolidBrush(RGB(10, 10, 10));
    for (auto _ : state) {
        HDC hDC = ::GetDC(board.list.m_hWnd);
        ::FillRect(hDC, &area, brush);
        ::ReleaseDC(board.list.m_hWnd, hDC);
        ::GdiFlush();
    }
    ::DeleteObject(brush);
    board.Pump();
}
BENCHMARK(BM_FillRectFullArea)->Unit(benchmark::kMillisecond);

void BM_FillRectOneRow(benchmark::State& state)
{
    QuoteBoard& board = Board();
    CRect area(0, 25, kColumns * kColumnWidth, 25 + kRowHeight);
    HBRUSH brush = ::CreateSolidBrush(RGB(10, 10, 10));
    for (auto _ : state) {
        HDC hDC = ::GetDC(board.list.m_hWnd);
        ::FillRect(hDC, &area, brush);
        ::ReleaseDC(board.list.m_hWnd, hDC);
        ::GdiFlush();
    }
    ::DeleteObject(brush);
    board.Pump();
}
BENCHMARK(BM_FillRectOneRow)->Unit(benchmark::kMillisecond);

// The floor of the window system: a plain child window of the list's size in a host like
// the board's, whose class brush fills what is invalidated, painted the same way as the list
// (invalidate, paint at once).
struct PlainWindow {
    PlainWindow()
    {
        LPCTSTR windowClass = AfxRegisterWndClass(0, NULL, (HBRUSH)::GetStockObject(BLACK_BRUSH));
        int height = 25 + kRows * kRowHeight + 4;
        host.CreateEx(0, windowClass, "PlainHost", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                      CRect(0, 0, kColumns * kColumnWidth + 20, height + 10), NULL, 0);
        window.Create(windowClass, "Plain", WS_CHILD | WS_VISIBLE,
                      CRect(0, 0, kColumns * kColumnWidth + 4, height), &host, 1);
        QuoteBoard::Pump();
    }
    ~PlainWindow()
    {
        window.DestroyWindow();
        host.DestroyWindow();
    }
    CWnd host;
    CWnd window;
};

void BM_PlainWindowFullRepaint(benchmark::State& state)
{
    Board();
    PlainWindow plain;
    for (auto _ : state) {
        plain.window.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        ::GdiFlush();
    }
}
BENCHMARK(BM_PlainWindowFullRepaint)->Unit(benchmark::kMillisecond);

void BM_PlainWindowOneRow(benchmark::State& state)
{
    Board();
    PlainWindow plain;
    RepaintTimer timer;
    int tick = 0;
    for (auto _ : state) {
        int row = tick++ % kRows;
        CRect area(0, 25 + row * kRowHeight, kColumns * kColumnWidth, 25 + (row + 1) * kRowHeight);
        ::ValidateRect(plain.window.m_hWnd, NULL);
        timer.Start();
        plain.window.InvalidateRect(&area, TRUE);
        plain.window.UpdateWindow();
        ::GdiFlush();
        state.SetIterationTime(timer.Seconds());
    }
}
BENCHMARK(BM_PlainWindowOneRow)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
