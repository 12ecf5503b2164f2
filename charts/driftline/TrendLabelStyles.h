// The named text styles of the trend chart's labels, built once per process.
#pragma once

#include <afx.h>
#include <windows.h>

#include <map>
#include <string>

namespace tolvan::driftline {

struct TrendLabelStyle {
    COLORREF color;
    int height;
    int escapement;
    int weight;
    CString face;
    CString text;
    bool underline;
};

const std::map<std::string, TrendLabelStyle>& BuildTrendLabelStyles();
// The style's font (kept for the process), or a font of the fallback height and weight.
HFONT TrendLabelFont(const char* name, int fallbackHeight, int fallbackWeight);

}  // namespace tolvan::driftline
