// update: installs a downloaded update. It lives in <root>\update\, where the terminal has
// downloaded the new files (under the names of the update list, "update\..."), and:
//  1. waits (up to a minute) for the terminal that started it to end;
//  2. replaces every file the downloaded list names from the download folder, each through a
//     temporary name beside the target, so a failure leaves the old file in place;
//  3. makes the downloaded list the local one (only when every file was installed);
//  4. starts the terminal again.
// The downloaded list is the terminal's "%TEMP%\TolvanUpdate.ini". Names that would leave the
// root are skipped.
#include "UpdateCheck.h"

#include <string.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

namespace {

const DWORD kTerminalExitWaitMs = 60000;
const char kTerminalProgram[] = "Tolvan.exe";

std::string ModuleFolder()
{
    char path[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
}

// Waits for the terminal that started us. Only a parent that is the terminal counts: once it
// has ended its process number may already belong to another program.
void WaitForParentToEnd()
{
    const DWORD self = GetCurrentProcessId();
    DWORD parent = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32 entry = {sizeof(entry)};
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (entry.th32ProcessID == self)
            parent = entry.th32ParentProcessID;
    bool parentIsTerminal = false;
    for (BOOL more = Process32First(snapshot, &entry); more && parent != 0; more = Process32Next(snapshot, &entry))
        if (entry.th32ProcessID == parent)
            parentIsTerminal = _stricmp(entry.szExeFile, kTerminalProgram) == 0;
    CloseHandle(snapshot);
    HANDLE process = parentIsTerminal ? OpenProcess(SYNCHRONIZE, FALSE, parent) : nullptr;
    if (process != nullptr)
    {
        WaitForSingleObject(process, kTerminalExitWaitMs);
        CloseHandle(process);
    }
}

void CreateParentFolders(const std::string& path)
{
    for (size_t i = 3; i < path.size(); ++i)
        if (path[i] == '\\')
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
}

// Copies source beside target under a temporary name, then moves it over target.
bool Install(const std::string& source, const std::string& target)
{
    const std::string temporary = target + ".new";
    CreateParentFolders(target);
    if (!CopyFileA(source.c_str(), temporary.c_str(), FALSE))
        return false;
    if (!MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        DeleteFileA(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::string updateFolder = ModuleFolder();
    const std::string root = updateFolder.substr(0, updateFolder.rfind('\\'));
    char temp[MAX_PATH] = {0};
    GetTempPathA(MAX_PATH, temp);
    const std::string downloadedList = std::string(temp) + "TolvanUpdate.ini";

    WaitForParentToEnd();

    std::vector<CString> entries;
    bool complete = ReadUpdateList(downloadedList.c_str(), entries);
    for (const CString& entry : entries)
    {
        const int equals = entry.Find('=');
        CString name = equals >= 0 ? entry.Left(equals) : entry;
        // "update\bin\Tolvan.exe" was downloaded to <root>\update\bin\Tolvan.exe and belongs in
        // <root>\bin\Tolvan.exe.
        if (!IsSafeUpdateName(name) || name.GetLength() <= 7 || name.Left(7).CompareNoCase("update\\") != 0)
        {
            complete = false;
            continue;
        }
        const std::string relative = (LPCSTR)name.Mid(7);
        if (!Install(root + "\\" + (LPCSTR)name, root + "\\" + relative))
            complete = false;
    }
    if (complete)
        Install(downloadedList, updateFolder + "\\UpdateList.ini");

    std::string terminal = "\"" + root + "\\bin\\" + kTerminalProgram + "\"";
    STARTUPINFOA startup = {sizeof(startup)};
    PROCESS_INFORMATION process;
    if (CreateProcessA(nullptr, &terminal[0], nullptr, nullptr, FALSE, 0, nullptr, (root + "\\bin").c_str(),
                       &startup, &process))
    {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return complete ? 0 : 1;
}
