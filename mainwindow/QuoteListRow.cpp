#include "QuoteListRow.h"

#include "NumberText.h"
#include "SymbolRules.h"
#include "TradingSessions.h"

#include <stdlib.h>

namespace {

const COLORREF kRed = 0x393CFF;
const COLORREF kGreen = 0x00E700;
const COLORREF kYellow = 0x00FFFF;
const COLORREF kGrey = 0xE7E7E7;

int TimeNumber(CString text)
{
    text.Remove(':');
    return atoi(text);
}

bool IsPriceColumn(int column)
{
    return column == 3 || column == 6 || column == 7 || (column >= 11 && column <= 13);
}

bool IsVolumeColumn(int column)
{
    return column == 5 || (column >= 8 && column <= 10);
}

}  // namespace

const COLORREF kQuoteRiseColors[QUOTE_LIST_COLUMNS] = {
    kYellow, kYellow, kYellow, kRed, kRed, kYellow, kRed, kRed,
    kYellow, kYellow, kYellow, kRed, kRed, kRed, kRed, kGrey,
};
const COLORREF kQuoteFallColors[QUOTE_LIST_COLUMNS] = {
    kYellow, kYellow, kYellow, kGreen, kGreen, kYellow, kGreen, kGreen,
    kYellow, kYellow, kYellow, kGreen, kGreen, kGreen, kGreen, kGrey,
};
const COLORREF kQuoteHaltedColors[QUOTE_LIST_COLUMNS] = {
    kYellow, kYellow, kYellow, kGrey, kGrey, kGrey, kGrey, kGrey,
    kGrey, kGrey, kGrey, kGrey, kGrey, kGrey, kGrey, kGrey,
};

int IsInTradingSession(const QuoteRow& quote, const QuoteStore& store)
{
    std::vector<SessionRange> sessions;
    GetTradingSessions(quote.strCode, sessions, store);
    CString time = quote.strQuoteTime;
    const int blank = time.Find(' ');
    if (blank > 0)
        time = time.Mid(blank + 1);
    for (const SessionRange& session : sessions) {
        const int start = TimeNumber(session.strStart);
        int stop = TimeNumber(session.strEnd);
        int now = TimeNumber(time);
        if (stop < start)
            stop += 240000;
        if (now < start)
            now += 240000;
        if (now >= start && now <= stop)
            return 1;
    }
    return 0;
}

QuoteListRow BuildQuoteListRow(int row, const QuoteRow& quote,
                               const std::vector<CString>& shownTexts, const QuoteStore& store)
{
    QuoteListRow result;
    CString sequence;
    sequence.Format("%d", row + 1);
    const bool mainContract = quote.strName.Find(MAIN_CONTRACT_MARK) >= 0;

    if (quote.nHalted == 1) {
        result.colors.assign(kQuoteHaltedColors, kQuoteHaltedColors + QUOTE_LIST_COLUMNS);
        if (mainContract)
            result.colors[0] = result.colors[1] = result.colors[2] = kRed;
        result.texts[0] = sequence;
        result.texts[1] = quote.strCode;
        result.texts[2] = quote.strName;
        for (int column = 3; column < QUOTE_LIST_COLUMNS; ++column)
            result.texts[column] = "---";
        return result;
    }

    const CString raw[QUOTE_LIST_COLUMNS] = {
        sequence, quote.strCode, quote.strName, quote.strLastPrice, quote.strChange,
        quote.strBid1Volume, quote.strBid1Price, quote.strAsk1Price, quote.strAsk1Volume,
        quote.strVolume, quote.strVolumeSinceLast, quote.strHigh, quote.strLow, quote.strOpen,
        quote.strChangePercent, quote.strPrevClose,
    };
    const double reference = atof(quote.strPrevClose);
    result.colors.assign(kQuoteFallColors, kQuoteFallColors + QUOTE_LIST_COLUMNS);
    std::vector<COLORREF>& colors = result.colors;
    for (int column = 0; column < QUOTE_LIST_COLUMNS; ++column) {
        if (raw[column].IsEmpty())
            continue;
        if (column == 2) {
            colors[0] = colors[1] = colors[2] = mainContract ? kRed : kYellow;
        } else if (IsPriceColumn(column) || column == 4 || column == 14) {
            // The change and its percentage take the colour of the last price.
            const double value = atof(IsPriceColumn(column) ? raw[column] : raw[3]);
            if (value < reference)
                colors[column] = kQuoteFallColors[column];
            else if (value == reference)
                colors[column] = colors[15];
            else
                colors[column] = kQuoteRiseColors[column];
        } else if (IsVolumeColumn(column)) {
            const double shown = column < static_cast<int>(shownTexts.size())
                                     ? atof(shownTexts[column]) : 0.0;
            const double value = atof(raw[column]);
            if (value > shown)
                colors[column] = kQuoteRiseColors[column];
            else if (value < shown)
                colors[column] = kQuoteFallColors[column];
        }
    }

    const int decimals = GetPriceDecimals(quote.strCode, store);
    for (int column = 0; column < QUOTE_LIST_COLUMNS; ++column) {
        if (column == 14)
            result.texts[column] = raw[column].IsEmpty()
                                       ? CString()
                                       : FormatNumberString(raw[column], 2) + "%";
        else if (IsPriceColumn(column) || column == 4 || column == 15)
            result.texts[column] = FormatNumberString(raw[column], decimals);
        else
            result.texts[column] = raw[column];
    }
    return result;
}
