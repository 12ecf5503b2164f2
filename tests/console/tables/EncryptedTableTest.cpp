#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

#include <stdexcept>

#include "DBUser.h"
#include "RawDatabase.h"
#include "TableFixture.h"
#include "UserDatabaseKey.h"
#include "testsupport/TestFiles.h"

namespace {

using namespace tabletest;

class EncryptedTableTest : public ::testing::Test {
protected:
    void SetUp() override { folder = MakeScratchFolder("encrypted"); }
    void TearDown() override { RemoveScratchFolder(folder); }

    void WriteUsers(const CString& key, const std::vector<UserStrategy>& users)
    {
        CDBUser table(folder + "DU", key);
        ASSERT_TRUE(table.IsOpen());
        ASSERT_TRUE(table.ReplaceAll(users));
    }

    CString folder;
};

TEST_F(EncryptedTableTest, FileCannotBeReadWithoutItsKey)
{
    const CString key = UserKey("admin");
    WriteUsers(key, UsersOf(3));
    const CString path = folder + "DU";

    const std::string bytes = tolvan::test::ReadFileBytes(path);
    ASSERT_FALSE(bytes.empty());
    EXPECT_NE(0u, bytes.compare(0, 15, "SQLite format 3"));
    EXPECT_EQ(std::string::npos, bytes.find(CDBBase::AnsiToUtf8(UsersOf(3)[0].userName)));

    const RawQueryResult withoutKey = RawQuery(path, nullptr, "select count(*) from User");
    EXPECT_EQ(SQLITE_NOTADB, withoutKey.code);
    EXPECT_NE(std::string::npos, withoutKey.message.find("not a database")) << withoutKey.message;

    const RawQueryResult withKey = RawQuery(path, key, "select userName from User order by userId");
    ASSERT_EQ(SQLITE_OK, withKey.code) << withKey.message;
    ASSERT_EQ(size_t(kRowsPerTable), withKey.rows.size());
    EXPECT_EQ(CDBBase::AnsiToUtf8(UsersOf(3)[0].userName), withKey.rows[0][0]);

    // The next start reads the same rows with the same key.
    CDBUser reopened(path, key);
    std::vector<UserStrategy> users;
    ASSERT_TRUE(reopened.LoadAll(users, "userId", true, -1, 0));
    ASSERT_EQ(size_t(kRowsPerTable), users.size());
    EXPECT_EQ(UsersOf(3)[5].userName, users[5].userName);
    EXPECT_EQ(UsersOf(3)[5].strategyId, users[5].strategyId);
    EXPECT_TRUE(reopened.GetSetAsidePath().IsEmpty());
}

TEST_F(EncryptedTableTest, AFileTheKeyDoesNotOpenIsSetAsideNotDeleted)
{
    const CString path = folder + "DU";
    const CString otherKey = UserKey("someone else");
    const std::string foreign(4096, '\x5A');
    struct Case
    {
        const char* what;
        bool foreignFile;
    };
    for (const Case& c : {Case{"another user's key", false}, Case{"not a database", true}}) {
        RemoveScratchFolder(folder);
        CreateDirectoryA(folder, nullptr);
        if (c.foreignFile)
            ASSERT_TRUE(tolvan::test::WriteFileBytes(path, foreign));
        else
            WriteUsers(otherKey, UsersOf(1));
        const std::string before = tolvan::test::ReadFileBytes(path);

        CDBUser table(path, UserKey("admin"));
        ASSERT_TRUE(table.IsOpen()) << c.what;
        const CString keptAs = table.GetSetAsidePath();
        ASSERT_FALSE(keptAs.IsEmpty()) << c.what;
        EXPECT_TRUE(table.StartedEmptyAfterSetAside()) << c.what;
        EXPECT_EQ(before, tolvan::test::ReadFileBytes(keptAs)) << c.what;
        if (!c.foreignFile) {
            const RawQueryResult old = RawQuery(keptAs, otherKey, "select count(*) from User");
            ASSERT_EQ(SQLITE_OK, old.code) << old.message;
            EXPECT_EQ(std::to_string(kRowsPerTable), old.rows[0][0]);
        }
        // A new database with the user's key takes the file's place.
        std::vector<UserStrategy> users;
        EXPECT_TRUE(table.LoadAll(users, "", true, -1, 0)) << c.what;
        EXPECT_TRUE(users.empty()) << c.what;
        EXPECT_TRUE(table.Insert(UsersOf(2)[0])) << c.what;
        EXPECT_EQ(SQLITE_NOTADB, RawQuery(path, otherKey, "select count(*) from User").code) << c.what;
    }
}

TEST_F(EncryptedTableTest, APlainDatabaseIsEncryptedAndKeepsItsRows)
{
    const CString path = folder + "DU";
    sqlite3* plain = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(CDBBase::AnsiToUtf8(path).c_str(), &plain));
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(plain,
                                      "create table User(userId varchar(20) not null, userName varchar(100), "
                                      "strategyId varchar(20) not null, strategyName varchar(200), "
                                      "primary key(userId, strategyId));"
                                      "insert into User values('1001', '\xE5\xBC\xA0', '3', 's');"
                                      "insert into User values('1002', 'b', '-1', 'n');",
                                      nullptr, nullptr, nullptr));
    sqlite3_close(plain);

    CDBUser table(path, UserKey("admin"));
    std::vector<UserStrategy> users;
    ASSERT_TRUE(table.LoadAll(users, "userId", true, -1, 0));
    ASSERT_EQ(2u, users.size());
    EXPECT_EQ(CString("张"), users[0].userName);
    EXPECT_EQ(SQLITE_NOTADB, RawQuery(path, nullptr, "select count(*) from User").code);
    ASSERT_FALSE(table.GetSetAsidePath().IsEmpty());
    EXPECT_FALSE(table.StartedEmptyAfterSetAside()) << "the rows were kept";
    EXPECT_EQ("2", RawQuery(table.GetSetAsidePath(), nullptr, "select count(*) from User").rows.at(0).at(0));
}

