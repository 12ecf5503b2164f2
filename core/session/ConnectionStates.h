// Login states of the trading connections, one process-wide integer per connection kind.
// Receiver threads write them, the main window reads them (and resets them to 0).
#pragma once
#include <afx.h>

enum ConnectionStateValue
{
    CONNECTION_UNKNOWN = 0,     // nothing known yet
    CONNECTION_LOGGED_IN = 1,   // the server accepted the login
    CONNECTION_DISPLACED = 2,   // the same user logged in elsewhere
    CONNECTION_LOST = -1,       // the connection went down while logged in
    CONNECTION_NO_ACCOUNT = -2, // the user has no trading account (set by the main window)
};

// Connection kinds as they travel in wParam of WM_CONNECTION_STATE.
enum ConnectionKind
{
    CONNECTION_KIND_ORDER = 3,       // the order connection (proxy trading when present)
    CONNECTION_KIND_QUERY = 4,       // the query connection
    CONNECTION_KIND_OWN_TRADE = 5,   // the own trading connection beside a proxy connection
    CONNECTION_KIND_PROXY_QUERY = 6, // the proxy query connection (never reported)
};

extern volatile LONG TradeConnectionState;
extern volatile LONG QueryConnectionState;
extern volatile LONG ProxyTradeConnectionState;
extern volatile LONG ProxyQueryConnectionState;

// The state variable of a connection kind (3 to 6); null for any other kind.
volatile LONG* ConnectionStateOf(int kind);

// Sets all four to 0 (the main window's start and its connection reset).
void ResetConnectionStates();
