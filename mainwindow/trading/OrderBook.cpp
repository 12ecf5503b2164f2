#include "OrderBook.h"
#include <algorithm>
#include <cstdlib>
#include "ServerClock.h"

namespace {
const char kSubmitted[] = "已提交";

bool ReadsAsNegativeInteger(const CString& text)
{
    CString trimmed = text;
    trimmed.Trim();
    if (trimmed.GetLength() < 2 || trimmed[0] != '-')
        return false;
    for (int i = 1; i < trimmed.GetLength(); ++i)
        if (trimmed[i] < '0' || trimmed[i] > '9')
            return false;
    return _atoi64(trimmed) < 0;
}

CString AveragePrice(const CString& filledAmount, const CString& filledQuantity)
{
    const double quantity = atof(filledQuantity);
    if (quantity == 0.0)
        return "---";
    CString text;
    text.Format("%f", atof(filledAmount) / quantity);
    return text;
}

long long TimeKey(const CString& dateTime)
{
    CString digits = dateTime;
    digits.Remove(' ');
    digits.Remove(':');
    return _atoi64(digits);
}

CString KindDigitOfWord(const CString& word)
{
    if (word == "MKT")
        return "0";
    if (word == "LMT")
        return "1";
    if (word == "STP")
        return "2";
    return "";
}

CString SideDigitOfWord(const CString& word)
{
    if (word == "BUY")
        return "0";
    if (word == "SELL")
        return "1";
    return "";
}

OrderEntry* FindByOrderNo(std::vector<OrderEntry>& list, const CString& orderNo)
{
    if (orderNo.IsEmpty())
        return NULL;
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i][OrderEntry::ORDER_NO] == orderNo)
            return &list[i];
    return NULL;
}

// An empty client reference matches nothing: orders listed by the query server carry none,
// and every one of them would match the first such report.
OrderEntry* FindByClientRef(std::vector<OrderEntry>& list, const CString& clientRef)
{
    if (clientRef.IsEmpty())
        return NULL;
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i][OrderEntry::CLIENT_REF] == clientRef)
            return &list[i];
    return NULL;
}
}  // namespace

COrderBook::COrderBook(FinishedFollowOrder onFinishedFollow, QuoteStore& store, Clock clock)
    : m_store(store), m_clock(clock), m_onFinishedFollow(std::move(onFinishedFollow))
{
    if (!m_clock)
        m_clock = [] { return GetServerTime(); };
}

CString COrderBook::TranslateStateWord(const CString& word, const CString& current)
{
    if (word == "Received")
        return "已接收";
    if (word == "Filled")
        return "已成交";
    // A cancel that is only pending may still fill: the order stays open until "Cancelled".
    if (word == "Submitted" || word == "PreSubmitted" || word == "PendingSubmit" || word == "PendingCancel")
        return kSubmitted;
    if (word == "Inactive")
        return "已作废";
    if (word == "Cancelled")
        return "已取消";
    return current;
}

CString COrderBook::TranslateStateLetter(const CString& letter)
{
    if (letter == "C")
        return "已取消";
    if (letter == "F")
        return "已成交";
    if (letter == "I")
        return "已作废";
    if (letter == "P" || letter == "S")
        return kSubmitted;
    return "";
}

CString COrderBook::ApplyForcedRule(const CString& orderNo, const CString& status)
{
    return ReadsAsNegativeInteger(orderNo) ? CString("强平") : status;
}

bool COrderBook::IsFinalStatus(const CString& status)
{
    return status == "已成交" || status == "已作废" || status == "已取消";
}

bool COrderBook::IsFinalStateWord(const CString& word)
{
    return word == "Filled" || word == "Inactive" || word == "Cancelled";
}

bool COrderBook::IsOpenStateWord(const CString& word)
{
    return word == "Submitted" || word == "PendingSubmit" || word == "PreSubmitted";
}

CString COrderBook::InstrumentName(const CString& code) const
{
    CString name;
    m_store.GetInstrumentName(code, name);
    return name;
}

CString COrderBook::Now() const
{
    return m_clock().Format("20%y%m%d %H:%M:%S");
}

