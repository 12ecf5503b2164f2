// The latest state of one order, kept by the quote store.
#pragma once
#include <afx.h>

struct OrderStateRecord
{
    CString strClientRef;      // second key (FindOrderStateByFirstKey)
    CString strOrderKey;       // key on which updates match
    CString strState;          // "已成交", "已作废" and "已取消" are final
    CString strDoneQuantity;   // decimal; total minus done is the open quantity
    CString strTotalQuantity;  // decimal
};
