#include "UpdateCheck.h"
#include "DownloadFile.h"
#include "ILogin.h"
#include "TextHelpers.h"

#include <stdio.h>
#include <stdlib.h>

namespace {

bool ReadLines(const CString& path, const char* mode, std::vector<CString>& lines)
{
    FILE* file = fopen(path, mode);
    if (file == NULL)
        return false;
    char buffer[1024];
    while (fgets(buffer, sizeof(buffer), file) != NULL)
    {
        CString line = buffer;
        line.TrimRight("\r\n");
        lines.push_back(line);
    }
    fclose(file);
    return true;
}

void SplitEntry(const CString& entry, CString& name, int& version)
{
    const int equals = entry.Find('=');
    name = equals >= 0 ? entry.Left(equals) : entry;
    version = equals >= 0 ? atoi(entry.Mid(equals + 1)) : 0;
}

CString ReadBaseUrl(const CString& listPath)
{
    char buffer[260] = {0};
    ::GetPrivateProfileStringA("Config", "Url", "", buffer, sizeof(buffer), listPath);
    return buffer;
}

// Creates the folders of a file path that do not exist yet.
void CreateParentFolders(const CString& filePath)
{
    for (int i = 3; i < filePath.GetLength(); ++i)
        if (filePath[i] == '\\')
            ::CreateDirectoryA(filePath.Left(i), NULL);
}

void EndWithStatus(ILogin& window, const char* text)
{
    window.SetStatusText(text);
    window.EnableInput(true);
}

}  // namespace

int ReadVersionFromFile(const CString& path)
{
    std::vector<CString> lines;
    if (!ReadLines(path, "r+", lines))
        return 0;
    for (const CString& line : lines)
        if (line.Find("Version") >= 0)
        {
            const int equals = line.Find('=');
            return equals >= 0 ? atoi(line.Mid(equals + 1)) : 0;
        }
    return 0;
}

bool ReadUpdateList(const CString& path, std::vector<CString>& entries)
{
    std::vector<CString> lines;
    if (!ReadLines(path, "r", lines))
        return false;
    for (const CString& line : lines)
    {
        CString lower = line;
        lower.MakeLower();
        if (lower.Find("update\\") >= 0 && lower.Find("updatelist.ini") < 0)
            entries.push_back(line);
    }
    return true;
}

bool IsSafeUpdateName(const CString& name)
{
    if (name.IsEmpty() || name[0] == '\\' || name[0] == '/' || name.Find(':') >= 0)
        return false;
    CString normal = name;
    normal.Replace('/', '\\');
    CStringArray parts;
    SplitString(parts, normal, "\\", true, true);
    for (INT_PTR i = 0; i < parts.GetSize(); ++i)
        if (parts[i] == "..")
            return false;
    return true;
}

bool CompareUpdateLists(const CString& listPath, const std::vector<CString>& local,
                        const std::vector<CString>& remote, const CString& rootDir,
                        const UpdateDownloader& download)
{
    const CString base = ReadBaseUrl(listPath);
    for (const CString& remoteEntry : remote)
    {
        CString name;
        int version = 0;
        SplitEntry(remoteEntry, name, version);
        bool needed = true;
        for (const CString& localEntry : local)
        {
            CString localName;
            int localVersion = 0;
            SplitEntry(localEntry, localName, localVersion);
            if (localName.CompareNoCase(name) == 0)
            {
                needed = version > localVersion;
                break;
            }
        }
        if (!needed)
            continue;
        if (!IsSafeUpdateName(name))
            return false;
        CString address = base + name;
        address.Replace('\\', '/');
        CString target = rootDir;
        if (target.IsEmpty() || target[target.GetLength() - 1] != '\\')
            target += "\\";
        target += name;
        CreateParentFolders(target);
        if (!download(address, target))
            return false;
    }
    return true;
}

bool RunUpdateCheck(ILogin& window, const UpdateCheckContext& context)
{
    window.SetStatusText("正在检测更新。。。");
    const int localVersion = ReadVersionFromFile(context.localListPath);
    std::vector<CString> local;
    if (!ReadUpdateList(context.localListPath, local))
    {
        EndWithStatus(window, "本地更新列表损坏！");
        return false;
    }
    if (!context.download(context.updateListUrl, context.downloadedListPath))
    {
        EndWithStatus(window, "更新服务器连接失败！");
        return false;
    }
    const int remoteVersion = ReadVersionFromFile(context.downloadedListPath);
    std::vector<CString> remote;
    if (!ReadUpdateList(context.downloadedListPath, remote))
    {
        EndWithStatus(window, "服务器更新列表损坏！");
        return false;
    }
    if (localVersion >= remoteVersion)
    {
        window.SetProgress(100);
        EndWithStatus(window, "当前已是最新版本！");
        return false;
    }
    window.SetProgress(50);
    window.SetStatusText("发现新更新。。。");
    if (!CompareUpdateLists(context.downloadedListPath, local, remote, context.rootDir, context.download))
    {
        EndWithStatus(window, "更新失败！");
        return false;
    }
    if (context.stopEvent == NULL)
        ::Sleep(context.launchPauseMs);
    else if (::WaitForSingleObject(context.stopEvent, context.launchPauseMs) != WAIT_TIMEOUT)
        return false;
    if (context.launchUpdater && context.launchUpdater(context.updaterCommandLine))
        return true;
    // The launcher has told the user why; the window must not stay disabled for good.
    window.EnableInput(true);
    return false;
}
