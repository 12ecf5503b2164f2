// Cost on the user-interface thread of the quote board under a full quote stream: 20,000
// ticks a second arrive as one batch of 2,000 updates every 100 ms, over 10,000 instruments
// in 6 sectors, while a page of 40 visible rows is shown. Each iteration applies one batch
// to the store and the page and paints the page, as the main window does; the counters give
// the thread's CPU time per batch as a share of the 100 ms cycle and the process's working
// set with every instrument loaded. BM_QuoteStreamToScreen (further down) feeds the same board
// from a quote server over loopback TCP instead. Run by hand under Wine on an Xvfb display.
#include "QuoteBoard.h"

#include "PositionBook.h"
#include "QuoteStore.h"
#include "TradePanelText.h"
#include "TabQuoteDlg.h"

#include "ConnectionRegistry.h"
#include "ListPaintProbe.h"
#include "MarketDataMessages.h"
#include "Network.h"
#include "QuoteReceiver.h"
#include "QuoteStreamFeeder.h"
#include "ReceiverHost.h"
#include "ReplyMessages.h"
#include "ServerSession.h"
#include "SessionData.h"

#include <testsupport/ProcessFigures.h>
#include <testsupport/Pump.h>
#include <testsupport/Screenshot.h>
#include <testsupport/TestApp.h>

#include <benchmark/benchmark.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>

namespace {

using tolvan::test::ThreadCpuSeconds;

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

// The main window's side: positions held in some of the quoted instruments follow their
// prices, and every position row is written again (as the trade panel gets it) when one
// moved; no chart.
struct HoldingOwner : IQuoteBoardOwner
{
    void CollectHeldCodes(std::vector<CString>&, std::vector<CString>& held) override
    {
        for (const PositionEntry& position : positions.Entries())
            held.push_back(position.Code());
    }
    void ResendPositionRows() override { WriteRows(); }
    CString ShownChartCode() override { return CString(); }
    void OnBoardQuote(const QuoteUpdate& update, bool) override
    {
        if (positions.Revalue(update.rowLatest.strCode, update.rowLatest.strLastPrice))
            WriteRows();
    }
    void SwitchToInstrument(const CString&) override {}

    void Hold(const CString& code)
    {
        PositionEntry entry;
        const CString texts[PositionEntry::kTextCount] = {"测试股份", code, "0", "1000", "20.00", "---", "1", "CNY"};
        std::copy(texts, texts + PositionEntry::kTextCount, entry.texts);
        positions.Add(entry);
    }
    void WriteRows()
    {
        for (const PositionEntry& position : positions.Entries())
            rowTexts.push_back(tradepanel::PositionRowText(position.texts, position.closing));
        rowTexts.clear();
    }

