#include "TradeReplyParser.h"

#include <stdlib.h>
#include <string.h>
#include <vector>

#include "ConnectionRegistry.h"
#include "ConnectionStates.h"
#include "FillRecord.h"
#include "HistoryOrderRecord.h"
#include "NumberText.h"
#include "OrderDetailWindow.h"
#include "OrderInfo.h"
#include "OrderRow.h"
#include "PositionRecord.h"
#include "ReceiverHost.h"
#include "ReplyMessages.h"
#include "SameLogin.h"
#include "SummaryRecord.h"
#include "TextHelpers.h"
#include "TextScanner.h"

namespace
{
const int kPendingInitialLoad = 8;  // query kind of the initial load
const int kPositionValues = 6;
const int kOrderConnectionSummaryValues = 6;
const int kQuerySummaryValues = 7;
const int kOrderListValues = 15;
const int kFillValues = 4;
const int kProxyClientValues = 9;

bool Contains(const CString& text, LPCSTR part)
{
    return CTextScanner(text).Find(part, 0) >= 0;
}

bool IsLoginAccepted(const CString& message)
{
    return Contains(message, "status:1") && Contains(message, "#name:");
}

// The text between the first and the second "@" (to the end when there is no second one);
// empty without any "@".
CString SecondAtField(const CString& text)
{
    CTextScanner scanner(text);
    const int first = scanner.Find('@', 0);
    if (first < 0)
        return CString();
    const int second = scanner.Find('@', first + 1);
    return scanner.Mid(first + 1, second < 0 ? text.GetLength() : second);
}

// The text after the last "@".
CString AfterLastAt(const CString& text)
{
    CTextScanner scanner(text);
    int last = -1;
    for (int at = scanner.Find('@', 0); at >= 0; at = scanner.Find('@', at + 1))
        last = at;
    return last < 0 ? text : scanner.Mid(last + 1, text.GetLength());
}

void Split(CStringArray& out, const CString& text, LPCSTR separator)
{
    SplitString(out, text, separator, true, false);
}

// The records of a message: the texts between "#@" separators.
void SplitRecords(CStringArray& out, const CString& message)
{
    Split(out, message, "#@");
}

// One "key:value" piece against a list of keys: the first key the piece holds names the
// field, whose value is the piece without that key. -1 when no key fits.
int MatchKey(const CString& piece, const char* const keys[], int keyCount, CString& value)
{
    for (int i = 0; i < keyCount; ++i)
    {
        if (piece.Find(keys[i]) >= 0)
        {
            value = piece;
            value.Replace(keys[i], "");
            return i;
        }
    }
    return -1;
}

// The fields of a keyed record ("key:value" pieces separated by "#"): each piece, with prefix
// in front, goes to the target of the first key it holds; pieces without a known key are
// passed over and a key met twice keeps its last value. True when any piece held a key.
bool FillKeyedFields(const CString& fieldText, LPCSTR prefix, const char* const keys[],
                     CString* const targets[], int keyCount)
{
    CStringArray pieces;
    Split(pieces, fieldText, "#");
    bool anyKey = false;
    for (INT_PTR i = 0; i < pieces.GetSize(); ++i)
    {
        CString value;
        const int key = MatchKey(prefix + pieces[i], keys, keyCount, value);
        if (key < 0)
            continue;
        *targets[key] = value;
        anyKey = true;
    }
    return anyKey;
}

// Head of a position or order item ("code|name|third"): "SMART " goes from the code and an
// empty name takes the code.
void SplitItemHead(const CString& head, CString& code, CString& name, CString& third)
{
    CStringArray parts;
    SplitString(parts, head, "|", true, false);
    code = parts.GetSize() > 0 ? parts[0] : CString();
    name = parts.GetSize() > 1 ? parts[1] : CString();
    third = parts.GetSize() > 2 ? parts[2] : CString();
    if (code.Find("SMART ") >= 0)
        code.Replace("SMART ", "");
    if (name.IsEmpty())
        name = code;
}

CString TextOfDouble(double value)
{
    CString text;
    text.Format("%f", value);
    return text;
}
}

