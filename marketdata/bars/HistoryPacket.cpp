#include "HistoryPacket.h"
#include <stdlib.h>

int BarDirection(const CString& open, const CString& close)
{
    // Numbers, not texts: "9.5" against "10.2" is a rise.
    double openValue = atof(open);
    double closeValue = atof(close);
    if (openValue > closeValue)
        return 2;
    if (openValue < closeValue)
        return 1;
    return 0;
}

void AppendHistoryBar(HistoryPacket& packet, WickplotBar* pBar, WickplotBar*& pLast)
{
    pBar->pNext = nullptr;
    pBar->nIndex = packet.nCount;
    if (pLast == nullptr)
        packet.pFirst = pBar;
    else
        pLast->pNext = pBar;
    pLast = pBar;
    ++packet.nCount;
}
