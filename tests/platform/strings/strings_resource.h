// String ids of the test program's string table.
#pragma once

#define IDS_GREETING 101
#define IDS_LONG_TEXT 102
#define IDS_TIME_FORMAT 103
#define IDS_MISSING 999
