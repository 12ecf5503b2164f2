// update: installs a downloaded update. It lives in <root>\update\, where the terminal has
// downloaded the new files (under the names of the update list, "update\..."), and:
//  1. reads the downloaded list and the installed one; due are the files the downloaded list
//     names at a higher version or anew (the ones the terminal downloaded);
//  2. waits for the terminal that started it, and for any program it would replace or any
//     terminal of this installation, to end, telling the user in a small window meanwhile;
//  3. replaces every due file from the download folder, each through a temporary name beside
//     the target, so a failure leaves the old file in place;
//  4. makes the downloaded list the installed one once every due file is in place (files at
//     an unchanged version count as installed);
//  5. starts the terminal again, unless one of this installation already runs.
// The downloaded list is the terminal's "%TEMP%\TolvanUpdate.ini". Names that would leave the
// root are skipped.
#include "RunningPrograms.h"
#include "UpdateCheck.h"
#include "UpdateInstall.h"
#include "WaitWindow.h"

#include <stdio.h>

#include <string>
#include <vector>

namespace {

const char kTerminalProgram[] = "Tolvan.exe";

std::string ModuleFolder()
{
    char path[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
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

// "update\bin\Tolvan.exe" was downloaded to <root>\update\bin\Tolvan.exe and belongs in
// <root>\bin\Tolvan.exe. False for a name that has no place below the root.
bool InstalledPlace(const CString& entry, const std::string& root, std::string& source, std::string& target)
{
    const int equals = entry.Find('=');
    const CString name = equals >= 0 ? entry.Left(equals) : entry;
    if (!IsSafeUpdateName(name) || name.GetLength() <= 7 || name.Left(7).CompareNoCase("update\\") != 0)
        return false;
    source = root + "\\" + (LPCSTR)name;
    target = root + "\\" + (LPCSTR)name.Mid(7);
    return true;
}

std::string TerminalPath(const std::string& root)
{
    return root + "\\bin\\" + kTerminalProgram;
}

// What must not run while the files are replaced: every program file that will be replaced,
// and the terminal, which holds the libraries beside it.
std::vector<std::string> ProgramsInTheWay(const std::vector<CString>& due, const std::string& root)
{
    std::vector<std::string> paths{TerminalPath(root)};
    for (const CString& entry : due)
    {
        std::string source, target;
        if (InstalledPlace(entry, root, source, target))
            paths.push_back(target);
    }
    return paths;
}

bool StartTerminal(const std::string& root)
{
    std::string commandLine = "\"" + TerminalPath(root) + "\"";
    STARTUPINFOA startup = {sizeof(startup)};
    PROCESS_INFORMATION process;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, (root + "\\bin").c_str(),
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    FILE* file = fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    char buffer[4096];
    size_t read;
    while ((read = fread(buffer, 1, sizeof(buffer), file)) > 0)
        bytes.append(buffer, read);
    const bool complete = ferror(file) == 0;
    fclose(file);
    return complete;
}

// Writes the adopted list beside the installed one, then moves it over it.
bool AdoptList(const std::string& bytes, const std::string& installedList)
{
    const std::string temporary = installedList + ".new";
    FILE* file = fopen(temporary.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (fclose(file) != 0 || !written
        || !MoveFileExA(temporary.c_str(), installedList.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        DeleteFileA(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // First of all, while the terminal that started us surely still runs.
    HANDLE startingTerminal = OpenStartingTerminal();

    const std::string updateFolder = ModuleFolder();
    const std::string root = updateFolder.substr(0, updateFolder.rfind('\\'));
    const std::string installedList = updateFolder + "\\UpdateList.ini";
    char temp[MAX_PATH] = {0};
    GetTempPathA(MAX_PATH, temp);
    const std::string downloadedList = std::string(temp) + "TolvanUpdate.ini";

    // The terminal downloads the list again at each start: keep what this update was made of.
    std::string listBytes;
    std::vector<CString> installed, published;
    bool complete = ReadWholeFile(downloadedList, listBytes) && ReadUpdateList(downloadedList.c_str(), published);
    ReadUpdateList(installedList.c_str(), installed);
    const std::vector<CString> due = SelectDueUpdateEntries(installed, published);

    const std::vector<std::string> inTheWay = ProgramsInTheWay(due, root);
    WaitWhileProgramsRun(startingTerminal, [&inTheWay] { return OpenProcessesRunning(inTheWay); });

    for (const CString& entry : due)
    {
        std::string source, target;
        if (!InstalledPlace(entry, root, source, target) || !Install(source, target))
            complete = false;
    }
    if (complete)
        complete = AdoptList(listBytes, installedList);

    // One terminal: a user may have started one after the wait.
    std::vector<HANDLE> terminals = OpenProcessesRunning({TerminalPath(root)});
    if (terminals.empty())
        StartTerminal(root);
    for (HANDLE terminal : terminals)
        CloseHandle(terminal);
    return complete ? 0 : 1;
}
