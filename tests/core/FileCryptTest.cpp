// The encrypted configuration-file format: layout and sizes, round trips, rejection of damaged
// files, and safe replacement of an existing file.
#include "Aes.h"
#include "FileCrypt.h"

#include <gtest/gtest.h>
#include <testsupport/TestFiles.h>

#include <string>
#include <vector>

namespace {

using namespace tolvan::test;

const unsigned char kKey[32] = {
    0x5e, 0x19, 0xc7, 0xa2, 0x40, 0xd8, 0x3b, 0x6f, 0x91, 0xe2, 0xa7, 0xc4, 0x0b, 0x6d, 0x3f, 0x88,
    0x27, 0xa4, 0xe9, 0xc1, 0xd0, 0x53, 0x6b, 0x7e, 0x8f, 0x2c, 0x14, 0xa9, 0xe3, 0x6b, 0x05, 0xd7,
};

class FileCryptTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        m_dir.Format("%sfilecrypt-%lu-%lu", base, GetCurrentProcessId(), GetTickCount());
        ASSERT_TRUE(CreateDirectoryA(m_dir, NULL));
    }

    void TearDown() override { RemoveFolder(m_dir); }

    CString PathOf(const char* name) const { return m_dir + "\\" + name; }
    std::vector<std::string> FileNames() const { return FileNamesIn(m_dir); }
    static std::string ReadBytes(const CString& path) { return ReadFileBytes(path); }
    static void WriteBytes(const CString& path, const std::string& bytes)
    {
        ASSERT_TRUE(WriteFileBytes(path, bytes));
    }

    // One block encrypted under the file key, from up to 16 plain bytes zero-padded.
    static std::string EncryptedBlock(const std::string& plain)
    {
        unsigned char in[16] = {}, out[16];
        memcpy(in, plain.data(), plain.size() < 16 ? plain.size() : 16);
        Aes(32, kKey).EncryptBlock(in, out);
        return std::string(reinterpret_cast<char*>(out), 16);
    }

    static std::string DecryptedBlock(const std::string& bytes, size_t offset)
    {
        unsigned char out[16];
        Aes(32, kKey).DecryptBlock(reinterpret_cast<const unsigned char*>(bytes.data() + offset), out);
        return std::string(reinterpret_cast<char*>(out), 16);
    }

    CString m_dir;
};

TEST_F(FileCryptTest, FileSizeFollowsTextLengthAndReadsBack)
{
    const struct
    {
        int length;
        size_t fileSize;
    } kCases[] = {{0, 0}, {1, 32}, {3, 32}, {15, 32}, {16, 48}, {31, 48}, {32, 64}, {1000, 1024}};
    for (const auto& testCase : kCases)
    {
        CString text;
        for (int i = 0; i < testCase.length; ++i)
            text += (char)('a' + i % 26);
        CString path = PathOf("size.cfg");
        CFileCrypt crypt;
        ASSERT_TRUE(crypt.EncryptStringToFile(text, path)) << testCase.length;
        EXPECT_EQ(testCase.fileSize, ReadBytes(path).size()) << testCase.length;

        CString back = "unchanged";
        CFileCrypt reader;
        ASSERT_TRUE(reader.DecryptFileToString(path, back)) << testCase.length;
        EXPECT_EQ(text, back) << testCase.length;
    }
}

TEST_F(FileCryptTest, LengthBlockThenZeroPaddedTextBlocks)
{
    CString path = PathOf("abc.cfg");
    CFileCrypt crypt;
    ASSERT_TRUE(crypt.EncryptStringToFile("abc", path));
    EXPECT_EQ(4u, crypt.GetPlainLength());

    const std::string bytes = ReadBytes(path);
    ASSERT_EQ(32u, bytes.size());
    // The length, its zero byte, then the first 14 bytes of the MD5 digest of "abc"
    // (900150983cd24fb0d6963f7d28e17f72).
    EXPECT_EQ(std::string("4\0\x90\x01\x50\x98\x3c\xd2\x4f\xb0\xd6\x96\x3f\x7d\x28\xe1", 16),
              DecryptedBlock(bytes, 0));
    EXPECT_EQ(std::string("abc") + std::string(13, '\0'), DecryptedBlock(bytes, 16));
}

