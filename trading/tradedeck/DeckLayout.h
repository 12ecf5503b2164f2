// Where the container puts its windows: the header strip, the function tree, the order
// window on the left and the page of the current entry on the right.
#pragma once
#include <winsock2.h>
#include <windows.h>

namespace tradedeck {

enum Window { kOrder, kPositions, kOrders, kFills, kTriggers, kQuery, kPassword, kSettings, kWindows };

struct DeckLayout
{
    RECT header{};
    RECT tree{};
    RECT windows[kWindows]{};
    bool shown[kWindows]{};
};

// `entryId` is the current entry (1 to 6, or 12); an unknown id shows nothing right of the
// tree. `collapsed`: the order window is a 10-pixel strip.
DeckLayout ComputeLayout(const RECT& client, int entryId, bool collapsed);

}  // namespace tradedeck
