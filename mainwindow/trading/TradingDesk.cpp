#include "TradingDesk.h"
#include <algorithm>
#include <cstdlib>
#include "ConnectionStates.h"
#include "DateText.h"
#include "NumberText.h"
#include "RandomId.h"
#include "ReplyMessages.h"
#include "ServerClock.h"
#include "ServerSession.h"
#include "SymbolRules.h"
#include "TextHelpers.h"
#include "TicketCheck.h"
#include "TradingMessage.h"

namespace {
const char kSubmitted[] = "已提交";
const char kSendFailed[] = "请求发送失败，请检查网络连接！";
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kStatusClear = RGB(0, 0, 255);

// Reply slot numbers of the requests.
const UINT kNewOrderReply = WM_REPLY_NEW_ORDER;
const UINT kCancelReply = WM_REPLY_CANCEL;
const UINT kCancelAllReply = WM_REPLY_CANCEL_ALL;
const UINT kFundsReply = WM_FUNDS_UPDATE;
const UINT kSummaryReply = WM_REPLY_ACCOUNT_SUMMARY;

// Kinds of "querystateorders@" and "querydateorders@".
const int kAllOrdersState = 6;
const int kCancellableState = 2;
const int kFilledState = 1;
}  // namespace

CTradingDesk::CTradingDesk(CReplySlots& slots, ITradeWire& wire, ITradingWindows& windows,
                           QuoteStore& store, Clock clock, CSessionData& session)
    : m_slots(slots), m_wire(wire), m_windows(windows), m_store(store), m_clock(clock), m_session(session),
      m_owner(NULL),
      m_orders([this](const OrderEntry& entry) { m_windows.StoreFinishedFollowOrder(entry); }, store, clock),
      m_positions(store), m_accountOpen(true), m_showOrderDetail(false), m_orderListMode(0),
      m_queryPage(0), m_cancelChainTells(true), m_cancelsRefused(0), m_ordersKnown(false),
      m_positionsKnown(false), m_historyPageNumber(1), m_swallowReceiverEnd(0),
      m_risk(windows, CRiskMonitor::Actions{[this] { return OnCancelAllOrders(false); },
                                            [this] { return OpenOrderCount(); },
                                            [this] { return OnCloseAllPositions(false); },
                                            [this] { return m_gate.IsIdle(false); }})
{
    if (!m_clock)
        m_clock = [] { return GetServerTime(); };
    for (int i = 0; i < STREAM_COUNT; ++i)
    {
        m_lateReplies[i] = 0;
        m_droppedSinceSent[i] = false;
    }
}

void CTradingDesk::SetOwner(HWND owner)
{
    m_owner = owner;
    m_gate.SetOwner(owner);
    m_risk.SetOwner(owner);
}

void CTradingDesk::SetAccountTexts(const CString& title, const CString& accountName, const CString& userName)
{
    m_accountTitle = title;
    m_accountName = accountName;
    m_userName = userName;
}

void CTradingDesk::Message(LPCSTR text)
{
    ShowTradingMessage(m_owner, text);
}

// ---------------------------------------------------------------- order placement

void CTradingDesk::OnNewOrder(const TicketFields& ticket)
{
    if (TradeConnectionState == CONNECTION_NO_ACCOUNT)
    {
        Message("未开户，无法进行交易，请开户后操作！");
        return;
    }
    if (TradeConnectionState != CONNECTION_LOGGED_IN)
    {
        Message("交易服务器已断开！不能进行下单操作！");
        return;
    }
    if (!m_gate.IsIdle(true))
        return;
    m_orderListMode = COrderBook::SHOW_ALL;
    SendOrdersButtons(true);

    OrderRequest request;
    const CString refusal = BuildOrderFromTicket(ticket, request, m_store);
    if (!refusal.IsEmpty())
    {
        Message(refusal);
        return;
    }
    request.clientRef = MakeRandomId();
    if (m_showOrderDetail && !m_windows.ConfirmOrder(request, m_funds))
        return;
    m_slots.Set(CReplySlots::ORDER_SLOT, kNewOrderReply);
    // The connection may have gone while the order detail window was open.
    const int result = OnPlaceOrder(request);
    if (result != 0)
        Message(SendFailureText(result, "交易服务器已断开！不能进行下单操作！"));
}

LPCSTR CTradingDesk::SendFailureText(int result, LPCSTR disconnected)
{
    return result == CServerSession::SEND_NO_CONNECTION ? disconnected : kSendFailed;
}

void CTradingDesk::CollectHeldCodes(std::vector<CString>& ordered, std::vector<CString>& held) const
{
    // Any other order in the proxy list was only sent through the proxy connection: its
    // instrument is no reason to poll.
    for (const OrderEntry& order : m_orders.ProxyOrders())
        if (order.isFollowOrder && !COrderBook::IsFinalStatus(order[OrderEntry::STATUS]))
            ordered.push_back(order[OrderEntry::CONTRACT]);
    for (const PositionEntry& position : m_positions.Entries())
        held.push_back(position.Code());
}