void COrderBook::RecordPlacedOrder(const OrderRequest& request)
{
    PlacedOrder placed;
    placed.clientRef = request.clientRef;
    placed.time = Now();
    placed.name = InstrumentName(request.code);
    placed.code = request.code;
    placed.price = request.price;
    if (request.orderType == "M")
    {
        placed.kindDigit = "0";
        placed.price = "0.00";
    }
    else if (request.orderType == "L")
        placed.kindDigit = "1";
    else if (request.orderType == "S")
        placed.kindDigit = "2";
    placed.sideDigit = request.side == "B" ? "0" : request.side == "S" ? "1" : "";
    placed.quantity = request.quantity;
    m_placed.push_back(placed);

    OrderEntry entry;
    entry[OrderEntry::DATE_TIME] = placed.time;
    entry[OrderEntry::CONTRACT_NAME] = placed.name;
    entry[OrderEntry::CONTRACT] = placed.code;
    entry[OrderEntry::ORDER_TYPE] = placed.kindDigit;
    entry[OrderEntry::BID] = placed.sideDigit;
    entry[OrderEntry::ORDER_PRICE] = placed.price;
    entry[OrderEntry::ORDER_COUNT] = placed.quantity;
    entry[OrderEntry::TRADED_COUNT] = "0";
    entry[OrderEntry::STATUS] = "---";
    entry[OrderEntry::FEE] = "---";
    entry[OrderEntry::AVE_PRICE] = "---";
    entry[OrderEntry::ORDER_NO] = "---";
    entry[OrderEntry::CLIENT_REF] = placed.clientRef;
    entry[OrderEntry::PROFIT] = "---";
    entry[OrderEntry::CLOSED_COUNT] = "---";
    entry[OrderEntry::EFFECT] = "---";
    entry.isFollowOrder = request.isFollowOrder;

    // In front, so that among orders of one second the newest stays first.
    m_all.insert(m_all.begin(), entry);
    m_proxy.push_back(entry);
    SortNewestFirst(m_all);
    Trim(m_all);
    Trim(m_proxy);
}

void COrderBook::SortNewestFirst(std::vector<OrderEntry>& list)
{
    std::stable_sort(list.begin(), list.end(), [](const OrderEntry& a, const OrderEntry& b) {
        return TimeKey(a[OrderEntry::DATE_TIME]) > TimeKey(b[OrderEntry::DATE_TIME]);
    });
}

void COrderBook::Trim(std::vector<OrderEntry>& list, size_t limit)
{
    size_t surplus = list.size() > limit ? list.size() - limit : 0;
    size_t position = list.size();
    while (surplus > 0 && position > 0)
    {
        --position;
        if (IsFinalStatus(list[position][OrderEntry::STATUS]))
        {
            list.erase(list.begin() + position);
            --surplus;
        }
    }
}

void COrderBook::FillFromReport(OrderEntry& entry, const OrderInfo& report)
{
    if (!report.cid.IsEmpty())
        entry[OrderEntry::CLIENT_REF] = report.cid;
    if (!report.fnum.IsEmpty())
        entry[OrderEntry::TRADED_COUNT] = report.fnum;
    if (!report.oid.IsEmpty())
        entry[OrderEntry::ORDER_NO] = report.oid;
    if (!report.mg.IsEmpty())
        entry[OrderEntry::FEE] = report.mg;
    if (!report.ps.IsEmpty())
        entry[OrderEntry::FILLED_AMOUNT] = report.ps;
    if (!report.st.IsEmpty())
        entry[OrderEntry::STATUS] = TranslateStateWord(report.st, entry[OrderEntry::STATUS]);
    entry[OrderEntry::STATUS] = ApplyForcedRule(report.oid, entry[OrderEntry::STATUS]);
    if (!report.ps.IsEmpty() && atof(entry[OrderEntry::TRADED_COUNT]) != 0.0)
        entry[OrderEntry::AVE_PRICE] = AveragePrice(report.ps, entry[OrderEntry::TRADED_COUNT]);
}

