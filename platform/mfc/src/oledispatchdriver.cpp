#include "afxdisp.h"
#include "bstrtext.h"

#include <string.h>

#include <vector>

using afxcore::BstrFromText;
using afxcore::TextFromBstr;

namespace {
// The arguments of one call; the BSTRs made here are freed with it.
class CallArguments {
public:
    ~CallArguments()
    {
        for (size_t i = 0; i < args_.size(); ++i)
            if (owned_[i])
                ::VariantClear(&args_[i]);
    }
    void Add(const VARIANT& value, bool owned)
    {
        args_.push_back(value);
        owned_.push_back(owned);
    }
    // DISPPARAMS wants the last argument first.
    void Reverse()
    {
        std::vector<VARIANT> reversed(args_.rbegin(), args_.rend());
        std::vector<bool> owned(owned_.rbegin(), owned_.rend());
        args_.swap(reversed);
        owned_.swap(owned);
    }
    VARIANT* Data() { return args_.empty() ? NULL : &args_[0]; }
    UINT Count() const { return static_cast<UINT>(args_.size()); }

private:
    std::vector<VARIANT> args_;
    std::vector<bool> owned_;
};

void ReadArguments(const BYTE* info, va_list argList, CallArguments& args)
{
    for (; info != NULL && *info != 0; ++info) {
        VARIANT value;
        ::VariantInit(&value);
        value.vt = *info;
        bool owned = false;
        switch (*info) {
        case VT_I2: value.iVal = static_cast<short>(va_arg(argList, int)); break;
        case VT_I4: value.lVal = va_arg(argList, long); break;
        case VT_R8: value.dblVal = va_arg(argList, double); break;
        case VT_BOOL: value.boolVal = va_arg(argList, BOOL) ? VARIANT_TRUE : VARIANT_FALSE; break;
        case VT_DISPATCH: value.pdispVal = va_arg(argList, LPDISPATCH); break;
        case VT_BSTR:
            value.bstrVal = BstrFromText(va_arg(argList, LPCSTR));
            owned = true;
            break;
        case VT_VARIANT: {
            // Passed by value: the callee sees the caller's VARIANT without owning it.
            const VARIANT* source = va_arg(argList, const VARIANT*);
            if (source != NULL)
                value = *source;
            else
                value.vt = VT_EMPTY;
            break;
        }
        default:
            AfxThrowInvalidArgException();
        }
        args.Add(value, owned);
    }
}

void StoreResult(VARIANT& result, VARTYPE vtRet, void* pvRet)
{
    if (vtRet == VT_EMPTY || pvRet == NULL) {
        ::VariantClear(&result);
        return;
    }
    if (vtRet == VT_VARIANT) {
        *static_cast<VARIANT*>(pvRet) = result;  // the caller owns it now
        return;
    }
    if (result.vt != vtRet) {
        HRESULT hr = ::VariantChangeType(&result, &result, 0, vtRet);
        if (FAILED(hr)) {
            ::VariantClear(&result);
            AfxThrowOleException(hr);
        }
    }
    switch (vtRet) {
    case VT_I2: *static_cast<short*>(pvRet) = result.iVal; break;
    case VT_I4: *static_cast<long*>(pvRet) = result.lVal; break;
    case VT_R8: *static_cast<double*>(pvRet) = result.dblVal; break;
    case VT_BOOL: *static_cast<BOOL*>(pvRet) = result.boolVal != VARIANT_FALSE; break;
    case VT_BSTR: *static_cast<CString*>(pvRet) = TextFromBstr(result.bstrVal); break;
    case VT_DISPATCH:
        *static_cast<LPDISPATCH*>(pvRet) = result.pdispVal;
        result.vt = VT_EMPTY;  // the reference goes to the caller
        break;
    default:
        ::VariantClear(&result);
        AfxThrowInvalidArgException();
    }
    ::VariantClear(&result);
}

[[noreturn]] void ThrowServerError(EXCEPINFO& info)
{
    if (info.pfnDeferredFillIn != NULL)
        info.pfnDeferredFillIn(&info);
    COleDispatchException* e =
        new COleDispatchException(TextFromBstr(info.bstrDescription), info.dwHelpContext, info.wCode);
    e->m_scError = info.scode != 0 ? info.scode : DISP_E_EXCEPTION;
    e->m_strSource = TextFromBstr(info.bstrSource);
    e->m_strHelpFile = TextFromBstr(info.bstrHelpFile);
    ::SysFreeString(info.bstrSource);
    ::SysFreeString(info.bstrDescription);
    ::SysFreeString(info.bstrHelpFile);
    throw e;
}
}  // namespace

