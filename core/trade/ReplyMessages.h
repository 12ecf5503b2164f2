// Private messages with which the reply receivers hand records to the main window, and the
// numbers that request senders store in the main window's reply slots. Every message is sent
// synchronously: a pointer in wParam or lParam lives in the receiver and is valid only during
// the call, so the window copies what it keeps.
#pragma once

// wParam 0, lParam DepthBook*: the five-level book of a depth connection, once per cycle.
#define WM_DEPTH_UPDATE 11056
// wParam PositionRecord* or 0 (end of the list), lParam 0 (query connection's positions slot).
#define WM_REPLY_POSITIONS 11076
// wParam SummaryRecord*, lParam 0 (query connection's funds slot).
#define WM_FUNDS_UPDATE 11077
// wParam OrderInfo*, lParam 0 (order connection's order slot: new order, cancel, cancel all).
#define WM_REPLY_NEW_ORDER 11091
#define WM_REPLY_CANCEL 11092
#define WM_REPLY_CANCEL_ALL 11093
// wParam HistoryOrderRecord array or 0, lParam count (query connection's order-list slot).
#define WM_REPLY_ORDER_LIST 11094
#define WM_REPLY_CANCELLABLE_LIST 11095
// wParam SummaryRecord*, lParam 0 (funds slot while the funds page asked).
#define WM_REPLY_ACCOUNT_SUMMARY 11100
// Order-list slot of the history query.
#define WM_REPLY_HISTORY 11101
// wParam 0, lParam 0: the order connection refused a request ("status:-1"); the requests are
// answered in order, so it is the oldest one still unanswered.
#define WM_ORDER_REFUSED 11109
// wParam connection kind (3 order, 4 query, 5 own trade), lParam state (1, 2 or -1).
#define WM_CONNECTION_STATE 11102
// wParam PositionRecord*, lParam 0: a position pushed by the order connection.
#define WM_POSITION_RECORD 11103
// wParam SummaryRecord*, lParam 0: funds pushed by the order connection.
#define WM_FUNDS_RECORD 11104
// wParam the three contract texts (CString[3]), lParam std::map<CString, ContractRecord>*.
#define WM_QUOTE_CONNECTION_DATA 11110
// wParam CString* (the result word of "EditPwdResult"), lParam 0.
#define WM_PASSWORD_RESULT 11111
// wParam FillRecord* (fills slot), or a HistoryOrderRecord array through the order-list slot.
#define WM_REPLY_FILLS 11114
// wParam OrderRow*, lParam 0: an order event of a client account (own trade connection).
#define WM_PROXY_ORDER_EVENT 11116
// wParam CString* (client-list text), lParam 0.
#define WM_PROXY_ORDER_UPDATE 11117
// wParam 0, lParam 0: the server wants a newer client.
#define WM_NEW_VERSION_FOUND 11121
// wParam 0, lParam 0: the initial load of a query login asks the main window (on its own
// thread) to empty its order tables and show the list of all orders before the orders arrive.
#define WM_RESET_ORDER_TABLES 11128
// wParam OrderInfo*, lParam 0: "PreOrderInfo", sent to the order-detail window.
#define WM_PREORDER_INFO 11132
