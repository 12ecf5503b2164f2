#include "NumberText.h"

#include <cstdint>

namespace entry {

namespace {

bool IsPlainNumber(const CString& text)
{
    if (text == "+" || text == "-" || text == "." || text == "+." || text == "-.")
        return false;
    int plus = 0, minus = 0, points = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        char c = text[i];
        if (c == '+' || c == '-') {
            if (i != 0)
                return false;
            (c == '+' ? plus : minus)++;
        } else if (c == '.') {
            ++points;
        } else if (c < '0' || c > '9') {
            return false;
        }
    }
    return plus <= 1 && minus <= 1 && points <= 1;
}

// The unsigned decimal text scaled by 10^decimals: "10.2" with 2 gives 1020. Extra places
// are cut. False for anything but digits and at most one point, or too many digits.
bool ReadScaled(const CString& text, int decimals, int64_t& scaled)
{
    if (text.IsEmpty())
        return false;
    int point = text.Find('.');
    CString whole = point < 0 ? text : text.Left(point);
    CString fraction = point < 0 ? CString() : text.Mid(point + 1);
    if (fraction.Find('.') >= 0)
        return false;
    while (fraction.GetLength() < decimals)
        fraction += '0';
    CString digits = whole + fraction.Left(decimals);
    if (digits.IsEmpty() || digits.GetLength() > 17)
        return false;
    int64_t v = 0;
    for (int i = 0; i < digits.GetLength(); ++i) {
        if (digits[i] < '0' || digits[i] > '9')
            return false;
        v = v * 10 + (digits[i] - '0');
    }
    scaled = v;
    return true;
}

CString WriteScaled(int64_t v, int decimals)
{
    CString digits;
    digits.Format("%lld", (long long)v);
    if (decimals <= 0)
        return digits;
    while (digits.GetLength() <= decimals)
        digits = "0" + digits;
    return digits.Left(digits.GetLength() - decimals) + "." + digits.Right(decimals);
}

}  // namespace

CString FormatNumber(const CString& input, int decimals)
{
    CString text = input;
    text.Trim();
    if (text.IsEmpty() || !IsPlainNumber(text))
        return text;
    bool negative = text[0] == '-';
    text.Remove('+');
    text.Remove('-');
    int point = text.Find('.');
    CString whole = point < 0 ? text : text.Left(point);
    CString fraction = point < 0 ? CString() : text.Mid(point + 1);
    whole.TrimLeft('0');
    if (whole.IsEmpty())
        whole = "0";
    if (decimals < 0)
        decimals = 0;
    if (fraction.GetLength() > decimals)
        fraction = fraction.Left(decimals);
    while (fraction.GetLength() < decimals)
        fraction += '0';
    CString zeros(fraction);
    zeros.Remove('0');
    bool zero = whole == "0" && zeros.IsEmpty();
    CString result = whole;
    if (!fraction.IsEmpty())
        result += "." + fraction;
    if (negative && !zero)
        result = "-" + result;
    return result;
}

CString StepValue(int decimals, bool up, const CString& step, const CString& value)
{
    if (decimals < 0)
        return value;
    int64_t v = 0;
    if (!ReadScaled(value, decimals, v))
        return value;
    int64_t s = 1;
    if (!step.IsEmpty() && !ReadScaled(step, decimals, s))
        return value;
    if (s != 0 && v % s != 0) {
        if (up)
            v = v + s - v % s;
        else if (v < s)
            return value;
        else
            v = v - v % s;
    } else if (up) {
        v += s;
    } else if (v > s) {
        v -= s;
    }
    return WriteScaled(v, decimals);
}

}  // namespace entry
