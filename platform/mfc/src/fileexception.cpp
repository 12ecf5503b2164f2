// CFileException: a file operation failed; carries the cause, the system error and the file.
#include "afxobj.h"
#include <errno.h>

IMPLEMENT_DYNAMIC(CFileException, CException)

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName)
{
}

CFileException::~CFileException()
{
}

namespace {

LPCSTR CauseText(int cause)
{
    switch (cause) {
    case CFileException::none: return "没有错误";
    case CFileException::fileNotFound: return "找不到文件";
    case CFileException::badPath: return "路径无效";
    case CFileException::tooManyOpenFiles: return "打开的文件过多";
    case CFileException::accessDenied: return "拒绝访问";
    case CFileException::invalidFile: return "文件句柄无效";
    case CFileException::removeCurrentDir: return "不能删除当前目录";
    case CFileException::directoryFull: return "目录已满";
    case CFileException::badSeek: return "文件定位出错";
    case CFileException::hardIO: return "硬件输入输出错误";
    case CFileException::sharingViolation: return "文件正被另一程序使用";
    case CFileException::lockViolation: return "文件区域已被锁定";
    case CFileException::diskFull: return "磁盘已满";
    case CFileException::endOfFile: return "已到文件末尾";
    default: return "未知的文件错误";
    }
}

}  // namespace

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    CString message;
    if (m_strFileName.IsEmpty())
        message.Format("%s。", CauseText(m_cause));
    else
        message.Format("%s: %s。", m_strFileName.GetString(), CauseText(m_cause));
    lstrcpynA(lpszError, message, (int)nMaxError);
    return TRUE;
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
        return badSeek;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_NOT_READY:
        return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_LOCK_FAILED:
        return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
    }
}

int PASCAL CFileException::ErrnoToException(int nErrno)
{
    switch (nErrno) {
    case ENOENT: return fileNotFound;
    case EMFILE: return tooManyOpenFiles;
    case EACCES:
    case EEXIST:
        return accessDenied;
    case EBADF: return invalidFile;
    case ENOSPC: return diskFull;
    case EINVAL: return badSeek;
    case EIO: return hardIO;
    default: return genericException;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    if (lOsError != 0)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName)
{
    if (nErrno != 0)
        AfxThrowFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

AFX_API void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}
