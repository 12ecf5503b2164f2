#include "FakeFollowServices.h"

void FakeFollowServices::SetStateOfRef(const CString& clientRef, const char* state, const char* done)
{
    std::lock_guard<std::recursive_mutex> hold(lock);
    for (auto& entry : states) {
        if (entry.second.strClientRef == clientRef) {
            entry.second.strState = state;
            entry.second.strDoneQuantity = done;
        }
    }
}

std::vector<FakeFollowServices::SentOrder> FakeFollowServices::Orders()
{
    std::lock_guard<std::recursive_mutex> hold(lock);
    return orders;
}

size_t FakeFollowServices::OrderCount()
{
    std::lock_guard<std::recursive_mutex> hold(lock);
    return orders.size();
}

size_t FakeFollowServices::CancelCount()
{
    std::lock_guard<std::recursive_mutex> hold(lock);
    return cancelTimes.size();
}

bool FakeFollowServices::FindSectorName(const CString& code, CString& sectorName)
{
    std::lock_guard<std::recursive_mutex> hold(lock);
    if (code == "UNKNOWN")
        return false;
    sectorName = sector;
    return true;
}

int FakeFollowServices::GetPriceDecimals(const CString&)
{
    return decimals;
}

CString FakeFollowServices::GetMinPriceStep(const CString&)
{
    std::lock_guard<std::recursive_mutex> hold(lock);
    return step;
}

CString FakeFollowServices::GetLastSessionEnd(const CString&)
{
    std::lock_guard<std::recursive_mutex> hold(lock);
    return sessionEnd;
}

bool FakeFollowServices::GetLastPrice(const CString& code, CString& lastPrice)
{
    std::lock_guard<std::recursive_mutex> hold(lock);
    auto found = lastPrices.find(code);
    if (found == lastPrices.end())
        return false;
    lastPrice = found->second;
    return true;
}

bool FakeFollowServices::FindOrderStateByClientRef(const CString& clientRef, OrderStateRecord& state)
{
    std::lock_guard<std::recursive_mutex> hold(lock);
    for (const auto& entry : states) {
        if (entry.second.strClientRef == clientRef) {
            state = entry.second;
            return true;
        }
    }
    return false;
}

bool FakeFollowServices::FindOrderState(const CString& orderKey, OrderStateRecord& state)
{
    std::lock_guard<std::recursive_mutex> hold(lock);
    auto found = states.find(orderKey);
    if (found == states.end())
        return false;
    state = found->second;
    return true;
}

int FakeFollowServices::SendOrder(const OrderRequest& request)
{
    std::lock_guard<std::recursive_mutex> hold(lock);
    ++sendAttempts;
    if (refuseAnswer != 0 && refusalsLeft != 0) {
        if (refusalsLeft > 0)
            --refusalsLeft;
        return refuseAnswer;
    }
    orders.push_back({request, m_ms.load()});
    if (request.orderType == "L") {
        OrderStateRecord state;
        state.strClientRef = request.clientRef;
        state.strOrderKey.Format("K%d", ++m_nextKey);
        state.strState = "已提交";
        state.strDoneQuantity = "0";
        state.strTotalQuantity = request.quantity;
        states[state.strOrderKey] = state;
    }
    return 0;
}

int FakeFollowServices::SendCancel(const CString& orderKey)
{
    std::lock_guard<std::recursive_mutex> hold(lock);
    if (!hasOrderSession)
        return -1;
    cancelTimes.push_back(m_ms.load());
    if (onCancel)
        onCancel(*this, orderKey);
    return 0;
}

CString FakeFollowServices::MakeClientRef()
{
    std::lock_guard<std::recursive_mutex> hold(lock);
    CString ref;
    ref.Format("ref%d", ++m_nextRef);
    return ref;
}

CTime FakeFollowServices::GetServerTime()
{
    return serverStart + CTimeSpan((LONGLONG)(m_ms.load() / 1000));
}

ULONGLONG FakeFollowServices::GetTickMs()
{
    return m_ms.load();
}

bool FakeFollowServices::WaitForStop(HANDLE stopEvent, DWORD ms)
{
    if (WaitForSingleObject(stopEvent, realWaits ? ms : 0) == WAIT_OBJECT_0)
        return true;
    m_ms += ms;
    std::lock_guard<std::recursive_mutex> hold(lock);
    if (onWait)
        onWait(*this);
    return false;
}
