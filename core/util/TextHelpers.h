// Text helpers shared by the whole program: splitting texts at a separator, cutting marked
// parts out of a text, code-page conversion and currency names.
#pragma once
#include <afx.h>
#include <string>

// Appends the fields of text cut at every occurrence of separator to out (emptied first when
// clearFirst). Two touching separators or a leading one give an empty field; a final separator
// gives an empty field only with keepTrailingEmpty. An empty text gives one empty field; an
// empty separator, or one longer than the text, gives the whole text as one field.
void SplitString(CStringArray& out, const CString& text, const CString& separator,
                 bool clearFirst, bool keepTrailingEmpty);

// True when text begins with prefix, compared byte for byte and case-sensitive (the market
// keys, record types and key words of the protocols are ASCII).
bool BeginsWith(LPCSTR text, LPCSTR prefix);

// The integer (atoi) written in at most count characters of text from position first; 0 when
// first lies at or past the end. Date and time texts are read field by field with it.
int NumberAt(const CString& text, int first, int count);

// Finds the first startMarker and the first endMarker of text (both searched from the start
// of the text). When both exist and the end marker lies after the start marker, value becomes
// the text between them, text becomes what follows the end marker, and the result is 0.
// Otherwise (also for an empty marker or markers that overlap) -1 and nothing changes.
int ExtractBetween(CString& text, CString& value, LPCSTR startMarker, LPCSTR endMarker);

// The texts between each opening text and the closing text after it, in order (out is
// emptied first): "[a#b][c#d]" with "[" and "]" gives "a#b" and "c#d". Stops at the first
// incomplete pair.
void ExtractBracketed(const CString& text, CStringArray& out, LPCSTR opening, LPCSTR closing);

// A UTF-8 text in the system's ANSI code page (GBK on our systems); characters without a form
// there become the code page's default character.
std::string Utf8ToAnsiString(const std::string& utf8);

// The Chinese name of a currency code (upper-cased for the comparison); any other code comes
// back unchanged.
CString GetCurrencyName(const CString& code);
