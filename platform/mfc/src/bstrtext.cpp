#include "bstrtext.h"

namespace afxcore {

BSTR BstrFromText(LPCSTR text)
{
    if (text == NULL)
        text = "";
    int n = ::MultiByteToWideChar(CP_ACP, 0, text, -1, NULL, 0);
    BSTR result = ::SysAllocStringLen(NULL, n > 0 ? n - 1 : 0);
    if (result == NULL)
        AfxThrowMemoryException();
    if (n > 1)
        ::MultiByteToWideChar(CP_ACP, 0, text, -1, result, n);
    return result;
}

CString TextFromBstr(BSTR text)
{
    // A BSTR carries its length and may hold NULs; convert all of it.
    return CString(text, static_cast<int>(::SysStringLen(text)));
}

}  // namespace afxcore
