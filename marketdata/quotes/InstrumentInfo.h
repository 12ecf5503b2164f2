// The order form's instrument record: what the order entry window needs to know of the
// instrument it trades, filled by FillInstrumentInfo from the quote store and the symbol rules.
#pragma once
#include <afx.h>

struct InstrumentInfo
{
    CString strCode;
    CString strName;
    CString strDefaultQuantity;
    BYTE bSetQuantity = 0;       // 1: the form resets its quantity to the default
    CString strQuantityStep;
    CString strUnitText;         // "手" or "股"
    int nQuantityDecimals = 0;
    CString strPrice;            // last price
    CString strBid1Price;
    CString strAsk1Price;
    BYTE bHasPrice = 0;
    int nPriceDecimals = 0;
    CString strPriceStep;
    int nShowLot = 0;            // 1: quantities in share lots
};
