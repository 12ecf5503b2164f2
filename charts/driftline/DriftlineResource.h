#pragma once

#define IDD_DRIFTLINE 14000
