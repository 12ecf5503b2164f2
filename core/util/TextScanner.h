// Finding the delimiters of the trade and quote protocols in GBK text. A GBK trail byte can
// equal "@", "[", "]" or "|", so every search steps over double-byte characters. Positions are
// byte offsets and must lie on character boundaries; unlike CString::Find with a start
// index, a search does not rescan the text before its start, so walking a long message from
// delimiter to delimiter stays linear.
#pragma once
#include <afx.h>

class CTextScanner
{
public:
    // The text must outlive the scanner.
    explicit CTextScanner(const CString& text);
    CTextScanner(const char* text, int length);

    int GetLength() const { return m_length; }
    const char* GetData() const { return m_text; }

    // The first position at or after `from` (and before `limit`, -1 meaning the end) that
    // holds the single-byte character ch; -1 when there is none.
    int Find(char ch, int from, int limit = -1) const;
    // The same for a run of single-byte characters such as "#@".
    int Find(const char* sub, int from, int limit = -1) const;
    // The bytes [begin, end) as a text.
    CString Mid(int begin, int end) const;

    // True when b starts a double-byte character in the process code page.
    static bool IsLeadByte(unsigned char b);

private:
    const char* m_text;
    int m_length;
};
