// The user's own list ("我的板块") across restarts: the encrypted file "SelfListFile.cfg" in
// the data directory, holding the codes in list order, each followed by ",".
#pragma once
#include <afx.h>
#include "QuoteStore.h"

extern const char SELF_LIST_FILE_NAME[]; // "SelfListFile.cfg"

// Reads the file of the data directory into the store's self list. A missing or unreadable
// file changes nothing and gives FALSE.
BOOL LoadSelfList(LPCTSTR pszDataDir, QuoteStore& store = GetQuoteStore());

// Writes the codes of "我的板块" in row order, then the self-listed codes that have no row
// (their instrument list did not load this time), so that saving never shortens the user's
// list. FALSE when the file could not be written.
BOOL SaveSelfList(LPCTSTR pszDataDir, const QuoteStore& store = GetQuoteStore());

// The file's plain text and back (codes each followed by ","; empty fields are skipped)
CString BuildSelfListText(const std::vector<CString>& codes);
std::vector<CString> ParseSelfListText(const CString& text);
