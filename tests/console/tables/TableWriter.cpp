// Writes the four console tables generation after generation until it is killed; after each
// complete generation it releases the semaphore named on its command line.
// Usage: console_table_writer <folder without closing backslash> <key> <semaphore name>
#include <winsock2.h>
#include <windows.h>

#include "DBOrder.h"
#include "DBProxyOrder.h"
#include "DBStrategy.h"
#include "DBUser.h"
#include "TableFixture.h"

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    // The folder comes without its closing backslash, which would escape the closing quote.
    const CString folder = CString(argv[1]) + "\\";
    const CString key = argv[2];
    HANDLE written = OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, argv[3]);
    if (written == nullptr)
        return 3;
    CDBUser users(folder + "DU", key);
    CDBStrategy strategies(folder + "DS", key);
    CDBOrder orders(folder + "DO", key);
    CDBProxyOrder proxyOrders(folder + "DP", key);
    for (int generation = 1;; ++generation) {
        bool stored = users.ReplaceAll(tabletest::UsersOf(generation));
        stored = strategies.ReplaceAll(tabletest::StrategiesOf(generation)) && stored;
        for (int i = 0; i < tabletest::kRowsPerTable; ++i) {
            stored = orders.UpsertOrder(tabletest::OrderOf(generation, i)) && stored;
            stored = proxyOrders.UpsertProxyOrder(tabletest::ProxyOrderOf(generation, i)) && stored;
        }
        if (!stored)
            return 4;
        ReleaseSemaphore(written, 1, nullptr);
    }
}