void COrderBook::UpdateListFromReport(std::vector<OrderEntry>& list, const OrderInfo& report, bool toStore)
{
    OrderEntry* entry = FindByClientRef(list, report.cid);
    if (entry == NULL)
        entry = FindByOrderNo(list, report.oid);
    if (entry != NULL)
    {
        FillFromReport(*entry, report);
        if (toStore)
        {
            OrderStateRecord state;
            state.strClientRef = report.cid;
            state.strOrderKey = report.oid;
            state.strState = (*entry)[OrderEntry::STATUS];
            state.strDoneQuantity = (*entry)[OrderEntry::TRADED_COUNT];
            state.strTotalQuantity = (*entry)[OrderEntry::ORDER_COUNT];
            m_store.UpdateOrderState(state);
        }
        if (entry->isFollowOrder && IsFinalStatus((*entry)[OrderEntry::STATUS]))
            m_onFinishedFollow(*entry);
        return;
    }
    OrderEntry added;
    added[OrderEntry::DATE_TIME] = report.ot;
    added[OrderEntry::CONTRACT] = report.cn;
    added[OrderEntry::CONTRACT_NAME] = InstrumentName(report.cn);
    added[OrderEntry::ORDER_TYPE] = KindDigitOfWord(report.ty);
    added[OrderEntry::BID] = SideDigitOfWord(report.an);
    added[OrderEntry::ORDER_PRICE] = report.op;
    added[OrderEntry::ORDER_COUNT] = report.qy;
    added[OrderEntry::TRADED_COUNT] = report.fnum;
    added[OrderEntry::STATUS] = ApplyForcedRule(report.oid, TranslateStateWord(report.st, ""));
    added[OrderEntry::FEE] = report.mg;
    added[OrderEntry::ORDER_NO] = report.oid;
    added[OrderEntry::FILLED_AMOUNT] = report.ps;
    added[OrderEntry::CLIENT_REF] = report.cid;
    added[OrderEntry::AVE_PRICE] = "---";
    if (!report.ps.IsEmpty() && atof(report.fnum) != 0.0)
        added[OrderEntry::AVE_PRICE] = AveragePrice(report.ps, report.fnum);
    added[OrderEntry::PROFIT] = "---";
    added[OrderEntry::CLOSED_COUNT] = "---";
    added[OrderEntry::EFFECT] = "---";
    list.insert(list.begin(), added);
    SortNewestFirst(list);
}

void COrderBook::UpdateCancellableFromReport(const OrderInfo& report)
{
    std::vector<PlacedOrder>::iterator placed = m_placed.end();
    if (!report.cid.IsEmpty())
        placed = std::find_if(m_placed.begin(), m_placed.end(),
                              [&](const PlacedOrder& p) { return p.clientRef == report.cid; });
    OrderEntry* open = FindByOrderNo(m_cancellable, report.oid);

    if (IsOpenStateWord(report.st))
    {
        if (placed != m_placed.end() && open == NULL)
        {
            OrderEntry entry;
            entry[OrderEntry::DATE_TIME] = placed->time;
            entry[OrderEntry::CONTRACT_NAME] = placed->name;
            entry[OrderEntry::CONTRACT] = placed->code;
            entry[OrderEntry::ORDER_TYPE] = placed->kindDigit;
            entry[OrderEntry::BID] = placed->sideDigit;
            entry[OrderEntry::ORDER_PRICE] = placed->price;
            entry[OrderEntry::ORDER_COUNT] = placed->quantity;
            entry[OrderEntry::TRADED_COUNT] = report.fnum;
            entry[OrderEntry::STATUS] = kSubmitted;
            entry[OrderEntry::FEE] = "---";
            entry[OrderEntry::AVE_PRICE] = "---";
            entry[OrderEntry::ORDER_NO] = report.oid;
            entry[OrderEntry::CLIENT_REF] = placed->clientRef;
            entry[OrderEntry::PROFIT] = "---";
            entry[OrderEntry::CLOSED_COUNT] = "---";
            entry[OrderEntry::EFFECT] = "---";
            m_cancellable.insert(m_cancellable.begin(), entry);
            SortNewestFirst(m_cancellable);
            m_placed.erase(placed);
            open = FindByOrderNo(m_cancellable, report.oid);
        }
    }
    else if (IsFinalStateWord(report.st))
    {
        if (open != NULL)
            m_cancellable.erase(m_cancellable.begin() + (open - &m_cancellable[0]));
        return;
    }
    if (open != NULL)
    {
        if (!report.mg.IsEmpty())
            (*open)[OrderEntry::FEE] = report.mg;
        if (!report.fnum.IsEmpty())
            (*open)[OrderEntry::TRADED_COUNT] = report.fnum;
        if (!report.ps.IsEmpty() && atof((*open)[OrderEntry::TRADED_COUNT]) != 0.0)
            (*open)[OrderEntry::AVE_PRICE] = AveragePrice(report.ps, (*open)[OrderEntry::TRADED_COUNT]);
    }
}

