#include "SelfListFile.h"
#include <algorithm>
#include <set>
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

// The codes to save: the sector's rows as the user sees them, then the listed codes whose
// rows are missing because their instrument list has not loaded.
std::vector<CString> CodesToSave(const QuoteStore& store)
{
    std::vector<CString> codes;
    SectorRecord mine;
    if (store.GetSector(MY_SECTOR_NAME, mine))
        for (const SectorRow& row : mine.vecRows)
            codes.push_back(row.strCode);

    std::vector<CString> selfList;
    store.GetSelfList(selfList);
    std::set<CString> shown(codes.begin(), codes.end());
    for (const CString& code : selfList)
        if (shown.insert(code).second)
            codes.push_back(code);
    return codes;
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

std::vector<CString> ParseSelfListText(const CString& text)
{
    CStringArray fields;
    SplitString(fields, text, ",", true, true);
    std::vector<CString> codes;
    for (INT_PTR i = 0; i < fields.GetSize(); ++i)
        if (!fields[i].IsEmpty())
            codes.push_back(fields[i]);
    return codes;
}

BOOL LoadSelfList(LPCTSTR pszDataDir, QuoteStore& store)
{
    CFileCrypt crypt;
    CString text;
    if (!crypt.DecryptFileToString(SelfListPath(pszDataDir), text))
        return FALSE;
    store.SetSelfList(ParseSelfListText(text));
    return TRUE;
}

BOOL SaveSelfList(LPCTSTR pszDataDir, const QuoteStore& store)
{
    CFileCrypt crypt;
    return crypt.EncryptStringToFile(BuildSelfListText(CodesToSave(store)),
                                     SelfListPath(pszDataDir))
               ? TRUE
               : FALSE;
}
