// The account funds of a "SummaryResult" reply: 0 total assets, 1 initial margin, 2 margin in
// use, 3 available funds, 4 liquidity, 5 same-day US-share round trips ("-1" unlimited),
// 6 currency code (empty when the order connection pushed the record).
#pragma once
#include <afx.h>

struct SummaryRecord
{
    enum { kFieldCount = 7 };
    CString strFields[kFieldCount];
};
