#include "MarketListProc.h"
#include <stdio.h>
#include <stdlib.h>
#include "AppDataFolder.h"
#include "DirectorySet.h"
#include "IniFile.h"
#include "MarketDataMessages.h"
#include "MarketListReply.h"
#include "RequestToken.h"
#include "WebRequest.h"
#include "WebServiceUrls.h"

namespace
{
bool ReadWholeFile(const CString& path, std::string& text)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = false;
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size) && size.QuadPart < 0x7FFFFFFF)
    {
        text.resize((size_t)size.QuadPart);
        DWORD read = 0;
        ok = text.empty() ||
             (ReadFile(file, &text[0], (DWORD)text.size(), &read, NULL) && read == text.size());
    }
    CloseHandle(file);
    return ok;
}

// Written beside the target and moved over it, so that a failed write never leaves half a
// list where the next start would read it.
bool WriteWholeFile(const CString& path, const std::string& text)
{
    CString temporary = path + ".tmp";
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = text.empty() ||
              (WriteFile(file, text.data(), (DWORD)text.size(), &written, NULL) &&
               written == text.size());
    ok = CloseHandle(file) && ok;
    if (ok)
        ok = MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING) != FALSE;
    if (!ok)
        DeleteFileA(temporary);
    return ok;
}
} // namespace

CAMarketListProc::CAMarketListProc() : m_hReportWnd(NULL), m_nListMessage(0)
{
    m_csm.pszFileName = "CSM_List.json";
    m_csm.pszVersionKey = "CSMMarketListVersion";
    m_hks.pszFileName = "HKS_List.json";
    m_hks.pszVersionKey = "HKSMarketListVersion";
}

CAMarketListProc::~CAMarketListProc()
{
    StopMarketListTasks();
}

void CAMarketListProc::SetStorage(const CString& strConfigPath, const CString& strCacheFolder)
{
    m_strConfigPath = strConfigPath;
    m_strCacheFolder = strCacheFolder;
}

CString CAMarketListProc::ConfigPath()
{
    if (m_strConfigPath.IsEmpty())
        m_strConfigPath = CDirectorySet::FromRunningProgram().m_strAppDir + "Config.ini";
    return m_strConfigPath;
}

CString CAMarketListProc::CachePath(const MarketChain& chain)
{
    if (m_strCacheFolder.IsEmpty())
        m_strCacheFolder = GetAppDataFolder();
    return m_strCacheFolder + "\\" + chain.pszFileName;
}

void CAMarketListProc::UpdateCsmMarketList()
{
    UpdateMarketList(m_csm, true);
}

void CAMarketListProc::UpdateCsmMarketList(HWND hWnd, UINT nListMessage)
{
    m_hReportWnd = hWnd;
    m_nListMessage = nListMessage;
    // The main window passes itself: it is also where the quote fetchers report.
    if (hWnd != NULL)
        SetMarketDataWindow(hWnd);
    UpdateMarketList(m_csm, true);
}

bool CAMarketListProc::IsCsmListCurrent()
{
    return IsListCurrent(m_csm, GetWebServiceUrls().strCsmVersion);
}

bool CAMarketListProc::IsHksListCurrent()
{
    return IsListCurrent(m_hks, GetWebServiceUrls().strHksVersion);
}

bool CAMarketListProc::IsListCurrent(MarketChain& chain, const std::string& versionUrl)
{
    CurlGlobalInitOnce();
    std::string reply = PostWebRequest(versionUrl, "token=" + MakeRequestToken(), true, "");
    int serverVersion = ParseListVersion(reply);
    char text[32];
    sprintf(text, "%d", serverVersion);
    chain.strServerVersion = text;

    const CString stored = ReadProfileString(ConfigPath(), "system", chain.pszVersionKey, "-1");
    // With no answer and no stored version both are -1: the cache file is tried.
    return atoi(stored) == serverVersion;
}

bool CAMarketListProc::LoadCachedList(MarketChain& chain)
{
    std::string text;
    if (!ReadWholeFile(CachePath(chain), text))
        return false;
    std::vector<MarketListItem> items;
    if (!ParseMarketList(text, items))
        return false;
    chain.items.swap(items);
    return true;
}

void CAMarketListProc::UpdateMarketList(MarketChain& chain, bool bCsm)
{
    if (m_stopped.load())
        return;
    chain.versionCheck.Start([this, &chain, bCsm] { CheckVersionAndFetchList(chain, bCsm); });
}

