#include "SymbolRules.h"
#include <stdlib.h>
#include <string.h>
#include "NumberText.h"
#include "TextHelpers.h"

namespace
{
// The code's market key, empty when no sector's code map holds the code
CString MarketKeyOf(LPCTSTR pszCode, const QuoteStore& store)
{
    CString key, sector, extra;
    if (!store.FindInstrument(pszCode, key, sector, extra))
        key.Empty();
    return key;
}

bool IsDigitsAndPoints(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i)
    {
        char c = text[i];
        if (!(c >= '0' && c <= '9') && c != '.')
            return false;
    }
    return true;
}

// A plain decimal number above 0 ("0.05", "500"). Quote texts are server data: an empty
// text, "0", "." or "1.2.3" must not become a price step or a lot size.
bool IsPositiveDecimal(const CString& text)
{
    if (text.IsEmpty() || !IsDigitsAndPoints(text) || text.Find('.') != text.ReverseFind('.'))
        return false;
    return atof(text) > 0.0;
}

bool IsForexKey(const CString& key) { return BeginsWith(key, "FEC"); }
bool IsFuturesKey(const CString& key)
{
    return BeginsWith(key, "CL") || BeginsWith(key, "GC") || BeginsWith(key, "SI");
}
bool IsShareKey(const CString& key)
{
    return BeginsWith(key, "ASM") || BeginsWith(key, "CSM") || BeginsWith(key, "HKS");
}

bool IsSpecialForexCode(const CString& code)
{
    return code == "USDJPY" || code == "XAUUSD" || code == "XAGUSD";
}

// Whether the order form resets its quantity when it moves from the previous instrument to
// the new one (both looked up in the store; the new one is known).
bool ResetsQuantity(const CString& code, const InstrumentRef& ref, const CString& previousCode,
                    const InstrumentRef* previousRef)
{
    if (previousRef == nullptr || previousRef->strSectorName != ref.strSectorName)
        return true;
    const bool otherCode = code != previousCode;
    if (IsForexKey(ref.strMarketKey))
        return otherCode && (IsSpecialForexCode(code) || IsSpecialForexCode(previousCode));
    if (BeginsWith(ref.strMarketKey, "HKS"))
        return otherCode;
    return false;
}

void ResetInstrumentInfo(InstrumentInfo& info)
{
    info.strCode.Empty();
    info.strName.Empty();
    info.strDefaultQuantity.Empty();
    info.bSetQuantity = 1;
    info.strQuantityStep = "0";
    info.strUnitText.Empty();
    info.strPrice.Empty();
    info.strBid1Price = "---";
    info.strAsk1Price = "---";
    info.bHasPrice = 1;
    info.nQuantityDecimals = 0;
    info.nPriceDecimals = 0;
    info.strPriceStep.Empty();
    info.nShowLot = 0;
}

bool FindRef(const QuoteStore& store, LPCTSTR pszCode, InstrumentRef& ref)
{
    return store.FindInstrument(pszCode, ref.strMarketKey, ref.strSectorName, ref.strExtra) !=
           FALSE;
}

CString FormatQuantity(double value, int decimals)
{
    CString text;
    text.Format("%f", value);
    return FormatNumberString(text, decimals, true);
}
} // namespace

int GetPriceDecimals(LPCTSTR pszCode, const QuoteStore& store)
{
    CString key = MarketKeyOf(pszCode, store);
    if (BeginsWith(key, "CL"))
        return 2;
    if (BeginsWith(key, "GC"))
        return 1;
    if (BeginsWith(key, "SI"))
        return 3;
    if (BeginsWith(key, "ASM"))
        return 2;
    if (IsForexKey(key))
    {
        if (strcmp(pszCode, "USDJPY") == 0)
            return 3;
        if (strcmp(pszCode, "XAUUSD") == 0)
            return 2;
        if (strcmp(pszCode, "XAGUSD") == 0)
            return 4;
        return 5;
    }
    if (BeginsWith(key, "CSM"))
        return 2;
    if (BeginsWith(key, "HKS"))
        return 3;
    return 2;
}

CString GetMinPriceStep(LPCTSTR pszCode, const QuoteStore& store)
{
    CString key = MarketKeyOf(pszCode, store);
    if (BeginsWith(key, "CL"))
        return "0.01";
    if (BeginsWith(key, "GC"))
        return "0.1";
    if (BeginsWith(key, "SI"))
        return "0.005";
    if (BeginsWith(key, "ASM"))
        return "0.01";
    if (IsForexKey(key))
    {
        if (strcmp(pszCode, "USDJPY") == 0)
            return "0.001";
        if (strcmp(pszCode, "XAUUSD") == 0)
            return "0.01";
        if (strcmp(pszCode, "XAGUSD") == 0)
            return "0.0005";
        return "0.00001";
    }
    if (BeginsWith(key, "CSM"))
        return "0.01";
    if (BeginsWith(key, "HKS"))
    {
        SectorRow row;
        if (store.GetQuoteRow(pszCode, row) && IsPositiveDecimal(row.quote.strJggd))
            return row.quote.strJggd;
        return "0.1";
    }
    return "0.01";
}

