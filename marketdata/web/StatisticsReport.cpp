#include "StatisticsReport.h"

#include "StartupTasks.h"
#include "WebRequest.h"

CStatisticsReport::CStatisticsReport() : m_worker("statistics report")
{
}

bool CStatisticsReport::Start(const CString& base)
{
    const CString serviceBase = base;
    return m_worker.Start([serviceBase] {
        CString mark;
        if (!GetMacAddress(mark))
            return;
        CurlGlobalInitOnce();
        PostWebRequest((LPCSTR)BuildStatisticsAddress(serviceBase, mark), std::string(), false, std::string());
    });
}

bool CStatisticsReport::Stop(DWORD waitMs)
{
    return m_worker.Stop(waitMs);
}
