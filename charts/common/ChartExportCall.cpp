#include "ChartExportCall.h"

bool IsLiveWindow(CWnd* pWnd)
{
    return pWnd != nullptr && pWnd->GetSafeHwnd() != NULL && ::IsWindow(pWnd->GetSafeHwnd());
}

LRESULT SendToChart(CWnd* pChart, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsLiveWindow(pChart))
        return 0;
    return ::SendMessage(pChart->GetSafeHwnd(), message, wParam, lParam);
}
