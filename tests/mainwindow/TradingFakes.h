// A wire and windows that record what the trading rules do, for tests without a server.
#pragma once
#include <functional>
#include <string>
#include <vector>
#include "TradeWire.h"
#include "TradingWindows.h"

namespace tradingtest {

class FakeWire : public ITradeWire
{
public:
    int SendNewOrder(const OrderRequest& request) override
    {
        orders.push_back(request);
        return Note("neworder@" + std::string(request.code) + "|" + std::string(request.price) + "|" +
                    std::string(request.quantity) + "|" + std::string(request.side) + "|" +
                    std::string(request.orderType) + "|");
    }
    int SendCancelOrder(const CString& orderNo) override { return Note("cancleorder@" + std::string(orderNo)); }
    int QueryStateOrders(int kind) override { return Note("querystateorders@" + std::to_string(kind) + "#"); }
    int QueryDateOrders(int kind, const CString& start, const CString& end, int page) override
    {
        return Note("querydateorders@" + std::to_string(kind) + "#" + std::string(start) + "#" + std::string(end) +
                    "#" + std::to_string(page) + "#");
    }
    int QueryPosition() override { return Note("queryposition@"); }
    int QuerySummary() override { return Note("querysummary@"); }
    int EditPassword(const CString& current, const CString& next) override
    {
        return Note("editpwd@" + std::string(current) + "#" + std::string(next) + "#");
    }

    std::vector<std::string> sent;
    std::vector<OrderRequest> orders;
    int result = 0;

private:
    int Note(const std::string& text)
    {
        sent.push_back(text);
        return result;
    }
};

class FakeWindows : public ITradingWindows
{
public:
    bool HasTradeDialog() override { return tradeDialog; }
    void SetOrdersButtonState(const CString& caption, bool, bool highlighted) override
    {
        calls.push_back("button " + std::string(caption) + (highlighted ? " on" : " off"));
    }
    void SyncOrderRows(const std::vector<OrderEntry>& rows, int mode) override
    {
        shownRows = rows;
        calls.push_back("sync " + std::to_string(mode));
    }
    void InsertPositionRow() override { calls.push_back("insert position"); }
    void SetPositionRow(int row, const CString*, bool closing) override
    {
        calls.push_back("set position " + std::to_string(row) + (closing ? " closing" : ""));
    }
    void DeletePositionRow(int row) override { calls.push_back("delete position " + std::to_string(row)); }
    void ClearPositions() override { calls.push_back("clear positions"); }
    void ClearFills() override { calls.push_back("clear fills"); }
    void AppendFillRow(const OrderEntry& entry) override { fills.push_back(entry); }
    void SendQueryText(QueryPage page, const CString& text, QueryTextOperation operation) override
    {
        std::string& pageText = page == HISTORY_PAGE ? historyText : fundsText;
        if (operation == QUERY_TEXT_CLEAR)
            pageText.clear();
        else
            pageText += std::string(text);
    }
    void SendQueryStatus(QueryPage, const CString& text, COLORREF) override { status = std::string(text); }
    void SetNextPageState(bool enabled) override { calls.push_back(enabled ? "next page on" : "next page off"); }
    void SendPasswordStatus(const CString& text, COLORREF) override { passwordStatus = std::string(text); }
    void ShowAccountSummary(const CString& title, const SummaryRecord& funds) override
    {
        calls.push_back("header " + std::string(title) + " " + std::string(funds.strFields[0]));
    }
    void ShowRiskAssets(const SummaryRecord& funds) override { riskAssets = std::string(funds.strFields[0]); }
    bool ConfirmOrder(const OrderRequest&, const SummaryRecord&) override
    {
        calls.push_back("confirm");
        if (whileConfirming)
            whileConfirming();
        return confirm;
    }
    void PlaySoundFile(LPCSTR name) override { calls.push_back("play " + std::string(name)); }
    void StopAllSounds() override { calls.push_back("stop sounds"); }
    void SetTimer(UINT id, UINT ms) override { calls.push_back("set timer " + std::to_string(id) + " " + std::to_string(ms)); }
    void KillTimer(UINT id) override { calls.push_back("kill timer " + std::to_string(id)); }
    void StopConsole() override { calls.push_back("stop console"); }

    bool Called(const std::string& call) const
    {
        for (const std::string& c : calls)
            if (c == call)
                return true;
        return false;
    }

    bool tradeDialog = true;
    bool confirm = true;
    // Runs while the order detail window is open (what happens meanwhile).
    std::function<void()> whileConfirming;
    std::vector<std::string> calls;
    std::vector<OrderEntry> shownRows;
    std::vector<OrderEntry> fills;
    std::string historyText;
    std::string fundsText;
    std::string status;
    std::string passwordStatus;
    std::string riskAssets;
};

}  // namespace tradingtest
