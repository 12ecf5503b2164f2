// What one quote row of a quote list page shows: sixteen texts and their colours (red
// rises, green falls, grey unchanged or halted), and whether the instrument is trading now,
// which decides the change marking of the last price.
#pragma once

#include "QuoteStore.h"

#include <afx.h>
#include <vector>

enum { QUOTE_LIST_COLUMNS = 16 };

#define MAIN_CONTRACT_MARK "(主力)"

struct QuoteListRow
{
    CString texts[QUOTE_LIST_COLUMNS];
    std::vector<COLORREF> colors;
};

// Colour tables by column.
extern const COLORREF kQuoteRiseColors[QUOTE_LIST_COLUMNS];
extern const COLORREF kQuoteFallColors[QUOTE_LIST_COLUMNS];
extern const COLORREF kQuoteHaltedColors[QUOTE_LIST_COLUMNS];

// Row `row` (shown as row + 1) of the quote. shownTexts are the texts the list shows in that
// row now (the volumes compare with them); fewer than sixteen count as empty.
QuoteListRow BuildQuoteListRow(int row, const QuoteRow& quote,
                               const std::vector<CString>& shownTexts,
                               const QuoteStore& store = GetQuoteStore());

// 1 when the quote's time lies in one of the code's trading sessions; a session whose stop
// is below its start runs over midnight.
int IsInTradingSession(const QuoteRow& quote, const QuoteStore& store = GetQuoteStore());
