// The trading rules' windows in the running program: list commands, button states and page
// texts go down to the trade panel (its own view of the trading windows, or else its window,
// with the trading windows' records and messages); timers belong to the main window; sounds
// come from the data directory. The panel may not exist yet: sends to it then go nowhere, but
// the adapter keeps the lists as the panel shows them (the panel's own row texts), so the
// program's state can be read without the panel.
#pragma once
#include <afx.h>
#include <functional>
#include <map>
#include <vector>
#include <TradingRecords.h>
#include "TradePanelOwner.h"
#include "TradingWindows.h"

class CTradePanelWindows : public ITradingWindows
{
public:
    typedef std::function<void(LPCSTR path)> SoundFunction;

    // timerOwner: the window whose timers the rules set; owner: what the main window does for
    // these windows; dataDir ends with a backslash; followOrders: where finished follow orders
    // are stored (the program's always has one).
    CTradePanelWindows(HWND timerOwner, ITradePanelOwner& owner, const CString& dataDir,
                       class CFollowOrderStore* followOrders = nullptr);

    void SetPanelWindow(HWND panel) { m_panel = panel; }
    HWND GetPanelWindow() const { return m_panel; }
    // The risk settings window, which is told the total assets (null while it does not exist).
    void SetRiskWindow(HWND risk) { m_riskWindow = risk; }
    // Plays a path asynchronously, or stops every sound when given null.
    void SetSoundPlayer(SoundFunction player) { m_player = player; }

    // The panel's lists as its windows hold them.
    const std::vector<CString>& OrderRows() const { return m_orderRows; }
    const std::vector<CString>& PositionRows() const { return m_positionRows; }
    const std::vector<CString>& FillRows() const { return m_fillRows; }
    const CString& FundsPage() const { return m_fundsPage; }
    const CString& HistoryPage() const { return m_historyPage; }
    const CString& HistoryStatus() const { return m_historyStatus; }
    const CString& PasswordStatus() const { return m_passwordStatus; }
    const SummaryRecord& HeaderFunds() const { return m_headerFunds; }
    // How often the sound of this file name was asked for (a count per name: the alarm
    // repeats for as long as the program runs), and how often all sound was stopped.
    int PlayCount(const CString& fileName) const;
    int SoundStops() const { return m_soundStops; }
    int ConsoleStops() const { return m_consoleStops; }

    // The list operation as a list window applies it.
    static void ApplyListCommand(std::vector<CString>& rows, const ListCommand& command);

    bool HasTradeDialog() override { return true; }
    void SetOrdersButtonState(const CString& caption, bool enabled, bool highlighted) override;
    void SyncOrderRows(const std::vector<OrderEntry>& rows, int mode) override;
    void InsertPositionRow() override;
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
    void RefreshQuoteRows() override;
    void ShowRiskAssets(const SummaryRecord& funds) override;
    bool ConfirmOrder(const OrderRequest& request, const SummaryRecord& funds) override;
    void PlaySoundFile(LPCSTR fileName) override;
    void StopAllSounds() override;
    void SetTimer(UINT id, UINT periodMs) override;
    void KillTimer(UINT id) override;
    void StopConsole() override;
    void StoreFinishedFollowOrder(const OrderEntry& entry) override;

private:
    void SendList(UINT message, std::vector<CString>& mirror, const ListCommand& command);
    void SendDown(UINT message, WPARAM wParam, LPARAM lParam = 0);

    HWND m_timerOwner;
    CString m_dataDir;
    HWND m_panel;
    ITradePanelOwner& m_owner;
    HWND m_riskWindow;
    SoundFunction m_player;
    class CFollowOrderStore* m_followOrders;
    std::vector<CString> m_orderRows;
    std::vector<CString> m_positionRows;
    std::vector<CString> m_fillRows;
    CString m_fundsPage;
    CString m_historyPage;
    CString m_historyStatus;
    CString m_passwordStatus;
    SummaryRecord m_headerFunds;
    std::map<CString, int> m_soundPlays;
    int m_soundStops;
    int m_consoleStops;
};
