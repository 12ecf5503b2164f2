// The server reports that the same user logged in elsewhere ("SameLogin"): every trading
// connection of this program is dropped and the main window is told that it was displaced.
#pragma once
#include <afx.h>

class CConnectionRegistry;

// Disconnects the order, query, own trade and proxy query connections that exist, sets the
// first three's states to 2 and sends WM_CONNECTION_STATE (3, 2), (4, 2) and (5, 2) to
// mainWindow for them.
void OnSameLogin(CConnectionRegistry& registry, HWND mainWindow);
