// "usrcfg.ini": the last user name and the remembered server-list positions, encrypted.
#pragma once
#include <afx.h>

struct UserConfig
{
    CString userName;
    int analogIndex = -1;
    int realIndex = -1;
};

// Three lines, each ended by "\n": "用户名:<name>", "serveListIndexAnalog:<n>",
// "serveListIndexTrue:<n>".
CString FormatUserConfig(const UserConfig& config);
// Reads the lines back: the key lies left of the first ":", the value right of it; lines
// without ":" and unknown keys are ignored, and what a line does not name keeps its value.
void ParseUserConfig(const CString& text, UserConfig& config);

// Creates the file's folder when it is missing.
bool WriteUserConfigFile(const CString& path, const UserConfig& config);
// False (config unchanged) when the file is missing or not of the encrypted format.
bool ReadUserConfigFile(const CString& path, UserConfig& config);
