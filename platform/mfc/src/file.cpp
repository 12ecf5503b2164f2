// CFile: binary file access over a Win32 handle; failures throw CFileException*.
#include "afx.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

void ThrowLastError(LPCTSTR lpszFileName)
{
    DWORD error = ::GetLastError();
    CFileException::ThrowOsError(error != 0 ? (LONG)error : (LONG)ERROR_GEN_FAILURE, lpszFileName);
}

CString FullPathOf(LPCTSTR lpszFileName)
{
    char buffer[MAX_PATH];
    char* filePart = NULL;
    DWORD n = ::GetFullPathNameA(lpszFileName, MAX_PATH, buffer, &filePart);
    if (n == 0 || n >= MAX_PATH)
        return CString(lpszFileName);
    return CString(buffer, (int)n);
}

// Start of the file name in a path: after the last '\' , '/' or ':' (never inside a
// double-byte character, whose trail byte may be 0x5C).
int FileNameStart(const CString& path)
{
    int slash = path.ReverseFind('\\');
    int forward = path.ReverseFind('/');
    int colon = path.ReverseFind(':');
    int last = slash > forward ? slash : forward;
    last = last > colon ? last : colon;
    return last + 1;
}

void FillStatus(const FILETIME& creation, const FILETIME& access, const FILETIME& write,
                ULONGLONG size, DWORD attributes, CFileStatus& rStatus)
{
    rStatus.m_ctime = (creation.dwLowDateTime || creation.dwHighDateTime) ? CTime(creation) : CTime();
    rStatus.m_atime = (access.dwLowDateTime || access.dwHighDateTime) ? CTime(access) : CTime();
    rStatus.m_mtime = (write.dwLowDateTime || write.dwHighDateTime) ? CTime(write) : CTime();
    if (rStatus.m_ctime.GetTime() == 0)
        rStatus.m_ctime = rStatus.m_mtime;
    if (rStatus.m_atime.GetTime() == 0)
        rStatus.m_atime = rStatus.m_mtime;
    rStatus.m_size = size;
    rStatus.m_attribute = (BYTE)attributes;
    rStatus.m_padding = 0;
}

}  // namespace

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete)
        Abort();
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (pError != NULL)
        pError->Clear();
    if (lpszFileName == NULL || *lpszFileName == '\0') {
        if (pError != NULL) {
            pError->m_cause = CFileException::badPath;
            pError->m_lOsError = ERROR_INVALID_NAME;
        }
        return FALSE;
    }
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName = FullPathOf(lpszFileName);

    DWORD access = 0;
    switch (nOpenFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    case modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default: access = GENERIC_READ; break;
    }
    DWORD share = 0;
    switch (nOpenFlags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break;   // shareExclusive, shareCompat
    }
    DWORD creation = OPEN_EXISTING;
    if (nOpenFlags & modeCreate)
        creation = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    DWORD flags = FILE_ATTRIBUTE_NORMAL;
    if (nOpenFlags & osNoBuffer) flags |= FILE_FLAG_NO_BUFFERING;
    if (nOpenFlags & osWriteThrough) flags |= FILE_FLAG_WRITE_THROUGH;
    if (nOpenFlags & osRandomAccess) flags |= FILE_FLAG_RANDOM_ACCESS;
    if (nOpenFlags & osSequentialScan) flags |= FILE_FLAG_SEQUENTIAL_SCAN;

    SECURITY_ATTRIBUTES sa = {sizeof(sa), NULL, (nOpenFlags & modeNoInherit) ? FALSE : TRUE};
    HANDLE hFile = ::CreateFileA(lpszFileName, access, share, &sa, creation, flags, NULL);
    if (hFile == INVALID_HANDLE_VALUE) {
        DWORD error = ::GetLastError();
        if (pError != NULL) {
            pError->m_lOsError = (LONG)error;
            pError->m_cause = CFileException::OsErrorToException((LONG)error);
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    DWORD nRead = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &nRead, NULL))
        ThrowLastError(m_strFileName);
    return nRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    DWORD nWritten = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &nWritten, NULL))
        ThrowLastError(m_strFileName);
    if (nWritten != nCount)
        AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    DWORD method = nFrom == current ? FILE_CURRENT : (nFrom == end ? FILE_END : FILE_BEGIN);
    LARGE_INTEGER distance, position;
    distance.QuadPart = lOff;
    if (!::SetFilePointerEx(m_hFile, distance, &position, method))
        ThrowLastError(m_strFileName);
    return (ULONGLONG)position.QuadPart;
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER zero, position;
    zero.QuadPart = 0;
    if (!::SetFilePointerEx(m_hFile, zero, &position, FILE_CURRENT))
        ThrowLastError(m_strFileName);
    return (ULONGLONG)position.QuadPart;
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_hFile, &size))
        ThrowLastError(m_strFileName);
    return (ULONGLONG)size.QuadPart;
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    Seek((LONGLONG)dwNewLen, begin);
    if (!::SetEndOfFile(m_hFile))
        ThrowLastError(m_strFileName);
}

void CFile::Flush()
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return;
    if (!::FlushFileBuffers(m_hFile))
        ThrowLastError(m_strFileName);
}

void CFile::Close()
{
    BOOL ok = TRUE;
    if (m_hFile != INVALID_HANDLE_VALUE)
        ok = ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (!ok)
        ThrowLastError(NULL);
}

void CFile::Abort()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

void CFile::LockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    if (!::LockFile(m_hFile, (DWORD)dwPos, (DWORD)(dwPos >> 32), (DWORD)dwCount, (DWORD)(dwCount >> 32)))
        ThrowLastError(m_strFileName);
}

void CFile::UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    if (!::UnlockFile(m_hFile, (DWORD)dwPos, (DWORD)(dwPos >> 32), (DWORD)dwCount, (DWORD)(dwCount >> 32)))
        ThrowLastError(m_strFileName);
}

CString CFile::GetFileName() const
{
    return m_strFileName.Mid(FileNameStart(m_strFileName));
}

CString CFile::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

void CFile::SetFilePath(LPCTSTR lpszNewName)
{
    m_strFileName = lpszNewName;
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    rStatus = CFileStatus();
    lstrcpynA(rStatus.m_szFullName, m_strFileName, _MAX_PATH);
    if (m_hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(m_hFile, &info))
        return FALSE;
    FillStatus(info.ftCreationTime, info.ftLastAccessTime, info.ftLastWriteTime,
               ((ULONGLONG)info.nFileSizeHigh << 32) | info.nFileSizeLow, info.dwFileAttributes, rStatus);
    return TRUE;
}

BOOL PASCAL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus)
{
    rStatus = CFileStatus();
    if (lpszFileName == NULL || *lpszFileName == '\0')
        return FALSE;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(lpszFileName, GetFileExInfoStandard, &data))
        return FALSE;
    lstrcpynA(rStatus.m_szFullName, FullPathOf(lpszFileName), _MAX_PATH);
    FillStatus(data.ftCreationTime, data.ftLastAccessTime, data.ftLastWriteTime,
               ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow, data.dwFileAttributes, rStatus);
    return TRUE;
}

void PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    if (!::MoveFileA(lpszOldName, lpszNewName))
        ThrowLastError(lpszOldName);
}

void PASCAL CFile::Remove(LPCTSTR lpszFileName)
{
    if (!::DeleteFileA(lpszFileName))
        ThrowLastError(lpszFileName);
}
