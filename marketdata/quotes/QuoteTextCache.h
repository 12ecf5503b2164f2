// The value texts of the quote stream, shared between the rows that hold them. The stream
// repeats a small set of values (sizes, prices near the last one); a row that takes a cached
// text holds a reference to it instead of a buffer of its own, which saves an allocation and
// a release for each field of each tick row. Direct-mapped and bounded: a new value takes
// the slot of its hash, and the rows keep the text they hold.
#pragma once
#include <afx.h>
#include <vector>

class CQuoteTextCache
{
public:
    enum { SLOTS = 1024 };

    CQuoteTextCache();

    // target = the bytes [text, text + length), shared with the cache.
    void Assign(CString& target, const char* text, int length);

private:
    std::vector<CString> m_slots;
};
