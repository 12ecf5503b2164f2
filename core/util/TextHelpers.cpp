#include "TextHelpers.h"

#include <stdlib.h>
#include <string.h>
#include <vector>

bool BeginsWith(LPCSTR text, LPCSTR prefix)
{
    return strncmp(text, prefix, strlen(prefix)) == 0;
}

int NumberAt(const CString& text, int first, int count)
{
    if (first >= text.GetLength())
        return 0;
    return atoi(text.Mid(first, count));
}

void SplitString(CStringArray& out, const CString& text, const CString& separator,
                 bool clearFirst, bool keepTrailingEmpty)
{
    if (clearFirst)
        out.RemoveAll();

    if (text.IsEmpty())
    {
        out.Add(CString());
        return;
    }
    const int separatorLength = separator.GetLength();
    if (separatorLength == 0 || separatorLength > text.GetLength())
    {
        out.Add(text);
        return;
    }

    // CString::Find steps over double-byte characters, so a GBK trail byte that happens to
    // equal the separator ("|", "@", "[") never splits a character.
    int fieldStart = 0;
    int found = text.Find(separator, 0);
    while (found >= 0)
    {
        out.Add(text.Mid(fieldStart, found - fieldStart));
        fieldStart = found + separatorLength;
        found = text.Find(separator, fieldStart);
    }
    if (fieldStart < text.GetLength())
        out.Add(text.Mid(fieldStart));
    else if (keepTrailingEmpty)
        out.Add(CString());
}

int ExtractBetween(CString& text, CString& value, LPCSTR startMarker, LPCSTR endMarker)
{
    if (startMarker == NULL || endMarker == NULL || *startMarker == '\0' || *endMarker == '\0')
        return -1;
    const int startPos = text.Find(startMarker);
    const int endPos = text.Find(endMarker);
    if (startPos < 0 || endPos < 0)
        return -1;
    const int valueStart = startPos + (int)strlen(startMarker);
    if (endPos < valueStart)
        return -1;
    value = text.Mid(valueStart, endPos - valueStart);
    text = text.Mid(endPos + (int)strlen(endMarker));
    return 0;
}

void ExtractBracketed(const CString& text, CStringArray& out, LPCSTR opening, LPCSTR closing)
{
    out.RemoveAll();
    CString rest = text;
    CString item;
    // Every success consumes at least the (non-empty) closing text, so the loop ends.
    while (ExtractBetween(rest, item, opening, closing) == 0)
        out.Add(item);
}

std::string Utf8ToAnsiString(const std::string& utf8)
{
    if (utf8.empty())
        return std::string();
    int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), NULL, 0);
    if (wideLength <= 0)
        return std::string();
    std::vector<wchar_t> wide(wideLength);
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), &wide[0], wideLength);

    int ansiLength = WideCharToMultiByte(CP_ACP, 0, &wide[0], wideLength, NULL, 0, NULL, NULL);
    if (ansiLength <= 0)
        return std::string();
    std::string ansi(ansiLength, '\0');
    WideCharToMultiByte(CP_ACP, 0, &wide[0], wideLength, &ansi[0], ansiLength, NULL, NULL);
    return ansi;
}

CString GetCurrencyName(const CString& code)
{
    struct CurrencyName
    {
        const char* code;
        const char* name;
    };
    static const CurrencyName kNames[] = {
        {"USD", "美元"}, {"CNH", "人民币"}, {"CHF", "瑞郞"}, {"HKD", "港币"},
        {"JPY", "日元"}, {"ZUY", "欧元"},   {"CAD", "加元"},
    };
    CString upper = code;
    upper.MakeUpper();
    for (const CurrencyName& entry : kNames)
        if (upper == entry.code)
            return CString(entry.name);
    return code;
}
