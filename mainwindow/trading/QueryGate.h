// The one query or order command that may be outstanding: its kind under a lock (the query
// receiver sets and ends the initial-load kind from its own thread) and the watchdog count of
// timer 1. Busy and time-out boxes are shown after the lock is left.
#pragma once
#include <afx.h>

class CQueryGate
{
public:
    enum Kind
    {
        IDLE = 0,
        POSITIONS = 1,
        ALL_ORDERS = 2,
        CANCELLABLE_ORDERS = 3,
        CANCEL_ONE = 4,
        CANCEL_ALL = 5,
        FUNDS = 6,
        HISTORY = 7,
        INITIAL_LOAD = 8,
        FILLS = 9,
        KIND_COUNT
    };
    // Timer 1 declares a time-out when the tick count exceeds this (the sixth tick).
    enum { kTimeoutLimit = 5 };
    enum { kTimerId = 1, kTimerPeriodMs = 1000 };

    CQueryGate();
    ~CQueryGate();
    CQueryGate(const CQueryGate&) = delete;
    CQueryGate& operator=(const CQueryGate&) = delete;

    // Owner of the busy and time-out boxes.
    void SetOwner(HWND owner) { m_owner = owner; }
    HWND GetOwner() const { return m_owner; }

    // Kind 0 always succeeds and ends the pending query; another kind only while none is
    // pending. Setting a kind restarts the tick count. With showBusy a refusal shows the busy
    // text of the pending kind.
    bool SetPending(int kind, bool showBusy);
    bool IsIdle(bool showBusy);
    int GetPending() const;
    // Ends the pending query only while it is of this kind (a late end never ends a newer
    // query of another kind).
    bool EndIf(int kind);
    void ResetTicks();
    int GetTicks() const;

    // One tick of timer 1: counts while a query is pending. On the tick that passes the limit
    // the pending kind is ended and returned (the caller shows its time-out text); else 0.
    int Tick();

    static const char* BusyText(int kind);
    // Null for kinds without a time-out box (0 and 8).
    static const char* TimeoutText(int kind);

private:
    mutable CRITICAL_SECTION m_lock;
    int m_kind;
    int m_ticks;
    HWND m_owner;
};
