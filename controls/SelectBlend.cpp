#include "SelectBlend.h"

COLORREF BlendSelectColor(COLORREF select, COLORREF background, int percent)
{
    auto mix = [percent](int selectChannel, int backgroundChannel) {
        return ((100 - percent) * selectChannel + percent * backgroundChannel) / 100;
    };
    return RGB(mix(GetRValue(select), GetRValue(background)), mix(GetGValue(select), GetGValue(background)),
               mix(GetBValue(select), GetBValue(background)));
}
