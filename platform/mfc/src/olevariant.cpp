#include "afxdisp.h"
#include "bstrtext.h"

using afxcore::BstrFromText;

COleVariant::COleVariant() { ::VariantInit(this); }

COleVariant::COleVariant(const VARIANT& varSrc)
{
    ::VariantInit(this);
    if (FAILED(::VariantCopy(this, const_cast<VARIANT*>(&varSrc))))
        AfxThrowOleException(E_OUTOFMEMORY);
}

COleVariant::COleVariant(const COleVariant& varSrc) : COleVariant(static_cast<const VARIANT&>(varSrc)) {}

COleVariant::COleVariant(LPCTSTR lpszSrc)
{
    ::VariantInit(this);
    vt = VT_BSTR;
    bstrVal = BstrFromText(lpszSrc);
}

COleVariant::COleVariant(const CString& strSrc) : COleVariant(static_cast<LPCTSTR>(strSrc)) {}

COleVariant::COleVariant(long lSrc, VARTYPE vtSrc)
{
    ::VariantInit(this);
    if (vtSrc == VT_ERROR) {
        vt = VT_ERROR;
        scode = lSrc;
    } else if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = lSrc ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        vt = VT_I4;
        lVal = lSrc;
    }
}

COleVariant::COleVariant(short nSrc, VARTYPE vtSrc)
{
    ::VariantInit(this);
    if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = nSrc ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        vt = VT_I2;
        iVal = nSrc;
    }
}

COleVariant::COleVariant(double dblSrc)
{
    ::VariantInit(this);
    vt = VT_R8;
    dblVal = dblSrc;
}

COleVariant::~COleVariant() { ::VariantClear(this); }

const COleVariant& COleVariant::operator=(const VARIANT& varSrc)
{
    if (static_cast<const VARIANT*>(this) != &varSrc && FAILED(::VariantCopy(this, const_cast<VARIANT*>(&varSrc))))
        AfxThrowOleException(E_OUTOFMEMORY);
    return *this;
}

const COleVariant& COleVariant::operator=(const COleVariant& varSrc)
{
    return operator=(static_cast<const VARIANT&>(varSrc));
}

const COleVariant& COleVariant::operator=(LPCTSTR lpszSrc)
{
    BSTR text = BstrFromText(lpszSrc);
    Clear();
    vt = VT_BSTR;
    bstrVal = text;
    return *this;
}

const COleVariant& COleVariant::operator=(long lSrc)
{
    Clear();
    vt = VT_I4;
    lVal = lSrc;
    return *this;
}

void COleVariant::Clear() { ::VariantClear(this); }

void COleVariant::ChangeType(VARTYPE vartype, LPVARIANT pSrc)
{
    if (pSrc == NULL)
        pSrc = this;
    HRESULT hr = ::VariantChangeType(this, pSrc, 0, vartype);
    if (FAILED(hr))
        AfxThrowOleException(hr);
}
