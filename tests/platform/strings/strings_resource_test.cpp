// Strings loaded from the program's string table arrive in the ANSI code page (GBK), whole.
#include <afx.h>

#include <gtest/gtest.h>

#include "strings_resource.h"

namespace {

TEST(CStringResources, LoadStringConvertsToGbkAndKeepsLongTextsWhole)
{
    CString greeting;
    ASSERT_TRUE(greeting.LoadString(IDS_GREETING));
    EXPECT_EQ(CString("你好，%s！"), greeting);

    CString longText;
    ASSERT_TRUE(longText.LoadString(::GetModuleHandleA(NULL), IDS_LONG_TEXT));
    EXPECT_EQ(7 * 2 * 60 + 3, longText.GetLength());
    EXPECT_EQ(CString("END"), longText.Right(3));

    CString missing("stale");
    EXPECT_FALSE(missing.LoadString(IDS_MISSING));
    EXPECT_TRUE(missing.IsEmpty());

    EXPECT_EQ(greeting, CString(MAKEINTRESOURCEA(IDS_GREETING)));
}

TEST(CStringResources, FormatsFromStringIds)
{
    CString text;
    text.Format(IDS_GREETING, "世界");
    EXPECT_EQ(CString("你好，世界！"), text);
    text.AppendFormat(IDS_GREETING, "x");
    EXPECT_EQ(CString("你好，世界！你好，x！"), text);

    CTime day(2026, 12, 10, 9, 30, 0);
    EXPECT_EQ(CString("2026年12月10日"), day.Format(IDS_TIME_FORMAT));
    EXPECT_EQ(CString("2026年12月10日"), COleDateTime(2026, 12, 10, 0, 0, 0).Format((UINT)IDS_TIME_FORMAT));

    bool threw = false;
    try {
        text.Format(IDS_MISSING, 1);
    } catch (CException* e) {
        threw = true;
        e->Delete();
    }
    EXPECT_TRUE(threw);
}

}  // namespace
