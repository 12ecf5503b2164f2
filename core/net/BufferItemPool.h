// Page-sized byte blocks for the TCP client's send queue, taken from a private heap and
// kept on a bounded free list, so steady traffic allocates nothing.
#pragma once
#include <afx.h>

// One heap block: this header followed by `capacity` bytes. The unsent bytes of an item lie
// between its read and write positions. Items link into lists through prev and next.
struct BufferItem
{
    HANDLE heap;
    BufferItem* prev;
    BufferItem* next;
    int capacity;
    BYTE* begin;
    BYTE* read;
    BYTE* write;

    int Unread() const { return (int)(write - read); }
    int Free() const { return (int)(begin + capacity - write); }
};

// A doubly linked list of items (the send queue). Not locked: its owner locks.
class CBufferItemList
{
public:
    CBufferItemList() : m_head(NULL), m_tail(NULL), m_count(0) {}

    BufferItem* Head() const { return m_head; }
    BufferItem* Tail() const { return m_tail; }
    int Count() const { return m_count; }
    void PushBack(BufferItem* item);
    void PushFront(BufferItem* item);
    BufferItem* PopFront();

private:
    BufferItem* m_head;
    BufferItem* m_tail;
    int m_count;
};

class CBufferItemPool
{
public:
    CBufferItemPool();
    ~CBufferItemPool();
    CBufferItemPool(const CBufferItemPool&) = delete;
    CBufferItemPool& operator=(const CBufferItemPool&) = delete;

    // Settings for items taken from now on: bytes per item, the number of free items kept
    // after a trim, and the number of free items at which a trim happens.
    void Configure(int itemCapacity, int poolSize, int poolHold);

    // An empty item (null when the heap is exhausted).
    BufferItem* Take();
    // Puts an item back on the free list, or frees it when the list is full.
    void Return(BufferItem* item);
    // Frees every item of the list (items taken from this pool).
    void ReturnAll(CBufferItemList& list);
    // Frees every free item and replaces the private heap by a new one. The caller makes sure
    // no item of the old heap is still in use.
    void Clear();

    int GetFreeCount();
    int GetItemCapacity() const { return m_itemCapacity; }

private:
    BufferItem* Allocate();
    void FreeItem(BufferItem* item);

    HANDLE m_heap;
    int m_itemCapacity;
    int m_poolSize;
    int m_poolHold;
    CRITICAL_SECTION m_lock;  // guards the free list and the heap handle
    CBufferItemList m_free;
};
