// An order event of a client account as the proxy user's own trading connection reports it:
// the client's account beside the twelve fields of the order. It is also the row of the
// order-supplement console's order list.
#pragma once
#include <afx.h>

#include "OrderInfo.h"

struct OrderRow : OrderInfo
{
    CString clientName;
};
