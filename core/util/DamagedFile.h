// A configuration file whose content failed its reader's checks is moved out of the way
// rather than read as good data or silently overwritten by the next save: the user's data may
// still be recovered from it, and the program starts with defaults.
#pragma once
#include <afx.h>
#include <functional>

// Renames path to "<path>.damaged" (".damaged2", ".damaged3" ... when taken) and reports it
// on the debugger output. Returns the new path, or an empty text when the file could not be
// moved (it then stays where it was).
CString SetDamagedFileAside(LPCSTR path);

// The report line of a damaged file: "<path> is damaged; kept as <new path>" (or "; could not
// be moved" when keptAs is empty).
CString DescribeDamagedFile(LPCSTR path, const CString& keptAs);

// Reads a file of the encrypted format (CFileCrypt) and hands its text to accept, which
// checks it and takes what it read. True when both succeed. A file that is missing or cannot
// be opened gives false and stays; one that is not of the format, or whose text accept
// refuses, is set aside and, with pDamageReport, described there.
bool ReadCheckedEncryptedFile(LPCSTR path, const std::function<bool(const CString&)>& accept,
                              CString* pDamageReport);
