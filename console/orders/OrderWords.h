// The console's texts of an order event's state, type and side words, and the states that
// end an order.
#pragma once
#include <afx.h>
#include "OrderRow.h"

// Translates st, ty and an in place; empty fields and unknown words stay as they are. A
// pending cancel may still fill, so "PendingCancel" reads as submitted, not as cancelled.
void TranslateOrderWords(OrderRow& row);

// "已成交", "已作废", "已取消" and "强平".
bool IsFinalOrderState(const CString& state);
// "已成交" and "强平".
bool IsFillOrderState(const CString& state);

// The key under which a fill is followed once: account, order number and submission number,
// joined with a separator so that ("12", "34") and ("1", "234") stay two keys.
CString MakeFillKey(const OrderRow& row);

// True when a's order time is later than b's (digits of "ot" compared as 64-bit numbers).
bool CompareOrderTimeDesc(const OrderRow& a, const OrderRow& b);

// The state the console's list shows: "强平" for a negative submission number.
CString ShownOrderState(const OrderRow& row);
