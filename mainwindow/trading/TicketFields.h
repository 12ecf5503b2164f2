// What the order checks read of an order ticket of the order entry window.
#pragma once
#include <afx.h>

struct TicketFields
{
    CString direction;  // caption of the pressed button: "买入" or "卖出"
    CString priceKind;  // "市价", "限价" or "条件止损价"
    CString quantity;   // lots
    CString code;
    CString price;
    CString priceStep;  // minimum price step of the instrument
};