    CPositionBook positions;
    std::vector<CString> rowTexts;
};
const int kPositions = 20;

class BoardFixture
{
public:
    BoardFixture()
    {
        INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_WIN95_CLASSES };
        ::InitCommonControlsEx(&controls);
        main.CreateEx(0, "STATIC", "board benchmark", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                      CRect(0, 0, 1600, 1000), nullptr, 0);
        board.reset(new CQuoteBoard(main, owner, store, QuoteFetchers()));
        board->Create();
        board->Place(CRect(0, 0, 1600, kRowHeight * (kVisibleRows + 1) + 25 + 4));
        board->CreateMySector();
        for (const SectorSize& size : kSectors)
            Load(size);
        for (int i = 0; i < kSelfCodes; ++i)
            store.AddToMySector(codes[i * 37 % codes.size()]);
        for (int i = 0; i < kPositions; ++i)
            owner.Hold(codes[i * 491 % codes.size()]);
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
    HoldingOwner owner;
    QuoteStore& store = GetQuoteStore();  // the program's store, which the list rows consult
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
    state.counters["working_set_MB"] = tolvan::test::WorkingSetMb();
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

namespace {

// The same board fed over the quote stream: a quote server on loopback ticks 20,000 quotes a
// second in the simulator's wire form to the program's quote receiver, whose batches reach the
// board through a stand-in main window (WM_QUOTE_BATCH) on this thread, with the visible-row
// polling timer of the main window running. Measured per run of the given seconds:
// - lost_ticks: quotes sent less last-price changes received in the batches; and
//   price_mismatches: store rows whose last price differs from the last one sent;
// - ui_cpu_pct: this thread's CPU time (GetThreadTimes) over the run as a share of one core;
// - tick_to_screen_p50/p99/max_ms: from the moment the server handed a quote of a visible
//   row to the socket to the end of the list's paint after which that row shows its price
//   (read back from the list after every WM_PAINT); tick_to_board_p99_ms is the part until
//   the batch reaches the board, batches how many batches the board took;
// - working_set_MB with every instrument loaded and the stream running.
const int kQuotesPerSecond = 20000;
const UINT kPollTimer = 1;
const UINT kPollEveryMs = 2000;
const char kUserName[] = "80001";

long long Counter()
{
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double CounterMs(long long ticks)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return ticks * 1000.0 / frequency.QuadPart;
}

int Cents(const CString& price)
{
    return static_cast<int>(std::llround(atof(price) * 100.0));
}

double Percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t at = std::min(values.size() - 1, static_cast<size_t>(share * values.size()));
    return values[at];
}

class StreamFixture : public IReceiverHost
{
public:
    explicit StreamFixture(BoardFixture& board)
        : m_board(board), m_watched(VisibleCodes(board)), m_feeder(ListedCodes(board), m_watched),
          m_shown(m_watched.size(), 0)
    {
        for (size_t code = 0; code < m_board.codes.size(); ++code)
            m_codeIndex.emplace(m_board.codes[code], code);
        CreateHostWindow();
        GetSessionData().m_strUserName = kUserName;
        GetSessionData().SetPassword("a123456");
        CString entry;
        entry.Format("BENCH|title|TRD|127.0.0.1|%d|1|1|SIM|0|||", m_feeder.Port());
        CServerSession* session = new CServerSession;
        session->Open(ServerRecord(entry), false, m_sessionData);
        m_registry.Register(session);
        m_receiver.reset(new CQuoteReceiver(*this, session->GetConnection()));
        m_receiver->Start();
        session->GetConnection()->Connect();
        bool loggedIn = false;
        tolvan::test::WhilePumping([&] { loggedIn = m_feeder.AcceptAndLogIn(kUserName, 30000); });
        if (!loggedIn || !tolvan::test::PumpUntil([&] { return m_contractsArrived && m_receiver->GetQuoteDownFlag() == 0; }))
            throw std::runtime_error("the quote connection did not log in");
        m_probe.reset(new ListPaintProbe(List().GetSafeHwnd(), [this] { ReadShownPrices(); }));
        ::SetTimer(m_window, kPollTimer, kPollEveryMs, nullptr);
    }

    ~StreamFixture() override
    {
        ::KillTimer(m_window, kPollTimer);
        m_probe.reset();
        m_feeder.Join();
        bool stopped = false;
        tolvan::test::WhilePumping([&] { stopped = m_receiver->Stop(5000); });
        m_receiver.reset();
        ::DestroyWindow(m_window);
    }

    HWND GetMainWindow() override { return m_window; }
    CReplySlots& GetReplySlots() override { return m_slots; }
    bool SetPendingQuery(int) override { return true; }
    void ResetQueryTimeout() override {}
    double GetContractMultiplier(LPCTSTR) override { return 1.0; }

    struct RunFigures
    {
        long long sent = 0;
        long long received = 0;
        int priceMismatches = 0;
        long long batches = 0;
        std::vector<double> arrivalsMs;
        double uiCpuPercent = 0;
        std::vector<double> latenciesMs;
        double seconds = 0;
    };

