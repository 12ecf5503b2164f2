// What the trading rules need of the windows around them: the trade dialog's lists and pages,
// the order-detail window, sounds, timers and the order-supplement console. The main window
// implements it over its real windows; tests record the calls. Every operation has a do-nothing
// default so a window that does not exist yet simply receives nothing.
#pragma once
#include <afx.h>
#include <vector>
#include "OrderEntry.h"
#include "OrderRequest.h"
#include "SummaryRecord.h"

class ITradingWindows
{
public:
    enum QueryPage
    {
        FUNDS_PAGE = 0,
        HISTORY_PAGE = 3,
    };
    enum QueryTextOperation
    {
        QUERY_TEXT_APPEND = 0,
        QUERY_TEXT_CLEAR = 1,
    };

    virtual ~ITradingWindows() {}

    // False while the trade dialog is absent: its lists and pages then receive nothing.
    virtual bool HasTradeDialog() { return false; }

    virtual void SetOrdersButtonState(const CString& /*caption*/, bool /*enabled*/, bool /*highlighted*/) {}
    // mode 0 rebuild, 1 new rows at the top, 2 new rows at the bottom
    virtual void SyncOrderRows(const std::vector<OrderEntry>& /*rows*/, int /*mode*/) {}
    virtual void InsertPositionRow() {}
    virtual void SetPositionRow(int /*row*/, const CString* /*eightTexts*/) {}
    // closing: a close order for the position is under way (the row says so). Windows that
    // do not show it take the row without the mark.
    virtual void SetPositionRow(int row, const CString* eightTexts, bool /*closing*/) { SetPositionRow(row, eightTexts); }
    virtual void DeletePositionRow(int /*row*/) {}
    virtual void ClearPositions() {}
    virtual void ClearFills() {}
    virtual void AppendFillRow(const OrderEntry& /*entry*/) {}
    virtual void ShowAccountSummary(const CString& /*title*/, const SummaryRecord& /*funds*/) {}
    virtual void SendQueryText(QueryPage /*page*/, const CString& /*text*/, QueryTextOperation /*operation*/) {}
    virtual void SendQueryStatus(QueryPage /*page*/, const CString& /*text*/, COLORREF /*colour*/) {}
    virtual void SetNextPageState(bool /*enabled*/) {}
    // The status line of the password window.
    virtual void SendPasswordStatus(const CString& /*text*/, COLORREF /*colour*/) {}
    // The quote view refreshes its visible rows (a position was added).
    virtual void RefreshQuoteRows() {}
    // The risk settings window, when it exists, shows the total assets.
    virtual void ShowRiskAssets(const SummaryRecord& /*funds*/) {}

    // Runs the order-detail window modally; true when the user confirmed the order.
    virtual bool ConfirmOrder(const OrderRequest& /*request*/, const SummaryRecord& /*funds*/) { return false; }
    // Plays a sound file of the data directory asynchronously ("NewOrder.wav", "Warn.wav").
    virtual void PlaySoundFile(LPCSTR /*fileName*/) {}
    virtual void StopAllSounds() {}
    virtual void SetTimer(UINT /*id*/, UINT /*periodMs*/) {}
    virtual void KillTimer(UINT /*id*/) {}
    // Stops the order-supplement console's running state (until the console exists the main
    // window only records that it was asked).
    virtual void StopConsole() {}
    // A follow order reached a final state: the proxy-order table gets it at once.
    virtual void StoreFinishedFollowOrder(const OrderEntry& /*entry*/) {}
};
