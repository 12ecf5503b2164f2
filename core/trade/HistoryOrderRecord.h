// One item of an order-list reply ("SubmittedOrdersResult"): 0 contract code, 1 contract name
// (the code when the reply names none), 2 third part of the item's head, then the item's
// values 1 to 14 in order (3 order number, 4 side, 5 price, 6 quantity, 7 date, 8 time,
// 9 filled amount, 10 fee, 11 order type, 12 filled quantity, 13 state letter, 14 profit,
// 15 closed quantity, 16 open/close effect; "---" in 14 to 16 unless the order has fills).
#pragma once
#include <afx.h>

struct HistoryOrderRecord
{
    enum { kFieldCount = 17 };
    CString strFields[kFieldCount];
};
