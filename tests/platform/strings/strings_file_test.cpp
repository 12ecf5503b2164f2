// CFile, CStdioFile and CFileFind on real files in a private temporary directory.
#include <afx.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

class FileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_GT(::GetTempPathA(MAX_PATH, temp), 0u);
        m_dir.Format("%stolvan_strings_%lu_%p", temp, ::GetCurrentProcessId(), (void*)this);
        ASSERT_TRUE(::CreateDirectoryA(m_dir, NULL));
    }
    void TearDown() override
    {
        CFileFind finder;
        BOOL more = finder.FindFile(m_dir + "\\*.*");
        while (more) {
            more = finder.FindNextFile();
            if (!finder.IsDots())
                ::DeleteFileA(finder.GetFilePath());
        }
        finder.Close();
        ::RemoveDirectoryA(m_dir);
    }
    CString PathOf(LPCSTR name) const { return m_dir + "\\" + name; }

    std::string ReadBytes(LPCSTR name) const
    {
        CFile file;
        if (!file.Open(PathOf(name), CFile::modeRead | CFile::shareDenyNone))
            return "<cannot open>";
        std::string bytes((size_t)file.GetLength(), '\0');
        UINT nRead = file.Read(&bytes[0], (UINT)bytes.size());
        bytes.resize(nRead);
        return bytes;
    }

    CString m_dir;
};

TEST_F(FileTest, StdioTextModeWritesCrLfAndReadsLinesBack)
{
    CString longLine('x', 700);
    {
        CStdioFile out;
        ASSERT_TRUE(out.Open(PathOf("text.txt"), CFile::modeCreate | CFile::modeWrite | CFile::typeText));
        out.WriteString("第一行\n");
        out.WriteString("乗\\b\n");
        out.WriteString(longLine + "\n");
        out.WriteString("no newline at end");
        out.Close();
    }
    std::string bytes = ReadBytes("text.txt");
    EXPECT_EQ(std::string("第一行\r\n乗\\b\r\n") + (LPCSTR)longLine + "\r\nno newline at end", bytes);

    CStdioFile in;
    ASSERT_TRUE(in.Open(PathOf("text.txt"), CFile::modeRead | CFile::typeText));
    EXPECT_EQ((ULONGLONG)bytes.size(), in.GetLength());
    const CString expected[] = {"第一行", "乗\\b", longLine, "no newline at end"};
    CString line;
    for (const CString& want : expected) {
        ASSERT_TRUE(in.ReadString(line));
        EXPECT_EQ(want, line);
    }
    EXPECT_FALSE(in.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());
}

TEST_F(FileTest, StdioBinaryModeKeepsBytesAndAppendsWithNoTruncate)
{
    {
        CStdioFile out(PathOf("bin.txt"), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        out.WriteString("a\nb\r\n");
    }
    {
        CStdioFile more(PathOf("bin.txt"),
                        CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite | CFile::typeBinary);
        more.SeekToEnd();
        more.WriteString("c\n");
    }
    EXPECT_EQ("a\nb\r\nc\n", ReadBytes("bin.txt"));

    CStdioFile in(PathOf("bin.txt"), CFile::modeRead | CFile::typeBinary);
    CString line;
    ASSERT_TRUE(in.ReadString(line));
    EXPECT_EQ(CString("a"), line);
    ASSERT_TRUE(in.ReadString(line));
    EXPECT_EQ(CString("b"), line);   // the CR of a CRLF line end is dropped too
    char raw[8];
    ASSERT_NE(nullptr, in.ReadString(raw, sizeof(raw)));
    EXPECT_STREQ("c\n", raw);
    EXPECT_EQ(nullptr, in.ReadString(raw, sizeof(raw)));
}

TEST_F(FileTest, BinaryFileSeekLengthAndStatus)
{
    CFile file;
    ASSERT_TRUE(file.Open(PathOf("data.bin"), CFile::modeCreate | CFile::modeReadWrite));
    const char payload[] = "0123456789";
    file.Write(payload, 10);
    EXPECT_EQ(10u, file.GetLength());
    EXPECT_EQ(4u, file.Seek(4, CFile::begin));
    char buffer[4] = {};
    EXPECT_EQ(3u, file.Read(buffer, 3));
    EXPECT_STREQ("456", buffer);
    file.SetLength(5);
    EXPECT_EQ(5u, file.GetLength());
    EXPECT_EQ(5u, file.SeekToEnd());
    EXPECT_EQ(0u, file.Read(buffer, 3));

    CFileStatus status;
    ASSERT_TRUE(file.GetStatus(status));
    EXPECT_EQ(5u, status.m_size);
    EXPECT_EQ(CString("data.bin"), file.GetFileName());
    EXPECT_EQ(CString("data"), file.GetFileTitle());
    file.Close();
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);

    ASSERT_TRUE(CFile::GetStatus(PathOf("data.bin"), status));
    EXPECT_EQ(5u, status.m_size);
    EXPECT_GT(status.m_mtime.GetTime(), 0);
}

