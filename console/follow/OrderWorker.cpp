#include "OrderWorker.h"

#include <math.h>
#include <stdlib.h>

namespace {

const double kStepEpsilon = 1e-7;

// The end of the session on the day of now, from its "HH:MM:SS" text ("24:00:00" is midnight).
CTime SessionEndOn(const CTime& now, const CString& endText)
{
    const CTime midnight(now.GetYear(), now.GetMonth(), now.GetDay(), 0, 0, 0);
    return midnight + CTimeSpan(0, atoi(endText.Left(2)), atoi(endText.Mid(3, 2)),
                                atoi(endText.Mid(6, 2)));
}

bool IsFilledState(const CString& state)
{
    return state == "已成交" || state == "强平";
}

bool IsCancelledState(const CString& state)
{
    return state == "已作废" || state == "已取消";
}

}  // namespace

bool IsDoneOrderState(const CString& state)
{
    return IsFilledState(state) || IsCancelledState(state);
}

CString FollowOrderPrice(const CString& filledAmount, int filledQuantity, double tick,
                         int decimals, const CString& side, int slipPoints)
{
    if (filledQuantity == 0)
        return CString();
    if (!(tick > 0))
        tick = 1.0;
    const double average = atof(filledAmount) / filledQuantity;
    // Whole steps with a little room: 10.2 / 0.2 is 50.99999... in binary and must give 51.
    double steps = floor(average / tick + kStepEpsilon);
    steps += side == "B" ? -slipPoints : slipPoints;
    double price = steps * tick;
    if (decimals >= 0 && decimals <= 10) {
        const double scale = pow(10.0, decimals);
        price = floor(price * scale + 0.5) / scale;
    }
    CString text;
    text.Format("%f", price);
    return text;
}

COrderWorker::COrderWorker(std::shared_ptr<IFollowServices> services, FollowReportSink reports)
    : m_services(std::move(services)), m_reports(std::move(reports)), m_thread("follow-order worker"), m_idle(1),
      m_pending(0)
{
}

COrderWorker::~COrderWorker()
{
    Stop();
}

bool COrderWorker::Start()
{
    if (m_thread.IsAlive())
        return true;
    return m_thread.Start([this] { ThreadLoop(); });
}

int COrderWorker::PostJob(const OrderRow& row, const StrategyInfo& strategy)
{
    // The flags first: they cost nothing, while asking after the thread goes to the system.
    if (m_idle.load() != 1 || m_pending.load() != 0 || !m_thread.IsAlive())
        return 0;
    m_job.row = row;
    m_job.strategyId = strategy.nStragegyId;
    m_job.strategyName = strategy.strStrategyName;
    m_job.legs = strategy.vecStrategy;
    m_job.applied = strategy.applied;
    m_idle.store(0);
    m_pending.store(1);
    m_thread.Wake();
    return 1;
}

bool COrderWorker::Stop(DWORD timeoutMs)
{
    return m_thread.Stop(timeoutMs);
}

bool COrderWorker::Wait(DWORD ms)
{
    return m_services->WaitForStop(m_thread.GetStopEvent(), ms);
}

void COrderWorker::ThreadLoop()
{
    for (;;) {
        if (m_pending.load() == 1) {
            RunJob();
            m_pending.store(0);
            m_idle.store(1);
            continue;
        }
        if (m_thread.WaitForWake(INFINITE))
            break;
    }
    // A job posted together with the stop was never run: its fill is not followed.
    if (m_pending.load() == 1) {
        OrderRequest none;
        none.code = m_job.row.cn;
        Report(FollowReport::NOT_SENT, none, CString());
    }
    m_pending.store(0);
    m_idle.store(1);
}

void COrderWorker::Report(FollowReport::Outcome outcome, const OrderRequest& request, const CString& orderKey)
{
    if (!m_reports)
        return;
    FollowReport report;
    report.outcome = outcome;
    report.fill = m_job.row;
    report.request = request;
    report.orderKey = orderKey;
    m_reports(report);
}

COrderWorker::SendResult COrderWorker::SendWithRetry(const OrderRequest& request)
{
    const ULONGLONG start = m_services->GetTickMs();
    for (;;) {
        if (m_thread.IsStopRequested())
            return SEND_STOPPED;
        const int answer = m_services->SendOrder(request);
        if (answer == 0)
            return SEND_DONE;
        if (answer == IFollowServices::SEND_TIMED_OUT)
            return SEND_UNANSWERED;  // it may still go out: sending again could double the order
        if (m_services->GetTickMs() - start >= kSendRetryLimitMs)
            return SEND_REFUSED;
        if (Wait(kSendRetryMs))
            return SEND_STOPPED;
    }
}

bool COrderWorker::Send(const OrderRequest& request)
{
    switch (SendWithRetry(request)) {
    case SEND_DONE:
        return true;
    case SEND_STOPPED:
        Report(FollowReport::NOT_SENT, request, CString());
        return false;
    case SEND_REFUSED:
        Report(FollowReport::REFUSED, request, CString());
        return false;
    case SEND_UNANSWERED:
        Report(FollowReport::UNANSWERED, request, CString());
        return false;
    }
    return false;
}

