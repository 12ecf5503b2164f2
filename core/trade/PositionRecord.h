// One entry of a "PositionResult" reply: eight texts taken by position from its fields
// (0 contract code, 1 name, 2 third text of the item head, 3 side, 4 quantity, 5 holding cost,
// 6 contract multiplier, 7 currency code).
#pragma once
#include <afx.h>

struct PositionRecord
{
    enum { kFieldCount = 8 };
    CString strFields[kFieldCount];
};
