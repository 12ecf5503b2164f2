// The store is called from the user-interface thread, the quote receivers, the download
// callbacks and the console's workers at once. Every copy taken out must be a whole row of
// one batch, never a mix of two.
#include <atomic>
#include <thread>
#include <gtest/gtest.h>
#include "MarketTestData.h"
#include "QuoteStore.h"

using markettest::MakeRows;
using markettest::MakeSector;

namespace {

const int kCodes = 120;
const int kGenerations = 300;

std::vector<QuoteRow> BatchOfGeneration(const std::vector<SectorRow>& rows, int generation)
{
    std::vector<QuoteRow> batch;
    for (const SectorRow& row : rows)
    {
        QuoteRow quote = row.quote;
        quote.strLastPrice.Format("%d.00", generation);
        quote.strVolume.Format("%d", generation);
        quote.strAskPrice[4].Format("%d", generation);
        batch.push_back(quote);
    }
    return batch;
}

// A row is whole when every field written by a batch comes from the same generation.
bool IsWhole(const SectorRow& row)
{
    const QuoteRow& q = row.quote;
    if (q.strVolume.IsEmpty())
        return q.strLastPrice == "1.00" && q.strAskPrice[4].IsEmpty(); // not updated yet
    CString price;
    price.Format("%s.00", q.strVolume.GetString());
    return q.strLastPrice == price && q.strAskPrice[4] == q.strVolume &&
           q.strName == row.strName;
}

TEST(QuoteStoreConcurrency, UpdatesAndCopiesNeverMix)
{
    QuoteStore store;
    std::vector<SectorRow> hs = MakeRows("S", kCodes);
    std::vector<SectorRow> hk = MakeRows("H", kCodes / 2);
    store.SetSelfList({"S1", "H2", "S3"});
    store.AddSector(MakeSector("我的板块", "", {}));
    store.AddSector(MakeSector("沪深", "CSM_P", hs));
    store.AddSector(MakeSector("港股", "HKS_P", hk));
    std::vector<SectorRow> all = hs;
    all.insert(all.end(), hk.begin(), hk.end());

    std::atomic<bool> writerDone{false};
    std::atomic<int> brokenRows{0};
    std::atomic<long> copies{0};

    std::thread writer([&] {
        for (int generation = 1; generation <= kGenerations; ++generation)
            store.UpdateQuotes(BatchOfGeneration(all, generation));
        writerDone = true;
    });
    std::thread sectorReader([&] {
        while (!writerDone)
        {
            std::vector<SectorRecord> sectors;
            store.GetSectors(sectors);
            for (const SectorRecord& sector : sectors)
                for (const SectorRow& row : sector.vecRows)
                    if (!IsWhole(row))
                        ++brokenRows;
            ++copies;
        }
    });
    std::thread rowReader([&] {
        int i = 0;
        while (!writerDone)
        {
            SectorRow row;
            CString code;
            code.Format("S%d", i++ % kCodes);
            if (store.GetQuoteRow(code, row) && !IsWhole(row))
                ++brokenRows;
            ++copies;
        }
    });
    std::thread sorterAndEditor([&] {
        int i = 0;
        while (!writerDone)
        {
            store.SortSector(0, SORT_BY_LAST_PRICE, i % 2);
            CString code;
            code.Format("S%d", 10 + i % 20);
            store.AddToMySector(code);
            store.RemoveFromMySector("我的板块", code);
            OrderStateRecord state;
            state.strOrderKey.Format("K%d", i % 300);
            state.strState = (i % 3 == 0) ? "已成交" : "已提交";
            store.UpdateOrderState(state);
            ++i;
        }
    });
    writer.join();
    sectorReader.join();
    rowReader.join();
    sorterAndEditor.join();

    EXPECT_EQ(0, brokenRows.load());
    EXPECT_GT(copies.load(), 0);

    // The last batch reached every row, and "我的板块" holds exactly the self list again.
    std::vector<SectorRecord> sectors;
    store.GetSectors(sectors);
    for (const SectorRecord& sector : sectors)
        for (const SectorRow& row : sector.vecRows)
            EXPECT_EQ(CString("300.00"), row.quote.strLastPrice) << row.strCode.GetString();
    SectorRecord mine;
    ASSERT_TRUE(store.GetSector("我的板块", mine));
    EXPECT_EQ(3u, mine.vecRows.size());
    EXPECT_LE(store.GetOrderStateCount(), 300);
}

} // namespace
