// Writes the four console tables generation after generation. When it reaches the write point
// named on its command line (a table file, a point inside its replacement and a generation),
// it signals the event named there and waits to be killed; the test kills it at exactly that
// point.
// Usage: console_table_writer <folder without closing backslash> <key> <event name>
//                             <file: DU or DS> <point: deleted or inserted> <row> <generation>
#include <winsock2.h>
#include <windows.h>

#include <stdlib.h>

#include "DBOrder.h"
#include "DBProxyOrder.h"
#include "DBStrategy.h"
#include "DBUser.h"
#include "TableFixture.h"

namespace {

struct KillPoint
{
    CString file;
    CString point;
    size_t row = 0;
    int generation = 0;
};

KillPoint g_killPoint;
int g_generation = 0;
HANDLE g_reached = nullptr;

void StopAtKillPoint(const CDBBase& table, const char* point, size_t row)
{
    if (g_generation != g_killPoint.generation || table.GetPath().Right(2) != g_killPoint.file
        || g_killPoint.point != point || row != g_killPoint.row)
        return;
    SetEvent(g_reached);
    Sleep(INFINITE);  // the test kills the program here
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 8)
        return 2;
    // The folder comes without its closing backslash, which would escape the closing quote.
    const CString folder = CString(argv[1]) + "\\";
    const CString key = argv[2];
    g_reached = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[3]);
    if (g_reached == nullptr)
        return 3;
    g_killPoint.file = argv[4];
    g_killPoint.point = argv[5];
    g_killPoint.row = (size_t)atoi(argv[6]);
    g_killPoint.generation = atoi(argv[7]);
    CDBBase::SetWritePointProbe(StopAtKillPoint);

    CDBUser users(folder + "DU", key);
    CDBStrategy strategies(folder + "DS", key);
    CDBOrder orders(folder + "DO", key);
    CDBProxyOrder proxyOrders(folder + "DP", key);
    for (g_generation = 1; g_generation <= g_killPoint.generation; ++g_generation) {
        bool stored = users.ReplaceAll(tabletest::UsersOf(g_generation));
        stored = strategies.ReplaceAll(tabletest::StrategiesOf(g_generation)) && stored;
        for (int i = 0; i < tabletest::kRowsPerTable; ++i) {
            stored = orders.UpsertOrder(tabletest::OrderOf(g_generation, i)) && stored;
            stored = proxyOrders.UpsertProxyOrder(tabletest::ProxyOrderOf(g_generation, i)) && stored;
        }
        if (!stored)
            return 4;
    }
    return 5;  // the kill point was never reached
}
