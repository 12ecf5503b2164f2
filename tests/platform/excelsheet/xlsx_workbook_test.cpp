#include <gtest/gtest.h>

#include "XlsxWorkbook.h"

// Texts are UTF-8 (u8 literals: sources are compiled to GBK). The workbooks are written by make_workbooks.py into bin/workbooks at build time.
namespace {
const std::string kDir = "workbooks/";

struct CellCase {
    int row, column;
    const char* text;
};

// Texts as Excel shows them in the first sheet of both fixtures (row 2 column 2 differs).
const CellCase kFirstSheet[] = {
    {1, 1, u8"序号"}, {1, 5, u8"策略"}, {2, 3, u8"开启"}, {2, 4, u8"跟单一"}, {2, 5, "A|B|C"},
    {3, 1, "2.5"}, {3, 2, "0.333333333"}, {3, 3, "1.23457E+11"}, {3, 4, "0.3"}, {3, 5, "-1.5"},
    {3, 6, "1E-10"}, {3, 7, "1E+11"}, {3, 8, "-1234567.89"}, {3, 9, "12345678901"},
    {3, 10, "TRUE"}, {3, 11, "0"}, {3, 12, "1E+15"}, {3, 13, "past L"},
    {4, 1, "2024-01-05 13:07:09"}, {4, 2, "2023-12-31"}, {4, 3, u8"2024年2月29日"},
    {4, 4, "2024/3/9"}, {4, 5, "9:30 AM"}, {4, 6, "45000.75"}, {4, 7, ""}, {5, 1, ""},
};

void ExpectFirstSheet(const std::string& file, const char* b2)
{
    XlsxWorkbook book;
    ASSERT_TRUE(book.Open(kDir + file)) << book.Error();
    XlsxSheet sheet;
    ASSERT_TRUE(book.ReadSheet(0, sheet)) << book.Error();
    EXPECT_EQ(u8"策略表", sheet.name);
    EXPECT_EQ(4, sheet.UsedRows());
    EXPECT_EQ(13, sheet.UsedColumns());
    for (const CellCase& c : kFirstSheet)
        EXPECT_EQ(c.text, sheet.Text(c.row, c.column)) << file << " row " << c.row << " column " << c.column;
    EXPECT_EQ(b2, sheet.Text(2, 2));
}
}  // namespace

TEST(XlsxWorkbookTest, InlineStringsNumbersAndDates) { ExpectFirstSheet("strategies.xlsx", "1"); }

// Rich runs are joined and the phonetic reading aid is left out, as Excel displays them.
TEST(XlsxWorkbookTest, SharedStrings) { ExpectFirstSheet("shared.xlsx", u8"行内 字"); }

TEST(XlsxWorkbookTest, SheetNamesAndUsedRanges)
{
    XlsxWorkbook book;
    ASSERT_TRUE(book.Open(kDir + "strategies.xlsx")) << book.Error();
    ASSERT_EQ((std::vector<std::string>{u8"策略表", "Offset", "Empty"}), book.SheetNames());

    XlsxSheet offset;
    ASSERT_TRUE(book.ReadSheet(1, offset));
    EXPECT_EQ(2, offset.firstRow);
    EXPECT_EQ(2, offset.firstColumn);
    EXPECT_EQ(4, offset.UsedRows());  // B2:D5, as Excel's used range counts from its first cell
    EXPECT_EQ(3, offset.UsedColumns());
    EXPECT_EQ("7", offset.Text(5, 4));

    XlsxSheet empty;
    ASSERT_TRUE(book.ReadSheet(2, empty));
    EXPECT_EQ(1, empty.UsedRows());
    EXPECT_EQ(1, empty.UsedColumns());
    EXPECT_FALSE(book.ReadSheet(3, empty));
}

TEST(XlsxWorkbookTest, FilesThatAreNoWorkbookAreRefused)
{
    for (const char* file : {"missing.xlsx", "notzip.xlsx", "legacy.xls", "noworkbook.xlsx"}) {
        XlsxWorkbook book;
        EXPECT_FALSE(book.Open(kDir + file)) << file;
        EXPECT_FALSE(book.Error().empty()) << file;
        EXPECT_TRUE(book.SheetNames().empty()) << file;
    }
}
