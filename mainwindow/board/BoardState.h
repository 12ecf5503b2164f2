// What the main window keeps for its quote board: the board itself, the message filter, the
// splash and notice windows, the start-up thread of the instrument lists and
// the quote rows' context menu.
#pragma once

#include "InstrumentListStartup.h"
#include "MessageFilter.h"
#include "QuoteBoard.h"
#include "SelfListFile.h"
#include "StockDownProc.h"

#include <afxwin.h>
#include <memory>

class CNoticeDlg;
class CSplashDlg;

struct CBoardState
{
    CBoardState(CWnd& main, IQuoteBoardOwner& owner, IMessageFilterHost& filterHost);
    ~CBoardState();

    CStockDownProc stockDown;  // the chart instrument's quote
    CQuoteBoard board;
    CMessageFilter filter;
    CInstrumentListStartup listStartup;
    bool listStarted = false;  // the instrument-list thread was started
    CMenu quoteMenu;
    CSplashDlg* splash = nullptr;
    CNoticeDlg* notice = nullptr;  // modeless; deletes nothing itself
    bool timerSet = false;
    // How the self list loaded at start: a list that could not be read is not saved over.
    SelfListLoadResult selfListLoad = SELF_LIST_MISSING;
};
