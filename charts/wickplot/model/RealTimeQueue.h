// The real-time records that wait to be merged, oldest first. The queue owns them.
#pragma once
#include "HistoryPacket.h"
#include <deque>
#include <mutex>

class CRealTimeQueue
{
public:
    ~CRealTimeQueue();
    void Push(WickplotBar* pRecord);
    // The oldest record, now the caller's; null when the queue is empty.
    WickplotBar* Pop();
    // Destroys every queued record: a new history makes them stale.
    void Clear();

private:
    std::mutex m_lock;
    std::deque<WickplotBar*> m_records;
};
