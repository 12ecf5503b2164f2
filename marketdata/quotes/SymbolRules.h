// Price decimals, price steps, contract sizes, volume units and lot rules of a symbol. Each
// is decided by the market key that the quote store's code map holds for the code ("CL",
// "GC", "SI", "ASM", "FEC", "CSM", "HKS" at the start of the key) and, for the forex codes
// "USDJPY", "XAUUSD" and "XAGUSD", by the code itself. Stateless; the store is the global one
// unless a caller passes another.
#pragma once
#include <afx.h>
#include "InstrumentInfo.h"
#include "QuoteStore.h"

int GetPriceDecimals(LPCTSTR pszCode, const QuoteStore& store = GetQuoteStore());

// "0.01" for an unknown code. A Hong Kong stock takes the price step of its quote (jggd)
// when that is a number above 0, else "0.1".
CString GetMinPriceStep(LPCTSTR pszCode, const QuoteStore& store = GetQuoteStore());

// Contract size by the code itself: "CL" 1000, "GC" 100, "SI" 5000, otherwise 1
double GetContractMultiplier(LPCTSTR pszCode);

// "手" or "股"; empty for an unknown code
CString GetVolumeUnitText(LPCTSTR pszCode, const QuoteStore& store = GetQuoteStore());

// Quantity step and default quantity of the order form ("0" and "0" for an unknown code).
// A Hong Kong stock takes its lot size (mggs) when that is a number above 0, else "100".
void GetQuantityRule(LPCTSTR pszCode, CString& strStep, CString& strDefault,
                     const QuoteStore& store = GetQuoteStore());

// 2 for forex keys ("FEC"), else 0
int GetQuantityDecimals(LPCTSTR pszCode, const QuoteStore& store = GetQuoteStore());

// 1 for share markets ("ASM", "CSM", "HKS"), else 0
int UsesShareLots(LPCTSTR pszCode, const QuoteStore& store = GetQuoteStore());

// True when the code lies in sector "沪深" or "港股"
bool IsStockSymbol(LPCTSTR pszCode, const QuoteStore& store = GetQuoteStore());

// Converts a forex quantity text in place: lots to units with bToUnits, else units to lots.
// Texts of other characters than digits and points, and quantities of non-forex codes, stay.
void ConvertLotQuantity(CString& strQuantity, LPCTSTR pszCode, BOOL bToUnits,
                        const QuoteStore& store = GetQuoteStore());

// Fills the order form's record for code. previousCode is the instrument the form showed
// before: the form keeps the user's quantity when both lie in one sector, except between two
// Hong Kong stocks and to or from "USDJPY", "XAUUSD" or "XAGUSD". Prices come from the
// store's row, cut to the code's price decimals; an unknown code leaves the record reset.
void FillInstrumentInfo(LPCTSTR pszCode, LPCTSTR pszPreviousCode, InstrumentInfo& info,
                        const QuoteStore& store = GetQuoteStore());
