// "Config.ini"-style files through the profile API: integers with their defaults, GBK names
// and values, and values far longer than one read buffer.
#include <gtest/gtest.h>

#include "IniFile.h"

#include <string>

namespace {

class IniFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char folder[MAX_PATH] = {0};
        char file[MAX_PATH] = {0};
        ASSERT_NE(0u, ::GetTempPathA(MAX_PATH, folder));
        ASSERT_NE(0u, ::GetTempFileNameA(folder, "ini", 0, file));
        m_path = file;
        ::DeleteFileA(m_path);
        m_ini.SetPath(m_path);
    }
    void TearDown() override { ::DeleteFileA(m_path); }

    CString m_path;
    CIniFile m_ini;
};

TEST_F(IniFileTest, IntegersReadBackAndMissingOnesGiveTheDefault)
{
    EXPECT_EQ(7, m_ini.GetInt("Settings", "ShowOrderDetail", 7));  // no file yet
    ASSERT_TRUE(m_ini.WriteString("Settings", "ShowOrderDetail", "1"));
    EXPECT_EQ(1, m_ini.GetInt("Settings", "ShowOrderDetail", 0));
    EXPECT_EQ(0, m_ini.GetInt("Settings", "Other", 0));
    EXPECT_EQ(0, m_ini.GetInt("Elsewhere", "ShowOrderDetail", 0));
    EXPECT_EQ(CString("1"), ReadProfileString(m_path, "Settings", "ShowOrderDetail", "-1"));
    EXPECT_EQ(CString("-1"), ReadProfileString(m_path, "Settings", "Missing", "-1"));
}

TEST_F(IniFileTest, GbkNamesAndValuesReadBackAsWritten)
{
    ASSERT_TRUE(m_ini.WriteString("系统", "服务器", "沪深行情|港股"));
    ASSERT_TRUE(m_ini.WriteString("系统", "次数", "12"));
    EXPECT_EQ(CString("沪深行情|港股"), ReadProfileString(m_path, "系统", "服务器"));
    EXPECT_EQ(12, m_ini.GetInt("系统", "次数", 0));
}

TEST_F(IniFileTest, LongValuesAreReadWhole)
{
    // Lengths around the first buffer (1,024 bytes) and well past it; the GBK ones put a
    // double-byte character across every power-of-two boundary.
    struct Case { const char* unit; int repeat; };
    const Case cases[] = {{"a", 1022}, {"a", 1023}, {"a", 1024}, {"a", 5000},
                          {"a沪", 341}, {"沪", 600}, {"深圳", 4000}};
    for (const Case& c : cases)
    {
        std::string value;
        for (int i = 0; i < c.repeat; ++i)
            value += c.unit;
        ASSERT_TRUE(m_ini.WriteString("WebService", "Base", value.c_str()));
        const CString read = ReadProfileString(m_path, "WebService", "Base");
        EXPECT_EQ((int)value.size(), read.GetLength()) << c.unit << " x " << c.repeat;
        EXPECT_TRUE(value == (LPCSTR)read) << c.unit << " x " << c.repeat;
    }
}

}  // namespace
