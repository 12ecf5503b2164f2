#include <ListText.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Split(const char* separator, const char* text)
{
    std::vector<std::string> pieces;
    for (const CString& piece : SplitText(separator, text))
        pieces.push_back((LPCTSTR)piece);
    return pieces;
}

TEST(SplitTextTest, PiecesBetweenSeparators)
{
    struct Case { const char* separator; const char* text; std::vector<std::string> pieces; };
    const Case cases[] = {
        {"|", "a|b|", {"a", "b"}},         // a trailing separator adds no empty piece
        {"|", "a||b", {"a", "", "b"}},
        {"|", "|a", {"", "a"}},
        {"|", "abc", {"abc"}},
        {"|", "", {""}},
        {"|", "|", {"|"}},                 // separator not shorter than the text
        {"", "a|b", {"a|b"}},
        {"\n", "1|2\n3|4\n", {"1|2", "3|4"}},
        {"|", "买|卖", {"买", "卖"}},       // double-byte cells
    };
    for (const Case& c : cases)
        EXPECT_EQ(Split(c.separator, c.text), c.pieces) << "'" << c.text << "'";
}

TEST(LineEndsTest, EveryLineEndBecomesOneLineFeed)
{
    EXPECT_STREQ(NormaliseLineEnds("a\r\nb\rc\nd\r\n"), "a\nb\nc\nd\n");
    EXPECT_STREQ(NormaliseLineEnds("\r\r\n\n"), "\n\n\n");
    EXPECT_STREQ(NormaliseLineEnds("资金\r余额"), "资金\n余额");
}

TEST(TimeSuffixTest, LocalTimeAsDateAndTime)
{
    struct tm local = {};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 11;
    local.tm_mday = 10;
    local.tm_hour = 9;
    local.tm_min = 5;
    local.tm_sec = 7;
    local.tm_isdst = -1;
    EXPECT_STREQ(MakeTimeSuffix(_mktime64(&local)), "_20261210_090507");
    EXPECT_STREQ(MakeTimeSuffix(-1), "");
}

}  // namespace