COleDispatchDriver::COleDispatchDriver() : m_lpDispatch(NULL), m_bAutoRelease(TRUE) {}

COleDispatchDriver::COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease)
    : m_lpDispatch(lpDispatch), m_bAutoRelease(bAutoRelease)
{
}

COleDispatchDriver::COleDispatchDriver(const COleDispatchDriver& dispatchSrc)
    : m_lpDispatch(dispatchSrc.m_lpDispatch), m_bAutoRelease(TRUE)
{
    if (m_lpDispatch != NULL)
        m_lpDispatch->AddRef();
}

COleDispatchDriver::~COleDispatchDriver() { ReleaseDispatch(); }

const COleDispatchDriver& COleDispatchDriver::operator=(const COleDispatchDriver& dispatchSrc)
{
    if (this != &dispatchSrc) {
        LPDISPATCH other = dispatchSrc.m_lpDispatch;
        if (other != NULL)
            other->AddRef();
        ReleaseDispatch();
        m_lpDispatch = other;
        m_bAutoRelease = TRUE;
    }
    return *this;
}

BOOL COleDispatchDriver::CreateDispatch(REFCLSID clsid, COleException* pError)
{
    LPUNKNOWN unknown = NULL;
    HRESULT hr = ::CoCreateInstance(clsid, NULL, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&unknown));
    LPDISPATCH dispatch = NULL;
    if (SUCCEEDED(hr)) {
        hr = unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
        unknown->Release();
    }
    if (FAILED(hr)) {
        if (pError != NULL)
            pError->m_sc = hr;
        return FALSE;
    }
    AttachDispatch(dispatch, TRUE);
    return TRUE;
}

BOOL COleDispatchDriver::CreateDispatch(LPCTSTR lpszProgID, COleException* pError)
{
    CLSID clsid;
    BSTR progId = BstrFromText(lpszProgID);
    HRESULT hr = ::CLSIDFromProgID(progId, &clsid);
    ::SysFreeString(progId);
    if (FAILED(hr)) {
        if (pError != NULL)
            pError->m_sc = hr;
        return FALSE;
    }
    return CreateDispatch(clsid, pError);
}

void COleDispatchDriver::AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease)
{
    ReleaseDispatch();
    m_lpDispatch = lpDispatch;
    m_bAutoRelease = bAutoRelease;
}

LPDISPATCH COleDispatchDriver::DetachDispatch()
{
    LPDISPATCH dispatch = m_lpDispatch;
    m_lpDispatch = NULL;
    return dispatch;
}

void COleDispatchDriver::ReleaseDispatch()
{
    if (m_lpDispatch != NULL && m_bAutoRelease)
        m_lpDispatch->Release();
    m_lpDispatch = NULL;
}

void AFX_CDECL COleDispatchDriver::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                                const BYTE* pbParamInfo, ...)
{
    va_list argList;
    va_start(argList, pbParamInfo);
    try {
        InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, argList);
    } catch (...) {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

void COleDispatchDriver::InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                       const BYTE* pbParamInfo, va_list argList)
{
    if (m_lpDispatch == NULL)
        AfxThrowOleException(E_POINTER);
    CallArguments args;
    ReadArguments(pbParamInfo, argList, args);
    args.Reverse();
    DISPPARAMS params = {args.Data(), NULL, args.Count(), 0};
    DISPID putId = DISPID_PROPERTYPUT;
    if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    VARIANT result;
    ::VariantInit(&result);
    EXCEPINFO info;
    memset(&info, 0, sizeof info);
    UINT argError = 0;
    HRESULT hr = m_lpDispatch->Invoke(dwDispID, IID_NULL, 0, wFlags, &params,
                                      vtRet == VT_EMPTY ? NULL : &result, &info, &argError);
    if (hr == DISP_E_EXCEPTION)
        ThrowServerError(info);
    if (FAILED(hr))
        AfxThrowOleException(hr);
    StoreResult(result, vtRet, pvRet);
}

void AFX_CDECL COleDispatchDriver::SetProperty(DISPID dwDispID, VARTYPE vtProp, ...)
{
    va_list argList;
    va_start(argList, vtProp);
    BYTE info[2] = {static_cast<BYTE>(vtProp), 0};
    try {
        InvokeHelperV(dwDispID, DISPATCH_PROPERTYPUT, VT_EMPTY, NULL, info, argList);
    } catch (...) {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

void COleDispatchDriver::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const
{
    va_list none{};
    const_cast<COleDispatchDriver*>(this)->InvokeHelperV(dwDispID, DISPATCH_PROPERTYGET, vtProp, pvProp,
                                                         reinterpret_cast<const BYTE*>(VTS_NONE), none);
}
