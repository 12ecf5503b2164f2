#include "UpdateCheck.h"
#include "DownloadFile.h"
#include "ILogin.h"
#include "TextHelpers.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <unordered_map>

namespace {

// A list larger than this is not an update list; reading it would only cost memory.
const long kMaxListBytes = 16 * 1024 * 1024;

// Reads the file as bytes (a text-mode read would end at a Ctrl-Z and cut lines at the
// buffer's size) and splits it at line feeds; a line's trailing carriage returns go.
bool ReadLines(const CString& path, const char* mode, std::vector<CString>& lines)
{
    FILE* file = fopen(path, mode);
    if (file == NULL)
        return false;
    std::string bytes;
    bool sound = fseek(file, 0, SEEK_END) == 0;
    const long size = sound ? ftell(file) : -1;
    sound = size >= 0 && size <= kMaxListBytes && fseek(file, 0, SEEK_SET) == 0;
    if (sound && size > 0)
    {
        bytes.resize(static_cast<size_t>(size));
        sound = fread(&bytes[0], 1, bytes.size(), file) == bytes.size();
    }
    fclose(file);
    if (!sound)
        return false;
    size_t start = 0;
    while (start < bytes.size())
    {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        size_t kept = end;
        while (kept > start && bytes[kept - 1] == '\r')
            --kept;
        lines.push_back(CString(bytes.data() + start, static_cast<int>(kept - start)));
        start = end + 1;
    }
    return true;
}

// The list's numbers as atoi reads them (blanks, a sign, digits), in 64 bits: a version past
// 2^31 must not wrap into a small or negative one. Beyond 64 bits it stays at the largest.
UpdateVersion ReadNumber(const char* text)
{
    return strtoll(text, NULL, 10);
}

// Lower case of ASCII letters, byte by byte: which lines are entries must not depend on how a
// byte before the marker would pair up as a double-byte character.
std::string AsciiLowerBytes(const CString& line)
{
    std::string lower(static_cast<LPCSTR>(line), static_cast<size_t>(line.GetLength()));
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

void SplitEntry(const CString& entry, CString& name, UpdateVersion& version)
{
    const int equals = entry.Find('=');
    name = equals >= 0 ? entry.Left(equals) : entry;
    version = equals >= 0 ? ReadNumber(entry.Mid(equals + 1)) : 0;
}

// The name as CompareNoCase compares it.
std::string NameKey(const CString& name)
{
    CString lower = name;
    lower.MakeLower();
    return std::string(static_cast<LPCSTR>(lower), static_cast<size_t>(lower.GetLength()));
}

// Names Windows gives to devices in every folder, whatever the extension: a file "update\CON"
// or "update\aux.dll" would be the console or a port, not a file.
bool IsDeviceName(const CString& part)
{
    static const char* const kDevices[] = {"con", "prn", "aux", "nul", "conin$", "conout$", "clock$"};
    CString base = part;
    const int dot = base.Find('.');
    if (dot >= 0)
        base = base.Left(dot);
    base.TrimRight(" ");
    base.MakeLower();
    for (const char* device : kDevices)
        if (base == device)
            return true;
    return base.GetLength() == 4 && (base.Left(3) == "com" || base.Left(3) == "lpt") && base[3] >= '0' &&
           base[3] <= '9';
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

UpdateVersion ReadVersionFromFile(const CString& path)
{
    std::vector<CString> lines;
    if (!ReadLines(path, "r+b", lines))
        return 0;
    for (const CString& line : lines)
        if (line.Find("Version") >= 0)
        {
            const int equals = line.Find('=');
            return equals >= 0 ? ReadNumber(line.Mid(equals + 1)) : 0;
        }
    return 0;
}

bool ReadUpdateList(const CString& path, std::vector<CString>& entries)
{
    std::vector<CString> lines;
    if (!ReadLines(path, "rb", lines))
        return false;
    for (const CString& line : lines)
    {
        const std::string lower = AsciiLowerBytes(line);
        if (lower.find("update\\") != std::string::npos && lower.find("updatelist.ini") == std::string::npos)
            entries.push_back(line);
    }
    return true;
}

bool IsSafeUpdateName(const CString& name)
{
    if (name.IsEmpty() || name[0] == '\\' || name[0] == '/' || name.Find(':') >= 0)
        return false;
    // Control characters (a NUL would cut the name short) and the characters Windows keeps
    // for wildcards and redirection are in no file name.
    for (int i = 0; i < name.GetLength(); ++i)
    {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c < 0x20 || strchr("*?\"<>|", c) != NULL)
            return false;
    }
    CString normal = name;
    normal.Replace('/', '\\');
    CStringArray parts;
    SplitString(parts, normal, "\\", true, true);
    for (INT_PTR i = 0; i < parts.GetSize(); ++i)
    {
        // Windows drops a trailing dot or blank, so "x." would be another file than named.
        const CString& part = parts[i];
        if (part == ".." || IsDeviceName(part) ||
            (!part.IsEmpty() && (part[part.GetLength() - 1] == '.' || part[part.GetLength() - 1] == ' ')))
            return false;
    }
    return true;
}

bool CompareUpdateLists(const CString& listPath, const std::vector<CString>& local,
                        const std::vector<CString>& remote, const CString& rootDir,
                        const UpdateDownloader& download)
{
    const CString base = ReadBaseUrl(listPath);
    // The local versions by name; the first entry of a name counts.
    std::unordered_map<std::string, UpdateVersion> localVersions;
    for (const CString& localEntry : local)
    {
        CString localName;
        UpdateVersion localVersion = 0;
        SplitEntry(localEntry, localName, localVersion);
        localVersions.emplace(NameKey(localName), localVersion);
    }
    for (const CString& remoteEntry : remote)
    {
        CString name;
        UpdateVersion version = 0;
        SplitEntry(remoteEntry, name, version);
        const auto found = localVersions.find(NameKey(name));
        if (found != localVersions.end() && version <= found->second)
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
    const UpdateVersion localVersion = ReadVersionFromFile(context.localListPath);
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
    const UpdateVersion remoteVersion = ReadVersionFromFile(context.downloadedListPath);
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
