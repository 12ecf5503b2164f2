#include "WebServiceConfig.h"
#include <mutex>
#include "IniFile.h"
#include "WebServiceUrls.h"

namespace
{
std::mutex g_settingsLock;

WebServiceSettings& Settings()
{
    static WebServiceSettings settings = DefaultWebServiceSettings();
    return settings;
}

std::mutex g_historyLock;

CString& HistoryServiceBase()
{
    static CString base;
    return base;
}

std::string ReadIniText(LPCTSTR pszIniPath, LPCTSTR pszKey)
{
    const CString value = ReadProfileString(pszIniPath, "WebService", pszKey);
    return std::string(value, value.GetLength());
}

std::string WithoutTrailingSlash(std::string address)
{
    while (!address.empty() && address[address.size() - 1] == '/')
        address.erase(address.size() - 1);
    return address;
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

WebServiceSettings DefaultWebServiceSettings()
{
    WebServiceSettings settings;
    settings.strWebServiceBase = "http://127.0.0.1:5180";
    settings.strMarketDayBase = "http://127.0.0.1:5180";
    settings.strTokenKeyText = "xqv~tomr~dne";
    settings.strTokenIvHex = "000102030405060708090a0b0c0d0e0f"; // placeholder
    return settings;
}

WebServiceSettings GetWebServiceSettings()
{
    std::lock_guard<std::mutex> guard(g_settingsLock);
    return Settings();
}

void SetWebServiceSettings(const WebServiceSettings& settings)
{
    {
        std::lock_guard<std::mutex> guard(g_settingsLock);
        Settings() = settings;
        Settings().strWebServiceBase = WithoutTrailingSlash(settings.strWebServiceBase);
        Settings().strMarketDayBase = WithoutTrailingSlash(settings.strMarketDayBase);
    }
    RebuildWebServiceUrls();
}

bool LoadWebServiceSettings(LPCTSTR pszIniPath)
{
    WebServiceSettings settings = GetWebServiceSettings();
    std::string text = ReadIniText(pszIniPath, "BaseUrl");
    if (!text.empty())
        settings.strWebServiceBase = text;
    text = ReadIniText(pszIniPath, "MarketDayUrl");
    if (!text.empty())
        settings.strMarketDayBase = text;
    text = ReadIniText(pszIniPath, "TokenKeyText");
    if (!text.empty())
        settings.strTokenKeyText = text;
    bool ivAccepted = true;
    text = ReadIniText(pszIniPath, "TokenIv");
    if (!text.empty())
    {
        unsigned char block[16];
        if (DecodeHexBlock(text, block))
            settings.strTokenIvHex = text;
        else
            ivAccepted = false;
    }
    SetWebServiceSettings(settings);
    return ivAccepted;
}

bool DecodeHexBlock(const std::string& hex, unsigned char block[16])
{
    if (hex.size() != 32)
        return false;
    for (int i = 0; i < 16; ++i)
    {
        int high = HexDigitValue(hex[2 * i]);
        int low = HexDigitValue(hex[2 * i + 1]);
        if (high < 0 || low < 0)
            return false;
        block[i] = (unsigned char)(high * 16 + low);
    }
    return true;
}

void SetHistoryServiceBase(const CString& base)
{
    std::lock_guard<std::mutex> guard(g_historyLock);
    HistoryServiceBase() = base;
}

CString GetHistoryServiceBase()
{
    std::lock_guard<std::mutex> guard(g_historyLock);
    return HistoryServiceBase();
}
