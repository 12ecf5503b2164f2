// One entry of an instrument list, filled by position from the list's keys.
#pragma once
#include <afx.h>

struct MarketListItem
{
    CString strIndex;
    CString strCode;
    CString strName;
    CString strNameEn;
    CString strType;
};
