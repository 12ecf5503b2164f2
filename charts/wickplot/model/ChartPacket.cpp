#include "ChartPacket.h"

void FreeChartPacket(HistoryPacket* pPacket)
{
    if (pPacket == nullptr)
        return;
    WickplotBar* pBar = pPacket->pFirst;
    while (pBar != nullptr)
    {
        WickplotBar* pNext = pBar->pNext;
        delete pBar;
        pBar = pNext;
    }
    delete pPacket;
}

void DestroyWickplotBar(WickplotBar* pBar)
{
    delete pBar;
}
