// The one-slot place of the history packet that waits to be loaded: only the newest packet
// handed to the chart is ever loaded, a replaced one is freed unseen.
#pragma once
#include "HistoryPacket.h"
#include <mutex>

class CPendingPacketSlot
{
public:
    ~CPendingPacketSlot();
    void Put(HistoryPacket* pPacket);
    // The waiting packet, now the caller's; null when none.
    HistoryPacket* Take();

private:
    std::mutex m_lock;
    HistoryPacket* m_pPacket = nullptr;
};
