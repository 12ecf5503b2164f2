#include "WebServices.h"
#include <stdio.h>
#include <string.h>
#include "JsonText.h"
#include "RequestToken.h"
#include "WebRequest.h"
#include "WebServiceUrls.h"

namespace
{
// The object's text written with the library's default flags, then encrypted.
std::string EncryptObject(json_t* object)
{
    if (object == nullptr)
        return std::string();
    std::string code;
    char* text = json_dumps(object, 0);
    if (text != nullptr)
    {
        code = EncryptRequestText(text);
        free(text);
    }
    json_decref(object);
    return code;
}

bool IsString(const json_t* value, const char* expected)
{
    return json_is_string(value) && strcmp(json_string_value(value), expected) == 0;
}

std::string StringMember(const json_t* object, const char* key)
{
    return std::string((LPCTSTR)Utf8ToAnsi((LPCTSTR)JsonMemberText(object, key)));
}
} // namespace

std::string MakeMarketDayCode(const CString& date, const CString& type)
{
    json_t* object = json_object();
    if (object == nullptr)
        return std::string();
    json_object_set_new(object, "date", json_string(AnsiToUtf8(date).c_str()));
    json_object_set_new(object, "type", json_string(AnsiToUtf8(type).c_str()));
    return EncryptObject(object);
}

std::string MakeCalendarCode(const CString& date, int day, const CString& type)
{
    json_t* object = json_object();
    if (object == nullptr)
        return std::string();
    json_object_set_new(object, "date", json_string(AnsiToUtf8(date).c_str()));
    json_object_set_new(object, "day", json_integer(day));
    json_object_set_new(object, "type", json_string(AnsiToUtf8(type).c_str()));
    return EncryptObject(object);
}

bool ValidateMarketDay(const CString& date, const CString& type)
{
    if (date.IsEmpty() || type.IsEmpty())
        return false;
    std::string code = MakeMarketDayCode(date, type);
    if (code.empty())
        return false;
    CurlGlobalInitOnce();
    std::string reply = PostWebRequest(GetWebServiceUrls().strMarketDay, "code=" + code, true, "");
    json_t* root = ParseJsonText(reply);
    if (root == nullptr)
        return false;
    bool tradingDay = IsString(json_object_get(root, "returnCode"), "200") &&
                      IsString(json_object_get(root, "status"), "Y");
    json_decref(root);
    return tradingDay;
}

int ParseMarketCalendar(const std::string& reply, std::vector<CString>& dates)
{
    json_t* root = ParseJsonText(reply);
    if (root == nullptr)
        return -3;
    int result = -3;
    json_t* returnCode = json_object_get(root, "returnCode");
    json_t* code = json_object_get(root, "code");
    if (json_is_integer(returnCode) && json_integer_value(returnCode) != 200)
        result = -1;
    else if (json_is_string(code) && strncmp(json_string_value(code), "false", 5) == 0)
        result = -2;
    else if (json_is_string(code))
    {
        json_t* list = ParseJsonText(json_string_value(code));
        if (list != nullptr && json_is_array(list))
        {
            result = 0;
            for (size_t i = 0; i < json_array_size(list); ++i)
            {
                json_t* date = json_object_get(json_array_get(list, i), "date");
                if (json_is_string(date))
                    dates.push_back(CString(json_string_value(date)));
            }
        }
        if (list != nullptr)
            json_decref(list);
    }
    json_decref(root);
    return result;
}

bool GetMarketCalendar(const CString& date, int day, const CString& type,
                       std::vector<CString>& dates, int* pParseResult)
{
    if (pParseResult != nullptr)
        *pParseResult = -4;
    if (date.IsEmpty() || type.IsEmpty())
        return false;
    std::string code = MakeCalendarCode(date, day, type);
    if (code.empty())
        return false;
    CurlGlobalInitOnce();
    CURLcode transfer = CURLE_OK;
    // The same time-outs as every request: a calendar server that never answers must not
    // hold its caller for ever.
    std::string reply = PostWebRequest(GetWebServiceUrls().strMarketCalendar, "code=" + code,
                                       true, "", &transfer);
    if (transfer != CURLE_OK)
        return false;
    int parsed = ParseMarketCalendar(reply, dates);
    if (pParseResult != nullptr)
        *pParseResult = parsed;
    return parsed == 0;
}

bool ParseNoticeReply(const std::string& reply, NoticeRecord& notice)
{
    json_error_t error;
    json_t* root = ParseJsonText(reply, &error);
    // A reply that is not JSON is no notice; failures of the notice service are silent.
    if (root == nullptr)
        return false;
    bool read = false;
    json_t* returnCode = json_object_get(root, "returnCode");
    json_t* data = json_object_get(root, "data");
    if (!(json_is_integer(returnCode) && json_integer_value(returnCode) != 200) &&
        json_is_string(data))
    {
        json_t* list = ParseJsonText(json_string_value(data));
        json_t* first = (list != nullptr && json_is_array(list)) ? json_array_get(list, 0)
                                                                 : nullptr;
        if (first != nullptr && json_object_get(first, "content") != nullptr)
        {
            notice.strId = StringMember(first, "sub_id");
            notice.strTitle = StringMember(first, "sub_bt");
            notice.strSubTitle = StringMember(first, "sub_bt_d");
            notice.strContent = StringMember(first, "content");
            notice.strSource = StringMember(first, "source");
            notice.strSpare.clear();
            read = true;
        }
        if (list != nullptr)
            json_decref(list);
    }
    json_decref(root);
    return read;
}

bool FetchNotices(const CString& id, NoticeRecord& notice)
{
    CurlGlobalInitOnce();
    std::string body = "token=" + MakeRequestToken();
    if (!id.IsEmpty())
        body += "&id=" + std::string((LPCTSTR)id);
    std::string reply = PostWebRequest(GetWebServiceUrls().strNotice, body, true, "");
    return ParseNoticeReply(reply, notice);
}
