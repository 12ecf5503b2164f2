// What the trade dialog sends down, as plain text rules: the rows of the positions, today's
// orders and today's fills, the account header's figures, the steps that bring the orders
// list to a new set of rows, and which main-window message a request of a trading window
// becomes.
#pragma once
#include <afx.h>

#include <TradingRecords.h>

#include <vector>

#include "PositionRecord.h"
#include "SummaryRecord.h"
#include "trading/OrderEntry.h"

namespace tradepanel {

// Seven cells: name (without "(主力)", "(平仓中)" added while closing), code, side, quantity,
// cost, floating profit, currency. `texts`: 0 name, 1 code, 2 side, 3 quantity, 4 cost,
// 5 floating profit, 6 multiplier (not shown), 7 currency code.
CString PositionRowText(const CString* texts, bool closing);
// The fifteen cells of a today's-orders row.
CString OrderRowText(const OrderEntry& order);
// The ten cells of a today's-fills row.
CString FillRowText(const OrderEntry& order);
// A quantity text of the server (forex in units) as the lists show it: forex in lots, then
// normalised with the code's quantity decimals; texts of other characters than digits and a
// point stay as they are.
CString NormalizeQuantityText(const CString& code, const CString& text);

// The figures form of the account header; fonts are left as they are.
void FillSummaryFigures(AccountSummary& summary, const CString& title, const SummaryRecord& funds);

// The list commands that turn a list of `kept` rows into `rows` (mode 0 rebuild, 1 new rows
// at the top, 2 at the bottom); `kept` becomes the new row count.
std::vector<ListCommand> PlanOrderRowSync(int& kept, const std::vector<CString>& rows, int mode);

// The main-window message for a request of a trading window, chosen by its caption; 0 when
// the request is dropped. `wParam` may be replaced (the query tabs pass 0 or 3).
UINT RelayTarget(UINT message, const CString& caption, WPARAM& wParam);

// A chosen today's-orders row back as an order: the first twelve fields from the first
// twelve cells; an empty order when the row has fewer.
OrderEntry OrderFromRow(const CString& row);

}  // namespace tradepanel
