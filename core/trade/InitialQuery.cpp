#include "InitialQuery.h"

#include "ConnectionRegistry.h"
#include "ConnectionStates.h"
#include "ReceiverHost.h"
#include "ReplyMessages.h"

namespace
{
const int kSettleSteps = 10;   // before the first request
const int kAnswerSteps = 10;   // per try
const int kTries = 3;
const int kAllOrdersKind = 6;
const DWORD kStopWaitMs = 3000;
}

CInitialQuery::CInitialQuery(IReceiverHost& host, CConnectionRegistry& registry)
    : m_host(host), m_registry(registry), m_worker("initial query"), m_stepMs(100)
{
    ClearArrivals();
}

CInitialQuery::~CInitialQuery()
{
    m_worker.Join(kStopWaitMs);
}

void CInitialQuery::NoteArrival(Arrival arrival)
{
    InterlockedExchange(&m_arrived[arrival], 1);
}

bool CInitialQuery::HasArrived(Arrival arrival) const
{
    return m_arrived[arrival] != 0;
}

void CInitialQuery::ClearArrivals()
{
    for (int i = 0; i < ARRIVAL_COUNT; ++i)
        InterlockedExchange(&m_arrived[i], 0);
}

bool CInitialQuery::Start()
{
    if (!Stop(kStopWaitMs))
        return false;
    return m_worker.Start([this] { Run(); });
}

void CInitialQuery::RequestStop()
{
    m_worker.RequestStop();
}

bool CInitialQuery::Stop(DWORD timeoutMs)
{
    return m_worker.Stop(timeoutMs);
}

bool CInitialQuery::WaitSteps(int steps, bool watchConnection, Arrival* arrival)
{
    for (int i = 0; i < steps; ++i)
    {
        if (m_worker.IsStopRequested())
            return false;
        if (watchConnection && QueryConnectionState != CONNECTION_LOGGED_IN)
            return false;
        if (arrival != NULL && HasArrived(*arrival))
            return true;
        if (m_worker.WaitForWake(m_stepMs))
            return false;
    }
    if (m_worker.IsStopRequested())
        return false;
    return !(watchConnection && QueryConnectionState != CONNECTION_LOGGED_IN);
}

bool CInitialQuery::AskUntilAnswered(Arrival arrival, const std::function<void()>& send)
{
    for (int attempt = 0; attempt < kTries && !HasArrived(arrival); ++attempt)
    {
        m_host.ResetQueryTimeout();
        send();
        if (!WaitSteps(kAnswerSteps, true, &arrival))
            return false;
    }
    return true;
}

int CInitialQuery::Run()
{
    CServerSession* session = m_registry.GetQuerySession();
    if (session == NULL)
        return -1;
    if (!WaitSteps(kSettleSteps, false, NULL))
        return 0;

    CReplySlots& slots = m_host.GetReplySlots();
    slots.Set(CReplySlots::FUNDS_SLOT, WM_FUNDS_UPDATE);
    if (!AskUntilAnswered(SUMMARY_ARRIVED, [session] { session->QuerySummary(); }))
        return 0;

    slots.Set(CReplySlots::POSITION_SLOT, WM_REPLY_POSITIONS);
    if (!AskUntilAnswered(POSITIONS_ARRIVED, [session] { session->QueryPosition(); }))
        return 0;

    // The order tables belong to the main window's thread: it empties them itself and shows
    // the list of all orders before the answer arrives.
    ::SendMessage(m_host.GetMainWindow(), WM_RESET_ORDER_TABLES, 0, 0);
    slots.Set(CReplySlots::ORDER_LIST_SLOT, WM_REPLY_ORDER_LIST);
    AskUntilAnswered(ORDERS_ARRIVED, [session] { session->QueryStateOrders(kAllOrdersKind); });
    return 0;
}
