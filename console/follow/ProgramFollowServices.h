// The follow-order services of the running program: the process-wide quote store and symbol
// rules, the registry's order session, the server clock, and the main window, to which orders
// go by a send that gives up when the window is gone or does not answer.
#pragma once
#include <winsock2.h>
#include <windows.h>
#include "FollowServices.h"

class CProgramFollowServices : public IFollowServices
{
public:
    // How long a send to the main window may wait for its answer.
    static constexpr UINT kSendTimeoutMs = 30000;

    explicit CProgramFollowServices(HWND mainWindow);

    bool FindSectorName(const CString& code, CString& sectorName) override;
    int GetPriceDecimals(const CString& code) override;
    CString GetMinPriceStep(const CString& code) override;
    CString GetLastSessionEnd(const CString& code) override;
    bool GetLastPrice(const CString& code, CString& lastPrice) override;
    bool FindOrderStateByClientRef(const CString& clientRef, OrderStateRecord& state) override;
    bool FindOrderState(const CString& orderKey, OrderStateRecord& state) override;
    int SendOrder(const OrderRequest& request) override;
    int SendCancel(const CString& orderKey) override;
    CString MakeClientRef() override;
    CTime GetServerTime() override;
    ULONGLONG GetTickMs() override;
    bool WaitForStop(HANDLE stopEvent, DWORD ms) override;

private:
    HWND m_mainWindow;
};
