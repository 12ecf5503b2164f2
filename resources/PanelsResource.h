// Templates of the main window's panels (trade dialog, console's place, history-order query).
#pragma once

// The trade panel: blank; the trading container fills its client area.
#define IDD_TRADE 175
