// The toolbar library: a strip of view and period buttons across the top of the main
// window. The host creates it, binds each button index to one of its own message numbers
// and sets which button is checked and which are enabled; a click on an enabled button
// sends the bound message (wParam and lParam 0) to the toolbar's parent; the second click of a
// quick pair (a double click) sends it again.
#pragma once

#include <winsock2.h>
#include <windows.h>

#ifdef RIBBONET_BUILD
#define RIBBONET_API extern "C" __declspec(dllexport)
#else
#define RIBBONET_API extern "C" __declspec(dllimport)
#endif

// Creates the toolbar as a child of hParent (at 0, 0, the parent's client width by 25)
// and returns its window; NULL when it could not be created.
RIBBONET_API HWND dll_ShowToolBar(HWND hParent);
// Makes hParent the toolbar's parent: the window its button messages go to.
RIBBONET_API void dll_SetToolBarParent(HWND hToolBar, HWND hParent);
// Binds button nIndex (0 to 12) to nMessage; 0 unbinds it. Other indexes are ignored.
RIBBONET_API void dll_ToolBarRegistMsgID(HWND hToolBar, int nIndex, UINT nMessage);
// Non-zero bChecked makes nIndex the one checked button (any other loses its mark); zero
// clears the mark of nIndex only.
RIBBONET_API void dll_SetButtonChecked(HWND hToolBar, int nIndex, BOOL bChecked);
// A disabled button is greyed and sends nothing.
RIBBONET_API void dll_SetButtonEnable(HWND hToolBar, int nIndex, BOOL bEnable);
