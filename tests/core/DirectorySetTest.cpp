#include "DirectorySet.h"

#include <gtest/gtest.h>

namespace {

struct DirectoryCase
{
    const char* modulePath;
    const char* appDir;
    const char* rootDir;
};

class DirectorySetTest : public ::testing::TestWithParam<DirectoryCase> {};

TEST_P(DirectorySetTest, DerivesProgramAndRootDirectoriesFromTheModulePath)
{
    const DirectoryCase& c = GetParam();
    const CDirectorySet dirs = CDirectorySet::FromModulePath(c.modulePath);
    EXPECT_STREQ(c.appDir, dirs.m_strAppDir);
    EXPECT_STREQ(c.rootDir, dirs.m_strRootDir);
    const CString root = c.rootDir;
    EXPECT_STREQ(root + "\\data\\", dirs.m_strDataDir);
    EXPECT_STREQ(root + "\\db\\", dirs.m_strDbDir);
    EXPECT_STREQ(root + "\\log\\", dirs.m_strLogDir);
    EXPECT_STREQ(root + "\\update\\", dirs.m_strUpdateDir);
    EXPECT_STREQ(root + "\\temp\\", dirs.m_strTempDir);
    EXPECT_STREQ(root + "\\test\\", dirs.m_strTestDir);
    EXPECT_STREQ(root + "\\usr\\", dirs.m_strUsrDir);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DirectorySetTest,
    ::testing::Values(
        DirectoryCase{"D:\\Trade\\bin\\Tolvan.exe", "D:\\Trade\\bin\\", "D:\\Trade"},
        DirectoryCase{"D:\\Trade\\Tolvan.exe", "D:\\Trade\\", "D:\\Trade"},
        // A renamed or copied program still finds its folder.
        DirectoryCase{"D:\\Trade\\bin\\Tolvan2.exe", "D:\\Trade\\bin\\", "D:\\Trade"},
        DirectoryCase{"D:\\Trade\\bin\\tolvan.EXE", "D:\\Trade\\bin\\", "D:\\Trade"},
        // The name of the program inside a folder name does not cut the path there.
        DirectoryCase{"D:\\Tolvan.exe\\bin\\Tolvan.exe", "D:\\Tolvan.exe\\bin\\", "D:\\Tolvan.exe"},
        // Only a final "\bin" folder is the program folder of an installation.
        DirectoryCase{"D:\\bin\\Trade\\Tolvan.exe", "D:\\bin\\Trade\\", "D:\\bin\\Trade"},
        DirectoryCase{"D:\\Tolvan.exe", "D:\\", "D:"},
        // "誠" has the byte of a backslash as its trail byte in GBK.
        DirectoryCase{"D:\\誠信\\bin\\誠.exe", "D:\\誠信\\bin\\", "D:\\誠信"}));

TEST(DirectorySetRunningProgram, IsTheFolderOfThisProgram)
{
    char path[MAX_PATH] = {0};
    ASSERT_GT(::GetModuleFileNameA(NULL, path, MAX_PATH), 0u);
    CString expected(path);
    expected = expected.Left(expected.ReverseFind('\\') + 1);

    EXPECT_STREQ(expected, CDirectorySet::FromRunningProgram().m_strAppDir);
}

}  // namespace
