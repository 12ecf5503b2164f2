#include "DeckLayout.h"

namespace tradedeck {

DeckLayout ComputeLayout(const RECT& client, int entryId, bool collapsed)
{
    const LONG L = client.left, T = client.top, R = client.right, B = client.bottom;
    DeckLayout layout;
    layout.header = {L, T, R, T + 30};
    layout.tree = {0, 30, 130, B};
    const LONG W = collapsed ? 141 : 531;
    layout.windows[kOrder] = {131, 30, W, B};
    auto show = [&layout](Window w, RECT r) {
        layout.windows[w] = r;
        layout.shown[w] = true;
    };
    switch (entryId) {
    case 1: {
        LONG M = (B - T - 30) / 2 + 30;
        layout.shown[kOrder] = true;
        show(kPositions, {W + 1, 30, R, M});
        show(kOrders, {W + 1, M, R, B});
        layout.windows[kFills] = {W + 1, 30, R, B};
        break;
    }
    case 2:
        layout.shown[kOrder] = true;
        show(kOrders, {W + 1, 30, R, B});
        break;
    case 3:
        layout.shown[kOrder] = true;
        show(kFills, {W + 1, 30, R, B});
        break;
    case 4:
        layout.shown[kOrder] = true;
        show(kPositions, {W + 1, 30, R, B});
        break;
    case 5:
        show(kQuery, {131, 30, R, B});
        break;
    case 6:
        show(kSettings, {131, 30, R, B});
        break;
    case 12:
        show(kPassword, {131, 30, R, B});
        break;
    default:
        break;
    }
    return layout;
}

}  // namespace tradedeck
