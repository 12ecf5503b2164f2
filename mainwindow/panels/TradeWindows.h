// The trading rules' view of the trading windows, served by the trade dialog: each call
// becomes the trade dialog's message to the container, and nothing is sent while the trade
// dialog or its container does not exist.
#pragma once
#include "trading/TradingWindows.h"

class CTradeDlg;

class CTradeWindows : public ITradingWindows
{
public:
    explicit CTradeWindows(CTradeDlg* tradeDlg) : m_tradeDlg(tradeDlg) {}

    bool HasTradeDialog() override;
    void SetOrdersButtonState(const CString& caption, bool enabled, bool highlighted) override;
    void SyncOrderRows(const std::vector<OrderEntry>& rows, int mode) override;
    void InsertPositionRow() override;
    void SetPositionRow(int row, const CString* eightTexts) override;
    // The row shows "(平仓中)" while a close order is under way.
    void SetPositionRow(int row, const CString* eightTexts, bool closing) override;
    void DeletePositionRow(int row) override;
    void ClearPositions() override;
    void ClearFills() override;
    void AppendFillRow(const OrderEntry& entry) override;
    void ShowAccountSummary(const CString& title, const SummaryRecord& funds) override;
    void SendQueryText(QueryPage page, const CString& text, QueryTextOperation operation) override;
    void SendQueryStatus(QueryPage page, const CString& text, COLORREF colour) override;
    void SetNextPageState(bool enabled) override;
    void SendPasswordStatus(const CString& text, COLORREF colour) override;

private:
    CTradeDlg* m_tradeDlg;
    int m_positionRows = 0;
    int m_fillRows = 0;
};
