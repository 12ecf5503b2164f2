// Today's orders in memory: every order of the day, the orders still open, the same orders for
// the proxy-order table, and the log of orders sent in this run and not yet seen open. Orders
// enter from a placed request, from the order reports the trading server pushes and from the
// order lists of the query server. No window: the caller sends the shown list down.
#pragma once
#include <afx.h>
#include <functional>
#include <map>
#include <vector>
#include "HistoryOrderRecord.h"
#include "OrderEntry.h"
#include "OrderInfo.h"
#include "OrderRequest.h"
#include "QuoteStore.h"

class COrderBook
{
public:
    enum { kListLimit = 100 };
    enum ShownList
    {
        SHOW_ALL = 0,
        SHOW_CANCELLABLE = 1,
    };
    typedef std::function<CTime()> Clock;
    // Called with an entry made by the console whose state became final.
    typedef std::function<void(const OrderEntry&)> FinishedFollowOrder;

    // onFinishedFollow: where the console's finished orders go (the proxy-order table).
    explicit COrderBook(FinishedFollowOrder onFinishedFollow, QuoteStore& store = GetQuoteStore(),
                        Clock clock = Clock());

    // Server state word to the shown state; an unknown word leaves `current`.
    static CString TranslateStateWord(const CString& word, const CString& current);
    // One-letter state of a list row; empty for an unknown letter.
    static CString TranslateStateLetter(const CString& letter);
    // "强平" when the order number reads as a negative integer, else `status`.
    static CString ApplyForcedRule(const CString& orderNo, const CString& status);
    static bool IsFinalStatus(const CString& status);
    static bool IsFinalStateWord(const CString& word);
    static bool IsOpenStateWord(const CString& word);

    // An order just sent: into the placed log and both lists, then the lists are trimmed.
    void RecordPlacedOrder(const OrderRequest& request);
    // An order report of a new order, a cancel or a cancel-all.
    void ApplyReport(const OrderInfo& report);
    // A list reply of all orders (into all orders, open ones also into the cancellable list)
    // or of cancellable orders. Rows whose date, time and order number were listed are dropped.
    void AddAllOrdersRows(const HistoryOrderRecord* rows, int count);
    void AddCancellableRows(const HistoryOrderRecord* rows, int count);
    // An entry built from a list row as both list replies build it.
    static OrderEntry EntryFromListRow(const HistoryOrderRecord& row);

    void ClearAllOrders();
    void ClearCancellable();
    // The query connection went: orders sent before it will not be reported as open.
    void ClearPlaced() { m_placed.clear(); }

    // The order numbers of open ("已提交") cancellable orders, in list order.
    std::vector<CString> OpenOrderNumbers() const;

    const std::vector<OrderEntry>& AllOrders() const { return m_all; }
    const std::vector<OrderEntry>& CancellableOrders() const { return m_cancellable; }
    const std::vector<OrderEntry>& ProxyOrders() const { return m_proxy; }
    size_t PlacedCount() const { return m_placed.size(); }
    const std::vector<OrderEntry>& ShownOrders(int listMode) const;

    // Newest first by DateTime read as a number without blanks and colons.
    static void SortNewestFirst(std::vector<OrderEntry>& list);
    // Drops the oldest final entries while the list holds more than the limit.
    static void Trim(std::vector<OrderEntry>& list, size_t limit = kListLimit);

private:
    struct PlacedOrder
    {
        CString clientRef, time, name, code, kindDigit, sideDigit, price, quantity;
    };
    void UpdateListFromReport(std::vector<OrderEntry>& list, const OrderInfo& report, bool toStore);
    void UpdateCancellableFromReport(const OrderInfo& report);
    static void FillFromReport(OrderEntry& entry, const OrderInfo& report);
    CString InstrumentName(const CString& code) const;
    CString Now() const;

    QuoteStore& m_store;
    Clock m_clock;
    FinishedFollowOrder m_onFinishedFollow;
    std::vector<OrderEntry> m_all;
    std::vector<OrderEntry> m_cancellable;
    std::vector<OrderEntry> m_proxy;
    std::map<CString, CString> m_allKeys;
    std::map<CString, CString> m_cancellableKeys;
    std::vector<PlacedOrder> m_placed;
};
