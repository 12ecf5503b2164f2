// The main window as the program-wide message filter sees it: which windows are its own views.
// The filter's other questions are answered by the part that owns the answer (board, frame,
// hosts, panels).
#include "VelmoraDlg.h"

#include "ChartHostBase.h"
#include "DriftlineChartDlg.h"
#include "KLineDlg.h"

namespace {

HWND HandleOf(const CWnd* window)
{
    return window != nullptr ? window->GetSafeHwnd() : NULL;
}

}  // namespace

bool CVelmoraDlg::IsOwnView(HWND hWnd) const
{
    OwnViews views;
    views.main = m_hWnd;
    views.toolbar = GetToolbarWindow();
    views.tabStrip = TabStrip();
    views.statusBar = m_statusBar.GetSafeHwnd();
    if (m_chartViews != nullptr)
    {
        const CChartHostBase* hosts[] = {m_chartViews->GetKLineHost(), m_chartViews->GetTrendHost()};
        int at = 0;
        for (const CChartHostBase* host : hosts)
        {
            if (host == nullptr)
                continue;
            views.chartWindows[at++] = host->GetSafeHwnd();
            views.chartWindows[at++] = HandleOf(host->GetChartWindow());
            views.chartWindows[at++] = HandleOf(host->GetDepthWindow());
        }
    }
    return IsAmongOwnViews(hWnd, views);
}
