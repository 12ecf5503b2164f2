// Cost on the user-interface thread of the quote board under a full quote stream: 20,000
// ticks a second arrive as one batch of 2,000 updates every 100 ms, over 10,000 instruments
// in 6 sectors, while a page of 40 visible rows is shown. Each iteration applies one batch
// to the store and the page and paints the page, as the main window does; the counters give
// the thread's CPU time per batch as a share of the 100 ms cycle and the process's working
// set with every instrument loaded. Run by hand under Wine on an Xvfb display.
#include "QuoteBoard.h"

#include "QuoteStore.h"
#include "TabQuoteDlg.h"

#include <testsupport/TestApp.h>

#include <benchmark/benchmark.h>
#include <commctrl.h>
#include <psapi.h>

#include <memory>
#include <random>

namespace {

tolvan::test::TestApp theApp("BoardBenchmark");

const int kBatchUpdates = 2000;    // 20,000 ticks a second in 100 ms cycles
const double kCycleSeconds = 0.1;
const int kVisibleRows = 40;
const int kRowHeight = 22;         // the quote page's rows and header

struct SectorSize { int market; const char* name; const char* key; char prefix; int count; };

// 9,800 listed instruments in five sectors and 200 of them in "我的板块".
const SectorSize kSectors[] = {
    { 1, "沪深", "CSM_P", '6', 5000 }, { 0, "港股", "HKS_P", '0', 2500 },
    { -1, "外汇现货", "FEC", 'F', 1200 }, { -1, "原油期货", "CL", 'C', 600 },
    { -1, "黄金期货", "GC", 'G', 500 },
};
const int kSelfCodes = 200;

CString CodeOf(char prefix, int i)
{
    CString code;
    code.Format("%c%05d", prefix, i);
    return code;
}

double ThreadCpuSeconds()
{
    FILETIME created, exited, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return (ticks(kernel) + ticks(user)) / 1e7;
}

class BoardFixture
{
public:
    BoardFixture()
    {
        INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_WIN95_CLASSES };
        ::InitCommonControlsEx(&controls);
        main.CreateEx(0, "STATIC", "board benchmark", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                      CRect(0, 0, 1600, 1000), nullptr, 0);
        board.reset(new CQuoteBoard(main, store, QuoteFetchers()));
        board->Create();
        board->Place(CRect(0, 0, 1600, kRowHeight * (kVisibleRows + 1) + 25 + 4));
        board->CreateMySector();
        for (const SectorSize& size : kSectors)
            Load(size);
        for (int i = 0; i < kSelfCodes; ++i)
            store.AddToMySector(codes[i * 37 % codes.size()]);
        board->ShowSector(MY_SECTOR_NAME);
        board->ShowSector("沪深");
        Pump();
    }

    void Load(const SectorSize& size)
    {
        if (size.market >= 0) {
            std::vector<MarketListItem> items;
            for (int i = 0; i < size.count; ++i) {
                CString index;
                index.Format("%d", i);
                items.push_back(MarketListItem{ index, CodeOf(size.prefix, i), "测试股份", "", "" });
                codes.push_back(items.back().strCode);
            }
            board->ApplyMarketList(size.market, items);
            return;
        }
        std::map<CString, ContractRecord> contracts;
        for (int i = 0; i < size.count; ++i) {
            const CString code = CodeOf(size.prefix, i);
            contracts[code].strName = "测试合约";
            codes.push_back(code);
        }
        const CString texts[3] = { size.key, size.name, "" };
        board->ApplySectorData(texts, &contracts);
    }

