// Splitting, extracting, currency names and code-page conversion.
#include "TextHelpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Fields(const CStringArray& array)
{
    std::vector<std::string> fields;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        fields.push_back(array[i].GetString());
    return fields;
}

typedef std::vector<std::string> Texts;

TEST(SplitStringTest, FieldsOfTextsAndSeparators)
{
    const struct
    {
        const char* text;
        const char* separator;
        bool keepTrailingEmpty;
        Texts expected;
    } kCases[] = {
        {"a,,b", ",", false, {"a", "", "b"}},
        {"a,b,", ",", false, {"a", "b"}},
        {"a,b,", ",", true, {"a", "b", ""}},
        {",a", ",", false, {"", "a"}},
        {"", ",", false, {""}},
        {"", ",", true, {""}},
        {"abc", "", false, {"abc"}},
        {"ab", "abc", false, {"ab"}},
        {"abc", ",", false, {"abc"}},
        {"x#@y", "#@", false, {"x", "y"}},
        {"x#@#@y#@", "#@", true, {"x", "", "y", ""}},
        {"aaa", "aa", false, {"", "a"}},          // occurrences do not overlap
        {"A|a", "a", false, {"A|"}},              // case-sensitive
        {"600000|浦发银行|1", "|", false, {"600000", "浦发银行", "1"}},
    };
    for (const auto& testCase : kCases)
    {
        CStringArray out;
        SplitString(out, testCase.text, testCase.separator, true, testCase.keepTrailingEmpty);
        EXPECT_EQ(testCase.expected, Fields(out))
            << "\"" << testCase.text << "\" at \"" << testCase.separator << "\"";
    }
}

TEST(SplitStringTest, AppendsUnlessAskedToClear)
{
    CStringArray out;
    out.Add("old");
    SplitString(out, "a|b", "|", false, false);
    EXPECT_EQ((Texts{"old", "a", "b"}), Fields(out));
    SplitString(out, "c", "|", true, false);
    EXPECT_EQ((Texts{"c"}), Fields(out));
}

TEST(SplitStringTest, NeverSplitsADoubleByteCharacter)
{
    // "丨" is GBK 0x81 0x7C: its trail byte is the code of "|".
    const char text[] = {'a', '|', (char)0x81, 0x7C, '|', 'b', 0};
    CStringArray out;
    SplitString(out, text, "|", true, false);
    ASSERT_EQ(3, out.GetSize());
    EXPECT_EQ(CString("a"), out[0]);
    EXPECT_EQ(CString("\x81|"), out[1]);
    EXPECT_EQ(CString("b"), out[2]);
}

TEST(ExtractBetweenTest, TakesTheFirstMarkedPartAndKeepsTheRest)
{
    const struct
    {
        const char* text;
        int result;
        const char* value;
        const char* rest;
    } kCases[] = {
        {"<result>abc</result>tail", 0, "abc", "tail"},
        {"x<result></result>", 0, "", ""},
        {"no markers", -1, "old", "no markers"},
        {"<result>open only", -1, "old", "<result>open only"},
        // The end marker is searched from the start of the text, not after the start marker.
        {"</result>x<result>y</result>", -1, "old", "</result>x<result>y</result>"},
    };
    for (const auto& testCase : kCases)
    {
        CString text = testCase.text;
        CString value = "old";
        EXPECT_EQ(testCase.result, ExtractBetween(text, value, "<result>", "</result>")) << testCase.text;
        EXPECT_EQ(CString(testCase.value), value) << testCase.text;
        EXPECT_EQ(CString(testCase.rest), text) << testCase.text;
    }

    CString text = "|a|";
    CString value = "old";
    EXPECT_EQ(-1, ExtractBetween(text, value, "|", "|")); // markers overlap
    EXPECT_EQ(-1, ExtractBetween(text, value, "", "|"));
    EXPECT_EQ(CString("old"), value);
}

TEST(ExtractBracketedTest, ItemsOfAClientList)
{
    CStringArray out;
    out.Add("stale");
    ExtractBracketed("[8001#张三][8002#李四]", out, "[", "]");
    EXPECT_EQ((Texts{"8001#张三", "8002#李四"}), Fields(out));

    ExtractBracketed("[8001#a][8002#b", out, "[", "]");
    EXPECT_EQ((Texts{"8001#a"}), Fields(out));

    ExtractBracketed("no items", out, "[", "]");
    EXPECT_TRUE(out.IsEmpty());
}

TEST(CurrencyNameTest, KnownCodesInAnyCaseOthersUnchanged)
{
    const struct
    {
        const char* code;
        const char* name;
    } kCases[] = {
        {"USD", "美元"}, {"usd", "美元"}, {"CNH", "人民币"}, {"CHF", "瑞郞"}, {"HKD", "港币"},
        {"JPY", "日元"}, {"ZUY", "欧元"}, {"Cad", "加元"}, {"EUR", "EUR"}, {"eur", "eur"}, {"", ""},
    };
    for (const auto& testCase : kCases)
        EXPECT_EQ(CString(testCase.name), GetCurrencyName(testCase.code)) << testCase.code;
}

TEST(Utf8ToAnsiStringTest, ConvertsToTheGbkCodePage)
{
    ASSERT_EQ(936u, GetACP()) << "tests run with the Chinese code page";
    EXPECT_EQ(std::string("\xBB\xA6\xC9\xEE"), Utf8ToAnsiString("\xE6\xB2\xAA\xE6\xB7\xB1")); // 沪深
    EXPECT_EQ(std::string("abc 123"), Utf8ToAnsiString("abc 123"));
    EXPECT_EQ(std::string(), Utf8ToAnsiString(""));
    // A character without a GBK form becomes the default character.
    EXPECT_EQ(std::string("a?b"), Utf8ToAnsiString("a\xE0\xB8\x81" "b")); // Thai ko kai
}

} // namespace
