// The flat one-colour frame that several controls paint over their non-client border.
#pragma once

#include <winsock2.h>
#include <windows.h>

namespace tolvan::controls {

// Fills four strips of `width` along the window's edges in `color`, on the window DC.
// With `onlyWithBorder` nothing is painted unless the window has WS_BORDER.
void PaintFlatFrame(HWND hWnd, int width, COLORREF color, bool onlyWithBorder);

// Widens the proposed client rectangle of a bordered window so that its frame is `width`
// pixels on every side instead of the system's border.
void FitClientToFlatFrame(HWND hWnd, int width, RECT* proposed);

}  // namespace tolvan::controls
