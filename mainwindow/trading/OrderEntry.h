// One order of today's order lists as the trading window shows it: fourteen column texts, the
// three history texts (order profit, closed quantity, open/close effect) and whether the
// order-supplement console made the order.
#pragma once
#include <afx.h>

struct OrderEntry
{
    enum Column
    {
        DATE_TIME = 0,
        CONTRACT_NAME,
        CONTRACT,
        ORDER_TYPE,   // "0" market, "1" limit, "2" stop
        BID,          // "0" buy, "1" sell
        ORDER_PRICE,
        ORDER_COUNT,
        TRADED_COUNT,
        STATUS,
        FEE,          // "mg"
        AVE_PRICE,
        ORDER_NO,
        FILLED_AMOUNT, // "ps"
        CLIENT_REF,    // "cid"
        PROFIT,
        CLOSED_COUNT,
        EFFECT,
        TEXT_COUNT
    };
    enum { kShownColumns = 14 };

    CString texts[TEXT_COUNT];
    bool isFollowOrder = false;

    CString& operator[](int column) { return texts[column]; }
    const CString& operator[](int column) const { return texts[column]; }
    // The shown columns joined by "|", as a row of the today's-orders window.
    CString RowText() const
    {
        CString row;
        for (int i = 0; i < kShownColumns; ++i)
        {
            if (i > 0)
                row += "|";
            row += texts[i];
        }
        return row;
    }
};
