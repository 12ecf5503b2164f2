#include "DirectorySet.h"

namespace {

// The folder part of a module path, backslash included; empty when the path has none.
// The program may have been renamed or copied under another name, so only the last
// backslash counts, never the file name.
CString ProgramDirectoryOf(const CString& strModulePath)
{
    const int nLastSlash = strModulePath.ReverseFind('\\');
    if (nLastSlash < 0)
        return CString();
    return strModulePath.Left(nLastSlash + 1);
}

// An installation keeps its programs either in the root itself or in its "bin" folder.
CString RootDirectoryOf(const CString& strAppDir)
{
    CString strRoot = strAppDir;
    if (!strRoot.IsEmpty() && strRoot[strRoot.GetLength() - 1] == '\\')
        strRoot = strRoot.Left(strRoot.GetLength() - 1);
    const CString strBin = "\\bin";
    if (strRoot.GetLength() >= strBin.GetLength() && strRoot.Right(strBin.GetLength()) == strBin)
        strRoot = strRoot.Left(strRoot.GetLength() - strBin.GetLength());
    return strRoot;
}

}  // namespace

CDirectorySet CDirectorySet::FromModulePath(LPCTSTR lpszModulePath)
{
    CDirectorySet dirs;
    dirs.m_strAppDir = ProgramDirectoryOf(lpszModulePath != nullptr ? lpszModulePath : "");
    dirs.m_strRootDir = RootDirectoryOf(dirs.m_strAppDir);
    dirs.m_strDataDir = dirs.m_strRootDir + "\\data\\";
    dirs.m_strDbDir = dirs.m_strRootDir + "\\db\\";
    dirs.m_strLogDir = dirs.m_strRootDir + "\\log\\";
    dirs.m_strUpdateDir = dirs.m_strRootDir + "\\update\\";
    dirs.m_strTempDir = dirs.m_strRootDir + "\\temp\\";
    dirs.m_strTestDir = dirs.m_strRootDir + "\\test\\";
    dirs.m_strUsrDir = dirs.m_strRootDir + "\\usr\\";
    return dirs;
}

CDirectorySet CDirectorySet::FromRunningProgram()
{
    char szPath[MAX_PATH + 1] = {0};
    const DWORD nLength = ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    // A path cut at the buffer's end would name the wrong folder; treat it as unknown.
    if (nLength == 0 || nLength >= MAX_PATH)
        szPath[0] = '\0';
    return FromModulePath(szPath);
}
