// The login server of the user's first login. Every server connection whose own login fails
// falls back to a fresh login there, so its address is kept for the whole process.
#pragma once
#include <afx.h>

void SetLoginServerAddress(const CString& host, USHORT port);
// False (and nothing written) before any first login stored an address.
bool GetLoginServerAddress(CString& host, USHORT& port);
