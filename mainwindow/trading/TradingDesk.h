// The main window's trading rules without a window: order tickets and the one door every order
// leaves by, the one pending query with its watchdog, the order, position and funds replies,
// cancel and close, and the history and fills queries. The main window calls one operation per
// private message; what goes to windows goes through ITradingWindows, what goes on the wire
// through ITradeWire. Everything runs on the user-interface thread except the pending-query
// calls of the receivers, which the gate's lock covers.
#pragma once
#include <afx.h>
#include <deque>
#include <functional>
#include <set>
#include <vector>
#include "HistoryOrderRecord.h"
#include "OrderBook.h"
#include "PositionBook.h"
#include "QueryGate.h"
#include "RiskMonitor.h"
#include "SessionData.h"
#include "ReplySlots.h"
#include "SummaryRecord.h"
#include "TicketFields.h"
#include "TradeWire.h"
#include "TradingWindows.h"

class CTradingDesk
{
public:
    typedef std::function<CTime()> Clock;

    CTradingDesk(CReplySlots& slots, ITradeWire& wire, ITradingWindows& windows,
                 QuoteStore& store = GetQuoteStore(), Clock clock = Clock(),
                 CSessionData& session = GetSessionData());
    CTradingDesk(const CTradingDesk&) = delete;
    CTradingDesk& operator=(const CTradingDesk&) = delete;

    // Owner of the message boxes.
    void SetOwner(HWND owner);
    void SetShowOrderDetail(bool show) { m_showOrderDetail = show; }
    bool GetShowOrderDetail() const { return m_showOrderDetail; }
    // The texts that go with the funds: the account title of the trade dialog's header and the
    // account and user names of the funds page.
    void SetAccountTexts(const CString& title, const CString& accountName, const CString& userName);

    // --- order placement
    // WM_PLACE_ORDER: checks the ticket, refuses with a message box at the first failure.
    void OnNewOrder(const TicketFields& ticket);
    // WM_SEND_NEW_ORDER: 0 sent (then recorded), otherwise the sender's error; -1 while the
    // order connection is not logged in. The sender tells its user about a failure.
    int OnPlaceOrder(const OrderRequest& request);
    // The order connection answered the oldest unanswered order or cancel with a refusal.
    void OnRequestRefused();

    // --- query state
    CQueryGate& Gate() { return m_gate; }
    // Timer 1: a query without a final reply for six ticks is ended with its time-out text.
    void OnQueryTimer();
    // The receivers' end of a pending query (positions list and initial load): only kinds 1 and
    // 8 end, and not when the end belongs to a list that arrived after its query timed out.
    void EndPendingQueryFromReceiver();
    // A new login of the query connection: replies owed to earlier queries will not come.
    void ForgetLateReplies();
    // The state of a connection changed (kind and state as WM_CONNECTION_STATE carries them).
    void OnConnectionState(int kind, int state);

    // --- query requests
    // tell: refusals and failures are shown in message boxes (the risk monitor asks quietly).
    void OnQueryPositions(bool tell = true);
    void OnQueryAllOrders(bool tell = true);
    void OnQueryCancellable();
    void OnRefreshFills();
    void OnQueryNextPage();
    void OnSetQueryPage(int page) { m_queryPage = page; }
    void SetOrderListMode(int mode);
    int GetOrderListMode() const { return m_orderListMode; }

    // --- order replies
    void OnNewOrderReply(const OrderInfo& report);
    void OnCancelReply(const OrderInfo& report);
    void OnCancelAllReply(const OrderInfo& report);
    void OnAllOrdersReply(const HistoryOrderRecord* rows, int count);
    void OnCancellableReply(const HistoryOrderRecord* rows, int count);
    // WM_RESET_ORDER_TABLES of the initial load.
    void ResetOrderTables();
    COrderBook& Orders() { return m_orders; }

    // --- positions, funds, cancel and close
    // null: the end of the list (or an empty list).
    void OnPositionsReply(const PositionRecord* record);
    void OnPositionUpdate(const PositionRecord& record);
    void OnPositionSelected(const CString& rowText);
    void OnFundsUpdate(const SummaryRecord& funds);
    void OnFundsReply(const SummaryRecord& funds);
    void OnAccountSummary(const SummaryRecord& funds);
    // The clicked order row's cells (at least twelve).
    void OnOrderSelected(const std::vector<CString>& cells);
    void OnCancelOrder();
    // tell: refusals and failures are shown in message boxes; the risk monitor asks quietly
    // and, while the lists are not known, has them asked for first (STEP_WAIT).
    CRiskMonitor::Step OnCancelAllOrders(bool tell = true);
    void OnClosePosition();
    CRiskMonitor::Step OnCloseAllPositions(bool tell = true);
    // Orders still open by the cancellable list.
    size_t OpenOrderCount() const { return m_orders.OpenOrderNumbers().size(); }
    // The lists hold what the query server said since its last login (not emptied since).
    bool AreOrdersKnown() const { return m_ordersKnown; }
    bool ArePositionsKnown() const { return m_positionsKnown; }
    // A quote of the code: its position's floating profit follows the last price, and the
    // panel's position rows are sent again when it moved.
    void OnQuotePrice(const CString& code, const CString& lastPrice);
    // The panel's position rows again (the instrument lists give their rows new names).
    void ResendPositionRows() { RefreshPositionRows(); }
    // The codes that the quote pollers keep fetching whether or not their rows are on show:
    // those of the follow orders (the orders kept for storing) that have not ended, and those
    // of the positions.
    void CollectHeldCodes(std::vector<CString>& ordered, std::vector<CString>& held) const;
    // The trade panel's header with the account figures (both connections logged in).
    void ShowAccountHeader();
    // The query connection is down or connecting again: the panel's orders and positions are
    // emptied, the positions and the log of placed orders forgotten.
    void ClearOrdersAndPositions();
    CPositionBook& Positions() { return m_positions; }
    const SummaryRecord& GetFunds() const { return m_funds; }
    const CString& GetSelectedPositionCode() const { return m_selectedPositionCode; }
    const std::vector<CString>& GetCancelQueue() const { return m_cancelQueue; }

