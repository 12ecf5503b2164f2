#include "UserConfigFile.h"
#include "FileCrypt.h"
#include "TextHelpers.h"

#include <stdlib.h>

CString FormatUserConfig(const UserConfig& config)
{
    CString text;
    text.Format("用户名:%s\nserveListIndexAnalog:%d\nserveListIndexTrue:%d\n",
                (LPCSTR)config.userName, config.analogIndex, config.realIndex);
    return text;
}

void ParseUserConfig(const CString& text, UserConfig& config)
{
    CStringArray lines;
    SplitString(lines, text, "\n", true, true);
    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
    {
        const CString& line = lines[i];
        const int colon = line.Find(':');
        if (colon < 0)
            continue;
        const CString key = line.Left(colon);
        const CString value = line.Mid(colon + 1);
        if (key == "用户名")
            config.userName = value;
        else if (key == "serveListIndexAnalog")
            config.analogIndex = atoi(value);
        else if (key == "serveListIndexTrue")
            config.realIndex = atoi(value);
    }
}

bool WriteUserConfigFile(const CString& path, const UserConfig& config)
{
    // The user folder of a fresh installation may not exist yet.
    const int slash = path.ReverseFind('\\');
    if (slash > 0)
        ::CreateDirectoryA(path.Left(slash), NULL);
    CFileCrypt crypt;
    return crypt.EncryptStringToFile(FormatUserConfig(config), path);
}

bool ReadUserConfigFile(const CString& path, UserConfig& config)
{
    CFileCrypt crypt;
    CString text;
    if (!crypt.DecryptFileToString(path, text))
        return false;
    ParseUserConfig(text, config);
    return true;
}
