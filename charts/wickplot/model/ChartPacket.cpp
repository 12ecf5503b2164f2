#include "ChartPacket.h"

void FreeChartPacket(HistoryPacket* pPacket)
{
    DeleteHistoryPacket(pPacket);
}

void DestroyWickplotBar(WickplotBar* pBar)
{
    delete pBar;
}
