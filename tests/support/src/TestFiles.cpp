#include "testsupport/TestFiles.h"

#include <windows.h>

#include <algorithm>
#include <stdio.h>

namespace tolvan {
namespace test {

namespace {
std::string WithBackslash(const char* folder)
{
    std::string path = folder;
    if (path.empty() || path.back() != '\\')
        path += '\\';
    return path;
}
}  // namespace

std::string ReadFileBytes(const char* path)
{
    std::string bytes;
    FILE* in = fopen(path, "rb");
    if (in == nullptr)
        return bytes;
    char chunk[4096];
    size_t got;
    while ((got = fread(chunk, 1, sizeof(chunk), in)) > 0)
        bytes.append(chunk, got);
    fclose(in);
    return bytes;
}

bool WriteFileBytes(const char* path, const std::string& bytes)
{
    FILE* out = fopen(path, "wb");
    if (out == nullptr)
        return false;
    const bool written = bytes.empty() || fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return fclose(out) == 0 && written;
}

std::vector<std::string> FileNamesIn(const char* folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((WithBackslash(folder) + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        const std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

void RemoveFolder(const char* folder)
{
    const std::string base = WithBackslash(folder);
    for (const std::string& name : FileNamesIn(folder))
    {
        const std::string path = base + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(folder);
}

}  // namespace test
}  // namespace tolvan
