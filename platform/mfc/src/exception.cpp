// CException and the simple exceptions (memory, not supported, invalid argument).
#include "afxobj.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)

namespace {

BOOL CopyMessage(LPCSTR text, LPTSTR lpszError, UINT nMaxError)
{
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    lstrcpynA(lpszError, text, (int)nMaxError);
    return TRUE;
}

}  // namespace

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete)
{
}

CException::~CException()
{
}

// Exceptions are thrown as pointers; only heap exceptions (the default) delete themselves.
void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError != NULL && nMaxError > 0)
        *lpszError = '\0';
    return FALSE;
}

BOOL CSimpleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    return CopyMessage(GetDescription(), lpszError, nMaxError);
}

LPCSTR CSimpleException::GetDescription() const
{
    return "未知错误。";
}

LPCSTR CMemoryException::GetDescription() const
{
    return "内存不足。";
}

LPCSTR CNotSupportedException::GetDescription() const
{
    return "不支持此操作。";
}

LPCSTR CInvalidArgException::GetDescription() const
{
    return "参数无效。";
}

AFX_API void AFXAPI AfxThrowMemoryException()
{
    throw new CMemoryException();
}

AFX_API void AFXAPI AfxThrowNotSupportedException()
{
    throw new CNotSupportedException();
}

AFX_API void AFXAPI AfxThrowInvalidArgException()
{
    throw new CInvalidArgException();
}
