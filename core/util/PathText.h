// Paths as texts.
#pragma once
#include <afx.h>

// The directory part of a path ("C:\" and "\" keep their backslash), "." when it has none.
// Double-byte characters are stepped over: a trail byte may look like a backslash.
CString DirectoryOf(LPCSTR path);
