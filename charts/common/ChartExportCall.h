// What every chart library's exports do with the window a host hands over.
#pragma once
#include <afxwin.h>

// Hosts may hand over a window that has just been destroyed; calls on it do nothing.
bool IsLiveWindow(CWnd* pWnd);

// Sends the chart window one message synchronously; 0 when the window is gone.
LRESULT SendToChart(CWnd* pChart, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
