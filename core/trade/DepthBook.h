// The five-level order book of one market-depth connection, as the depth receiver keeps it
// and hands it to the main window (WM_DEPTH_UPDATE). Sell levels run top to bottom as shown
// ("卖五" first, the best ask "卖一" last); buy levels from the best bid "买一" down to "买五".
#pragma once
#include <afx.h>

struct DepthLevel
{
    CString strLabel;
    CString strPrice;
    CString strVolume;
    CString strText;   // spare; the stream never writes it
};

struct DepthBook
{
    enum { LEVELS = 5 };

    CString strServerName; // name of the depth server
    int nIndex = 0;        // position of the server in the session's depth-server list
    CString strText;       // spare
    DepthLevel sell[LEVELS];
    DepthLevel buy[LEVELS];
    int nLast = 0;         // -1 once named; not otherwise used
};
