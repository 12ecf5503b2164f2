// The instrument lists and first quotes of the A-share ("CSM") and Hong Kong ("HKS") markets,
// fetched at start-up in a fixed chain on download-task threads: A-share list (from the cache
// file when its version is current), A-share snapshot, Hong Kong list, Hong Kong snapshot.
// Each step has a ready flag (0 not yet, 1 ready, -1 failed) that the start-up thread polls;
// a flag becomes 1 only once its data is complete, and a failed step ends the chain. The
// version check before each list runs on a thread of its own too: nothing here waits for the
// network on the caller's thread.
#pragma once
#include <afx.h>
#include <atomic>
#include <string>
#include <vector>
#include "DownloadTask.h"
#include "MarketListItem.h"
#include "QuoteRow.h"

class CAMarketListProc : public CDownLoadTaskCallBack
{
public:
    CAMarketListProc();
    ~CAMarketListProc();

    // Where the versions ("Config.ini", section "system") and the cached lists live. By
    // default the program directory's "Config.ini" and the per-user application folder.
    void SetStorage(const CString& strConfigPath, const CString& strCacheFolder);

    // Starts the chain and returns at once (the version check runs on its own thread).
    void UpdateCsmMarketList();
    // The same, keeping the window that the lists are reported to and the message for them;
    // the window also becomes the market-data window (SetMarketDataWindow).
    void UpdateCsmMarketList(HWND hWnd, UINT nListMessage);
    HWND GetReportWindow() const { return m_hReportWnd; }
    UINT GetListMessage() const { return m_nListMessage; }

    int IsCsmListReady() const { return m_csm.listReady.load(); }
    int IsCsmInfoReady() const { return m_csm.infoReady.load(); }
    int IsHksListReady() const { return m_hks.listReady.load(); }
    int IsHksInfoReady() const { return m_hks.infoReady.load(); }

    // Read only after the matching flag is 1; they do not change afterwards.
    const std::vector<MarketListItem>& GetCsmItems() const { return m_csm.items; }
    const std::vector<QuoteRow>& GetCsmRows() const { return m_csm.rows; }
    const std::vector<MarketListItem>& GetHksItems() const { return m_hks.items; }
    const std::vector<QuoteRow>& GetHksRows() const { return m_hks.rows; }

    // Whether the stored list version equals the server's (one synchronous request).
    bool IsCsmListCurrent();
    bool IsHksListCurrent();

    // Stops the chain for good: no later step starts, every running transfer ends, and each
    // thread (version checks, lists, snapshots) gets up to 2000 ms; a thread still running
    // then is reported and left alone (the handler is never destroyed). True when none runs.
    bool StopMarketListTasks();

    void OnDownLoaded(const std::string& strUrl, int nResult, std::string& strBody) override;

private:
    CAMarketListProc(const CAMarketListProc&) = delete;
    CAMarketListProc& operator=(const CAMarketListProc&) = delete;

    enum { STOP_WAIT_MS = 2000 };

    struct MarketChain
    {
        MarketChain() : versionCheck("instrument-list version check") {}
        std::atomic<int> listReady{0};
        std::atomic<int> infoReady{0};
        std::string strServerVersion;  // "%d" of the last version check
        std::vector<MarketListItem> items;
        std::vector<QuoteRow> rows;
        const char* pszFileName;       // cache file in the cache folder
        const char* pszVersionKey;     // key of section "system"
        // Last, so that they go first: each waits for its thread, which writes the above.
        CStoppableThread versionCheck;
        DownloadTask listTask;
        DownloadTask infoTask;
    };

    void UpdateMarketList(MarketChain& chain, bool bCsm);
    void CheckVersionAndFetchList(MarketChain& chain, bool bCsm);
    bool IsListCurrent(MarketChain& chain, const std::string& versionUrl);
    bool LoadCachedList(MarketChain& chain);
    void OnListReply(MarketChain& chain, bool bCsm, int nResult, const std::string& body);
    void OnInfoReply(MarketChain& chain, bool bCsm, int nResult, const std::string& body);
    void RequestInfo(MarketChain& chain, bool bCsm);
    bool SaveList(MarketChain& chain, const std::string& body);
    CString CachePath(const MarketChain& chain);
    CString ConfigPath();

    // Before the chains: the chains' threads, which their members wait for when they go,
    // read these to the end.
    CString m_strConfigPath;
    CString m_strCacheFolder;
    HWND m_hReportWnd;
    UINT m_nListMessage;
    std::atomic<bool> m_stopped{false};
    MarketChain m_csm;
    MarketChain m_hks;
};

// The process-wide handler, never destroyed.
CAMarketListProc& GetMarketListProc();
