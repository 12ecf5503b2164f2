#include "FileCrypt.h"
#include <gtest/gtest.h>
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
    void TearDown() override
    {
        DeleteFileA(path);
        RemoveDirectoryA(dataDir);
    }

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
    EXPECT_FALSE(LoadSelfList(dataDir, store));

    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, "seventeen bytes!!", 17, &written, nullptr);
    CloseHandle(file);
    EXPECT_FALSE(LoadSelfList(dataDir, store));
    EXPECT_EQ(Codes({"kept"}), SelfListOf(store));
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
