#include "OrderDetailWindow.h"

#include <atomic>

namespace {

std::atomic<HWND> g_orderDetailWindow(NULL);

} // namespace

void SetOrderDetailWindow(HWND window)
{
    g_orderDetailWindow.store(window);
}

HWND GetOrderDetailWindow()
{
    HWND window = g_orderDetailWindow.load();
    if (window != NULL && IsWindow(window))
        return window;
    return NULL;
}
