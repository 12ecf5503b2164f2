// Private messages with which the market-data workers report to the main window, and the
// window they report to. Workers send them synchronously: every pointer in wParam or lParam
// lives in the sender and is valid only during the call, so the receiver copies what it keeps.
#pragma once
#include <afx.h>

// wParam = QuoteBatch* (std::vector<QuoteUpdate>), lParam = 0
#define WM_QUOTE_BATCH 11108
// wParam = 1 A shares, 0 Hong Kong; lParam = std::vector<MarketListItem>*
#define WM_MARKETLIST_READY 11122
// wParam = 1 A shares, 0 Hong Kong; lParam = std::vector<QuoteRow>*
#define WM_MARKETINFO_READY 11124
// wParam = LPCTSTR code of the request, lParam = KLineBar*
#define WM_KLINE_LOADED 11126

// The window that receives the messages above (the main window stores its handle during its
// initialisation). Null until set; a worker with no window to report to delivers nothing.
void SetMarketDataWindow(HWND hWnd);
HWND GetMarketDataWindow();
