// A program killed while it writes the tables must leave every file readable with its key,
// holding either the rows before or after the write in progress: never a file set aside,
// deleted or re-created empty at the next start.
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

// Starts the writer, lets it finish `generations` writes and kills it a little later, while
// it is in the middle of the next one.
void RunAndKillWriter(const CString& folder, const CString& key, int generations, int spin)
{
    CString semaphoreName;
    semaphoreName.Format("tolvan-table-writer-%lu", GetCurrentProcessId());
    HANDLE written = CreateSemaphoreA(nullptr, 0, 1 << 30, semaphoreName);
    ASSERT_NE(nullptr, written);
    std::string command = "\"" + ProgramFolder() + "console_table_writer.exe\" \"" + std::string(folder.Left(folder.GetLength() - 1))
                          + "\" " + std::string(key) + " " + std::string(semaphoreName);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                               nullptr, &startup, &process));
    CloseHandle(process.hThread);
    bool wrote = true;
    for (int i = 0; i < generations && wrote; ++i) {
        HANDLE handles[] = {written, process.hProcess};
        wrote = WaitForMultipleObjects(2, handles, FALSE, 120000) == WAIT_OBJECT_0;
    }
    volatile unsigned sink = 0;
    for (int i = 0; i < spin; ++i)
        sink = sink + i;
    TerminateProcess(process.hProcess, 9);
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(written);
    ASSERT_TRUE(wrote) << "the writer ended by itself with " << code;
    ASSERT_EQ(9u, code) << "the writer ended before it was killed";
}

TEST(KilledWriterTest, EveryTableKeepsOldOrNewRows)
{
    const CString folder = MakeScratchFolder("killed");
    const CString key = UserKey("admin");
    const int spins[] = {0, 20000, 200000, 2000000, 5000, 800000};
    int lastGeneration = 0;
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        RunAndKillWriter(folder, key, 1 + round % 3, spins[round]);

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
        ASSERT_EQ(size_t(kRowsPerTable), userRows.size());
        std::set<int> generations;
        for (const UserStrategy& user : userRows)
            generations.insert(GenerationOf(user.userName));
        ASSERT_EQ(1u, generations.size()) << "users of two writes";
        EXPECT_GE(*generations.begin(), 1);

        std::vector<StrategyInfo> strategyRows;
        ASSERT_TRUE(strategies.LoadAll(strategyRows, "", true, -1, 0));
        ASSERT_EQ(size_t(kRowsPerTable), strategyRows.size());
        generations.clear();
        for (const StrategyInfo& strategy : strategyRows) {
            generations.insert(GenerationOf(strategy.strStrategyName));
            ASSERT_EQ(1u, strategy.vecStrategy.size());
            EXPECT_EQ(GenerationOf(strategy.strStrategyName), atoi(strategy.vecStrategy[0].strMultiple));
        }
        ASSERT_EQ(1u, generations.size()) << "strategies of two writes";

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
        lastGeneration = *generations.begin();
    }
    // Each new writer starts again at generation 1 over the rows of the last one.
    EXPECT_GE(lastGeneration, 1);
    for (const std::string& name : tolvan::test::FileNamesIn(folder))
        EXPECT_EQ(std::string::npos, name.find(".damaged")) << name;
    RemoveScratchFolder(folder);
}

}  // namespace
