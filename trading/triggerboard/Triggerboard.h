// The conditional-order lists: waiting and triggered conditional orders under two tabs. No
// message fills them and their buttons do nothing; they fix the layout.
#pragma once
#include <afxwin.h>

#ifdef TRIGGERBOARD_BUILD
#define TRIGGERBOARD_API extern "C" __declspec(dllexport)
#else
#define TRIGGERBOARD_API extern "C" __declspec(dllimport)
#endif

// Creates the window as a child of `parent` and returns its handle (NULL on failure).
TRIGGERBOARD_API HWND Dll_ShowTriggerboardDlg(HWND parent);