int CTradingDesk::OnPlaceOrder(const OrderRequest& sent)
{
    // An order written on a connection that is not logged in is dropped by the server without
    // an answer: it is not sent, and the sender (a follow-order worker) hears so.
    if (TradeConnectionState != CONNECTION_LOGGED_IN)
        return CServerSession::SEND_NO_CONNECTION;
    const OrderRequest request = sent;
    // A cancel under way keeps its slot: its report must reach the chain's handler.
    if (m_cancelAwaited.IsEmpty())
        m_slots.Set(CReplySlots::ORDER_SLOT, kNewOrderReply);
    const int result = m_wire.SendNewOrder(request);
    if (result != 0)
        return result;
    m_awaited.push_back(AwaitedAnswer{false, request.clientRef});
    m_orders.RecordPlacedOrder(request);
    SyncOrderList(1);
    m_windows.PlaySoundFile("NewOrder.wav");
    return 0;
}

void CTradingDesk::OnRequestRefused()
{
    if (m_awaited.empty())
        return;
    const AwaitedAnswer refused = m_awaited.front();
    m_awaited.pop_front();
    if (refused.cancel)
    {
        if (refused.key == m_cancelAwaited)
        {
            ++m_cancelsRefused;
            AdvanceCancels(NULL);
        }
        return;
    }
    // The order never reached the book: it ends as void, and a close it was stays closable.
    OrderInfo report;
    report.cid = refused.key;
    report.st = "Inactive";
    m_orders.ApplyReport(report);
    SyncOrderList(1);
    const bool wasClose = m_positions.FindClosing(refused.key) >= 0;
    ClearClosingMark(refused.key);
    Message(wasClose ? "平仓委托被服务器拒绝！" : "委托被服务器拒绝！");
}

void CTradingDesk::ClearClosingMark(const CString& clientRef)
{
    const int index = m_positions.FindClosing(clientRef);
    if (index < 0)
        return;
    m_positions.At(index).closing = false;
    m_positions.At(index).closeRef.Empty();
    RefreshPositionRows();
}

void CTradingDesk::NoteAnswered(const OrderInfo& report)
{
    for (auto it = m_awaited.begin(); it != m_awaited.end(); ++it)
    {
        const CString& key = it->cancel ? report.oid : report.cid;
        if (!key.IsEmpty() && key == it->key)
        {
            m_awaited.erase(it);
            return;
        }
    }
}

// ---------------------------------------------------------------- query state

int CTradingDesk::StreamOfKind(int kind)
{
    switch (kind)
    {
    case CQueryGate::POSITIONS:
        return POSITION_STREAM;
    case CQueryGate::ALL_ORDERS:
    case CQueryGate::CANCELLABLE_ORDERS:
    case CQueryGate::HISTORY:
    case CQueryGate::FILLS:
        return LIST_STREAM;
    default:
        return -1;
    }
}

void CTradingDesk::NoteQuerySent(int kind)
{
    const int stream = StreamOfKind(kind);
    if (stream >= 0)
        m_droppedSinceSent[stream] = false;
}

bool CTradingDesk::DropLateReply(ReplyStream stream)
{
    if (m_lateReplies[stream] == 0)
        return false;
    m_droppedSinceSent[stream] = true;
    return true;
}

void CTradingDesk::OnQueryTimer()
{
    const int kind = m_gate.Tick();
    if (kind == CQueryGate::IDLE)
        return;
    m_windows.KillTimer(CQueryGate::kTimerId);
    // Late replies must not reach the handler of the next request: cancel replies go back to
    // the plain order reports, summaries to the funds, and lists and positions owe a reply.
    if (kind == CQueryGate::CANCEL_ONE || kind == CQueryGate::CANCEL_ALL)
    {
        m_cancelQueue.clear();
        m_cancelAwaited.Empty();
        m_slots.Set(CReplySlots::ORDER_SLOT, kNewOrderReply);
    }
    else if (kind == CQueryGate::FUNDS)
        m_slots.Set(CReplySlots::FUNDS_SLOT, kFundsReply);
    const int stream = StreamOfKind(kind);
    if (stream >= 0 && !m_droppedSinceSent[stream])
        ++m_lateReplies[stream];
    if (kind == CQueryGate::HISTORY && m_windows.HasTradeDialog())
        m_windows.SendQueryText(ITradingWindows::HISTORY_PAGE, "", ITradingWindows::QUERY_TEXT_CLEAR);
    const char* text = CQueryGate::TimeoutText(kind);
    if (text != NULL)
        Message(text);
    m_windows.SetTimer(CQueryGate::kTimerId, CQueryGate::kTimerPeriodMs);
}

void CTradingDesk::EndPendingQueryFromReceiver()
{
    if (InterlockedExchange(&m_swallowReceiverEnd, 0) != 0)
        return;
    if (!m_gate.EndIf(CQueryGate::POSITIONS))
        m_gate.EndIf(CQueryGate::INITIAL_LOAD);
}

void CTradingDesk::ForgetLateReplies()
{
    for (int i = 0; i < STREAM_COUNT; ++i)
    {
        m_lateReplies[i] = 0;
        m_droppedSinceSent[i] = false;
    }
    InterlockedExchange(&m_swallowReceiverEnd, 0);
}

