// The change clean-up of the order form's numeric edit and of the password edits, as text
// rules (the window tests type into the real edits).
#include <EntryEditCustom.h>

#include <gtest/gtest.h>

namespace {

struct QuantityEdit : entry::CEditCustom
{
    QuantityEdit()
    {
        AddOnceChar('.');
        AddValidChars("0123456789");
        m_freeDecimals = 0;
        m_decimalPlaces = 2;
    }
};

}  // namespace

TEST(EditClean, NumericEditKeepsDigitsOnePointAndItsDecimals)
{
    QuantityEdit edit;
    struct Case { const char* pasted; const char* expected; };
    const Case cases[] = {
        {"1a2.345", "12.34"}, {"-0.000", "0.00"}, {"+1.239", "1.23"}, {"1.2.3", "1.23"},
        {"12.3", "12.3"},     {"", ""},           {"..5", ".5"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, edit.CleanText(c.pasted)) << c.pasted;
}

TEST(EditClean, FreeDecimalsAndEmptySetsLeaveTheTextAlone)
{
    entry::CEditCustom free;
    EXPECT_STREQ("a b-1.23456", free.CleanText("a b-1.23456"));
    free.AddValidChars("abc");
    EXPECT_STREQ("ab", free.CleanText("a b-1"));
}
