#include "CharFilter.h"

#include <winsock2.h>
#include <windows.h>

namespace tolvan::controls {

size_t CharLength(const std::string& text, size_t pos)
{
    if (pos + 1 < text.size() && ::IsDBCSLeadByte(static_cast<BYTE>(text[pos])))
        return 2;
    return 1;
}

namespace {

bool ContainsChar(const std::string& allowed, const std::string& character)
{
    for (size_t pos = 0; pos < allowed.size(); pos += CharLength(allowed, pos)) {
        if (allowed.compare(pos, CharLength(allowed, pos), character) == 0)
            return true;
    }
    return false;
}

}  // namespace

std::string KeepAllowed(const std::string& text, const std::string& allowed,
                        std::vector<int>* positions)
{
    std::string kept;
    std::vector<int> original;
    if (positions != nullptr)
        original = *positions;
    for (size_t pos = 0; pos < text.size();) {
        size_t length = CharLength(text, pos);
        std::string character = text.substr(pos, length);
        if (ContainsChar(allowed, character)) {
            kept += character;
        } else if (positions != nullptr) {
            // A dropped character shifts every position behind it.
            for (size_t i = 0; i < original.size(); ++i) {
                if (original[i] >= static_cast<int>(pos + length))
                    (*positions)[i] -= static_cast<int>(length);
                else if (original[i] > static_cast<int>(pos))
                    (*positions)[i] -= original[i] - static_cast<int>(pos);
            }
        }
        pos += length;
    }
    return kept;
}

std::string CutDecimals(const std::string& text, int decimals)
{
    size_t point = text.find('.');
    if (point == std::string::npos || decimals < 0)
        return text;
    size_t digits = 0;
    for (size_t pos = point + 1; pos < text.size(); ++pos) {
        if (text[pos] >= '0' && text[pos] <= '9')
            ++digits;
    }
    if (digits <= static_cast<size_t>(decimals))
        return text;
    return text.substr(0, point + 1 + decimals);
}

}  // namespace tolvan::controls
