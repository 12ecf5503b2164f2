#include "ChildLibraries.h"

namespace tradedeck {

namespace {

struct ChildLibrary
{
    const char* module;
    const char* exportName;
    bool takesContainerObject;  // CallFillbook takes the container's CWnd*, the others its HWND
};

const ChildLibrary kLibraries[] = {
    {"Slipdesk.dll", "Dll_ShowOrderDlg", false},
    {"Holdview.dll", "Dll_ShowPositionDlg", false},
    {"Entrustlog.dll", "Dll_ShowEntrustlogDlg", false},
    {"Fillbook.dll", "CallFillbook", true},
    {"Triggerboard.dll", "Dll_ShowTriggerboardDlg", false},
    {"Seekwell.dll", "Dll_ShowFindDlg", false},
    {"Keyguard.dll", "Dll_ShowPassWordDlg", false},
};

using ShowByHandle = HWND (*)(HWND);
using ShowByObject = HWND (*)(CWnd*);

}  // namespace

HWND CreateChildWindow(Window which, CWnd* container)
{
    if (which < kOrder || which > kPassword)
        return NULL;
    const ChildLibrary& library = kLibraries[which];
    // Loaded for the life of the process: its windows live as long as the container.
    HMODULE module = ::LoadLibraryA(library.module);
    if (module == NULL)
        return NULL;
    FARPROC show = ::GetProcAddress(module, library.exportName);
    if (show == nullptr)
        return NULL;
    HWND child = library.takesContainerObject ? reinterpret_cast<ShowByObject>(show)(container)
                                              : reinterpret_cast<ShowByHandle>(show)(container->GetSafeHwnd());
    return ::IsWindow(child) ? child : NULL;
}

}  // namespace tradedeck
