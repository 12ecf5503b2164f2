// A background thread that turns one fill of a followed account into the console's own order
// and, for a limit order, watches it until it is done: when the price runs past the strategy's
// distance, or the last session of the day ends within five minutes, the order is cancelled
// and, once the cancel is confirmed, the rest is sent at market.
//
// The console posts jobs only to idle workers; a worker keeps its thread between jobs and
// sleeps until the next one. Every wait goes through the services, on the stop event, so a
// stop ends any wait at once and tests can drive the time. A stop never sends anything more.
//
// Every end that leaves the fill unfollowed or the order in doubt (not sent, refused,
// unanswered, left open, cancel unconfirmed) goes to the report sink; an end by the strategy's
// own rules (no leg, a leg switched off) does not.
#pragma once
#include <atomic>
#include <memory>
#include "FollowJob.h"
#include "FollowReport.h"
#include "FollowServices.h"
#include "StoppableThread.h"

class COrderWorker
{
public:
    // A refused order is sent again every kSendRetryMs, for at most kSendRetryLimitMs.
    static constexpr DWORD kSendRetryMs = 500;
    static constexpr DWORD kSendRetryLimitMs = 30000;
    // A watched limit order is looked at every kWatchMs.
    static constexpr DWORD kWatchMs = 100;
    // After a cancel the order is looked at kCancelPolls times every kCancelPollMs before the
    // cancel is sent again, for at most kCancelLimitMs in all.
    static constexpr DWORD kCancelPollMs = 200;
    static constexpr int kCancelPolls = 6;
    static constexpr DWORD kCancelLimitMs = 30000;
    // A limit order is replaced at market when the session ends within this many seconds.
    static constexpr int kSessionEndSeconds = 300;

    explicit COrderWorker(std::shared_ptr<IFollowServices> services, FollowReportSink reports = nullptr);
    ~COrderWorker();
    COrderWorker(const COrderWorker&) = delete;
    COrderWorker& operator=(const COrderWorker&) = delete;

    // Starts the thread when there is none.
    bool Start();
    // 1 when the worker took the job (its thread runs and it was idle), else 0.
    int PostJob(const OrderRow& row, const StrategyInfo& strategy);
    // Ends any wait and the thread, waiting up to timeoutMs (answering sent messages). False
    // when the thread is still running (reported): the worker must then be kept alive.
    bool Stop(DWORD timeoutMs = 2000);
    bool IsIdle() const { return m_idle.load() == 1; }

private:
    enum SendResult { SEND_DONE, SEND_STOPPED, SEND_REFUSED, SEND_UNANSWERED };

    void ThreadLoop();
    void RunJob();
    // Sends until the main window takes the order, for a bounded time; nothing once a stop came.
    SendResult SendWithRetry(const OrderRequest& request);
    // Sends the order; an order that did not go out is reported. True when it went out.
    bool Send(const OrderRequest& request);
    void WatchLimitOrder(const OrderRequest& request, const StrategyLeg& leg, double tick);
    void CancelAndReplace(const CString& orderKey, OrderRequest request);
    // A stop came or the quote went while the limit order was watched: reported unless its
    // last known state says it is done.
    void ReportLeftOpen(const OrderRequest& request, const CString& orderKey);
    void Report(FollowReport::Outcome outcome, const OrderRequest& request, const CString& orderKey);
    bool Wait(DWORD ms);

    std::shared_ptr<IFollowServices> m_services;
    FollowReportSink m_reports;
    CStoppableThread m_thread;
    std::atomic<int> m_idle;
    std::atomic<int> m_pending;
    FollowJob m_job;
};

// The follow order's price of a fill: the average fill price cut down to whole price steps,
// then moved by slipPoints steps in the order's favour ("B" lower, "S" higher), to `decimals`.
// A tick that is not above 0 counts as 1.0. Empty text when the filled quantity is 0.
CString FollowOrderPrice(const CString& filledAmount, int filledQuantity, double tick,
                         int decimals, const CString& side, int slipPoints);

// True for the states after which nothing more happens to an order.
bool IsDoneOrderState(const CString& state);