// The user's folder ignores letter case while the key is the digest of the name: files
// written under one spelling of the login name open under every other.
TEST_F(EncryptedTableTest, EverySpellingOfTheLoginNameOpensTheSameFiles)
{
    const CString proxy = folder + "Admin\\Proxy\\";
    ASSERT_TRUE(CreateDirectoryA(folder + "Admin", nullptr));
    ASSERT_TRUE(CreateDirectoryA(proxy, nullptr));
    struct Case
    {
        const char* writtenWith;  // the key's spelling, or null: the key new files get
        const char* writerLogin;
        const char* readerLogin;
    };
    const Case cases[] = {
        {"Admin", nullptr, "ADMIN"},  // an earlier version, first login "Admin" (the folder's spelling)
        {"ADMIN", nullptr, "Admin"},  // an earlier version, the login as typed now
        {nullptr, "Admin", "aDMIN"},  // this version, any spelling
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.readerLogin);
        DeleteFileA(proxy + "DU");
        {
            CDBUser writer(proxy + "DU", c.writtenWith != nullptr ? DatabaseKey(UserKey(c.writtenWith))
                                                                  : UserDatabaseKey(c.writerLogin, proxy));
            ASSERT_TRUE(writer.ReplaceAll(UsersOf(4)));
        }
        CDBUser reader(proxy + "DU", UserDatabaseKey(c.readerLogin, proxy));
        std::vector<UserStrategy> users;
        ASSERT_TRUE(reader.LoadAll(users, "", true, -1, 0));
        EXPECT_EQ(size_t(kRowsPerTable), users.size());
        EXPECT_TRUE(reader.GetSetAsidePath().IsEmpty());
    }
    // A new file gets the key of the name in lower case; ASCII letters change case, the second
    // byte of a double-byte character does not ("\x81\x41" is one character).
    EXPECT_EQ(UserKey("admin"), UserDatabaseKey("ADMIN", proxy).keys.front());
    EXPECT_EQ(CString("\x81\x41" "b张"), AsciiLetterCase("\x81\x41" "B张", false));
    EXPECT_EQ(CString("\x81\x41" "B张"), AsciiLetterCase("\x81\x41" "b张", true));
    RemoveScratchFolder(proxy);
    RemoveDirectoryA(folder + "Admin");
}

// A table whose row reader fails the way a text conversion does.
class FailingReaderTable : public CDBBase
{
public:
    FailingReaderTable(const CString& path, const CString& key) : CDBBase(path, key)
    {
        m_table = "Rows";
        CreateTable();
    }
    bool CreateTable() override { return ExecSql("create table Rows(a varchar(20))", nullptr, nullptr); }
    bool LoadFailing()
    {
        return ExecSql("select * from Rows", [](void*, int, char**, char**) {
            return GuardedRow([] { throw std::runtime_error("La falla!"); });
        }, nullptr);
    }
};

TEST_F(EncryptedTableTest, AFailingRowReaderEndsTheSelectWithoutUnwindingThroughSQLite)
{
    FailingReaderTable table(folder + "DR", UserKey("admin"));
    ASSERT_TRUE(table.ExecSql("insert into Rows values('1')", nullptr, nullptr));
    EXPECT_FALSE(table.LoadFailing());
    EXPECT_EQ(SQLITE_ABORT, table.GetLastResult());
    // The connection is still sound: nothing was left locked or half-run.
    EXPECT_TRUE(table.RunInTransaction([&] { return table.ExecSql("insert into Rows values('2')", nullptr, nullptr); }));
}

TEST_F(EncryptedTableTest, WithoutAPathNothingIsOpened)
{
    CDBUser table("", UserKey("admin"));
    EXPECT_FALSE(table.IsOpen());
    EXPECT_FALSE(table.Insert(UsersOf(1)[0]));
    std::vector<UserStrategy> users;
    EXPECT_FALSE(table.LoadAll(users, "", true, -1, 0));

    CDBUser empty(folder + "DU", UserKey("admin"));
    EXPECT_TRUE(empty.DeleteAll());
}

}  // namespace
