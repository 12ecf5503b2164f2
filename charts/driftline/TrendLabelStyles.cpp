#include "TrendLabelStyles.h"

namespace tolvan::driftline {

const std::map<std::string, TrendLabelStyle>& BuildTrendLabelStyles()
{
    static const std::map<std::string, TrendLabelStyle> styles = {
        {"trendTitle", {0xFCFCFC, 12, 0, 400, "宋体", "分时走势", false}},
        {"avgTitle", {0x00FFFF, 12, 0, 400, "宋体", "均线", false}},
        {"disp_1_hover", {0x3F96FF, 12, 0, 400, "宋体", "显示一档", true}},
        {"disp_1_normal", {0xFFBF7F, 12, 0, 400, "宋体", "显示一档", true}},
        {"disp_5_hover", {0x3F96FF, 12, 0, 400, "宋体", "显示五档", true}},
        {"disp_5_normal", {0xFFBF7F, 12, 0, 400, "宋体", "显示五档", true}},
        {"tradingTitle", {0x00FFFF, 12, 0, 400, "宋体", "成交量", false}},
        {"DateTime", {0xE7E7E7, 12, 0, 400, "宋体", "DateTime", false}},
        {"Number", {0xE7E7E7, 12, 0, 400, "宋体", "Number", false}},
        {"Y", {0xE7E7E7, 15, 0, 700, "Arial", "Y", false}},
    };
    return styles;
}

HFONT TrendLabelFont(const char* name, int fallbackHeight, int fallbackWeight)
{
    static std::map<std::string, HFONT> fonts;
    auto found = fonts.find(name);
    if (found != fonts.end())
        return found->second;
    const auto& styles = BuildTrendLabelStyles();
    auto style = styles.find(name);
    HFONT font;
    if (style != styles.end())
        font = ::CreateFontA(style->second.height, 0, style->second.escapement, 0,
                             style->second.weight, 0, style->second.underline, 0,
                             DEFAULT_CHARSET, 0, 0, 0, 0, style->second.face);
    else
        font = ::CreateFontA(fallbackHeight, 0, 0, 0, fallbackWeight, 0, 0, 0, DEFAULT_CHARSET, 0,
                             0, 0, 0, "宋体");
    fonts[name] = font;
    return font;
}

}  // namespace tolvan::driftline
