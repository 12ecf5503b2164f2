// What the reply receivers need of the main window: its handle, its reply slots and its one
// pending query, kept under a lock because the receivers call from their own threads.
#pragma once
#include <afxmt.h>

#include "ReceiverHost.h"

class CMainReceiverHost : public IReceiverHost
{
public:
    explicit CMainReceiverHost(HWND mainWindow) : m_mainWindow(mainWindow) {}

    HWND GetMainWindow() override { return m_mainWindow; }
    CReplySlots& GetReplySlots() override { return m_slots; }
    bool SetPendingQuery(int kind) override;
    void ResetQueryTimeout() override;
    double GetContractMultiplier(LPCTSTR code) override;

private:
    HWND m_mainWindow;
    CReplySlots m_slots;
    CCriticalSection m_queryLock;
    int m_pendingQuery = 0;
    int m_queryTicks = 0;
};
