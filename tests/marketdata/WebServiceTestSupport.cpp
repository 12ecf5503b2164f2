#include "WebServiceTestSupport.h"
#include <curl/curl.h>
#include "RequestToken.h"

namespace webtest {

ScopedServiceBase::ScopedServiceBase(const std::string& base, const std::string& historyPath)
    : m_saved(GetWebServiceSettings()), m_savedHistory(GetHistoryServiceBase())
{
    WebServiceSettings settings = m_saved;
    settings.strWebServiceBase = base;
    settings.strMarketDayBase = base;
    SetWebServiceSettings(settings);
    SetHistoryServiceBase((base + historyPath).c_str());
}

ScopedServiceBase::~ScopedServiceBase()
{
    SetWebServiceSettings(m_saved);
    SetHistoryServiceBase(m_savedHistory);
}

bool HasFormField(const std::string& body, const char* key)
{
    std::string wanted = std::string(key) + "=";
    size_t start = 0;
    while (start <= body.size())
    {
        size_t end = body.find('&', start);
        if (end == std::string::npos)
            end = body.size();
        if (body.compare(start, wanted.size(), wanted) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

std::string FormField(const std::string& body, const char* key)
{
    std::string wanted = std::string(key) + "=";
    size_t start = 0;
    while (start <= body.size())
    {
        size_t end = body.find('&', start);
        if (end == std::string::npos)
            end = body.size();
        if (body.compare(start, wanted.size(), wanted) == 0)
        {
            std::string value = body.substr(start + wanted.size(), end - start - wanted.size());
            int length = 0;
            char* plain = curl_easy_unescape(nullptr, value.c_str(), (int)value.size(), &length);
            std::string result(plain, (size_t)length);
            curl_free(plain);
            return result;
        }
        start = end + 1;
    }
    return std::string();
}

bool HasValidToken(const std::string& body)
{
    std::string plain;
    // The form value is escaped once on the wire; DecryptRequestText takes it escaped.
    size_t start = body.find("token=");
    if (start == std::string::npos)
        return false;
    start += 6;
    size_t end = body.find('&', start);
    std::string escaped = body.substr(start, end == std::string::npos ? std::string::npos
                                                                       : end - start);
    return DecryptRequestText(escaped, plain) && plain == "{\"type\": \"a\"}";
}

std::string DecryptedCode(const std::string& body)
{
    size_t start = body.find("code=");
    if (start == std::string::npos)
        return std::string();
    std::string plain;
    if (!DecryptRequestText(body.substr(start + 5), plain))
        return std::string();
    return plain;
}

tolvan::test::HttpResponse Json(const std::string& utf8)
{
    return tolvan::test::HttpResponse::Text(200, utf8, "application/json; charset=utf-8");
}

TempFolder::TempFolder()
{
    char base[MAX_PATH] = {0};
    GetTempPathA(MAX_PATH, base);
    static LONG counter = 0;
    m_path.Format("%stolvan-md-%lu-%ld", base, GetCurrentProcessId(),
                  InterlockedIncrement(&counter));
    CreateDirectoryA(m_path, NULL);
}

TempFolder::~TempFolder()
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(m_path + "\\*", &data);
    if (find != INVALID_HANDLE_VALUE)
    {
        do
        {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA(m_path + "\\" + data.cFileName);
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(m_path);
}

bool ReadFileText(const CString& path, std::string& text)
{
    FILE* file = fopen(path, "rb");
    if (file == nullptr)
        return false;
    text.clear();
    char buffer[4096];
    size_t read;
    while ((read = fread(buffer, 1, sizeof(buffer), file)) > 0)
        text.append(buffer, read);
    fclose(file);
    return true;
}

bool WriteFileText(const CString& path, const std::string& text)
{
    FILE* file = fopen(path, "wb");
    if (file == nullptr)
        return false;
    bool ok = fwrite(text.data(), 1, text.size(), file) == text.size();
    return fclose(file) == 0 && ok;
}

} // namespace webtest
