// The message box of the trading rules: caption "Tolvan证券", OK only, through the layer's
// one box function so tests can answer it.
#pragma once
#include <afx.h>
#include <afxwin.h>

inline void ShowTradingMessage(HWND owner, LPCSTR text)
{
    AfxShowMessageBox(owner, text, "Tolvan证券", MB_OK);
}
