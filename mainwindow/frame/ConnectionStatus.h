// What a connection-state report of a trading connection shows: the status-bar pane and its
// text, and what the trade panel's header and lists do. Plain values, no window.
#pragma once

#include <afxstr.h>

struct ConnectionStatusView
{
    enum HeaderAction
    {
        HEADER_UNCHANGED,
        HEADER_STATUS,           // the header's status form: headerText on headerColor
        HEADER_ACCOUNT_SUMMARY,  // the header's full account summary
    };

    bool known = false;  // false: the report is ignored altogether
    int pane = 0;
    CString paneText;
    HeaderAction header = HEADER_UNCHANGED;
    CString headerText;
    COLORREF headerColor = 0;
    int headerLink = 0;
    // The today's-orders and positions lists are emptied with their books.
    bool clearOrdersAndPositions = false;
};

// kind: 3 trading, 4 query, 5 proxy trading; state -2 .. 2. `refused`: the server refused
// the login or a new version was found; the other connection's state decides whether a
// logged-in connection shows the account summary.
ConnectionStatusView DescribeConnectionState(int kind, int state, bool refused, int tradeState, int queryState);
