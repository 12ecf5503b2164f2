// CFileFind: walks the files matching a pattern. FindNextFile moves to the match found
// ahead and looks for the one after it, so its result says whether more follow.
#include "afx.h"

IMPLEMENT_DYNAMIC(CFileFind, CObject)

namespace {

// The directory of a full path pattern, with its trailing separator.
CString DirectoryOf(const CString& path)
{
    int slash = path.ReverseFind('\\');
    int forward = path.ReverseFind('/');
    int last = slash > forward ? slash : forward;
    return last >= 0 ? path.Left(last + 1) : CString();
}

BOOL CopyFileTime(const WIN32_FIND_DATAA* info, const FILETIME& time, FILETIME* pTimeStamp)
{
    if (info == NULL || pTimeStamp == NULL)
        return FALSE;
    *pTimeStamp = time;
    return TRUE;
}

}  // namespace

CFileFind::CFileFind() : m_pFoundInfo(NULL), m_pNextInfo(NULL), m_hContext(NULL)
{
}

CFileFind::~CFileFind()
{
    Close();
}

void CFileFind::Close()
{
    delete m_pFoundInfo;
    delete m_pNextInfo;
    m_pFoundInfo = NULL;
    m_pNextInfo = NULL;
    if (m_hContext != NULL && m_hContext != INVALID_HANDLE_VALUE)
        ::FindClose(m_hContext);
    m_hContext = NULL;
    m_strRoot.Empty();
}

BOOL CFileFind::FindFile(LPCTSTR pstrName, DWORD dwUnused)
{
    (void)dwUnused;
    Close();
    if (pstrName == NULL || *pstrName == '\0')
        pstrName = "*.*";
    m_pNextInfo = new WIN32_FIND_DATAA;
    m_hContext = ::FindFirstFileA(pstrName, m_pNextInfo);
    if (m_hContext == INVALID_HANDLE_VALUE) {
        DWORD error = ::GetLastError();
        Close();
        ::SetLastError(error);
        return FALSE;
    }
    char fullPath[MAX_PATH];
    char* filePart = NULL;
    DWORD n = ::GetFullPathNameA(pstrName, MAX_PATH, fullPath, &filePart);
    m_strRoot = (n > 0 && n < MAX_PATH) ? DirectoryOf(CString(fullPath, (int)n)) : DirectoryOf(CString(pstrName));
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (m_hContext == NULL || m_hContext == INVALID_HANDLE_VALUE || m_pNextInfo == NULL)
        return FALSE;
    if (m_pFoundInfo == NULL)
        m_pFoundInfo = new WIN32_FIND_DATAA;
    WIN32_FIND_DATAA* temp = m_pFoundInfo;
    m_pFoundInfo = m_pNextInfo;
    m_pNextInfo = temp;
    return ::FindNextFileA(m_hContext, m_pNextInfo);
}

ULONGLONG CFileFind::GetLength() const
{
    if (m_pFoundInfo == NULL)
        return 0;
    return ((ULONGLONG)m_pFoundInfo->nFileSizeHigh << 32) | m_pFoundInfo->nFileSizeLow;
}

CString CFileFind::GetFileName() const
{
    return m_pFoundInfo ? CString(m_pFoundInfo->cFileName) : CString();
}

CString CFileFind::GetFilePath() const
{
    return m_strRoot + GetFileName();
}

CString CFileFind::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

CString CFileFind::GetFileURL() const
{
    CString path = GetFilePath();
    return path.IsEmpty() ? path : CString("file://") + path;
}

CString CFileFind::GetRoot() const
{
    return m_strRoot;
}

BOOL CFileFind::GetLastWriteTime(FILETIME* pTimeStamp) const
{
    return m_pFoundInfo && CopyFileTime(m_pFoundInfo, m_pFoundInfo->ftLastWriteTime, pTimeStamp);
}

BOOL CFileFind::GetLastAccessTime(FILETIME* pTimeStamp) const
{
    return m_pFoundInfo && CopyFileTime(m_pFoundInfo, m_pFoundInfo->ftLastAccessTime, pTimeStamp);
}

BOOL CFileFind::GetCreationTime(FILETIME* pTimeStamp) const
{
    return m_pFoundInfo && CopyFileTime(m_pFoundInfo, m_pFoundInfo->ftCreationTime, pTimeStamp);
}

BOOL CFileFind::GetLastWriteTime(CTime& refTime) const
{
    if (m_pFoundInfo == NULL)
        return FALSE;
    refTime = CTime(m_pFoundInfo->ftLastWriteTime);
    return TRUE;
}

BOOL CFileFind::GetLastAccessTime(CTime& refTime) const
{
    if (m_pFoundInfo == NULL)
        return FALSE;
    refTime = CTime(m_pFoundInfo->ftLastAccessTime);
    return TRUE;
}

BOOL CFileFind::GetCreationTime(CTime& refTime) const
{
    if (m_pFoundInfo == NULL)
        return FALSE;
    refTime = CTime(m_pFoundInfo->ftCreationTime);
    return TRUE;
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const
{
    return m_pFoundInfo != NULL && (m_pFoundInfo->dwFileAttributes & dwMask) != 0;
}

BOOL CFileFind::IsDots() const
{
    if (m_pFoundInfo == NULL || !IsDirectory())
        return FALSE;
    const char* name = m_pFoundInfo->cFileName;
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}