// Any damage garbles a whole block; the digest in the length block finds it in every block,
// not only in the one that holds the terminator and padding.
TEST_F(FileCryptTest, EverySingleBitFlipOfAWrittenFileIsFound)
{
    CString path = PathOf("flips.cfg");
    // Four blocks of text that would each still read as text after a flip elsewhere.
    ASSERT_TRUE(CFileCrypt().EncryptStringToFile("600000,00700,000001,EURUSD,XAUUSD,HK00005,CL2503,GC2504,", path));
    const std::string sound = ReadBytes(path);
    ASSERT_EQ(80u, sound.size());
    int found = 0;
    for (size_t bit = 0; bit < sound.size() * 8; ++bit)
    {
        std::string flipped = sound;
        flipped[bit / 8] ^= char(1 << (bit % 8));
        WriteBytes(path, flipped);
        CString text = "unchanged";
        if (CFileCrypt().DecryptFile(path, text) == CFileCrypt::Damaged && text == "unchanged")
            ++found;
    }
    EXPECT_EQ(int(sound.size() * 8), found);
}

// Files written before the check carry zero bytes after the length: they read as before.
TEST_F(FileCryptTest, FileWithoutCheckBytesStillReads)
{
    CString path = PathOf("older.cfg");
    WriteBytes(path, EncryptedBlock("20") + EncryptedBlock("serveListIndexTr") + EncryptedBlock("ue:"));
    CString text;
    ASSERT_EQ(CFileCrypt::Read, CFileCrypt().DecryptFile(path, text));
    EXPECT_EQ(CString("serveListIndexTrue:"), text);
}

TEST_F(FileCryptTest, GbkTextAndLineBreaksSurviveTheRoundTrip)
{
    const CString text = "用户名=张三\r\nserveListIndexAnalog=2\r\nserveListIndexTrue=0\r\n";
    CString path = PathOf("usrcfg.ini");
    ASSERT_TRUE(CFileCrypt().EncryptStringToFile(text, path));
    CString back;
    ASSERT_TRUE(CFileCrypt().DecryptFileToString(path, back));
    EXPECT_EQ(text, back);
}

TEST_F(FileCryptTest, EmptyFileIsEmptyText)
{
    CString path = PathOf("empty.cfg");
    WriteBytes(path, std::string());
    CString text = "old";
    ASSERT_TRUE(CFileCrypt().DecryptFileToString(path, text));
    EXPECT_TRUE(text.IsEmpty());
}