void CTradingDesk::OnConnectionState(int kind, int state)
{
    if (kind == CONNECTION_KIND_QUERY && state == CONNECTION_LOGGED_IN)
        ForgetLateReplies();
    // A connection that went will answer nothing it was asked before; what it was asked
    // ends now instead of stalling the next request.
    if (kind == CONNECTION_KIND_ORDER && state == CONNECTION_LOST)
    {
        m_awaited.clear();
        if (!m_cancelAwaited.IsEmpty())
            EndCancelChain(m_gate.GetPending() == CQueryGate::CANCEL_ONE ? CQueryGate::CANCEL_ONE
                                                                       : CQueryGate::CANCEL_ALL);
    }
}

bool CTradingDesk::CheckSent(int result, int kind, bool tell)
{
    if (result == 0)
        return true;
    m_gate.EndIf(kind);
    if (tell)
        Message(kSendFailed);
    return false;
}

bool CTradingDesk::RequireQueryConnection(bool tell)
{
    if (QueryConnectionState == CONNECTION_LOGGED_IN)
        return true;
    if (tell)
        Message("查询服务器已断开！不能进行查询操作！");
    return false;
}

bool CTradingDesk::RequireTradeConnection(LPCSTR refusal, bool tell)
{
    if (TradeConnectionState == CONNECTION_LOGGED_IN)
        return true;
    if (tell)
        Message(refusal);
    return false;
}

// ---------------------------------------------------------------- query requests

void CTradingDesk::SendOrdersButtons(bool allHighlighted)
{
    if (!m_windows.HasTradeDialog())
        return;
    m_windows.SetOrdersButtonState("全部", true, allHighlighted);
    m_windows.SetOrdersButtonState("可撤", true, !allHighlighted);
}

void CTradingDesk::SetOrderListMode(int mode)
{
    m_orderListMode = mode;
    if (mode == COrderBook::SHOW_ALL || mode == COrderBook::SHOW_CANCELLABLE)
        SendOrdersButtons(mode == COrderBook::SHOW_ALL);
}

void CTradingDesk::SyncOrderList(int mode)
{
    if (m_orderListMode != COrderBook::SHOW_ALL && m_orderListMode != COrderBook::SHOW_CANCELLABLE)
        return;
    if (m_windows.HasTradeDialog())
        m_windows.SyncOrderRows(m_orders.ShownOrders(m_orderListMode), mode);
}

void CTradingDesk::OnQueryPositions(bool tell)
{
    if (!RequireQueryConnection(tell) || !m_gate.SetPending(CQueryGate::POSITIONS, tell))
        return;
    m_positions.Clear();
    m_positionsKnown = false;
    if (m_windows.HasTradeDialog())
        m_windows.ClearPositions();
    m_selectedPositionCode.Empty();
    m_slots.Set(CReplySlots::POSITION_SLOT, WM_REPLY_POSITIONS);
    NoteQuerySent(CQueryGate::POSITIONS);
    CheckSent(m_wire.QueryPosition(), CQueryGate::POSITIONS, tell);
}

void CTradingDesk::OnQueryAllOrders(bool tell)
{
    if (!RequireQueryConnection(tell) || !m_gate.SetPending(CQueryGate::ALL_ORDERS, tell))
        return;
    SetOrderListMode(COrderBook::SHOW_ALL);
    m_orders.ClearAllOrders();
    m_orders.ClearCancellable();
    m_ordersKnown = false;
    SyncOrderList(0);
    m_slots.Set(CReplySlots::ORDER_LIST_SLOT, WM_REPLY_ORDER_LIST);
    NoteQuerySent(CQueryGate::ALL_ORDERS);
    CheckSent(m_wire.QueryStateOrders(kAllOrdersState), CQueryGate::ALL_ORDERS, tell);
}

void CTradingDesk::OnQueryCancellable()
{
    if (!RequireQueryConnection() || !m_gate.SetPending(CQueryGate::CANCELLABLE_ORDERS, true))
        return;
    SetOrderListMode(COrderBook::SHOW_CANCELLABLE);
    m_orders.ClearCancellable();
    m_ordersKnown = false;
    SyncOrderList(0);
    m_slots.Set(CReplySlots::ORDER_LIST_SLOT, WM_REPLY_CANCELLABLE_LIST);
    NoteQuerySent(CQueryGate::CANCELLABLE_ORDERS);
    CheckSent(m_wire.QueryStateOrders(kCancellableState), CQueryGate::CANCELLABLE_ORDERS);
}

void CTradingDesk::OnRefreshFills()
{
    if (!RequireQueryConnection() || !m_gate.SetPending(CQueryGate::FILLS, true))
        return;
    if (m_windows.HasTradeDialog())
        m_windows.ClearFills();
    m_fillKeys.clear();
    m_slots.Set(CReplySlots::ORDER_LIST_SLOT, WM_REPLY_FILLS);
    NoteQuerySent(CQueryGate::FILLS);
    CheckSent(m_wire.QueryStateOrders(kFilledState), CQueryGate::FILLS);
}

void CTradingDesk::OnQueryNextPage()
{
    if (!m_windows.HasTradeDialog() || m_queryPage != ITradingWindows::HISTORY_PAGE)
        return;
    if (!m_gate.SetPending(CQueryGate::HISTORY, true))
        return;
    ++m_historyPageNumber;
    m_slots.Set(CReplySlots::ORDER_LIST_SLOT, WM_REPLY_HISTORY);
    NoteQuerySent(CQueryGate::HISTORY);
    CheckSent(m_wire.QueryDateOrders(kAllOrdersState, m_historyStartDate, m_historyEndDate, m_historyPageNumber),
              CQueryGate::HISTORY);
}

