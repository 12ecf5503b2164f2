// The trading container library: the one window through which the trade dialog reaches every
// trading window.
#pragma once
#include <afxwin.h>

#ifdef TRADEDECK_BUILD
#define TRADEDECK_API extern "C" __declspec(dllexport)
#else
#define TRADEDECK_API extern "C" __declspec(dllimport)
#endif

// Creates the container as a child of `parent`; returns its handle (NULL when it cannot).
TRADEDECK_API HWND Dll_ShowTradedeckDlg(HWND parent);
// Lets the container see a message its host pre-translates (tooltips, the F1 to F6 keys).
TRADEDECK_API void Dll_TradedeckPreTranslateMessage(CWnd* platform, MSG* msg);
