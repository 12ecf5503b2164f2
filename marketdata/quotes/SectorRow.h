// One line of a sector: the instrument's list head and its latest quote.
#pragma once
#include <afx.h>
#include "QuoteRow.h"

struct SectorRow
{
    CString strCode;      // the row's key within its sector
    CString strName;
    CString strInitials;  // pinyin initials of the name
    int nListIndex = 0;   // position in its instrument list; sort key of column 0
    CString strExtra;     // empty in rows built from an instrument list
    QuoteRow quote;       // code, name and initials equal the head's
};