// On the version-check thread; the request ends at once when the thread is stopped.
void CAMarketListProc::CheckVersionAndFetchList(MarketChain& chain, bool bCsm)
{
    bool current = bCsm ? IsCsmListCurrent() : IsHksListCurrent();
    if (m_stopped.load() || chain.versionCheck.IsStopRequested())
        return;
    if (current && LoadCachedList(chain))
    {
        chain.listReady.store(1);
        RequestInfo(chain, bCsm);
        return;
    }
    chain.listReady.store(0);
    if (m_stopped.load())
        return;
    WebServiceUrls urls = GetWebServiceUrls();
    chain.listTask.StartDownloadTask(this, bCsm ? urls.strCsmList : urls.strHksList,
                                     "token=" + MakeRequestToken());
}

void CAMarketListProc::RequestInfo(MarketChain& chain, bool bCsm)
{
    if (m_stopped.load())
        return;
    WebServiceUrls urls = GetWebServiceUrls();
    chain.infoTask.StartDownloadTask(this, bCsm ? urls.strCsmSnapshot : urls.strHksSnapshot,
                                     "token=" + MakeRequestToken());
}

void CAMarketListProc::OnDownLoaded(const std::string& strUrl, int nResult, std::string& strBody)
{
    WebServiceUrls urls = GetWebServiceUrls();
    if (strUrl == urls.strCsmList)
        OnListReply(m_csm, true, nResult, strBody);
    else if (strUrl == urls.strCsmSnapshot)
        OnInfoReply(m_csm, true, nResult, strBody);
    else if (strUrl == urls.strHksList)
        OnListReply(m_hks, false, nResult, strBody);
    else if (strUrl == urls.strHksSnapshot)
        OnInfoReply(m_hks, false, nResult, strBody);
}

void CAMarketListProc::OnListReply(MarketChain& chain, bool bCsm, int nResult,
                                   const std::string& body)
{
    std::vector<MarketListItem> items;
    if (nResult != 1 || !ParseMarketList(body, items))
    {
        // A failed download, or a reply that is no list, ends the chain here.
        chain.listReady.store(-1);
        return;
    }
    chain.items.swap(items);
    SaveList(chain, body);
    chain.listReady.store(1);
    RequestInfo(chain, bCsm);
}

bool CAMarketListProc::SaveList(MarketChain& chain, const std::string& body)
{
    // A list that cannot be written is still used; its version is then not recorded, so the
    // next start downloads it again.
    if (!WriteWholeFile(CachePath(chain), body))
        return false;
    return WritePrivateProfileStringA("system", chain.pszVersionKey,
                                      chain.strServerVersion.c_str(), ConfigPath()) != FALSE;
}

void CAMarketListProc::OnInfoReply(MarketChain& chain, bool bCsm, int nResult,
                                   const std::string& body)
{
    if (nResult != 1)
    {
        chain.infoReady.store(-1);
        return;
    }
    std::vector<QuoteRow> rows;
    ParseSnapshotText(body, rows);
    chain.rows.swap(rows);
    chain.infoReady.store(1);
    if (bCsm)
        UpdateMarketList(m_hks, false);
}

bool CAMarketListProc::StopMarketListTasks()
{
    m_stopped.store(true);
    // Every thread is told at once, so their transfers end together; then each is waited
    // for in the order of the chain's steps.
    for (MarketChain* chain : {&m_csm, &m_hks})
    {
        chain->versionCheck.RequestStop();
        chain->listTask.RequestStopDownloadTask();
        chain->infoTask.RequestStopDownloadTask();
    }
    bool ended = true;
    for (MarketChain* chain : {&m_csm, &m_hks})
        ended = chain->versionCheck.Stop(STOP_WAIT_MS) && ended;
    ended = m_csm.listTask.StopDownloadTask(STOP_WAIT_MS) && ended;
    ended = m_hks.listTask.StopDownloadTask(STOP_WAIT_MS) && ended;
    ended = m_csm.infoTask.StopDownloadTask(STOP_WAIT_MS) && ended;
    ended = m_hks.infoTask.StopDownloadTask(STOP_WAIT_MS) && ended;
    return ended;
}

CAMarketListProc& GetMarketListProc()
{
    // Never destroyed: a download thread that would not stop at shutdown keeps a live
    // handler (and live tasks) until the process ends.
    static CAMarketListProc* proc = new CAMarketListProc;
    return *proc;
}
