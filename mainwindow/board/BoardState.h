// What the main window keeps for its quote board: the board itself, the message filter and
// its host, the splash and notice windows, the start-up thread of the instrument lists and
// the quote rows' context menu.
#pragma once

#include "BoardFilterHost.h"
#include "InstrumentListStartup.h"
#include "MessageFilter.h"
#include "QuoteBoard.h"
#include "StockDownProc.h"

#include <afxwin.h>
#include <memory>

class CNoticeDlg;
class CSplashDlg;

struct CBoardState
{
    CBoardState(CWnd& main);
    ~CBoardState();

    CStockDownProc stockDown;  // the chart instrument's quote
    CQuoteBoard board;
    CBoardFilterHost filterHost;
    CMessageFilter filter;
    CInstrumentListStartup listStartup;
    CMenu quoteMenu;
    CSplashDlg* splash = nullptr;
    CNoticeDlg* notice = nullptr;  // modeless; deletes nothing itself
    bool timerSet = false;
};
