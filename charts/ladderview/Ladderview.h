// The depth window library: a narrow child window with the instrument's figures, its
// order book and the latest trades. Every export takes the depth window first and runs
// synchronously on the caller's user-interface thread.
#pragma once

#include <afxwin.h>

#include "LadderviewRecords.h"

#ifdef LADDERVIEW_BUILD
#define LADDERVIEW_API extern "C" __declspec(dllexport)
#else
#define LADDERVIEW_API extern "C" __declspec(dllimport)
#endif

// Creates the window as a child of pHost with the caption as its text; returns its handle
// (0 when there is no host window).
LADDERVIEW_API int dll_ShowLadderviewDlg(CWnd* pHost, CString strCaption);
// 1 five levels, 0 one level.
LADDERVIEW_API void dll_LadderviewSetSellBuyInfoMode(CWnd* pDepth, BYTE mode);
LADDERVIEW_API void dll_LadderviewUpdateSellBuyParam(CWnd* pDepth, DepthLevelsRecord record);
LADDERVIEW_API void dll_LadderviewUpdateStockInfo(CWnd* pDepth, DepthStockInfo record);
LADDERVIEW_API void dll_LadderviewRegistMsgID(CWnd* pDepth, UINT message);
LADDERVIEW_API void dll_LadderviewAddDepthData(CWnd* pDepth, DepthTradeTick record);
LADDERVIEW_API void dll_LadderviewClearDepthData(CWnd* pDepth);
LADDERVIEW_API void dll_LadderviewClearSelectStatus(CWnd* pDepth);
LADDERVIEW_API void dll_LadderviewSetPrecision(CWnd* pDepth, int* pDecimals);
// Up and down keys move the selected trade row.
LADDERVIEW_API void Dll_LadderviewPreTranslateMessage(CWnd* pDepth, MSG* pMsg);
