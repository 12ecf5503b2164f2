// What the reply receivers need of the main window: its handle, its reply slots and its one
// pending query, kept under a lock because the receivers call from their own threads.
#pragma once
#include <afxmt.h>

#include "ReceiverHost.h"

// The owner of the main window's query state once its trading handlers exist; it must take the
// calls from the receivers' threads.
class IQueryStateOwner
{
public:
    virtual ~IQueryStateOwner() {}
    virtual bool SetPendingFromReceiver(int kind) = 0;
    virtual void ResetTicksFromReceiver() = 0;
};

class CMainReceiverHost : public IReceiverHost
{
public:
    explicit CMainReceiverHost(HWND mainWindow) : m_mainWindow(mainWindow) {}

    HWND GetMainWindow() override { return m_mainWindow; }
    CReplySlots& GetReplySlots() override { return m_slots; }
    bool SetPendingQuery(int kind) override;
    void ResetQueryTimeout() override;
    double GetContractMultiplier(LPCTSTR code) override;

    // From now on the owner keeps the query state (null: the host again); a kind the host
    // holds is handed over.
    void AttachQueryState(IQueryStateOwner* owner);

private:
    HWND m_mainWindow;
    CReplySlots m_slots;
    CCriticalSection m_queryLock;
    IQueryStateOwner* m_queryOwner = nullptr;
    int m_pendingQuery = 0;
    int m_queryTicks = 0;
};
