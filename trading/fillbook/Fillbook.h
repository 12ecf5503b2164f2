// Today's fills: a list window filled by the trade dialog (WM_FILLS_LIST), with radio buttons
// choosing the view, a refresh and an export button.
#pragma once
#include <afxwin.h>

#ifdef FILLBOOK_BUILD
#define FILLBOOK_API extern "C" __declspec(dllexport)
#else
#define FILLBOOK_API extern "C" __declspec(dllimport)
#endif

// Creates the window as a child of `parent` (the container's window object) and returns its
// handle (NULL on failure or without a parent window).
FILLBOOK_API HWND CallFillbook(CWnd* parent);