void COrderWorker::RunJob()
{
    IFollowServices& services = *m_services;
    const OrderRow& row = m_job.row;

    CString sectorName;
    if (!services.FindSectorName(row.cn, sectorName))
        return;
    const StrategyLeg* leg = nullptr;
    for (const StrategyLeg& candidate : m_job.legs) {
        if (candidate.strContractType == sectorName) {
            leg = &candidate;
            break;
        }
    }
    if (leg == nullptr || leg->bEnable == 0)
        return;

    const int decimals = services.GetPriceDecimals(row.cn);
    double tick = atof(services.GetMinPriceStep(row.cn));
    if (!(tick > 0))
        tick = 1.0;

    OrderRequest request;
    request.code = row.cn;
    request.isFollowOrder = true;
    const bool sameSide = leg->strDirection == "同向";
    if (!sameSide && leg->strDirection != "反向")
        return;
    if (row.an == "买")
        request.side = sameSide ? "B" : "S";
    else if (row.an == "卖")
        request.side = sameSide ? "S" : "B";
    else
        return;

    const int filled = atoi(row.fnum);
    const int quantity = atoi(leg->strMultiple) * filled;
    if (quantity <= 0)
        return;
    request.quantity.Format("%d", quantity);
    request.price = FollowOrderPrice(row.ps, filled, tick, decimals, request.side,
                                     atoi(leg->strSlipPoint));
    if (leg->strPriceType == "市价")
        request.orderType = "M";
    else if (leg->strPriceType == "限价")
        request.orderType = "L";
    else
        return;
    request.clientRef = services.MakeClientRef();

    if (!Send(request) || request.orderType == "M")
        return;
    WatchLimitOrder(request, *leg, tick);
}

void COrderWorker::WatchLimitOrder(const OrderRequest& request, const StrategyLeg& leg, double tick)
{
    IFollowServices& services = *m_services;
    const CString& code = request.code;
    const double limit = atof(request.price);
    const double distance = atoi(leg.strPoint) * tick;
    const double trigger = request.side == "B" ? limit + distance : limit - distance;
    const double margin = tick * kStepEpsilon;
    const CString sessionEnd = services.GetLastSessionEnd(code);

    CString orderKey;
    for (;;) {
        CString lastText;
        if (Wait(kWatchMs) || !services.GetLastPrice(code, lastText)) {
            ReportLeftOpen(request, orderKey);
            return;
        }
        OrderStateRecord state;
        const bool found = orderKey.IsEmpty() ? services.FindOrderStateByClientRef(request.clientRef, state)
                                              : services.FindOrderState(orderKey, state);
        if (!found)
            continue;
        orderKey = state.strOrderKey;
        if (IsDoneOrderState(state.strState))
            return;
        if (!sessionEnd.IsEmpty()) {
            const CTime now = services.GetServerTime();
            const LONGLONG span = (SessionEndOn(now, sessionEnd) - now).GetTotalSeconds();
            if (span > 0 && span < kSessionEndSeconds) {
                CancelAndReplace(orderKey, request);
                return;
            }
        }
        const double last = atof(lastText);
        if ((request.side == "B" && last > trigger + margin) || (request.side == "S" && last < trigger - margin)) {
            CancelAndReplace(orderKey, request);
            return;
        }
    }
}

void COrderWorker::ReportLeftOpen(const OrderRequest& request, const CString& orderKey)
{
    OrderStateRecord state;
    const bool found = orderKey.IsEmpty() ? m_services->FindOrderStateByClientRef(request.clientRef, state)
                                          : m_services->FindOrderState(orderKey, state);
    if (found && IsDoneOrderState(state.strState))
        return;
    Report(FollowReport::LEFT_OPEN, request, found ? state.strOrderKey : orderKey);
}

void COrderWorker::CancelAndReplace(const CString& orderKey, OrderRequest request)
{
    IFollowServices& services = *m_services;
    const ULONGLONG start = services.GetTickMs();
    OrderStateRecord last;
    bool cancelled = false;
    while (!cancelled) {
        services.SendCancel(orderKey);
        for (int poll = 0; poll < kCancelPolls; ++poll) {
            if (Wait(kCancelPollMs)) {
                Report(FollowReport::CANCEL_UNCONFIRMED, request, orderKey);
                return;
            }
            OrderStateRecord state;
            if (!services.FindOrderState(orderKey, state))
                continue;
            last = state;
            if (IsFilledState(state.strState))
                return;
            if (IsCancelledState(state.strState)) {
                cancelled = true;
                break;
            }
        }
        if (!cancelled && services.GetTickMs() - start >= kCancelLimitMs) {
            // Without a confirmed cancel the order may still fill: a market order now could
            // double the position.
            Report(FollowReport::CANCEL_UNCONFIRMED, request, orderKey);
            return;
        }
    }

    const int rest = atoi(last.strTotalQuantity) - atoi(last.strDoneQuantity);
    if (rest <= 0)
        return;
    request.orderType = "M";
    request.clientRef = services.MakeClientRef();
    request.quantity.Format("%d", rest);
    request.isFollowOrder = true;
    Send(request);
}
