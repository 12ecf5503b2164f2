#include "UserDatabaseKey.h"

#include <winsock2.h>
#include <windows.h>

#include <algorithm>

#include "Md5.h"

namespace {

// The name of the user's folder as the file system keeps it (the database folder is its
// "Proxy\" sub-folder); empty when it cannot be read.
CString StoredUserFolderName(const CString& databaseFolder)
{
    CString userFolder = databaseFolder;
    userFolder.TrimRight('\\');
    const int proxy = userFolder.ReverseFind('\\');
    if (proxy <= 0)
        return CString();
    userFolder = userFolder.Left(proxy);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(userFolder, &found);
    if (search == INVALID_HANDLE_VALUE)
        return CString();
    FindClose(search);
    return found.cFileName;
}

}  // namespace

CString AsciiLetterCase(const CString& text, bool upper)
{
    CString result = text;
    const UINT codePage = GetACP();
    for (int i = 0; i < result.GetLength(); ++i) {
        const BYTE c = (BYTE)result[i];
        if (IsDBCSLeadByteEx(codePage, c)) {
            ++i;
            continue;
        }
        if (upper && c >= 'a' && c <= 'z')
            result.SetAt(i, (char)(c - 'a' + 'A'));
        else if (!upper && c >= 'A' && c <= 'Z')
            result.SetAt(i, (char)(c - 'A' + 'a'));
    }
    return result;
}

DatabaseKey UserDatabaseKey(const CString& userName, const CString& databaseFolder)
{
    const CString spellings[] = {AsciiLetterCase(userName, false), userName, StoredUserFolderName(databaseFolder),
                                 AsciiLetterCase(userName, true)};
    std::vector<CString> keys;
    for (const CString& spelling : spellings) {
        if (spelling.IsEmpty())
            continue;
        const CString key = Md5Hex(spelling);
        if (std::find(keys.begin(), keys.end(), key) == keys.end())
            keys.push_back(key);
    }
    return DatabaseKey(keys);
}
