// Messages inside the order entry library: the pop-ups report a pick to the form.
#pragma once
#include <winsock2.h>
#include <windows.h>

enum : UINT {
    WM_KEYPAD_QUANTITY = WM_USER + 20,    // wParam: the picked quantity
    WM_PRICE_KIND_PICKED = WM_USER + 21,  // wParam: CString* of the picked kind
};