// ---------------------------------------------------------------- order replies

void CTradingDesk::ReleaseClosingPositions(const OrderInfo& report)
{
    if (COrderBook::IsFinalStateWord(report.st) && m_positions.ReleaseClosing(report.cid))
        RefreshPositionRows();
}

// Every report is an order report, whichever slot delivered it: a report of the order a
// cancel waits for ends that cancel even when a new order sent meanwhile moved the slot.
void CTradingDesk::ApplyOrderReport(const OrderInfo& report, int syncMode)
{
    NoteAnswered(report);
    m_orders.ApplyReport(report);
    SyncOrderList(syncMode);
    ReleaseClosingPositions(report);
    if (!m_cancelAwaited.IsEmpty() && report.oid == m_cancelAwaited)
        AdvanceCancels(&report);
}

void CTradingDesk::OnNewOrderReply(const OrderInfo& report)
{
    ApplyOrderReport(report, 1);
}

void CTradingDesk::OnCancelReply(const OrderInfo& report)
{
    ApplyOrderReport(report, m_orderListMode == COrderBook::SHOW_ALL ? 1 : 0);
}

void CTradingDesk::OnCancelAllReply(const OrderInfo& report)
{
    ApplyOrderReport(report, 1);
}

// The cancel under way was answered (report) or refused (null): a single cancel ends, a
// cancel-all sends its next cancel or ends.
void CTradingDesk::AdvanceCancels(const OrderInfo* report)
{
    m_cancelAwaited.Empty();
    const int kind = m_gate.GetPending();
    if (kind == CQueryGate::CANCEL_ONE)
    {
        EndCancelChain(CQueryGate::CANCEL_ONE);
        if (report == NULL)
            Message("撤单被服务器拒绝！");
        return;
    }
    if (kind != CQueryGate::CANCEL_ALL)
    {
        // The chain already ended (timed out): this answer only updated the lists.
        m_cancelQueue.clear();
        m_slots.Set(CReplySlots::ORDER_SLOT, kNewOrderReply);
        return;
    }
    if (m_cancelQueue.empty())
    {
        const bool refusals = m_cancelsRefused > 0;
        EndCancelChain(CQueryGate::CANCEL_ALL);
        if (refusals && m_cancelChainTells)
            Message("部分委托撤单被服务器拒绝！");
        return;
    }
    m_gate.ResetTicks();
    SendNextCancel();
}

// Only the cancel kinds end here: an order report of another request must not end it.
void CTradingDesk::EndCancelChain(int kind)
{
    m_cancelQueue.clear();
    m_cancelAwaited.Empty();
    m_slots.Set(CReplySlots::ORDER_SLOT, kNewOrderReply);
    m_gate.EndIf(kind);
}

bool CTradingDesk::SendCancel(const CString& orderNo)
{
    if (m_wire.SendCancelOrder(orderNo) != 0)
        return false;
    m_cancelAwaited = orderNo;
    m_awaited.push_back(AwaitedAnswer{true, orderNo});
    return true;
}

bool CTradingDesk::SendNextCancel()
{
    const CString orderNo = m_cancelQueue.front();
    m_cancelQueue.erase(m_cancelQueue.begin());
    m_slots.Set(CReplySlots::ORDER_SLOT, kCancelAllReply);
    if (SendCancel(orderNo))
        return true;
    EndCancelChain(CQueryGate::CANCEL_ALL);
    if (m_cancelChainTells)
        Message(kSendFailed);
    return false;
}

void CTradingDesk::OnAllOrdersReply(const HistoryOrderRecord* rows, int count)
{
    if (DropLateReply(LIST_STREAM))
    {
        --m_lateReplies[LIST_STREAM];
        return;
    }
    m_gate.ResetTicks();
    m_orders.AddAllOrdersRows(rows, count);
    m_ordersKnown = true;
    SyncOrderList(2);
    m_gate.EndIf(CQueryGate::ALL_ORDERS);
}

void CTradingDesk::OnCancellableReply(const HistoryOrderRecord* rows, int count)
{
    if (DropLateReply(LIST_STREAM))
    {
        --m_lateReplies[LIST_STREAM];
        return;
    }
    m_gate.ResetTicks();
    m_orders.AddCancellableRows(rows, count);
    m_ordersKnown = true;
    SyncOrderList(2);
    m_gate.EndIf(CQueryGate::CANCELLABLE_ORDERS);
}

void CTradingDesk::ResetOrderTables()
{
    m_ordersKnown = false;
    m_orders.ClearAllOrders();
    m_orders.ClearCancellable();
    SetOrderListMode(COrderBook::SHOW_ALL);
    SyncOrderList(0);
}

// ---------------------------------------------------------------- positions

void CTradingDesk::AddPosition(const PositionEntry& entry)
{
    m_positions.Add(entry);
    if (m_windows.HasTradeDialog())
    {
        m_windows.InsertPositionRow();
        m_windows.SetPositionRow((int)m_positions.Count() - 1, entry.texts, entry.closing);
    }
    m_windows.RefreshQuoteRows();
}

