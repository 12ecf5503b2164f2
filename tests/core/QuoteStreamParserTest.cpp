// The quote stream of a quote connection: contract list, login answer and tick records turned
// into quote rows and the per-cycle quote batch.
#include <gtest/gtest.h>

#include <algorithm>

#include "MarketDataMessages.h"
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

namespace {

// "code:price,price,...;" of every update of a batch: the tick rows' last prices in order.
std::string TickPrices(WPARAM wParam, LPARAM)
{
    std::string text;
    for (const QuoteUpdate& update : *reinterpret_cast<const QuoteBatch*>(wParam))
    {
        text += Text(update.rowLatest.strCode) + "=" + Text(update.rowLatest.strLastPrice) + ":";
        for (const QuoteRow& tick : update.vecTicks)
            text += Text(tick.strLastPrice) + ",";
        text += ";";
    }
    return text;
}

TEST_F(QuoteStreamParserTest, VolumesAndSizesCountInSixtyFourBits)
{
    QuoteBatch batch = Cycle({"[XAUUSD][volume=2147483600]@[XAUUSD][volume=2147483700]@"
                              "[XAUUSD][bS=3000000000]@[XAUUSD][aS=9223372036854775807]@"});
    ASSERT_EQ(1u, batch.size());
    const QuoteRow& row = batch[0].rowLatest;
    EXPECT_EQ(CString("2147483700"), row.strVolume);
    EXPECT_EQ(CString("100"), row.strVolumeSinceLast);
    EXPECT_EQ(CString("3000000000"), row.strBid1Volume);
    EXPECT_EQ(CString("9223372036854775807"), row.strAsk1Volume);
    ASSERT_EQ(1u, batch[0].vecTicks.size());
    EXPECT_EQ(QUOTE_VOLUME_MOVED, batch[0].vecTicks[0].nChangeFlags);

    batch = Cycle({"[XAUUSD][volume=5000000001]@[XAUUSD][bS=-3000000000]@"});
    EXPECT_EQ(CString("2852516301"), batch.at(0).rowLatest.strVolumeSinceLast);
    EXPECT_EQ(CString(""), batch.at(0).rowLatest.strBid1Volume);
}

// Records of unusual shape read exactly as the general rule says, whichever way the parser
// takes through them; double-byte characters whose second byte is a delimiter stay whole.
TEST_F(QuoteStreamParserTest, UnusualRecordsAndDoubleByteCodes)
{
    Parse("contractlist@[X\x81]Y|\xC3\xFB\x81|\x81\x7C|1]#@");
    ASSERT_EQ(1u, parser.GetContracts().count("X\x81]Y"));
    EXPECT_EQ(CString("\xC3\xFB\x81|\x81\x7C"), parser.GetContracts().at("X\x81]Y").strName);

    const struct
    {
        const char* message;
        const char* code;
        const char* last;
    } kCases[] = {
        {"[XAUUSD][lP=11]@#@", "XAUUSD", "11"},
        {"x[XAUUSD]y[lP=12]z@", "XAUUSD", "12"},
        {"[XAUUSD][lP=13]junk@[XAUUSD][lP=14][lP=99]@", "XAUUSD", "14"},
        {"][XAUUSD][lP=98]@", "XAUUSD", "14"},          // a "]" before any "[": no item
        {"[XAU[USD][lP=97]@", "XAUUSD", "14"},          // code "XAU[USD" is unknown
        {"[XAUUSD][xlP=15]@", "XAUUSD", "x15"},         // the key is cut out where it stands
        {"[XAUUSD][lP=16lP=]@", "XAUUSD", "16"},
        {"[XAUUSD][lP=17=]@", "XAUUSD", "17="},
        {"[XAUUSD][volume=5lP=18]@", "XAUUSD", "volume=518"},  // "lP=" is tried first
        {"[XAUUSD][lP=19]", "XAUUSD", "19"},            // the last record needs no "@"
        {"[X\x81]Y][lP=20]@[X\x81]Y][lP=21\xC3\xFB]@", "X\x81]Y", "21\xC3\xFB"},
    };
    for (const auto& c : kCases)
    {
        Cycle({c.message});
        EXPECT_EQ(CString(c.last), parser.GetRows().at(c.code).strLastPrice) << c.message;
    }
}

// The maps compare codes as C texts: a code with a zero byte would be the code before it.
TEST_F(QuoteStreamParserTest, ACodeWithAZeroByteIsNoCode)
{
    const auto parseBytes = [this](const std::string& bytes) {
        NetMessage message;
        message.strTime = "20240614 10:30:00";
        message.strText = CString(bytes.data(), static_cast<int>(bytes.size()));
        parser.BeginCycle();
        parser.ParseMessage(message, quoteDown, "80001", window);
        QuoteBatch batch;
        parser.BuildBatch(batch, quoteDown);
        return batch;
    };
    static const char kList[] = "contractlist@[XAUUSD\0x|假金|7|FX][GC\0|假|1]#@";
    parseBytes(std::string(kList, sizeof(kList) - 1));
    Cycle({"[XAUUSD][lP=2318.40]@"});
    EXPECT_EQ(2, parser.GetContracts().at("XAUUSD").nNumber) << "the contract was replaced";
    EXPECT_EQ(CString("伦敦金"), parser.GetContracts().at("XAUUSD").strName);
    EXPECT_EQ(2u, parser.GetContracts().size());

    static const char kTicks[] = "[XAUUSD\0][lP=1.00]@[XAUUSD\0evil][bP=2.00]@";
    const QuoteBatch batch = parseBytes(std::string(kTicks, sizeof(kTicks) - 1));
    EXPECT_TRUE(batch.empty());
    EXPECT_EQ(CString("2318.40"), parser.GetRows().at("XAUUSD").strLastPrice);
    EXPECT_NE(CString("2.00"), parser.GetRows().at("XAUUSD").strBid1Price);
}

TEST_F(QuoteStreamParserTest, ContractListItemsAndFields)
{
    // A last empty field is dropped; fewer than three fields is no contract; a "]" before the
    // next "[" ends the list.
    Parse("contractlist@[CL|美原油|2|][GC|黄金][SI|白银|3|COMEX|x][HG|铜|4]][PL|铂|5]#@");
    const CQuoteStreamParser::ContractMap& contracts = parser.GetContracts();
    EXPECT_EQ(CString("NULL"), contracts.at("CL").strExtra);
    EXPECT_EQ(2, contracts.at("CL").nNumber);
    EXPECT_EQ(0u, contracts.count("GC"));
    EXPECT_EQ(CString("COMEX"), contracts.at("SI").strExtra);
    EXPECT_EQ(1u, contracts.count("HG"));
    EXPECT_EQ(0u, contracts.count("PL"));
}

// However many ticks one message brings, the cycle holds at most MAX_BATCH_TICKS tick rows:
// the batch so far goes to the main window, and the ticks arrive complete and in order.
TEST_F(QuoteStreamParserTest, AHugeMessageIsHandedOverInBoundedBatches)
{
    window.CopyPayload(WM_QUOTE_BATCH, TickPrices);
    const int kTicks = 3 * CQuoteStreamParser::MAX_BATCH_TICKS + 5;
    std::string message;
    std::string expected;
    for (int i = 0; i < kTicks; ++i)
    {
        const char* price = i % 2 == 0 ? "2318.40" : "2318.50";
        message += std::string("[XAUUSD][lP=") + price + "]@";
        expected += std::string(price) + ",";
        if (i == kTicks / 2)
            message += "[EURUSD][lP=1.08]@";
    }
    QuoteBatch last = Cycle({(message + "#@").c_str()});

    const std::vector<tolvan::test::RecordedMessage> batches = window.Messages();
    std::string xau;
    std::string eur;
    size_t handedOver = 0;
    for (const tolvan::test::RecordedMessage& batch : batches)
    {
        if (batch.message != WM_QUOTE_BATCH)
            continue;
        ++handedOver;
        const std::string& text = batch.payload;
        const size_t eurAt = text.find("EURUSD=");
        if (eurAt != std::string::npos)
            eur += text.substr(eurAt, text.find(';', eurAt) - eurAt);
        const size_t xauAt = text.find("XAUUSD=");
        const size_t ticksAt = text.find(':', xauAt) + 1;
        const std::string ticks = text.substr(ticksAt, text.find(';', xauAt) - ticksAt);
        EXPECT_LE((size_t)std::count(ticks.begin(), ticks.end(), ','), (size_t)CQuoteStreamParser::MAX_BATCH_TICKS);
        xau += ticks;
    }
    EXPECT_EQ(3u, handedOver);
    EXPECT_EQ(0u, parser.GetHeldTickCount());
    ASSERT_EQ(1u, last.size());
    EXPECT_EQ(CString("2318.40"), last[0].rowLatest.strLastPrice);
    for (const QuoteRow& tick : last[0].vecTicks)
        xau += Text(tick.strLastPrice) + ",";
    EXPECT_EQ(expected, xau);
    EXPECT_EQ("EURUSD=1.08:1.08,", eur);
}

}  // namespace