    RunFigures Run(double seconds)
    {
        RunFigures figures;
        m_received = 0;
        m_batches = 0;
        m_latencies.clear();
        m_arrivals.clear();
        ReadShownPrices(false);
        m_runStart = Counter();
        const double cpuBefore = ThreadCpuSeconds();
        m_feeder.Start(kQuotesPerSecond, seconds);
        const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000) + 30000;
        while (!(m_feeder.IsDone() && m_received >= m_feeder.SentCount()) && ::GetTickCount64() < deadline)
            PumpOnce();
        // The paint of the last batch.
        PumpOnce();
        figures.uiCpuPercent = (ThreadCpuSeconds() - cpuBefore) * 100.0 / (CounterMs(Counter() - m_runStart) / 1000.0);
        m_feeder.Join();
        figures.seconds = CounterMs(Counter() - m_runStart) / 1000.0;
        figures.sent = m_feeder.SentCount();
        figures.received = m_received;
        figures.priceMismatches = PriceMismatches();
        figures.latenciesMs = m_latencies;
        figures.arrivalsMs = m_arrivals;
        figures.batches = m_batches;
        return figures;
    }

    // The page as the last run left it, in <build>\test-artifacts\board_stream.png.
    void SaveScreenshot()
    {
        char path[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string root(path);
        root = root.substr(0, root.find_last_of('\\'));
        root = root.substr(0, root.find_last_of('\\') + 1) + "test-artifacts";
        ::CreateDirectoryA(root.c_str(), nullptr);
        tolvan::test::Screenshot::CaptureClient(m_board.board->CurrentPage()->GetSafeHwnd())
            .SavePng(root + "\\board_stream.png");
    }

private:
    static std::vector<CString> VisibleCodes(BoardFixture& board)
    {
        CListCtrlEx& list = board.board->CurrentPage()->GetList();
        std::vector<CString> codes;
        for (int row = std::max(0, list.GetTopIndex()); row < list.GetVisibleEnd(); ++row)
            codes.push_back(list.GetItemText(row, 1));
        return codes;
    }

    // The codes of the listed sectors ("我的板块" repeats some of them).
    static std::vector<CString> ListedCodes(BoardFixture& board) { return board.codes; }

    CListCtrlEx& List() { return m_board.board->CurrentPage()->GetList(); }

    void CreateHostWindow()
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &StreamFixture::HostProcedure;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "BoardBenchmarkHost";
        ::RegisterClassA(&windowClass);
        m_window = ::CreateWindowA("BoardBenchmarkHost", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   windowClass.hInstance, nullptr);
        ::SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }

    static LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        StreamFixture* fixture = reinterpret_cast<StreamFixture*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (fixture == nullptr)
            return ::DefWindowProcA(window, message, wParam, lParam);
        switch (message) {
        case WM_QUOTE_BATCH:
            if (wParam != 0)
                fixture->OnQuoteBatch(*reinterpret_cast<const QuoteBatch*>(wParam));
            return 0;
        case WM_QUOTE_CONNECTION_DATA:
            fixture->m_contractsArrived = true;
            return 0;
        case WM_TIMER:
            if (wParam == kPollTimer)
                fixture->m_board.board->RefreshPolling(1);
            return 0;
        }
        return ::DefWindowProcA(window, message, wParam, lParam);
    }

    // As the main window does, plus a count of the quotes whose new last price arrived.
    void OnQuoteBatch(const QuoteBatch& batch)
    {
        for (const QuoteUpdate& update : batch)
            for (const QuoteRow& tick : update.vecTicks)
                if ((tick.nChangeFlags & QUOTE_PRICE_MOVED) != 0)
                    ++m_received;
        NoteArrivals(batch);
        m_board.board->ApplyQuoteBatch(batch);
        ++m_batches;
    }

    // The part of tick-to-screen spent before the board: send to the batch's arrival.
    void NoteArrivals(const QuoteBatch& batch)
    {
        const long long arrivedAt = Counter();
        for (const QuoteUpdate& update : batch) {
            const int watched = m_feeder.WatchedIndexOf(update.rowLatest.strCode);
            if (watched < 0)
                continue;
            const long long sentAt = m_feeder.SendTimeOf(static_cast<size_t>(watched), Cents(update.rowLatest.strLastPrice));
            if (sentAt > m_runStart)
                m_arrivals.push_back(CounterMs(arrivedAt - sentAt));
        }
    }

