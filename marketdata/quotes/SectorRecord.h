// One sector of the quote store ("沪深", "港股", a contract list, or the user's "我的板块").
#pragma once
#include <map>
#include <vector>
#include <afx.h>
#include "InstrumentRef.h"
#include "SectorRow.h"

// Sort columns of a sector (column 0 and any unknown column mean list order)
enum SectorSortColumn
{
    SORT_BY_LIST_INDEX = 0,
    SORT_BY_CODE = 1,
    SORT_BY_INITIALS = 2,
    SORT_BY_LAST_PRICE = 3,
    SORT_BY_CHANGE = 4,
    SORT_BY_BID1_VOLUME = 5,
    SORT_BY_BID1_PRICE = 6,
    SORT_BY_ASK1_PRICE = 7,
    SORT_BY_ASK1_VOLUME = 8,
    SORT_BY_VOLUME = 9,
    SORT_BY_VOLUME_SINCE_LAST = 10,
    SORT_BY_HIGH = 11,
    SORT_BY_LOW = 12,
    SORT_BY_OPEN = 13,
    SORT_BY_CHANGE_PERCENT = 14,
    SORT_BY_PREV_CLOSE = 15
};

struct SectorRecord
{
    std::map<CString, InstrumentRef> mapInstruments; // code -> market key, sector, extra
    CString strName;                                 // unique in the store
    int nSortColumn = SORT_BY_LIST_INDEX;
    int nSortOrder = 1;                              // nonzero descending, 0 ascending
    std::vector<SectorRow> vecRows;                  // display order
};
