// The account query window: funds on a date and the trade history between two dates, each a
// page with date pickers, buttons, a status line and a text box the trade dialog writes the
// server's answer into; the shown page's text can be exported to a file.
#pragma once
#include <afxwin.h>

#ifdef SEEKWELL_BUILD
#define SEEKWELL_API extern "C" __declspec(dllexport)
#else
#define SEEKWELL_API extern "C" __declspec(dllimport)
#endif

// Creates the window as a child of `parent` and returns its handle (NULL on failure).
SEEKWELL_API HWND Dll_ShowFindDlg(HWND parent);
