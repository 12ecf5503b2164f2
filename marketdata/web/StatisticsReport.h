// The report of this machine to the operator's usage-statistics service, sent once per start
// on a worker of its own. The end stops it like every other worker: its request is aborted at
// once, so libcurl is never released under it.
#pragma once
#include <afx.h>
#include "StoppableThread.h"

class CStatisticsReport
{
public:
    CStatisticsReport();

    // Sends one report to the statistics service at base ("http://host:port") on a new
    // worker; false when no worker could be started. Does nothing without a network adapter.
    bool Start(const CString& base);
    // Asks the worker to end, aborting its request, and waits up to waitMs; true when it has
    // ended (or never ran). One that has not is reported and left running: its owner must
    // then keep this object.
    bool Stop(DWORD waitMs);
    bool IsRunning() const { return m_worker.IsAlive(); }

private:
    CStoppableThread m_worker;
};
