// The window of the open order-detail dialog, which the trade receiver thread sends
// "PreOrderInfo" replies to (WM_PREORDER_INFO).
#pragma once
#include <afx.h>

// Stores the window (null to forget it); the dialog calls this when it initialises.
void SetOrderDetailWindow(HWND window);

// The stored window while it is still a window, else null. Safe from any thread: a stale
// handle is caught by the IsWindow test.
HWND GetOrderDetailWindow();

// The same store under the name the trading windows use.
inline void SetPreOrderWindow(HWND window)
{
    SetOrderDetailWindow(window);
}
