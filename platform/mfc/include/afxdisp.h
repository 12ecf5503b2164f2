// OLE start-up functions programs call from InitInstance.
#pragma once

#include "afxwin.h"

#include <ole2.h>
#include <oleauto.h>
#include <stdarg.h>

// No ActiveX controls are hosted: a no-op kept for source compatibility.
AFX_API void AFXAPI AfxEnableControlContainer();
// Initialises OLE (OleInitialize) on the calling thread.
AFX_API BOOL AFXAPI AfxOleInit();

// ---- Automation clients -------------------------------------------------------------------

// Parameter and result kinds of COleDispatchDriver::InvokeHelper, one byte per argument.
#define VTS_NONE ""
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R8 "\x05"
#define VTS_BSTR "\x08"     // LPCTSTR, converted from the program's code page
#define VTS_DISPATCH "\x09"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"  // const VARIANT*

// A VARIANT that frees what it holds.
class AFX_API COleVariant : public tagVARIANT
{
public:
    COleVariant();
    COleVariant(const VARIANT& varSrc);
    COleVariant(const COleVariant& varSrc);
    COleVariant(LPCTSTR lpszSrc);
    COleVariant(const CString& strSrc);
    // vtSrc VT_I4, VT_ERROR (for example DISP_E_PARAMNOTFOUND for an omitted argument) or VT_BOOL.
    COleVariant(long lSrc, VARTYPE vtSrc = VT_I4);
    COleVariant(short nSrc, VARTYPE vtSrc = VT_I2);
    COleVariant(double dblSrc);
    ~COleVariant();

    const COleVariant& operator=(const VARIANT& varSrc);
    const COleVariant& operator=(const COleVariant& varSrc);
    const COleVariant& operator=(LPCTSTR lpszSrc);
    const COleVariant& operator=(long lSrc);

    void Clear();
    // Converts in place; throws COleException when the value cannot be converted.
    void ChangeType(VARTYPE vartype, LPVARIANT pSrc = NULL);

    operator LPVARIANT() { return this; }
    operator const VARIANT*() const { return this; }
};

// An OLE failure code raised as an exception.
class AFX_API COleException : public CException
{
    DECLARE_DYNAMIC(COleException)
public:
    COleException();
    ~COleException() override;
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
    // The SCODE an exception stands for (E_OUTOFMEMORY, E_UNEXPECTED for others).
    static SCODE PASCAL Process(const CException* pAnyException);

    SCODE m_sc;
};

// An error raised by the automation server itself, with its own code and description.
class AFX_API COleDispatchException : public CException
{
    DECLARE_DYNAMIC(COleDispatchException)
public:
    COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode);
    ~COleDispatchException() override;
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

    WORD m_wCode;
    SCODE m_scError;
    CString m_strSource;
    CString m_strDescription;
    CString m_strHelpFile;
    DWORD m_dwHelpContext;
};

AFX_API void AFXAPI AfxThrowOleException(SCODE sc);
AFX_API void AFXAPI AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription, UINT nHelpID = 0);

// Holds an IDispatch of an automation server and calls its members by dispatch id.
class AFX_API COleDispatchDriver
{
public:
    COleDispatchDriver();
    COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    COleDispatchDriver(const COleDispatchDriver& dispatchSrc);
    ~COleDispatchDriver();
    const COleDispatchDriver& operator=(const COleDispatchDriver& dispatchSrc);

    // Creates the server's object (any class context). FALSE with pError->m_sc set on failure.
    BOOL CreateDispatch(REFCLSID clsid, COleException* pError = NULL);
    BOOL CreateDispatch(LPCTSTR lpszProgID, COleException* pError = NULL);
    void AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    LPDISPATCH DetachDispatch();
    void ReleaseDispatch();

    // Calls one member. pbParamInfo lists the VTS_ kinds of the arguments that follow; vtRet
    // is VT_EMPTY (none), VT_I2 (short*), VT_I4 (long*), VT_R8 (double*), VT_BOOL (BOOL*),
    // VT_BSTR (CString*), VT_DISPATCH (LPDISPATCH*, a new reference) or VT_VARIANT (VARIANT*).
    // Throws COleDispatchException for an error the server raises and COleException otherwise.
    void AFX_CDECL InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                const BYTE* pbParamInfo, ...);
    void AFX_CDECL SetProperty(DISPID dwDispID, VARTYPE vtProp, ...);
    void GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const;

    operator LPDISPATCH() { return m_lpDispatch; }

    LPDISPATCH m_lpDispatch;
    BOOL m_bAutoRelease;

protected:
    void InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                       const BYTE* pbParamInfo, va_list argList);
};
