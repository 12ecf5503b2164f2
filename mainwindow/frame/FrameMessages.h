// Private messages of the main window that the frame handles or registers.
#pragma once

// The toolbar's buttons, in button order (index 1 has no handler).
#define WM_TOOLBAR_BUTTON0   11059  // quote-list view
#define WM_TOOLBAR_BUTTON1   11062
#define WM_TOOLBAR_BUTTON2   11063  // candlestick zoom in
#define WM_TOOLBAR_BUTTON3   11064  // candlestick zoom out
#define WM_TOOLBAR_BUTTON4   11065  // trend view
#define WM_TOOLBAR_BUTTON5   11066  // day candles
#define WM_TOOLBAR_BUTTON6   11067  // week candles
#define WM_TOOLBAR_BUTTON7   11068  // month candles
#define WM_TOOLBAR_BUTTON8   11069  // 1-minute candles
#define WM_TOOLBAR_BUTTON9   11071  // 5-minute candles
#define WM_TOOLBAR_BUTTON10  11072  // 15-minute candles
#define WM_TOOLBAR_BUTTON11  11073  // 30-minute candles
#define WM_TOOLBAR_BUTTON12  11074  // 60-minute candles

#define WM_PANEL_HIDE        11105  // the trade panel's "隐藏"
#define WM_PANEL_FLOAT       11106  // the trade panel's "浮动"
#define WM_SHOW_NOTICES      11125  // start-up has finished: come on screen, show the notice

// Posted to itself at the end of the initialisation, once every concern has set itself up.
#define WM_FRAME_STARTUP_FINISHED (WM_APP + 0x3010)
