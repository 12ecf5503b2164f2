// The trading window libraries the container hosts, found by name when the container starts:
// a library that is not installed leaves its window out, and the container works with the
// windows that are there.
#pragma once
#include <afxwin.h>

#include "DeckLayout.h"

namespace tradedeck {

// Creates the window of `which` (kOrder ... kPassword) under the container through its
// library's show export; NULL when the library or its export is missing or it made no window.
HWND CreateChildWindow(Window which, CWnd* container);

}  // namespace tradedeck