void COrderBook::ApplyReport(const OrderInfo& report)
{
    UpdateListFromReport(m_all, report, true);
    UpdateListFromReport(m_proxy, report, false);
    UpdateCancellableFromReport(report);
}

OrderEntry COrderBook::EntryFromListRow(const HistoryOrderRecord& row)
{
    const CString* f = row.strFields;
    OrderEntry entry;
    entry[OrderEntry::DATE_TIME] = f[7] + " " + f[8];
    entry[OrderEntry::CONTRACT_NAME] = f[1];
    entry[OrderEntry::CONTRACT] = f[0];
    entry[OrderEntry::ORDER_TYPE] = f[11];
    entry[OrderEntry::BID] = f[4];
    entry[OrderEntry::ORDER_PRICE] = f[5];
    entry[OrderEntry::ORDER_COUNT] = f[6];
    entry[OrderEntry::TRADED_COUNT] = f[12];
    entry[OrderEntry::STATUS] = ApplyForcedRule(f[3], TranslateStateLetter(f[13]));
    entry[OrderEntry::FEE] = (!f[10].IsEmpty() && atof(f[10]) > 0.0) ? f[10] : CString("---");
    entry[OrderEntry::AVE_PRICE] = atof(f[12]) > 0.0 ? AveragePrice(f[9], f[12]) : CString("---");
    entry[OrderEntry::ORDER_NO] = f[3];
    entry[OrderEntry::FILLED_AMOUNT] = f[9];
    entry[OrderEntry::PROFIT] = f[14];
    entry[OrderEntry::CLOSED_COUNT] = f[15];
    entry[OrderEntry::EFFECT] = f[16];
    return entry;
}

void COrderBook::AddAllOrdersRows(const HistoryOrderRecord* rows, int count)
{
    for (int i = 0; rows != NULL && i < count; ++i)
    {
        const OrderEntry entry = EntryFromListRow(rows[i]);
        const CString key = entry[OrderEntry::DATE_TIME] + entry[OrderEntry::ORDER_NO];
        if (m_allKeys.count(key) != 0)
            continue;
        m_allKeys[key] = entry[OrderEntry::ORDER_NO];
        m_all.push_back(entry);
        if (entry[OrderEntry::STATUS] == kSubmitted)
            m_cancellable.push_back(entry);
        OrderStateRecord state;
        m_store.FindOrderState(entry[OrderEntry::ORDER_NO], state);
        state.strOrderKey = entry[OrderEntry::ORDER_NO];
        state.strState = entry[OrderEntry::STATUS];
        state.strDoneQuantity = entry[OrderEntry::TRADED_COUNT];
        state.strTotalQuantity = entry[OrderEntry::ORDER_COUNT];
        m_store.UpdateOrderState(state);
    }
    SortNewestFirst(m_all);
    SortNewestFirst(m_cancellable);
}

void COrderBook::AddCancellableRows(const HistoryOrderRecord* rows, int count)
{
    for (int i = 0; rows != NULL && i < count; ++i)
    {
        const OrderEntry entry = EntryFromListRow(rows[i]);
        const CString key = entry[OrderEntry::DATE_TIME] + entry[OrderEntry::ORDER_NO];
        if (m_cancellableKeys.count(key) != 0)
            continue;
        m_cancellableKeys[key] = entry[OrderEntry::ORDER_NO];
        m_cancellable.push_back(entry);
    }
    SortNewestFirst(m_cancellable);
}

void COrderBook::ClearAllOrders()
{
    m_all.clear();
    m_allKeys.clear();
}

void COrderBook::ClearCancellable()
{
    m_cancellable.clear();
    m_cancellableKeys.clear();
}

std::vector<CString> COrderBook::OpenOrderNumbers() const
{
    std::vector<CString> numbers;
    for (size_t i = 0; i < m_cancellable.size(); ++i)
        if (m_cancellable[i][OrderEntry::STATUS] == kSubmitted)
            numbers.push_back(m_cancellable[i][OrderEntry::ORDER_NO]);
    return numbers;
}

const std::vector<OrderEntry>& COrderBook::ShownOrders(int listMode) const
{
    return listMode == SHOW_CANCELLABLE ? m_cancellable : m_all;
}
