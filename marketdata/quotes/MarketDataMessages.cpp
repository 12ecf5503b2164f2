#include "MarketDataMessages.h"
#include <atomic>

namespace
{
std::atomic<HWND> g_marketDataWindow{NULL};
}

void SetMarketDataWindow(HWND hWnd)
{
    g_marketDataWindow.store(hWnd);
}

HWND GetMarketDataWindow()
{
    return g_marketDataWindow.load();
}
