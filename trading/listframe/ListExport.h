// Saving an exported text through the save dialog.
#pragma once
#include <afxwin.h>

// Asks for a file name (default: stem + time suffix + ".txt") and writes `text` to it in text
// mode, one CR LF per line. The dialog asks before overwriting and refuses a missing folder;
// a cancelled dialog or a file that cannot be written writes nothing and reports nothing.
// Returns whether the text was written.
bool SaveTextToFile(CWnd* owner, LPCTSTR stem, LPCTSTR defaultExtension, LPCTSTR filter,
                    const CString& text);
