// The order entry library: one window, created as a child of the trading container.
#pragma once
#include <winsock2.h>
#include <windows.h>

#ifdef SLIPDESK_BUILD
#define SLIPDESK_API extern "C" __declspec(dllexport)
#else
#define SLIPDESK_API extern "C" __declspec(dllimport)
#endif

// Creates the order window under `parent`; returns its handle (NULL when it cannot).
SLIPDESK_API HWND Dll_ShowOrderDlg(HWND parent);
