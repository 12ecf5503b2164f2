// How each trading-window library creates its window: call it under the library's own
// module state, so the template comes from the library.
#pragma once
#include <afxwin.h>

// Creates `dialog` from `templateId` (owned by `owner`, which may be NULL), turns it into a
// child of `parent`, shows it and returns its handle. On failure the object is deleted and
// NULL returned.
HWND ShowAsChild(CDialog* dialog, UINT templateId, CWnd* owner, HWND parent, int showCommand);
