// The program's directory set, derived from the full path of the program file: the
// program directory (where "Config.ini" lies) and the installation root with its fixed
// sub-directories. Nothing is created on disk and nothing is tested for existence.
#pragma once
#include <afx.h>

class CDirectorySet
{
public:
    // Builds the set from a module path such as "D:\Trade\bin\Tolvan.exe".
    static CDirectorySet FromModulePath(LPCTSTR lpszModulePath);
    // Builds the set from the path of the running program file.
    static CDirectorySet FromRunningProgram();

    CString m_strAppDir;      // program directory, ending in a backslash
    CString m_strRootDir;     // program directory without the trailing "\" or "\bin\"
    CString m_strDataDir;     // each of these: root + "\name\"
    CString m_strDbDir;
    CString m_strLogDir;
    CString m_strUpdateDir;
    CString m_strTempDir;
    CString m_strTestDir;
    CString m_strUsrDir;
};
