// What the reply receivers need of the main window. The receivers run on threads of their own:
// they deliver records to the window by SendMessage and call only the operations below, which
// the main window implements without touching a window (its query state lives under a lock).
#pragma once
#include <afx.h>

#include "ReplySlots.h"

class IReceiverHost
{
public:
    virtual ~IReceiverHost() {}

    // The window every record goes to.
    virtual HWND GetMainWindow() = 0;
    // The main window's reply slots.
    virtual CReplySlots& GetReplySlots() = 0;
    // Marks a query kind as pending without any busy message; kind 0 ends the pending query.
    // True when the kind was set (kind 0 always is; another kind only while none is pending).
    virtual bool SetPendingQuery(int kind) = 0;
    // Restarts the pending query's time-out count (a reply is still arriving).
    virtual void ResetQueryTimeout() = 0;
    // Contract size of a code (the symbol rules of the market data); profits of order lists
    // are scaled by it.
    virtual double GetContractMultiplier(LPCTSTR code) = 0;
};
