// One order on its way to the wire: the six texts of "neworder@" in their field order, and
// whether the order-supplement console made it. The sender owns it; it travels by address.
#pragma once
#include <afx.h>

struct OrderRequest
{
    CString code;       // instrument code
    CString price;      // price text as the user typed it (empty for a market order)
    CString quantity;   // quantity in units
    CString side;       // "B" buy or "S" sell
    CString orderType;  // "M" market, "L" limit, "S" stop
    CString clientRef;  // client reference (MakeRandomId)
    bool isFollowOrder = false;
};
