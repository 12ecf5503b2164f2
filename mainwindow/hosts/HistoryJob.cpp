#include "HistoryJob.h"
#include "BarDataStore.h"
#include "HistoryData.h"
#include "HistoryServiceChoice.h"
#include "HostMessages.h"
#include "KLineLoader.h"
#include "StopSignal.h"

CString BarTimeToStoreTime(const CString& barTime)
{
    if (barTime.GetLength() < 8)
        return CString();
    CString text = barTime.Left(4) + "-" + barTime.Mid(4, 2) + "-" + barTime.Mid(6, 2);
    if (barTime.GetLength() >= 14)
        text += " " + barTime.Mid(9, 5);
    else
        text += " 00:00";
    return text;
}

HistoryPacket* LoadHistoryFromServices(HistoryJob& job)
{
    // The window of bars asks the market-day and calendar services: here, off the UI thread.
    if (job.bRebuildRequest)
        BuildHistoryRequest(job.source, CString(), job.strCode,
                            job.nView == 2 ? KLINE_PERIOD_INTRADAY : job.nPeriod, job.strMarket,
                            job.request, CString(), CString(), CString());
    if (job.strMarket == "CSM" || job.strMarket == "HKS")
    {
        KLineLoader& loader = job.strMarket == "CSM" ? GetFirstKLineLoader() : GetSecondKLineLoader();
        const int period = job.nView == 2 ? KLINE_PERIOD_INTRADAY : job.nPeriod;
        const bool longPeriod = period == KLINE_PERIOD_WEEK || period == KLINE_PERIOD_MONTH;
        int status = -1;
        HistoryPacket* packet = loader.LoadHistoryPacket(job.strCode, period, longPeriod ? 180 : 0,
                                                         job.request.strStartDate,
                                                         job.request.strEndDate, status, job.strMarket);
        job.nStatus = status != 0 ? 2 : 3;
        if (packet != nullptr)
        {
            CString lastTime;
            for (const WickplotBar* bar = packet->pFirst; bar; bar = bar->pNext)
                lastTime = bar->strTime;
            GetBarDataStore().SetLastLoad(job.strCode, job.nPeriod, BarTimeToStoreTime(lastTime));
        }
        return packet;
    }
    if (!job.bHasServer)
        return nullptr;
    return QueryHistoryServices(job, GetHistoryServiceChoice());
}

HistoryPacket* QueryHistoryServices(HistoryJob& job, CHistoryServiceChoice& services)
{
    std::set<int> tried;
    for (;;)
    {
        int status = 2;
        HistoryPacket* packet = RequestHistoryData(job.server, job.request, status);
        if (status == 3)
        {
            job.nStatus = 3;
            return packet;
        }
        DeleteHistoryPacket(packet);
        // A download told to stop asks no other service.
        if (CStopSignal::IsCurrentThreadStopped())
            break;
        // The failed service is not asked again for this load.
        tried.insert(services.Current());
        if (!services.Pick(tried))
            break;
    }
    job.nStatus = 2;
    return nullptr;
}

void RunHistoryJob(HistoryJob* job, const HistoryLoadFunc& load)
{
    if (!job->bRebuildRequest)
    {
        job->request.strCode = job->strCode;
        job->request.nPeriod = job->nPeriod;
        if (!job->strStartDate.IsEmpty())
            job->request.strStartDate = job->strStartDate;
        if (!job->strEndDate.IsEmpty())
            job->request.strEndDate = job->strEndDate;
    }
    job->pPacket = load(*job);
    if (!::PostMessage(job->hTarget, WM_HOSTS_HISTORY_DONE, 0, reinterpret_cast<LPARAM>(job)))
        FreeHistoryJob(job);
}

void FreeHistoryJob(HistoryJob* job)
{
    if (job == nullptr)
        return;
    DeleteHistoryPacket(job->pPacket);
    delete job;
}
