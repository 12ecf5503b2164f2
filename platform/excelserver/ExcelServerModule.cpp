// The DLL's COM entry points: one class, registered as "Excel.Application" where no other
// server holds that name (a PC with Excel keeps its own).
#include <windows.h>
#include <olectl.h>

#include <new>

#include "AutomationObject.h"
#include "WorkbookObjects.h"

namespace {

// {6C1B4F0E-3A7D-4E52-9B8A-2F5D7C1E9A43}
const CLSID kServerClsid = {0x6c1b4f0e, 0x3a7d, 0x4e52, {0x9b, 0x8a, 0x2f, 0x5d, 0x7c, 0x1e, 0x9a, 0x43}};
const wchar_t kClsidText[] = L"{6C1B4F0E-3A7D-4E52-9B8A-2F5D7C1E9A43}";
const wchar_t kProgId[] = L"Excel.Application";

HMODULE g_module = nullptr;
LONG g_locks = 0;

class Factory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // A static object: the DLL stays while locks or objects exist.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        ApplicationObject* application = nullptr;
        try {
            application = new ApplicationObject;
        } catch (...) {
            return E_OUTOFMEMORY;  // no C++ exception crosses into the caller
        }
        HRESULT hr = application->QueryInterface(iid, out);
        application->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL lock) override
    {
        if (lock)
            InterlockedIncrement(&g_locks);
        else
            InterlockedDecrement(&g_locks);
        return S_OK;
    }
};

Factory g_factory;

bool SetKey(const std::wstring& path, const wchar_t* name, const std::wstring& value)
{
    HKEY key;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG status = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

enum ProgIdOwner { PROGID_FREE, PROGID_OURS, PROGID_OTHERS };

// Who holds "Excel.Application": nobody, this server, or another (a real Excel, whose key
// may carry its CLSID or only a current version).
ProgIdOwner OwnerOfProgId()
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, kProgId, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return PROGID_FREE;
    wchar_t clsid[64] = {0};
    DWORD size = sizeof(clsid);
    const LONG status = RegGetValueW(key, L"CLSID", nullptr, RRF_RT_REG_SZ, nullptr, clsid, &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && _wcsicmp(clsid, kClsidText) == 0 ? PROGID_OURS : PROGID_OTHERS;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    if (!IsEqualCLSID(clsid, kServerClsid))
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(iid, out);
}

extern "C" HRESULT WINAPI DllCanUnloadNow()
{
    return g_locks == 0 && AutomationObject::LiveObjects() == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT WINAPI DllRegisterServer()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(g_module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return SELFREG_E_CLASS;
    std::wstring clsidKey = std::wstring(L"CLSID\\") + kClsidText;
    bool ok = SetKey(clsidKey, nullptr, L"Tolvan workbook reader") &&
              SetKey(clsidKey + L"\\InprocServer32", nullptr, path) &&
              SetKey(clsidKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    // Another server of the name (Excel itself) is left as it is: the reader then uses it.
    if (ok && OwnerOfProgId() != PROGID_OTHERS)
        ok = SetKey(clsidKey + L"\\ProgID", nullptr, kProgId) && SetKey(kProgId, nullptr, L"Tolvan workbook reader") &&
             SetKey(std::wstring(kProgId) + L"\\CLSID", nullptr, kClsidText);
    return ok ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT WINAPI DllUnregisterServer()
{
    // Only what this server registered goes.
    if (OwnerOfProgId() == PROGID_OURS)
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + kClsidText).c_str());
    return S_OK;
}
