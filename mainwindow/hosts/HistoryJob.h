// One history download: everything the download thread needs, copied when the request is
// made, so the thread never reads the main window's request state while the user works on.
#pragma once
#include <afx.h>
#include <functional>
#include "HistoryDataSource.h"
#include "HistoryPacket.h"
#include "HistoryRequest.h"
#include "ServerRecord.h"

struct HistoryJob
{
    int nView = 0;
    int nPeriod = 0;
    CString strCode;
    CString strName;
    CString strMarket;         // "CSM", "HKS", "CL", ...
    bool bRebuildRequest = true;
    CString strStartDate;      // for an unchanged request: the dates to ask for (may be empty)
    CString strEndDate;
    HistoryDataSource source;  // a copy: the thread may fill its date
    HistoryRequest request;    // built or refreshed on the thread, then kept by the window
    ServerRecord server;       // the history server of markets the K-line service lacks
    bool bHasServer = false;
    int nStatus = 2;           // 2 the load failed, 3 it succeeded
    HistoryPacket* pPacket = nullptr;
    HWND hTarget = NULL;       // receives WM_HOSTS_HISTORY_DONE
};

// Builds the job's request when asked and loads its series (on the download thread); returns a new packet or null and sets
// the job's status. The program's loader uses the K-line and history services.
typedef std::function<HistoryPacket*(HistoryJob&)> HistoryLoadFunc;
HistoryPacket* LoadHistoryFromServices(HistoryJob& job);

class CHistoryServiceChoice;
// The history query of markets without a K-line service: a service that fails is left for
// another not tried yet, until one answers or none is left (then null, status 2).
HistoryPacket* QueryHistoryServices(HistoryJob& job, CHistoryServiceChoice& services);

// Refreshes an unchanged request's code, period and dates, loads with `load` and hands the finished job to its
// target; a job that cannot be handed over is freed here.
void RunHistoryJob(HistoryJob* job, const HistoryLoadFunc& load);

// "YYYY-MM-DD HH:MM" of a bar time ("YYYYMMDD" or "YYYYMMDD HH:MM:SS"), as the bar-data store
// reads it; empty for anything else.
CString BarTimeToStoreTime(const CString& barTime);

void FreeHistoryJob(HistoryJob* job);
