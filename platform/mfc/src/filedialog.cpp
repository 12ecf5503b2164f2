// CFileDialog: the open/save file dialogs, with a hook that replaces them in tests.
#include "wincore.h"

#include <afxdlgs.h>

#include <atomic>

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

namespace {

std::atomic<AFX_FILEDIALOG_HOOK> g_fileDialogHook{ nullptr };

}  // namespace

AFX_FILEDIALOG_HOOK AFXAPI AfxSetFileDialogHook(AFX_FILEDIALOG_HOOK hook)
{
    return g_fileDialogHook.exchange(hook);
}

CCommonDialog::CCommonDialog(CWnd* pParentWnd) : CDialog((UINT)0, pParentWnd)
{
    m_lpszTemplateName = NULL;
}

CCommonDialog::~CCommonDialog() {}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName,
                         DWORD dwFlags, LPCTSTR lpszFilter, CWnd* pParentWnd, DWORD dwSize, BOOL)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog), m_pszFilter(NULL)
{
    memset(&m_ofn, 0, sizeof(m_ofn));
    m_szFileName[0] = '\0';
    m_szFileTitle[0] = '\0';
    m_ofn.lStructSize = dwSize != 0 ? dwSize : sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof(m_szFileName);
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof(m_szFileTitle);
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_ofn.hInstance = AfxGetResourceHandle();
    if (lpszDefExt != NULL) {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName != NULL)
        lstrcpynA(m_szFileName, lpszFileName, sizeof(m_szFileName));
    if (lpszFilter != NULL) {
        // "a|b|c|d||" becomes "a\0b\0c\0d\0\0".
        size_t length = strlen(lpszFilter);
        m_pszFilter = new char[length + 2];
        memcpy(m_pszFilter, lpszFilter, length + 1);
        m_pszFilter[length + 1] = '\0';
        for (size_t i = 0; i < length;) {
            BYTE c = (BYTE)m_pszFilter[i];
            if (::IsDBCSLeadByte(c) && i + 1 < length) {
                i += 2;   // a trail byte may look like '|'
                continue;
            }
            if (c == '|')
                m_pszFilter[i] = '\0';
            ++i;
        }
        m_ofn.lpstrFilter = m_pszFilter;
    }
}

CFileDialog::~CFileDialog()
{
    delete[] m_pszFilter;
}

INT_PTR CFileDialog::DoModal()
{
    HWND hWndTop = NULL;
    m_ofn.hwndOwner = CWnd::GetSafeOwner_(m_pParentWnd != NULL ? m_pParentWnd->GetSafeHwnd() : NULL,
                                          &hWndTop);
    INT_PTR nResult;
    AFX_FILEDIALOG_HOOK hook = g_fileDialogHook.load();
    if (hook != NULL) {
        nResult = hook(&m_ofn, m_bOpenFileDialog);
    } else {
        BOOL bOK = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
        nResult = bOK ? IDOK : IDCANCEL;
    }
    if (hWndTop != NULL)
        ::EnableWindow(hWndTop, TRUE);
    return nResult;
}

namespace {

// In a multiple selection the buffer holds the folder, then the names, each ending in NUL.
bool IsMultipleSelection(const OPENFILENAME& ofn)
{
    if (!(ofn.Flags & OFN_ALLOWMULTISELECT))
        return false;
    const char* p = ofn.lpstrFile;
    return p[strlen(p) + 1] != '\0';
}

}  // namespace

CString CFileDialog::GetPathName() const
{
    if (IsMultipleSelection(m_ofn)) {
        POSITION pos = GetStartPosition();
        return GetNextPathName(pos);
    }
    return CString(m_ofn.lpstrFile);
}

CString CFileDialog::GetFileName() const
{
    CString path = GetPathName();
    int slash = path.ReverseFind('\\');
    return slash >= 0 ? path.Mid(slash + 1) : path;
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Mid(dot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Left(dot) : name;
}

CString CFileDialog::GetFolderPath() const
{
    if (IsMultipleSelection(m_ofn))
        return CString(m_ofn.lpstrFile);
    CString path(m_ofn.lpstrFile);
    int slash = path.ReverseFind('\\');
    return slash >= 0 ? path.Left(slash) : CString();
}

BOOL CFileDialog::GetReadOnlyPref() const
{
    return (m_ofn.Flags & OFN_READONLY) != 0;
}

POSITION CFileDialog::GetStartPosition() const
{
    return m_ofn.lpstrFile[0] != '\0' ? (POSITION)m_ofn.lpstrFile : NULL;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    const char* current = reinterpret_cast<const char*>(pos);
    if (current == NULL)
        return CString();
    if (!IsMultipleSelection(m_ofn)) {
        pos = NULL;
        return CString(current);
    }
    const char* folder = m_ofn.lpstrFile;
    if (current == folder)
        current += strlen(folder) + 1;   // first name
    CString path(folder);
    if (path.GetLength() > 0 && path[path.GetLength() - 1] != '\\')
        path += '\\';
    path += current;
    const char* next = current + strlen(current) + 1;
    pos = *next != '\0' ? (POSITION)next : NULL;
    return path;
}
