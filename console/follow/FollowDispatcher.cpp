#include "FollowDispatcher.h"

#include <stdlib.h>

#include "ThreadWait.h"

CFollowDispatcher::CFollowDispatcher(std::shared_ptr<IFollowServices> services, FollowReportSink reports)
    : m_services(std::move(services)), m_reports(std::move(reports))
{
}

CFollowDispatcher::~CFollowDispatcher()
{
    StopAll();
}

bool CFollowDispatcher::Dispatch(const OrderRow& row, const std::vector<UserStrategy>& assignments,
                                 const std::vector<StrategyInfo>& strategies)
{
    const UserStrategy* assignment = nullptr;
    for (const UserStrategy& candidate : assignments) {
        if (candidate.userId == row.clientName && candidate.IsActive()) {
            assignment = &candidate;
            break;
        }
    }
    if (assignment == nullptr)
        return false;
    const int strategyId = atoi(assignment->strategyId);
    const StrategyInfo* strategy = nullptr;
    for (const StrategyInfo& candidate : strategies) {
        if (candidate.nStragegyId == strategyId) {
            strategy = &candidate;
            break;
        }
    }
    if (strategy == nullptr)
        return false;

    for (const std::unique_ptr<COrderWorker>& worker : m_workers) {
        if (worker->PostJob(row, *strategy) == 1)
            return true;
    }
    std::unique_ptr<COrderWorker> worker(new COrderWorker(m_services, m_reports));
    if (!worker->Start())
        return false;
    const bool taken = worker->PostJob(row, *strategy) == 1;
    m_workers.push_back(std::move(worker));
    return taken;
}

int CFollowDispatcher::StopAll(DWORD timeoutMs)
{
    int leftRunning = 0;
    for (std::unique_ptr<COrderWorker>& worker : m_workers) {
        if (worker->Stop(timeoutMs))
            continue;
        // Freeing it would pull its job and its services out from under its thread.
        ReportThreadLeftRunning("follow-order worker", timeoutMs);
        worker.release();
        ++leftRunning;
    }
    m_workers.clear();
    return leftRunning;
}

size_t CFollowDispatcher::GetIdleCount() const
{
    size_t idle = 0;
    for (const std::unique_ptr<COrderWorker>& worker : m_workers)
        idle += worker->IsIdle() ? 1 : 0;
    return idle;
}
