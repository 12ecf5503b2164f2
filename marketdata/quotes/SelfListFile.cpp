#include "SelfListFile.h"
#include <algorithm>
#include <map>
#include <set>
#include "DamagedFile.h"
#include "FileCrypt.h"
#include "TextHelpers.h"

const char SELF_LIST_FILE_NAME[] = "SelfListFile.cfg";

namespace
{
CString SelfListPath(LPCTSTR pszDataDir)
{
    CString path(pszDataDir);
    if (!path.IsEmpty() && path.Right(1) != "\\" && path.Right(1) != "/")
        path += '\\';
    return path + SELF_LIST_FILE_NAME;
}

// The codes to save: the sector's rows as the user sees them, with each listed code whose
// row is missing (its instrument list has not loaded) kept right after the code that
// preceded it in the user's list, so that it keeps its place for the next start.
std::vector<CString> CodesToSave(const QuoteStore& store)
{
    std::vector<CString> shown;
    SectorRecord mine;
    if (store.GetSector(MY_SECTOR_NAME, mine))
        for (const SectorRow& row : mine.vecRows)
            shown.push_back(row.strCode);
    const std::set<CString> shownSet(shown.begin(), shown.end());

    std::vector<CString> selfList;
    store.GetSelfList(selfList);
    std::vector<CString> leading;                       // missing codes before any shown one
    std::map<CString, std::vector<CString>> following;  // shown code -> missing codes after it
    const CString* anchor = nullptr;
    for (const CString& code : selfList)
    {
        if (shownSet.count(code) != 0)
            anchor = &code;
        else if (anchor == nullptr)
            leading.push_back(code);
        else
            following[*anchor].push_back(code);
    }

    std::vector<CString> codes;
    std::set<CString> written;
    auto append = [&](const CString& code) {
        if (written.insert(code).second)
            codes.push_back(code);
    };
    for (const CString& code : leading)
        append(code);
    for (const CString& code : shown)
    {
        append(code);
        auto missing = following.find(code);
        if (missing != following.end())
            for (const CString& next : missing->second)
                append(next);
    }
    return codes;
}

// A code as instrument lists write it: printable ASCII without the separator, no blank at
// either end. A damaged block of the file decrypts to bytes that are almost never all of this.
bool IsSelfListCode(const CString& code)
{
    const int length = code.GetLength();
    if (length == 0 || length > SELF_LIST_MAX_CODE_LENGTH || code[0] == ' ' || code[length - 1] == ' ')
        return false;
    for (int i = 0; i < length; ++i)
    {
        const unsigned char c = (unsigned char)code[i];
        if (c < 0x20 || c > 0x7E || c == ',')
            return false;
    }
    return true;
}
} // namespace

CString BuildSelfListText(const std::vector<CString>& codes)
{
    CString text;
    for (const CString& code : codes)
    {
        text += code;
        text += ',';
    }
    return text;
}

bool ParseSelfListText(const CString& text, std::vector<CString>& codes)
{
    codes.clear();
    CStringArray fields;
    SplitString(fields, text, ",", true, true);
    for (INT_PTR i = 0; i < fields.GetSize(); ++i)
    {
        if (fields[i].IsEmpty())
            continue;
        if (!IsSelfListCode(fields[i]) || codes.size() >= SELF_LIST_MAX_CODES)
        {
            codes.clear();
            return false;
        }
        codes.push_back(fields[i]);
    }
    return true;
}

SelfListLoadResult LoadSelfListFile(LPCTSTR pszDataDir, QuoteStore& store, CString* pDamageReport)
{
    const CString path = SelfListPath(pszDataDir);
    CFileCrypt crypt;
    CString text;
    const CFileCrypt::ReadResult read = crypt.DecryptFile(path, text);
    std::vector<CString> codes;
    if (read == CFileCrypt::Read && ParseSelfListText(text, codes))
    {
        store.SetSelfList(codes);
        return SELF_LIST_LOADED;
    }
    if (read == CFileCrypt::NotOpened)
    {
        const DWORD attributes = GetFileAttributesA(path);
        const DWORD error = GetLastError();
        const bool missing =
            attributes == INVALID_FILE_ATTRIBUTES && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND);
        return missing ? SELF_LIST_MISSING : SELF_LIST_UNREADABLE;
    }
    const CString keptAs = SetDamagedFileAside(path);
    if (pDamageReport != nullptr)
        *pDamageReport = DescribeDamagedFile(path, keptAs);
    return keptAs.IsEmpty() ? SELF_LIST_UNREADABLE : SELF_LIST_SET_ASIDE;
}

BOOL LoadSelfList(LPCTSTR pszDataDir, QuoteStore& store, CString* pDamageReport)
{
    return LoadSelfListFile(pszDataDir, store, pDamageReport) == SELF_LIST_LOADED ? TRUE : FALSE;
}

CString DescribeSelfListLoad(SelfListLoadResult loaded, LPCTSTR pszDataDir)
{
    const CString path = SelfListPath(pszDataDir);
    switch (loaded)
    {
    case SELF_LIST_SET_ASIDE:
        return "自选股文件 " + path + " 已损坏，已改名保留（.damaged），本次从空的自选股开始。";
    case SELF_LIST_UNREADABLE:
        return "自选股文件 " + path + " 无法读取（可能被其他程序占用或已损坏）。本次运行不会保存自选股，该文件保持不变。";
    default:
        return CString();
    }
}

BOOL SaveSelfList(LPCTSTR pszDataDir, const QuoteStore& store)
{
    CFileCrypt crypt;
    return crypt.EncryptStringToFile(BuildSelfListText(CodesToSave(store)),
                                     SelfListPath(pszDataDir))
               ? TRUE
               : FALSE;
}
