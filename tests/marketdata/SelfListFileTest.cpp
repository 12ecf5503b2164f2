#include "FileCrypt.h"
#include <algorithm>
#include <functional>
#include <string>
#include <gtest/gtest.h>
#include <testsupport/TestFiles.h>
#include "MarketTestData.h"
#include "SelfListFile.h"

using markettest::Codes;
using markettest::CodesOf;
using markettest::MakeRows;
using markettest::MakeSector;

namespace {

// A fresh data directory per test, removed afterwards
class SelfListFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_NE(0u, GetTempPathA(MAX_PATH, temp));
        dataDir.Format("%stolvan-selflist-%lu-%lu\\", temp, GetCurrentProcessId(), GetTickCount());
        ASSERT_TRUE(CreateDirectoryA(dataDir, nullptr));
        path = dataDir + SELF_LIST_FILE_NAME;
    }
    void TearDown() override { tolvan::test::RemoveFolder(dataDir); }

    std::vector<std::string> FileNames() const { return tolvan::test::FileNamesIn(dataDir); }
    std::string ReadBytes(const CString& file) const { return tolvan::test::ReadFileBytes(file); }
    void WriteBytes(const std::string& bytes) { ASSERT_TRUE(tolvan::test::WriteFileBytes(path, bytes)); }

    void WritePlainText(const char* text)
    {
        CFileCrypt crypt;
        ASSERT_TRUE(crypt.EncryptStringToFile(text, path));
    }
    CString ReadPlainText()
    {
        CFileCrypt crypt;
        CString text = "unread";
        EXPECT_TRUE(crypt.DecryptFileToString(path, text));
        return text;
    }
    static std::vector<CString> SelfListOf(const QuoteStore& store)
    {
        std::vector<CString> codes;
        store.GetSelfList(codes);
        return codes;
    }

    CString dataDir;
    CString path;
};

TEST_F(SelfListFileTest, LoadSkipsEmptyFields)
{
    const struct { const char* text; std::vector<CString> codes; } cases[] = {
        {"600000,00700,", Codes({"600000", "00700"})},
        {"600000,00700", Codes({"600000", "00700"})},
        {",600000,,00700,,", Codes({"600000", "00700"})},
        {"", Codes({})},
        {"unknown,", Codes({"unknown"})}, // codes the store does not know pass on
    };
    for (const auto& c : cases)
    {
        WritePlainText(c.text);
        QuoteStore store;
        store.SetSelfList(Codes({"stale"}));
        EXPECT_TRUE(LoadSelfList(dataDir, store)) << c.text;
        EXPECT_EQ(c.codes, SelfListOf(store)) << c.text;
        EXPECT_EQ(-int(c.codes.size()), store.GetNextSelfIndex()) << c.text;
    }
}

TEST_F(SelfListFileTest, MissingOrDamagedFileChangesNothing)
{
    QuoteStore store;
    store.SetSelfList(Codes({"kept"}));
    CString report;
    EXPECT_FALSE(LoadSelfList(dataDir, store, &report));
    EXPECT_TRUE(FileNames().empty()); // nothing to set aside
    EXPECT_TRUE(report.IsEmpty());

    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, "seventeen bytes!!", 17, &written, nullptr);
    CloseHandle(file);
    EXPECT_FALSE(LoadSelfList(dataDir, store));
    EXPECT_EQ(Codes({"kept"}), SelfListOf(store));
}

