#include <gtest/gtest.h>
#include "MarketTestData.h"
#include "SymbolRules.h"

using markettest::MakeRow;
using markettest::MakeSector;

namespace {

// One instrument per market key, and Hong Kong stocks with assorted quote texts
class SymbolRulesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AddInstrument("自定义", "CL_P", "CLN4");
        AddInstrument("自定义", "GC_P", "GCQ4");
        AddInstrument("自定义", "SI_P", "SIU4");
        AddInstrument("自定义", "ASM_P", "AS01");
        AddInstrument("外汇", "FEC_P", "USDJPY");
        AddInstrument("外汇", "FEC_P", "XAUUSD");
        AddInstrument("外汇", "FEC_P", "XAGUSD");
        AddInstrument("外汇", "FEC_P", "EURUSD");
        AddInstrument("外汇", "FEC_P", "cl_fx"); // a forex code that starts "cl"
        AddInstrument("沪深", "CSM_P", "600000");
        AddInstrument("美股", "NYS_P", "IBM");
        AddHongKong("00001", "", "");
        AddHongKong("00002", "0.05", "500");
        AddHongKong("00003", "0", "0");
        AddHongKong("00004", ".", "1.2.3");
        AddHongKong("00005", "0.0", "-100");
        AddHongKong("00006", "1,000", "1e3");
    }

    void AddInstrument(const char* sector, const char* key, const char* code)
    {
        store.AddSector(MakeSector(sector, key, {MakeRow(code, 0)}));
    }

    void AddHongKong(const char* code, const char* jggd, const char* mggs)
    {
        SectorRow row = MakeRow(code, 0);
        row.quote.strJggd = jggd;
        row.quote.strMggs = mggs;
        store.AddSector(MakeSector("港股", "HKS_P", {row}));
    }

    QuoteStore store;
};

TEST_F(SymbolRulesTest, PriceRulesByMarketKey)
{
    struct Case { const char* code; int decimals; const char* step; const char* unit; int qtyDecimals; int shareLots; };
    const Case cases[] = {
        {"CLN4", 2, "0.01", "手", 0, 0},
        {"GCQ4", 1, "0.1", "手", 0, 0},
        {"SIU4", 3, "0.005", "手", 0, 0},
        {"AS01", 2, "0.01", "股", 0, 1},
        {"USDJPY", 3, "0.001", "手", 2, 0},
        {"XAUUSD", 2, "0.01", "手", 2, 0},
        {"XAGUSD", 4, "0.0005", "手", 2, 0},
        {"EURUSD", 5, "0.00001", "手", 2, 0},
        {"600000", 2, "0.01", "股", 0, 1},
        {"00001", 3, "0.1", "股", 0, 1},
        {"IBM", 2, "0.01", "", 0, 0},       // a key no rule knows
        {"unknown", 2, "0.01", "", 0, 0},   // a code no sector holds
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.decimals, GetPriceDecimals(c.code, store)) << c.code;
        EXPECT_EQ(CString(c.step), GetMinPriceStep(c.code, store)) << c.code;
        EXPECT_EQ(CString(c.unit), GetVolumeUnitText(c.code, store)) << c.code;
        EXPECT_EQ(c.qtyDecimals, GetQuantityDecimals(c.code, store)) << c.code;
        EXPECT_EQ(c.shareLots, UsesShareLots(c.code, store)) << c.code;
    }
}

