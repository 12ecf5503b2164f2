#include "StreamNumbers.h"

#include <float.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

namespace
{
typedef unsigned long long Uint64;

// The run-time's reading of bytes that do not end in a zero: a terminated copy.
template <class Result>
Result ReadWithRuntime(const char* text, int length, Result (*read)(const char*))
{
    char small[64];
    if (length < (int)sizeof(small))
    {
        memcpy(small, text, (size_t)length);
        small[length] = '\0';
        return read(small);
    }
    const std::string copy(text, (size_t)length);
    return read(copy.c_str());
}

double RuntimeReal(const char* text) { return atof(text); }
int RuntimeInt(const char* text) { return atoi(text); }
__int64 RuntimeInt64(const char* text) { return _atoi64(text); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Optional sign and at most maxDigits digits, ended by the end or by a byte that is no digit:
// the forms whose value needs no overflow rule. Leading blanks, longer runs and the like
// go to the run-time.
bool ReadPlainInteger(const char* text, int length, int maxDigits, bool& negative, Uint64& value)
{
    int at = 0;
    negative = false;
    if (at < length && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    const int first = at;
    value = 0;
    while (at < length && IsDigit(text[at]))
    {
        if (at - first == maxDigits)
            return false;
        value = value * 10 + (Uint64)(text[at++] - '0');
    }
    return at > first;
}

const double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                               1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Digits, an optional point and digits, at most 15 significant digits and 22 decimals: the
// value is the digits as an integer (exact in a double) divided by an exact power of ten, and
// one correctly rounded division gives the correctly rounded value that atof gives. With x87
// arithmetic the division would round twice, so that build always asks the run-time.
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD == 0
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
#endif

bool ReadPlainReal(const char* text, int length, double& value)
{
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD == 0
    int at = 0;
    bool negative = false;
    if (at < length && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    Uint64 digits = 0;
    int significant = 0;
    int decimals = 0;
    int seen = 0;
    bool point = false;
    for (; at < length; ++at)
    {
        const char c = text[at];
        if (c == '.' && !point)
        {
            point = true;
            continue;
        }
        if (!IsDigit(c))
            break;
        ++seen;
        if (point)
            ++decimals;
        if (digits != 0 || c != '0')
            ++significant;
        digits = digits * 10 + (Uint64)(c - '0');
    }
    // An exponent, "0x", "inf" or "nan" would read on: the run-time knows those forms.
    if (seen == 0 || significant > 15 || decimals > 22 || (at < length && IsLetter(text[at])))
        return false;
    value = (double)digits / kPowersOfTen[decimals];
    if (negative)
        value = -value;
    return true;
#else
    (void)text;
    (void)length;
    (void)value;
    return false;
#endif
}

int WriteDigits(Uint64 value, char* out)
{
    char reversed[24];
    int count = 0;
    do
    {
        reversed[count++] = (char)('0' + value % 10);
        value /= 10;
    } while (value != 0);
    for (int i = 0; i < count; ++i)
        out[i] = reversed[count - 1 - i];
    return count;
}

// |value| x 10^6 rounded to an integer exactly as "%f" rounds it: the exact binary value is
// scaled in 128 bits (two 64-bit halves, so the i686 build computes the same) and rounded
// half to even. False for values of 10^13 and more, which the run-time formats.
bool ScaledMicros(double value, Uint64& micros)
{
    Uint64 bits;
    memcpy(&bits, &value, sizeof(bits));
    const int exponentField = (int)((bits >> 52) & 0x7FF);
    const Uint64 fraction = bits & ((1ULL << 52) - 1);
    if (exponentField == 0 && fraction == 0)
    {
        micros = 0;
        return true;
    }
    if (fabs(value) >= 1e13)
        return false;
    // value = mantissa x 2^-shift; below 10^13 the shift is always positive.
    const Uint64 mantissa = exponentField == 0 ? fraction : (fraction | (1ULL << 52));
    const int shift = exponentField == 0 ? 1074 : 1075 - exponentField;
    if (shift <= 0)
        return false;
    if (shift > 74)
    {
        // mantissa x 10^6 < 2^73: less than half a millionth.
        micros = 0;
        return true;
    }
    const Uint64 low32 = mantissa & 0xFFFFFFFFULL;
    const Uint64 high32 = mantissa >> 32;
    const Uint64 lowProduct = low32 * 1000000ULL;   // < 2^52
    const Uint64 highProduct = high32 * 1000000ULL; // < 2^41
    Uint64 low = (highProduct << 32) + lowProduct;
    Uint64 high = (highProduct >> 32) + (low < lowProduct ? 1 : 0);

    Uint64 quotient;
    bool aboveHalf;
    bool exactlyHalf;
    if (shift < 64)
    {
        quotient = (low >> shift) | (high << (64 - shift));
        const Uint64 rest = low & ((1ULL << shift) - 1);
        const Uint64 half = 1ULL << (shift - 1);
        aboveHalf = rest > half;
        exactlyHalf = rest == half;
    }
    else if (shift == 64)
    {
        quotient = high;
        aboveHalf = low > (1ULL << 63);
        exactlyHalf = low == (1ULL << 63);
    }
    else
    {
        quotient = high >> (shift - 64);
        const Uint64 restHigh = high & ((1ULL << (shift - 64)) - 1);
        const Uint64 halfHigh = 1ULL << (shift - 65);
        aboveHalf = restHigh > halfHigh || (restHigh == halfHigh && low != 0);
        exactlyHalf = restHigh == halfHigh && low == 0;
    }
    if (aboveHalf || (exactlyHalf && (quotient & 1) != 0))
        ++quotient;
    micros = quotient;
    return true;
}
}

double ReadStreamReal(const char* text, int length)
{
    if (length <= 0)
        return 0.0;
    double value;
    if (ReadPlainReal(text, length, value))
        return value;
    return ReadWithRuntime(text, length, RuntimeReal);
}

int ReadStreamInt(const char* text, int length)
{
    if (length <= 0)
        return 0;
    bool negative;
    Uint64 value;
    if (ReadPlainInteger(text, length, 9, negative, value))
        return negative ? -(int)value : (int)value;
    return ReadWithRuntime(text, length, RuntimeInt);
}

long long ReadStreamInt64(const char* text, int length)
{
    if (length <= 0)
        return 0;
    bool negative;
    Uint64 value;
    if (ReadPlainInteger(text, length, 18, negative, value))
        return negative ? -(__int64)value : (__int64)value;
    return ReadWithRuntime(text, length, RuntimeInt64);
}

int FormatStreamReal(double value, char* out)
{
    Uint64 micros;
    if (!isfinite(value) || !ScaledMicros(value, micros))
    {
        const int length = snprintf(out, STREAM_NUMBER_TEXT_SIZE, "%f", value);
        if (length < 0)
            return 0;
        return length < STREAM_NUMBER_TEXT_SIZE ? length : STREAM_NUMBER_TEXT_SIZE - 1;
    }
    int length = 0;
    if (signbit(value))
        out[length++] = '-';
    length += WriteDigits(micros / 1000000, out + length);
    out[length++] = '.';
    Uint64 fraction = micros % 1000000;
    for (int i = 5; i >= 0; --i)
    {
        out[length + i] = (char)('0' + fraction % 10);
        fraction /= 10;
    }
    length += 6;
    out[length] = '\0';
    return length;
}

int FormatStreamInt64(long long value, char* out)
{
    int length = 0;
    Uint64 magnitude = (Uint64)value;
    if (value < 0)
    {
        out[length++] = '-';
        magnitude = 0 - magnitude;
    }
    length += WriteDigits(magnitude, out + length);
    out[length] = '\0';
    return length;
}
