// The terminal's main dialog.
#pragma once
#include <afxdialogex.h>
#include <memory>
#include "resource.h"
#include "StoppableThread.h"
#include "QuotePageMessages.h"

#include <vector>

class CLoginFlow;
class CMainReceiverHost;
class CReceiverSet;
struct CBoardState;
class CQuoteBoard;

class CVelmoraDlg : public CDialogEx, public IQuotePageOwner
{
public:
    explicit CVelmoraDlg(CWnd* pParent = nullptr);
    ~CVelmoraDlg();

    enum { IDD = IDD_VELMORA_DIALOG };

    // The last server-clock text, shown in pane 5 of the status bar.
    const CString& GetServerClockText() const { return m_strServerClockText; }

protected:
    BOOL OnInitDialog() override;

    afx_msg void OnDestroy();
    afx_msg LRESULT OnServerTimeOffset(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnServerClockText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSpeedTestDone(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCheckUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLoginNotice(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNewVersion(WPARAM wParam, LPARAM lParam);

    // Handlers by concern; each concern defines its members in its own folder's
    // VelmoraDlg<Concern>.cpp and adds its message-map entries in its own block.
    // -- frame: frame, caption, layout, toolbar, status bar, shutdown --
    // -- end frame --
    // -- board: quote board, batches, pages, polling, search, notice, splash --
public:
    // Places the sector tabs and their quote pages in the quote area (client coordinates).
    void PlaceBoard(const CRect& quoteArea);
    // Ends the board's timer and threads (instrument lists, pollers, downloads); harmless
    // when called again.
    void StopBoard();
    CQuoteBoard* GetQuoteBoard();
    CString GetCurrentPageKey() const override;
    CMenu* GetQuoteContextMenu() override;
    void ShowSector(const CString& name);
    void CreateMySector();
    void CollectVisibleCodes(std::vector<CString>& codes);
    void UpdateTabRows(const std::vector<CString>& codes);
    bool OpenSmartKeyboard(const MSG& key);
protected:
    void InitBoard();
    void DestroyBoard();
    CRect DefaultBoardArea() const;
    afx_msg void OnAddToMySector();
    afx_msg void OnRemoveFromMySector();
    afx_msg LRESULT OnQuoteBatch(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSectorData(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMarketListReady(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMarketInfoReady(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnListRefresh(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnShowNotices(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTabSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    // -- end board --
    // -- desk: trading handlers, order detail, risk settings --
    // -- end desk --
    // -- hosts: chart hosts, quote views, instrument switch, downloads --
    // -- end hosts --
    // -- panels: trade dialog, console, history-order query --
    // -- end panels --

    DECLARE_MESSAGE_MAP()

private:
    void StartServerTimeThread();
    void StartServerClock();
    void StopServerClock();
    bool LogIn();
    void StartConnections();
    void StopReceivers();

    std::unique_ptr<CLoginFlow> m_loginFlow;
    std::unique_ptr<CMainReceiverHost> m_receiverHost;
    std::unique_ptr<CReceiverSet> m_receivers;
    CString m_strDatabaseFolder;  // the user's "Proxy\" folder
    bool m_newVersionFound = false;

    CStoppableThread m_clockThread;  // the status-bar clock
    CString m_strServerClockText;

    // State by concern (same blocks as the handlers above).
    // -- frame state --
    // -- end frame state --
    // -- board state --
    CBoardState* m_boardState = nullptr;  // made by InitBoard, freed by DestroyBoard
    // -- end board state --
    // -- desk state --
    // -- end desk state --
    // -- hosts state --
    // -- end hosts state --
    // -- panels state --
    // -- end panels state --
};
