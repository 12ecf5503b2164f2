#include <gtest/gtest.h>

#include "CellFormat.h"

TEST(CellFormatTest, GeneralFitsElevenCharacters)
{
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {42, "42"},
        {-7, "-7"},
        {2.5, "2.5"},
        {1.0 / 3, "0.333333333"},
        {-1.0 / 3, "-0.33333333"},
        {0.1 + 0.2, "0.3"},
        {123456.789012, "123456.789"},
        {12345678901, "12345678901"},
        {123456789012, "1.23457E+11"},
        {-123456789012, "-1.2346E+11"},
        {99999999999.6, "1E+11"},  // rounding carries past eleven digits
        {1e15, "1E+15"},
        {1e-10, "1E-10"},
        {0.000123, "0.000123"},
        {1.5e-200, "1.5E-200"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, CellFormat::General(c.value)) << c.value;
}

TEST(CellFormatTest, DateFormatsAreRecognised)
{
    EXPECT_TRUE(CellFormat::IsDateFormat(14, ""));
    EXPECT_TRUE(CellFormat::IsDateFormat(22, ""));
    EXPECT_TRUE(CellFormat::IsDateFormat(164, "yyyy-mm-dd h:mm:ss"));
    EXPECT_TRUE(CellFormat::IsDateFormat(170, u8"[$-804]yyyy\"年\"m\"月\""));
    EXPECT_FALSE(CellFormat::IsDateFormat(0, "General"));
    EXPECT_FALSE(CellFormat::IsDateFormat(2, "0.00"));
    EXPECT_FALSE(CellFormat::IsDateFormat(170, u8"#,##0\"天\";[Red]-#,##0"));
    EXPECT_FALSE(CellFormat::IsDateFormat(171, "0.00E+00"));
}

TEST(CellFormatTest, SerialDatesShowAsExcelShowsThem)
{
    struct Case {
        double serial;
        const char* code;
        bool date1904;
        const char* text;
    } cases[] = {
        {45296.54663194445, "yyyy-mm-dd h:mm:ss", false, "2024-01-05 13:07:09"},
        {45296, "ddd dddd d-mmm-yy mmmm", false, "Fri Friday 5-Jan-24 January"},
        {45351, u8"yyyy\"年\"m\"月\"d\"日\"", false, u8"2024年2月29日"},
        {59, "yyyy/m/d", false, "1900/2/28"},
        {60, "yyyy/m/d", false, "1900/2/29"},  // the leap day the 1900 system counts
        {61, "yyyy/m/d", false, "1900/3/1"},
        {0, "yyyy/m/d", true, "1904/1/1"},
        {0.395833333, "h:mm AM/PM", false, "9:30 AM"},
        {0.999999999, "hh:mm:ss", false, "00:00:00"},  // rounds into the next day
        {0.5, "h:mm:ss AM/PM", false, "12:00:00 PM"},
        {1.0 / 1440 * 65, "mm:ss", false, "05:00"},   // minutes before seconds
        {-1, "yyyy/m/d", false, "#######"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, CellFormat::Date(c.serial, c.code, c.date1904)) << c.serial << " " << c.code;
}
