#include "ListExport.h"

#include "ListText.h"

#include <afxdlgs.h>

#include <ctime>

bool SaveTextToFile(CWnd* owner, LPCTSTR stem, LPCTSTR defaultExtension, LPCTSTR filter,
                    const CString& text)
{
    CString defaultName = CString(stem) + MakeTimeSuffix(_time64(nullptr));
    // Saving must be able to create a new file, so the file need not exist; an existing one
    // is only replaced after the user agreed.
    CFileDialog dialog(FALSE, defaultExtension, defaultName, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                       filter, owner, 0, TRUE);
    if (dialog.DoModal() != IDOK)
        return false;
    CStdioFile file;
    if (!file.Open(dialog.GetPathName(), CFile::modeCreate | CFile::modeWrite | CFile::typeText))
        return false;
    bool written = true;
    try {
        file.WriteString(NormaliseLineEnds(text));
        file.Close();
    } catch (CFileException* error) {
        error->Delete();
        file.Abort();
        written = false;
    }
    return written;
}
