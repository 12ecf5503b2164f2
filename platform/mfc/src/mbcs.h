// Private helpers for walking multi-byte (GBK) text one character at a time.
#pragma once

#include "afxdefs.h"

namespace afxcore {

// TRUE when b is a lead byte of a double-byte character in the process code page.
bool IsLeadByte(unsigned char b);

// Size in bytes (1 or 2) of the character at p; a lead byte before the terminator or at
// the end of the text counts as a single byte, so a cut string is still walked safely.
inline int CharSize(const char* p, const char* end)
{
    if (IsLeadByte((unsigned char)*p) && p + 1 < end && p[1] != '\0')
        return 2;
    return 1;
}

// The first character boundary at or after byte index iFrom (counting from text).
int AlignToCharStart(const char* text, int length, int iFrom);

// TRUE when the character (pChar, nSize bytes) is one of the characters of pszSet.
bool CharInSet(const char* pChar, int nSize, const char* pszSet);

}  // namespace afxcore
