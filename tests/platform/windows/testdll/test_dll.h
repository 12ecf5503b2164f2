// A library built on the class layer like the program's chart and trading libraries:
// its own application object, dialog 100 and string 200 (the program has others under
// the same ids), exports that switch to its module state, and CString traffic.
#pragma once

#include <afxwin.h>

#ifdef WINDOWS_TEST_DLL_BUILD
#define TEST_DLL_API __declspec(dllexport)
#else
#define TEST_DLL_API __declspec(dllimport)
#endif

// Runs dialog 100 modally, with or without AFX_MANAGE_STATE; its OnInitDialog copies the
// caption into title and ends it. Returns DoModal's result.
TEST_DLL_API INT_PTR TestDll_RunClashDialog(BOOL manageState, char* title, int titleSize);
// The resource handle and application seen inside an export, with or without the switch.
TEST_DLL_API HINSTANCE TestDll_ResourceHandle(BOOL manageState);
TEST_DLL_API CWinApp* TestDll_App(BOOL manageState);
TEST_DLL_API CWinApp* TestDll_OwnApp();
TEST_DLL_API int TestDll_InitInstanceCalls();

// A modeless dialog of the library (self-deleting). It answers kProbeMessage with the
// resource handle its handler sees, and copies string 200 to the buffer in lParam (256).
const UINT kProbeMessage = WM_APP + 10;
TEST_DLL_API HWND TestDll_CreateWindow();
TEST_DLL_API int TestDll_LiveWindows();
// Whether the library's module state knows hWnd as a permanent object.
TEST_DLL_API BOOL TestDll_IsPermanent(HWND hWnd);

// A control of the library (an edit) attached, in the library's module state, to the child
// nID of hWndParent, which may be a window of either module. The edit counts the EN_CHANGE
// notifications reflected to it and the WM_KEYDOWN messages pre-translated for it; it deletes
// itself with its window. IDC_DLL_EDIT is the edit of the library's window.
const UINT IDC_DLL_EDIT = 1003;
TEST_DLL_API BOOL TestDll_AttachEdit(HWND hWndParent, UINT nID);
TEST_DLL_API void TestDll_EditCounts(int* reflectedChanges, int* preTranslatedKeys);

// Strings crossing the module boundary.
TEST_DLL_API CString TestDll_MakeString(const char* text);
TEST_DLL_API void TestDll_AppendTo(CString& target, const char* text);
TEST_DLL_API void TestDll_Keep(const CString& text);
TEST_DLL_API CString TestDll_Kept();
TEST_DLL_API void TestDll_ReleaseKept();