TEST_F(FileTest, MissingFilesFailWithTheirCause)
{
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(PathOf("missing.txt"), CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_EQ((LONG)ERROR_FILE_NOT_FOUND, error.m_lOsError);
    EXPECT_NE(-1, error.m_strFileName.Find("missing.txt"));
    char message[256];
    EXPECT_TRUE(error.GetErrorMessage(message, sizeof(message)));
    EXPECT_NE(nullptr, strstr(message, "missing.txt"));

    CStdioFile stdioFile;
    EXPECT_FALSE(stdioFile.Open(PathOf("missing.txt"), CFile::modeRead));
    EXPECT_FALSE(file.Open(PathOf("no_such_dir\\x.txt"), CFile::modeCreate | CFile::modeWrite, &error));
    EXPECT_EQ(CFileException::badPath, error.m_cause);

    int cause = -1;
    try {
        CStdioFile thrown(PathOf("missing.txt"), CFile::modeRead);
    } catch (CFileException* e) {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(CFileException::fileNotFound, cause);

    cause = -1;
    try {
        CFile::Remove(PathOf("missing.txt"));
    } catch (CFileException* e) {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(CFileException::fileNotFound, cause);
}

TEST(CFileNames, DoubleBytePathsSplitOnRealSeparators)
{
    // 乗 and 癨 end in byte 0x5C, the path separator: the name must not be cut inside them.
    const struct { const char* path; const char* name; const char* title; } cases[] = {
        {"C:\\数据\\乗.txt", "乗.txt", "乗"},
        {"C:\\乗\\癨", "癨", "癨"},
        {"D:/行情/倈表.dat", "倈表.dat", "倈表"},
        {"E:乗.ini", "乗.ini", "乗"},
    };
    for (const auto& c : cases) {
        CFile file;
        file.SetFilePath(c.path);
        EXPECT_EQ(CString(c.name), file.GetFileName()) << c.path;
        EXPECT_EQ(CString(c.title), file.GetFileTitle()) << c.path;
        EXPECT_EQ(CString(c.path), file.GetFilePath()) << c.path;
    }
}

TEST_F(FileTest, FindRenameAndRemove)
{
    const char* names[] = {"a.txt", "b.dat", "c.txt"};
    for (const char* name : names) {
        CFile file(PathOf(name), CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(CString(name), file.GetFileName());
    }

    std::set<std::string> found;
    CFileFind finder;
    BOOL more = finder.FindFile(PathOf("*.*"));
    ASSERT_TRUE(more);
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDots())
            continue;
        found.insert((LPCSTR)finder.GetFileName());
        EXPECT_EQ(PathOf(finder.GetFileName()), finder.GetFilePath());
        EXPECT_FALSE(finder.IsDirectory());
    }
    EXPECT_EQ((std::set<std::string>{"a.txt", "b.dat", "c.txt"}), found);

    found.clear();
    more = finder.FindFile(PathOf("*.txt"));
    while (more) {
        more = finder.FindNextFile();
        found.insert((LPCSTR)finder.GetFileTitle());
    }
    EXPECT_EQ((std::set<std::string>{"a", "c"}), found);

    CFile::Rename(PathOf("a.txt"), PathOf("renamed.txt"));
    CFileStatus status;
    EXPECT_FALSE(CFile::GetStatus(PathOf("a.txt"), status));
    EXPECT_TRUE(CFile::GetStatus(PathOf("renamed.txt"), status));
    CFile::Remove(PathOf("renamed.txt"));
    EXPECT_FALSE(CFile::GetStatus(PathOf("renamed.txt"), status));
    EXPECT_FALSE(finder.FindFile(PathOf("*.none")));
}

}  // namespace
