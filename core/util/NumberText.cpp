#include "NumberText.h"

#include <stdlib.h>
#include <string>

namespace {

bool IsNumberCharacter(char ch)
{
    return (ch >= '0' && ch <= '9') || ch == '+' || ch == '-' || ch == '.';
}

// Adds one to the decimal digit string; returns true when a carry leaves its front.
bool Increment(std::string& digits)
{
    for (size_t i = digits.size(); i-- > 0;)
    {
        if (digits[i] != '9')
        {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    return true;
}

bool IsAllZero(const std::string& digits)
{
    return digits.find_first_not_of('0') == std::string::npos;
}

} // namespace

CString FormatNumberString(const CString& text, int decimals, bool round)
{
    if (decimals < 0)
        decimals = 0;

    CString trimmed = text;
    trimmed.Trim();
    const std::string value(trimmed.GetString(), trimmed.GetLength());
    if (value.empty())
        return text;
    size_t plusCount = 0, minusCount = 0, pointCount = 0;
    for (size_t i = 0; i < value.size(); ++i)
    {
        char ch = value[i];
        if (!IsNumberCharacter(ch))
            return text;
        if ((ch == '+' || ch == '-') && i != 0)
            return text;
        plusCount += ch == '+';
        minusCount += ch == '-';
        pointCount += ch == '.';
    }
    if (plusCount > 1 || minusCount > 1 || pointCount > 1)
        return text;
    if (value == "+" || value == "-" || value == "." || value == "+." || value == "-.")
        return text;

    const bool negative = value[0] == '-';
    const std::string unsignedValue = (value[0] == '+' || value[0] == '-') ? value.substr(1) : value;
    const size_t point = unsignedValue.find('.');
    std::string integerPart = unsignedValue.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : unsignedValue.substr(point + 1);

    size_t firstNonZero = integerPart.find_first_not_of('0');
    integerPart = firstNonZero == std::string::npos ? std::string("0") : integerPart.substr(firstNonZero);

    if (fraction.size() > (size_t)decimals)
    {
        const char firstCut = fraction[decimals];
        fraction.resize(decimals);
        if (round && firstCut >= '5' && Increment(fraction) && Increment(integerPart))
            integerPart.insert(integerPart.begin(), '1');
    }
    else
    {
        fraction.append(decimals - fraction.size(), '0');
    }

    // A rounding carry always leaves a non-zero digit, so "is zero" alone decides the sign.
    const bool isZero = integerPart == "0" && IsAllZero(fraction);
    std::string result = (negative && !isZero) ? "-" : "";
    result += integerPart;
    if (!fraction.empty())
        result += "." + fraction;
    return CString(result.c_str());
}

CString FormatDisplayValue(const CString& text)
{
    float value = (float)atof(text);
    if (value < -100.0f)
        return CString("---");
    return text;
}

CString FormatCountText(const CString& text)
{
    if (text == "-1")
        return CString("不限次数");
    return FormatDisplayValue(text);
}