TEST_F(SymbolRulesTest, HongKongStepsOnlyFromNumbersAboveZero)
{
    struct Case { const char* code; const char* priceStep; const char* quantityStep; };
    const Case cases[] = {
        {"00001", "0.1", "100"},   // empty texts
        {"00002", "0.05", "500"},  // plain numbers
        {"00003", "0.1", "100"},   // zero: an order could never be placed
        {"00004", "0.1", "100"},   // not numbers
        {"00005", "0.1", "100"},
        {"00006", "0.1", "100"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(CString(c.priceStep), GetMinPriceStep(c.code, store)) << c.code;
        CString step, quantity;
        GetQuantityRule(c.code, step, quantity, store);
        EXPECT_EQ(CString(c.quantityStep), step) << c.code;
        EXPECT_EQ(CString(c.quantityStep), quantity) << c.code;
    }
}

TEST_F(SymbolRulesTest, QuantityRules)
{
    struct Case { const char* code; const char* step; const char* quantity; };
    const Case cases[] = {
        {"CLN4", "1", "1"}, {"SIU4", "1", "1"}, {"AS01", "100", "100"},
        {"600000", "100", "100"}, {"EURUSD", "0.01", "0.10"}, {"IBM", "0", "0"},
        {"unknown", "0", "0"},
    };
    for (const Case& c : cases)
    {
        CString step = "x", quantity = "x";
        GetQuantityRule(c.code, step, quantity, store);
        EXPECT_EQ(CString(c.step), step) << c.code;
        EXPECT_EQ(CString(c.quantity), quantity) << c.code;
    }
}

TEST_F(SymbolRulesTest, ContractMultiplierByCodeItself)
{
    EXPECT_EQ(1000.0, GetContractMultiplier("CLN4"));
    EXPECT_EQ(1000.0, GetContractMultiplier("cl_fx"));   // upper-cased first
    EXPECT_EQ(100.0, GetContractMultiplier("GCQ4"));
    EXPECT_EQ(5000.0, GetContractMultiplier("SIU4"));
    EXPECT_EQ(1.0, GetContractMultiplier("XCL"));       // "CL" not at the start
    EXPECT_EQ(1.0, GetContractMultiplier("unknown"));
}

TEST_F(SymbolRulesTest, StockSymbolsLieInTheStockSectors)
{
    EXPECT_TRUE(IsStockSymbol("600000", store));
    EXPECT_TRUE(IsStockSymbol("00002", store));
    EXPECT_FALSE(IsStockSymbol("AS01", store));
    EXPECT_FALSE(IsStockSymbol("unknown", store));
}

TEST_F(SymbolRulesTest, ConvertLotQuantity)
{
    struct Case { const char* text; const char* code; BOOL toUnits; const char* result; };
    const Case cases[] = {
        {"1.5", "EURUSD", TRUE, "150000"},
        {"150000", "EURUSD", FALSE, "1.50"},
        {"2", "XAUUSD", TRUE, "200"},
        {"0.01", "XAGUSD", TRUE, "50"},
        {"12345", "EURUSD", FALSE, "0.12"},
        {"12355", "EURUSD", FALSE, "0.12"},   // 0.12355: the cut digit 3 rounds down
        {"12500", "EURUSD", FALSE, "0.13"},   // half up
        {"1,000", "EURUSD", TRUE, "1,000"},   // thousands separator: unchanged
        {"-1", "EURUSD", TRUE, "-1"},         // sign: unchanged
        {"", "EURUSD", TRUE, ""},
        {"100", "600000", TRUE, "100"},       // not forex
        {"100", "unknown", TRUE, "100"},
    };
    for (const Case& c : cases)
    {
        CString text = c.text;
        ConvertLotQuantity(text, c.code, c.toUnits, store);
        EXPECT_EQ(CString(c.result), text) << c.text << " " << c.code;
    }
}

TEST_F(SymbolRulesTest, InstrumentInfoOfTheOrderForm)
{
    SectorRow priced = MakeRow("600001", 1, "10.5");
    priced.quote.strBid1Price = "10.494";
    priced.quote.strAsk1Price = "10.505";
    store.AddSector(MakeSector("沪深", "CSM_P", {priced}));
    SectorRecord mapOnly = MakeSector("沪深", "CSM_P", {});
    mapOnly.mapInstruments["NOROW"].strMarketKey = "CSM_P"; // in the code map, no row
    mapOnly.mapInstruments["NOROW"].strSectorName = "沪深";
    store.AddSector(mapOnly);

    struct Case
    {
        const char* code; const char* previous; int setQuantity; const char* name;
        const char* price; const char* bid; const char* ask; int priceDecimals;
        const char* priceStep; const char* quantityStep; const char* quantity; const char* unit;
        int quantityDecimals; int showLot;
    };
    const Case cases[] = {
        // No code, or one the store does not know: the reset record
        {"", "600000", 1, "", "", "---", "---", 0, "", "0", "", "", 0, 0},
        {"unknown", "600000", 1, "", "", "---", "---", 0, "", "0", "", "", 0, 0},
        // Prices rounded to the decimals; the quantity stays within one sector
        {"600001", "", 1, "name-600001", "10.50", "10.49", "10.51", 2, "0.01", "100", "100", "股", 0, 1},
        {"600001", "600000", 0, "name-600001", "10.50", "10.49", "10.51", 2, "0.01", "100", "100", "股", 0, 1},
        {"600001", "00002", 1, "name-600001", "10.50", "10.49", "10.51", 2, "0.01", "100", "100", "股", 0, 1},
        {"NOROW", "600000", 0, "", "", "", "", 2, "0.01", "100", "100", "股", 0, 1},
        // Hong Kong: every other stock resets the quantity to its own lot
        {"00002", "00001", 1, "name-00002", "1.000", "", "", 3, "0.05", "500", "500", "股", 0, 1},
        {"00002", "00002", 0, "name-00002", "1.000", "", "", 3, "0.05", "500", "500", "股", 0, 1},
        // Forex: only moves to or from the three special codes reset it
        {"EURUSD", "cl_fx", 0, "name-EURUSD", "1.00000", "", "", 5, "0.00001", "0.01", "0.10", "手", 2, 0},
        {"XAUUSD", "EURUSD", 1, "name-XAUUSD", "1.00", "", "", 2, "0.01", "0.01", "0.10", "手", 2, 0},
        {"EURUSD", "USDJPY", 1, "name-EURUSD", "1.00000", "", "", 5, "0.00001", "0.01", "0.10", "手", 2, 0},
        {"XAGUSD", "XAGUSD", 0, "name-XAGUSD", "1.0000", "", "", 4, "0.0005", "0.01", "0.10", "手", 2, 0},
        // Futures of one sector keep it, whatever the codes
        {"CLN4", "AS01", 0, "name-CLN4", "1.00", "", "", 2, "0.01", "1", "1", "手", 0, 0},
    };
    for (const Case& c : cases)
    {
        InstrumentInfo info;
        info.strName = "stale";
        FillInstrumentInfo(c.code, c.previous, info, store);
        const std::string where = std::string(c.code) + " after " + c.previous;
        EXPECT_EQ(CString(c.code), info.strCode) << where;
        EXPECT_EQ(CString(c.name), info.strName) << where;
        EXPECT_EQ(c.setQuantity, info.bSetQuantity) << where;
        EXPECT_EQ(CString(c.price), info.strPrice) << where;
        EXPECT_EQ(CString(c.bid), info.strBid1Price) << where;
        EXPECT_EQ(CString(c.ask), info.strAsk1Price) << where;
        EXPECT_EQ(1, info.bHasPrice) << where;
        EXPECT_EQ(c.priceDecimals, info.nPriceDecimals) << where;
        EXPECT_EQ(CString(c.priceStep), info.strPriceStep) << where;
        EXPECT_EQ(CString(c.quantityStep), info.strQuantityStep) << where;
        EXPECT_EQ(CString(c.quantity), info.strDefaultQuantity) << where;
        EXPECT_EQ(CString(c.unit), info.strUnitText) << where;
        EXPECT_EQ(c.quantityDecimals, info.nQuantityDecimals) << where;
        EXPECT_EQ(c.showLot, info.nShowLot) << where;
    }
}

} // namespace
