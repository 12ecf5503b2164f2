// Private-profile (ini) files such as "Config.ini". Sections, keys and values are GBK texts and
// go to the profile API byte for byte, so Chinese names and values read back as written.
#pragma once
#include <afx.h>

// The value of key in section of an ini file, or defaultValue when the file or key is absent.
// The value is read whole however long it is: a value that fills the read buffer is read
// again into a larger one, so it is never cut (least of all inside a double-byte character).
// Values above kMaxProfileValueBytes are cut there.
CString ReadProfileString(LPCSTR pszFile, LPCSTR pszSection, LPCSTR pszKey,
                          LPCSTR pszDefault = "");
const DWORD kMaxProfileValueBytes = 16 * 1024 * 1024;

// One ini file: the main window keeps one for "Config.ini" and its [Settings].
class CIniFile
{
public:
    void SetPath(const CString& path) { m_path = path; }

    // The key's value as an integer, defaultValue when the file or key is absent
    int GetInt(const CString& section, const CString& key, int defaultValue) const;
    // Writes the key (creating the file and section when needed); the profile API's result
    BOOL WriteString(const CString& section, const CString& key, const CString& value) const;

private:
    CString m_path;
};
