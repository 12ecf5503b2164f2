// Conversions between the layer's multi-byte text and the wide BSTRs automation speaks.
#pragma once

#include "afxdisp.h"

namespace afxcore {

// A new BSTR of text in the ANSI code page (NULL gives an empty one); the caller frees it.
// Throws a memory exception when the string cannot be allocated.
BSTR BstrFromText(LPCSTR text);

// The multi-byte form of a BSTR; NULL and the empty BSTR give an empty string.
CString TextFromBstr(BSTR text);

}  // namespace afxcore
