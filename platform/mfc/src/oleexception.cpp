#include "afxdisp.h"

#include <stdio.h>

IMPLEMENT_DYNAMIC(COleException, CException)
IMPLEMENT_DYNAMIC(COleDispatchException, CException)

namespace {
BOOL CopyMessage(const CString& text, LPTSTR lpszError, UINT nMaxError)
{
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    lstrcpynA(lpszError, text, static_cast<int>(nMaxError));
    return TRUE;
}

// The system's text for an SCODE, else its hexadecimal form.
CString DescribeScode(SCODE sc)
{
    char* text = NULL;
    CString result;
    if (::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         NULL, static_cast<DWORD>(sc), 0, reinterpret_cast<LPSTR>(&text), 0, NULL) != 0 &&
        text != NULL) {
        result = text;
        result.TrimRight();
    }
    if (text != NULL)
        ::LocalFree(text);
    if (result.IsEmpty())
        result.Format("OLE error 0x%08lX", static_cast<unsigned long>(sc));
    return result;
}
}  // namespace

COleException::COleException() : m_sc(S_OK) {}

COleException::~COleException() {}

BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    return CopyMessage(DescribeScode(m_sc), lpszError, nMaxError);
}

SCODE PASCAL COleException::Process(const CException* pAnyException)
{
    if (pAnyException == NULL)
        return S_OK;
    if (const COleException* ole = dynamic_cast<const COleException*>(pAnyException))
        return ole->m_sc;
    if (const COleDispatchException* dispatch = dynamic_cast<const COleDispatchException*>(pAnyException))
        return dispatch->m_scError != S_OK ? dispatch->m_scError : DISP_E_EXCEPTION;
    if (dynamic_cast<const CMemoryException*>(pAnyException) != NULL)
        return E_OUTOFMEMORY;
    if (dynamic_cast<const CNotSupportedException*>(pAnyException) != NULL)
        return E_NOTIMPL;
    return E_UNEXPECTED;
}

COleDispatchException::COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode)
    : m_wCode(wCode), m_scError(S_OK), m_strDescription(lpszDescription), m_dwHelpContext(nHelpID)
{
}

COleDispatchException::~COleDispatchException() {}

BOOL COleDispatchException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = m_dwHelpContext;
    CString text = m_strDescription;
    if (text.IsEmpty())
        text = DescribeScode(m_scError != S_OK ? m_scError : DISP_E_EXCEPTION);
    return CopyMessage(text, lpszError, nMaxError);
}

void AFXAPI AfxThrowOleException(SCODE sc)
{
    COleException* e = new COleException;
    e->m_sc = sc;
    throw e;
}

void AFXAPI AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription, UINT nHelpID)
{
    throw new COleDispatchException(lpszDescription, nHelpID, wCode);
}
