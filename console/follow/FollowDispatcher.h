// The console's pool of follow-order workers: each fill to follow goes, with a copy of its
// account's strategy, to the first idle worker, or to a new one when all are busy.
#pragma once
#include <memory>
#include <vector>
#include "OrderWorker.h"
#include "UserStrategy.h"

class CFollowDispatcher
{
public:
    // reports: where the workers report follow orders that did not end as they should.
    explicit CFollowDispatcher(std::shared_ptr<IFollowServices> services, FollowReportSink reports = nullptr);
    // Stops the workers (StopAll).
    ~CFollowDispatcher();
    CFollowDispatcher(const CFollowDispatcher&) = delete;
    CFollowDispatcher& operator=(const CFollowDispatcher&) = delete;

    // The first assignment of the row's account with a strategy id of 0 or more, and the
    // first strategy of that id; false when either is missing or no worker took the job.
    bool Dispatch(const OrderRow& row, const std::vector<UserStrategy>& assignments,
                  const std::vector<StrategyInfo>& strategies);
    // Stops and frees every worker. A worker whose thread does not end within timeoutMs is
    // reported and left alive with what it uses; returns how many were left so.
    int StopAll(DWORD timeoutMs = 2000);

    size_t GetWorkerCount() const { return m_workers.size(); }
    size_t GetIdleCount() const;

private:
    std::shared_ptr<IFollowServices> m_services;
    FollowReportSink m_reports;
    std::vector<std::unique_ptr<COrderWorker>> m_workers;  // in creation order
};
