// The background of a selected row in the lists' blend mode.
#pragma once

#include <windows.h>

// Each channel ((100 - percent) x select + percent x background) / 100, truncated.
COLORREF BlendSelectColor(COLORREF select, COLORREF background, int percent);
