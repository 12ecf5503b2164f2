// Normalising numeric texts for display.
#include "NumberText.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatNumberStringTest, DecimalsRoundingAndSigns)
{
    const struct
    {
        const char* text;
        int decimals;
        bool round;
        const char* expected;
    } kCases[] = {
        {"1.005", 2, true, "1.01"},
        {"1.005", 2, false, "1.00"},
        {"9.995", 2, true, "10.00"},
        {"99.96", 1, true, "100.0"},
        {"0.996", 2, true, "1.00"},
        {"-0.001", 2, true, "0.00"},
        {"-0.001", 2, false, "0.00"},
        {"-0.005", 2, true, "-0.01"},
        {"-0.005", 2, false, "0.00"},
        {"-1.5", 0, true, "-2"},
        {"+12", 2, false, "12.00"},
        {"007.5", 0, true, "8"},
        {".5", 1, false, "0.5"},
        {"5.", 2, false, "5.00"},
        {"12", 0, false, "12"},
        {"12.34", 0, false, "12"},
        {"  3.1  ", 3, false, "3.100"},
        {"000", 2, false, "0.00"},
        {"-000.000", 1, false, "0.0"},
        {"123456789012345678901234567890.5", 0, true, "123456789012345678901234567891"},
        {"1.23", -1, false, "1"},
    };
    for (const auto& testCase : kCases)
        EXPECT_EQ(CString(testCase.expected), FormatNumberString(testCase.text, testCase.decimals, testCase.round))
            << "\"" << testCase.text << "\" " << testCase.decimals << (testCase.round ? " rounded" : " cut");
}

TEST(FormatNumberStringTest, TextsThatAreNoPlainNumberComeBackUnchanged)
{
    const char* const kTexts[] = {
        "1e5", "1,000", "abc", "", "   ", "+", "-", ".", "+.", "-.", "1-2", "1+", "--1", "++1",
        "1.2.3", "+-1", "---", " 1e5 ",
    };
    for (const char* text : kTexts)
        EXPECT_EQ(CString(text), FormatNumberString(text, 2, true)) << "\"" << text << "\"";
}

TEST(FormatDisplayValueTest, LargeNegativeValuesMeanNoValue)
{
    EXPECT_EQ(CString("-100"), FormatDisplayValue("-100"));
    EXPECT_EQ(CString("---"), FormatDisplayValue("-100.5"));
    EXPECT_EQ(CString("---"), FormatDisplayValue("-1.79769e+308"));
    EXPECT_EQ(CString("abc"), FormatDisplayValue("abc"));
    EXPECT_EQ(CString("12.50"), FormatDisplayValue("12.50"));
    EXPECT_EQ(CString(""), FormatDisplayValue(""));
}

TEST(FormatCountTextTest, MinusOneIsUnlimited)
{
    EXPECT_EQ(CString("不限次数"), FormatCountText("-1"));
    EXPECT_EQ(CString("3"), FormatCountText("3"));
    EXPECT_EQ(CString("---"), FormatCountText("-999"));
    EXPECT_EQ(CString("-1.0"), FormatCountText("-1.0"));
}

} // namespace