CTradeReplyParser::CTradeReplyParser(IReceiverHost& host, CConnectionRegistry& registry)
    : m_host(host), m_registry(registry), m_initialQuery(host, registry)
{
}

void CTradeReplyParser::SendToMain(UINT message, WPARAM wParam, LPARAM lParam)
{
    ::SendMessage(m_host.GetMainWindow(), message, wParam, lParam);
}

void CTradeReplyParser::SendThroughSlot(int slot, WPARAM wParam, LPARAM lParam)
{
    const UINT message = m_host.GetReplySlots().Get((CReplySlots::Slot)slot);
    if (message != 0)
        SendToMain(message, wParam, lParam);
}

bool CTradeReplyParser::HandleLoginAccepted(const CString& message, int kind)
{
    if (!IsLoginAccepted(message))
        return false;
    volatile LONG* state = ConnectionStateOf(kind);
    if (*state != CONNECTION_LOGGED_IN)
    {
        InterlockedExchange(state, CONNECTION_LOGGED_IN);
        SendToMain(WM_CONNECTION_STATE, (WPARAM)kind, (LPARAM)CONNECTION_LOGGED_IN);
    }
    return true;
}

// A refused request ("status:-1") is dropped, a refused session ("status:-2") is a new
// version's notice, and "SameLogin" displaces the connections. TRUE when handled.
bool CTradeReplyParser::HandleStatusRecord(const CString& message)
{
    if (Contains(message, "status:-1"))
        return true;
    if (Contains(message, "status:-2"))
    {
        SendToMain(WM_NEW_VERSION_FOUND, 0, 0);
        return true;
    }
    if (Contains(message, "SameLogin"))
    {
        OnSameLogin(m_registry, m_host.GetMainWindow());
        return true;
    }
    return false;
}

void CTradeReplyParser::BuildPositionRecord(const CStringArray& values, PositionRecord& record)
{
    SplitItemHead(values[0], record.strFields[0], record.strFields[1], record.strFields[2]);
    record.strFields[3] = values[1];
    record.strFields[4] = values[2];
    record.strFields[5] = values[3];
    record.strFields[6] = atof(values[4]) < 1.0 ? CString("1") : values[4];
    record.strFields[7] = values[5];
}

// ---- order connection -------------------------------------------------------------------

void CTradeReplyParser::ParseOrderMessage(const CString& message)
{
    if (HandleLoginAccepted(message, CONNECTION_KIND_ORDER))
        return;
    // A refused order or cancel: the main window must learn of it, or a close stays marked
    // as under way and a cancel-all waits for an answer that will not come. A refused login
    // is its login thread's.
    if (Contains(message, "status:-1") && !Contains(message, "loginresult"))
    {
        SendToMain(WM_ORDER_REFUSED, 0, 0);
        return;
    }
    if (HandleStatusRecord(message))
        return;

    CStringArray records;
    SplitRecords(records, message);
    for (INT_PTR i = 0; i < records.GetSize(); ++i)
    {
        const CString& record = records[i];
        if (BeginsWith(record, "OrderInfo"))
            HandleOrderInfo(record);
        else if (BeginsWith(record, "PreOrderInfo"))
            HandlePreOrderInfo(record);
        else if (BeginsWith(record, "PositionResult"))
            HandlePushedPosition(record);
        else if (BeginsWith(record, "SummaryResult"))
            HandlePushedSummary(record);
    }
}

void CTradeReplyParser::HandleOrderInfo(const CString& record)
{
    static const char* const kKeys[] = {"#cid:", "#fnum:", "#mg:", "#oid:", "#ps:", "#st:",
                                        "#ot:", "#ty:", "#an:", "#cn:", "#qy:", "#op:"};
    const CString fields = AfterLastAt(record);
    if (fields.IsEmpty())
        return;
    OrderInfo info;
    CString* const targets[] = {&info.cid, &info.fnum, &info.mg, &info.oid, &info.ps, &info.st,
                                &info.ot, &info.ty, &info.an, &info.cn, &info.qy, &info.op};
    // A record without a single known field is no order: the order lists would gain an empty
    // row and the order states a record without keys.
    if (!FillKeyedFields(fields, "#", kKeys, targets, _countof(kKeys)))
        return;
    info.ot.Remove('-');  // "2024-06-14 10:30:00" travels on as "20240614 10:30:00"
    SendThroughSlot(CReplySlots::ORDER_SLOT, (WPARAM)&info, 0);
}

