// For unattended runs (the README's run without a display): with TOLVAN_AUTOLOGIN_SIGNAL=<path>
// set, writes <path>.board once the main window stands on screen and the quote list it shows
// has painted prices, so that a picture taken then shows the board and not the splash that
// stands while the instrument lists load. The lists' quotes are polled before the window
// shows, so the caller cannot learn this from the servers. Nothing happens without
// TOLVAN_AUTOLOGIN_SIGNAL.
#pragma once

#include <afx.h>

#include <functional>

// Looks every 100 ms from now until it has written the file or StopWatchingBoard is called.
// shownList gives the quote list on show (null when there is none).
void WatchForShownBoard(HWND main, std::function<HWND()> shownList);
void StopWatchingBoard();

// The main window is visible inside the screen with the list visible, a visible row of the list shows a price
// in its last-price column, and no window of this thread waits to be painted.
bool BoardShowsPaintedPrices(HWND main, HWND list);
