#include <gtest/gtest.h>
#include "MarketTestData.h"
#include "QuoteUpdate.h"
#include "WebQuoteRecord.h"

namespace {

TEST(QuoteRow, NewRowHasQuietFlags)
{
    QuoteRow row;
    EXPECT_EQ(0, row.nHalted);
    EXPECT_FALSE(row.bChanged);
    EXPECT_EQ(0, row.nChangeFlags);
    EXPECT_TRUE(row.strCode.IsEmpty());
    EXPECT_TRUE(row.strBidVolume[4].IsEmpty());
}

TEST(SectorRow, CopyIsDeep)
{
    SectorRow original = markettest::MakeRow("600000", 3, "10.00");
    original.quote.strAskPrice[2] = "10.03";
    original.quote.nHalted = 1;
    SectorRow copy = original;
    original.quote.strLastPrice = "11.00";
    original.quote.strAskPrice[2] = "11.03";
    original.strName = "changed";

    EXPECT_EQ(CString("10.00"), copy.quote.strLastPrice);
    EXPECT_EQ(CString("10.03"), copy.quote.strAskPrice[2]);
    EXPECT_EQ(CString("name-600000"), copy.strName);
    EXPECT_EQ(1, copy.quote.nHalted);
    EXPECT_EQ(3, copy.nListIndex);
}

TEST(WebQuoteRecord, FieldsFollowReplyKeyOrder)
{
    WebQuoteRecord record;
    for (int i = 0; i < WebQuoteRecord::FIELD_COUNT; ++i)
        record.FieldAt(i) = WebQuoteRecord::KeyAt(i);

    EXPECT_EQ(CString("name"), record.strName);
    EXPECT_EQ(CString("pre_close"), record.strPreClose);
    EXPECT_EQ(CString("time"), record.strTime);
    EXPECT_EQ(CString("a1_p"), record.strAskPrice[0]);
    EXPECT_EQ(CString("a1_v"), record.strAskVolume[0]);
    EXPECT_EQ(CString("a5_v"), record.strAskVolume[4]);
    EXPECT_EQ(CString("b1_p"), record.strBidPrice[0]);
    EXPECT_EQ(CString("b3_v"), record.strBidVolume[2]);
    EXPECT_EQ(CString("code"), record.strCode);
    EXPECT_EQ(CString("jggd"), record.strJggd);
    EXPECT_EQ(nullptr, WebQuoteRecord::KeyAt(WebQuoteRecord::FIELD_COUNT));
}

WebQuoteRecord MakeWebQuote(const char* price, const char* preClose, const char* volume)
{
    WebQuoteRecord record;
    record.strCode = "00700";
    record.strName = "腾讯控股";
    record.strPrice = price;
    record.strPreClose = preClose;
    record.strVolume = volume;
    record.strUtime = "2024-03-01/09:30:05";
    record.strStatus = "0";
    record.strMggs = "100";
    record.strJggd = "0.2";
    for (int level = 0; level < QUOTE_DEPTH_LEVELS; ++level)
    {
        record.strAskPrice[level].Format("%d.5", level + 10);
        record.strAskVolume[level].Format("%d", (level + 1) * 100);
        record.strBidPrice[level].Format("%d.4", 9 - level);
        record.strBidVolume[level].Format("%d", (level + 1) * 200);
    }
    return record;
}

TEST(WebQuoteRecord, FillCopiesFieldsAndRequestedDepth)
{
    QuoteRow row;
    row.strAskPrice[3] = "untouched";
    MakeWebQuote("10.5", "10.0", "1000").FillQuoteRow(row, nullptr, 2);

    EXPECT_EQ(CString("2024030109:30:05"), row.strQuoteTime);
    EXPECT_EQ(CString("00700"), row.strCode);
    EXPECT_EQ(CString("腾讯控股"), row.strName);
    EXPECT_EQ(CString("10.5"), row.strAsk1Price);
    EXPECT_EQ(CString("200"), row.strBid1Volume);
    EXPECT_EQ(CString("11.5"), row.strAskPrice[1]);
    EXPECT_EQ(CString("untouched"), row.strAskPrice[3]);
    EXPECT_EQ(CString("0.2"), row.strJggd);
    EXPECT_TRUE(row.bChanged);
    EXPECT_EQ(0, row.nHalted);
}

TEST(WebQuoteRecord, ChangeAndPercent)
{
    struct Case { const char* price; const char* preClose; const char* change; const char* percent; };
    const Case cases[] = {
        {"10.5", "10.0", "0.500000", "5.000000"},
        {"", "10.0", "", ""},        // no last price
        {"10.5", "", "", ""},        // no previous close
        {"10.5", "0", "10.500000", ""}, // a change, but no percent of 0
    };
    for (const Case& c : cases)
    {
        QuoteRow row;
        MakeWebQuote(c.price, c.preClose, "100").FillQuoteRow(row, nullptr, 5);
        EXPECT_EQ(CString(c.change), row.strChange) << c.price << " / " << c.preClose;
        EXPECT_EQ(CString(c.percent), row.strChangePercent) << c.price << " / " << c.preClose;
    }
}

TEST(WebQuoteRecord, HaltedOnlyForStatusThree)
{
    const struct { const char* status; int halted; } cases[] = {{"3", 1}, {"0", 0}, {"", 0}, {"31", 0}};
    for (const auto& c : cases)
    {
        WebQuoteRecord record = MakeWebQuote("1", "1", "1");
        record.strStatus = c.status;
        QuoteRow row;
        record.FillQuoteRow(row, nullptr, 5);
        EXPECT_EQ(c.halted, row.nHalted) << c.status;
    }
}

TEST(WebQuoteRecord, MovementAgainstPreviousQuote)
{
    struct Case
    {
        const char* previousPrice; const char* previousVolume;
        const char* price; const char* volume;
        const char* sinceLast; int flags;
    };
    const Case cases[] = {
        {"10.5", "1000", "10.5", "1500", "500", QUOTE_VOLUME_MOVED},
        {"10.4", "1000", "10.5", "1000", "0", QUOTE_PRICE_MOVED},          // same volume
        {"10.5", "1000", "10.5", "800", "0", 0},                           // a new day
        {"10.5", "0", "10.5", "800", "0", 0},                              // no previous volume
        // Day volumes beyond 2^31 are counted in 64 bits
        {"10.5", "3000000000", "10.6", "3000000500", "500", QUOTE_VOLUME_MOVED | QUOTE_PRICE_MOVED},
        {"10.5", "2147483000", "10.5", "2147484000", "1000", QUOTE_VOLUME_MOVED},
    };
    for (const Case& c : cases)
    {
        QuoteRow previous;
        previous.strLastPrice = c.previousPrice;
        previous.strVolume = c.previousVolume;
        QuoteRow row;
        MakeWebQuote(c.price, "10", c.volume).FillQuoteRow(row, &previous, 5);
        EXPECT_EQ(CString(c.sinceLast), row.strVolumeSinceLast) << c.previousVolume << " -> " << c.volume;
        EXPECT_EQ(c.flags, row.nChangeFlags) << c.previousVolume << " -> " << c.volume;
    }

    QuoteRow first;
    MakeWebQuote("10.5", "10", "1000").FillQuoteRow(first, nullptr, 5);
    EXPECT_EQ(QUOTE_PRICE_MOVED, first.nChangeFlags);
    EXPECT_EQ(CString("0"), first.strVolumeSinceLast);
}

} // namespace
