// Resource identifiers of the Tolvan program.
#pragma once

#define IDR_MAINFRAME           128
#define IDD_VELMORA_DIALOG      102
