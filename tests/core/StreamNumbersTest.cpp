// Numbers of the quote and depth streams read and written in place: every answer must be the
// run-time's answer for the same text, on the short route as on the long one.
#include "StreamNumbers.h"

#include <gtest/gtest.h>

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::string RuntimeFixed(double value)
{
    char text[STREAM_NUMBER_TEXT_SIZE];
    snprintf(text, sizeof(text), "%f", value);
    return text;
}

std::string StreamFixed(double value)
{
    char text[STREAM_NUMBER_TEXT_SIZE];
    const int length = FormatStreamReal(value, text);
    return std::string(text, (size_t)length);
}

// Bit-exact, so that -0.0 and 0.0 (and every NaN) are told apart where they differ.
bool SameDouble(double a, double b)
{
    return memcmp(&a, &b, sizeof(a)) == 0 || (isnan(a) && isnan(b));
}

TEST(StreamNumbersTest, FixedTextIsThePrintfText)
{
    // Exact halves round to even; signs of zero and of values that round to zero stay.
    const double kCases[] = {0.0,       -0.0,        0.0078125,  0.0234375, -0.0078125, 2.5e-7,    -1e-9,
                             0.0000005, 0.00000149,  1.0000005,  2318.4,    -18.400001, 1e12 + 0.5, 9999999999999.99,
                             1e13,      -3.5e15,     1e300,      5e-324,    INFINITY,   -INFINITY,  NAN,
                             0.1 + 0.2, 123456.789, 4.94065645841246544e-320};
    for (double value : kCases)
        EXPECT_EQ(RuntimeFixed(value), StreamFixed(value)) << value;

    std::mt19937_64 random(20261210);
    std::uniform_real_distribution<double> prices(-5000.0, 5000.0);
    for (int i = 0; i < 100000; ++i)
    {
        // Differences of prices as written, as the change is computed; then raw bit patterns.
        const double a = atof(std::to_string(prices(random)).c_str());
        const double b = atof(std::to_string(prices(random)).c_str());
        ASSERT_EQ(RuntimeFixed(a - b), StreamFixed(a - b)) << a << " - " << b;
        double bits;
        const unsigned long long pattern = random();
        memcpy(&bits, &pattern, sizeof(bits));
        ASSERT_EQ(RuntimeFixed(bits), StreamFixed(bits)) << pattern;
        const double scaled = ldexp((double)(random() >> 11), -(int)(random() % 80));
        ASSERT_EQ(RuntimeFixed(scaled), StreamFixed(scaled)) << scaled;
    }
}

TEST(StreamNumbersTest, ReadingIsTheRunTimeReading)
{
    // Each text also stands with a "]" after it, as inside a bracketed field.
    std::vector<std::string> texts = {
        "", "0", "-0", "+7", "2318.40", ".5", "5.", ".", "-", "+", "1.2.3", " 12", "\t-3", "1e5", "1E-3",
        "2d3", "0x1A", "inf", "-nan", "nan", "12abc", "00000000000000000000012.5", "0.0000000000000000000000001",
        "123456789012345", "1234567890123456", "9007199254740993", "2147483647", "2147483648", "-2147483649",
        "4294967297", "9223372036854775807", "9223372036854775808", "-9223372036854775809", "99999999999999999999",
        "3]", "--1", "+-1",
    };
    texts.push_back(std::string("7\0" "8", 3));
    std::mt19937 random(7);
    const char kAlphabet[] = "0123456789.-+e ";
    for (int i = 0; i < 100000; ++i)
    {
        std::string text;
        const int length = (int)(random() % 24);
        for (int c = 0; c < length; ++c)
            text += kAlphabet[random() % (sizeof(kAlphabet) - 1)];
        texts.push_back(text);
        char digits[32];
        snprintf(digits, sizeof(digits), "%.*f", (int)(random() % 9), (double)(random() % 100000000) / 1000.0);
        texts.push_back(digits);
    }
    for (const std::string& bare : texts)
    {
        const std::string terminated = bare.c_str();   // what the run-time sees: up to a zero byte
        for (const std::string& text : {bare, bare + "]@"})
        {
            const int length = (int)bare.size();
            ASSERT_TRUE(SameDouble(atof(terminated.c_str()), ReadStreamReal(text.data(), length))) << bare;
            ASSERT_EQ(atoi(terminated.c_str()), ReadStreamInt(text.data(), length)) << bare;
            ASSERT_EQ(_atoi64(terminated.c_str()), ReadStreamInt64(text.data(), length)) << bare;
        }
    }
}

TEST(StreamNumbersTest, Int64TextsAsPrintfWritesThem)
{
    const long long kCases[] = {0, 1, -1, 100, 2147483647LL, 2147483648LL, -2147483648LL, 9223372036854775807LL,
                                -9223372036854775807LL - 1};
    for (long long value : kCases)
    {
        char expected[32];
        snprintf(expected, sizeof(expected), "%lld", value);
        char text[32];
        const int length = FormatStreamInt64(value, text);
        EXPECT_EQ(std::string(expected), std::string(text, (size_t)length));
    }
}

}  // namespace