void CTradingDesk::RemovePosition(int index)
{
    m_positions.RemoveAt(index);
    if (!m_windows.HasTradeDialog())
        return;
    if (m_positions.Count() == 0)
        m_windows.ClearPositions();
    else
        m_windows.DeletePositionRow(index);
}

void CTradingDesk::RefreshPositionRows()
{
    if (!m_windows.HasTradeDialog())
        return;
    for (size_t i = 0; i < m_positions.Count(); ++i)
        m_windows.SetPositionRow((int)i, m_positions.Entries()[i].texts, m_positions.Entries()[i].closing);
}

void CTradingDesk::OnQuotePrice(const CString& code, const CString& lastPrice)
{
    if (m_positions.Revalue(code, lastPrice))
        RefreshPositionRows();
}

void CTradingDesk::OnPositionsReply(const PositionRecord* record)
{
    if (DropLateReply(POSITION_STREAM))
    {
        // The list ends with a null record; its end also stops the receiver's end of query.
        if (record == NULL)
        {
            --m_lateReplies[POSITION_STREAM];
            InterlockedExchange(&m_swallowReceiverEnd, 1);
        }
        return;
    }
    if (record == NULL)
    {
        // An empty list, or the end of one: the positions are what the server holds.
        m_positionsKnown = true;
        return;
    }
    const PositionEntry entry = m_positions.BuildEntry(*record);
    const int index = m_positions.Find(entry.Code());
    if (index >= 0)
    {
        m_positions.Replace(index, entry);
        RefreshPositionRows();
    }
    else if (atoi(entry.texts[3]) != 0)
        AddPosition(entry);
}

void CTradingDesk::OnPositionUpdate(const PositionRecord& record)
{
    PositionEntry entry = m_positions.BuildEntry(record);
    const int index = m_positions.Find(entry.Code());
    const bool flat = atof(entry.texts[3]) == 0.0;
    if (index >= 0)
    {
        PositionEntry& kept = m_positions.At(index);
        entry.closing = kept.closing;
        entry.closeRef = kept.closeRef;
        kept = entry;
        if (flat)
            RemovePosition(index);
    }
    else if (!flat)
        AddPosition(entry);
    RefreshPositionRows();
}

void CTradingDesk::OnPositionSelected(const CString& rowText)
{
    CStringArray cells;
    SplitString(cells, rowText, "|", true, true);
    m_selectedPositionCode = cells.GetSize() > 1 ? cells[1] : CString();
}

// ---------------------------------------------------------------- funds

void CTradingDesk::TakeFunds(const SummaryRecord& funds, bool nonEmptyOnly)
{
    for (int i = 0; i < SummaryRecord::kFieldCount; ++i)
        if (!nonEmptyOnly || !funds.strFields[i].IsEmpty())
            m_funds.strFields[i] = funds.strFields[i];
    m_risk.SetTotalAssets(m_funds.strFields[0]);
    m_windows.ShowRiskAssets(m_funds);
    if (TradeConnectionState == CONNECTION_LOGGED_IN && m_windows.HasTradeDialog())
        m_windows.ShowAccountSummary(m_accountTitle, m_funds);
}

void CTradingDesk::ShowAccountHeader()
{
    if (m_windows.HasTradeDialog())
        m_windows.ShowAccountSummary(m_accountTitle, m_funds);
}

void CTradingDesk::ClearOrdersAndPositions()
{
    m_positions.Clear();
    m_orders.ClearPlaced();
    m_ordersKnown = false;
    m_positionsKnown = false;
    // The figures came from the connection that went.
    m_risk.ForgetAssets();
    if (!m_windows.HasTradeDialog())
        return;
    m_windows.SyncOrderRows(std::vector<OrderEntry>(), 0);
    m_windows.ClearPositions();
}

void CTradingDesk::OnFundsUpdate(const SummaryRecord& funds)
{
    TakeFunds(funds, false);
}

void CTradingDesk::OnFundsReply(const SummaryRecord& funds)
{
    TakeFunds(funds, true);
}

void CTradingDesk::OnAccountSummary(const SummaryRecord& funds)
{
    if (!m_windows.HasTradeDialog())
        return;
    struct Line
    {
        const char* label;
        CString value;
    };
    const CString* f = funds.strFields;
    const CString currency = f[6].IsEmpty() ? CString("---") : GetCurrencyName(f[6]);
    const Line head[] = {{"账户名:", m_accountName}, {"姓名:", m_userName}, {"币种:", currency}};
    const Line figures[] = {
        {"总资产:", FormatDisplayValue(FormatNumberString(f[0], 2))},
        {"初始保证金:", FormatDisplayValue(FormatNumberString(f[1], 2))},
        {"占用保证金:", FormatDisplayValue(FormatNumberString(f[2], 2))},
        {"可用资金:", FormatDisplayValue(FormatNumberString(f[3], 2))},
        {"流动性:", FormatDisplayValue(FormatNumberString(f[4], 2))},
        {"美股T+0次数:", FormatCountText(FormatNumberString(f[5], 0))},
    };
    CString text;
    CString line;
    for (size_t i = 0; i < _countof(head); ++i)
    {
        line.Format("%-25s%12s\n", head[i].label, (LPCSTR)head[i].value);
        text += line;
    }
    text += "\n";
    for (size_t i = 0; i < _countof(figures); ++i)
    {
        line.Format("%-25s%12s\n", figures[i].label, (LPCSTR)figures[i].value);
        text += line;
    }
    m_windows.SendQueryText(ITradingWindows::FUNDS_PAGE, text, ITradingWindows::QUERY_TEXT_APPEND);
    TakeFunds(funds, false);
    m_gate.EndIf(CQueryGate::FUNDS);
}

