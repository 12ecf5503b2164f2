// The quick search's index of every instrument of every sector: keys of code, "|" and the
// pinyin initials of the name, each with its name, matched against a typed text and ranked
// by where the text was found (code and initials hits first, then name hits, each by
// position). Texts are GBK: case folding and searching step over double-byte characters,
// so a trail byte is never taken for a letter or for the separator.
#pragma once

#include "SectorRow.h"

#include <afx.h>
#include <map>
#include <vector>

class SearchIndex
{
public:
    // The process-wide index, created on first use.
    static SearchIndex& Instance();

    // Replaces the index by the rows' codes, initials and names; a code with the same
    // initials in several sectors is held once (the last name wins).
    void Rebuild(const std::vector<SectorRow>& rows);
    // Rows of code, name and rank (in nListIndex), sorted by rank. `text` is lower-cased
    // already; an empty text or one holding the separator finds nothing.
    void Match(const CString& text, std::vector<SectorRow>& results) const;
    size_t Size() const { return m_entries.size(); }

    // ASCII letters lower-cased, double-byte characters kept whole.
    static CString Lower(const CString& text);

    static const char kSeparator[];

private:
    std::map<CString, CString> m_entries;  // code|initials -> name, in byte order of the key
};

// The colour of a result's name: 255 when the code is the typed text, 0x8000 when it begins
// with it, 0x800000 otherwise (the typed text as typed, not lower-cased).
COLORREF SearchResultNameColor(const CString& code, const CString& typed);
