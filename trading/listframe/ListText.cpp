#include "ListText.h"

std::vector<CString> SplitText(const CString& separator, const CString& text)
{
    std::vector<CString> pieces;
    const int separatorLength = separator.GetLength();
    if (text.IsEmpty() || separatorLength == 0 || separatorLength >= text.GetLength()) {
        pieces.push_back(text);
        return pieces;
    }
    int start = 0;
    for (;;) {
        int found = text.Find(separator, start);
        if (found < 0)
            break;
        pieces.push_back(text.Mid(start, found - start));
        start = found + separatorLength;
    }
    if (start < text.GetLength())
        pieces.push_back(text.Mid(start));
    return pieces;
}

CString MakeTimeSuffix(__time64_t time)
{
    struct tm local;
    if (_localtime64_s(&local, &time) != 0)
        return CString();
    char buffer[128];
    if (strftime(buffer, sizeof(buffer), "_%Y%m%d_%H%M%S", &local) == 0)
        return CString();
    return CString(buffer);
}

CString NormaliseLineEnds(const CString& text)
{
    CString result;
    const int length = text.GetLength();
    for (int i = 0; i < length; ++i) {
        char c = text[i];
        if (c == '\r') {
            if (i + 1 < length && text[i + 1] == '\n')
                ++i;
            result += '\n';
        } else {
            result += c;
        }
    }
    return result;
}