void CTradeReplyParser::HandlePreOrderInfo(const CString& record)
{
    static const char* const kKeys[] = {"#oid:", "#st:", "#mg:", "#im:", "#cid:", "#fnum:",
                                        "#ty:", "#an:", "#ot:", "#cn:", "#qy:"};
    const CString fields = AfterLastAt(record);
    if (fields.IsEmpty())
        return;
    // The twelve texts in this order: oid, st, mg, im, cid, fnum, ty, an, ot, cn, qy, empty.
    // The dialog only shows them, so a record of unknown pieces reaches it as it is (empty).
    OrderInfo info;
    CString* const targets[] = {&info.cid, &info.fnum, &info.mg, &info.oid, &info.ps, &info.st,
                                &info.ty, &info.an, &info.ot, &info.cn, &info.qy};
    FillKeyedFields(fields, "#", kKeys, targets, _countof(kKeys));
    HWND detailWindow = GetOrderDetailWindow();
    if (detailWindow != NULL)
        ::SendMessage(detailWindow, WM_PREORDER_INFO, (WPARAM)&info, 0);
}

void CTradeReplyParser::HandlePushedPosition(const CString& record)
{
    const int open = record.Find('[');
    if (open < 0)
        return;
    CString items = record.Mid(open + 1);
    items.Remove(']');
    if (items.IsEmpty())
        return;
    CStringArray values;
    Split(values, items, "#");
    if (values.GetSize() < kPositionValues)
        return;
    PositionRecord position;
    BuildPositionRecord(values, position);
    SendToMain(WM_POSITION_RECORD, (WPARAM)&position, 0);
}

void CTradeReplyParser::HandlePushedSummary(const CString& record)
{
    CStringArray values;
    Split(values, SecondAtField(record), "#");
    if (values.GetSize() < kOrderConnectionSummaryValues)
        return;
    SummaryRecord summary;
    for (int i = 0; i < kOrderConnectionSummaryValues; ++i)
        summary.strFields[i] = values[i];
    SendToMain(WM_FUNDS_RECORD, (WPARAM)&summary, 0);
}

// ---- own trade connection ---------------------------------------------------------------

void CTradeReplyParser::ParseOwnTradeMessage(const CString& message)
{
    if (HandleLoginAccepted(message, CONNECTION_KIND_OWN_TRADE))
        return;
    if (Contains(message, "SameLogin"))
    {
        OnSameLogin(m_registry, m_host.GetMainWindow());
        return;
    }

    static const char* const kKeys[] = {"cid:", "fnum:", "mg:", "oid:", "ps:", "st:", "ty:",
                                        "an:", "ot:", "cn:", "qy:", "op:", "clientname:"};
    CStringArray records;
    SplitRecords(records, message);
    for (INT_PTR r = 0; r < records.GetSize(); ++r)
    {
        // Only order reports: "PreOrderInfo" and anything that merely mentions the word are
        // other records.
        if (!BeginsWith(records[r], "OrderInfo"))
            continue;
        OrderRow row;
        CString* const targets[] = {&row.cid, &row.fnum, &row.mg, &row.oid, &row.ps, &row.st, &row.ty,
                                    &row.an, &row.ot, &row.cn, &row.qy, &row.op, &row.clientName};
        // A record without a single known field is no order event: the console would list
        // and store an empty order of no client.
        if (FillKeyedFields(SecondAtField(records[r]), "", kKeys, targets, _countof(kKeys)))
            SendToMain(WM_PROXY_ORDER_EVENT, (WPARAM)&row, 0);
    }
}

// ---- proxy query connection -------------------------------------------------------------