// The format has no check sum: what was read must look like a list of codes, or the file is
// damaged. It is then set aside under a new name (the next save must not destroy what may be
// recovered from it) and reported.
TEST_F(SelfListFileTest, DamagedFileIsSetAsideAndReported)
{
    std::string tooMany;
    for (int i = 0; i <= SELF_LIST_MAX_CODES; ++i)
        tooMany += std::to_string(600000 + i) + ",";
    const struct { const char* what; std::string text; } cases[] = {
        {"control byte", "600000,00\x01" "700,"},
        {"double-byte characters", "600000,\xD6\xD0\xB9\xFA,"},
        {"byte above ASCII", "600000,\xB0\x31,"},
        {"blank before a code", "600000, 00700,"},
        {"code of 33 characters", "600000," + std::string(33, 'A') + ","},
        {"more codes than a list holds", tooMany},
    };
    for (const auto& c : cases)
    {
        WritePlainText(c.text.c_str());
        const std::string bytes = ReadBytes(path);
        QuoteStore store;
        store.SetSelfList(Codes({"kept"}));
        CString report;
        EXPECT_FALSE(LoadSelfList(dataDir, store, &report)) << c.what;
        EXPECT_EQ(Codes({"kept"}), SelfListOf(store)) << c.what;
        EXPECT_EQ(std::vector<std::string>{"SelfListFile.cfg.damaged"}, FileNames()) << c.what;
        EXPECT_EQ(bytes, ReadBytes(path + ".damaged")) << c.what;
        EXPECT_EQ(path + " is damaged; kept as " + path + ".damaged", report) << c.what;
        DeleteFileA(path + ".damaged");
    }

    // A second damaged file does not replace the first one set aside.
    WriteBytes(std::string(17, 'x'));
    EXPECT_FALSE(LoadSelfList(dataDir));
    WriteBytes(std::string(18, 'y'));
    EXPECT_FALSE(LoadSelfList(dataDir));
    EXPECT_EQ((std::vector<std::string>{"SelfListFile.cfg.damaged", "SelfListFile.cfg.damaged2"}), FileNames());
    EXPECT_EQ(std::string(17, 'x'), ReadBytes(path + ".damaged"));

    // A code of 32 characters is still a code.
    DeleteFileA(path + ".damaged");
    DeleteFileA(path + ".damaged2");
    WritePlainText(("CL.2503_x-Y," + std::string(32, 'B') + ",").c_str());
    QuoteStore store;
    EXPECT_TRUE(LoadSelfList(dataDir, store));
    EXPECT_EQ(Codes({"CL.2503_x-Y", CString(std::string(32, 'B').c_str())}), SelfListOf(store));
}

// Which loads allow the save at exit to replace the file: a sound list held open by another
// program, or a damaged one that cannot be moved aside, must survive the exit.
TEST_F(SelfListFileTest, OnlyAFileThatLoadedOrWasSetAsideMayBeSavedOver)
{
    const auto writeSound = [this] { WritePlainText("600000,00700,000001,EURUSD,HK0005,"); };
    const auto writeDamaged = [this] { WriteBytes(std::string(32, 'x')); };
    const auto takeEveryAsideName = [this] {
        for (int n = 1; n <= 100; ++n)
        {
            CString name = path + ".damaged";
            if (n > 1)
                name.AppendFormat("%d", n);
            ASSERT_TRUE(tolvan::test::WriteFileBytes(name, "older"));
        }
    };
    const struct
    {
        const char* what;
        std::function<void()> arrange;
        DWORD share;  // sharing of a handle held open during the load; 0xFFFFFFFF for none
        SelfListLoadResult expected;
    } cases[] = {
        {"a sound list", writeSound, 0xFFFFFFFF, SELF_LIST_LOADED},
        {"no file yet", [] {}, 0xFFFFFFFF, SELF_LIST_MISSING},
        {"a damaged list", writeDamaged, 0xFFFFFFFF, SELF_LIST_SET_ASIDE},
        {"a sound list held open without sharing", writeSound, 0, SELF_LIST_UNREADABLE},
        {"a damaged list that cannot be renamed", writeDamaged, FILE_SHARE_READ, SELF_LIST_UNREADABLE},
        {"a damaged list whose aside names are all taken",
         [&] {
             writeDamaged();
             takeEveryAsideName();
         },
         0xFFFFFFFF, SELF_LIST_UNREADABLE},
    };
    for (const auto& c : cases)
    {
        for (const std::string& name : FileNames())
            DeleteFileA(dataDir + name.c_str());
        c.arrange();
        const std::string before = ReadBytes(path);
        HANDLE held = INVALID_HANDLE_VALUE;
        if (c.share != 0xFFFFFFFF)
            held = CreateFileA(path, GENERIC_READ, c.share, nullptr, OPEN_EXISTING, 0, nullptr);
        QuoteStore store;
        const SelfListLoadResult loaded = LoadSelfListFile(dataDir, store);
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        EXPECT_EQ(c.expected, loaded) << c.what;
        const bool mayReplace = c.expected != SELF_LIST_UNREADABLE;
        EXPECT_EQ(mayReplace, MaySaveSelfList(loaded)) << c.what;
        // The user hears of every list that did not load, though there was one.
        EXPECT_EQ(c.expected == SELF_LIST_LOADED || c.expected == SELF_LIST_MISSING,
                  DescribeSelfListLoad(loaded, dataDir).IsEmpty())
            << c.what;
        if (!mayReplace) {
            EXPECT_EQ(before, ReadBytes(path)) << c.what << ": the file was changed";
        }
    }
}

