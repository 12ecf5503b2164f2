#include "TableFixture.h"

#include <winsock2.h>
#include <windows.h>

#include <stdlib.h>

#include "Md5.h"

namespace tabletest {

CString MakeScratchFolder(const char* name)
{
    char temp[MAX_PATH] = {0};
    GetTempPathA(MAX_PATH, temp);
    CString folder;
    folder.Format("%s控制台-%lu-%s\\", temp, GetCurrentProcessId(), name);
    RemoveScratchFolder(folder);
    CreateDirectoryA(folder, nullptr);
    return folder;
}

void RemoveScratchFolder(const CString& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(folder + "*", &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA(folder + found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder);
}

CString UserKey(const char* userName)
{
    return Md5Hex(userName);
}

static CString GenerationText(int generation, int index)
{
    CString text;
    text.Format("第%d代-%d", generation, index);
    return text;
}

int GenerationOf(const CString& text)
{
    const int start = text.Find("第");
    return start < 0 ? -1 : atoi(text.Mid(start + 2));
}

std::vector<UserStrategy> UsersOf(int generation)
{
    std::vector<UserStrategy> users;
    for (int i = 0; i < kRowsPerTable; ++i) {
        UserStrategy user;
        user.userId.Format("%d", 1000 + i);
        user.userName = GenerationText(generation, i);
        user.strategyId.Format("%d", i % 3);
        user.strategyName = GenerationText(generation, i);
        users.push_back(user);
    }
    return users;
}

std::vector<StrategyInfo> StrategiesOf(int generation)
{
    std::vector<StrategyInfo> strategies;
    for (int i = 0; i < kRowsPerTable; ++i) {
        StrategyInfo strategy;
        strategy.nStragegyId = i;
        strategy.strStrategyName = GenerationText(generation, i);
        StrategyLeg leg;
        leg.strContractType = "外汇现货";
        leg.strMultiple.Format("%d", generation);
        strategy.vecStrategy.push_back(leg);
        strategies.push_back(strategy);
    }
    return strategies;
}

OrderRow OrderOf(int generation, int index)
{
    OrderRow row;
    row.clientName = "1001";
    row.cid.Format("%d", index);
    row.oid.Format("O%d", index);
    row.st = GenerationText(generation, index);
    row.op = GenerationText(generation, index);
    row.ot = "2026-12-10 10:00:00";
    return row;
}

ProxyOrderRecord ProxyOrderOf(int generation, int index)
{
    ProxyOrderRecord record;
    record.OrderNo.Format("P%d", index);
    record.cid.Format("%d", index);
    record.Status = GenerationText(generation, index);
    record.AvePrice = GenerationText(generation, index);
    return record;
}

}  // namespace tabletest
