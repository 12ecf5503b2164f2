#include "IniFile.h"

#include <vector>

CString ReadProfileString(LPCSTR pszFile, LPCSTR pszSection, LPCSTR pszKey, LPCSTR pszDefault)
{
    std::vector<char> buffer(1024);
    for (;;)
    {
        const DWORD length = ::GetPrivateProfileStringA(pszSection, pszKey, pszDefault, &buffer[0],
                                                        (DWORD)buffer.size(), pszFile);
        // A cut value comes back as the buffer size less one; a value of exactly that length
        // costs one more read, which is cheaper than guessing.
        if (length + 1 < buffer.size() || buffer.size() >= kMaxProfileValueBytes)
            return CString(&buffer[0], (int)length);
        buffer.resize(buffer.size() * 2);
    }
}

int CIniFile::GetInt(const CString& section, const CString& key, int defaultValue) const
{
    return (int)::GetPrivateProfileIntA(section, key, defaultValue, m_path);
}

BOOL CIniFile::WriteString(const CString& section, const CString& key, const CString& value) const
{
    return ::WritePrivateProfileStringA(section, key, value, m_path);
}
