// CWinApp: the application object, its names, settings (registry or profile file) and
// resource helpers.
#include "wincore.h"

#include <vector>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

HMODULE ModuleContaining(const void* address)
{
    HMODULE hModule = NULL;
    if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                  GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              static_cast<LPCSTR>(address), &hModule))
        hModule = NULL;
    return hModule;
}

}  // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_pszAppName(lpszAppName != NULL ? _strdup(lpszAppName) : NULL), m_hInstance(NULL),
      m_hPrevInstance(NULL), m_lpCmdLine(NULL), m_nCmdShow(SW_SHOWNORMAL), m_pszExeName(NULL),
      m_pszHelpFilePath(NULL), m_pszProfileName(NULL), m_pszRegistryKey(NULL),
      m_bHelpMode(FALSE), m_dwRestartManagerSupportFlags(0)
{
    m_bAutoDelete = FALSE;
    m_nThreadID = ::GetCurrentThreadId();
    // The application of the module whose storage holds this object (a global object of
    // a library belongs to that library); objects elsewhere belong to the program.
    HMODULE hModule = ModuleContaining(this);
    if (hModule == NULL)
        hModule = ::GetModuleHandle(NULL);
    m_hInstance = hModule;
    AFX_MODULE_STATE* pState = AfxGetModuleStateForInstance(hModule);
    pState->m_pCurrentWinApp = this;
}

CWinApp::~CWinApp()
{
    // The name strings may have been replaced by the program (MFC style, with strdup) and
    // are left to the process end.
    AFX_MODULE_STATE* pState = AfxGetModuleStateForInstance(m_hInstance);
    if (pState->m_pCurrentWinApp == this)
        pState->m_pCurrentWinApp = NULL;
    m_hThread = NULL;
}

void CWinApp::SetDerivedNames()
{
    if (m_pszExeName == NULL) {
        char path[MAX_PATH];
        DWORD length = ::GetModuleFileNameA(m_hInstance, path, MAX_PATH);
        path[length < MAX_PATH ? length : MAX_PATH - 1] = '\0';
        const char* base = strrchr(path, '\\');
        base = base != NULL ? base + 1 : path;
        char* name = _strdup(base);
        char* dot = strrchr(name, '.');
        if (dot != NULL)
            *dot = '\0';
        m_pszExeName = name;
    }
    if (m_pszAppName == NULL) {
        char title[256];
        if (::LoadStringA(m_hInstance, AFX_IDS_APP_TITLE, title, sizeof(title)) > 0)
            m_pszAppName = _strdup(title);
        else
            m_pszAppName = _strdup(m_pszExeName);
    }
    if (m_pszProfileName == NULL) {
        CString profile(m_pszExeName);
        profile += ".INI";
        m_pszProfileName = _strdup(profile);
    }
}

BOOL CWinApp::InitApplication() { return TRUE; }
BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance()
{
    return m_msgCur.message == WM_QUIT ? (int)m_msgCur.wParam : 0;
}

int CWinApp::Run()
{
    // Without a main window nothing could ever end the loop.
    if (m_pMainWnd == NULL)
        AfxPostQuitMessage(0);
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    return CWinThread::OnIdle(lCount);
}

