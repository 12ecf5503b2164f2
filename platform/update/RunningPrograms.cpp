#include "RunningPrograms.h"

#include <string.h>
#include <tlhelp32.h>

namespace {

const char kTerminalProgram[] = "Tolvan.exe";
const DWORD kQueryAccess = SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION;

std::string ProgramPath(HANDLE process)
{
    char path[MAX_PATH] = {0};
    DWORD length = MAX_PATH;
    return QueryFullProcessImageNameA(process, 0, path, &length) ? std::string(path, length) : std::string();
}

bool IsOneOf(const std::string& path, const std::vector<std::string>& paths)
{
    for (const std::string& candidate : paths)
        if (!path.empty() && _stricmp(path.c_str(), candidate.c_str()) == 0)
            return true;
    return false;
}

ULONGLONG CreationTime(HANDLE process)
{
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(process, &created, &ended, &kernel, &user))
        return ~0ULL;
    return (ULONGLONG(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

}  // namespace

std::vector<HANDLE> OpenProcessesRunning(const std::vector<std::string>& paths)
{
    std::vector<HANDLE> running;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return running;
    const DWORD self = GetCurrentProcessId();
    PROCESSENTRY32 entry = {sizeof(entry)};
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
    {
        if (entry.th32ProcessID == self || entry.th32ProcessID == 0)
            continue;
        HANDLE process = OpenProcess(kQueryAccess, FALSE, entry.th32ProcessID);
        if (process == NULL)
            continue;
        if (IsOneOf(ProgramPath(process), paths) && WaitForSingleObject(process, 0) == WAIT_TIMEOUT)
            running.push_back(process);
        else
            CloseHandle(process);
    }
    CloseHandle(snapshot);
    return running;
}

HANDLE OpenStartingTerminal()
{
    const DWORD self = GetCurrentProcessId();
    DWORD parent = 0;
    char parentProgram[MAX_PATH] = {0};
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return NULL;
    PROCESSENTRY32 entry = {sizeof(entry)};
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (entry.th32ProcessID == self)
            parent = entry.th32ParentProcessID;
    for (BOOL more = Process32First(snapshot, &entry); more && parent != 0; more = Process32Next(snapshot, &entry))
        if (entry.th32ProcessID == parent)
            lstrcpynA(parentProgram, entry.szExeFile, MAX_PATH);
    CloseHandle(snapshot);
    if (parent == 0 || _stricmp(parentProgram, kTerminalProgram) != 0)
        return NULL;
    HANDLE process = OpenProcess(kQueryAccess, FALSE, parent);
    if (process != NULL && CreationTime(process) > CreationTime(GetCurrentProcess()))
    {
        CloseHandle(process);
        process = NULL;
    }
    return process;
}
