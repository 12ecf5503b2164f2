// Pinyin spelling and search initials of GBK texts.
#include "Pinyin.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string CharacterOf(int code)
{
    return std::string{(char)(code / 100 + 160), (char)(code % 100 + 160)};
}

TEST(PinyinTest, SpellingsAndInitialsOfNames)
{
    const struct
    {
        const char* text;
        const char* spelling;
        const char* initials;
    } kCases[] = {
        {"沪深", "HUSHEN", "HS"},
        {"ST中国", "STZHONGGUO", "STZG"},
        {"港股", "GANGGU", "GG"},
        {"外汇现货", "WAIHUIXIANHUO", "WHXH"},
        {"中国平安", "ZHONGGUOPINGAN", "ZGPA"},
        {"银行", "YINXING", "YX"},             // a character has the one reading of its place
        {"绿地控股", "LUDIKONGGU", "LDKG"},     // lü is written U
        {"*ST新亿", "*STXINYI", "*STXY"},
        {"", "", ""},
        {"ab12-CD", "ab12-CD", "ab12-CD"},       // ASCII keeps its case
    };
    for (const auto& testCase : kCases)
    {
        EXPECT_EQ(testCase.spelling, GetPinyin(testCase.text, false)) << testCase.text;
        EXPECT_EQ(testCase.initials, GetPinyin(testCase.text, true)) << testCase.text;
    }
}

TEST(PinyinTest, CharactersWithoutReadingAddNothing)
{
    EXPECT_EQ("AB", GetPinyin("A，（B）", true));  // full-width punctuation, zones 1-9
    EXPECT_EQ("", GetPinyin("１２３", false));      // full-width digits
    // GBK characters outside GB2312 are passed over whole: 0x81 0x40 and 0x81 0x7C end in the
    // codes of "@" and "|", which must not appear as letters.
    EXPECT_EQ("xy", GetPinyin("x\x81\x40\x81\x7Cy", false));
    // A stray high byte is skipped alone; a lead byte at the very end adds nothing.
    EXPECT_EQ("aHU", GetPinyin("\x80" "a沪\xBB", false));
}

TEST(PinyinTest, LevelOneRangeBoundaries)
{
    const struct
    {
        int code;
        const char* syllable;
    } kCases[] = {
        {1601, "A"}, {1602, "A"}, {1603, "AI"}, {1615, "AI"}, {1616, "AN"}, {1627, "ANG"},
        {1628, "AO"}, {1637, "BA"}, {1654, "BA"}, {1655, "BAI"}, {1690, "BAO"}, {1694, "BAO"},
        {1701, "BAO"}, {1712, "BAO"}, {1713, "BEI"}, {1762, "BIAN"}, {1773, "BIAN"},
        {5562, "ZOU"}, {5566, "ZU"}, {5574, "ZUAN"}, {5576, "ZUI"}, {5580, "ZUN"}, {5582, "ZUO"},
        {5589, "ZUO"},
    };
    for (const auto& testCase : kCases)
        EXPECT_EQ(testCase.syllable, GetPinyinOfChar(testCase.code)) << testCase.code;
}

TEST(PinyinTest, LevelTwoAndCodesOutsideTheAreas)
{
    EXPECT_EQ("CHU", GetPinyinOfChar(5601));
    EXPECT_EQ("BI", GetPinyinOfChar(5616));
    EXPECT_EQ("MI", GetPinyinOfChar(5634));
    EXPECT_EQ("BEI", GetPinyinOfChar(5635));
    EXPECT_EQ("N", GetPinyinOfChar(6437)); // 嗯
    EXPECT_EQ("ZHA", GetPinyin("\xF7\xFE", false)); // the last character, 8794
    const int kEmpty[] = {0, 101, 1594, 1600, 1695, 1700, 5590, 5594, 5595, 5600, 8795, 8801, 9401, -5};
    for (int code : kEmpty)
        EXPECT_EQ("", GetPinyinOfChar(code)) << code;
}

TEST(PinyinTest, EveryGb2312CharacterHasAReading)
{
    int missing = 0;
    for (int zone = 16; zone <= 87; ++zone)
        for (int position = 1; position <= 94; ++position)
        {
            if (zone == 55 && position > 89)
                continue; // the level-1 area ends at 5589
            const int code = zone * 100 + position;
            const std::string syllable = GetPinyin(CharacterOf(code), false);
            if (syllable.empty() || syllable.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string::npos)
            {
                ADD_FAILURE() << "code " << code << " gives \"" << syllable << "\"";
                if (++missing > 10)
                    return;
            }
        }
}

} // namespace