TEST_F(SelfListFileTest, EverySingleBitFlipIsCaught)
{
    WritePlainText("600000,00700,000001,EURUSD,");
    const std::string sound = ReadBytes(path);
    int caught = 0;
    for (size_t bit = 0; bit < sound.size() * 8; ++bit)
    {
        std::string flipped = sound;
        flipped[bit / 8] ^= char(1 << (bit % 8));
        WriteBytes(flipped);
        QuoteStore store;
        store.SetSelfList(Codes({"kept"}));
        if (!LoadSelfList(dataDir, store) && SelfListOf(store) == Codes({"kept"}))
            ++caught;
        DeleteFileA(path + ".damaged");
    }
    EXPECT_EQ(int(sound.size() * 8), caught);
}

TEST_F(SelfListFileTest, RoundTripInRowOrder)
{
    QuoteStore store;
    store.SetSelfList(Codes({"S3", "S1"}));
    store.AddSector(MakeSector("我的板块", "", {}));
    store.AddSector(MakeSector("沪深", "CSM_P", MakeRows("S", 5)));
    store.AddToMySector("S4");
    ASSERT_TRUE(SaveSelfList(dataDir, store));
    EXPECT_EQ(CString("S3,S1,S4,"), ReadPlainText());

    QuoteStore restarted;
    ASSERT_TRUE(LoadSelfList(dataDir, restarted));
    restarted.AddSector(MakeSector("我的板块", "", {}));
    restarted.AddSector(MakeSector("沪深", "CSM_P", MakeRows("S", 5)));
    SectorRecord mine;
    ASSERT_TRUE(restarted.GetSector("我的板块", mine));
    EXPECT_EQ(Codes({"S3", "S1", "S4"}), CodesOf(mine));
}

TEST_F(SelfListFileTest, SavingKeepsCodesWhoseListDidNotLoad)
{
    // The Hong Kong list failed to load this time: "H1" has no row, but stays the user's.
    QuoteStore store;
    store.SetSelfList(Codes({"S1", "H1", "S2"}));
    store.AddSector(MakeSector("我的板块", "", {}));
    store.AddSector(MakeSector("沪深", "CSM_P", MakeRows("S", 3)));
    store.RemoveFromMySector("我的板块", "S2");
    ASSERT_TRUE(SaveSelfList(dataDir, store));
    EXPECT_EQ(CString("S1,H1,"), ReadPlainText());
}

TEST_F(SelfListFileTest, CodesWhoseListDidNotLoadKeepTheirPlace)
{
    // "H0", "H1" and "H2" belong to a list that failed to load this time.
    QuoteStore store;
    store.SetSelfList(Codes({"H0", "S1", "H1", "H2", "S0", "H3"}));
    store.AddSector(MakeSector("我的板块", "", {}));
    store.AddSector(MakeSector("沪深", "CSM_P", MakeRows("S", 2)));
    ASSERT_TRUE(SaveSelfList(dataDir, store));
    EXPECT_EQ(CString("H0,S1,H1,H2,S0,H3,"), ReadPlainText());
}

TEST_F(SelfListFileTest, EmptyOrMissingSectorSavesAnEmptyList)
{
    QuoteStore store;
    ASSERT_TRUE(SaveSelfList(dataDir, store));
    EXPECT_EQ(CString(""), ReadPlainText());

    store.AddSector(MakeSector("我的板块", "", {}));
    ASSERT_TRUE(SaveSelfList(dataDir, store));
    QuoteStore restarted;
    restarted.SetSelfList(Codes({"stale"}));
    ASSERT_TRUE(LoadSelfList(dataDir, restarted));
    EXPECT_TRUE(SelfListOf(restarted).empty());
}

TEST_F(SelfListFileTest, UnwritableDirectoryFails)
{
    QuoteStore store;
    EXPECT_FALSE(SaveSelfList(dataDir + "missing\\", store));
}

} // namespace
