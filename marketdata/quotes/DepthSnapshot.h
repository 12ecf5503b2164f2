// The main program's five-level depth record, copied field by field into the depth window's
// record. Sell side from level 5 down to level 1, buy side from level 1 up to level 5.
#pragma once
#include <afx.h>

struct DepthSnapshot
{
    enum { LEVELS = 5, NO_LEVEL = 255 };

    CString strSellPrice[LEVELS];
    int nSellFlag[LEVELS] = {0, 0, 0, 0, 0};
    CString strSellVolume[LEVELS];
    CString strBuyPrice[LEVELS];
    int nBuyFlag[LEVELS] = {0, 0, 0, 0, 0};
    CString strBuyVolume[LEVELS];

    // What the chart hosts show for a level that has not been filled
    void ResetToAbsent()
    {
        for (int i = 0; i < LEVELS; ++i)
        {
            strSellPrice[i] = strSellVolume[i] = strBuyPrice[i] = strBuyVolume[i] = "---";
            nSellFlag[i] = nBuyFlag[i] = NO_LEVEL;
        }
    }
};
