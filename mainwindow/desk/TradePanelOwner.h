// What the trading rules' windows need from the main window that owns them: the order
// detail window's confirmation, the stop of the order-supplement console and the trade
// panel's own view of its windows. The main window implements it, so none can be left out.
#pragma once
#include <TradingRecords.h>
#include "TradingWindows.h"

class ITradePanelOwner
{
public:
    virtual ~ITradePanelOwner() {}
    // Shows the order in the order detail window; true when the user confirmed it.
    virtual bool ConfirmOrderInDetail(const OrderRequest& request, const SummaryRecord& funds) = 0;
    // Stops the console's running; nothing while the console has not been made.
    virtual void StopConsoleRunning() = 0;
    // The trade panel's view of its windows; null while the panel does not exist.
    virtual ITradingWindows* PanelWindows() = 0;
};