void CTradeReplyParser::ParseProxyQueryMessage(const CString& message)
{
    if (IsLoginAccepted(message))
    {
        InterlockedExchange(&ProxyQueryConnectionState, CONNECTION_LOGGED_IN);
        return;
    }
    if (Contains(message, "SameLogin"))
    {
        OnSameLogin(m_registry, m_host.GetMainWindow());
        return;
    }
    CStringArray records;
    SplitRecords(records, message);
    for (INT_PTR r = 0; r < records.GetSize(); ++r)
        if (Contains(records[r], "ClientResult"))
            HandleProxyClientList(records[r]);
}

void CTradeReplyParser::HandleProxyClientList(const CString& record)
{
    CStringArray items;
    Split(items, SecondAtField(record), "]");
    CString clients;
    for (INT_PTR i = 0; i < items.GetSize(); ++i)
    {
        CString item = items[i];
        item.Remove('[');
        if (item.IsEmpty())
            continue;
        CStringArray values;
        Split(values, item, "#");
        if (values.GetSize() < kProxyClientValues)
            continue;
        clients.AppendFormat("[%s#%s]", (LPCSTR)values[0], (LPCSTR)values[1]);
    }
    SendToMain(WM_PROXY_ORDER_UPDATE, (WPARAM)&clients, 0);
}

// ---- query connection -------------------------------------------------------------------

void CTradeReplyParser::ParseQueryMessage(const CString& rawMessage)
{
    CString message = rawMessage;
    message.Trim();
    if (message.IsEmpty())
        return;

    if (IsLoginAccepted(message))
    {
        if (QueryConnectionState == CONNECTION_LOGGED_IN)
            return;
        m_host.SetPendingQuery(0);
        m_host.SetPendingQuery(kPendingInitialLoad);
        m_initialQuery.ClearArrivals();
        m_initialQuery.Start();
        InterlockedExchange(&QueryConnectionState, CONNECTION_LOGGED_IN);
        SendToMain(WM_CONNECTION_STATE, CONNECTION_KIND_QUERY, CONNECTION_LOGGED_IN);
        return;
    }
    if (HandleStatusRecord(message))
        return;

    if (Contains(message, "PositionResult"))
        HandlePositionList(message);
    else if (Contains(message, "SubmittedOrdersResult"))
        HandleOrderList(message);
    else if (Contains(message, "ExecOrdersResult"))
        HandleFills(message);
    else if (Contains(message, "SummaryResult"))
        HandleQuerySummary(message);
    else if (Contains(message, "EditPwdResult"))
        HandlePasswordResult(message);
    else if (Contains(message, "ClientResult"))
        HandleClientResult(message);
}

void CTradeReplyParser::HandlePositionList(const CString& message)
{
    m_initialQuery.NoteArrival(CInitialQuery::POSITIONS_ARRIVED);
    const CString list = SecondAtField(message);
    if (list == "#")
    {
        // No positions: the handler learns that the (empty) list is complete.
        SendThroughSlot(CReplySlots::POSITION_SLOT, 0, 0);
        m_host.SetPendingQuery(0);
        return;
    }
    CStringArray items;
    Split(items, list, "]");
    for (INT_PTR i = 0; i < items.GetSize(); ++i)
    {
        CString item = items[i];
        if (item == "#")
        {
            SendThroughSlot(CReplySlots::POSITION_SLOT, 0, 0);
            m_host.ResetQueryTimeout();
            break;
        }
        item.Remove('[');
        item.Remove(']');
        if (!item.IsEmpty())
        {
            CStringArray values;
            Split(values, item, "#");
            if (values.GetSize() >= kPositionValues)
            {
                PositionRecord position;
                BuildPositionRecord(values, position);
                SendThroughSlot(CReplySlots::POSITION_SLOT, (WPARAM)&position, 0);
            }
        }
        m_host.ResetQueryTimeout();
    }
    m_host.SetPendingQuery(0);
}

