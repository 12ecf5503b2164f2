// A stand-in for the main window in the chart-host tests: routes the hosts' messages to the
// chart views as the main window does, and counts what the switch thread asks for.
#pragma once
#include <afxwin.h>
#include <atomic>
#include "ChartViews.h"

// The main window's side of the chart views: its toolbar and status bar are not there.
struct ViewsOwnerStandIn : IChartViewsOwner
{
    void OnChartViewShown(int, int) override {}
    void ShowChartStatus(const CString&) override {}
};

class MainStandIn : public CWnd
{
public:
    explicit MainStandIn(CChartViews& views) : m_views(views)
    {
        LPCTSTR windowClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW),
                                                  (HBRUSH)::GetStockObject(GRAY_BRUSH));
        CreateEx(0, windowClass, "HostsTest", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                 CRect(0, 0, 1000, 560), NULL, 0);
    }
    ~MainStandIn() override { DestroyWindow(); }

    std::atomic<int> selects{0};
    std::atomic<DWORD> resetThread{0};
    std::atomic<int> chartLoads{0};  // packets the candlestick chart reported taken

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message)
        {
        case WM_HOSTS_HISTORY_DONE: m_views.OnHistoryDone(reinterpret_cast<HistoryJob*>(lParam)); return 0;
        case WM_HOSTS_STATUS_TEXT:
        {
            CString* text = reinterpret_cast<CString*>(lParam);
            m_views.ShowStatus(*text);
            delete text;
            return 0;
        }
        case WM_HOSTS_RESET_DEPTH:
            resetThread = ::GetCurrentThreadId();
            m_views.ResetDepthWindows(*reinterpret_cast<const CString*>(lParam));
            return 0;
        case WM_HOSTS_CHART_LOADED:
            m_views.OnChartLoaded(static_cast<int>(wParam));
            ++chartLoads;
            return 0;
        case WM_SELECT_CODE:
            ++selects;
            m_views.SelectInstrument(*reinterpret_cast<const SelectCodeRequest*>(wParam));
            return 0;
        case WM_DEPTH_FEED_OFF: m_views.OnDepthOff(wParam); return 0;
        case WM_DEPTH_FEED_ON: m_views.OnDepthOn(); return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    CChartViews& m_views;
};

