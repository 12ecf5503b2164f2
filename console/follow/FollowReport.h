// A follow order that did not end as it should: the fill it follows, the order as far as it
// was made and how it ended. The console lists it with its state and writes it to its log, so
// that no follow order is lost, doubled or left open without the administrator seeing it.
#pragma once
#include <afx.h>
#include <functional>
#include "OrderRequest.h"
#include "OrderRow.h"

struct FollowReport
{
    enum Outcome
    {
        NOT_SENT,            // the fill was handled but its order never went out (a stop came first)
        REFUSED,             // the main window kept refusing the order
        UNANSWERED,          // the main window did not answer: the order may or may not have gone out
        LEFT_OPEN,           // a limit order left open without watch (a stop came, or its quote went)
        CANCEL_UNCONFIRMED,  // its cancel was never confirmed: the order may still be open
    };

    Outcome outcome = NOT_SENT;
    OrderRow fill;          // the client's fill being followed
    OrderRequest request;   // the follow order (or its replacement at market)
    CString orderKey;       // the server's order key when known
};

// Called on the worker's thread.
typedef std::function<void(const FollowReport&)> FollowReportSink;

// The state the console's order list shows for the outcome: "补单未发出", "补单失败",
// "补单未确认", "补单仍挂单", "撤单未确认".
CString FollowReportState(FollowReport::Outcome outcome);

// True for the texts of FollowReportState.
bool IsFollowReportState(const CString& state);

// The report as a row of the console's order list: the client's account, the follow order's
// code, type, side, price, quantity, key and reference, the outcome's state, at time `at`.
OrderRow FollowReportRow(const FollowReport& report, const CTime& at);

// One line of the console's log: the state, the client's fill and the follow order.
CString FollowReportLine(const FollowReport& report);