void CTradeReplyParser::HandleOrderList(const CString& message)
{
    const CString list = SecondAtField(message);
    if (list == "#")
    {
        m_initialQuery.NoteArrival(CInitialQuery::ORDERS_ARRIVED);
        SendThroughSlot(CReplySlots::ORDER_LIST_SLOT, 0, 0);
        return;
    }
    CStringArray items;
    Split(items, list, "]");
    // Only complete items become records, packed from the front: the handler reads exactly
    // `count` records and never meets an empty one.
    std::vector<HistoryOrderRecord> orders;
    orders.reserve((size_t)items.GetSize());
    for (INT_PTR i = 0; i < items.GetSize(); ++i)
    {
        CString item = items[i];
        item.Remove('[');
        if (item.IsEmpty())
            continue;
        // An order without fills ends in empty profit, closed-quantity and effect values.
        CStringArray values;
        SplitString(values, item, "#", true, true);
        if (values.GetSize() < kOrderListValues)
            continue;

        orders.emplace_back();
        CString* fields = orders.back().strFields;
        SplitItemHead(values[0], fields[0], fields[1], fields[2]);
        for (int v = 1; v < kOrderListValues; ++v)
            fields[2 + v] = values[v];
        fields[7].Remove(' ');   // date
        fields[8].Remove(' ');   // time

        CString& state = fields[13];
        CString& profit = fields[14];
        CString& closed = fields[15];
        CString& effect = fields[16];
        if (state.Find('F') == 0 && !effect.IsEmpty())
        {
            profit = FormatNumberString(TextOfDouble(atof(profit) * m_host.GetContractMultiplier(fields[0])), 2, true);
            if (effect == "O,P")
                closed = "---";
            else if (effect == "C,P" && closed.IsEmpty())
                closed = fields[12];   // the filled quantity
        }
        else
        {
            profit = "---";
            closed = "---";
            effect = "---";
        }
    }

    m_initialQuery.NoteArrival(CInitialQuery::ORDERS_ARRIVED);
    const size_t count = orders.size();
    SendThroughSlot(CReplySlots::ORDER_LIST_SLOT, count > 0 ? (WPARAM)&orders[0] : 0, (LPARAM)count);
}

void CTradeReplyParser::HandleFills(const CString& message)
{
    CStringArray items;
    Split(items, SecondAtField(message), "]");
    for (INT_PTR i = 0; i < items.GetSize(); ++i)
    {
        CString item = items[i];
        item.Remove('[');
        item.Remove(']');
        if (item.IsEmpty())
            continue;
        CStringArray values;
        Split(values, item, "#");
        // The list's closing "#" and any other short item are no fill.
        if (values.GetSize() < kFillValues)
            continue;
        FillRecord fill;
        fill.strFields[0] = values[0].Left(8);
        fill.strFields[1] = values[0].Right(8);
        fill.strFields[2] = values[1];
        fill.strFields[3] = values[2];
        fill.strFields[4] = values[3];
        SendThroughSlot(CReplySlots::FILLS_SLOT, (WPARAM)&fill, 0);
    }
}

void CTradeReplyParser::HandleQuerySummary(const CString& message)
{
    m_initialQuery.NoteArrival(CInitialQuery::SUMMARY_ARRIVED);
    CStringArray values;
    Split(values, SecondAtField(message), "#");
    if (values.GetSize() < kQuerySummaryValues)
        return;
    SummaryRecord summary;
    for (int i = 0; i < kQuerySummaryValues; ++i)
        summary.strFields[i] = values[i];
    SendThroughSlot(CReplySlots::FUNDS_SLOT, (WPARAM)&summary, 0);
}

void CTradeReplyParser::HandlePasswordResult(const CString& message)
{
    CTextScanner scanner(message);
    const int at = scanner.Find('@', 0);
    if (at < 0)
        return;
    const int hash = scanner.Find('#', at + 1);
    CString result = scanner.Mid(at + 1, hash < 0 ? message.GetLength() : hash);
    SendToMain(WM_PASSWORD_RESULT, (WPARAM)&result, 0);
}

void CTradeReplyParser::HandleClientResult(const CString& message)
{
    CString clients = SecondAtField(message);
    SendToMain(WM_PROXY_ORDER_UPDATE, (WPARAM)&clients, 0);
}
