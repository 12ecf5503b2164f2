// The quote stream of a quote connection: contract list, login answer and tick records turned
// into quote rows and the per-cycle quote batch.
#include <gtest/gtest.h>

#include "QuoteStreamParser.h"
#include "ReplyMessages.h"
#include "ReplyTestSupport.h"

using replytest::Text;
using tolvan::test::RecordingWindow;

namespace {

NetMessage Message(const char* text, const char* time = "20240614 10:30:00")
{
    NetMessage message;
    message.strTime = time;
    message.strText = text;
    return message;
}

class QuoteStreamParserTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Parse("loginresult@status:1#name:80001#opentime:06:00#stoptime:24:00#@");
        Parse("contractlist@[contractlist|FEC|外汇现货-FX][XAUUSD|伦敦金|2|FX][EURUSD|欧元美元|5]#@");
    }

    void Parse(const char* text, const char* time = "20240614 10:30:00")
    {
        parser.ParseMessage(Message(text, time), quoteDown, "80001", window);
    }
    // One cycle: the messages, then the batch.
    QuoteBatch Cycle(std::initializer_list<const char*> texts)
    {
        parser.BeginCycle();
        for (const char* text : texts)
            Parse(text);
        QuoteBatch batch;
        parser.BuildBatch(batch, quoteDown);
        return batch;
    }

    RecordingWindow window;
    CQuoteStreamParser parser;
    int quoteDown = 1;
};

TEST_F(QuoteStreamParserTest, ContractListCreatesQuietRowsAndReportsTheContracts)
{
    EXPECT_EQ(0, quoteDown);  // the login answer named the user
    const CQuoteStreamParser::ContractMap& contracts = parser.GetContracts();
    ASSERT_EQ(2u, contracts.size());
    EXPECT_EQ(CString("伦敦金"), contracts.at("XAUUSD").strName);
    EXPECT_EQ(2, contracts.at("XAUUSD").nNumber);
    EXPECT_EQ(CString("FX"), contracts.at("XAUUSD").strExtra);
    EXPECT_EQ(CString("NULL"), contracts.at("EURUSD").strExtra);
    EXPECT_EQ(CString("FEC"), parser.GetContractTexts()[0]);
    EXPECT_EQ(CString("外汇现货"), parser.GetContractTexts()[1]);
    EXPECT_EQ(CString("FX"), parser.GetContractTexts()[2]);

    const QuoteRow& row = parser.GetRows().at("XAUUSD");
    EXPECT_EQ(CString("06:00"), row.strStartTime);
    EXPECT_EQ(CString("24:00"), row.strStopTime);
    EXPECT_FALSE(row.bChanged);
    EXPECT_TRUE(Cycle({}).empty());

    ASSERT_EQ(1u, window.Count(WM_QUOTE_CONNECTION_DATA));
    EXPECT_EQ((WPARAM)parser.GetContractTexts(), window.Last(WM_QUOTE_CONNECTION_DATA).wParam);
    EXPECT_EQ((LPARAM)&contracts, window.Last(WM_QUOTE_CONNECTION_DATA).lParam);

    // A list without its "contractlist" entry adds contracts and keeps the three texts.
    Parse("contractlist@[CL2409|美原油2409|2|NYMEX][x|y]#@");
    EXPECT_EQ(3u, parser.GetContracts().size());
    EXPECT_EQ(CString("FEC"), parser.GetContractTexts()[0]);
}

TEST_F(QuoteStreamParserTest, TicksOfOneCycleTravelWithTheLatestRow)
{
    QuoteBatch batch = Cycle({"[XAUUSD][closePrice=2300.00]@[XAUUSD][lP=2318.40]@#@",
                              "[XAUUSD][lP=2320.00]@[XAUUSD][bP=2319.90]@[XAUUSD][volume=0]@[NOPE][lP=1]@#@"});
    ASSERT_EQ(1u, batch.size());
    const QuoteUpdate& update = batch[0];
    EXPECT_EQ(CString("2320.00"), update.rowLatest.strLastPrice);
    EXPECT_EQ(CString("2319.90"), update.rowLatest.strBid1Price);
    EXPECT_EQ(CString("伦敦金"), update.rowLatest.strName);
    EXPECT_EQ(CString("20240614 10:30:00"), update.rowLatest.strQuoteTime);
    EXPECT_EQ(CString("20.000000"), update.rowLatest.strChange);
    EXPECT_EQ(CString("0.869565"), update.rowLatest.strChangePercent);
    EXPECT_EQ(0, update.rowLatest.nHalted);
    // Only the two price moves made tick rows; the bid and the unmoved volume did not.
    ASSERT_EQ(2u, update.vecTicks.size());
    EXPECT_EQ(CString("2318.40"), update.vecTicks[0].strLastPrice);
    EXPECT_EQ(CString("2320.00"), update.vecTicks[1].strLastPrice);
    EXPECT_EQ(QUOTE_PRICE_MOVED, update.vecTicks[1].nChangeFlags);

    // The next cycle: nothing changed, nothing sent.
    EXPECT_EQ(1u, Cycle({"[EURUSD][junk]@#@"}).size());  // a record without a key still marks the row
    EXPECT_TRUE(Cycle({}).empty());
}

