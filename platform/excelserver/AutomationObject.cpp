#include "AutomationObject.h"

#include <new>

#include <cwchar>

namespace {
LONG g_liveObjects = 0;

struct MemberName {
    const wchar_t* name;
    MemberId id;
};
const MemberName kNames[] = {
    {L"Visible", kVisible}, {L"Workbooks", kWorkbooks}, {L"Quit", kQuit}, {L"Open", kOpen},
    {L"Close", kClose}, {L"Worksheets", kWorksheets}, {L"Saved", kSaved}, {L"Count", kCount},
    {L"Item", kItem}, {L"Name", kName}, {L"UsedRange", kUsedRange}, {L"Rows", kRows},
    {L"Columns", kColumns}, {L"Range", kRange}, {L"Text", kText},
};
}  // namespace

std::wstring WideFromUtf8(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

std::string Utf8FromWide(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string narrow(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &narrow[0], n, nullptr,
                        nullptr);
    return narrow;
}

AutomationObject::AutomationObject(std::vector<MemberId> members) : members_(std::move(members))
{
    InterlockedIncrement(&g_liveObjects);
}

AutomationObject::~AutomationObject() { InterlockedDecrement(&g_liveObjects); }

LONG AutomationObject::LiveObjects() { return g_liveObjects; }

STDMETHODIMP AutomationObject::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) AutomationObject::AddRef() { return InterlockedIncrement(&references_); }

STDMETHODIMP_(ULONG) AutomationObject::Release()
{
    LONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return left;
}

STDMETHODIMP AutomationObject::GetTypeInfoCount(UINT* count)
{
    if (count)
        *count = 0;
    return S_OK;
}

STDMETHODIMP AutomationObject::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

STDMETHODIMP AutomationObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (!names || !ids || count == 0)
        return E_INVALIDARG;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    // Named arguments are not answered; only the member name resolves.
    for (const MemberName& entry : kNames)
        if (_wcsicmp(entry.name, names[0]) == 0)
            for (MemberId own : members_)
                if (own == entry.id)
                    ids[0] = own;
    if (ids[0] == DISPID_UNKNOWN || count > 1)
        hr = DISP_E_UNKNOWNNAME;
    return hr;
}

STDMETHODIMP AutomationObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                      VARIANT* result, EXCEPINFO* exception, UINT* argError)
{
    bool known = false;
    for (MemberId own : members_)
        known = known || own == id;
    if (!known)
        return DISP_E_MEMBERNOTFOUND;
    if (result)
        VariantInit(result);
    error_.clear();
    std::vector<VARIANT> args;
    HRESULT hr = S_OK;
    // No C++ exception may cross into the caller's COM code: an allocation a hostile workbook
    // makes fail is an error of this call, not the end of the caller.
    try {
        hr = TakeArguments(params, args, argError);
        if (SUCCEEDED(hr))
            hr = Call(static_cast<MemberId>(id), flags, args, result);
    } catch (const std::bad_alloc&) {
        hr = E_OUTOFMEMORY;
    } catch (...) {
        hr = Raise(L"Internal error");
    }
    if (FAILED(hr) && result)
        VariantClear(result);
    for (VARIANT& arg : args)
        VariantClear(&arg);
    if (hr == DISP_E_EXCEPTION && exception) {
        ZeroMemory(exception, sizeof *exception);
        exception->wCode = 1004;  // Excel's code for an application-defined error
        exception->bstrSource = SysAllocString(L"Microsoft Excel");
        exception->bstrDescription = SysAllocString(error_.c_str());
        exception->scode = DISP_E_EXCEPTION;
    }
    return hr;
}

HRESULT AutomationObject::TakeArguments(DISPPARAMS* params, std::vector<VARIANT>& args, UINT* argError)
{
    if (!params)
        return S_OK;
    args.reserve(params->cArgs);
    // DISPPARAMS holds the arguments last first; references are resolved here once.
    for (UINT i = params->cArgs; i-- > 0;) {
        VARIANT copy;
        VariantInit(&copy);
        if (FAILED(VariantCopyInd(&copy, &params->rgvarg[i]))) {
            if (argError)
                *argError = i;
            return DISP_E_TYPEMISMATCH;
        }
        args.push_back(copy);
    }
    return S_OK;
}

HRESULT AutomationObject::Raise(const std::wstring& description)
{
    error_ = description;
    return DISP_E_EXCEPTION;
}

bool AutomationObject::IsMissing(const VARIANT& arg)
{
    return arg.vt == VT_EMPTY || (arg.vt == VT_ERROR && arg.scode == DISP_E_PARAMNOTFOUND);
}

bool AutomationObject::ToText(const VARIANT& arg, std::wstring& text)
{
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&arg), 0, VT_BSTR)))
        return false;
    text.assign(converted.bstrVal ? converted.bstrVal : L"", SysStringLen(converted.bstrVal));
    VariantClear(&converted);
    return true;
}

bool AutomationObject::ToInt(const VARIANT& arg, long& value)
{
    VARIANT converted;
    VariantInit(&converted);
    if (arg.vt == VT_BSTR || FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&arg), 0, VT_I4)))
        return false;
    value = converted.lVal;
    return true;
}

HRESULT AutomationObject::ReturnObject(VARIANT* result, AutomationObject* object)
{
    if (!result) {
        object->Release();
        return S_OK;
    }
    result->vt = VT_DISPATCH;
    result->pdispVal = object;  // the caller takes our one reference
    return S_OK;
}

HRESULT AutomationObject::ReturnText(VARIANT* result, const std::wstring& text)
{
    if (result) {
        result->vt = VT_BSTR;
        result->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    }
    return S_OK;
}

HRESULT AutomationObject::ReturnInt(VARIANT* result, long value)
{
    if (result) {
        result->vt = VT_I4;
        result->lVal = value;
    }
    return S_OK;
}

HRESULT AutomationObject::ReturnBool(VARIANT* result, bool value)
{
    if (result) {
        result->vt = VT_BOOL;
        result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    }
    return S_OK;
}
