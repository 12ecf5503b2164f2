// What a sector's code map holds for a code. The market key decides every symbol rule:
// "CSM_P" A shares, "HKS_P" Hong Kong stocks, keys beginning "FEC" forex and spot metals...
#pragma once
#include <afx.h>

struct InstrumentRef
{
    CString strMarketKey;
    CString strSectorName;
    CString strExtra;
};
