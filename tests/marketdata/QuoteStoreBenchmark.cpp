// Cost of the quote store's two busiest operations beside the cost of merely copying the
// same rows: a quote batch of exactly 5,000 changed rows over 10,000 instruments in 6 sectors,
// and sorting a sector of 5,000 rows from a random order.
#include <benchmark/benchmark.h>
#include <algorithm>
#include <memory>
#include <random>
#include "MarketTestData.h"
#include "QuoteStore.h"

namespace {

struct SectorSize { const char* name; const char* key; const char* prefix; int count; };

// 9,900 instruments in five sectors and 100 of them in "我的板块": 10,000 rows in 6 sectors
const SectorSize kSectors[] = {
    {"沪深", "CSM_P", "6", 5000}, {"港股", "HKS_P", "0", 2000}, {"美股", "NYS_P", "U", 1500},
    {"外汇", "FEC_P", "F", 1000}, {"黄金", "GC_P", "G", 400},
};
const int kSelfCodes = 100;
const int kBatchRows = 5000;

// Deterministic spread of prices and volumes
CString PriceOf(int i, int round)
{
    CString text;
    text.Format("%d.%02d", 1 + (i * 7919 + round * 104729) % 997, (i * 31 + round) % 100);
    return text;
}

QuoteRow QuoteOf(const SectorRow& row, int i, int round)
{
    QuoteRow quote = row.quote;
    quote.strLastPrice = PriceOf(i, round);
    quote.strVolume.Format("%d", 100000 + i * 13 + round);
    quote.strVolumeSinceLast.Format("%d", i % 500);
    quote.strHigh = quote.strLow = quote.strOpen = quote.strLastPrice;
    quote.strBid1Price = quote.strAsk1Price = quote.strLastPrice;
    quote.strBid1Volume = quote.strAsk1Volume = "100";
    quote.strQuoteTime = "20240301093000";
    quote.bChanged = true;
    quote.nChangeFlags = QUOTE_PRICE_MOVED;
    return quote;
}

class MarketFixture
{
public:
    MarketFixture()
    {
        std::vector<SectorRow> all;
        for (const SectorSize& size : kSectors)
        {
            std::vector<SectorRow> rows = markettest::MakeRows(size.prefix, size.count);
            for (size_t i = 0; i < rows.size(); ++i)
                rows[i].quote = QuoteOf(rows[i], int(all.size() + i), 0);
            all.insert(all.end(), rows.begin(), rows.end());
            if (size.count == 5000)
                largeSectorRows = rows;
            if (selfList.empty())
                for (int i = 0; i < kSelfCodes; ++i)
                    selfList.push_back(rows[i * 37].strCode);
            sectors.push_back(markettest::MakeSector(size.name, size.key, rows));
        }
        // 5,000 of the 9,900 instruments change, spread evenly over all sectors
        for (int k = 0; k < kBatchRows; ++k)
        {
            const size_t i = size_t(k) * all.size() / kBatchRows;
            batch.push_back(QuoteOf(all[i], int(i), 1));
        }
    }

    void Fill(QuoteStore& store) const
    {
        store.SetSelfList(selfList);
        store.AddSector(markettest::MakeSector("我的板块", "", {}));
        for (const SectorRecord& sector : sectors)
            store.AddSector(sector);
    }

    std::vector<SectorRecord> sectors;
    std::vector<CString> selfList;
    std::vector<QuoteRow> batch;
    std::vector<SectorRow> largeSectorRows;
};

const MarketFixture& Fixture()
{
    static MarketFixture fixture;
    return fixture;
}

void BM_CopyBatchRows(benchmark::State& state)
{
    const std::vector<QuoteRow>& batch = Fixture().batch;
    for (auto _ : state)
    {
        std::vector<QuoteRow> copy = batch;
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetItemsProcessed(state.iterations() * batch.size());
}
BENCHMARK(BM_CopyBatchRows)->Unit(benchmark::kMicrosecond);

void BM_UpdateQuotes(benchmark::State& state)
{
    QuoteStore store;
    Fixture().Fill(store);
    const std::vector<QuoteRow>& batch = Fixture().batch;
    for (auto _ : state)
        store.UpdateQuotes(batch); // the by-value copy of the batch is part of the call
    state.SetItemsProcessed(state.iterations() * batch.size());
}
BENCHMARK(BM_UpdateQuotes)->Unit(benchmark::kMicrosecond);

void BM_CopySectorRows(benchmark::State& state)
{
    const std::vector<SectorRow>& rows = Fixture().largeSectorRows;
    for (auto _ : state)
    {
        std::vector<SectorRow> copy = rows;
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetItemsProcessed(state.iterations() * rows.size());
}
BENCHMARK(BM_CopySectorRows)->Unit(benchmark::kMicrosecond);

// Each call sorts the 5,000 rows of one sector from a fresh random order, made outside the
// timing; column 3 (last price) reads reals, column 1 (code) compares texts.
void BM_SortSector(benchmark::State& state)
{
    const int column = int(state.range(0));
    std::vector<SectorRow> rows = Fixture().largeSectorRows;
    std::vector<int> listIndexes(rows.size());
    for (size_t i = 0; i < listIndexes.size(); ++i)
        listIndexes[i] = int(i);
    std::mt19937 random(20240614);
    std::unique_ptr<QuoteStore> store;
    for (auto _ : state)
    {
        state.PauseTiming();
        // A new store shows the sector in list order; shuffled list indexes make that order
        // random for the column sorted below.
        std::shuffle(listIndexes.begin(), listIndexes.end(), random);
        for (size_t i = 0; i < rows.size(); ++i)
            rows[i].nListIndex = listIndexes[i];
        store.reset(new QuoteStore);
        store->AddSector(markettest::MakeSector("沪深", "CSM_P", rows, SORT_BY_LIST_INDEX, 1));
        state.ResumeTiming();
        if (!store->SortSector(0, column, 1))
            state.SkipWithError("sector 0 was not sorted");
    }
    state.SetItemsProcessed(state.iterations() * rows.size());
}
BENCHMARK(BM_SortSector)->Arg(SORT_BY_LAST_PRICE)->Arg(SORT_BY_CODE)->Unit(benchmark::kMicrosecond);

} // namespace
