// One entry of the "list" of an HTTP quote reply: 37 texts in the order of the reply's keys,
// and the rule that turns it into a QuoteRow.
#pragma once
#include <afx.h>
#include "QuoteRow.h"

struct WebQuoteRecord
{
    enum { FIELD_COUNT = 37 };

    CString strName;
    CString strOpen;
    CString strPreClose;
    CString strPrice;
    CString strHigh;
    CString strLow;
    CString strBid;
    CString strAsk;
    CString strVolume;
    CString strAmount;
    CString strDate;
    CString strTime;
    CString strAskPrice[QUOTE_DEPTH_LEVELS];  // "a1_p" .. "a5_p"
    CString strAskVolume[QUOTE_DEPTH_LEVELS]; // "a1_v" .. "a5_v"
    CString strBidPrice[QUOTE_DEPTH_LEVELS];  // "b1_p" .. "b5_p"
    CString strBidVolume[QUOTE_DEPTH_LEVELS]; // "b1_v" .. "b5_v"
    CString strCode;
    CString strUtime;
    CString strStatus;
    CString strMggs;
    CString strJggd;

    // The reply key of field i (0..36) in reply order: "name", "open", ... "a1_p", "a1_v",
    // "a2_p", ... "b5_v", "code", "utime", "status", "mggs", "jggd". Null past the end.
    static const char* KeyAt(int i);
    // The field that KeyAt(i) fills; readers fill a record by position through it.
    CString& FieldAt(int i);
    const CString& FieldAt(int i) const;

    // Fills row from this entry. pPrevious is the filler's last row of the same code (null
    // when there is none); it decides the change flags and the volume since last. The first
    // nDepthLevels levels of the book are copied (0..5).
    void FillQuoteRow(QuoteRow& row, const QuoteRow* pPrevious, int nDepthLevels) const;
};
