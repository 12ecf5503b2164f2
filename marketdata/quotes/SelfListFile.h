// The user's own list ("我的板块") across restarts: the encrypted file "SelfListFile.cfg" in
// the data directory, holding the codes in list order, each followed by ",".
#pragma once
#include <afx.h>
#include "QuoteStore.h"

extern const char SELF_LIST_FILE_NAME[]; // "SelfListFile.cfg"

// Bounds of a sound file: the longest code and the most codes a user's list holds.
enum
{
    SELF_LIST_MAX_CODE_LENGTH = 32,
    SELF_LIST_MAX_CODES = 10000,
};

// Reads the file of the data directory into the store's self list. A missing or unreadable
// file changes nothing and gives FALSE. So does a damaged one (not of the encrypted format,
// or a field that is not a code, or more codes than a list holds); it is also renamed out of
// the way (SetDamagedFileAside) and, with pDamageReport, described there.
BOOL LoadSelfList(LPCTSTR pszDataDir, QuoteStore& store = GetQuoteStore(),
                  CString* pDamageReport = nullptr);

// What loading found. Only a list that loaded, a missing file or a damaged one now kept under
// another name may be replaced by the save at exit: a file that could not be opened (held by
// another program, no access) or a damaged one that could not be moved may hold the user's
// list, which an empty save would destroy.
enum SelfListLoadResult
{
    SELF_LIST_LOADED,
    SELF_LIST_MISSING,
    SELF_LIST_SET_ASIDE,   // damaged, renamed out of the way
    SELF_LIST_UNREADABLE,  // could not be opened, or damaged and could not be moved
};
SelfListLoadResult LoadSelfListFile(LPCTSTR pszDataDir, QuoteStore& store = GetQuoteStore(),
                                    CString* pDamageReport = nullptr);
inline bool MaySaveSelfList(SelfListLoadResult loaded) { return loaded != SELF_LIST_UNREADABLE; }

// What the user is told about a list that did not load: empty when there is nothing to say
// (it loaded, or there was none yet).
CString DescribeSelfListLoad(SelfListLoadResult loaded, LPCTSTR pszDataDir);

// Writes the codes of "我的板块" in row order; a self-listed code that has no row (its
// instrument list did not load this time) is written after the code that precedes it in the
// user's list, so that saving neither shortens the list nor moves that code. FALSE when the
// file could not be written.
BOOL SaveSelfList(LPCTSTR pszDataDir, const QuoteStore& store = GetQuoteStore());

// The file's plain text and back (codes each followed by ","; empty fields are skipped).
// Reading checks every field: false (codes empty) when a field is not a code or there are
// more than SELF_LIST_MAX_CODES.
CString BuildSelfListText(const std::vector<CString>& codes);
bool ParseSelfListText(const CString& text, std::vector<CString>& codes);