double GetContractMultiplier(LPCTSTR pszCode)
{
    CString code(pszCode);
    code.MakeUpper();
    if (code.Find("CL") == 0)
        return 1000.0;
    if (code.Find("GC") == 0)
        return 100.0;
    if (code.Find("SI") == 0)
        return 5000.0;
    return 1.0;
}

CString GetVolumeUnitText(LPCTSTR pszCode, const QuoteStore& store)
{
    CString key = MarketKeyOf(pszCode, store);
    if (IsFuturesKey(key) || IsForexKey(key))
        return "手";
    if (IsShareKey(key))
        return "股";
    return CString();
}

void GetQuantityRule(LPCTSTR pszCode, CString& strStep, CString& strDefault,
                     const QuoteStore& store)
{
    strStep = strDefault = "0";
    CString key = MarketKeyOf(pszCode, store);
    if (IsFuturesKey(key))
        strStep = strDefault = "1";
    else if (BeginsWith(key, "ASM") || BeginsWith(key, "CSM"))
        strStep = strDefault = "100";
    else if (BeginsWith(key, "HKS"))
    {
        SectorRow row;
        if (store.GetQuoteRow(pszCode, row))
            strStep = strDefault =
                IsPositiveDecimal(row.quote.strMggs) ? row.quote.strMggs : CString("100");
    }
    else if (IsForexKey(key))
    {
        strStep = "0.01";
        strDefault = "0.10";
    }
}

int GetQuantityDecimals(LPCTSTR pszCode, const QuoteStore& store)
{
    return IsForexKey(MarketKeyOf(pszCode, store)) ? 2 : 0;
}

int UsesShareLots(LPCTSTR pszCode, const QuoteStore& store)
{
    return IsShareKey(MarketKeyOf(pszCode, store)) ? 1 : 0;
}

bool IsStockSymbol(LPCTSTR pszCode, const QuoteStore& store)
{
    return store.SectorContains("沪深", pszCode) || store.SectorContains("港股", pszCode);
}

void ConvertLotQuantity(CString& strQuantity, LPCTSTR pszCode, BOOL bToUnits,
                        const QuoteStore& store)
{
    if (strQuantity.IsEmpty() || !IsDigitsAndPoints(strQuantity) ||
        !IsForexKey(MarketKeyOf(pszCode, store)))
        return;
    double unitsPerLot = 100000.0;
    if (strcmp(pszCode, "XAUUSD") == 0)
        unitsPerLot = 100.0;
    else if (strcmp(pszCode, "XAGUSD") == 0)
        unitsPerLot = 5000.0;
    double quantity = atof(strQuantity);
    if (bToUnits)
        strQuantity = FormatQuantity(quantity * unitsPerLot, 0);
    else
        strQuantity = FormatQuantity(quantity / unitsPerLot, 2);
}

void FillInstrumentInfo(LPCTSTR pszCode, LPCTSTR pszPreviousCode, InstrumentInfo& info,
                        const QuoteStore& store)
{
    ResetInstrumentInfo(info);
    const CString code(pszCode);
    if (code.IsEmpty())
        return;
    info.strCode = code;
    store.GetInstrumentName(code, info.strName);

    InstrumentRef ref, previousRef;
    if (!FindRef(store, code, ref))
        return;
    const CString previousCode(pszPreviousCode != nullptr ? pszPreviousCode : "");
    const bool previousKnown = FindRef(store, previousCode, previousRef);
    info.bSetQuantity =
        ResetsQuantity(code, ref, previousCode, previousKnown ? &previousRef : nullptr) ? 1 : 0;

    const int decimals = GetPriceDecimals(code, store);
    SectorRow row;
    if (store.GetQuoteRow(code, row))
    {
        info.strPrice = FormatNumberString(row.quote.strLastPrice, decimals, true);
        info.strBid1Price = FormatNumberString(row.quote.strBid1Price, decimals, true);
        info.strAsk1Price = FormatNumberString(row.quote.strAsk1Price, decimals, true);
    }
    else
    {
        info.strPrice.Empty();
        info.strBid1Price.Empty();
        info.strAsk1Price.Empty();
    }

    info.bHasPrice = 1;
    info.nQuantityDecimals = GetQuantityDecimals(code, store);
    info.nPriceDecimals = decimals;
    info.strPriceStep = GetMinPriceStep(code, store);
    GetQuantityRule(code, info.strQuantityStep, info.strDefaultQuantity, store);
    info.strUnitText = GetVolumeUnitText(code, store);
    info.nShowLot = UsesShareLots(code, store);
}
