// "usrcfg.ini" in the user directory: the last user name and the remembered positions of the
// chosen server in the simulated and the real server list, in the encrypted-file format
// (CFileCrypt). Its plain text is three lines, each ended by "\n":
//   "用户名:" and the user name, "serveListIndexAnalog:%d", "serveListIndexTrue:%d".
#pragma once
#include <afx.h>

struct UserSettings
{
    CString strUserName;
    int nServeListIndexAnalog = -1;   // -1: none chosen yet
    int nServeListIndexTrue = -1;
};

// Bounds of a sound file.
enum
{
    USER_SETTINGS_MAX_LINES = 3,
    USER_SETTINGS_MAX_NAME_BYTES = 64,
    USER_SETTINGS_MAX_INDEX = 9999,
};

CString BuildUserSettingsText(const UserSettings& settings);

// Reads the three lines "key:value" (the key left of the first ":"). The file has no check
// sum and only this program writes it, so the text is checked instead: false, with settings
// unchanged, unless it is exactly the three keys, each once and in any order, in lines without
// control characters or broken double-byte characters, with a user name of at most 64 bytes
// and indexes that are decimal numbers from -1 to 9999. An empty text is no settings (true,
// nothing changes).
bool ParseUserSettingsText(const CString& text, UserSettings& settings);

// Reads the file into settings. FALSE with settings unchanged when it is missing or cannot be
// read, and when it is damaged (not of the encrypted format, or its text fails the checks):
// a damaged file is also renamed out of the way (SetDamagedFileAside) and, with
// pDamageReport, described there.
BOOL LoadUserSettings(LPCSTR path, UserSettings& settings, CString* pDamageReport = nullptr);

// Writes the three lines, replacing the file. FALSE when it could not be written.
BOOL SaveUserSettings(LPCSTR path, const UserSettings& settings);
