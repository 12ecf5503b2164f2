// Saving an exported text through the save dialog.
#pragma once
#include <afxwin.h>

// Asks for a file name (default: stem + time suffix + ".txt") and writes `text` to it in text
// mode, one CR LF per line. The dialog asks before overwriting and refuses a missing folder;
// a cancelled dialog writes nothing and reports nothing; a file that cannot be written is
// told in a message box, so nothing seems saved that was not. Returns whether the text was
// written.
bool SaveTextToFile(CWnd* owner, LPCTSTR stem, LPCTSTR defaultExtension, LPCTSTR filter,
                    const CString& text);