// ---------------------------------------------------------------- cancel and close

void CTradingDesk::OnOrderSelected(const std::vector<CString>& cells)
{
    m_cancelQueue.clear();
    if (cells.size() > (size_t)OrderEntry::ORDER_NO && cells[OrderEntry::STATUS] == kSubmitted)
        m_cancelQueue.push_back(cells[OrderEntry::ORDER_NO]);
}

void CTradingDesk::OnCancelOrder()
{
    if (!RequireTradeConnection("交易服务器已断开！不能进行撤单操作！"))
        return;
    if (!m_gate.SetPending(CQueryGate::CANCEL_ONE, true))
        return;
    if (m_cancelQueue.empty())
    {
        EndCancelChain(CQueryGate::CANCEL_ONE);
        return;
    }
    m_slots.Set(CReplySlots::ORDER_SLOT, kCancelReply);
    if (!SendCancel(m_cancelQueue.front()))
    {
        EndCancelChain(CQueryGate::CANCEL_ONE);
        Message(kSendFailed);
    }
}

CRiskMonitor::Step CTradingDesk::OnCancelAllOrders(bool tell)
{
    if (!RequireTradeConnection("交易服务器已断开！不能进行全部撤单操作！", tell))
        return CRiskMonitor::STEP_NO_CONNECTION;
    // The lists were emptied with the query connection: "nothing open" would be a guess.
    if (!tell && !m_ordersKnown)
    {
        if (m_gate.IsIdle(false))
            OnQueryAllOrders(false);
        return CRiskMonitor::STEP_WAIT;
    }
    if (!m_gate.SetPending(CQueryGate::CANCEL_ALL, tell))
        return CRiskMonitor::STEP_WAIT;
    m_cancelQueue = m_orders.OpenOrderNumbers();
    m_cancelChainTells = tell;
    m_cancelsRefused = 0;
    if (m_cancelQueue.empty())
    {
        EndCancelChain(CQueryGate::CANCEL_ALL);
        return CRiskMonitor::STEP_DONE;
    }
    return SendNextCancel() ? CRiskMonitor::STEP_STARTED : CRiskMonitor::STEP_SEND_FAILED;
}

void CTradingDesk::OnClosePosition()
{
    if (!RequireTradeConnection("交易服务器已断开！不能进行平仓操作！"))
        return;
    const int index = m_positions.Find(m_selectedPositionCode);
    if (index < 0 || m_positions.At(index).closing)
        return;
    OrderRequest request;
    if (!CPositionBook::BuildCloseOrder(m_positions.At(index), request))
        return;
    m_positions.At(index).closing = true;
    m_positions.At(index).closeRef = request.clientRef;
    RefreshPositionRows();
    const int result = OnPlaceOrder(request);
    if (result == 0)
        return;
    // Nothing is under way: the position must stay closable.
    ClearClosingMark(request.clientRef);
    Message(SendFailureText(result, "交易服务器已断开！不能进行平仓操作！"));
}

CRiskMonitor::Step CTradingDesk::OnCloseAllPositions(bool tell)
{
    if (!RequireTradeConnection("交易服务器已断开！不能进行全部平仓操作！", tell))
        return CRiskMonitor::STEP_NO_CONNECTION;
    // The list was emptied with the query connection: ask for it before closing "nothing".
    if (!tell && !m_positionsKnown)
    {
        if (m_gate.IsIdle(false))
            OnQueryPositions(false);
        return CRiskMonitor::STEP_WAIT;
    }
    // Sending may change the list (a fill report arriving meanwhile); go by a copy of the codes.
    std::vector<CString> codes;
    for (size_t i = 0; i < m_positions.Count(); ++i)
        codes.push_back(m_positions.Entries()[i].Code());
    int failure = 0;
    for (size_t i = 0; i < codes.size(); ++i)
    {
        const int index = m_positions.Find(codes[i]);
        if (index < 0 || m_positions.At(index).closing)
            continue;
        OrderRequest request;
        if (!CPositionBook::BuildCloseOrder(m_positions.At(index), request))
            continue;
        m_positions.At(index).closing = true;
        m_positions.At(index).closeRef = request.clientRef;
        const int result = OnPlaceOrder(request);
        if (result != 0)
        {
            ClearClosingMark(request.clientRef);
            failure = result;
        }
    }
    RefreshPositionRows();
    if (failure == 0)
        return CRiskMonitor::STEP_DONE;
    if (tell)
        Message(SendFailureText(failure, "交易服务器已断开！不能进行全部平仓操作！"));
    return failure == CServerSession::SEND_NO_CONNECTION ? CRiskMonitor::STEP_NO_CONNECTION
                                                         : CRiskMonitor::STEP_SEND_FAILED;
}

// ---------------------------------------------------------------- history and fills

