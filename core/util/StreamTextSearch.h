// Looks for a marker in a text that arrives in pieces, finding it exactly where CString::Find
// would find it in the whole text (a match starts on a character boundary, so the trail byte
// of a double-byte character never begins one), while looking at each byte only once.
#pragma once
#include <afx.h>
#include <string>

class CStreamTextSearch
{
public:
    explicit CStreamTextSearch(LPCSTR marker);

    // Starts on a new text.
    void Reset();
    // Takes the text's next bytes (the text ends at a zero byte, so none may be among them).
    // True once the marker has been found in the text so far.
    bool Add(const char* bytes, size_t length);
    bool IsFound() const { return m_found; }

private:
    std::string m_marker;
    // The text from the next character boundary still to be tested: shorter than the marker,
    // or a lead byte whose character is completed by the next piece.
    std::string m_pending;
    bool m_found;
};