    // Waits for the next message (as the main window's loop does), then empties the queue.
    void PumpOnce()
    {
        ::MsgWaitForMultipleObjectsEx(0, nullptr, 50, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        tolvan::test::PumpPending();
    }

    // After a paint: a visible row whose price changed shows the quote sent with that price.
    void ReadShownPrices(bool timed = true)
    {
        const long long paintedAt = Counter();
        CListCtrlEx& list = List();
        for (int row = std::max(0, list.GetTopIndex()); row < list.GetVisibleEnd(); ++row) {
            const int watched = m_feeder.WatchedIndexOf(list.GetItemText(row, 1));
            const int cents = Cents(list.GetItemText(row, 3));
            if (watched < 0 || cents == m_shown[watched])
                continue;
            m_shown[watched] = cents;
            const long long sentAt = m_feeder.SendTimeOf(static_cast<size_t>(watched), cents);
            if (timed && sentAt > m_runStart)
                m_latencies.push_back(CounterMs(paintedAt - sentAt));
        }
    }

    // Rows of every sector whose last price is not the last one sent for the code.
    int PriceMismatches()
    {
        std::vector<SectorRecord> sectors;
        m_board.store.GetSectors(sectors);
        int mismatches = 0;
        for (const SectorRecord& sector : sectors)
            for (const SectorRow& row : sector.vecRows) {
                auto code = m_codeIndex.find(row.strCode);
                if (code == m_codeIndex.end())
                    continue;
                const int sent = m_feeder.LastCents(code->second);
                if (sent != 0 && Cents(row.quote.strLastPrice) != sent)
                    ++mismatches;
            }
        return mismatches;
    }

    BoardFixture& m_board;
    std::vector<CString> m_watched;
    QuoteStreamFeeder m_feeder;
    std::vector<int> m_shown;                  // per watched code: cents on screen
    std::map<CString, size_t> m_codeIndex;
    HWND m_window = nullptr;
    CReplySlots m_slots;
    CSessionData m_sessionData;
    CConnectionRegistry m_registry;
    std::unique_ptr<CQuoteReceiver> m_receiver;
    std::unique_ptr<ListPaintProbe> m_probe;
    bool m_contractsArrived = false;
    long long m_received = 0;
    long long m_batches = 0;
    std::vector<double> m_arrivals;
    long long m_runStart = 0;
    std::vector<double> m_latencies;
};

StreamFixture& Stream()
{
    static StreamFixture stream(Fixture());
    return stream;
}

// Argument: seconds of streaming per run. One iteration is one run.
void BM_QuoteStreamToScreen(benchmark::State& state)
{
    StreamFixture& stream = Stream();
    StreamFixture::RunFigures figures;
    for (auto _ : state) {
        figures = stream.Run(static_cast<double>(state.range(0)));
        state.SetIterationTime(figures.seconds);
    }
    stream.SaveScreenshot();
    state.counters["quotes_sent"] = static_cast<double>(figures.sent);
    state.counters["lost_ticks"] = static_cast<double>(figures.sent - figures.received);
    state.counters["price_mismatches"] = figures.priceMismatches;
    state.counters["ui_cpu_pct"] = figures.uiCpuPercent;
    state.counters["screen_samples"] = static_cast<double>(figures.latenciesMs.size());
    state.counters["tick_to_screen_p50_ms"] = Percentile(figures.latenciesMs, 0.50);
    state.counters["tick_to_screen_p99_ms"] = Percentile(figures.latenciesMs, 0.99);
    state.counters["tick_to_screen_max_ms"] = Percentile(figures.latenciesMs, 1.0);
    state.counters["tick_to_board_p99_ms"] = Percentile(figures.arrivalsMs, 0.99);
    state.counters["batches"] = static_cast<double>(figures.batches);
    state.counters["working_set_MB"] = tolvan::test::WorkingSetMb();
    state.counters["peak_working_set_MB"] = tolvan::test::PeakWorkingSetMb();
}
BENCHMARK(BM_QuoteStreamToScreen)->Arg(10)->Arg(60)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
