#include "JsonText.h"
#include <curl/curl.h>
#include "TextHelpers.h"

CString JsonValueToText(const json_t* value)
{
    CString text;
    if (value == nullptr)
        return text;
    if (json_is_string(value))
        text = json_string_value(value);
    else if (json_is_integer(value))
        text.Format("%I64d", (__int64)json_integer_value(value));
    else if (json_is_real(value))
        text.Format("%f", json_real_value(value));
    return text;
}

CString JsonMemberText(const json_t* object, const char* key)
{
    if (object == nullptr || !json_is_object(object))
        return CString();
    return JsonValueToText(json_object_get(object, key));
}

CString UnescapedUtf8ToAnsi(const std::string& text)
{
    if (text.empty())
        return CString();
    int length = 0;
    char* unescaped = curl_easy_unescape(nullptr, text.c_str(), (int)text.size(), &length);
    if (unescaped == nullptr)
        return Utf8ToAnsi(text);
    std::string plain(unescaped, (size_t)length);
    curl_free(unescaped);
    return Utf8ToAnsi(plain);
}

CString Utf8ToAnsi(const std::string& text)
{
    if (text.empty())
        return CString();
    std::string ansi = Utf8ToAnsiString(text);
    return CString(ansi.c_str());
}

std::string AnsiToUtf8(const CString& text)
{
    if (text.IsEmpty())
        return std::string();
    int wideLength = MultiByteToWideChar(CP_ACP, 0, text, text.GetLength(), NULL, 0);
    if (wideLength <= 0)
        return std::string();
    std::wstring wide((size_t)wideLength, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, text.GetLength(), &wide[0], wideLength);
    int utf8Length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, NULL, 0, NULL, NULL);
    if (utf8Length <= 0)
        return std::string();
    std::string utf8((size_t)utf8Length, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &utf8[0], utf8Length, NULL, NULL);
    return utf8;
}

json_t* ParseJsonText(const std::string& text, json_error_t* pError)
{
    json_error_t error;
    json_t* root = json_loadb(text.data(), text.size(), JSON_DECODE_ANY,
                              pError != nullptr ? pError : &error);
    return root;
}
