// Freeing the records that the program hands to the chart with new (one shared heap).
#pragma once
#include "HistoryPacket.h"

// Deletes every bar of the chain, then the packet. Null is ignored.
void FreeChartPacket(HistoryPacket* pPacket);

// Deletes one real-time record. Null is ignored.
void DestroyWickplotBar(WickplotBar* pBar);
