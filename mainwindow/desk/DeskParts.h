// What the main window's trading handlers are made of: the trading rules, the wire of the
// connection registry, the trade panel's windows and the risk settings window. The main
// window creates them once its window exists and hands the receivers' query calls to them.
#pragma once
#include <afx.h>
#include <memory>
#include "FollowOrderStore.h"
#include "MainReceiverHost.h"
#include "RiskSetDlg.h"
#include "TradePanelWindows.h"
#include "TradeWire.h"
#include "TradingDesk.h"

class CDeskParts : public IQueryStateOwner
{
public:
    // owner: what the main window does for the trade panel's windows; databaseFolder and
    // key: the user's database folder and key (the proxy-order table).
    CDeskParts(HWND mainWindow, ITradePanelOwner& owner, const CString& dataDir, CReplySlots& slots,
               const CString& databaseFolder, const DatabaseKey& key);
    ~CDeskParts() override;

    CTradingDesk& Desk() { return m_desk; }
    CTradePanelWindows& Windows() { return m_windows; }
    CFollowOrderStore& FollowOrders() { return m_followOrders; }
    // The end's save: every follow order still listed goes to the proxy-order table.
    void StoreFollowOrders();

    // The risk settings window (null until first shown).
    CRiskSetDlg* RiskWindow() { return m_riskWindow.get(); }
    CRiskSetDlg& CreateRiskWindow(CWnd* owner);
    // Before its owner goes.
    void DestroyRiskWindow();

    bool SetPendingFromReceiver(int kind) override;
    void ResetTicksFromReceiver() override;

private:
    CRegistryTradeWire m_wire;
    CFollowOrderStore m_followOrders;
    CTradePanelWindows m_windows;
    CTradingDesk m_desk;
    std::unique_ptr<CRiskSetDlg> m_riskWindow;
};
