// The quick search's index: ranking of code, initials and name hits, and GBK texts whose
// trail bytes look like letters or the separator.
#include "SearchIndex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

SectorRow Row(const char* code, const char* name)
{
    SectorRow row;
    row.strCode = code;
    row.strName = name;
    return row;
}

// 華 is C8 41 ("A" as trail byte), 發 B0 6C ("l"), 東 96 7C ("|"); none of them has a
// GB2312 reading, so they add no initials.
std::vector<SectorRow> Instruments()
{
    return {
        Row("600000", "浦发银行"),   // pfyx
        Row("160001", "基金"),       // jj
        Row("600036", "招商银行"),   // zsyx
        Row("USDJPY", "美元日元"),   // myry
        Row("600325", "華發股份"),   // gf
        Row("00023", "東亞銀行"),    // x
        Row("600036", "招商银行"),   // the same instrument from a second sector
    };
}

std::string Codes(const std::vector<SectorRow>& rows)
{
    std::string codes;
    for (const SectorRow& row : rows)
        codes += std::string(codes.empty() ? "" : " ") + row.strCode.GetString();
    return codes;
}

TEST(SearchIndexTest, HitsAreRankedByKindThenPosition)
{
    SearchIndex index;
    index.Rebuild(Instruments());
    EXPECT_EQ(index.Size(), 6u) << "one entry per code and initials";

    struct Case {
        const char* text;
        const char* codes;
    } cases[] = {
        { "60", "600000 600036 600325 160001" },  // code prefixes in key order, then position 1
        { "600036", "600036" },
        { "zs", "600036" },                       // initials
        { "usd", "USDJPY" },                      // letters of a code
        { "y", "USDJPY 600000 600036" },          // position 5 in the code before initials at 9
        { "银行", "600000 600036" },              // name hits, same position, key order
        { "x", "00023 600000 600036" },           // initials at 6, then at 10 (行 reads xing)
        { "東亞", "00023" },                      // a name whose trail byte is "|"
        { "a", "" },                              // 華's trail byte is no letter
        { "l", "" },                              // nor is 發's
        { "|", "" },
        { "", "" },
        { "zzz", "" },
    };
    for (const Case& test : cases) {
        std::vector<SectorRow> results;
        index.Match(test.text, results);
        EXPECT_EQ(Codes(results), test.codes) << "text \"" << test.text << "\"";
        for (size_t i = 0; i < results.size(); ++i)
            EXPECT_EQ(results[i].nListIndex, static_cast<int>(i)) << test.text;
    }
}

TEST(SearchIndexTest, NameHitsFollowEveryCodeHitAndCarryTheirNames)
{
    SearchIndex index;
    index.Rebuild({ Row("000001", "平安银行"),   // payx
                    Row("PA0001", "测试") });   // "pa" in its code at 0
    std::vector<SectorRow> results;
    index.Match("a", results);
    ASSERT_EQ(Codes(results), "PA0001 000001");
    EXPECT_EQ(results[1].strName, "平安银行");

    index.Match("安银", results);
    ASSERT_EQ(Codes(results), "000001");

    index.Rebuild({});
    index.Match("a", results);
    EXPECT_TRUE(results.empty()) << "a rebuild replaces the index";
}

TEST(SearchIndexTest, FoldingKeepsDoubleByteCharactersWhole)
{
    EXPECT_EQ(SearchIndex::Lower("USDJPY"), "usdjpy");
    EXPECT_EQ(SearchIndex::Lower("華A"), "華a") << "the trail byte 0x41 stays";
    SearchIndex index;
    index.Rebuild(Instruments());
    std::vector<SectorRow> upper, lower;
    index.Match(SearchIndex::Lower("USD"), upper);
    index.Match("usd", lower);
    EXPECT_EQ(Codes(upper), Codes(lower));
}

TEST(SearchIndexTest, NameColourFollowsTheTypedText)
{
    struct Case {
        const char* code;
        const char* typed;
        COLORREF color;
    } cases[] = {
        { "600000", "600000", 255 },
        { "600000", "60", 0x8000 },
        { "160001", "60", 0x800000 },
        { "USDJPY", "usd", 0x800000 },  // compared as typed, not folded
        { "USDJPY", "USD", 0x8000 },
    };
    for (const Case& test : cases)
        EXPECT_EQ(SearchResultNameColor(test.code, test.typed), test.color)
            << test.code << " / " << test.typed;
}

}  // namespace
