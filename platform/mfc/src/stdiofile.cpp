// CStdioFile: a buffered C run-time stream over the handle CFile opens. Text mode (the
// default) writes "\n" as CRLF and reads CRLF as "\n"; typeBinary keeps bytes as they are.
#include "afx.h"
#include <fcntl.h>
#include <io.h>
#include <errno.h>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

CStdioFile::CStdioFile() : m_pStream(NULL)
{
}

CStdioFile::CStdioFile(FILE* pOpenStream) : CFile(), m_pStream(pOpenStream)
{
    if (pOpenStream != NULL)
        m_hFile = (HANDLE)_get_osfhandle(_fileno(pOpenStream));
}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_pStream(NULL)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CStdioFile::~CStdioFile()
{
    if (m_pStream != NULL && m_bCloseOnDelete)
        Abort();
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    m_pStream = NULL;
    if (!CFile::Open(lpszFileName, nOpenFlags & ~(UINT)(typeText | typeBinary), pError))
        return FALSE;

    char mode[4];
    int nMode = 0;
    int osFlags = 0;
    if (nOpenFlags & modeCreate) {
        mode[nMode++] = (nOpenFlags & modeNoTruncate) ? 'a' : 'w';
    } else if (nOpenFlags & modeWrite) {
        mode[nMode++] = 'a';
    } else {
        mode[nMode++] = 'r';
    }
    if (mode[0] == 'a')
        osFlags |= _O_APPEND;
    if (nOpenFlags & modeReadWrite)
        mode[nMode++] = '+';
    else if (mode[0] == 'r')
        osFlags |= _O_RDONLY;
    if (nOpenFlags & typeBinary) {
        mode[nMode++] = 'b';
        osFlags |= _O_BINARY;
    } else {
        mode[nMode++] = 't';
        osFlags |= _O_TEXT;
    }
    mode[nMode] = '\0';

    int fd = _open_osfhandle((intptr_t)m_hFile, osFlags);
    if (fd != -1)
        m_pStream = _fdopen(fd, mode);
    if (m_pStream == NULL) {
        int error = errno;
        if (fd != -1)
            _close(fd);   // closes the handle too
        else
            CFile::Abort();
        m_hFile = INVALID_HANDLE_VALUE;
        m_bCloseOnDelete = FALSE;
        if (pError != NULL) {
            pError->m_lOsError = error;
            pError->m_cause = CFileException::ErrnoToException(error);
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    return TRUE;
}

void CStdioFile::WriteString(LPCTSTR lpsz)
{
    if (lpsz == NULL)
        AfxThrowInvalidArgException();
    if (fputs(lpsz, m_pStream) == EOF)
        AfxThrowFileException(CFileException::diskFull, _doserrno, m_strFileName);
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (lpsz == NULL || nMax == 0)
        AfxThrowInvalidArgException();
    LPTSTR result = fgets(lpsz, (int)nMax, m_pStream);
    if (result == NULL && !feof(m_pStream)) {
        clearerr(m_pStream);
        AfxThrowFileException(CFileException::genericException, _doserrno, m_strFileName);
    }
    return result;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    rString.Empty();
    char buffer[256];
    bool readAny = false;
    for (;;) {
        if (fgets(buffer, (int)sizeof(buffer), m_pStream) == NULL) {
            if (!feof(m_pStream)) {
                clearerr(m_pStream);
                AfxThrowFileException(CFileException::genericException, _doserrno, m_strFileName);
            }
            break;
        }
        readAny = true;
        size_t n = strlen(buffer);
        if (n > 0 && buffer[n - 1] == '\n') {
            --n;
            if (n > 0 && buffer[n - 1] == '\r')   // binary mode keeps the CR
                --n;
            rString.Append(buffer, (int)n);
            break;
        }
        rString.Append(buffer, (int)n);
    }
    // A CR split from its LF by the buffer boundary.
    if (rString.GetLength() > 0 && rString[rString.GetLength() - 1] == '\r')
        rString.Truncate(rString.GetLength() - 1);
    return readAny ? TRUE : FALSE;
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    size_t nRead = fread(lpBuf, 1, nCount, m_pStream);
    if (nRead == 0 && !feof(m_pStream)) {
        clearerr(m_pStream);
        AfxThrowFileException(CFileException::genericException, _doserrno, m_strFileName);
    }
    return (UINT)nRead;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (fwrite(lpBuf, 1, nCount, m_pStream) != nCount)
        AfxThrowFileException(CFileException::diskFull, _doserrno, m_strFileName);
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    int origin = nFrom == current ? SEEK_CUR : (nFrom == end ? SEEK_END : SEEK_SET);
    if (_fseeki64(m_pStream, lOff, origin) != 0)
        AfxThrowFileException(CFileException::badSeek, _doserrno, m_strFileName);
    return (ULONGLONG)_ftelli64(m_pStream);
}

ULONGLONG CStdioFile::GetPosition() const
{
    long long position = _ftelli64(m_pStream);
    if (position < 0)
        AfxThrowFileException(CFileException::invalidFile, _doserrno, m_strFileName);
    return (ULONGLONG)position;
}

ULONGLONG CStdioFile::GetLength() const
{
    long long position = _ftelli64(m_pStream);
    if (position < 0 || _fseeki64(m_pStream, 0, SEEK_END) != 0)
        AfxThrowFileException(CFileException::badSeek, _doserrno, m_strFileName);
    long long length = _ftelli64(m_pStream);
    _fseeki64(m_pStream, position, SEEK_SET);
    return (ULONGLONG)length;
}

void CStdioFile::Flush()
{
    if (m_pStream != NULL && fflush(m_pStream) != 0)
        AfxThrowFileException(CFileException::diskFull, _doserrno, m_strFileName);
}

void CStdioFile::Close()
{
    int result = 0;
    if (m_pStream != NULL)
        result = fclose(m_pStream);   // closes the handle as well
    m_pStream = NULL;
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    CString name = m_strFileName;
    m_strFileName.Empty();
    if (result != 0)
        AfxThrowFileException(CFileException::diskFull, _doserrno, name);
}

void CStdioFile::Abort()
{
    if (m_pStream != NULL)
        fclose(m_pStream);
    m_pStream = NULL;
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}
