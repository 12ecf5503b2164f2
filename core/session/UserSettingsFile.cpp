#include "UserSettingsFile.h"

#include "DamagedFile.h"
#include "FileCrypt.h"
#include "TextHelpers.h"

#include <stdlib.h>

namespace {

const char kUserNameKey[] = "用户名";
const char kAnalogKey[] = "serveListIndexAnalog";
const char kTrueKey[] = "serveListIndexTrue";

// No control characters, and every byte of 0x81 to 0xFE followed by a GBK trail byte.
bool IsCleanGbkLine(const CString& line)
{
    const int length = line.GetLength();
    for (int i = 0; i < length; ++i)
    {
        const unsigned char c = (unsigned char)line[i];
        if (c < 0x20 || c == 0x7F || c == 0x80 || c == 0xFF)
            return false;
        if (c >= 0x81)
        {
            if (i + 1 >= length)
                return false;
            const unsigned char trail = (unsigned char)line[++i];
            if (trail < 0x40 || trail == 0x7F || trail == 0xFF)
                return false;
        }
    }
    return true;
}

bool ReadIndex(const CString& value, int& index)
{
    const int length = value.GetLength();
    const int first = length > 0 && value[0] == '-' ? 1 : 0;
    if (length == first || length - first > 4)
        return false;
    for (int i = first; i < length; ++i)
        if (value[i] < '0' || value[i] > '9')
            return false;
    const int number = atoi(value);
    if (number < -1 || number > USER_SETTINGS_MAX_INDEX)
        return false;
    index = number;
    return true;
}

} // namespace

CString BuildUserSettingsText(const UserSettings& settings)
{
    CString text;
    text.Format("%s:%s\n%s:%d\n%s:%d\n", kUserNameKey, (LPCSTR)settings.strUserName, kAnalogKey,
                settings.nServeListIndexAnalog, kTrueKey, settings.nServeListIndexTrue);
    return text;
}

bool ParseUserSettingsText(const CString& text, UserSettings& settings)
{
    CStringArray lines;
    SplitString(lines, text, "\n", true, false);
    if (lines.GetSize() > USER_SETTINGS_MAX_LINES)
        return false;

    if (text.IsEmpty())
        return true;   // an empty file: nothing remembered yet

    UserSettings read = settings;
    bool seenName = false, seenAnalog = false, seenTrue = false;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
    {
        const CString& line = lines[i];
        const int colon = line.Find(':');
        if (!IsCleanGbkLine(line) || colon < 0)
            return false;
        const CString key = line.Left(colon);
        const CString value = line.Mid(colon + 1);
        if (key == kUserNameKey)
        {
            if (seenName || value.GetLength() > USER_SETTINGS_MAX_NAME_BYTES)
                return false;
            seenName = true;
            read.strUserName = value;
        }
        else if (key == kAnalogKey)
        {
            if (seenAnalog || !ReadIndex(value, read.nServeListIndexAnalog))
                return false;
            seenAnalog = true;
        }
        else if (key == kTrueKey)
        {
            if (seenTrue || !ReadIndex(value, read.nServeListIndexTrue))
                return false;
            seenTrue = true;
        }
        else
        {
            return false;
        }
    }
    if (!seenName || !seenAnalog || !seenTrue)
        return false;
    settings = read;
    return true;
}

BOOL LoadUserSettings(LPCSTR path, UserSettings& settings, CString* pDamageReport)
{
    return ReadCheckedEncryptedFile(
               path, [&settings](const CString& text) { return ParseUserSettingsText(text, settings); },
               pDamageReport)
               ? TRUE
               : FALSE;
}

BOOL SaveUserSettings(LPCSTR path, const UserSettings& settings)
{
    CFileCrypt crypt;
    return crypt.EncryptStringToFile(BuildUserSettingsText(settings), path) ? TRUE : FALSE;
}
