#include "ReplySlots.h"

#include "ReplyMessages.h"

namespace
{
const UINT kInitialMessages[CReplySlots::SLOT_COUNT] = {
    WM_REPLY_NEW_ORDER,
    // Fills replies go to the fills handler; nothing else ever picks another number for them.
    WM_REPLY_FILLS,
    WM_REPLY_ORDER_LIST,
    WM_REPLY_POSITIONS,
    WM_FUNDS_UPDATE,
};
}

CReplySlots::CReplySlots()
{
    Reset();
}

UINT CReplySlots::Get(Slot slot) const
{
    if (slot < 0 || slot >= SLOT_COUNT)
        return 0;
    // A plain aligned 32-bit read is atomic; the volatile keeps it from being cached.
    return (UINT)m_messages[slot];
}

void CReplySlots::Set(Slot slot, UINT message)
{
    if (slot < 0 || slot >= SLOT_COUNT)
        return;
    InterlockedExchange(&m_messages[slot], (LONG)message);
}

void CReplySlots::Reset()
{
    for (int i = 0; i < SLOT_COUNT; ++i)
        InterlockedExchange(&m_messages[i], (LONG)kInitialMessages[i]);
}
