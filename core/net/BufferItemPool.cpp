#include "BufferItemPool.h"

void CBufferItemList::PushBack(BufferItem* item)
{
    item->next = NULL;
    item->prev = m_tail;
    if (m_tail != NULL)
        m_tail->next = item;
    else
        m_head = item;
    m_tail = item;
    ++m_count;
}

void CBufferItemList::PushFront(BufferItem* item)
{
    item->prev = NULL;
    item->next = m_head;
    if (m_head != NULL)
        m_head->prev = item;
    else
        m_tail = item;
    m_head = item;
    ++m_count;
}

BufferItem* CBufferItemList::PopFront()
{
    BufferItem* item = m_head;
    if (item == NULL)
        return NULL;
    m_head = item->next;
    if (m_head != NULL)
        m_head->prev = NULL;
    else
        m_tail = NULL;
    item->prev = item->next = NULL;
    --m_count;
    return item;
}

namespace {

int SystemPageSize()
{
    SYSTEM_INFO info;
    ::GetNativeSystemInfo(&info);
    return (int)info.dwPageSize;
}

} // namespace

CBufferItemPool::CBufferItemPool()
    : m_heap(::HeapCreate(0, 0, 0)), m_itemCapacity(SystemPageSize()), m_poolSize(300), m_poolHold(1200)
{
    ::InitializeCriticalSectionAndSpinCount(&m_lock, 4096);
}

CBufferItemPool::~CBufferItemPool()
{
    Clear();
    ::HeapDestroy(m_heap);
    ::DeleteCriticalSection(&m_lock);
}

void CBufferItemPool::Configure(int itemCapacity, int poolSize, int poolHold)
{
    ::EnterCriticalSection(&m_lock);
    // Free items of another size cannot serve the new one.
    if (itemCapacity != m_itemCapacity)
        while (BufferItem* item = m_free.PopFront())
            FreeItem(item);
    m_itemCapacity = itemCapacity;
    m_poolSize = poolSize;
    m_poolHold = poolHold;
    ::LeaveCriticalSection(&m_lock);
}

BufferItem* CBufferItemPool::Allocate()
{
    void* block = ::HeapAlloc(m_heap, 0, sizeof(BufferItem) + (SIZE_T)m_itemCapacity);
    if (block == NULL)
        return NULL;
    BufferItem* item = static_cast<BufferItem*>(block);
    item->heap = m_heap;
    item->prev = item->next = NULL;
    item->capacity = m_itemCapacity;
    item->begin = reinterpret_cast<BYTE*>(item + 1);
    return item;
}

void CBufferItemPool::FreeItem(BufferItem* item)
{
    ::HeapFree(item->heap, 0, item);
}

BufferItem* CBufferItemPool::Take()
{
    ::EnterCriticalSection(&m_lock);
    BufferItem* item = m_free.PopFront();
    if (item == NULL)
        item = Allocate();
    ::LeaveCriticalSection(&m_lock);
    if (item != NULL)
        item->read = item->write = item->begin;
    return item;
}

void CBufferItemPool::Return(BufferItem* item)
{
    ::EnterCriticalSection(&m_lock);
    if (m_free.Count() >= m_poolHold || item->capacity != m_itemCapacity)
    {
        FreeItem(item);
        while (m_free.Count() > m_poolSize)
            FreeItem(m_free.PopFront());
    }
    else
    {
        m_free.PushBack(item);
    }
    ::LeaveCriticalSection(&m_lock);
}

void CBufferItemPool::ReturnAll(CBufferItemList& list)
{
    while (BufferItem* item = list.PopFront())
        Return(item);
}

void CBufferItemPool::Clear()
{
    ::EnterCriticalSection(&m_lock);
    while (BufferItem* item = m_free.PopFront())
        FreeItem(item);
    ::HeapDestroy(m_heap);
    m_heap = ::HeapCreate(0, 0, 0);
    ::LeaveCriticalSection(&m_lock);
}

int CBufferItemPool::GetFreeCount()
{
    ::EnterCriticalSection(&m_lock);
    const int count = m_free.Count();
    ::LeaveCriticalSection(&m_lock);
    return count;
}
