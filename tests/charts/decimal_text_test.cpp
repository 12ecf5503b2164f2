#include <DecimalText.h>

#include <gtest/gtest.h>

using tolvan::charts::FormatDecimalText;

TEST(DecimalText, CutsPadsAndRoundsByDigits)
{
    struct Case {
        const char* text;
        int decimals;
        bool halfUp;
        const char* expected;
    } cases[] = {
        {"12.345", 2, true, "12.35"},
        {"12.345", 2, false, "12.34"},
        {"2.675", 2, true, "2.68"},   // binary rounding would give 2.67
        {"9.999", 2, true, "10.00"},
        {"-0.004", 2, true, "0.00"},  // no "-" before a zero
        {"-1.5", 0, true, "-2"},
        {"+007.1", 3, true, "7.100"},
        {" .5 ", 1, true, "0.5"},
        {"---", 2, true, "---"},
        {"", 2, true, ""},
        {"1.2.3", 2, true, "1.2.3"},
        {"1-2", 2, true, "1-2"},
        {"+.", 2, true, "+."},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(FormatDecimalText(c.text, c.decimals, c.halfUp), c.expected) << c.text;
}
