#include "WebQuoteRecord.h"
#include <stdlib.h>

namespace
{
const char* const kLeadingKeys[] = {"name", "open", "pre_close", "price", "high", "low",
                                    "bid", "ask", "volume", "amount", "date", "time"};
const char* const kDepthKeys[] = {"a1_p", "a1_v", "a2_p", "a2_v", "a3_p", "a3_v", "a4_p",
                                  "a4_v", "a5_p", "a5_v", "b1_p", "b1_v", "b2_p", "b2_v",
                                  "b3_p", "b3_v", "b4_p", "b4_v", "b5_p", "b5_v"};
const char* const kTrailingKeys[] = {"code", "utime", "status", "mggs", "jggd"};

const int kLeadingCount = 12;
const int kDepthCount = 20;

CString RemoveDateSeparators(const CString& text)
{
    CString digits(text);
    digits.Remove('-');
    digits.Remove('/');
    return digits;
}

CString FormatReal(double value)
{
    CString text;
    text.Format("%f", value);
    return text;
}
} // namespace

const char* WebQuoteRecord::KeyAt(int i)
{
    if (i < 0 || i >= FIELD_COUNT)
        return nullptr;
    if (i < kLeadingCount)
        return kLeadingKeys[i];
    if (i < kLeadingCount + kDepthCount)
        return kDepthKeys[i - kLeadingCount];
    return kTrailingKeys[i - kLeadingCount - kDepthCount];
}

const CString& WebQuoteRecord::FieldAt(int i) const
{
    return const_cast<WebQuoteRecord*>(this)->FieldAt(i);
}

CString& WebQuoteRecord::FieldAt(int i)
{
    CString* leading[kLeadingCount] = {&strName, &strOpen, &strPreClose, &strPrice, &strHigh,
                                       &strLow, &strBid, &strAsk, &strVolume, &strAmount,
                                       &strDate, &strTime};
    CString* trailing[] = {&strCode, &strUtime, &strStatus, &strMggs, &strJggd};
    ASSERT(i >= 0 && i < FIELD_COUNT);
    if (i < kLeadingCount)
        return *leading[i];
    if (i < kLeadingCount + kDepthCount)
    {
        // Depth keys alternate price and volume, asks first
        int d = i - kLeadingCount;
        int level = (d % 10) / 2;
        bool isVolume = (d % 2) != 0;
        if (d < 10)
            return isVolume ? strAskVolume[level] : strAskPrice[level];
        return isVolume ? strBidVolume[level] : strBidPrice[level];
    }
    return *trailing[i - kLeadingCount - kDepthCount];
}

void WebQuoteRecord::FillQuoteRow(QuoteRow& row, const QuoteRow* pPrevious,
                                  int nDepthLevels) const
{
    row.strQuoteTime = RemoveDateSeparators(strUtime);
    row.strCode = strCode;
    row.strName = strName;
    row.strInitials.Empty();
    row.strLastPrice = strPrice;
    row.strBid1Volume = strBidVolume[0];
    row.strBid1Price = strBidPrice[0];
    row.strAsk1Volume = strAskVolume[0];
    row.strAsk1Price = strAskPrice[0];
    row.strVolume = strVolume;
    row.strHigh = strHigh;
    row.strLow = strLow;
    row.strOpen = strOpen;
    row.strPrevClose = strPreClose;
    row.strChange.Empty();
    row.strChangePercent.Empty();
    row.strStartTime.Empty();
    row.strStopTime.Empty();
    row.strMggs = strMggs;
    row.strJggd = strJggd;
    row.nHalted = (atoi(strStatus) == 3) ? 1 : 0;
    row.bChanged = true;
    row.nChangeFlags = 0;

    if (nDepthLevels > QUOTE_DEPTH_LEVELS)
        nDepthLevels = QUOTE_DEPTH_LEVELS;
    for (int level = 0; level < nDepthLevels; ++level)
    {
        row.strAskPrice[level] = strAskPrice[level];
        row.strAskVolume[level] = strAskVolume[level];
        row.strBidPrice[level] = strBidPrice[level];
        row.strBidVolume[level] = strBidVolume[level];
    }

    if (!row.strLastPrice.IsEmpty() && !row.strPrevClose.IsEmpty())
    {
        double prevClose = atof(row.strPrevClose);
        row.strChange = FormatReal(atof(row.strLastPrice) - prevClose);
        if (prevClose != 0.0)
            row.strChangePercent = FormatReal(atof(row.strChange) * 100.0 / prevClose);
    }

    if (pPrevious == nullptr)
    {
        row.nChangeFlags = QUOTE_PRICE_MOVED;
        row.strVolumeSinceLast = "0";
        return;
    }
    if (row.strLastPrice != pPrevious->strLastPrice)
        row.nChangeFlags |= QUOTE_PRICE_MOVED;
    // Day volumes of busy instruments pass 2^31: count them in 64 bits.
    __int64 volume = _atoi64(row.strVolume);
    __int64 previousVolume = _atoi64(pPrevious->strVolume);
    if (volume != 0 && previousVolume != 0 && volume > previousVolume)
    {
        row.strVolumeSinceLast.Format("%I64d", volume - previousVolume);
        row.nChangeFlags |= QUOTE_VOLUME_MOVED;
    }
    else
        row.strVolumeSinceLast = "0";
}
