// Resource ids of the control tests.
#pragma once

#define IDD_RESIZE_TEST   200
#define IDC_RESIZE_FIRST  201  // one control per anchor code, ids 201..
