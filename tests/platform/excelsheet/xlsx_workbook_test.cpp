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

// A workbook whose parts do not parse into cells of A1:XFD1048576 is refused, not read as
// another workbook; one whose parts would inflate past the bound is refused before it is.
TEST(XlsxWorkbookTest, DamagedOrHostileSheetsAreRefused)
{
    const struct {
        const char* file;
        const char* what;
    } cases[] = {
        {"bomb.xlsx", "a sheet part inflating to 200 MiB"},
        {"pastxfd.xlsx", "cells without a reference past column XFD"},
        {"badindex.xlsx", "a shared-string index that is no number"},
        {"pastindex.xlsx", "a shared-string index past the table"},
        {"badrow.xlsx", "a row number that is no number"},
    };
    for (const auto& c : cases) {
        XlsxWorkbook book;
        ASSERT_TRUE(book.Open(kDir + c.file)) << c.what << ": " << book.Error();
        XlsxSheet sheet;
        EXPECT_FALSE(book.ReadSheet(0, sheet)) << c.what;
        EXPECT_FALSE(book.Error().empty()) << c.what;
        EXPECT_TRUE(sheet.texts.empty()) << c.what;
    }
}

// Sixty-four sheets naming one part of 16 MiB: opening reads none of them, a sheet is read
// when asked for, and what all of them would inflate to is refused once the bound is spent.
TEST(XlsxWorkbookTest, OnlyTheSheetsAskedForAreInflatedWithinOneBound)
{
    XlsxWorkbook book;
    ASSERT_TRUE(book.Open(kDir + "onepart.xlsx")) << book.Error();
    ASSERT_EQ(64u, book.SheetNames().size());
    XlsxSheet sheet;
    ASSERT_TRUE(book.ReadSheet(63, sheet)) << book.Error();
    EXPECT_EQ("S63", sheet.name);
    EXPECT_EQ("first", sheet.Text(1, 1));
    size_t read = 1;
    for (size_t i = 0; i < book.SheetNames().size() && book.ReadSheet(i, sheet); ++i)
        ++read;
    EXPECT_LE(read * 16 * 1024 * 1024, XlsxArchive::kMaxInflatedBytes);
    EXPECT_LT(read, 64u);
}

// The used range of a sheet may be the whole sheet; its reference bounds still hold.
TEST(XlsxWorkbookTest, TheWholeSheetIsAUsedRange)
{
    XlsxWorkbook book;
    ASSERT_TRUE(book.Open(kDir + "wholesheet.xlsx")) << book.Error();
    XlsxSheet sheet;
    ASSERT_TRUE(book.ReadSheet(0, sheet)) << book.Error();
    EXPECT_EQ(1048576, sheet.UsedRows());
    EXPECT_EQ(16384, sheet.UsedColumns());
    EXPECT_EQ("x", sheet.Text(1048576, 16384));
}
