#include "PendingPacketSlot.h"
#include "RealTimeQueue.h"
#include "WickplotTestData.h"
#include "ChartPacket.h"
#include <gtest/gtest.h>

TEST(ChartHandOver, OnlyTheNewestPendingPacketIsTaken)
{
    CPendingPacketSlot slot;
    EXPECT_EQ(nullptr, slot.Take());
    slot.Put(MakeWavePacket(3));
    HistoryPacket* pNewest = MakeWavePacket(4);
    slot.Put(pNewest);
    EXPECT_EQ(pNewest, slot.Take());
    EXPECT_EQ(nullptr, slot.Take());
    FreeChartPacket(pNewest);
    slot.Put(MakeWavePacket(2));   // still pending when the slot goes: freed with it
}

TEST(ChartHandOver, RealTimeRecordsLeaveInArrivalOrderUntilCleared)
{
    CRealTimeQueue queue;
    WickplotBar* pFirst = MakeBar({"20260310 10:00:00", 1, 1, 1, 1, 1});
    WickplotBar* pSecond = MakeBar({"20260310 10:01:00", 1, 1, 1, 1, 1});
    queue.Push(pFirst);
    queue.Push(nullptr);
    queue.Push(pSecond);
    EXPECT_EQ(pFirst, queue.Pop());
    EXPECT_EQ(pSecond, queue.Pop());
    EXPECT_EQ(nullptr, queue.Pop());
    queue.Push(pFirst);
    queue.Push(pSecond);
    queue.Clear();
    EXPECT_EQ(nullptr, queue.Pop());
}