CString CTradingDesk::TodayText() const
{
    return m_clock().Format("%Y%m%d");
}

void CTradingDesk::HistoryStatus(LPCSTR text, COLORREF colour)
{
    m_windows.SendQueryStatus(ITradingWindows::HISTORY_PAGE, text, colour);
}

namespace {
bool IsCalendarDate(const CString& date)
{
    if (!IsEightDigitDate(date))
        return false;
    const int year = atoi(date.Left(4));
    const int month = atoi(date.Mid(4, 2));
    const int day = atoi(date.Mid(6, 2));
    if (month < 1 || month > 12 || day < 1)
        return false;
    int y, m, d;
    CivilFromDays(DaysFromCivil(year, month, day), y, m, d);
    return y == year && m == month && d == day;
}

CString DashedDate(const CString& date)
{
    return date.Left(4) + "-" + date.Mid(4, 2) + "-" + date.Mid(6);
}
}  // namespace

void CTradingDesk::OnQueryHistory(const CString& startText, const CString& endText)
{
    if (!m_windows.HasTradeDialog())
        return;
    if (m_queryPage == ITradingWindows::FUNDS_PAGE)
    {
        if (!m_gate.SetPending(CQueryGate::FUNDS, true))
            return;
        m_windows.SendQueryText(ITradingWindows::FUNDS_PAGE, "", ITradingWindows::QUERY_TEXT_CLEAR);
        m_slots.Set(CReplySlots::FUNDS_SLOT, kSummaryReply);
        CheckSent(m_wire.QuerySummary(), CQueryGate::FUNDS);
        return;
    }
    if (m_queryPage != ITradingWindows::HISTORY_PAGE)
        return;

    CString start = startText;
    CString end = endText;
    start.Remove(' ');
    start.Remove('\t');
    end.Remove(' ');
    end.Remove('\t');
    if (start.IsEmpty() || end.IsEmpty())
        return HistoryStatus("查询日期不能为空!", kRed);
    if (start.GetLength() != 8 || end.GetLength() != 8)
        return HistoryStatus("查询日期格式错误!", kRed);
    if (!IsCalendarDate(start) || !IsCalendarDate(end))
        return HistoryStatus("输入的日期不存在!", kRed);
    const int today = atoi(TodayText());
    if (atoi(start) > atoi(end))
        return HistoryStatus("查询日期错误：起始日期>结束日期!", kRed);
    if (atoi(start) > today || atoi(end) > today)
        return HistoryStatus("只能查询今日以前的日期!", kRed);
    HistoryStatus("", kStatusClear);
    if (!m_gate.SetPending(CQueryGate::HISTORY, true))
        return;
    m_historyStartDate = DashedDate(start);
    m_historyEndDate = DashedDate(end);
    m_historyKeys.clear();
    m_windows.SendQueryText(ITradingWindows::HISTORY_PAGE, "", ITradingWindows::QUERY_TEXT_CLEAR);
    m_windows.SendQueryText(ITradingWindows::HISTORY_PAGE, "正在查询历史数据，请等待...", ITradingWindows::QUERY_TEXT_APPEND);
    m_slots.Set(CReplySlots::ORDER_LIST_SLOT, WM_REPLY_HISTORY);
    m_historyPageNumber = 1;
    NoteQuerySent(CQueryGate::HISTORY);
    CheckSent(m_wire.QueryDateOrders(kAllOrdersState, m_historyStartDate, m_historyEndDate, m_historyPageNumber),
              CQueryGate::HISTORY);
}

namespace {
const char kHistoryFormat[] = "%-12s %-12s %-6s %12s %12s %8s %8s    %-12s %-22s %-18s %12s %12s %12s   %-12s\n";

CString Lots(const CString& quantity, const CString& code, const QuoteStore& store)
{
    CString lots = quantity;
    ConvertLotQuantity(lots, code, FALSE, store);
    return lots;
}
}  // namespace

CString CTradingDesk::HistoryHeaderLine()
{
    CString line;
    line.Format(kHistoryFormat, "合约", "委托号", "买卖", "委托价格", "平均价格", "委手", "成手", "下单状态",
                "成交时间", "名称", "手续费", "订单盈亏", "平仓数量", "状态");
    return line;
}

CString CTradingDesk::HistoryRowLine(const HistoryOrderRecord& row, const QuoteStore& store)
{
    const CString* f = row.strFields;
    const int decimals = GetPriceDecimals(f[0], store);
    const CString side = f[4] == "0" ? CString("买") : f[4] == "1" ? CString("卖") : f[4];
    CString state = COrderBook::TranslateStateLetter(f[13]);
    if (state.IsEmpty())
        state = f[13];
    state = COrderBook::ApplyForcedRule(f[3], state);
    CString average = "---";
    if (atof(f[12]) != 0.0)
        average.Format("%f", atof(f[9]) / atof(f[12]));
    average = FormatNumberString(average, decimals);
    CString name = f[1];
    name.Replace("(主力)", "");
    const CString effect = f[16] == "O,P" ? CString("开仓") : f[16] == "C,P" ? CString("平仓") : CString("---");
    CString line;
    line.Format(kHistoryFormat, (LPCSTR)f[0], (LPCSTR)f[3], (LPCSTR)side,
                (LPCSTR)FormatNumberString(f[5], decimals), (LPCSTR)average, (LPCSTR)Lots(f[6], f[0], store),
                (LPCSTR)Lots(f[12], f[0], store), (LPCSTR)state, (LPCSTR)(f[7] + " " + f[8]), (LPCSTR)name,
                (LPCSTR)FormatNumberString(f[10], 2), (LPCSTR)f[14], (LPCSTR)Lots(f[15], f[0], store),
                (LPCSTR)effect);
    return line;
}

