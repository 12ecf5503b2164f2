// The keys of an account's table files. Each is the MD5 digest (32 lowercase hexadecimal
// digits) of a spelling of the login name: first of the name in lower case, which new files
// get, then of the name as typed, as the user's folder keeps it (the spelling of the login
// that made the folder) and in upper case. The folder ignores letter case, so one account may
// meet files written under any of these: each is opened rather than set aside.
#pragma once
#include <afx.h>
#include "DBBase.h"

// databaseFolder is the user's "Proxy\" folder (ending in "\").
DatabaseKey UserDatabaseKey(const CString& userName, const CString& databaseFolder);

// The name with its ASCII letters in lower or upper case (the second byte of a double-byte
// character is left alone).
CString AsciiLetterCase(const CString& text, bool upper);
