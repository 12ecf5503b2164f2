// Ids of the main window's frame: its skin, the About box and its system-menu entry. The
// program icon is IDR_MAINFRAME (resource.h).
#pragma once

#define IDS_ABOUTBOX        101
#define IDB_FRAME_SKIN      183
#define IDD_ABOUTBOX        3000
#define IDC_ABOUT_VERSION   3001
#define IDM_ABOUTBOX        0x0010
