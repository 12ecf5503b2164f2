#include "chart_test_host.h"

#include <testsupport/Pump.h>
#include <testsupport/TestApp.h>

#include <gtest/gtest.h>

namespace {
tolvan::test::TestApp theApp("ChartsTest");
}

ChartHost::ChartHost(const RECT& bounds)
{
    LPCTSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                              (HBRUSH)::GetStockObject(GRAY_BRUSH));
    CreateEx(WS_EX_TOPMOST, windowClass, "ChartHost", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
             bounds, NULL, 0);
    tolvan::test::PumpPending();
}

ChartHost::~ChartHost()
{
    DestroyWindow();
    tolvan::test::PumpPending();
}

size_t ChartHost::Count(UINT message) const
{
    size_t count = 0;
    for (UINT m : m_messages)
        count += m == message;
    return count;
}

LRESULT ChartHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_messages.push_back(message);
    return CWnd::WindowProc(message, wParam, lParam);
}

tolvan::test::Screenshot CaptureChild(HWND hWnd)
{
    ::UpdateWindow(hWnd);
    tolvan::test::PumpPending();
    return tolvan::test::Screenshot::CaptureClient(hWnd);
}

void SaveArtefact(const tolvan::test::Screenshot& shot, const char* name)
{
    shot.SavePng(name);
}

void SendMouse(HWND hWnd, UINT message, int x, int y)
{
    ::SendMessage(hWnd, message, message == WM_MOUSEMOVE ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}