    // --- password change (the password kept by the session data); without a trading account
    // (set here, or the connections say so) it is refused.
    void SetAccountOpen(bool open) { m_accountOpen = open; }
    void OnChangePassword(const CString& current, const CString& newPassword, const CString& newAgain);
    void OnPasswordResult(const CString& result);

    // --- risk control (its line from the risk settings window, timers 4 and 5)
    CRiskMonitor& Risk() { return m_risk; }

    // --- history and fills
    void OnQueryHistory(const CString& startDate, const CString& endDate);
    void OnHistoryReport(const HistoryOrderRecord* rows, int count);
    void OnFillsReply(const HistoryOrderRecord* rows, int count);
    int GetHistoryPageNumber() const { return m_historyPageNumber; }
    // The header line of the history table and the line of one row.
    static CString HistoryHeaderLine();
    static CString HistoryRowLine(const HistoryOrderRecord& row, const QuoteStore& store = GetQuoteStore());

private:
    enum ReplyStream
    {
        POSITION_STREAM = 0,
        LIST_STREAM,
        STREAM_COUNT
    };
    bool RequireQueryConnection(bool tell = true);
    bool RequireTradeConnection(LPCSTR refusal, bool tell = true);
    // A send that failed ends the kind it started and says so.
    bool CheckSent(int result, int kind, bool tell = true);
    // The text that tells a failed order send: the connection is down, or the send failed.
    static LPCSTR SendFailureText(int result, LPCSTR disconnected);
    // A request the order connection owes an answer: an order (by client reference) or a
    // cancel (by order number). The connection answers in order, so a refusal, which names
    // nothing, belongs to the oldest.
    struct AwaitedAnswer
    {
        bool cancel;
        CString key;
    };
    void NoteAnswered(const OrderInfo& report);
    // Every order report, whichever slot delivered it: the lists, closing positions and the
    // cancel under way.
    void ApplyOrderReport(const OrderInfo& report, int syncMode);
    void AdvanceCancels(const OrderInfo* report);
    void ClearClosingMark(const CString& clientRef);
    void NoteQuerySent(int kind);
    static int StreamOfKind(int kind);
    // True when the reply belongs to a query that already timed out (it is dropped).
    bool DropLateReply(ReplyStream stream);
    void SendOrdersButtons(bool allHighlighted);
    void SyncOrderList(int mode);
    void ReleaseClosingPositions(const OrderInfo& report);
    void AddPosition(const PositionEntry& entry);
    void RemovePosition(int index);
    void RefreshPositionRows();
    void TakeFunds(const SummaryRecord& funds, bool nonEmptyOnly);
    bool SendNextCancel();
    void EndCancelChain(int kind);
    bool SendCancel(const CString& orderNo);
    void Message(LPCSTR text);
    void HistoryStatus(LPCSTR text, COLORREF colour);
    CString TodayText() const;

    CReplySlots& m_slots;
    ITradeWire& m_wire;
    ITradingWindows& m_windows;
    QuoteStore& m_store;
    Clock m_clock;
    CSessionData& m_session;
    HWND m_owner;
    CQueryGate m_gate;
    COrderBook m_orders;
    CPositionBook m_positions;
    SummaryRecord m_funds;
    CString m_accountTitle;
    CString m_accountName;
    CString m_userName;
    bool m_accountOpen;
    CString m_pendingNewPassword;
    bool m_showOrderDetail;
    int m_orderListMode;
    int m_queryPage;
    CString m_selectedPositionCode;
    std::vector<CString> m_cancelQueue;
    // The order number whose report the cancel under way waits for (empty: none).
    CString m_cancelAwaited;
    // Whether the chain under way tells its user, and how many of its cancels were refused.
    bool m_cancelChainTells;
    int m_cancelsRefused;
    std::deque<AwaitedAnswer> m_awaited;
    bool m_ordersKnown;
    bool m_positionsKnown;
    CString m_historyStartDate;
    CString m_historyEndDate;
    int m_historyPageNumber;
    std::set<CString> m_historyKeys;
    std::set<CString> m_fillKeys;
    // Replies owed to queries that timed out, per reply stream: the connection answers in
    // order, so the next reply of a stream with a debt is the late one.
    int m_lateReplies[STREAM_COUNT];
    // A reply was dropped since the stream's last query went out: when that query times out
    // anyway, the reply dropped was its own and nothing more is owed.
    bool m_droppedSinceSent[STREAM_COUNT];
    // Set on the user-interface thread, read by the query receiver's thread.
    volatile LONG m_swallowReceiverEnd;
    CRiskMonitor m_risk;
};