    // A batch of updates of random codes (a code at most once), prices moved by the round.
    QuoteBatch MakeBatch(std::mt19937& random, int round)
    {
        std::vector<CString> picked = codes;
        std::shuffle(picked.begin(), picked.end(), random);
        QuoteBatch batch;
        batch.reserve(kBatchUpdates);
        for (int i = 0; i < kBatchUpdates; ++i) {
            QuoteRow quote;
            quote.strCode = picked[i];
            quote.strQuoteTime = "20261210 10:30:00";
            quote.strLastPrice.Format("%d.%02d", 10 + (i + round) % 40, (i * 7 + round) % 100);
            quote.strPrevClose = "30.00";
            quote.strChange.Format("%f", atof(quote.strLastPrice) - 30.0);
            quote.strChangePercent.Format("%f", (atof(quote.strLastPrice) - 30.0) / 0.3);
            quote.strBid1Price = quote.strAsk1Price = quote.strHigh = quote.strLow = quote.strOpen = quote.strLastPrice;
            quote.strBid1Volume.Format("%d", 100 + round % 50);
            quote.strAsk1Volume.Format("%d", 200 + i % 50);
            quote.strVolume.Format("%d", 100000 + round * 10 + i);
            quote.strVolumeSinceLast = "10";
            quote.nChangeFlags = QUOTE_PRICE_MOVED | QUOTE_VOLUME_MOVED;
            quote.bChanged = true;
            batch.emplace_back(quote);
        }
        return batch;
    }

    void Pump()
    {
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }

    CWnd main;
    QuoteStore store;
    std::unique_ptr<CQuoteBoard> board;
    std::vector<CString> codes;
};

BoardFixture& Fixture()
{
    static BoardFixture fixture;
    return fixture;
}

void BM_QuoteBatchOnTheBoard(benchmark::State& state)
{
    BoardFixture& fixture = Fixture();
    std::mt19937 random(20261210);
    std::vector<QuoteBatch> batches;
    for (int round = 0; round < 8; ++round)
        batches.push_back(fixture.MakeBatch(random, round));
    HWND list = fixture.board->CurrentPage()->GetList().GetSafeHwnd();
    size_t next = 0;
    double cpu = 0;
    for (auto _ : state) {
        const double before = ThreadCpuSeconds();
        fixture.board->ApplyQuoteBatch(batches[next++ % batches.size()]);
        ::UpdateWindow(list);  // the paint that shows the new figures
        cpu += ThreadCpuSeconds() - before;
    }
    state.counters["visible_rows"] = fixture.board->CurrentPage()->GetList().GetVisibleEnd()
                                     - fixture.board->CurrentPage()->GetList().GetTopIndex();
    state.counters["ui_cpu_share_of_cycle"] = cpu / state.iterations() / kCycleSeconds;
    PROCESS_MEMORY_COUNTERS memory = { sizeof(memory) };
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof(memory));
    state.counters["working_set_MB"] = memory.WorkingSetSize / (1024.0 * 1024.0);
    std::vector<SectorRecord> sectors;
    fixture.store.GetSectors(sectors);
    size_t rows = 0;
    for (const SectorRecord& sector : sectors)
        rows += sector.vecRows.size();
    state.counters["store_rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_QuoteBatchOnTheBoard)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// Parts of the batch for comparison: the store's update alone, a copy of the shown sector.
void BM_StoreUpdateAlone(benchmark::State& state)
{
    BoardFixture& fixture = Fixture();
    std::mt19937 random(7);
    std::vector<std::vector<QuoteRow>> batches;
    for (int round = 0; round < 8; ++round) {
        std::vector<QuoteRow> rows;
        for (const QuoteUpdate& update : fixture.MakeBatch(random, round))
            rows.push_back(update.rowLatest);
        batches.push_back(rows);
    }
    size_t next = 0;
    for (auto _ : state)
        fixture.store.UpdateQuotes(batches[next++ % batches.size()]);
}
BENCHMARK(BM_StoreUpdateAlone)->Unit(benchmark::kMillisecond);

void BM_ShownSectorCopy(benchmark::State& state)
{
    BoardFixture& fixture = Fixture();
    for (auto _ : state) {
        SectorRecord sector;
        fixture.store.GetSector("沪深", sector);
        benchmark::DoNotOptimize(sector.vecRows.data());
    }
}
BENCHMARK(BM_ShownSectorCopy)->Unit(benchmark::kMillisecond);

void BM_PaintShownPage(benchmark::State& state)
{
    BoardFixture& fixture = Fixture();
    CListCtrlEx& list = fixture.board->CurrentPage()->GetList();
    for (auto _ : state) {
        list.Invalidate(FALSE);
        list.UpdateWindow();
    }
}
BENCHMARK(BM_PaintShownPage)->Unit(benchmark::kMillisecond);

}  // namespace
