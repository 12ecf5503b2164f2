#include "AppDataFolder.h"
#include <shlobj.h>

CString GetAppDataFolder()
{
    char path[MAX_PATH] = {0};
    if (!SHGetSpecialFolderPathA(NULL, path, CSIDL_APPDATA, TRUE))
        return CString();
    CString folder(path);
    folder += "\\Tolvan证券";
    CreateDirectoryA(folder, NULL);
    return folder;
}
