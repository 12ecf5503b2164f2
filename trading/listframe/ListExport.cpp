#include "ListExport.h"

#include "ListText.h"

#include <afxdlgs.h>

#include <ctime>

namespace {
bool Failed(CWnd* owner, const CString& path)
{
    const CString text = "文件保存失败，未能写入：\n" + path;
    if (owner != nullptr && owner->GetSafeHwnd() != NULL)
        owner->MessageBox(text, "Tolvan证券", MB_OK | MB_ICONWARNING);
    else
        AfxMessageBox(text, MB_OK | MB_ICONWARNING);
    return false;
}
}  // namespace

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
    const CString path = dialog.GetPathName();
    CStdioFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeText))
        return Failed(owner, path);
    try {
        file.WriteString(NormaliseLineEnds(text));
        file.Close();
    } catch (CFileException* error) {
        error->Delete();
        file.Abort();
        return Failed(owner, path);
    }
    return true;
}
