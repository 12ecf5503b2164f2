#include "PathText.h"

CString DirectoryOf(LPCSTR path)
{
    CString full(path);
    int slash = -1;
    for (int i = 0; i < full.GetLength(); ++i)
    {
        if (IsDBCSLeadByte((BYTE)full[i]) && i + 1 < full.GetLength())
        {
            ++i;
            continue;
        }
        if (full[i] == '\\' || full[i] == '/')
            slash = i;
    }
    if (slash < 0)
        return CString(".");
    if (slash == 0 || (slash == 2 && full[1] == ':'))
        return full.Left(slash + 1);
    return full.Left(slash);
}