void CTradingDesk::OnHistoryReport(const HistoryOrderRecord* rows, int count)
{
    if (DropLateReply(LIST_STREAM))
    {
        --m_lateReplies[LIST_STREAM];
        return;
    }
    if (!m_windows.HasTradeDialog())
        return;
    struct Collected
    {
        long long time;
        int index;
        CString line;
    };
    std::vector<Collected> lines;
    for (int i = 0; rows != NULL && i < count; ++i)
    {
        const CString* f = rows[i].strFields;
        const CString key = f[7] + " " + f[8] + f[3];
        if (!m_historyKeys.insert(key).second)
            continue;
        Collected collected;
        collected.time = TextToTime(f[7] + " " + f[8]);
        collected.index = i;
        collected.line = HistoryRowLine(rows[i], m_store);
        lines.push_back(collected);
    }
    std::sort(lines.begin(), lines.end(), [](const Collected& a, const Collected& b) {
        return a.time != b.time ? a.time > b.time : a.index > b.index;
    });
    if (m_historyPageNumber == 1)
    {
        m_windows.SendQueryText(ITradingWindows::HISTORY_PAGE, "", ITradingWindows::QUERY_TEXT_CLEAR);
        m_windows.SendQueryText(ITradingWindows::HISTORY_PAGE, HistoryHeaderLine(), ITradingWindows::QUERY_TEXT_APPEND);
    }
    CString text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += lines[i].line;
    if (!text.IsEmpty())
        m_windows.SendQueryText(ITradingWindows::HISTORY_PAGE, text, ITradingWindows::QUERY_TEXT_APPEND);
    m_windows.SetNextPageState(count > 0);
    m_gate.EndIf(CQueryGate::HISTORY);
}

void CTradingDesk::OnFillsReply(const HistoryOrderRecord* rows, int count)
{
    if (DropLateReply(LIST_STREAM))
    {
        --m_lateReplies[LIST_STREAM];
        return;
    }
    m_gate.ResetTicks();
    for (int i = 0; rows != NULL && i < count; ++i)
    {
        const OrderEntry entry = COrderBook::EntryFromListRow(rows[i]);
        const CString key = entry[OrderEntry::DATE_TIME] + entry[OrderEntry::ORDER_NO];
        if (!m_fillKeys.insert(key).second)
            continue;
        if (m_windows.HasTradeDialog())
            m_windows.AppendFillRow(entry);
    }
    m_gate.EndIf(CQueryGate::FILLS);
}

// ---------------------------------------------------------------- password change

namespace {
const COLORREF kPasswordFailure = RGB(216, 0, 15);
}  // namespace

void CTradingDesk::OnChangePassword(const CString& current, const CString& newPassword, const CString& newAgain)
{
    if (!m_accountOpen || TradeConnectionState == CONNECTION_NO_ACCOUNT || QueryConnectionState == CONNECTION_NO_ACCOUNT)
        return Message("请先开通帐户！");
    if (QueryConnectionState != CONNECTION_LOGGED_IN)
        return Message("服务器已断开！");
    LPCSTR refusal = NULL;
    if (current != m_session.GetPassword())
        refusal = "当前密码不正确！";
    else if (newPassword.IsEmpty())
        refusal = "新密码不能为空！";
    else if (newPassword.GetLength() < 6)
        refusal = "新密码长度不能小于 6 位！";
    else if (newPassword == current)
        refusal = "新密码与当前密码相同！";
    else if (newPassword != newAgain)
        refusal = "两次输入的新密码不一致！";
    if (refusal != NULL)
        return m_windows.SendPasswordStatus(refusal, kPasswordFailure);
    m_windows.SendPasswordStatus("密码修改中...", RGB(0, 0, 0));
    m_pendingNewPassword = newPassword;
    if (m_wire.EditPassword(current, newPassword) != 0)
    {
        m_pendingNewPassword.Empty();
        m_windows.SendPasswordStatus("服务器已断开！", kPasswordFailure);
    }
}

void CTradingDesk::OnPasswordResult(const CString& result)
{
    if (result == "1")
    {
        m_windows.SendPasswordStatus("密码修改成功！", RGB(0, 0, 255));
        // Only a change this program asked for replaces the password.
        if (!m_pendingNewPassword.IsEmpty())
            m_session.SetPassword(m_pendingNewPassword);
        m_pendingNewPassword.Empty();
        return;
    }
    m_pendingNewPassword.Empty();
    if (result == "-1")
        m_windows.SendPasswordStatus("密码格式错误，密码修改失败！", kPasswordFailure);
    else if (result == "-2")
        m_windows.SendPasswordStatus("原密码不正确，密码修改失败！", kPasswordFailure);
    else
        m_windows.SendPasswordStatus("发生未知错误，密码修改失败！", kPasswordFailure);
}
