// A program killed while it writes the tables must leave every file readable with its key,
// holding either the rows before or after the write in progress: never a file set aside,
// deleted or re-created empty at the next start. The writer is killed at chosen points
// inside the transaction that replaces a table.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

#include <set>

#include "DBOrder.h"
#include "DBProxyOrder.h"
#include "DBStrategy.h"
#include "DBUser.h"
#include "RawDatabase.h"
#include "TableFixture.h"
#include "testsupport/TestFiles.h"

namespace {

using namespace tabletest;

std::string ProgramFolder()
{
    char path[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.rfind('\\') + 1);
}

struct KillPoint
{
    const char* file;   // the table being replaced when the writer is killed
    const char* point;  // "deleted": its old rows are gone; "inserted": after row `row`
    int row;
    int generation;
};

// Starts the writer and kills it once it stands at the kill point, inside the transaction
// that replaces the table's rows.
void RunAndKillWriter(const CString& folder, const CString& key, const KillPoint& kill)
{
    CString eventName;
    eventName.Format("tolvan-table-writer-%lu", GetCurrentProcessId());
    HANDLE reached = CreateEventA(nullptr, TRUE, FALSE, eventName);
    ASSERT_NE(nullptr, reached);
    CString arguments;
    arguments.Format(" %s %s %d %d", kill.file, kill.point, kill.row, kill.generation);
    std::string command = "\"" + ProgramFolder() + "console_table_writer.exe\" \""
                          + std::string(folder.Left(folder.GetLength() - 1)) + "\" " + std::string(key) + " "
                          + std::string(eventName) + std::string(arguments);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                               nullptr, &startup, &process));
    CloseHandle(process.hThread);
    HANDLE handles[] = {reached, process.hProcess};
    const bool atPoint = WaitForMultipleObjects(2, handles, FALSE, 120000) == WAIT_OBJECT_0;
    TerminateProcess(process.hProcess, 9);
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(reached);
    ASSERT_TRUE(atPoint) << "the writer ended with " << code << " before the kill point";
    ASSERT_EQ(9u, code);
}

// The one generation all rows of a list name; -1 when they name several or the count is off.
template <class Row, class Text>
int GenerationOfAll(const std::vector<Row>& rows, Text text)
{
    std::set<int> generations;
    for (const Row& row : rows)
        generations.insert(GenerationOf(text(row)));
    return rows.size() == size_t(kRowsPerTable) && generations.size() == 1 ? *generations.begin() : -1;
}

TEST(KilledWriterTest, EveryTableKeepsOldOrNewRows)
{
    const CString folder = MakeScratchFolder("killed");
    const CString key = UserKey("admin");
    // The users are replaced before the strategies in each generation.
    const KillPoint kills[] = {
        {"DU", "deleted", 0, 2}, {"DU", "inserted", 20, 3}, {"DS", "deleted", 0, 2},
        {"DS", "inserted", kRowsPerTable - 1, 3},
    };
    for (const KillPoint& kill : kills) {
        SCOPED_TRACE(std::string(kill.file) + " " + kill.point + " " + std::to_string(kill.row));
        RunAndKillWriter(folder, key, kill);
        const bool usersDone = CString(kill.file) != "DU";

        // The next start: each table opens its file with the key.
        CDBUser users(folder + "DU", key);
        CDBStrategy strategies(folder + "DS", key);
        CDBOrder orders(folder + "DO", key);
        CDBProxyOrder proxyOrders(folder + "DP", key);
        for (const CDBBase* table : std::initializer_list<const CDBBase*>{&users, &strategies, &orders, &proxyOrders}) {
            EXPECT_TRUE(table->IsOpen()) << table->GetPath();
            EXPECT_TRUE(table->GetSetAsidePath().IsEmpty()) << table->GetPath();
        }

        std::vector<UserStrategy> userRows;
        ASSERT_TRUE(users.LoadAll(userRows, "", true, -1, 0));
        EXPECT_EQ(usersDone ? kill.generation : kill.generation - 1,
                  GenerationOfAll(userRows, [](const UserStrategy& user) { return user.userName; }));

        std::vector<StrategyInfo> strategyRows;
        ASSERT_TRUE(strategies.LoadAll(strategyRows, "", true, -1, 0));
        EXPECT_EQ(kill.generation - 1,
                  GenerationOfAll(strategyRows, [](const StrategyInfo& strategy) { return strategy.strStrategyName; }));
        for (const StrategyInfo& strategy : strategyRows) {
            ASSERT_EQ(1u, strategy.vecStrategy.size());
            EXPECT_EQ(GenerationOf(strategy.strStrategyName), atoi(strategy.vecStrategy[0].strMultiple));
        }

        std::vector<OrderRow> orderRows;
        ASSERT_TRUE(orders.QueryOrders(orderRows, "2026-12-10 00:00:00", "2026-12-10 23:59:59", "", true, -1, 0));
        ASSERT_EQ(size_t(kRowsPerTable), orderRows.size());
        for (const OrderRow& row : orderRows)
            EXPECT_EQ(GenerationOf(row.st), GenerationOf(row.op)) << "a half-written order";

        const RawQueryResult proxyRows = RawQuery(folder + "DP", key, "select Status, AvePrice from ProxyOrder");
        ASSERT_EQ(SQLITE_OK, proxyRows.code) << proxyRows.message;
        ASSERT_EQ(size_t(kRowsPerTable), proxyRows.rows.size());
        for (const auto& row : proxyRows.rows)
            EXPECT_EQ(row[0], row[1]) << "a half-written proxy order";
    }
    for (const std::string& name : tolvan::test::FileNamesIn(folder))
        EXPECT_EQ(std::string::npos, name.find(".damaged")) << name;
    RemoveScratchFolder(folder);
}

}  // namespace
