// The cells and colours of an order row as the console's order list and the history-order
// query window show them.
#pragma once
#include <afx.h>
#include <vector>
#include "OrderRow.h"

// Columns of the history-order list; the console's list has the account's name after the
// account (so every column from the code on sits one further right there).
enum OrderListColumn {
    ORDER_COL_TIME, ORDER_COL_ACCOUNT, ORDER_COL_CODE, ORDER_COL_TYPE, ORDER_COL_SIDE,
    ORDER_COL_PRICE, ORDER_COL_QUANTITY, ORDER_COL_FILLED, ORDER_COL_STATE, ORDER_COL_FEE,
    ORDER_COL_AVERAGE, ORDER_COL_ORDER_NO, ORDER_COL_SUBMIT_NO, ORDER_COL_COUNT
};

// The thirteen cells: prices with the code's decimals, quantities with its quantity decimals,
// "强平" for a negative submission number, "---" for an empty fee and for the average price of
// an order without fills.
std::vector<CString> OrderListCells(const OrderRow& row);

// Per-cell text colours: the side ("买" red, "卖" green) and the state (filled, void and forced
// liquidation red, submitted green); every other cell black.
std::vector<COLORREF> OrderListColors(const std::vector<CString>& cells, int sideColumn, int stateColumn);

// The average fill price text: "---" when the filled quantity reads as 0.
CString AverageFillPriceText(const OrderRow& row, int decimals);