// ---------------------------------------------------------------------------------------
// Settings

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    SetDerivedNames();
    m_pszRegistryKey = _strdup(lpszRegistryKey != NULL ? lpszRegistryKey : "");
    m_pszProfileName = _strdup(m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey(key.GetString());
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == NULL || m_pszProfileName == NULL)
        return NULL;
    HKEY hSoftKey = NULL;
    HKEY hCompanyKey = NULL;
    HKEY hAppKey = NULL;
    DWORD dw;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_WRITE | KEY_READ, &hSoftKey) ==
        ERROR_SUCCESS) {
        if (::RegCreateKeyExA(hSoftKey, m_pszRegistryKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE | KEY_READ, NULL, &hCompanyKey, &dw) == ERROR_SUCCESS) {
            ::RegCreateKeyExA(hCompanyKey, m_pszProfileName, 0, NULL, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE | KEY_READ, NULL, &hAppKey, &dw);
        }
    }
    if (hSoftKey != NULL)
        ::RegCloseKey(hSoftKey);
    if (hCompanyKey != NULL)
        ::RegCloseKey(hCompanyKey);
    return hAppKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    HKEY hAppKey = GetAppRegistryKey();
    if (hAppKey == NULL)
        return NULL;
    HKEY hSectionKey = NULL;
    DWORD dw;
    ::RegCreateKeyExA(hAppKey, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE,
                      KEY_WRITE | KEY_READ, NULL, &hSectionKey, &dw);
    ::RegCloseKey(hAppKey);
    return hSectionKey;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    SetDerivedNames();
    if (m_pszRegistryKey != NULL) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == NULL)
            return nDefault;
        DWORD dwValue = 0;
        DWORD dwType = 0;
        DWORD dwCount = sizeof(DWORD);
        LONG lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, (LPBYTE)&dwValue, &dwCount);
        ::RegCloseKey(hSecKey);
        if (lResult == ERROR_SUCCESS && dwType == REG_DWORD)
            return (UINT)dwValue;
        return nDefault;
    }
    return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    SetDerivedNames();
    if (m_pszRegistryKey != NULL) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == NULL)
            return FALSE;
        DWORD dwValue = (DWORD)nValue;
        LONG lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_DWORD, (LPBYTE)&dwValue, sizeof(dwValue));
        ::RegCloseKey(hSecKey);
        return lResult == ERROR_SUCCESS;
    }
    char text[16];
    wsprintfA(text, "%d", nValue);
    return ::WritePrivateProfileStringA(lpszSection, lpszEntry, text, m_pszProfileName);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    SetDerivedNames();
    if (lpszDefault == NULL)
        lpszDefault = "";
    if (m_pszRegistryKey != NULL) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == NULL)
            return lpszDefault;
        CString value;
        DWORD dwType = 0;
        DWORD dwCount = 0;
        LONG lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
        if (lResult == ERROR_SUCCESS && dwType == REG_SZ) {
            lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType,
                                         (LPBYTE)value.GetBuffer(dwCount / sizeof(char) + 1), &dwCount);
            value.ReleaseBuffer();
        }
        ::RegCloseKey(hSecKey);
        if (lResult == ERROR_SUCCESS && dwType == REG_SZ)
            return value;
        return lpszDefault;
    }
    std::vector<char> buffer(4096);
    for (;;) {
        DWORD length = ::GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault, buffer.data(),
                                                  (DWORD)buffer.size(), m_pszProfileName);
        if (length < buffer.size() - 1)
            return CString(buffer.data(), (int)length);
        buffer.resize(buffer.size() * 2);
    }
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    SetDerivedNames();
    if (m_pszRegistryKey != NULL) {
        LONG lResult;
        if (lpszEntry == NULL) {
            // Removes the whole section.
            HKEY hAppKey = GetAppRegistryKey();
            if (hAppKey == NULL)
                return FALSE;
            lResult = ::RegDeleteKeyA(hAppKey, lpszSection);
            ::RegCloseKey(hAppKey);
        } else if (lpszValue == NULL) {
            HKEY hSecKey = GetSectionKey(lpszSection);
            if (hSecKey == NULL)
                return FALSE;
            lResult = ::RegDeleteValueA(hSecKey, lpszEntry);
            ::RegCloseKey(hSecKey);
        } else {
            HKEY hSecKey = GetSectionKey(lpszSection);
            if (hSecKey == NULL)
                return FALSE;
            lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue,
                                       (DWORD)(lstrlenA(lpszValue) + 1));
            ::RegCloseKey(hSecKey);
        }
        return lResult == ERROR_SUCCESS;
    }
    return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = NULL;
    *pBytes = 0;
    SetDerivedNames();
    if (m_pszRegistryKey != NULL) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == NULL)
            return FALSE;
        DWORD dwType = 0;
        DWORD dwCount = 0;
        LONG lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
        if (lResult == ERROR_SUCCESS && dwType == REG_BINARY) {
            *ppData = new BYTE[dwCount > 0 ? dwCount : 1];
            lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, *ppData, &dwCount);
            *pBytes = dwCount;
        }
        ::RegCloseKey(hSecKey);
        if (lResult == ERROR_SUCCESS && dwType == REG_BINARY)
            return TRUE;
        delete[] *ppData;
        *ppData = NULL;
        *pBytes = 0;
        return FALSE;
    }
    // In a profile file the bytes are stored two letters each ('A' + nibble).
    CString text = GetProfileString(lpszSection, lpszEntry, NULL);
    if (text.IsEmpty() || text.GetLength() % 2 != 0)
        return FALSE;
    UINT nBytes = (UINT)text.GetLength() / 2;
    *ppData = new BYTE[nBytes];
    for (UINT i = 0; i < nBytes; ++i)
        (*ppData)[i] = (BYTE)(((text[2 * i + 1] - 'A') << 4) + (text[2 * i] - 'A'));
    *pBytes = nBytes;
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    SetDerivedNames();
    if (m_pszRegistryKey != NULL) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == NULL)
            return FALSE;
        LONG lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_BINARY, pData, nBytes);
        ::RegCloseKey(hSecKey);
        return lResult == ERROR_SUCCESS;
    }
    CString text;
    char* p = text.GetBufferSetLength((int)nBytes * 2);
    for (UINT i = 0; i < nBytes; ++i) {
        p[2 * i] = (char)((pData[i] & 0x0F) + 'A');
        p[2 * i + 1] = (char)(((pData[i] >> 4) & 0x0F) + 'A');
    }
    text.ReleaseBuffer((int)nBytes * 2);
    return WriteProfileString(lpszSection, lpszEntry, text);
}

// ---------------------------------------------------------------------------------------
// Resources

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
    return ::LoadIconA(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return LoadIcon(MAKEINTRESOURCEA(nIDResource));
}

HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIconA(NULL, lpszIconName); }
HICON CWinApp::LoadOEMIcon(UINT nIDIcon) const { return ::LoadIconA(NULL, MAKEINTRESOURCEA(nIDIcon)); }

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
    return ::LoadCursorA(AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR), lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return LoadCursor(MAKEINTRESOURCEA(nIDResource));
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursorA(NULL, lpszCursorName); }
HCURSOR CWinApp::LoadOEMCursor(UINT nIDCursor) const { return ::LoadCursorA(NULL, MAKEINTRESOURCEA(nIDCursor)); }
