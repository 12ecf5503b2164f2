// The trade panel: the one gate between the main window and the trading windows. Downwards
// it turns the main window's calls into the container's messages and records; upwards it
// relays every request of the trading windows to the main window by the request's caption.
// While the panel floats, a low-level mouse hook lets the user drag it by its top strip.
#pragma once
#include <afxdialogex.h>

#include <TradingRecords.h>

#include <vector>

#include "PositionRecord.h"
#include "SummaryRecord.h"
#include "trading/OrderEntry.h"

class CTradeDlg : public CDialogEx
{
public:
    CTradeDlg();
    ~CTradeDlg() override;

    // The container window; NULL before initialisation or when it could not be made.
    HWND GetContainer() const { return m_container; }
    bool IsFloating() const { return m_floating; }
    bool HasDragHook() const;

    void ShowPlatformStatus(const CString& title, COLORREF background, int linkEnabled);
    void ShowAccountSummary(const CString& title, const SummaryRecord& summary);
    void SetInstrument(const InstrumentInfo& info);
    void InsertPositionRow(int row);
    void DeletePositionRow(int row);
    void ClearPositions();
    // `texts`: the eight texts of a position entry (name, code, side, quantity, cost,
    // floating profit, multiplier, currency code).
    void SetPositionRow(int row, const CString* texts, bool closing);
    void ClearOrders();
    void SyncOrderRows(std::vector<OrderEntry> rows, int mode);
    void SetOrdersButtonState(const CString& caption, int enable, int highlight);
    void ClearFills();
    void SetFillRow(int row, OrderEntry order);
    void InsertFillRow(int row, OrderEntry order);
    void SendQueryText(UINT message, const CString& text, int op, int scrollToEnd);
    void SendQueryStatus(UINT message, const CString& text, COLORREF colour);
    void SetNextPageState(int flag);
    void SendPasswordStatus(const CString& text, COLORREF colour);
    void SetOption(int checked);
    // The main window calls this on every change between docked and floating.
    void SetFloating(bool on);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The program's loop offers a message to the window it is for first and then to its
    // parents, so the trading windows' own dialog keys would take F1-F6 and turn Escape into
    // a cancel that destroys them before the panel saw either. The main window's filter
    // therefore offers every message of the panel's windows here before they see it; TRUE
    // when the panel took it. The container is not offered the same message twice.
    BOOL PreTranslateAhead(MSG* pMsg);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnSetInstrument(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnItemSelected(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCaptionRequest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOptionChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOrderRequest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPositionRow(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOrderRow(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnQueryTab(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnQueryRequest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPasswordRequest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    BOOL RelayAndGuard(MSG* pMsg);
    static LRESULT CALLBACK DragHook(int code, WPARAM wParam, LPARAM lParam);
    static void RemoveDragHook();
    void OnHookButton(UINT message, POINT screen);
    LRESULT SendToContainer(UINT message, const void* record, LPARAM lParam = 0);
    LRESULT SendToMainWindow(UINT message, WPARAM wParam, LPARAM lParam);
    void SendListCommand(UINT message, int op, int row, const CString& text = CString());
    LRESULT Relay(UINT message, WPARAM wParam, LPARAM lParam, const CString& caption);

    HWND m_container = NULL;
    CFont m_normalFont, m_boldFont, m_linkFont;
    AccountSummary* m_summary;
    bool m_floating = false;
    bool m_dragging = false;
    POINT m_pressPoint{0, 0};
    POINT m_pressOrigin{0, 0};
    int m_orderRows = 0;
    CString m_selectedItem;
    // The message last offered ahead, until the walk of the loop reaches this dialog with it.
    MSG m_aheadMessage{};
    bool m_aheadPending = false;
};
