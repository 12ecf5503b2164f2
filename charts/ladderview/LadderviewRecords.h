// Records the main program hands to the depth window by value; the window keeps copies.
#pragma once

#include <afx.h>

// Five levels a side. Sell entries run from level 5 (index 0) to the best ask (index 4),
// buy entries from the best bid (index 0) to level 5. An empty text or "---" is a missing
// level; the integer arrays travel with the record and are not shown.
struct DepthLevelsRecord {
    CString strSellPrice[5];
    int nSellValue[5] = {};
    CString strSellVolume[5];
    CString strBuyPrice[5];
    int nBuyValue[5] = {};
    CString strBuyVolume[5];
};

// [0] code, [1] name, [2] latest, [3] change, [4] change percent, [5] total volume,
// [6] last volume, [7] limit up, [9] outer volume, [11] previous close (the reference of
// every colour), [12] open, [13] high, [14] low, [15] limit down, [16] position
// difference, [17] inner volume; [8] and [10] are not shown.
struct DepthStockInfo {
    CString strInfo[18];
    int nDirection = 0;  // of the latest price: 0 unchanged, 1 up, 2 down
};

// One trade; the same layout is a node of the window's trade list, whose colours, links
// and index the window sets.
struct DepthTradeTick {
    CString strTime;  // HH:MM:SS
    CString strPrice;
    int nPriceColor = 0;
    CString strVolume;
    int nVolumeColor = 0;
    CString strExtra1;
    CString strExtra2;
    int nExtra = 0;
    DepthTradeTick* pPrev = nullptr;
    DepthTradeTick* pNext = nullptr;
    int nIndex = 0;
};
