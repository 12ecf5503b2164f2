// Private messages of the main window around the login.
#pragma once
#include <windows.h>

// The speed test has finished (wParam: the login window); the sorted list is read.
#define WM_SPEEDTEST_DONE 11054
// Start the update check (wParam: the login window).
#define WM_START_UPDATE_CHECK 11080
// A worker asks the main window to show a message box (lParam: LoginNotice*).
#define WM_LOGIN_NOTICE (WM_APP + 0x310)

struct LoginNotice
{
    const char* text;
    const char* caption;
    UINT type;
};
