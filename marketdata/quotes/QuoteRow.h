// One instrument's quote as it travels through the program: from the quote stream and the
// HTTP quote service into the quote store and out to every view. A plain value: copies are
// deep (every CString is its own value), so a row taken out of the store never changes under
// its reader.
#pragma once
#include <afx.h>

// Bits of QuoteRow::nChangeFlags
enum
{
    QUOTE_VOLUME_MOVED = 1, // volume moved since the previous quote of the code
    QUOTE_PRICE_MOVED = 2   // last price moved, or the code had no previous quote
};

enum { QUOTE_DEPTH_LEVELS = 5 };

struct QuoteRow
{
    CString strQuoteTime;       // date and time as digits only
    CString strCode;
    CString strName;
    CString strInitials;        // pinyin initials of the name
    CString strLastPrice;
    CString strBid1Volume;
    CString strBid1Price;
    CString strAsk1Volume;
    CString strAsk1Price;
    CString strVolume;          // accumulated volume of the day
    CString strVolumeSinceLast; // traded since the previous quote of the code, "0" when none
    CString strHigh;
    CString strLow;
    CString strOpen;
    CString strPrevClose;
    CString strChange;          // last price minus previous close, "%f"
    CString strChangePercent;   // change * 100 / previous close, "%f"
    CString strStartTime;       // session start of the instrument
    CString strStopTime;        // session stop of the instrument
    CString strMggs;            // HTTP quote service text; Hong Kong lot size
    CString strJggd;            // HTTP quote service text; Hong Kong price step

    // A new row is a quiet one: nothing halted, nothing changed. Writers still set all
    // three before storing, but a row that escapes unfilled must not carry garbage flags.
    int nHalted = 0;            // 1 when halted or its quote connection is down
    bool bChanged = false;      // set by every fill
    int nChangeFlags = 0;       // QUOTE_VOLUME_MOVED | QUOTE_PRICE_MOVED

    // Five levels of the book; level 1 also stands in the bid/ask fields above.
    CString strAskPrice[QUOTE_DEPTH_LEVELS];
    CString strAskVolume[QUOTE_DEPTH_LEVELS];
    CString strBidPrice[QUOTE_DEPTH_LEVELS];
    CString strBidVolume[QUOTE_DEPTH_LEVELS];
};
