// Resource identifiers of the Horavane program.
#pragma once

#define IDR_MAINFRAME           128
#define IDD_HORAVANE_DIALOG     102
#define IDC_TIME_TEXT           1000
