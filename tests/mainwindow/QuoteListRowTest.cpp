// What a quote row shows: texts cut to the symbol's decimals, red rises and green falls
// against the previous close, halted rows, and trading sessions over midnight.
#include "QuoteListRow.h"

#include <gtest/gtest.h>

namespace {

SectorRow Instrument(const char* code, const char* name, const char* start = "",
                     const char* stop = "")
{
    SectorRow row;
    row.strCode = code;
    row.strName = name;
    row.quote.strCode = code;
    row.quote.strName = name;
    row.quote.strStartTime = start;
    row.quote.strStopTime = stop;
    return row;
}

SectorRecord Sector(const char* name, const char* marketKey, const SectorRow& row)
{
    SectorRecord sector;
    sector.strName = name;
    sector.vecRows.push_back(row);
    sector.mapInstruments[row.strCode] = InstrumentRef{ marketKey, name, "" };
    return sector;
}

class QuoteListRowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        store.AddSector(Sector("沪深", "CSM_P", Instrument("600000", "浦发银行")));
        store.AddSector(Sector("原油", "CL_P", Instrument("CL2601", "原油(主力)", "21:00:00", "02:30:00")));
    }
    QuoteRow Quote(const char* last, const char* prevClose) const
    {
        QuoteRow quote;
        quote.strQuoteTime = "2026-12-10 10:00:00";
        quote.strCode = "600000";
        quote.strName = "浦发银行";
        quote.strLastPrice = last;
        quote.strPrevClose = prevClose;
        quote.strChange = "0.5";
        quote.strChangePercent = "5";
        quote.strBid1Price = "10.49";
        quote.strAsk1Price = "9.991";
        quote.strHigh = "10.6";
        quote.strLow = "9.9";
        quote.strOpen = "10";
        quote.strBid1Volume = "300";
        quote.strVolume = "123456";
        return quote;
    }

    QuoteStore store;
    const std::vector<CString> nothingShown;
};

const COLORREF kRed = 0x393CFF, kGreen = 0x00E700, kGrey = 0xE7E7E7, kYellow = 0x00FFFF;

TEST_F(QuoteListRowTest, PricesAreRedAboveAndGreenBelowThePreviousClose)
{
    QuoteListRow rising = BuildQuoteListRow(4, Quote("10.5", "10.00"), nothingShown, store);
    const char* texts[QUOTE_LIST_COLUMNS] = { "5", "600000", "浦发银行", "10.50", "0.50", "300",
                                              "10.49", "9.99", "", "123456", "", "10.60",
                                              "9.90", "10.00", "5.00%", "10.00" };
    for (int column = 0; column < QUOTE_LIST_COLUMNS; ++column)
        EXPECT_EQ(rising.texts[column], texts[column]) << "column " << column;
    const COLORREF colors[QUOTE_LIST_COLUMNS] = { kYellow, kYellow, kYellow, kRed, kRed, kYellow,
                                                  kRed, kGreen, kYellow, kYellow, kYellow, kRed,
                                                  kGreen, kGrey, kRed, kGrey };
    EXPECT_EQ(rising.colors, std::vector<COLORREF>(colors, colors + QUOTE_LIST_COLUMNS));

    QuoteListRow falling = BuildQuoteListRow(0, Quote("9.8", "10.00"), nothingShown, store);
    EXPECT_EQ(falling.colors[3], kGreen);
    EXPECT_EQ(falling.colors[4], kGreen) << "the change follows the last price";
    EXPECT_EQ(falling.colors[14], kGreen);

    QuoteListRow unchanged = BuildQuoteListRow(0, Quote("10", "10.00"), nothingShown, store);
    EXPECT_EQ(unchanged.colors[3], kGrey);

    QuoteRow noPercent = Quote("10.5", "10.00");
    noPercent.strChangePercent = "";
    EXPECT_EQ(BuildQuoteListRow(0, noPercent, nothingShown, store).texts[14], "");
}

TEST_F(QuoteListRowTest, HaltedRowShowsDashesWhateverItsTexts)
{
    QuoteRow quote = Quote("10.5", "10.00");
    quote.nHalted = 1;
    QuoteListRow halted = BuildQuoteListRow(0, quote, nothingShown, store);
    EXPECT_EQ(halted.texts[0], "1");
    EXPECT_EQ(halted.texts[2], "浦发银行");
    for (int column = 3; column < QUOTE_LIST_COLUMNS; ++column)
        EXPECT_EQ(halted.texts[column], "---") << "column " << column;
    EXPECT_EQ(halted.colors,
              std::vector<COLORREF>(kQuoteHaltedColors, kQuoteHaltedColors + QUOTE_LIST_COLUMNS));

    quote.strName = "原油(主力)";
    halted = BuildQuoteListRow(0, quote, nothingShown, store);
    EXPECT_EQ(halted.colors[0], kRed) << "a main contract's head is red";
    EXPECT_EQ(halted.colors[2], kRed);
    quote.nHalted = 0;
    EXPECT_EQ(BuildQuoteListRow(0, quote, nothingShown, store).colors[1], kRed);
}

TEST_F(QuoteListRowTest, SessionsHoldTheirTimesAlsoOverMidnight)
{
    struct Case {
        const char* code;
        const char* time;
        int inSession;
    } cases[] = {
        { "CL2601", "23:30:00", 1 },            // 21:00 to 02:30 runs over midnight
        { "CL2601", "2026-12-11 01:00:00", 1 }, // the date before the blank is dropped
        { "CL2601", "02:30:00", 1 },
        { "CL2601", "03:00:00", 0 },
        { "CL2601", "20:59:59", 0 },
        { "600000", "10:00:00", 1 },
        { "600000", "12:00:00", 0 },
        { "600000", "13:00:00", 1 },
        { "UNKNOWN", "10:00:00", 0 },
    };
    for (const Case& test : cases) {
        QuoteRow quote;
        quote.strCode = test.code;
        quote.strQuoteTime = test.time;
        EXPECT_EQ(IsInTradingSession(quote, store), test.inSession) << test.code << " " << test.time;
    }
}

}  // namespace
