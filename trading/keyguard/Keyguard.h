// The password change library: one page, created as a child of the trading container.
#pragma once
#include <winsock2.h>
#include <windows.h>

#ifdef KEYGUARD_BUILD
#define KEYGUARD_API extern "C" __declspec(dllexport)
#else
#define KEYGUARD_API extern "C" __declspec(dllimport)
#endif

KEYGUARD_API HWND Dll_ShowPassWordDlg(HWND parent);
