#include "RealTimeQueue.h"
#include "ChartPacket.h"

CRealTimeQueue::~CRealTimeQueue()
{
    Clear();
}

void CRealTimeQueue::Push(WickplotBar* pRecord)
{
    if (pRecord == nullptr)
        return;
    std::lock_guard<std::mutex> guard(m_lock);
    m_records.push_back(pRecord);
}

WickplotBar* CRealTimeQueue::Pop()
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_records.empty())
        return nullptr;
    WickplotBar* pRecord = m_records.front();
    m_records.pop_front();
    return pRecord;
}

void CRealTimeQueue::Clear()
{
    std::deque<WickplotBar*> stale;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        stale.swap(m_records);
    }
    for (WickplotBar* pRecord : stale)
        DestroyWickplotBar(pRecord);
}
