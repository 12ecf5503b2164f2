// The main window's reply slots: the message number with which the next reply of a kind is
// delivered. A request sender stores a number before it sends; the receiver thread reads the
// slot at the moment it delivers, so a reply goes to the handler the last request chose.
// Written on one thread and read on another, hence the interlocked access.
#pragma once
#include <afx.h>

class CReplySlots
{
public:
    enum Slot
    {
        ORDER_SLOT = 0,      // "OrderInfo" of the order connection
        FILLS_SLOT,          // "ExecOrdersResult" of the query connection
        ORDER_LIST_SLOT,     // "SubmittedOrdersResult" of the query connection
        POSITION_SLOT,       // "PositionResult" of the query connection
        FUNDS_SLOT,          // "SummaryResult" of the query connection
        SLOT_COUNT
    };

    // Initial numbers: new order 11091, fills 11114, all orders 11094, positions 11076,
    // funds 11077.
    CReplySlots();

    UINT Get(Slot slot) const;
    void Set(Slot slot, UINT message);
    // Back to the initial numbers.
    void Reset();

private:
    volatile LONG m_messages[SLOT_COUNT];
};
