// The trading-history reply turned into day rows.
#include "HistoryText.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> DatesOf(const HistoryList* list)
{
    std::vector<std::string> dates;
    for (const HistoryRow* row = list ? list->pFirst : NULL; row != NULL; row = row->pNext)
        dates.push_back(row->strDate.GetString());
    return dates;
}

std::unique_ptr<HistoryList> Parse(const char* text, const char* today = "20240320")
{
    return std::unique_ptr<HistoryList>(ParseHistoryTextOn(today, "20240301", "20240315", text, true));
}

TEST(HistoryTextTest, RowsCarryFieldsDirectionAndLinks)
{
    auto list = Parse("20240301 10.5 10.2 11 10 5000\n"
                      "20240304 9.8 10.0 10.1 9.7 4000\n"
                      "20240305 10 10.00 10.2 9.9 3000\n");
    ASSERT_TRUE(list);
    ASSERT_EQ(3, list->nCount);
    const HistoryRow* first = list->pFirst;
    EXPECT_EQ(CString("20240301"), first->strDate);
    EXPECT_EQ(CString("10.5"), first->strValueA);
    EXPECT_EQ(CString("10.2"), first->strValueB);
    EXPECT_EQ(CString("11"), first->strValueC);
    EXPECT_EQ(CString("10"), first->strValueD);
    EXPECT_EQ(CString("5000"), first->strValueE);
    EXPECT_TRUE(first->strText0.IsEmpty());
    EXPECT_EQ(2, first->nDirection);            // A above B
    EXPECT_EQ(1, first->pNext->nDirection);     // 9.8 below 10.0 ("9.8" > "10.0" as texts)
    EXPECT_EQ(0, list->pLast->nDirection);      // 10 equals 10.00
    EXPECT_EQ(NULL, first->pPrev);
    EXPECT_EQ(first, first->pNext->pPrev);
    EXPECT_EQ(list->pLast, first->pNext->pNext);
    EXPECT_EQ(NULL, list->pLast->pNext);
    EXPECT_EQ(0, first->nIndex);
    EXPECT_EQ(2, list->pLast->nIndex);
}

TEST(HistoryTextTest, WhichLinesBecomeRows)
{
    const struct
    {
        const char* what;
        const char* text;
        std::vector<std::string> dates;
        const char* today;
    } kCases[] = {
        {"same date twice: the first wins", "20240301 1 2 3 4 5\n20240301 6 7 8 9 10\n20240302 1 2 3 4 5", {"20240301", "20240302"}, "20240320"},
        {"today is never a row", "20240301 1 2 3 4 5\n20240304 1 2 3 4 5\n20240305 1 2 3 4 5", {"20240301", "20240305"}, "20240304"},
        {"earlier than the last row", "20240305 1 2 3 4 5\n20240302 1 2 3 4 5\n20240306 1 2 3 4 5", {"20240305", "20240306"}, "20240320"},
        {"outside the range", "20240229 1 2 3 4 5\n20240310 1 2 3 4 5\n20240316 1 2 3 4 5", {"20240310"}, "20240320"},
        {"a letter in the line", "20240301 1 2 x 4 5\n20240302 1 2 3 4 5", {"20240302"}, "20240320"},
        {"too few fields", "20240301 1 2 3 4\n20240302 1 2 3 4 5", {"20240302"}, "20240320"},
        {"text before the date is cut away", "day:20240301 1 2 3 4 5", {"20240301"}, "20240320"},
        {"a longer number that holds a date is not that date", "202403013 1 2 3 4 5\n20240302 1 2 3 4 5",
         {"20240302"}, "20240320"},
        {"CRLF line ends and blank lines", "20240301 1 2 3 4 5\r\n\r\n20240302 1 2 3 4 5\r\n", {"20240301", "20240302"}, "20240320"},
    };
    for (const auto& testCase : kCases)
    {
        auto list = Parse(testCase.text, testCase.today);
        EXPECT_EQ(testCase.dates, DatesOf(list.get())) << testCase.what;
    }
}

TEST(HistoryTextTest, TwoBlanksMakeAnEmptyField)
{
    auto list = Parse("20240301 1  2 3 4 5");
    ASSERT_TRUE(list);
    EXPECT_EQ(CString("1"), list->pFirst->strValueA);
    EXPECT_EQ(CString(""), list->pFirst->strValueB);
    EXPECT_EQ(CString("2"), list->pFirst->strValueC);
    EXPECT_EQ(CString("4"), list->pFirst->strValueE);
}

TEST(HistoryTextTest, NothingAcceptedGivesNull)
{
    EXPECT_FALSE(Parse(""));
    EXPECT_FALSE(Parse("garbage\nmore garbage"));
    EXPECT_FALSE(Parse("20240320 1 2 3 4 5", "20240320"));
}

TEST(HistoryTextTest, LinesWithoutDate)
{
    HistoryList list;
    EXPECT_EQ(NULL, ParseHistoryLine("1 2 3 4", list, false));
    HistoryRow* row = ParseHistoryLine(" 1.5 2 3 4 5\n", list, false);
    ASSERT_NE(nullptr, row);
    EXPECT_TRUE(row->strDate.IsEmpty());
    EXPECT_EQ(CString("1.5"), row->strValueA);
    EXPECT_EQ(CString("5"), row->strValueE);
    EXPECT_EQ(1, row->nDirection);
    EXPECT_EQ(1, list.nCount);
    EXPECT_EQ(row, list.pFirst);

    std::unique_ptr<HistoryList> parsed(ParseHistoryTextOn("20240320", "", "", "1 2 3 4 5\n6 7 8 9 10", false));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(2, parsed->nCount);
}

} // namespace
