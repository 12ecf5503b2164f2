#include "ProgramFollowServices.h"

#include <vector>

#include "ConnectionRegistry.h"
#include "QuoteStore.h"
#include "RandomId.h"
#include "ServerClock.h"
#include "ServerSession.h"
#include "SymbolRules.h"
#include "ThreadWait.h"
#include "TradingSessions.h"

CProgramFollowServices::CProgramFollowServices(HWND mainWindow) : m_mainWindow(mainWindow)
{
}

bool CProgramFollowServices::FindSectorName(const CString& code, CString& sectorName)
{
    CString marketKey, extra;
    return GetQuoteStore().FindInstrument(code, marketKey, sectorName, extra) != FALSE;
}

int CProgramFollowServices::GetPriceDecimals(const CString& code)
{
    return ::GetPriceDecimals(code);
}

CString CProgramFollowServices::GetMinPriceStep(const CString& code)
{
    return ::GetMinPriceStep(code);
}

CString CProgramFollowServices::GetLastSessionEnd(const CString& code)
{
    std::vector<SessionRange> sessions;
    GetTradingSessions(code, sessions);
    return sessions.empty() ? CString() : sessions.back().strEnd;
}

bool CProgramFollowServices::GetLastPrice(const CString& code, CString& lastPrice)
{
    SectorRow row;
    if (!GetQuoteStore().GetQuoteRow(code, row))
        return false;
    lastPrice = row.quote.strLastPrice;
    return true;
}

bool CProgramFollowServices::FindOrderStateByClientRef(const CString& clientRef,
                                                       OrderStateRecord& state)
{
    return GetQuoteStore().FindOrderStateByFirstKey(clientRef, state) != FALSE;
}

bool CProgramFollowServices::FindOrderState(const CString& orderKey, OrderStateRecord& state)
{
    return GetQuoteStore().FindOrderState(orderKey, state) != FALSE;
}

int CProgramFollowServices::SendOrder(const OrderRequest& request)
{
    if (!IsWindow(m_mainWindow))
        return -1;
    // The window reads the request during the call. Should the call time out, the window may
    // still read it later, so the copy it points to is then left alive on purpose.
    OrderRequest* copy = new OrderRequest(request);
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(m_mainWindow, WM_SEND_NEW_ORDER, (WPARAM)copy, 0,
                             SMTO_NORMAL | SMTO_ABORTIFHUNG, kSendTimeoutMs, &answer))
        return SEND_TIMED_OUT;
    delete copy;
    return (int)(LRESULT)answer;
}

int CProgramFollowServices::SendCancel(const CString& orderKey)
{
    CServerSession* session = GetConnectionRegistry().GetOrderSession();
    if (session == nullptr)
        return -1;
    return session->SendCancelOrder(orderKey);
}

CString CProgramFollowServices::MakeClientRef()
{
    return MakeRandomId();
}

CTime CProgramFollowServices::GetServerTime()
{
    return ::GetServerTime();
}

ULONGLONG CProgramFollowServices::GetTickMs()
{
    return GetTickCount64();
}

bool CProgramFollowServices::WaitForStop(HANDLE stopEvent, DWORD ms)
{
    return WaitForSingleObject(stopEvent, ms) == WAIT_OBJECT_0;
}