TEST_F(FileCryptTest, DamagedFilesAreRejectedWithoutTouchingTheText)
{
    const std::string textBlock = EncryptedBlock("abc");
    const struct
    {
        const char* what;
        std::string bytes;
    } kCases[] = {
        {"17 bytes", std::string(17, 'x')},
        {"16 bytes: a length block without data", EncryptedBlock("4")},
        {"length larger than the file", EncryptedBlock("100") + textBlock},
        {"length of a huge allocation", EncryptedBlock("4294967000") + textBlock},
        {"length smaller than the file", EncryptedBlock("4") + textBlock + textBlock},
        {"length zero", EncryptedBlock("0") + textBlock},
        {"length not a number", EncryptedBlock("abc") + textBlock},
        {"digits followed by garbage", EncryptedBlock("4x") + textBlock},
        {"negative length", EncryptedBlock("-4") + textBlock},
        {"wrong key (plain bytes)", std::string("4") + std::string(15, '\0') + "abc" + std::string(13, '\0')},
        // What a damaged data block decrypts to: the text must end exactly at its stated length.
        {"zero byte inside the text", EncryptedBlock("4") + EncryptedBlock(std::string("a\0c", 3))},
        {"no zero byte at the end", EncryptedBlock("4") + EncryptedBlock("abcd")},
        {"padding that is not zero", EncryptedBlock("4") + EncryptedBlock(std::string("abc\0\0\0x", 7))},
    };
    for (const auto& testCase : kCases)
    {
        CString path = PathOf("damaged.cfg");
        WriteBytes(path, testCase.bytes);
        CString text = "unchanged";
        EXPECT_EQ(CFileCrypt::Damaged, CFileCrypt().DecryptFile(path, text)) << testCase.what;
        EXPECT_FALSE(CFileCrypt().DecryptFileToString(path, text)) << testCase.what;
        EXPECT_EQ(CString("unchanged"), text) << testCase.what;
    }

    // A file that cannot be opened is not called damaged: it may be sound.
    CString text;
    EXPECT_EQ(CFileCrypt::NotOpened, CFileCrypt().DecryptFile(PathOf("missing.cfg"), text));
    EXPECT_EQ(CFileCrypt::NotOpened, CFileCrypt().DecryptFile("", text));
    CString locked = PathOf("locked.cfg");
    ASSERT_TRUE(CFileCrypt().EncryptStringToFile("abc", locked));
    HANDLE holder = CreateFileA(locked, GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    EXPECT_EQ(CFileCrypt::NotOpened, CFileCrypt().DecryptFile(locked, text));
    CloseHandle(holder);
}

TEST_F(FileCryptTest, ReadOnlyFileCanBeRead)
{
    CString path = PathOf("readonly.cfg");
    ASSERT_TRUE(CFileCrypt().EncryptStringToFile("600000|600036", path));
    ASSERT_TRUE(SetFileAttributesA(path, FILE_ATTRIBUTE_READONLY));
    CString text;
    ASSERT_TRUE(CFileCrypt().DecryptFileToString(path, text));
    EXPECT_EQ(CString("600000|600036"), text);
}

TEST_F(FileCryptTest, RewriteReplacesTheFileAndLeavesNoTemporaryFile)
{
    CString path = PathOf("SelfListFile.cfg");
    ASSERT_TRUE(CFileCrypt().EncryptStringToFile("a much longer first text than the second", path));
    ASSERT_TRUE(CFileCrypt().EncryptStringToFile("short", path));
    CString text;
    ASSERT_TRUE(CFileCrypt().DecryptFileToString(path, text));
    EXPECT_EQ(CString("short"), text);
    EXPECT_EQ(32u, ReadBytes(path).size());
    EXPECT_EQ(std::vector<std::string>{"SelfListFile.cfg"}, FileNames());
}

TEST_F(FileCryptTest, FailedWriteKeepsTheOldFileAndLeavesNoTemporaryFile)
{
    CString path = PathOf("locked.cfg");
    ASSERT_TRUE(CFileCrypt().EncryptStringToFile("old text", path));
    // Another reader holds the file without sharing it for change: it cannot be replaced.
    HANDLE reader = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, reader);
    EXPECT_FALSE(CFileCrypt().EncryptStringToFile("new text", path));
    CloseHandle(reader);

    CString text;
    ASSERT_TRUE(CFileCrypt().DecryptFileToString(path, text));
    EXPECT_EQ(CString("old text"), text);
    EXPECT_EQ(std::vector<std::string>{"locked.cfg"}, FileNames());
}

TEST_F(FileCryptTest, WriteWithoutTargetFails)
{
    EXPECT_FALSE(CFileCrypt().EncryptStringToFile("text", ""));
    EXPECT_FALSE(CFileCrypt().EncryptStringToFile("text", PathOf("no-such-dir\\file.cfg")));
    EXPECT_TRUE(FileNames().empty());
}

TEST_F(FileCryptTest, BufferFunctionsCheckTheirSizes)
{
    const unsigned char plain[] = "0123456789abcdef"; // 16 characters + terminator: L = 17
    CFileCrypt crypt;
    crypt.SetPlainLength(sizeof(plain));
    unsigned char encrypted[48];
    EXPECT_FALSE(crypt.EncryptBuffer(plain, encrypted, 47));
    EXPECT_FALSE(crypt.EncryptBuffer(NULL, encrypted, 48));
    ASSERT_TRUE(crypt.EncryptBuffer(plain, encrypted, 48));

    CFileCrypt reader;
    EXPECT_EQ(0u, reader.DecryptLength(encrypted, 15));
    EXPECT_EQ(0u, reader.DecryptLength(encrypted, 32)); // the size must match the length
    ASSERT_EQ(17u, reader.DecryptLength(encrypted, 48));
    unsigned char out[17];
    EXPECT_FALSE(reader.DecryptBuffer(encrypted, out, 16));
    ASSERT_TRUE(reader.DecryptBuffer(encrypted, out, 17));
    EXPECT_EQ(0, memcmp(plain, out, 17));
}

} // namespace
