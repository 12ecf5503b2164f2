#include "DecimalText.h"

#include <string>

namespace tolvan::charts {

namespace {

bool IsPlainDecimal(const std::string& text)
{
    if (text.empty())
        return false;
    int points = 0, digits = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '+' || c == '-') {
            if (i != 0)
                return false;
        } else if (c == '.') {
            if (++points > 1)
                return false;
        } else if (c >= '0' && c <= '9') {
            ++digits;
        } else {
            return false;
        }
    }
    return digits > 0;
}

// Adds one to the last digit of a digit string; true when the carry ran out of it.
bool IncrementDigits(std::string& digits)
{
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    return true;
}

}  // namespace

CString FormatDecimalText(const CString& original, int decimals, bool roundHalfUp)
{
    CString trimmed = original;
    trimmed.Trim();
    std::string text = (LPCTSTR)trimmed;
    if (!IsPlainDecimal(text))
        return original;
    if (decimals < 0)
        decimals = 0;

    bool negative = text[0] == '-';
    if (text[0] == '-' || text[0] == '+')
        text.erase(0, 1);
    size_t point = text.find('.');
    std::string integer = point == std::string::npos ? text : text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    size_t firstNonZero = integer.find_first_not_of('0');
    integer = firstNonZero == std::string::npos ? std::string("0") : integer.substr(firstNonZero);

    if ((int)fraction.size() <= decimals) {
        fraction.append(decimals - fraction.size(), '0');
    } else {
        bool roundUp = roundHalfUp && fraction[decimals] >= '5';
        fraction.resize(decimals);
        if (roundUp && IncrementDigits(fraction) && IncrementDigits(integer))
            integer.insert(0, "1");
    }

    std::string result = integer;
    if (!fraction.empty())
        result += "." + fraction;
    bool zero = integer == "0" && fraction.find_first_not_of('0') == std::string::npos;
    if (negative && !zero)
        result.insert(0, "-");
    return CString(result.c_str());
}

}  // namespace tolvan::charts
