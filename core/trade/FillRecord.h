// One item of a fills reply ("ExecOrdersResult"): 0 date (first eight characters of the
// item's time stamp), 1 time (its last eight characters), then the item's values 1, 2 and 3.
#pragma once
#include <afx.h>

struct FillRecord
{
    enum { kFieldCount = 5 };
    CString strFields[kFieldCount];
};
