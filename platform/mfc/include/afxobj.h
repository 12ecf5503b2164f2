// CObject, run-time class information and the exception classes of the class layer.
// Run-time classes reach their base through a function, not a data pointer: the base may
// live in another module (tolvanafx.dll), whose data address is not a link-time constant.
#pragma once

#include "afxdefs.h"
#include "afxstr.h"

class CObject;
class CArchive;
class CDumpContext;

#ifndef AFX_COMDAT
#define AFX_COMDAT
#endif

struct AFX_API CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (PASCAL* m_pfnCreateObject)();
    CRuntimeClass* (PASCAL* m_pfnGetBaseClass)();
    CRuntimeClass* m_pNextClass;
    const void* m_pClassInit;

    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
    CRuntimeClass* GetBaseClass() const { return m_pfnGetBaseClass ? m_pfnGetBaseClass() : NULL; }
    BOOL IsCreatable() const { return m_pfnCreateObject != NULL; }
};

#define _RUNTIME_CLASS(class_name) ((CRuntimeClass*)(&class_name::class##class_name))
#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name) \
protected: \
    static CRuntimeClass* PASCAL _GetBaseClass(); \
public: \
    static const CRuntimeClass class##class_name; \
    static CRuntimeClass* PASCAL GetThisClass(); \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* PASCAL CreateObject();

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
    CRuntimeClass* PASCAL class_name::_GetBaseClass() { return RUNTIME_CLASS(base_class_name); } \
    AFX_COMDAT const CRuntimeClass class_name::class##class_name = { \
        #class_name, sizeof(class class_name), wSchema, pfnNew, \
        &class_name::_GetBaseClass, NULL, NULL }; \
    CRuntimeClass* PASCAL class_name::GetThisClass() { return _RUNTIME_CLASS(class_name); } \
    CRuntimeClass* class_name::GetRuntimeClass() const { return _RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* PASCAL class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

// Objects of the class layer: run-time type checks; not copyable (as in MFC).
class AFX_API CObject
{
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject();

    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;
    virtual void Dump(CDumpContext& dc) const;

    static const CRuntimeClass classCObject;
    static CRuntimeClass* PASCAL GetThisClass();

protected:
    CObject();

private:
    CObject(const CObject&) = delete;
    void operator=(const CObject&) = delete;
};

// Returns pObject as class_name* when it is one (or derives from it), else NULL.
AFX_API CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
#define DYNAMIC_DOWNCAST(class_name, object) \
    ((class_name*)AfxDynamicDownCast(RUNTIME_CLASS(class_name), (CObject*)(object)))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

// ---------------------------------------------------------------------------------------
// Exceptions. As in MFC they are thrown by pointer (throw new CFileException...) and the
// catcher calls e->Delete().

class AFX_API CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE);
    virtual ~CException();

    void Delete();
    // Text describing the error into lpszError (at most nMaxError bytes, terminated).
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;
    // Shows the error text in a message box (through AfxMessageBox).
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

    BOOL m_bAutoDelete;
};

class AFX_API CSimpleException : public CException
{
    DECLARE_DYNAMIC(CSimpleException)
public:
    explicit CSimpleException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
protected:
    virtual LPCSTR GetDescription() const;
};

class AFX_API CMemoryException : public CSimpleException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    explicit CMemoryException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
protected:
    LPCSTR GetDescription() const override;
};

class AFX_API CNotSupportedException : public CSimpleException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    explicit CNotSupportedException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
protected:
    LPCSTR GetDescription() const override;
};

class AFX_API CInvalidArgException : public CSimpleException
{
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    explicit CInvalidArgException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
protected:
    LPCSTR GetDescription() const override;
};

class AFX_API CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = CFileException::none, LONG lOsError = -1,
                            LPCTSTR lpszArchiveName = NULL);
    virtual ~CFileException();

    void Clear() { m_cause = none; m_lOsError = -1; m_strFileName.Empty(); }
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

    static int PASCAL OsErrorToException(LONG lOsError);
    static int PASCAL ErrnoToException(int nErrno);
    static void PASCAL ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = NULL);
    static void PASCAL ThrowErrno(int nErrno, LPCTSTR lpszFileName = NULL);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

AFX_API void AFXAPI AfxThrowMemoryException();
AFX_API void AFXAPI AfxThrowNotSupportedException();
AFX_API void AFXAPI AfxThrowInvalidArgException();
AFX_API void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = NULL);

// The classic exception macros over C++ exceptions.
#define TRY try
#define CATCH(class_name, e) catch (class_name* e)
#define AND_CATCH(class_name, e) catch (class_name* e)
#define END_CATCH
#define CATCH_ALL(e) catch (CException* e)
#define AND_CATCH_ALL(e) catch (CException* e)
#define END_CATCH_ALL
#define END_TRY
#define THROW(e) throw e
#define THROW_LAST() throw
