#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

// The members the server answers; every object accepts only its own.
enum MemberId : DISPID {
    kVisible = 1, kWorkbooks, kQuit, kOpen, kClose, kWorksheets, kSaved, kCount, kItem,
    kName, kUsedRange, kRows, kColumns, kRange, kText
};

// A late-bound automation object: names resolved case-insensitively, no type information.
class AutomationObject : public IDispatch {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argError) override;

    static LONG LiveObjects();

protected:
    explicit AutomationObject(std::vector<MemberId> members);
    virtual ~AutomationObject();

    // args in call order (first argument first). Returns S_OK, a DISP_E_ code, or Raise(...).
    virtual HRESULT Call(MemberId id, WORD flags, const std::vector<VARIANT>& args, VARIANT* result) = 0;
    // An automation error with a description, as Excel raises them.
    HRESULT Raise(const std::wstring& description);

    static bool IsMissing(const VARIANT& arg);
    static bool ToText(const VARIANT& arg, std::wstring& text);
    static bool ToInt(const VARIANT& arg, long& value);
    static HRESULT ReturnObject(VARIANT* result, AutomationObject* object);
    static HRESULT ReturnText(VARIANT* result, const std::wstring& text);
    static HRESULT ReturnInt(VARIANT* result, long value);
    static HRESULT ReturnBool(VARIANT* result, bool value);

private:
    // The arguments in call order, references resolved; a DISP_E_ code when one cannot be.
    static HRESULT TakeArguments(DISPPARAMS* params, std::vector<VARIANT>& args, UINT* argError);

    LONG references_ = 1;
    std::vector<MemberId> members_;
    std::wstring error_;
};

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
