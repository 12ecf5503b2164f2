#include <NumberText.h>

#include <gtest/gtest.h>

using entry::FormatNumber;
using entry::StepValue;

TEST(FormatNumber, CutsPadsAndKeepsOnlyAMeaningfulMinus)
{
    struct Case { const char* text; int decimals; const char* expected; };
    const Case cases[] = {
        {"-0.000", 2, "0.00"}, {"-1.239", 2, "-1.23"}, {"+1.239", 2, "1.23"}, {"007.5", 2, "7.50"},
        {"12.", 1, "12.0"},    {".5", 2, "0.50"},      {" 3 ", 0, "3"},       {"-0", 0, "0"},
        // Not plain numbers: unchanged (trimmed).
        {"1-2", 2, "1-2"},     {"-", 2, "-"},          {"+.", 2, "+."},       {"1.2.3", 2, "1.2.3"},
        {"abc", 2, "abc"},     {"", 2, ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, FormatNumber(c.text, c.decimals)) << c.text << " / " << c.decimals;
}

TEST(StepValue, MovesOnTheStepGridAndSnapsOffGridValues)
{
    struct Case { int decimals; bool up; const char* step; const char* value; const char* expected; };
    const Case cases[] = {
        // Whole-lot quantities with a unit size of 5.
        {0, true, "5", "7", "10"},   {0, false, "5", "7", "5"},   {0, false, "5", "3", "3"},
        {0, true, "5", "10", "15"},  {0, false, "5", "10", "5"},  {0, false, "5", "5", "5"},
        // Prices on a 0.05 grid: exact in scaled decimals, where doubles would drift.
        {2, true, "0.05", "10.20", "10.25"}, {2, false, "0.05", "10.20", "10.15"},
        {2, true, "0.05", "10.23", "10.25"}, {2, false, "0.05", "10.23", "10.20"},
        {2, true, "0.05", "10.2", "10.25"},  {2, true, "0.01", "0.29", "0.30"},
        {3, true, "0.001", "1.005", "1.006"}, {1, true, "0.1", "0.7", "0.8"},
        // An empty step moves by one unit of the last place; a step written with fewer places
        // still means its value.
        {2, true, "", "1.00", "1.01"},       {2, true, "0.5", "1.00", "1.50"},
        {0, true, "1", "0", "1"},
        // Nothing to do.
        {-1, true, "1", "5", "5"},           {2, true, "0.05", "abc", "abc"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, StepValue(c.decimals, c.up, c.step, c.value))
            << c.value << (c.up ? " up " : " down ") << c.step << " @" << c.decimals;
}

TEST(StepValue, ManyStepsStayOnTheGrid)
{
    CString price = "0.00";
    for (int i = 0; i < 1000; ++i)
        price = StepValue(2, true, "0.05", price);
    EXPECT_STREQ("50.00", price);
    for (int i = 0; i < 999; ++i)
        price = StepValue(2, false, "0.05", price);
    EXPECT_STREQ("0.05", price);
}
