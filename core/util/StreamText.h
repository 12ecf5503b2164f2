// Walking GBK protocol text in the inner loops of the stream parsers, in place. The rules are
// those of CTextScanner::Find: a double-byte character is stepped over whole, so a trail byte
// that equals "@", "[", "]" or "|" is never taken for a delimiter, and a lead byte at the
// limit stands alone. Inline, so that single-byte text costs one comparison per byte.
#pragma once
#include <string.h>

#include "TextScanner.h"

// Bytes of the character at `at` (1 or 2).
__attribute__((always_inline)) inline int StreamCharSize(const char* text, int at, int limit)
{
    const unsigned char c = (unsigned char)text[at];
    return (c >= 0x80 && at + 1 < limit && CTextScanner::IsLeadByte(c)) ? 2 : 1;
}

// The first position in [from, limit) that holds the single-byte character ch, or -1.
inline int FindStreamChar(const char* text, int from, int limit, char ch)
{
    for (int at = from; at < limit; at += StreamCharSize(text, at, limit))
        if (text[at] == ch)
            return at;
    return -1;
}

// Byte comparison of short runs, inline (the run-time's memcmp is a call and a plain loop).
inline bool SameStreamBytes(const char* a, const char* b, int length)
{
    for (int i = 0; i < length; ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

// The first position of byte ch in [from, limit), whatever the characters; -1 when none.
inline int FindStreamByte(const char* text, int from, int limit, char ch)
{
    for (int at = from; at < limit; ++at)
        if (text[at] == ch)
            return at;
    return -1;
}

// True when the bytes at `at` spell the literal (which must fit before limit).
inline bool StreamTextAt(const char* text, int at, int limit, const char* literal, int literalLength)
{
    return at + literalLength <= limit && SameStreamBytes(text + at, literal, literalLength);
}

// A hash of a short run of bytes (codes, values): its first and last eight bytes and its
// length, mixed so that every input bit reaches the low bits.
inline unsigned long long HashStreamBytes(const char* text, int length)
{
    unsigned long long head = 0;
    unsigned long long tail = 0;
    const int part = length < 8 ? length : 8;
    for (int i = 0; i < part; ++i)
    {
        head = (head << 8) | (unsigned char)text[i];
        tail = (tail << 8) | (unsigned char)text[length - part + i];
    }
    unsigned long long hash = head ^ (tail * 0x9E3779B97F4A7C15ULL) ^ (unsigned long long)length;
    hash ^= hash >> 33;
    hash *= 0xFF51AFD7ED558CCDULL;
    hash ^= hash >> 33;
    return hash;
}