TEST_F(QuoteStreamParserTest, TickRulesOfEveryField)
{
    Cycle({"[XAUUSD][volume=100]@[XAUUSD][volume=90]@[XAUUSD][volume=150]@"});
    const QuoteRow& row = parser.GetRows().at("XAUUSD");
    EXPECT_EQ(CString("150"), row.strVolume);
    EXPECT_EQ(CString("60"), row.strVolumeSinceLast);

    QuoteBatch batch = Cycle({"[XAUUSD][volume=150]@"});
    EXPECT_EQ(CString("0"), batch.at(0).rowLatest.strVolumeSinceLast);
    EXPECT_TRUE(batch.at(0).vecTicks.empty());

    // An unset low follows the first price, then only lower ones; the high only higher ones.
    Cycle({"[EURUSD][lP=1.08000]@[EURUSD][lP=1.07000]@[EURUSD][lP=1.09000]@"});
    EXPECT_EQ(CString("1.07000"), parser.GetRows().at("EURUSD").strLow);
    EXPECT_EQ(CString("1.09000"), parser.GetRows().at("EURUSD").strHigh);

    // Negative values clear a field; a negative price keeps high and low.
    Cycle({"[EURUSD][lP=-1]@[EURUSD][bS=-5]@[EURUSD][aP=-0.1]@[EURUSD][volume=-3]@"
           "[EURUSD][openPrice=1.0800]@[EURUSD][startTime=07:00]@[EURUSD][stopTime=05:00]@"});
    const QuoteRow& eur = parser.GetRows().at("EURUSD");
    EXPECT_EQ(CString(""), eur.strLastPrice);
    EXPECT_EQ(CString("1.07000"), eur.strLow);
    EXPECT_EQ(CString(""), eur.strBid1Volume);
    EXPECT_EQ(CString(""), eur.strAsk1Price);
    EXPECT_EQ(CString(""), eur.strVolume);
    EXPECT_EQ(CString("0"), eur.strVolumeSinceLast);
    EXPECT_EQ(CString("1.0800"), eur.strOpen);
    EXPECT_EQ(CString("07:00"), eur.strStartTime);
    EXPECT_EQ(CString("05:00"), eur.strStopTime);
    EXPECT_EQ(CString(""), eur.strChange);  // no last price

    // A previous close of 0 leaves the percentage empty.
    Cycle({"[EURUSD][closePrice=0]@[EURUSD][lP=1.1]@"});
    EXPECT_EQ(CString("1.100000"), parser.GetRows().at("EURUSD").strChange);
    EXPECT_EQ(CString(""), parser.GetRows().at("EURUSD").strChangePercent);
}

TEST_F(QuoteStreamParserTest, HaltedRowsWhileTheConnectionIsDown)
{
    Cycle({"[XAUUSD][lP=2318.40]@"});
    QuoteBatch halted;
    parser.BuildHaltedBatch(halted);
    ASSERT_EQ(2u, halted.size());
    EXPECT_EQ(CString("EURUSD"), halted[0].rowLatest.strCode);
    EXPECT_EQ(CString("2318.40"), halted[1].rowLatest.strLastPrice);
    EXPECT_EQ(1, halted[0].rowLatest.nHalted);
    EXPECT_EQ(1, halted[1].rowLatest.nHalted);
    EXPECT_TRUE(halted[1].vecTicks.empty());

    quoteDown = 1;
    QuoteBatch batch = Cycle({"[EURUSD][aP=1.08]@"});
    ASSERT_EQ(1u, batch.size());
    EXPECT_EQ(1, batch[0].rowLatest.nHalted);

    // A login answer for somebody else changes nothing; one naming the user clears the flag.
    Parse("loginresult@status:1#name:80002#opentime:01:00#@");
    EXPECT_EQ(1, quoteDown);
    EXPECT_EQ(CString("06:00"), parser.GetOpenTime());
    Parse("loginresult@status:1#name:80001#opentime:01:00#stoptime:02:00#@");
    EXPECT_EQ(0, quoteDown);
    EXPECT_EQ(CString("01:00"), parser.GetOpenTime());

    Parse("loginresult@status:-2#@");
    EXPECT_EQ(1u, window.Count(WM_NEW_VERSION_FOUND));
}

}  // namespace
