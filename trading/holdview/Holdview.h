// The open positions: a list window filled by the trade dialog (WM_POSITIONS_LIST), with
// buttons for closing one or all positions, querying them and exporting the list.
#pragma once
#include <afxwin.h>

#ifdef HOLDVIEW_BUILD
#define HOLDVIEW_API extern "C" __declspec(dllexport)
#else
#define HOLDVIEW_API extern "C" __declspec(dllimport)
#endif

// Creates the window as a child of `parent` and returns its handle (NULL on failure).
HOLDVIEW_API HWND Dll_ShowPositionDlg(HWND parent);
