// "usrcfg.ini": the three lines, the checks that stand in for the missing check sum, and
// setting a damaged file aside.
#include "FileCrypt.h"
#include "UserSettingsFile.h"

#include <gtest/gtest.h>
#include <testsupport/TestFiles.h>

#include <string>

namespace {

class UserSettingsFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        m_path.Format("%susrcfg-%lu-%lu.ini", base, GetCurrentProcessId(), GetTickCount());
    }
    void TearDown() override
    {
        DeleteFileA(m_path);
        DeleteFileA(m_path + ".damaged");
    }

    bool Exists(const CString& path) const { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

    std::string ReadBytes() const { return tolvan::test::ReadFileBytes(m_path); }
    void WriteBytes(const std::string& bytes) { ASSERT_TRUE(tolvan::test::WriteFileBytes(m_path, bytes)); }

    CString m_path;
};

TEST_F(UserSettingsFileTest, ThreeLinesRoundTrip)
{
    UserSettings written;
    written.strUserName = "张三";
    written.nServeListIndexAnalog = 0;
    written.nServeListIndexTrue = 2;
    ASSERT_TRUE(SaveUserSettings(m_path, written));
    CString text;
    ASSERT_TRUE(CFileCrypt().DecryptFileToString(m_path, text));
    EXPECT_EQ(CString("用户名:张三\nserveListIndexAnalog:0\nserveListIndexTrue:2\n"), text);

    UserSettings read;
    ASSERT_TRUE(LoadUserSettings(m_path, read));
    EXPECT_EQ(written.strUserName, read.strUserName);
    EXPECT_EQ(0, read.nServeListIndexAnalog);
    EXPECT_EQ(2, read.nServeListIndexTrue);
}

TEST_F(UserSettingsFileTest, TextIsCheckedLineByLine)
{
    const struct { const char* text; bool sound; const char* name; int analog; int real; } cases[] = {
        {"用户名:li\nserveListIndexAnalog:-1\nserveListIndexTrue:9999\n", true, "li", -1, 9999},
        {"serveListIndexTrue:3\n用户名:\nserveListIndexAnalog:0", true, "", 0, 3},  // any order, last "\n" optional
        {"", true, "old", 7, 8},                                      // nothing remembered yet
        // Only this program writes the file: anything but its three lines is damage.
        {"用户名:a\nserveListIndexAnalog:1\nserveListIndexTrue:2\nextra:1\n", false},
        {"用户名:a\nserveListIndexAnalog:1\n", false},
        {"用户名:a\nserveListIndex\xB7\xA2nalog:1\nserveListIndexTrue:2\n", false},
        {"用户名:a\nserveListIndexAnalog 1\nserveListIndexTrue:2\n", false},
        {"用户名:a\n\nserveListIndexTrue:2\n", false},
        {"用户名:a\x01" "b\nserveListIndexAnalog:1\nserveListIndexTrue:2\n", false},   // control character
        {"用户名:a\xD6\nserveListIndexAnalog:1\nserveListIndexTrue:2\n", false},       // lead byte without trail
        {"用户名:a\nserveListIndexAnalog:10000\nserveListIndexTrue:2\n", false},
        {"用户名:a\nserveListIndexAnalog:-2\nserveListIndexTrue:2\n", false},
        {"用户名:a\nserveListIndexAnalog:\nserveListIndexTrue:2\n", false},
        {"用户名:a\nserveListIndexAnalog:1x\nserveListIndexTrue:2\n", false},
        {"用户名:a\nserveListIndexAnalog:4294967297\nserveListIndexTrue:2\n", false}, // no wrap to 1
        {"serveListIndexTrue:1\nserveListIndexTrue:2\n用户名:a\n", false},            // a key twice
        {"用户名:12345678901234567890123456789012345678901234567890123456789012345\n"
         "serveListIndexAnalog:1\nserveListIndexTrue:2\n", false},                     // a name of 65 bytes
    };
    for (const auto& c : cases)
    {
        UserSettings settings;
        settings.strUserName = "old";
        settings.nServeListIndexAnalog = 7;
        settings.nServeListIndexTrue = 8;
        EXPECT_EQ(c.sound, ParseUserSettingsText(c.text, settings)) << c.text;
        EXPECT_EQ(CString(c.sound ? c.name : "old"), settings.strUserName) << c.text;
        EXPECT_EQ(c.sound ? c.analog : 7, settings.nServeListIndexAnalog) << c.text;
        EXPECT_EQ(c.sound ? c.real : 8, settings.nServeListIndexTrue) << c.text;
    }
}

TEST_F(UserSettingsFileTest, DamagedFileIsSetAsideAndEveryBitFlipIsCaught)
{
    UserSettings sound;
    sound.strUserName = "user01";
    sound.nServeListIndexAnalog = 1;
    sound.nServeListIndexTrue = 0;
    ASSERT_TRUE(SaveUserSettings(m_path, sound));
    const std::string bytes = ReadBytes();

    int caught = 0;
    for (size_t bit = 0; bit < bytes.size() * 8; ++bit)
    {
        std::string flipped = bytes;
        flipped[bit / 8] ^= char(1 << (bit % 8));
        WriteBytes(flipped);
        UserSettings read;
        CString report;
        const bool loaded = LoadUserSettings(m_path, read, &report) != FALSE;
        if (!loaded && read.strUserName.IsEmpty() && read.nServeListIndexTrue == -1 && !Exists(m_path)
            && Exists(m_path + ".damaged") && report == m_path + " is damaged; kept as " + m_path + ".damaged")
            ++caught;
        DeleteFileA(m_path + ".damaged");
    }
    EXPECT_EQ(int(bytes.size() * 8), caught);

    // A missing file is no damage: nothing is reported.
    DeleteFileA(m_path);
    UserSettings read;
    CString report;
    EXPECT_FALSE(LoadUserSettings(m_path, read, &report));
    EXPECT_TRUE(report.IsEmpty());
    EXPECT_FALSE(Exists(m_path + ".damaged"));
}

} // namespace
