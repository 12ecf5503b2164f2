// Everything a follow-order worker reads or sends, behind one interface: the program's quote
// store, symbol rules, order session and main window in use, scripted fakes in tests. Every
// call may come from any worker thread at any time.
#pragma once
#include <afx.h>
#include <atltime.h>
#include "OrderRequest.h"
#include "OrderStateRecord.h"

#ifndef WM_SEND_NEW_ORDER
#define WM_SEND_NEW_ORDER 11120  // wParam OrderRequest*, the main window answers 0 when sent
#endif

class IFollowServices
{
public:
    virtual ~IFollowServices() {}

    // The sector that holds the code; false for an unknown code.
    virtual bool FindSectorName(const CString& code, CString& sectorName) = 0;
    virtual int GetPriceDecimals(const CString& code) = 0;
    virtual CString GetMinPriceStep(const CString& code) = 0;
    // "HH:MM:SS" end of the code's last session of the day; empty when it has none.
    virtual CString GetLastSessionEnd(const CString& code) = 0;
    // The last price text of the code's quote; false when the code has no quote.
    virtual bool GetLastPrice(const CString& code, CString& lastPrice) = 0;
    virtual bool FindOrderStateByClientRef(const CString& clientRef, OrderStateRecord& state) = 0;
    virtual bool FindOrderState(const CString& orderKey, OrderStateRecord& state) = 0;
    // Hands the order to the main window: 0 when it went out, SEND_TIMED_OUT when the window
    // did not answer in time (the order may still go out), other values when it was refused.
    enum { SEND_TIMED_OUT = -100 };
    virtual int SendOrder(const OrderRequest& request) = 0;
    // 0 when the cancel was sent, -1 when there is no order session, other values refused.
    virtual int SendCancel(const CString& orderKey) = 0;
    virtual CString MakeClientRef() = 0;
    virtual CTime GetServerTime() = 0;
    // Milliseconds of a monotonic clock, and a wait on the worker's stop event: true when the
    // stop came (at once), false after ms. The time of both moves together.
    virtual ULONGLONG GetTickMs() = 0;
    virtual bool WaitForStop(HANDLE stopEvent, DWORD ms) = 0;
};
