// Today's orders: a list window filled by the trade dialog (WM_ORDERS_LIST), with buttons
// for cancelling, re-querying and exporting.
#pragma once
#include <afxwin.h>

#ifdef ENTRUSTLOG_BUILD
#define ENTRUSTLOG_API extern "C" __declspec(dllexport)
#else
#define ENTRUSTLOG_API extern "C" __declspec(dllimport)
#endif

// Creates the window as a child of `parent` and returns its handle (NULL on failure).
ENTRUSTLOG_API HWND Dll_ShowEntrustlogDlg(HWND parent);
