// Lead-byte table of the process code page and AfxExtractSubString.
#include "mbcs.h"
#include "afxstr.h"

namespace afxcore {

namespace {

struct LeadByteTable
{
    bool lead[256];

    LeadByteTable()
    {
        for (bool& b : lead)
            b = false;
        CPINFO info;
        if (!::GetCPInfo(CP_ACP, &info))
            return;
        for (int i = 0; i + 1 < MAX_LEADBYTES && (info.LeadByte[i] || info.LeadByte[i + 1]); i += 2) {
            for (int b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b)
                lead[b] = true;
        }
    }
};

const LeadByteTable& Table()
{
    static const LeadByteTable table;   // thread-safe one-time initialisation
    return table;
}

}  // namespace

bool IsLeadByte(unsigned char b)
{
    return b >= 0x80 && Table().lead[b];
}

int AlignToCharStart(const char* text, int length, int iFrom)
{
    const char* end = text + length;
    if (iFrom > length)
        iFrom = length;
    // A byte that cannot lead a character ends a character, whether it stands alone or
    // trails a lead byte: the character walk may restart right after the nearest one.
    // Searching onwards from a previous match thus costs only the run of lead-range
    // bytes before iFrom, not a walk from the start of the text.
    int i = iFrom;
    while (i > 0 && IsLeadByte((unsigned char)text[i - 1]))
        --i;
    while (i < iFrom)
        i += CharSize(text + i, end);
    return i;
}

bool CharInSet(const char* pChar, int nSize, const char* pszSet)
{
    const char* setEnd = pszSet + strlen(pszSet);
    for (const char* p = pszSet; p < setEnd;) {
        int n = CharSize(p, setEnd);
        if (n == nSize && memcmp(p, pChar, (size_t)n) == 0)
            return true;
        p += n;
    }
    return false;
}

}  // namespace afxcore

using namespace afxcore;

AFX_API BOOL AFXAPI AfxIsDBCSLeadByte(BYTE ch)
{
    return IsLeadByte(ch) ? TRUE : FALSE;
}

AFX_API BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString,
                                        int iSubString, TCHAR chSep)
{
    rString.Empty();
    if (lpszFullString == NULL || iSubString < 0)
        return FALSE;
    const char* end = lpszFullString + strlen(lpszFullString);
    const char* fieldStart = lpszFullString;
    const char* p = lpszFullString;
    int field = 0;
    for (;;) {
        if (p == end || (*p == chSep && CharSize(p, end) == 1)) {
            if (field == iSubString) {
                rString.SetString(fieldStart, (int)(p - fieldStart));
                return TRUE;
            }
            if (p == end)
                return FALSE;
            ++field;
            fieldStart = ++p;
            continue;
        }
        p += CharSize(p, end);
    }
}
