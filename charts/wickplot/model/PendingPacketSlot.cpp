#include "PendingPacketSlot.h"
#include "ChartPacket.h"

CPendingPacketSlot::~CPendingPacketSlot()
{
    FreeChartPacket(m_pPacket);
}

void CPendingPacketSlot::Put(HistoryPacket* pPacket)
{
    HistoryPacket* pReplaced;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        pReplaced = m_pPacket;
        m_pPacket = pPacket;
    }
    FreeChartPacket(pReplaced);
}

HistoryPacket* CPendingPacketSlot::Take()
{
    std::lock_guard<std::mutex> guard(m_lock);
    HistoryPacket* pPacket = m_pPacket;
    m_pPacket = nullptr;
    return pPacket;
}
