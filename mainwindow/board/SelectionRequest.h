// The request with which the main window is told to show another instrument (WM_SELECT_CODE);
// the sender owns it, valid during the call.
#pragma once

#include <afx.h>

#define WM_SELECT_CODE 11115

struct SelectionRequest
{
    CString strCode;
    int nView = 0;    // 0 quote list, 1 candlestick, 2 trend
    int nPeriod = 0;
};
