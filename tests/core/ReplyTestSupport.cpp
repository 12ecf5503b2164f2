#include "ReplyTestSupport.h"

#include "DepthBook.h"
#include "FillRecord.h"
#include "HistoryOrderRecord.h"
#include "OrderInfo.h"
#include "OrderRow.h"
#include "PositionRecord.h"
#include "ReplyMessages.h"
#include "SummaryRecord.h"

using tolvan::test::RecordedMessage;
using tolvan::test::RecordingWindow;

namespace replytest {

std::string Text(const CString& text)
{
    return std::string((LPCSTR)text, (size_t)text.GetLength());
}

namespace {

std::string Join(const CString* fields, int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
    {
        if (i > 0)
            out += "|";
        out += Text(fields[i]);
    }
    return out;
}

std::string OrderInfoText(WPARAM wParam)
{
    if (wParam == 0)
        return "(null)";
    const OrderInfo& o = *reinterpret_cast<const OrderInfo*>(wParam);
    const CString fields[] = {o.cid, o.fnum, o.mg, o.oid, o.ps, o.st, o.ty, o.an, o.ot, o.cn, o.qy, o.op};
    return Join(fields, 12);
}

template <class Record>
std::string RecordText(WPARAM wParam)
{
    if (wParam == 0)
        return "(null)";
    const Record& record = *reinterpret_cast<const Record*>(wParam);
    return Join(record.strFields, Record::kFieldCount);
}

std::string OrderListText(WPARAM wParam, LPARAM lParam)
{
    std::string out = "count=" + std::to_string((long long)lParam);
    const HistoryOrderRecord* records = reinterpret_cast<const HistoryOrderRecord*>(wParam);
    for (LPARAM i = 0; records != nullptr && i < lParam; ++i)
        out += "\n" + Join(records[i].strFields, HistoryOrderRecord::kFieldCount);
    return out;
}

std::string OrderRowText(WPARAM wParam)
{
    const OrderRow& r = *reinterpret_cast<const OrderRow*>(wParam);
    const CString fields[] = {r.clientName, r.cid, r.fnum, r.mg, r.oid, r.ps, r.st,
                              r.ty, r.an, r.ot, r.cn, r.qy, r.op};
    return Join(fields, 13);
}

std::string StringText(WPARAM wParam)
{
    return wParam == 0 ? "(null)" : Text(*reinterpret_cast<const CString*>(wParam));
}

std::string DepthText(LPARAM lParam)
{
    const DepthBook& book = *reinterpret_cast<const DepthBook*>(lParam);
    std::string out = Text(book.strServerName) + "#" + std::to_string(book.nIndex);
    for (const DepthLevel& level : book.sell)
        out += " " + Text(level.strLabel) + "=" + Text(level.strPrice) + "/" + Text(level.strVolume);
    for (const DepthLevel& level : book.buy)
        out += " " + Text(level.strLabel) + "=" + Text(level.strPrice) + "/" + Text(level.strVolume);
    return out;
}

}  // namespace

void RegisterReplyCopiers(RecordingWindow& window)
{
    for (UINT message : {WM_REPLY_NEW_ORDER, WM_REPLY_CANCEL, WM_REPLY_CANCEL_ALL, WM_PREORDER_INFO})
        window.CopyPayload(message, [](WPARAM w, LPARAM) { return OrderInfoText(w); });
    for (UINT message : {WM_REPLY_POSITIONS, WM_POSITION_RECORD})
        window.CopyPayload(message, [](WPARAM w, LPARAM) { return RecordText<PositionRecord>(w); });
    for (UINT message : {WM_FUNDS_UPDATE, WM_REPLY_ACCOUNT_SUMMARY, WM_FUNDS_RECORD})
        window.CopyPayload(message, [](WPARAM w, LPARAM) { return RecordText<SummaryRecord>(w); });
    for (UINT message : {WM_REPLY_ORDER_LIST, WM_REPLY_CANCELLABLE_LIST, WM_REPLY_HISTORY})
        window.CopyPayload(message, [](WPARAM w, LPARAM l) { return OrderListText(w, l); });
    window.CopyPayload(WM_REPLY_FILLS, [](WPARAM w, LPARAM) { return RecordText<FillRecord>(w); });
    for (UINT message : {WM_PASSWORD_RESULT, WM_PROXY_ORDER_UPDATE})
        window.CopyPayload(message, [](WPARAM w, LPARAM) { return StringText(w); });
    window.CopyPayload(WM_PROXY_ORDER_EVENT, [](WPARAM w, LPARAM) { return OrderRowText(w); });
    window.CopyPayload(WM_DEPTH_UPDATE, [](WPARAM, LPARAM l) { return DepthText(l); });
}

RecordingHost::RecordingHost()
{
    RegisterReplyCopiers(m_window);
}

bool RecordingHost::SetPendingQuery(int kind)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_pendingKinds.push_back(kind);
    return true;
}

void RecordingHost::ResetQueryTimeout()
{
    std::lock_guard<std::mutex> guard(m_lock);
    ++m_timeoutResets;
}

double RecordingHost::GetContractMultiplier(LPCTSTR code)
{
    std::lock_guard<std::mutex> guard(m_lock);
    auto found = m_multipliers.find(code);
    return found == m_multipliers.end() ? 1.0 : found->second;
}

std::vector<int> RecordingHost::PendingKinds()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_pendingKinds;
}

int RecordingHost::TimeoutResets()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_timeoutResets;
}

std::vector<std::string> RecordingHost::Payloads(UINT message)
{
    std::vector<std::string> out;
    for (const RecordedMessage& record : m_window.MessagesOf(message))
        out.push_back(record.payload);
    return out;
}

std::vector<std::pair<int, int>> RecordingHost::ConnectionStates()
{
    std::vector<std::pair<int, int>> out;
    for (const RecordedMessage& record : m_window.MessagesOf(WM_CONNECTION_STATE))
        out.push_back({(int)record.wParam, (int)record.lParam});
    return out;
}

ServerRecord MakeServer(const char* name, int type, const char* host, int port, const char* loginRange)
{
    CString entry;
    entry.Format("%s|title|TRD|%s|%d|1|%d|SIM|0|%s||", name, host, port, type, loginRange);
    return ServerRecord(entry);
}

}  // namespace replytest
